// The floor for igctool's start-up: a QtCore program that only parses its
// arguments, as igctool does, and ends.
#include <QCommandLineParser>
#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("what to do"));
    parser.addHelpOption();
    parser.process(app);
    return parser.positionalArguments().isEmpty() ? 2 : 0;
}
