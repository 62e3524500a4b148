#include "core/win1250.h"

#include <QTest>
#ifdef Q_OS_WIN
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace {

#ifdef Q_OS_WIN

// Windows' own code page 1250, as an independent reference.
QString referenceDecode(const QByteArray &bytes)
{
    wchar_t out[8];
    const int n = MultiByteToWideChar(1250, MB_ERR_INVALID_CHARS, bytes.constData(), int(bytes.size()), out, 8);
    return n > 0 ? QString::fromWCharArray(out, n) : QString();
}

#else

// glibc's own Windows-1250 converter, as an independent reference.
QString referenceDecode(const QByteArray &bytes)
{
    iconv_t cd = iconv_open("UTF-8", "WINDOWS-1250");
    if (cd == iconv_t(-1))
        return {};
    QByteArray in = bytes;
    QByteArray out(bytes.size() * 4, '\0');
    char *inPtr = in.data();
    char *outPtr = out.data();
    size_t inLeft = in.size();
    size_t outLeft = out.size();
    const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == size_t(-1))
        return {};
    return QString::fromUtf8(out.constData(), out.size() - qsizetype(outLeft));
}

#endif

} // namespace

class TestWin1250 : public QObject {
    Q_OBJECT

private slots:
    void hungarianLettersRoundTrip()
    {
        const QString letters = QStringLiteral("áéíóöőúüűÁÉÍÓÖŐÚÜŰ");
        const QByteArray bytes = encodeWin1250(letters);
        QCOMPARE(bytes, QByteArray("\xe1\xe9\xed\xf3\xf6\xf5\xfa\xfc\xfb\xc1\xc9\xcd\xd3\xd6\xd5\xda\xdc\xdb"));
        QCOMPARE(decodeWin1250(bytes), letters);
        QCOMPARE(encodeWin1250(QStringLiteral("Lefutó")), QByteArray("Lefut\xf3"));
    }

    void everyByteMatchesTheSystemsConverter()
    {
        for (int b = 0; b < 256; ++b) {
            const QByteArray byte(1, char(b));
            const QString reference = referenceDecode(byte);
            if (reference.isEmpty() && b != 0) {
                // glibc (and perhaps Windows) leaves 81, 83, 88, 90 and 98
                // undefined; they map to the C1 control of the same number.
                QCOMPARE(decodeWin1250(byte), QString(QChar(b)));
            } else if (b != 0) {
                QCOMPARE(decodeWin1250(byte), reference);
            }
            QCOMPARE(encodeWin1250(decodeWin1250(byte)), byte);
        }
    }

    void unmappableCharactersBecomeQuestionMarks()
    {
        QCOMPARE(encodeWin1250(QStringLiteral("a€ñ日")), QByteArray("a\x80?\x3f"));
    }
};

QTEST_APPLESS_MAIN(TestWin1250)
#include "tst_win1250.moc"
