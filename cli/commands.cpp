// igctool's commands: thin shells around the core and the serial line that
// the window uses, so that whatever the window checks, builds or sends,
// these check, build and send byte for byte the same.
#include "cli/commands.h"

#include "cli/line_progress.h"
#include "core/curve_csv.h"
#include "core/curve_file.h"
#include "core/download_check.h"
#include "core/download_frame.h"
#include "core/field_rules.h"
#include "core/text_file.h"
#include "serial/device_name.h"
#include "serial/download_sequence.h"
#include "serial/port_doctor.h"
#include "serial/serial_comm.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSerialPortInfo>
#include <QTextStream>
#include <chrono>
#include <optional>
#include <thread>

namespace {

void say(const QString &line)
{
    QTextStream(stdout) << line << '\n';
}

void complain(const QString &line)
{
    QTextStream(stderr) << line << '\n';
}

// A platform error's message on one line.
QString oneLine(QString message)
{
    return message.replace(QLatin1Char('\n'), QLatin1Char(' '));
}

std::optional<CurveFileContents> loadCurve(const QString &path)
{
    try {
        if (std::optional<CurveFileContents> file = readCurveFile(readTextFile(path)))
            return file;
        complain(path + QStringLiteral(": not a curve file (its first line is neither igc nor igc1)"));
    } catch (const PlatformError &e) {
        complain(oneLine(e.message()));
    }
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

// The port named on the command line, opened and ready for `start`; the
// exit status when it could not be.
template <typename Start>
std::optional<int> openPort(TComm &comm, const QString &port, Start start)
{
    comm.SetDeviceName(port);
    try {
        if (start(comm))
            return std::nullopt;
        comm.Close();
        complain(QStringLiteral("%1 refused the BREAK").arg(portLabel(port, comm.systemPort())));
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
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly))
        return ExitRefused;
    if (raw) {
        out.write(line);
        return ExitDone;
    }
    // Eight groups a line, plain hex pairs: xxd -r -p turns them back.
    for (qsizetype at = 0; at < line.size(); at += 8 * kGroupBytes)
        out.write(line.mid(at, 8 * kGroupBytes).toHex(' ') + '\n');
    return ExitDone;
}

int downloadCommand(const QString &curve, const QString &port)
{
    using Clock = std::chrono::steady_clock;
    const std::optional<CheckedCurve> checked = checkedCurve(curve, complain);
    if (!checked)
        return ExitRefused;
    const QByteArray &frame = checked->frame;

    TComm comm;
    if (const std::optional<int> failed = openPort(comm, port, beginDownload))
        return *failed;
    // The module measures the BREAK: never shorter than the window's.
    std::this_thread::sleep_until(Clock::now() + std::chrono::milliseconds(kDownloadBreakMs));
    qint32 sent = 0;
    {
        const LineProgress progress(frame.size() * kGroupBytes);
        sent = finishDownload(comm, frame);
    }
    if (sent != frame.size()) {
        complain(QStringLiteral("%1: the line failed, %2 of %3 values went out")
                     .arg(portLabel(port, comm.systemPort())).arg(sent).arg(frame.size()));
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

int wakeCommand(const QString &port)
{
    using Clock = std::chrono::steady_clock;
    TComm comm;
    if (const std::optional<int> failed = openPort(comm, port, beginWakePulse))
        return *failed;
    std::this_thread::sleep_until(Clock::now() + std::chrono::milliseconds(kWakePulseMs));
    endWakePulse(comm);
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
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly))
        return ExitRefused;
    out.write(writeCurveCsv(file->texts));
    return ExitDone;
}

int importCommand(const QString &table, const QString &into, const QString &output)
{
    QByteArray csv;
    try {
        csv = readTextFile(table);
    } catch (const PlatformError &e) {
        complain(oneLine(e.message()));
        return ExitRefused;
    }
    std::optional<CurveFileContents> file = loadCurve(into);
    if (!file)
        return ExitRefused;
    const CsvRows rows = readCurveCsv(csv);
    for (const CsvProblem &problem : rows.problems)
        complain(table + QStringLiteral(": ") + csvProblemText(problem));
    if (!rows.problems.isEmpty())
        return ExitRefused;
    file->texts.rows = rows.rows;
    try {
        writeTextFile(output, writeCurveFile(file->texts));
    } catch (const PlatformError &e) {
        complain(oneLine(e.message()));
        return ExitRefused;
    }
    say(QStringLiteral("%1: the rows of %2 with the parameters of %3").arg(output, table, into));
    return ExitDone;
}
