// igctool: the command line's way to the curve files and the module.
#include "cli/commands.h"
#include "cli/emulate.h"
#include "cli/file_names.h"
#include "cli/output.h"
#include "core/tool_texts.h"

#include "igc_version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>
#include <functional>

#ifdef Q_OS_WIN
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#endif

namespace {

const QString kOverview = QStringLiteral(R"(Usage: igctool [-q | -v] COMMAND [ARGUMENTS] [OPTIONS]

The command-line companion of igcedit: checks, shows and converts ignition
curve files and programs the ignition module over a serial line, byte for
byte as the window does.

Commands:
  check CURVE.igc [--json]         the check before a download: every refusal on its
                                   own line, and what reaches the module otherwise
                                   than written
  show CURVE.igc [--json]          the parameters and the 60 rows as a table
  frame CURVE.igc [--raw]          the frame as it goes on the line, in hex or raw
  download CURVE.igc [--port PORT] [--force] [--json]
                                   BREAK for 500 ms, then the frame, as the window sends it
  wake [--port PORT] [--force]     the wake pulse: BREAK for 1.5 s
  ports [--json]                   the serial ports as the window numbers them, and
                                   who may use them
  emulate [--port DEVICE] [--expect CURVE.igc] [--out OUT.igc] [--once] [--json]
                                   the module on the desk: receives a download on a
                                   pseudo-terminal or a port, decodes and checks it
  export CURVE.igc [-o OUT.csv]    the 60 rows as CSV
  import TABLE.csv --into CURVE.igc [-o OUT.igc]
                                   the rows of a CSV table (as spreadsheets write it)
                                   with the parameters of CURVE.igc

A file argument of - is standard input, and so are /dev/stdin and the
/dev/fd/N of a shell's <(...); -o - is standard output, as is export's and
import's output without -o. Files are read up to 1 MiB; a FIFO or a device
under any other name is refused.

PORT is Com and a number in any letter case (com5), counted as the window
counts the ports (USB adapters first, so a single adapter is Com1), or a
device path such as /dev/ttyUSB0 or COM3. Without --port, the environment's
IGC_PORT; without that, the only USB or ACM adapter plugged in, named on
stderr.

Options:
  -h, --help      this help; COMMAND --help tells about one command
  -V, --version   the version
  -q, --quiet     results and errors only: no progress bar, notes, receipts or
                  "ready" lines
  -v, --verbose   also what igctool reads and does, step by step, on stderr
  --json          check, show, ports, download: the result as one JSON object
                  on one line (keys in English)

Messages go to stderr, one line each, starting with "igctool: "; check's
findings go to stdout. Messages are in Hungarian when the first of LC_ALL,
LC_MESSAGES and LANG that is set starts with hu.

Exit status:
  0    done
  1    refused: the check failed, a mismatch, a refused target
  2    wrong usage
  3    the port could not be opened, or another program holds it
  4    the line failed while sending
  5    a file could not be read or written
  130  stopped by Ctrl-C (SIGINT)
  143  stopped by SIGTERM
)");

const QString kLicence = QStringLiteral(R"(Copyright (C) 2026 igcedit developers
License GPL-3.0-or-later: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.
This is free software: you are free to change and redistribute it.
There is NO WARRANTY, to the extent permitted by law.
)");

struct Invocation {
    QStringList arguments;
    const QCommandLineParser &options;

    std::optional<QString> optional(const char *name) const
    {
        return options.isSet(name) ? std::optional(options.value(name)) : std::nullopt;
    }
};

struct Command {
    QString name;
    QString usage;      // after "Usage: igctool "
    QString help;       // what COMMAND --help says below the usage line
    QStringList takes;  // the names of its options beyond -h, -q and -v
    QStringList needs;  // those it cannot do without
    int arguments;      // how many it needs
    std::function<int(const Invocation &)> run;
};

const char *const kQuietVerbose =
    "  -q, --quiet         results and errors only\n"
    "  -v, --verbose       also what igctool does, step by step, on stderr";

const QList<QCommandLineOption> &allOptions()
{
    static const QList<QCommandLineOption> options = {
        {{"h", "help"}, "this help"},
        {{"q", "quiet"}, "results and errors only"},
        {{"v", "verbose"}, "what igctool does, step by step"},
        {"raw", "raw bytes instead of hex"},
        {{"p", "port"}, "the port", "PORT"},
        {"into", "the curve whose parameters the rows join", "CURVE"},
        {{"o", "output"}, "the file to write", "OUT"},
        {"force", "use the port even while other programs hold it open"},
        {"link", "a symbolic link to the line", "PATH"},
        {"expect", "the curve the frame must equal", "CURVE"},
        {"out", "the received curve's file", "OUT"},
        {"once", "one download only"},
        {"json", "JSON instead of text"},
    };
    return options;
}

QString withOptions(const char *help, const QString &options)
{
    return QString::fromUtf8(help) + QStringLiteral("\n\nOptions:\n") + options + (options.isEmpty() ? "" : "\n") + kQuietVerbose;
}

const QString kPortOptions = QStringLiteral(
    "  -p, --port PORT     Com and a number, or a device path; without it IGC_PORT,\n"
    "                      else the only USB serial adapter\n"
    "  --force             use the port even while other programs hold it open");

const QList<Command> &commands()
{
    static const QList<Command> list = {
        {"check", "check CURVE.igc [--json]",
         withOptions("Runs the check the window runs before a download, on the curve as the window\n"
                     "holds it after loading the file, and prints every refusal on its own line:\n"
                     "  curve.igc: row 17: advance 70 is outside 0,5 – 63,5\n"
                     "then notes on what reaches the module otherwise than written: an advance\n"
                     "between the half degrees the frame carries, a file that ends early, a file\n"
                     "in another encoding than Windows-1250:\n"
                     "  curve.igc: note: row 10: 10,99 goes out as 10,5\n"
                     "Exit status 0 when the curve may be downloaded, 1 when not.",
                     "  --json              one JSON object: downloadable, refusals, notes"),
         {"json"}, {}, 1, [](const Invocation &i) { return checkCommand(i.arguments[0], i.options.isSet("json")); }},
        {"show", "show CURVE.igc [--json]",
         withOptions("Prints the parameters and the 60 rows of a curve file as an aligned table.",
                     "  --json              one JSON object: parameters and rows as the file writes them"),
         {"json"}, {}, 1, [](const Invocation &i) { return showCommand(i.arguments[0], i.options.isSet("json")); }},
        {"frame", "frame CURVE.igc [--raw]",
         withOptions("Prints the frame the window would send for the curve, every value followed by\n"
                     "255 255: 381 bytes, or 384 from version 8,3 on. Hex pairs by default, eight\n"
                     "groups a line (xxd -r -p turns them back); the bytes themselves with --raw:\n"
                     "  igctool frame curve.igc --raw | sha256sum\n"
                     "gives the checksum of a download's receipt. A curve the check refuses has no\n"
                     "frame (exit status 1).",
                     "  --raw               the bytes instead of hex"),
         {"raw"}, {}, 1, [](const Invocation &i) { return frameCommand(i.arguments[0], i.options.isSet("raw")); }},
        {"download", "download CURVE.igc [--port PORT] [--force] [--json]",
         withOptions("Downloads the curve to the module as the window does: checks it, opens the\n"
                     "port at 2400 baud 8N1, throws away what the module sent, holds BREAK for\n"
                     "500 ms, then sends the frame. A progress bar runs on stderr when it is a\n"
                     "terminal; the receipt on stdout gives the file, the port and its device,\n"
                     "the bytes sent, the version flag and the frame's SHA-256. Nothing is opened\n"
                     "when the check refuses.\n\n"
                     "When the line fails (or Ctrl-C stops it) once the BREAK is up, the module may\n"
                     "hold an incomplete curve: igctool says so, and how many values are known to\n"
                     "have gone out; download again.",
                     kPortOptions + "\n  --json              the receipt as one JSON object"),
         {"port", "force", "json"}, {}, 1,
         [](const Invocation &i) {
             return downloadCommand(i.arguments[0], i.optional("port"), i.options.isSet("force"), i.options.isSet("json"));
         }},
        {"wake", "wake [--port PORT] [--force]",
         withOptions("Holds BREAK on the port for 1.5 s without data: the module's wake pulse.", kPortOptions),
         {"port", "force"}, {}, 0,
         [](const Invocation &i) { return wakeCommand(i.optional("port"), i.options.isSet("force")); }},
        {"ports", "ports [--json]",
         withOptions("Lists the serial ports with the Com numbers the window gives them, their\n"
                     "device, description, USB vendor:product and serial number, and whether this\n"
                     "user can open each: if not, why and what to do (the group that owns the\n"
                     "device, a new login, the program that holds it open).",
                     "  --json              one JSON object: the ports and the verdict on each"),
         {"json"}, {}, 0, [](const Invocation &i) { return portsCommand(i.options.isSet("json")); }},
        {"emulate", "emulate [--port DEVICE] [--link PATH] [--expect CURVE.igc] [--out OUT.igc] [--once] [--json]",
         QString::fromUtf8(kEmulateHelp), {"port", "link", "expect", "out", "once", "json"}, {}, 0,
         [](const Invocation &i) {
             return emulateCommand({i.options.value("port"), i.options.value("link"), i.options.value("expect"),
                                    i.options.value("out"), i.options.isSet("once"), i.options.isSet("json")});
         }},
        {"export", "export CURVE.igc [-o OUT.csv]",
         withOptions("Writes the 60 rows as CSV: the header rpm,advance,pattern, then one line a\n"
                     "row, the numbers with a decimal point.",
                     "  -o, --output OUT.csv the file to write, replaced whole; - or none: stdout"),
         {"output"}, {}, 1, [](const Invocation &i) { return exportCommand(i.arguments[0], i.options.value("output")); }},
        {"import", "import TABLE.csv --into CURVE.igc [-o OUT.igc]",
         withOptions("Writes a curve file with the 60 rows of a CSV table and the parameters of\n"
                     "CURVE.igc. The table may come as spreadsheets write it: UTF-8, Windows-1250\n"
                     "or UTF-16; cells separated by tabs, semicolons or commas (whichever the first\n"
                     "line has), blanks around them; lines ended by CR LF, LF or CR; empty columns\n"
                     "after the table's; a decimal point or comma; patterns that lost their leading\n"
                     "zeros (101). An optional first line of titles names the columns in any order:\n"
                     "rpm, advance, pattern, the window's titles in English (RPM, Ign. Advance,\n"
                     "Inh. Pattern) or Hungarian (Ford.szám, Előgyújtás, Tiltás), and # for a\n"
                     "row-number column, which is ignored. Every cell is checked by its column's\n"
                     "rule; the problems are told by line and column as a spreadsheet numbers\n"
                     "them, ten at most, then how many more; then nothing is written (exit\n"
                     "status 1).",
                     "  --into CURVE.igc    the curve whose parameters the rows join\n"
                     "  -o, --output OUT.igc the curve file to write, replaced whole; - or none: stdout"),
         {"into", "output"}, {"into"}, 1,
         [](const Invocation &i) { return importCommand(i.arguments[0], i.options.value("into"), i.options.value("output")); }},
    };
    return list;
}

[[noreturn]] void usageError(const QString &text)
{
    fail(ExitUsage, text);
}

void takeVerbosity(const QString &option)
{
    setVerbosity(option == "q" || option == "quiet" ? Verbosity::Quiet : Verbosity::Verbose);
}

int runCommand(const Command &command, const QStringList &rest)
{
    const ToolTexts &t = texts();
    QCommandLineParser parser;
    for (const QCommandLineOption &option : allOptions()) {
        const QString name = option.names().last();
        if (name == "help" || name == "quiet" || name == "verbose" || command.takes.contains(name))
            parser.addOption(option);
    }
    if (!parser.parse(QStringList{QStringLiteral("igctool")} + rest)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (unknown.isEmpty()) {
            // An option that wants a value lacks one only at the end.
            const QString last = rest.last();
            const QString name = QString(last).remove(QRegularExpression(QStringLiteral("^--?")));
            for (const QCommandLineOption &option : allOptions()) {
                if (!option.valueName().isEmpty() && last.startsWith('-') && option.names().contains(name))
                    usageError(t.missingValue.arg(last, command.name + ' '));
            }
            usageError(parser.errorText());
        }
        const QString option = (unknown.first().size() == 1 ? "-" : "--") + unknown.first();
        usageError(t.unknownOption.arg(option, command.name + ' '));
    }
    if (parser.isSet("help")) {
        say(QStringLiteral("Usage: igctool %1\n\n%2").arg(command.usage, command.help));
        return ExitDone;
    }
    // The last of -q and -v counts.
    for (const QString &name : parser.optionNames()) {
        if (name == "q" || name == "quiet" || name == "v" || name == "verbose")
            takeVerbosity(name);
    }
    const QStringList arguments = parser.positionalArguments();
    if (arguments.size() != command.arguments)
        usageError(t.usage.arg(command.usage, command.name + ' '));
    for (const QString &name : command.needs) {
        if (!parser.isSet(name))
            usageError(t.needsOption.arg(command.name, name));
    }
    return command.run({arguments, parser});
}

int run(QStringList arguments)
{
    const ToolTexts &t = texts();
    // Options before the command.
    while (!arguments.isEmpty() && arguments.first().startsWith('-') && arguments.first() != "-") {
        const QString option = arguments.takeFirst();
        if (option == "-h" || option == "--help") {
            writeOut(kOverview.toUtf8());
            return ExitDone;
        }
        if (option == "-V" || option == "--version") {
            writeOut(QStringLiteral("igctool " IGC_VERSION "\n").toUtf8() + kLicence.toUtf8());
            return ExitDone;
        }
        if (option != "-q" && option != "--quiet" && option != "-v" && option != "--verbose")
            usageError(t.unknownOption.arg(option, QString()));
        takeVerbosity(option.mid(option.lastIndexOf('-') + 1));
    }
    if (arguments.isEmpty())
        usageError(t.whichCommand);
    for (const Command &command : commands()) {
        if (command.name == arguments.first())
            return runCommand(command, arguments.mid(1));
    }
    usageError(t.noCommand.arg(arguments.first()));
}

} // namespace

int main(int argc, char *argv[])
{
#ifdef Q_OS_WIN
    // Bytes as they are: a raw frame holds 0x0A, and a table may hold CR.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("igctool"));
    QCoreApplication::setApplicationVersion(QStringLiteral(IGC_VERSION));
    keepRawArguments(argc, argv);
    int status = ExitDone;
    try {
        status = run(QCoreApplication::arguments().mid(1));
    } catch (const ToolExit &exit) {
        status = exit.status;
    }
    return flushedOutput(status);
}
