// igctool's commands: thin shells around the core and the serial line that
// the window uses, so that whatever the window checks, builds or sends,
// these check, build and send byte for byte the same.
#include "cli/commands.h"

#include "cli/file_names.h"
#include "cli/interruption.h"
#include "cli/line_progress.h"
#include "cli/output.h"
#include "core/curve_csv.h"
#include "core/curve_file.h"
#include "core/download_check.h"
#include "core/download_failure.h"
#include "core/download_frame.h"
#include "core/field_rules.h"
#include "core/text_file.h"
#include "serial/device_name.h"
#include "serial/download_session.h"
#include "serial/port_doctor.h"
#include "serial/serial_comm.h"

#include <QCryptographicHash>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QTimer>
#include <optional>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <unistd.h>
#endif

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

namespace {

// A platform error's message on one line.
QString oneLine(QString message)
{
    return message.replace(QLatin1Char('\n'), QLatin1Char(' '));
}

// The bytes of a file named on the command line; nothing after a complaint.
std::optional<QByteArray> readArgumentFile(const QString &path)
{
    const QString readable = readablePath(path);
    try {
        return readTextFile(readable);
    } catch (const PlatformError &e) {
        complain(oneLine(QString(e.message()).replace(readable, path)));
    }
    return std::nullopt;
}

std::optional<CurveFileContents> loadCurve(const QString &path)
{
    const std::optional<QByteArray> bytes = readArgumentFile(path);
    if (!bytes)
        return std::nullopt;
    if (std::optional<CurveFileContents> file = readCurveFile(*bytes))
        return file;
    complain(path + QStringLiteral(": not a curve file (its first line is neither igc nor igc1)"));
    return std::nullopt;
}

struct CheckedCurve {
    FileDownload download;
    QByteArray frame;
};

// A curve file as the window would download it, once it has passed the
// check. Every refusal is reported as "FILE: why": on stdout for check, on
// stderr for the commands it stops.
std::optional<CheckedCurve> checkedCurve(const QString &path, void (*report)(const QString &))
{
    const std::optional<CurveFileContents> file = loadCurve(path);
    if (!file)
        return std::nullopt;
    const FileDownload download = fileDownload(file->texts);
    const QList<Refusal> refusals = downloadRefusals(download.texts, download.versionFlag);
    for (const Refusal &refusal : refusals)
        report(path + QStringLiteral(": ") + refusalText(refusal));
    if (!refusals.isEmpty())
        return std::nullopt;
    return CheckedCurve{download, BuildDownloadFrame(download.texts, download.versionFlag)};
}

QString valuesText(const QByteArray &frame)
{
    return QStringLiteral("%1 values").arg(frame.size())
        + (frame.size() > kFrameValues ? QStringLiteral(" with the options value") : QString());
}

QString portLabel(const QString &name, const QString &device)
{
    return device.isEmpty() || device == name ? name : QStringLiteral("%1 (%2)").arg(name, device);
}

// Serves the event loop until the session has released the port; a
// signal on the way ends what runs at once. The signal's exit status, or 0.
int runSession(DownloadSession &session, const Interruption &interruption)
{
    QEventLoop loop;
    QObject::connect(&session, &DownloadSession::released, &loop, &QEventLoop::quit);
    QObject::connect(&interruption, &Interruption::received, &session, [&session] { session.abort(); });
    if (session.holdsPort())
        loop.exec();
    return interruption.exitStatus();
}

// Opens the port and raises the BREAK through `start`; the exit status
// when that failed.
template <typename Start>
std::optional<int> begin(TComm &comm, const QString &port, Start start)
{
    try {
        if (start())
            return std::nullopt;
        complain(QStringLiteral("%1 refused the BREAK: %2").arg(portLabel(port, comm.systemPort()), comm.LineError()));
        return ExitLine;
    } catch (const PlatformError &e) {
        complain(e.message());
        return ExitPort;
    }
}

QString aligned(const QList<QStringList> &rows, const QList<bool> &rightAligned)
{
    QList<qsizetype> widths(rightAligned.size(), 0);
    for (const QStringList &row : rows)
        for (qsizetype c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], row[c].size());
    QString text;
    for (const QStringList &row : rows) {
        QStringList cells;
        for (qsizetype c = 0; c < row.size(); ++c)
            cells << (rightAligned[c] ? row[c].rightJustified(widths[c]) : row[c].leftJustified(widths[c]));
        QString line = cells.join(QStringLiteral("  "));
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        text += line + QLatin1Char('\n');
    }
    text.chop(1);
    return text;
}

QString modeNote(const QString &opening)
{
    switch (controlMode(opening)) {
    case ControlMode::WideAngle: return QStringLiteral(" (wide-angle mode)");
    case ControlMode::NarrowAngle: return QStringLiteral(" (narrow-angle mode)");
    case ControlMode::Time: break;
    }
    return QStringLiteral(" ms (time mode)");
}

} // namespace

int checkCommand(const QString &curve)
{
    const std::optional<CheckedCurve> checked = checkedCurve(curve, say);
    if (!checked)
        return ExitRefused;
    say(QStringLiteral("%1: ready to download, %2").arg(curve, valuesText(checked->frame)));
    return ExitDone;
}

int showCommand(const QString &curve)
{
    const std::optional<CurveFileContents> file = loadCurve(curve);
    if (!file)
        return ExitRefused;
    const CurveTexts &t = file->texts;
    const ControlMode mode = controlMode(t.opening);
    const bool flag = fileDownload(t).versionFlag;
    const QString notSent = flag ? QString() : QStringLiteral(" (not sent before version 8,3)");
    say(aligned({{QStringLiteral("file"), curve + (file->variant == CurveVariant::Igc ? QStringLiteral(" (igc)") : QString())},
                 {QStringLiteral("cylinders"), t.cylinders},
                 {QStringLiteral("shift-light speed"), t.shiftRpm + QStringLiteral(" rpm")},
                 {QStringLiteral("opening"), t.opening + modeNote(t.opening)},
                 {QStringLiteral("dwell"), t.dwell + (mode == ControlMode::Time ? QStringLiteral(" ms") : QStringLiteral(" degrees"))},
                 {QStringLiteral("input edge polarity"), t.inputPolarity},
                 {QStringLiteral("output edge polarity"), t.outputPolarity},
                 {QStringLiteral("version"), t.version},
                 {QStringLiteral("dwell correction"), t.dwellCorrection + notSent},
                 {QStringLiteral("transparent ranges"), t.transparent + notSent}},
                {false, false}));
    QList<QStringList> rows{{QStringLiteral("row"), QStringLiteral("rpm"), QStringLiteral("advance"), QStringLiteral("pattern")}};
    for (int r = 1; r <= kCurveRows; ++r)
        rows << QStringList{QString::number(r), t.rows[r - 1].rpm, t.rows[r - 1].advance, t.rows[r - 1].pattern};
    say(QString());
    say(aligned(rows, {true, true, true, false}));
    return ExitDone;
}

int frameCommand(const QString &curve, bool raw)
{
    const std::optional<CheckedCurve> checked = checkedCurve(curve, complain);
    if (!checked)
        return ExitRefused;
    const QByteArray line = frameLine(checked->frame);
    if (raw) {
#ifdef Q_OS_WIN
        // The bytes as they are: Windows' C runtime would write 13 10 for every 10.
        _setmode(_fileno(stdout), _O_BINARY);
#endif
        writeOut(line);
        return ExitDone;
    }
    // Eight groups a line, plain hex pairs: xxd -r -p turns them back.
    for (qsizetype at = 0; at < line.size(); at += 8 * kGroupBytes)
        writeOut(line.mid(at, 8 * kGroupBytes).toHex(' ') + '\n');
    return ExitDone;
}

int downloadCommand(const QString &curve, const QString &port, bool shared)
{
    const std::optional<CheckedCurve> checked = checkedCurve(curve, complain);
    if (!checked)
        return ExitRefused;
    const QByteArray &frame = checked->frame;

    TComm comm;
    comm.SetDeviceName(port);
    comm.setShared(shared);
    DownloadSession session(comm);
    const Interruption interruption;
    const LineProgress progress(session, frame.size() * kGroupBytes);
    DownloadOutcome outcome;
    QObject::connect(&session, &DownloadSession::finished, [&outcome](const DownloadOutcome &o) { outcome = o; });
    if (const std::optional<int> failed = begin(comm, port, [&session] { return session.beginDownload(); })) {
        if (*failed == ExitLine)
            complain(incompleteCurveText(1));
        return *failed;
    }
    session.send(frame);
    if (const int signal = runSession(session, interruption)) {
        complain(incompleteCurveText(1));
        return signal;
    }
    if (!outcome.done) {
        complain(QStringLiteral("%1: the line failed (%2); %3 of %4 values had left the port")
                     .arg(portLabel(port, comm.systemPort()), outcome.reason).arg(outcome.valuesSent).arg(frame.size()));
        complain(incompleteCurveText(1));
        return ExitLine;
    }
    const QByteArray line = frameLine(frame);
    const FileDownload &download = checked->download;
    say(aligned({{QStringLiteral("file"), curve},
                 {QStringLiteral("port"), portLabel(port, comm.systemPort())},
                 {QStringLiteral("sent"), QStringLiteral("%1 bytes, %2").arg(line.size()).arg(valuesText(frame))},
                 {QStringLiteral("version"), QStringLiteral("%1 (version flag %2)").arg(download.texts.version).arg(int(download.versionFlag))},
                 {QStringLiteral("sha256"), frameDigest(frame)}},
                {false, false}));
    return ExitDone;
}

int wakeCommand(const QString &port, bool shared)
{
    TComm comm;
    comm.SetDeviceName(port);
    comm.setShared(shared);
    DownloadSession session(comm);
    const Interruption interruption;
    if (const std::optional<int> failed = begin(comm, port, [&session] { return session.beginWakePulse(); }))
        return *failed;
    QTimer::singleShot(kWakePulseMs, Qt::PreciseTimer, &session, [&session] { session.endWakePulse(); });
    if (const int signal = runSession(session, interruption))
        return signal;
    if (session.state() != DownloadSession::State::Done) {
        complain(QStringLiteral("%1: the line failed ending the BREAK: %2").arg(portLabel(port, comm.systemPort()), comm.LineError()));
        return ExitLine;
    }
    say(QStringLiteral("wake pulse: BREAK held for %1 ms on %2").arg(kWakePulseMs).arg(portLabel(port, comm.systemPort())));
    return ExitDone;
}

int portsCommand()
{
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    QStringList paths;
    for (const QSerialPortInfo &info : infos)
        paths << info.systemLocation();
    if (paths.isEmpty()) {
        say(QStringLiteral("No serial ports found. A USB adapter shows up when it is plugged in."));
        return ExitDone;
    }
    for (const QString &path : orderSerialPorts(paths)) {
        const QSerialPortInfo &info = infos[paths.indexOf(path)];
        const int number = comNumberOf(path, paths);
        QStringList about;
        if (!info.description().isEmpty())
            about << info.description();
        if (info.hasVendorIdentifier() && info.hasProductIdentifier())
            about << QStringLiteral("USB %1:%2").arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'))
                                                 .arg(info.productIdentifier(), 4, 16, QLatin1Char('0'));
        if (!info.serialNumber().isEmpty())
            about << QStringLiteral("serial number ") + info.serialNumber();
        const QString name = number > 0 ? QStringLiteral("Com%1").arg(number) : path;
        const PortDiagnosis diagnosis = diagnosePort(name, path);
        say(QStringLiteral("%1  %2").arg(name, path));
        if (!about.isEmpty())
            say(QStringLiteral("      ") + about.join(QStringLiteral(", ")));
        say(QStringLiteral("      ")
            + (diagnosis.verdict == PortVerdict::Usable ? QStringLiteral("this user can open it")
                                                        : QStringLiteral("cannot be opened: ") + portVerdictText(diagnosis, englishPortTexts())));
    }
    return ExitDone;
}

int exportCommand(const QString &curve)
{
    const std::optional<CurveFileContents> file = loadCurve(curve);
    if (!file)
        return ExitRefused;
    writeOut(writeCurveCsv(file->texts));
    return ExitDone;
}

namespace {

// The file import writes: a regular file, replaced whole, or a new name.
// Anything else (a device, a FIFO, a folder) would be replaced by a curve
// file: /dev/null put back as one breaks the system.
bool mayWrite(const QString &output)
{
    if (isLostName(output)) {
        complain(output + QStringLiteral(": the name is not UTF-8; give the new curve file a UTF-8 name"));
        return false;
    }
    const QFileInfo target(output);
    if (target.exists() && !target.isFile()) {
        complain(output + QStringLiteral(": not a regular file; import writes only to a regular file or a new name"));
        return false;
    }
    return true;
}

// A replaced file is a new one: it gets back the owner and group of the
// one it replaced, where this user may give them.
void keepOwner(const QString &output, const QFileInfo &before)
{
#ifdef Q_OS_UNIX
    const QFileInfo after(output);
    if (after.ownerId() == before.ownerId() && after.groupId() == before.groupId())
        return;
    if (::chown(QFile::encodeName(output).constData(), before.ownerId(), before.groupId()) == 0)
        return;
    complain(QStringLiteral("%1: written, but it now belongs to %2:%3 instead of %4:%5 (%6)")
                 .arg(output, after.owner(), after.group(), before.owner(), before.group(),
                      QString::fromLocal8Bit(std::strerror(errno))));
#else
    Q_UNUSED(output);
    Q_UNUSED(before);
#endif
}

} // namespace

int importCommand(const QString &table, const QString &into, const QString &output)
{
    if (!mayWrite(output))
        return ExitRefused;
    const std::optional<QByteArray> csv = readArgumentFile(table);
    if (!csv)
        return ExitRefused;
    std::optional<CurveFileContents> file = loadCurve(into);
    if (!file)
        return ExitRefused;
    const CsvRows rows = readCurveCsv(*csv);
    for (const CsvProblem &problem : rows.problems)
        complain(table + QStringLiteral(": ") + csvProblemText(problem));
    if (!rows.problems.isEmpty())
        return ExitRefused;
    file->texts.rows = rows.rows;
    // Its owner as it is now: the file is replaced below.
    QFileInfo before(output);
    before.stat();
    try {
        writeTextFile(output, writeCurveFile(file->texts));
    } catch (const PlatformError &e) {
        complain(oneLine(e.message()));
        return ExitRefused;
    }
    if (before.exists())
        keepOwner(output, before);
    say(QStringLiteral("%1: the rows of %2 with the parameters of %3").arg(output, table, into));
    return ExitDone;
}
