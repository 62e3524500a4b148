#include "core/help_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void put(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write("{\\rtf1 x}");
}

} // namespace

class TestHelpFile : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCoreApplication::setApplicationName("igcedit"); }

    // Folders: "here" is the current folder, "home" the user's data folder,
    // "local" and "usr" the system's, in this order.
    void currentFolderFirstThenInstalled_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("found"); // empty: none
        QTest::newRow("current folder") << QStringList{"here/Help.rtf", "usr/igcedit/Help.rtf"} << "here/Help.rtf";
        QTest::newRow("installed") << QStringList{"usr/igcedit/Help.rtf"} << "usr/igcedit/Help.rtf";
        QTest::newRow("the user's own") << QStringList{"home/igcedit/Help.rtf", "local/igcedit/Help.rtf"} << "home/igcedit/Help.rtf";
        QTest::newRow("a folder named Help.rtf") << QStringList{"here/Help.rtf/x", "usr/igcedit/Help.rtf"} << "usr/igcedit/Help.rtf";
        QTest::newRow("other language only") << QStringList{"here/Help_eng.rtf", "usr/igcedit/Help_eng.rtf"} << "";
        QTest::newRow("none") << QStringList{} << "";
    }
    void currentFolderFirstThenInstalled()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, found);
#ifdef Q_OS_WIN
        if (found.contains('/') && !found.startsWith("here/"))
            QSKIP("Windows has no XDG data folders; there the manuals lie beside the program");
#endif
        QTemporaryDir root;
        for (const QString &file : files)
            put(root.filePath(file));
        QDir().mkpath(root.filePath("here"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(root.filePath("home")));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(root.filePath("local") + ':' + root.filePath("usr")));
        const std::optional<QString> path = locateHelpFile(root.filePath("here"), "Help.rtf");
        QCOMPARE(path.value_or(QString()), found.isEmpty() ? found : root.filePath(found));
    }

    // Run by the install check (ctest dist_manual) with the staged tree's
    // share folder: the installed program finds its manuals from any folder.
    void installedTree()
    {
        const QString share = qEnvironmentVariable("IGC_INSTALLED_SHARE");
        if (share.isEmpty())
            QSKIP("needs IGC_INSTALLED_SHARE, the share folder of an installed tree");
        QTemporaryDir empty;
        qputenv("XDG_DATA_HOME", QFile::encodeName(empty.filePath("home")));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(share));
        for (const QString name : {"Help.rtf", "Help_eng.rtf"})
            QCOMPARE(locateHelpFile(empty.path(), name).value_or(QString()), QDir(share).filePath("igcedit/" + name));
    }
};

QTEST_GUILESS_MAIN(TestHelpFile)
#include "tst_help_file.moc"
