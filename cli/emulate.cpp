// igctool emulate: receives a download as the module would and tells what
// it would have put into the module, or why the module would have been
// left with something else.
#include "cli/emulate.h"

#include "cli/commands.h"
#include "cli/curve_argument.h"
#include "cli/output.h"
#include "cli/port_argument.h"
#include "core/curve_file.h"
#include "core/inhibit_pattern.h"
#include "core/number_text.h"
#include "core/platform_error.h"
#include "core/received_frame.h"
#include "core/text_file.h"
#include "serial/download_receiver.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <cmath>
#include <csignal>

const char *const kEmulateHelp =
    "Receives a download as the module would, decodes the frame and checks it:\n"
    "the module on the desk, for a tuner without one or a CI run.\n\n"
    "Without --port it opens a pseudo-terminal and prints the path of its other\n"
    "end as the first line of stdout, at once, for a download to use:\n"
    "  igctool download curve.igc --port /dev/pts/3\n"
    "It never holds that end open itself. A pseudo-terminal carries no BREAK:\n"
    "there a download starts with the first byte after at least 400 ms of\n"
    "silence. With --port it listens on a serial line at 2400 baud 8N1 (a second\n"
    "adapter on a null-modem cable) and sees the BREAK's start. A download ends\n"
    "when the line has been silent for 100 ms (a byte takes about 4 ms at 2400\n"
    "baud) or the other end closes the port.\n\n"
    "For each download it prints the time from the BREAK's start to the first\n"
    "byte (or the silence before it), the longest gap between bytes, the byte\n"
    "count, and the curve as the frame holds it, rows in table order. The frame\n"
    "carries no speeds and tells the control mode only as \"an angle mode\" or a\n"
    "time. A frame that breaks a rule (every value followed by 255 255, 127 or\n"
    "128 values, the control byte's fixed bits, the fixed value 12, 15 in the\n"
    "cylinders value's low bits) is refused with the first place it breaks:\n"
    "  refused: value 66: 255 filler missing after 20\n\n"
    "Options:\n"
    "  -p, --port DEVICE    listen on this serial port: Com and a number, or a device path\n"
    "  --link PATH          also make PATH a symbolic link to the line, removed at the end\n"
    "  --expect CURVE.igc   the frame must be what igctool frame --raw CURVE.igc gives,\n"
    "                       else it is refused with the first difference:\n"
    "                         row 12 advance: received 20,5°, file says 21°\n"
    "  --out OUT.igc        write the received curve (each download replaces it): its\n"
    "                       frame is the received one; speeds, control mode and version\n"
    "                       come from --expect, else the defaults and guesses it names\n"
    "  --once               end after one download; else wait for the next until\n"
    "                       interrupted (Ctrl-C)\n"
    "  --json               each download as one JSON object on a line of its own\n\n"
    "Exit status 0 when every download was accepted (and equal to --expect), 1 when\n"
    "one was refused or none came, 3 when the line cannot be opened, 4 when it\n"
    "fails, 5 when --expect cannot be read or --out or --link cannot be written.\n"
    "Linux only: Windows has no pseudo-terminal, and a COM port is refused.";

namespace {

using Duration = ReceivedDownload::Duration;

std::atomic<bool> stopRequested{false};

void requestStop(int)
{
    stopRequested = true;
}

double ms(Duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

QString msText(Duration d)
{
    return decimalText(ms(d), 1) + QStringLiteral(" ms");
}

// The curve the download was meant to send, as igctool frame reads it.
struct Expected {
    QString path;
    CurveTexts file;
    ReceivedFrame frame;
    ControlMode mode;
};

Expected loadExpected(const QString &path)
{
    const CheckedCurve checked = checkedCurve(path);
    const auto frame = readDownloadLine(frameLine(checked.frame));
    return Expected{checked.curve.name, checked.curve.file.texts, std::get<ReceivedFrame>(frame),
                    controlMode(checked.download.texts.opening)};
}

// --link: a symbolic link to the line's device, removed again at the end
// when it still points there. Only a link is ever replaced.
class DeviceLink {
public:
    DeviceLink(const QString &link, const QString &device) : link_(link), device_(device)
    {
        if (link_.isEmpty())
            return;
        const QFileInfo there(link_);
        if (there.exists() && !there.isSymLink())
            throw PlatformError(link_ + QStringLiteral(": exists and is no symbolic link; it stays as it is"));
        if (there.isSymLink())
            QFile::remove(link_);
        if (!QFile::link(device_, link_))
            throw PlatformError(link_ + QStringLiteral(": cannot make a symbolic link here"));
    }
    ~DeviceLink()
    {
        if (!link_.isEmpty() && QFileInfo(link_).symLinkTarget() == device_)
            QFile::remove(link_);
    }
    DeviceLink(const DeviceLink &) = delete;
    DeviceLink &operator=(const DeviceLink &) = delete;

private:
    QString link_;
    QString device_;
};

// What one download was, and what became of it.
struct Verdict {
    QString refusal;    // the frame's first fault, or its first difference from --expect
    QStringList notes;  // --out's file and its guesses
    QString notWritten; // why --out's file could not be written
    bool accepted() const { return refusal.isEmpty(); }
};

QString lineTable(const QList<std::pair<QString, QString>> &lines)
{
    QString text;
    for (const auto &[label, value] : lines)
        text += label.leftJustified(22) + value + QLatin1Char('\n');
    return text;
}

QString timingTable(const ReceivedDownload &d, bool seesBreak)
{
    QList<std::pair<QString, QString>> lines{
        {QStringLiteral("received"), QStringLiteral("%1 bytes").arg(d.bytes.size())}};
    if (d.breakToFirstByte)
        lines.append({QStringLiteral("BREAK"), msText(*d.breakToFirstByte) + QStringLiteral(" from its start to the first byte")});
    lines.append({QStringLiteral("silence before"), msText(d.silenceBefore)
                  + (d.breakToFirstByte ? QStringLiteral(" (before the BREAK)")
                     : seesBreak        ? QStringLiteral(" (no BREAK seen)")
                                        : QStringLiteral(" (a pseudo-terminal carries no BREAK)"))});
    lines.append({QStringLiteral("longest gap"), msText(d.longestGap)});
    lines.append({QStringLiteral("ended"), d.closed ? QStringLiteral("the other end closed the port")
                                                    : QStringLiteral("%1 ms of silence").arg(kEndSilenceMs)});
    if (d.strayBytes > 0)
        lines.append({QStringLiteral("stray bytes"), QStringLiteral("%1 before it, without a BREAK or the silence before them").arg(d.strayBytes)});
    lines.append({QStringLiteral("sha256"), QString::fromLatin1(QCryptographicHash::hash(d.bytes, QCryptographicHash::Sha256).toHex())});
    return lineTable(lines);
}

QString curveTable(const ReceivedFrame &f)
{
    QList<std::pair<QString, QString>> lines{
        {QStringLiteral("values"), QString::number(f.values.size()) + (f.versionFlag ? QStringLiteral(" (version 8,3 or later)") : QString())},
        {QStringLiteral("input edge polarity"), edgeText(f.inputRising)},
        {QStringLiteral("output edge polarity"), edgeText(f.outputRising)}};
    if (f.versionFlag) {
        lines.append({QStringLiteral("dwell correction"), QString::number(f.dwellCorrection)});
        lines.append({QStringLiteral("transparent ranges"), QString::number(f.transparent)});
    }
    if (f.opening == 0) {
        lines.append({QStringLiteral("opening"), QStringLiteral("0: wide-angle or narrow-angle mode")});
        lines.append({QStringLiteral("dwell"), QStringLiteral("%1 steps: %2° in wide-angle mode, %3° in narrow-angle mode")
                                                   .arg(f.dwell).arg(dwellReading(f.dwell, ControlMode::WideAngle))
                                                   .arg(dwellReading(f.dwell, ControlMode::NarrowAngle))});
    } else {
        lines.append({QStringLiteral("opening"), QStringLiteral("%1 steps: %2 ms (time mode)").arg(f.opening).arg(decimalText(openingMs(f.opening), 4))});
        lines.append({QStringLiteral("dwell"), QStringLiteral("%1 steps: %2 ms").arg(f.dwell).arg(decimalText(dwellReading(f.dwell, ControlMode::Time), 4))});
    }
    const double rpm = periodRpm(f.period, f.cylinders);
    lines.append({QStringLiteral("shift-light period"), QString::number(f.period)
                  + (rpm > 0 ? QStringLiteral(" (about %1 rpm)").arg(std::round(rpm)) : QString())});
    lines.append({QStringLiteral("cylinders"), QString::number(f.cylinders)});
    QString text = lineTable(lines) + QStringLiteral("\nrow  advance  pattern\n");
    for (int r = 1; r <= kCurveRows; ++r)
        text += QStringLiteral("%1  %2  %3\n").arg(r, 3).arg(decimalText(f.advance[r - 1] / 2.0, 1), 7).arg(inhibitPatternText(f.pattern[r - 1]));
    return text;
}

// JSON numbers without the noise of binary fractions.
double rounded(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

QJsonObject curveJson(const ReceivedFrame &f)
{
    QJsonArray rows;
    for (int r = 1; r <= kCurveRows; ++r)
        rows.append(QJsonObject{{"row", r}, {"advanceHalfDegrees", f.advance[r - 1]}, {"advance", f.advance[r - 1] / 2.0},
                                {"pattern", inhibitPatternText(f.pattern[r - 1])}});
    QJsonObject curve{{"values", f.values.size()}, {"versionFlag", f.versionFlag},
                      {"inputEdge", edgeText(f.inputRising)}, {"outputEdge", edgeText(f.outputRising)},
                      {"openingSteps", f.opening}, {"dwellSteps", f.dwell},
                      {"shiftPeriod", f.period}, {"shiftRpm", rounded(periodRpm(f.period, f.cylinders), 1)},
                      {"cylinders", f.cylinders}, {"rows", rows}};
    if (f.versionFlag) {
        curve.insert("dwellCorrection", f.dwellCorrection);
        curve.insert("transparentRanges", f.transparent);
    }
    if (f.opening == 0) {
        curve.insert("dwellWideAngleDegrees", dwellReading(f.dwell, ControlMode::WideAngle));
        curve.insert("dwellNarrowAngleDegrees", dwellReading(f.dwell, ControlMode::NarrowAngle));
    } else {
        curve.insert("openingMs", rounded(openingMs(f.opening), 4));
        curve.insert("dwellMs", rounded(dwellReading(f.dwell, ControlMode::Time), 4));
    }
    return curve;
}

QJsonObject downloadJson(const ReceivedDownload &d)
{
    QJsonObject json{{"bytes", d.bytes.size()},
                     {"silenceBeforeMs", rounded(ms(d.silenceBefore), 1)},
                     {"longestGapMs", rounded(ms(d.longestGap), 1)},
                     {"closed", d.closed},
                     {"strayBytes", d.strayBytes},
                     {"sha256", QString::fromLatin1(QCryptographicHash::hash(d.bytes, QCryptographicHash::Sha256).toHex())}};
    if (d.breakToFirstByte)
        json.insert("breakToFirstByteMs", rounded(ms(*d.breakToFirstByte), 1));
    return json;
}

// --out: the received curve, through the same atomic writer as the window.
void writeReceived(const ReceivedFrame &frame, const std::optional<Expected> &expected, const QString &path,
                   Verdict &verdict, QJsonObject &json)
{
    const std::optional<RebuiltCurve> curve = rebuildCurve(frame, expected ? std::optional(expected->file) : std::nullopt);
    if (!curve) {
        verdict.notes << path + QStringLiteral(": not written: no curve file gives this frame (0 cylinders with a shift-light period)");
        json.insert("outWritten", false);
        return;
    }
    try {
        writeTextFile(path, writeCurveFile(curve->texts));
    } catch (const PlatformError &e) {
        verdict.notWritten = e.message().simplified();
        json.insert("outWritten", false);
        json.insert("outError", verdict.notWritten);
        return;
    }
    QJsonArray guesses;
    verdict.notes << path + QStringLiteral(": written");
    for (const Guess guess : curve->guesses) {
        verdict.notes << path + QStringLiteral(": ") + guessText(guess);
        guesses.append(guessText(guess));
    }
    json.insert("outWritten", true);
    json.insert("outGuesses", guesses);
}

// Reports one download; its exit status.
int report(const ReceivedDownload &download, bool seesBreak, const std::optional<Expected> &expected,
            const EmulateOptions &options)
{
    Verdict verdict;
    QJsonObject json = downloadJson(download);
    QString table = timingTable(download, seesBreak);
    const auto reading = readDownloadLine(download.bytes);
    if (const FrameFault *fault = std::get_if<FrameFault>(&reading)) {
        verdict.refusal = frameFaultText(*fault);
    } else {
        const ReceivedFrame &frame = std::get<ReceivedFrame>(reading);
        json.insert("curve", curveJson(frame));
        table += QLatin1Char('\n') + curveTable(frame);
        if (expected) {
            if (const std::optional<FrameDifference> difference = frameDifference(frame, expected->frame))
                verdict.refusal = expected->path + QStringLiteral(": ")
                                  + frameDifferenceText(*difference, frame, expected->frame, expected->mode);
            else
                verdict.notes << expected->path + QStringLiteral(": the same frame");
        }
        if (!options.out.isEmpty())
            writeReceived(frame, expected, options.out, verdict, json);
    }
    json.insert("accepted", verdict.accepted());
    if (!verdict.accepted())
        json.insert("refused", verdict.refusal);
    json.insert("notes", QJsonArray::fromStringList(verdict.notes));
    if (options.json) {
        sayJson(json);
    } else {
        for (const QString &note : verdict.notes)
            table += QLatin1Char('\n') + note;
        say(table.trimmed() + QLatin1Char('\n'));
    }
    if (!verdict.notWritten.isEmpty())
        complain(verdict.notWritten);
    if (!verdict.accepted())
        complain(QStringLiteral("refused: ") + verdict.refusal);
    return !verdict.accepted() ? ExitRefused : verdict.notWritten.isEmpty() ? ExitDone : ExitFile;
}

} // namespace

int emulateCommand(const EmulateOptions &options)
{
    // Each line at once: a script waits for it. A reader that took the
    // first line and left is no failure here: the verdict is the exit status.
    sayLineByLine();
    std::optional<Expected> expected;
    if (!options.expect.isEmpty())
        expected = loadExpected(options.expect);
    std::unique_ptr<ReceiveLine> line;
    try {
        line = options.port.isEmpty() ? openPseudoTerminalLine() : openPortLine(options.port);
    } catch (const PlatformError &e) {
        complain(portErrorText(e));
        return ExitPort;
    }
    const bool seesBreak = line->seesBreak();
    std::optional<DeviceLink> link;
    try {
        link.emplace(options.link, line->path());
    } catch (const PlatformError &e) {
        complain(e.message());
        return ExitFile;
    }
    // Handlers first: whoever reads the path may stop the emulator at once,
    // and the link must still go.
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
#ifdef SIGHUP
    std::signal(SIGHUP, requestStop);
#endif
#ifdef SIGPIPE
    // A script that took the first line and closed the pipe still gets the
    // verdict as the exit status.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    say(line->path());
    int status = ExitDone;
    int downloads = 0;
    try {
        DownloadReceiver receiver(std::move(line));
        while (const std::optional<ReceivedDownload> download = receiver.next(stopRequested)) {
            ++downloads;
            // A refusal outweighs a file that could not be written.
            if (const int verdict = report(*download, seesBreak, expected, options); verdict != ExitDone && status != ExitRefused)
                status = verdict;
            if (options.once)
                break;
        }
    } catch (const PlatformError &e) {
        complain(e.message());
        return ExitLine;
    }
    if (downloads == 0) {
        complain(QStringLiteral("no download came"));
        return ExitRefused;
    }
    return status;
}
