#include "core/platform_error.h"
#include "core/text_file.h"
#include "hostile_file.h"
#include "file_size_limit.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QString readFailure(const QString &path, qint64 maxBytes)
{
    try {
        readTextFile(path, maxBytes);
    } catch (const PlatformError &e) {
        return e.message();
    }
    return QString();
}

} // namespace

class TestTextFile : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;

private slots:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }

    // A write that fails half way (a full disk, a quota) reports it and
    // leaves the old file as it was, with no temporary file beside it.
    void failedWriteKeepsTheOldFile_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("a curve file") << 1246;
        QTest::newRow("larger than Qt's write buffer") << 40000;
    }
    void failedWriteKeepsTheOldFile()
    {
        QFETCH(int, size);
        if (const char *why = FileSizeLimit::unavailable)
            QSKIP(why);
        const QString path = dir_->filePath("c.igc");
        const QByteArray old(1246, 'o');
        writeTextFile(path, old);
        QString failure;
        {
            FileSizeLimit limit(100);
            QVERIFY(limit.active());
            try {
                writeTextFile(path, QByteArray(size, 'n'));
            } catch (const PlatformError &e) {
                failure = e.message();
            }
        }
        QVERIFY2(failure.startsWith("Cannot write " + QDir::toNativeSeparators(path)), qPrintable(failure));
        QCOMPARE(contents(path), old);
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"c.igc"});
    }

    // Only regular files are read, and only up to the bound: a FIFO would
    // block the open, a device never ends, a huge file exhausts the memory.
    void readsOnlyBoundedRegularFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<qint64>("maxBytes");
        QTest::addColumn<QString>("reason"); // empty: the file is read
        QTest::newRow("at the bound") << "16 bytes" << qint64(16) << "";
        QTest::newRow("over the bound") << "17 bytes" << qint64(16) << "The file is larger than 16 bytes";
        QTest::newRow("3 GB") << "huge" << kMaxTextFileBytes << "The file is larger than 1048576 bytes";
        QTest::newRow("FIFO") << "FIFO" << kMaxTextFileBytes << "Not a regular file";
        QTest::newRow("link to /dev/zero") << "device" << kMaxTextFileBytes << "Not a regular file";
        QTest::newRow("folder") << "folder" << kMaxTextFileBytes << "Not a regular file";
        QTest::newRow("missing") << "missing" << kMaxTextFileBytes << "<the system's words>";
    }
    void readsOnlyBoundedRegularFiles()
    {
        QFETCH(QString, kind);
        QFETCH(qint64, maxBytes);
        QFETCH(QString, reason);
        if (const char *why = hostileFileUnavailable(kind))
            QSKIP(why);
        const QString path = dir_->filePath("Edit.txt");
        const std::unique_ptr<FifoWatch> fifo = makeHostileFile(path, kind);
        QVERIFY(kind != "FIFO" || (fifo && fifo->created()));
        if (kind.endsWith(" bytes")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(kind.section(' ', 0, 0).toLongLong()));
        }
        QElapsedTimer clock;
        clock.start();
        const QString failure = readFailure(path, maxBytes);
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        if (reason.isEmpty()) {
            QVERIFY2(failure.isEmpty(), qPrintable(failure));
            QCOMPARE(readTextFile(path, maxBytes), QByteArray(int(maxBytes), '\0'));
        } else {
            QFile probe(path);
            if (reason == "<the system's words>" && !probe.open(QIODevice::ReadOnly))
                reason = probe.errorString();
            QCOMPARE(failure, "Cannot read " + QDir::toNativeSeparators(path) + ":\n" + reason);
        }
        if (fifo)
            QVERIFY(!fifo->opened());
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_text_file.moc"
