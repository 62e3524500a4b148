#include "cli/file_names.h"

#include <QByteArray>
#include <QFile>
#include <QHash>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#endif

namespace {

QHash<QString, QByteArray> &lostNames()
{
    static QHash<QString, QByteArray> names;
    return names;
}

#ifdef Q_OS_UNIX
void keep(const QByteArray &raw)
{
    const QString decoded = QFile::decodeName(raw);
    if (QFile::encodeName(decoded) != raw)
        lostNames().insert(decoded, raw);
}
#endif

} // namespace

void keepRawArguments(int argc, char **argv)
{
#ifdef Q_OS_UNIX
    for (int i = 1; i < argc; ++i) {
        const QByteArray raw(argv[i]);
        keep(raw);
        // --into=NAME
        if (raw.startsWith("--") && raw.contains('='))
            keep(raw.mid(raw.indexOf('=') + 1));
    }
#else
    // Windows gives the command line as UTF-16: nothing is lost.
    Q_UNUSED(argc);
    Q_UNUSED(argv);
#endif
}

bool isLostName(const QString &argument)
{
    return lostNames().contains(argument);
}

QString readablePath(const QString &argument)
{
#ifdef Q_OS_UNIX
    const auto raw = lostNames().constFind(argument);
    if (raw == lostNames().constEnd())
        return argument;
    // Without waiting on a FIFO: the reader refuses anything but a file.
    // The descriptor stays open while the program runs.
    const int fd = ::open(raw->constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    return fd < 0 ? argument : QStringLiteral("/dev/fd/%1").arg(fd);
#else
    return argument;
#endif
}
