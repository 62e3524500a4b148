#pragma once

#include "core/curve_texts.h"
#include "recording_serial_line.h"
#include "sample_curves.h"
#include "scripted_prompts.h"
#include "ui/main_window.h"

#include <QDir>
#include <QTemporaryDir>
#include <memory>

// A main window started in a fresh folder of its own, with scripted prompts
// and the immediate exit recorded instead of taken.
class FormFixture {
public:
    FormFixture();
    ~FormFixture();

    QString path(const QString &name) const { return dir_.filePath(name); }
    // "<missing>" stands for no file, both ways, so a test table can say
    // what a file is before and after in one column type.
    void writeFile(const QString &name, const QByteArray &bytes) const; // "<missing>": none written
    QByteArray readFile(const QString &name) const;                    // "<missing>" when absent
    void writeSettings(const QByteArray &bytes) const { writeFile("Edit.txt", bytes); }

    // Builds the window (the program's start-up) in the fixture's folder.
    TForm1 &start();
    TForm1 &form() { return *form_; }

    ScriptedPrompts prompts;
    QList<int> exits;
    QStringList lineAtExit; // the calls the line had seen when the program would have ended
    RecordingSerialLine comm;
    SerialLine *serialLine = &comm; // what the window gets; a test may put a real line here

private:
    QTemporaryDir dir_;
    QString previousDir_;
    std::unique_ptr<TForm1> form_;
};
