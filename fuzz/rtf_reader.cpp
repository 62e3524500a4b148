// The RTF reader of the help viewer: it reads anything to its end, lists
// each unknown control word once, replaces what the document held, and the
// text it read, written back as RTF and read again, is the same.
#include "fuzz_check.h"
#include "ui/rtf_reader.h"

#include <QGuiApplication>
#include <QSet>
#include <QTextDocument>

namespace {

// The raw text of a document (U+2029 between paragraphs) as RTF.
QByteArray asRtf(const QString &text)
{
    QByteArray rtf = "{\\rtf1\\uc0 ";
    for (const QChar c : text) {
        if (c == QChar::ParagraphSeparator)
            rtf += "\\par ";
        else
            rtf += "\\u" + QByteArray::number(static_cast<qint16>(c.unicode())) + ' ';
    }
    return rtf + '}';
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // Qt gets arguments of its own: libFuzzer's flags are not for it.
    static int argc = 1;
    static char name[] = "rtf_reader";
    static char *argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = fuzzInput(data, size);
    QTextDocument document;
    const QStringList unknown = readRtf(bytes, document);
    const QString text = document.toRawText();
    FUZZ_CHECK(QSet<QString>(unknown.begin(), unknown.end()).size() == unknown.size());
    for (const QString &word : unknown)
        FUZZ_CHECK(word.size() > 1 && word.startsWith(QLatin1Char('\\')));

    FUZZ_CHECK(readRtf(bytes, document) == unknown);
    FUZZ_CHECK(document.toRawText() == text);

    if (bytes.startsWith("{\\rtf")) {
        QTextDocument copy;
        readRtf(asRtf(text), copy);
        FUZZ_CHECK(copy.toRawText() == text);
    }
    return 0;
}
