// igctool's commands: thin shells around the core and the serial line that
// the window uses, so that whatever the window checks, builds or sends,
// these check, build and send byte for byte the same.
#include "cli/commands.h"

#include "cli/curve_argument.h"
#include "cli/files.h"
#include "cli/interruption.h"
#include "cli/line_progress.h"
#include "cli/output.h"
#include "cli/port_argument.h"
#include "core/check_notes.h"
#include "core/curve_csv.h"
#include "core/curve_file.h"
#include "core/download_check.h"
#include "core/download_failure.h"
#include "core/download_frame.h"
#include "core/field_rules.h"
#include "core/tool_texts.h"
#include "serial/device_name.h"
#include "serial/download_session.h"
#include "serial/port_doctor.h"
#include "serial/serial_comm.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QSerialPortInfo>
#include <QTimer>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

namespace {

// The language of the texts both programs print: the window's index.
int windowLanguage()
{
    return language() == ToolLanguage::Hungarian ? 0 : 1;
}

QString valuesText(const QByteArray &frame)
{
    return (frame.size() > kFrameValues ? texts().valuesWithOptions : texts().values).arg(frame.size());
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
        complain(texts().breakRefused.arg(portLabel(port, comm.systemPort()), comm.LineError()));
        return ExitLine;
    } catch (const PlatformError &e) {
        complain(portErrorText(e));
    }
    return ExitPort;
}

// --verbose: the session's steps as the event loop hears of them.
void tellSteps(const DownloadSession &session, const QString &port, qint64 bytes)
{
    if (verbosity() != Verbosity::Verbose)
        return;
    QObject::connect(&session, &DownloadSession::stateChanged, &session, [=](DownloadSession::State state) {
        const ToolTexts &t = texts();
        if (state == DownloadSession::State::Break)
            detail(t.breakRaised.arg(port));
        else if (state == DownloadSession::State::Sending)
            detail(t.sending.arg(bytes));
        else if (state == DownloadSession::State::Done)
            detail(t.released);
    });
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

// JSON keys: what a script reads does not change with the language.
const char *const kFieldKeys[] = {"cylinders", "shiftRpm", "opening", "dwell", "inputPolarity", "outputPolarity",
                                  "dwellCorrection", "transparentRanges", "shiftPeriod", "rpm", "advance", "pattern"};
const char *const kParameterKeys[] = {"cylinders", "shiftRpm", "opening", "dwell", "inputPolarity", "outputPolarity",
                                      "version", "dwellCorrection", "transparentRanges"};

QJsonObject refusalJson(const Refusal &r)
{
    static const char *const kinds[] = {"empty", "notANumber", "outOfRange", "notAPattern", "notAChoice", "tooLong"};
    QJsonObject json{{"field", kFieldKeys[static_cast<int>(r.field)]}, {"kind", kinds[static_cast<int>(r.kind)]},
                     {"text", r.text}, {"message", refusalText(r, texts().refusal)}};
    if (r.row > 0)
        json.insert("row", r.row);
    if (r.kind == Refusal::Kind::OutOfRange) {
        json.insert("low", r.range.low);
        json.insert("high", r.range.high);
    }
    return json;
}

QJsonObject noteJson(const CheckNote &note)
{
    static const char *const kinds[] = {"offStep", "endsEarly", "otherEncoding"};
    QJsonObject json{{"kind", kinds[static_cast<int>(note.kind)]}, {"message", checkNoteText(note, texts().notes)}};
    switch (note.kind) {
    case CheckNote::Kind::OffStep:
        json.insert("row", note.row);
        json.insert("text", note.text);
        json.insert("sent", note.sent);
        break;
    case CheckNote::Kind::EndsEarly:
        json.insert("lines", note.line);
        json.insert("of", note.whole);
        break;
    case CheckNote::Kind::OtherEncoding:
        json.insert("encoding", encodingName(note.encoding));
        json.insert("line", note.line);
        json.insert("text", note.text);
        break;
    }
    return json;
}

QStringList parameterTexts(const CurveTexts &t)
{
    return {t.cylinders, t.shiftRpm, t.opening, t.dwell, t.inputPolarity, t.outputPolarity, t.version,
            t.dwellCorrection, t.transparent};
}

} // namespace

int checkCommand(const QString &curve, bool json)
{
    const CheckedCurve c = checkCurve(curve);
    if (json) {
        QJsonArray refusals;
        for (const Refusal &refusal : c.refusals)
            refusals.append(refusalJson(refusal));
        QJsonArray notes;
        for (const CheckNote &note : c.notes)
            notes.append(noteJson(note));
        QJsonObject result{{"file", c.curve.name}, {"downloadable", c.refusals.isEmpty()},
                           {"versionFlag", c.download.versionFlag}, {"refusals", refusals}, {"notes", notes}};
        if (c.refusals.isEmpty()) {
            result.insert("values", c.frame.size());
            result.insert("sha256", frameDigest(c.frame));
        }
        sayJson(result);
        return c.refusals.isEmpty() ? ExitDone : ExitRefused;
    }
    // The notes first: a file that ends early explains the refusals after it.
    if (verbosity() != Verbosity::Quiet) {
        for (const CheckNote &note : c.notes)
            say(noteLine(c, note));
    }
    for (const Refusal &refusal : c.refusals)
        say(refusalLine(c, refusal));
    if (!c.refusals.isEmpty())
        return ExitRefused;
    if (verbosity() != Verbosity::Quiet)
        say(texts().ready.arg(c.curve.name, valuesText(c.frame)));
    return ExitDone;
}

int showCommand(const QString &curve, bool json)
{
    const LoadedCurve loaded = loadCurve(curve);
    const CurveTexts &t = loaded.file.texts;
    const QStringList parameters = parameterTexts(t);
    if (json) {
        QJsonObject values;
        for (int p = 0; p < parameters.size(); ++p)
            values.insert(kParameterKeys[p], parameters[p]);
        QJsonArray rows;
        for (int r = 1; r <= kCurveRows; ++r) {
            const RowTexts &row = t.rows[r - 1];
            rows.append(QJsonObject{{"row", r}, {"rpm", row.rpm}, {"advance", row.advance}, {"pattern", row.pattern}});
        }
        sayJson(QJsonObject{{"file", loaded.name},
                            {"variant", loaded.file.variant == CurveVariant::Igc ? "igc" : "igc1"},
                            {"versionFlag", fileDownload(t).versionFlag},
                            {"parameters", values},
                            {"rows", rows}});
        return ExitDone;
    }
    const ToolTexts &w = texts();
    const ControlMode mode = controlMode(t.opening);
    const QString notSent = fileDownload(t).versionFlag ? QString() : w.notSent;
    const QString suffixes[] = {QString(), w.rpmUnit, w.modeNotes[static_cast<int>(mode)],
                                mode == ControlMode::Time ? w.msUnit : w.degreeUnit,
                                QString(), QString(), QString(), notSent, notSent};
    QList<QStringList> lines{{w.fileCaption, loaded.name + (loaded.file.variant == CurveVariant::Igc ? w.oldVariant : QString())}};
    for (int p = 0; p < parameters.size(); ++p)
        lines << QStringList{w.parameterCaptions[p], parameters[p] + suffixes[p]};
    say(aligned(lines, {false, false}));
    QList<QStringList> rows{{w.tableTitles.begin(), w.tableTitles.end()}};
    for (int r = 1; r <= kCurveRows; ++r)
        rows << QStringList{QString::number(r), t.rows[r - 1].rpm, t.rows[r - 1].advance, t.rows[r - 1].pattern};
    say(QString());
    say(aligned(rows, {true, true, true, false}));
    return ExitDone;
}

int frameCommand(const QString &curve, bool raw)
{
    const QByteArray line = frameLine(checkedCurve(curve).frame);
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

int downloadCommand(const QString &curve, const std::optional<QString> &portOption, bool shared, bool json)
{
    const CheckedCurve checked = checkedCurve(curve);
    const QByteArray &frame = checked.frame;
    const QString port = chosenPort(portOption);
    const ToolTexts &t = texts();

    TComm comm;
    comm.SetDeviceName(port);
    comm.setShared(shared);
    DownloadSession session(comm);
    const Interruption interruption;
    std::optional<LineProgress> progress;
    if (verbosity() != Verbosity::Quiet)
        progress.emplace(session, frame.size() * kGroupBytes);
    tellSteps(session, port, frame.size() * kGroupBytes);
    DownloadOutcome outcome;
    QObject::connect(&session, &DownloadSession::finished, [&outcome](const DownloadOutcome &o) { outcome = o; });
    if (const std::optional<int> failed = begin(comm, port, [&session] { return session.beginDownload(); })) {
        if (*failed == ExitLine)
            complain(incompleteCurveText(windowLanguage()));
        return *failed;
    }
    session.send(frame);
    if (const int signal = runSession(session, interruption)) {
        complain(incompleteCurveText(windowLanguage()));
        return signal;
    }
    const QString label = portLabel(port, comm.systemPort());
    if (!outcome.done) {
        complain(t.lineFailed.arg(label, outcome.reason, QString::number(outcome.valuesSent), QString::number(frame.size())));
        complain(incompleteCurveText(windowLanguage()));
        return ExitLine;
    }
    const QByteArray line = frameLine(frame);
    const FileDownload &download = checked.download;
    if (json) {
        sayJson(QJsonObject{{"file", checked.curve.name}, {"port", port}, {"device", comm.systemPort()},
                            {"bytes", line.size()}, {"values", frame.size()}, {"version", download.texts.version},
                            {"versionFlag", download.versionFlag}, {"sha256", frameDigest(frame)}});
    } else if (verbosity() != Verbosity::Quiet) {
        const QStringList values = {checked.curve.name, label,
                                    t.sentBytes.arg(QString::number(line.size()), valuesText(frame)),
                                    t.versionFlag.arg(download.texts.version, QString::number(int(download.versionFlag))),
                                    frameDigest(frame)};
        QList<QStringList> receipt;
        for (int i = 0; i < values.size(); ++i)
            receipt << QStringList{t.receiptCaptions[i], values[i]};
        say(aligned(receipt, {false, false}));
    }
    return ExitDone;
}

int wakeCommand(const std::optional<QString> &portOption, bool shared)
{
    const QString port = chosenPort(portOption);
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
    const QString label = portLabel(port, comm.systemPort());
    if (session.state() != DownloadSession::State::Done) {
        complain(texts().wakeFailed.arg(label, comm.LineError()));
        return ExitLine;
    }
    if (verbosity() != Verbosity::Quiet)
        say(texts().wakeDone.arg(QString::number(kWakePulseMs), label));
    return ExitDone;
}

int portsCommand(bool json)
{
    static const char *const verdicts[] = {"usable", "noPort", "missing", "notSerial", "needsGroup", "needsNewLogin",
                                           "noPermission", "locked", "lockInTheWay", "busy", "failed"};
    const ToolTexts &t = texts();
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    QStringList paths;
    for (const QSerialPortInfo &info : infos)
        paths << info.systemLocation();
    if (paths.isEmpty() && !json) {
        say(t.noPorts);
        return ExitDone;
    }
    QJsonArray list;
    for (const QString &path : orderSerialPorts(paths)) {
        const QSerialPortInfo &info = infos[paths.indexOf(path)];
        const int number = comNumberOf(path, paths);
        const QString name = number > 0 ? QStringLiteral("Com%1").arg(number) : path;
        const PortDiagnosis diagnosis = diagnosePort(name, path);
        const bool usable = diagnosis.verdict == PortVerdict::Usable;
        const QString usb = info.hasVendorIdentifier() && info.hasProductIdentifier()
            ? QStringLiteral("%1:%2").arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0')).arg(info.productIdentifier(), 4, 16, QLatin1Char('0'))
            : QString();
        const QString why = usable ? t.usable : portVerdictText(diagnosis, portTexts());
        if (json) {
            QJsonObject port{{"name", name}, {"device", path}, {"description", info.description()},
                             {"serialNumber", info.serialNumber()}, {"usable", usable},
                             {"verdict", verdicts[static_cast<int>(diagnosis.verdict)]}, {"why", why}};
            if (!usb.isEmpty())
                port.insert("usb", usb);
            list.append(port);
            continue;
        }
        QStringList about;
        if (!info.description().isEmpty())
            about << info.description();
        if (!usb.isEmpty())
            about << QStringLiteral("USB ") + usb;
        if (!info.serialNumber().isEmpty())
            about << t.serialNumber.arg(info.serialNumber());
        say(QStringLiteral("%1  %2").arg(name, path));
        if (!about.isEmpty())
            say(QStringLiteral("      ") + about.join(QStringLiteral(", ")));
        say(QStringLiteral("      ") + (usable ? why : t.notUsable + why));
    }
    if (json)
        sayJson(QJsonObject{{"ports", list}});
    return ExitDone;
}

int exportCommand(const QString &curve, const QString &output)
{
    checkOutput(output);
    writeOutput(output, writeCurveCsv(loadCurve(curve).file.texts));
    return ExitDone;
}

int importCommand(const QString &table, const QString &into, const QString &output)
{
    const ToolTexts &t = texts();
    if (isStandardInput(table) && isStandardInput(into))
        fail(ExitUsage, t.twoStandardInputs);
    checkOutput(output);
    const QByteArray csv = readInput(table);
    LoadedCurve curve = loadCurve(into);
    const CsvRows rows = readCurveCsv(csv);
    const QString name = displayName(table);
    const int separator = QStringLiteral("\t;,").indexOf(rows.separator);
    detail(t.tableRead.arg(name, encodingName(rows.encoding), t.separators[separator], rows.titled ? t.titled : t.untitled));
    for (const QString &problem : csvProblemTexts(rows.problems, t.csv))
        complain(name + QStringLiteral(": ") + problem);
    if (!rows.problems.isEmpty())
        return ExitRefused;
    curve.file.texts.rows = rows.rows;
    writeOutput(output, writeCurveFile(curve.file.texts));
    // The encoding is named where a spreadsheet may have chosen it.
    const bool named = rows.encoding == TextEncoding::Windows1250 || rows.encoding == TextEncoding::Utf16LE
        || rows.encoding == TextEncoding::Utf16BE;
    const QString source = named ? QStringLiteral("%1 (%2)").arg(name, encodingName(rows.encoding)) : name;
    // On standard output the curve itself is the result.
    if (!isStandardOutput(output) && verbosity() != Verbosity::Quiet)
        say(t.imported.arg(output, source, curve.name));
    return ExitDone;
}
