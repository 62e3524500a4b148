#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Edit.txt: four positional lines in the start directory.
//   0 the curve file of the last save
//   1 the serial port number ("1" to "16", or empty)
//   2 the interface language (0 Hungarian, 1 English)
//   3 the firmware version, shortest decimal text with a comma
// Lines after the fourth are ignored at start-up, kept by a line update and
// dropped by a full write.
namespace SettingsLine {
constexpr int CurveFile = 0;
constexpr int Port = 1;
constexpr int Language = 2;
constexpr int Version = 3;
}

// Lines are split at CR LF, CR or LF; an empty file holds no lines.
QStringList splitSettingsLines(const QByteArray &bytes);
// Every line, the last one included, ends with CR LF.
QByteArray joinSettingsLines(const QStringList &lines);

// The line update: replaces line `index` when the file has it; when the file
// has exactly `index` lines and `mayAppend` is set, appends it instead;
// otherwise the lines stay as they are.
QStringList updateSettingsLine(QStringList lines, int index, const QString &text, bool mayAppend);

// The settings file on disk. Reading or writing failures raise PlatformError
// naming the path and the system's reason; writes are atomic.
class AppSettings {
public:
    explicit AppSettings(QString path) : path_(std::move(path)) {}

    const QString &path() const { return path_; }
    bool exists() const;
    QStringList readAll() const;
    void writeAll(const QStringList &lines) const;

    // Reads the file, applies the line update and writes every line back,
    // even when nothing changed. A missing file is never created.
    void updateLine(int index, const QString &text, bool mayAppend) const;

private:
    QString path_;
};
