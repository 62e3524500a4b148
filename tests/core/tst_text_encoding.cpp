#include "core/text_encoding.h"

#include <QStringEncoder>
#include <QTest>

namespace {

const QString kTitles = QStringLiteral("Ford.szám;Előgyújtás;Tiltás\r\n700;1,5;0\r\n");

QByteArray utf16(QStringEncoder::Encoding encoding, QStringEncoder::Flags flags = {})
{
    return QStringEncoder(encoding, flags).encode(kTitles);
}

} // namespace

class TestTextEncoding : public QObject {
    Q_OBJECT

private slots:
    // What a table's bytes are written in, and what they read as then.
    void guess_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<TextEncoding>("encoding");
        QTest::newRow("ASCII") << QByteArray("rpm;advance\n") << TextEncoding::Ascii;
        QTest::newRow("UTF-8") << kTitles.toUtf8() << TextEncoding::Utf8;
        QTest::newRow("UTF-8 with its mark") << "\xEF\xBB\xBF" + kTitles.toUtf8() << TextEncoding::Utf8Bom;
        // 0xF5 (ő) alone is no UTF-8.
        QTest::newRow("Windows-1250") << QByteArray("El\xF5gy\xFAjt\xE1s\r\n") << TextEncoding::Windows1250;
        QTest::newRow("UTF-16LE with its mark") << utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom)
                                                << TextEncoding::Utf16LE;
        QTest::newRow("UTF-16BE with its mark") << utf16(QStringEncoder::Utf16BE, QStringEncoder::Flag::WriteBom)
                                                << TextEncoding::Utf16BE;
        QTest::newRow("UTF-16LE without") << utf16(QStringEncoder::Utf16LE) << TextEncoding::Utf16LE;
        QTest::newRow("UTF-16BE without") << utf16(QStringEncoder::Utf16BE) << TextEncoding::Utf16BE;
        // Zeros in both halves of the pairs, or an odd length: not UTF-16.
        QTest::newRow("zeros everywhere") << QByteArray(64, '\0') << TextEncoding::Ascii;
        QTest::newRow("UTF-16LE cut by a byte") << utf16(QStringEncoder::Utf16LE).chopped(1) << TextEncoding::Windows1250;
    }
    void guess()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(TextEncoding, encoding);
        QCOMPARE(guessTextEncoding(bytes), encoding);
        if (encoding != TextEncoding::Ascii && encoding != TextEncoding::Windows1250)
            QCOMPARE(decodeText(bytes, encoding), kTitles);
    }
};

QTEST_APPLESS_MAIN(TestTextEncoding)
#include "tst_text_encoding.moc"
