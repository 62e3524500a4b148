#include "core/app_settings.h"
#include "core/platform_error.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

class TestAppSettings : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString path() const { return dir_.filePath("Edit.txt"); }

    static QByteArray contents(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

private slots:
    void cleanup()
    {
        QFile::remove(path());
        QDir(path()).removeRecursively();
    }

    void splitsLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << QByteArray() << QStringList();
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("LF") << QByteArray("a\nb\n") << QStringList{"a", "b"};
        QTest::newRow("CR") << QByteArray("a\rb\r") << QStringList{"a", "b"};
        QTest::newRow("mixed, no final end") << QByteArray("a\r\nb\rc\nd") << QStringList{"a", "b", "c", "d"};
        QTest::newRow("empty lines kept") << QByteArray("\r\n\r\nx\r\n") << QStringList{"", "", "x"};
        QTest::newRow("LF CR is two ends") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
        QTest::newRow("Windows-1250") << QByteArray("C:\\G\xe9p\\\xfar.igc\r\n") << QStringList{QStringLiteral("C:\\Gép\\úr.igc")};
    }
    void splitsLines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QCOMPARE(splitSettingsLines(bytes), lines);
    }

    void joinsWithCrLf()
    {
        QCOMPARE(joinSettingsLines({"a", "", QStringLiteral("ő")}), QByteArray("a\r\n\r\n\xf5\r\n"));
        QCOMPARE(joinSettingsLines({}), QByteArray());
    }

    // The line update on a file of n lines: the port line (1) may be
    // appended, the language line (2) only replaced.
    void updatesLineInFile_data()
    {
        QTest::addColumn<QByteArray>("before"); // "<missing>": no file
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("mayAppend");
        QTest::addColumn<QByteArray>("after");
        const QByteArray four = "p\r\n3\r\n1\r\n8,3\r\n";
        const QByteArray six = "p\r\n3\r\n1\r\n8,3\r\nx\r\ny\r\n";
        QTest::newRow("port, missing") << QByteArray("<missing>") << 1 << true << QByteArray("<missing>");
        QTest::newRow("port, empty") << QByteArray() << 1 << true << QByteArray();
        QTest::newRow("port, one line") << QByteArray("p\r\n") << 1 << true << QByteArray("p\r\n7\r\n");
        QTest::newRow("port, one line LF") << QByteArray("p\n") << 1 << true << QByteArray("p\r\n7\r\n");
        QTest::newRow("port, four lines") << four << 1 << true << QByteArray("p\r\n7\r\n1\r\n8,3\r\n");
        QTest::newRow("port, six lines") << six << 1 << true << QByteArray("p\r\n7\r\n1\r\n8,3\r\nx\r\ny\r\n");
        QTest::newRow("language, two lines") << QByteArray("p\r\n3\r\n") << 2 << false << QByteArray("p\r\n3\r\n");
        QTest::newRow("language, three lines") << QByteArray("p\r\n3\r\n0\r\n") << 2 << false << QByteArray("p\r\n3\r\n7\r\n");
        QTest::newRow("language, six lines") << six << 2 << false << QByteArray("p\r\n3\r\n7\r\n8,3\r\nx\r\ny\r\n");
    }
    void updatesLineInFile()
    {
        QFETCH(QByteArray, before);
        QFETCH(int, index);
        QFETCH(bool, mayAppend);
        QFETCH(QByteArray, after);
        if (before != "<missing>") {
            QFile file(path());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(before);
        }
        AppSettings(path()).updateLine(index, "7", mayAppend);
        QCOMPARE(contents(path()), after);
    }

    void fullWriteReplacesFile()
    {
        const AppSettings settings(path());
        settings.writeAll({"a", "b", "c", "d", "e", "f"});
        settings.writeAll({QStringLiteral("/tmp/görbe.igc"), "3", "1", "8,3"});
        QCOMPARE(contents(path()), QByteArray("/tmp/g\xf6rbe.igc\r\n3\r\n1\r\n8,3\r\n"));
        QCOMPARE(settings.readAll(), (QStringList{QStringLiteral("/tmp/görbe.igc"), "3", "1", "8,3"}));
    }

    void failuresNameThePath()
    {
        QVERIFY(QDir().mkpath(path())); // a folder where the file should be
        const AppSettings unreadable(path());
        QVERIFY(unreadable.exists());
        QVERIFY_THROWS_EXCEPTION(PlatformError, unreadable.readAll());
        const AppSettings unwritable(dir_.filePath("missing/Edit.txt"));
        try {
            unwritable.writeAll({"x"});
            QFAIL("no error raised");
        } catch (const PlatformError &e) {
            QVERIFY2(e.message().contains(QDir::toNativeSeparators(unwritable.path())), qPrintable(e.message()));
        }
        QVERIFY(!QFile::exists(unwritable.path()));
    }

    void randomAndTruncatedBytesAreSafe()
    {
        auto *random = QRandomGenerator::global();
        const QByteArray good = "p\r\n3\r\n1\r\n8,3\r\n";
        for (qsizetype n = 0; n <= good.size(); ++n)
            QVERIFY(splitSettingsLines(good.left(n)).size() <= 4);
        for (int i = 0; i < 300; ++i) {
            QByteArray bytes;
            const int size = random->bounded(2000);
            for (int b = 0; b < size; ++b)
                bytes += char(random->bounded(256));
            const QStringList lines = splitSettingsLines(bytes);
            QVERIFY(lines.size() <= bytes.size());
            // Whatever the lines hold, the update touches line 1 alone.
            QStringList expected = lines;
            if (expected.size() == 1)
                expected << "7";
            else if (expected.size() > 1)
                expected[1] = "7";
            QCOMPARE(updateSettingsLine(lines, 1, "7", true), expected);
        }
    }
};

QTEST_GUILESS_MAIN(TestAppSettings)
#include "tst_app_settings.moc"
