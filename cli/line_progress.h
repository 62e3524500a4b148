#pragma once

#include "serial/download_session.h"

#include <QObject>

// A progress bar on stderr while a download runs, when stderr is a
// terminal: the BREAK, then the bytes known to be on the line. Full only
// when every byte is out; a failure leaves the bar where the line stopped.
// The bar fits the terminal's width, so that it redraws in place.
class LineProgress : public QObject {
    Q_OBJECT

public:
    LineProgress(const DownloadSession &session, qint64 total);

private:
    void draw(const QString &note);

    qint64 total_;
    qint64 onLine_ = 0;
    bool done_ = false;
};
