// igctool: the command line's way to the curve files and the module.
#include "cli/commands.h"
#include "cli/emulate.h"

#include "igc_version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <functional>

namespace {

const QString kOverview = QStringLiteral(R"(Usage: igctool COMMAND [ARGUMENTS] [OPTIONS]

The command-line companion of igcedit: checks, shows and converts ignition
curve files and programs the ignition module over a serial line, byte for
byte as the window does.

Commands:
  check CURVE.igc                  the check before a download, every refusal on its own line
  show CURVE.igc                   the parameters and the 60 rows as a table
  frame CURVE.igc [--raw]          the frame as it goes on the line, in hex or raw
  download CURVE.igc --port PORT   BREAK for 500 ms, then the frame, as the window sends it
  wake --port PORT                 the wake pulse: BREAK for 1.5 s
  ports                            the serial ports as the window numbers them, and who may use them
  emulate [--port DEVICE] [--expect CURVE.igc] [--out OUT.igc] [--once] [--json]
                                   the module on the desk: receives a download on a
                                   pseudo-terminal or a port, decodes and checks it
  export CURVE.igc                 the 60 rows as CSV on stdout
  import TABLE.csv --into CURVE.igc -o OUT.igc
                                   the rows of a CSV table with the parameters of CURVE.igc

PORT is Com and a number, counted as the window counts the ports (USB
adapters first, so a single adapter is Com1), or a device path such as
/dev/ttyUSB0 or COM3.

Options:
  -h, --help      this help; COMMAND --help tells about one command
  -v, --version   the version

Exit status:
  0  done
  1  refused: the check failed, or the input is bad
  2  wrong usage
  3  the port could not be opened, or another program holds it
  4  the line failed while sending
)");

const QString kLicence = QStringLiteral(R"(Copyright (C) 2026 igcedit developers
License GPL-3.0-or-later: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.
This is free software: you are free to change and redistribute it.
There is NO WARRANTY, to the extent permitted by law.
)");

struct Invocation {
    QStringList arguments;
    const QCommandLineParser &options;
};

struct Command {
    QString name;
    QString usage;      // after "Usage: igctool "
    QString help;       // what COMMAND --help says below the usage line
    QStringList takes;  // the names of its options
    int arguments;      // how many it needs
    std::function<int(const Invocation &)> run;
    bool optionsOptional = false; // else every option but --raw must be given
};

const QList<QCommandLineOption> &allOptions()
{
    static const QList<QCommandLineOption> options = {
        {{"h", "help"}, "this help"},
        {"raw", "raw bytes instead of hex"},
        {{"p", "port"}, "the port", "PORT"},
        {"into", "the curve whose parameters the rows join", "CURVE"},
        {{"o", "output"}, "the curve file to write", "OUT"},
        {"link", "a symbolic link to the line", "PATH"},
        {"expect", "the curve the frame must equal", "CURVE"},
        {"out", "the received curve's file", "OUT"},
        {"once", "one download only"},
        {"json", "JSON instead of text"},
    };
    return options;
}

const QList<Command> &commands()
{
    static const QList<Command> list = {
        {"check", "check CURVE.igc",
         "Runs the check the window runs before a download, on the curve as the window\n"
         "holds it after loading the file, and prints every refusal on its own line:\n"
         "  curve.igc: row 17: advance 70 is outside 0,5 – 63,5\n"
         "Exit status 0 when the curve may be downloaded, 1 when not.",
         {}, 1, [](const Invocation &i) { return checkCommand(i.arguments[0]); }},
        {"show", "show CURVE.igc",
         "Prints the parameters and the 60 rows of a curve file as an aligned table.",
         {}, 1, [](const Invocation &i) { return showCommand(i.arguments[0]); }},
        {"frame", "frame CURVE.igc [--raw]",
         "Prints the frame the window would send for the curve, every value followed by\n"
         "255 255: 381 bytes, or 384 from version 8,3 on. Hex pairs by default, eight\n"
         "groups a line (xxd -r -p turns them back); the bytes themselves with --raw:\n"
         "  igctool frame curve.igc --raw | sha256sum\n"
         "gives the checksum of a download's receipt. A curve the check refuses has no\n"
         "frame (exit status 1).\n\n"
         "Options:\n"
         "  --raw   the bytes instead of hex",
         {"raw"}, 1, [](const Invocation &i) { return frameCommand(i.arguments[0], i.options.isSet("raw")); }},
        {"download", "download CURVE.igc --port PORT",
         "Downloads the curve to the module as the window does: checks it, opens the\n"
         "port at 2400 baud 8N1, throws away what the module sent, holds BREAK for\n"
         "500 ms, then sends the frame. A progress bar runs on stderr when it is a\n"
         "terminal; the receipt on stdout gives the file, the port and its device,\n"
         "the bytes sent, the version flag and the frame's SHA-256. Nothing is opened\n"
         "when the check refuses.\n\n"
         "Options:\n"
         "  -p, --port PORT   Com and a number, or a device path",
         {"port"}, 1, [](const Invocation &i) { return downloadCommand(i.arguments[0], i.options.value("port")); }},
        {"wake", "wake --port PORT",
         "Holds BREAK on the port for 1.5 s without data: the module's wake pulse.\n\n"
         "Options:\n"
         "  -p, --port PORT   Com and a number, or a device path",
         {"port"}, 0, [](const Invocation &i) { return wakeCommand(i.options.value("port")); }},
        {"ports", "ports",
         "Lists the serial ports with the Com numbers the window gives them, their\n"
         "device, description, USB vendor:product and serial number, and whether this\n"
         "user can open each: if not, why and what to do (the group that owns the\n"
         "device, a new login, the program that holds it open).",
         {}, 0, [](const Invocation &) { return portsCommand(); }},
        {"emulate", "emulate [--port DEVICE] [--link PATH] [--expect CURVE.igc] [--out OUT.igc] [--once] [--json]",
         kEmulateHelp, {"port", "link", "expect", "out", "once", "json"}, 0,
         [](const Invocation &i) {
             return emulateCommand({i.options.value("port"), i.options.value("link"), i.options.value("expect"),
                                    i.options.value("out"), i.options.isSet("once"), i.options.isSet("json")});
         }, true},
        {"export", "export CURVE.igc",
         "Prints the 60 rows as CSV: the header rpm,advance,pattern, then one line a\n"
         "row, the numbers with a decimal point.",
         {}, 1, [](const Invocation &i) { return exportCommand(i.arguments[0]); }},
        {"import", "import TABLE.csv --into CURVE.igc -o OUT.igc",
         "Writes OUT.igc with the 60 rows of a CSV table and the parameters of\n"
         "CURVE.igc. Cells may be separated by commas or semicolons, numbers may take\n"
         "a decimal point or comma; a header line starting with rpm is skipped. Every\n"
         "cell is checked by its column's rule and every bad one reported; then\n"
         "nothing is written (exit status 1).\n\n"
         "Options:\n"
         "  --into CURVE.igc     the curve whose parameters the rows join\n"
         "  -o, --output OUT.igc the curve file to write",
         {"into", "output"}, 1,
         [](const Invocation &i) { return importCommand(i.arguments[0], i.options.value("into"), i.options.value("output")); }},
    };
    return list;
}

int usageError(const QString &what, const QString &command)
{
    QTextStream(stderr) << "igctool: " << what << "\nTry 'igctool " << (command.isEmpty() ? "" : command + " ")
                        << "--help'.\n";
    return ExitUsage;
}

int runCommand(const Command &command, const QStringList &rest)
{
    QCommandLineParser parser;
    parser.addOption(allOptions()[0]);
    for (const QCommandLineOption &option : allOptions()) {
        if (command.takes.contains(option.names().last()))
            parser.addOption(option);
    }
    if (!parser.parse(QStringList{QStringLiteral("igctool")} + rest))
        return usageError(parser.errorText(), command.name);
    if (parser.isSet("help")) {
        QTextStream(stdout) << "Usage: igctool " << command.usage << "\n\n" << command.help << '\n';
        return ExitDone;
    }
    const QStringList arguments = parser.positionalArguments();
    if (arguments.size() != command.arguments)
        return usageError(QStringLiteral("usage: igctool ") + command.usage, command.name);
    for (const QString &name : command.takes) {
        if (!command.optionsOptional && name != "raw" && !parser.isSet(name))
            return usageError(QStringLiteral("%1 needs --%2").arg(command.name, name), command.name);
    }
    return command.run({arguments, parser});
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("igctool"));
    QCoreApplication::setApplicationVersion(QStringLiteral(IGC_VERSION));
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    const QString first = arguments.value(0);
    if (first == "-h" || first == "--help") {
        QTextStream(stdout) << kOverview;
        return ExitDone;
    }
    if (first == "-v" || first == "--version") {
        QTextStream(stdout) << "igctool " << IGC_VERSION << '\n' << kLicence;
        return ExitDone;
    }
    if (first.isEmpty())
        return usageError(QStringLiteral("which command?"), QString());
    for (const Command &command : commands()) {
        if (command.name == first)
            return runCommand(command, arguments.mid(1));
    }
    return usageError(QStringLiteral("no command %1").arg(first), QString());
}
