#include "help_documents.h"
#include "ui/rtf_reader.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// The document's text with "\n" between paragraphs; line breaks, tabs and
// other special characters stay as they are.
QString text(const QTextDocument &document)
{
    return document.toRawText().replace(QChar::ParagraphSeparator, u'\n');
}

// One property of the character at `at`, or of its paragraph, as text.
QString probe(const QTextDocument &document, int at, const QString &what)
{
    QTextCursor cursor(const_cast<QTextDocument *>(&document));
    cursor.setPosition(at + 1);
    const QTextCharFormat c = cursor.charFormat();
    const QTextBlockFormat b = cursor.block().blockFormat();
    if (what == "bold")
        return c.fontWeight() == QFont::Bold ? "yes" : "no";
    if (what == "italic")
        return c.fontItalic() ? "yes" : "no";
    if (what == "underline")
        return c.fontUnderline() ? "yes" : "no";
    if (what == "points")
        return QString::number(c.fontPointSize());
    if (what == "family")
        return c.fontFamilies().toStringList().join(',');
    if (what == "colour")
        return c.hasProperty(QTextFormat::ForegroundBrush) ? c.foreground().color().name() : "default";
    if (what == "align")
        return QString::number(int(b.alignment()));
    if (what == "indents")
        return QStringLiteral("%1 %2 %3").arg(b.leftMargin()).arg(b.textIndent()).arg(b.rightMargin());
    if (what == "tabs")
        return b.tabPositions().isEmpty() ? "none" : QString::number(b.tabPositions().first().position);
    if (what == "spacing")
        return QStringLiteral("%1 %2").arg(b.topMargin()).arg(b.bottomMargin());
    return "unknown probe";
}

} // namespace

class TestRtfReader : public QObject {
    Q_OBJECT

private slots:
    void constructs_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("at");        // the character probed
        QTest::addColumn<QString>("what");  // the property, empty for none
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("unknown");

        const QStringList none;
        QTest::newRow("paragraphs") << QByteArray("{\\rtf1 Hello\\par World}") << "Hello\nWorld" << 0 << "" << "" << none;
        QTest::newRow("backslash newline is a paragraph") << QByteArray("{\\rtf1 a\\\nb}") << "a\nb" << 0 << "" << "" << none;
        QTest::newRow("raw line ends ignored") << QByteArray("{\\rtf1 a\r\nb}") << "ab" << 0 << "" << "" << none;
        QTest::newRow("line break") << QByteArray("{\\rtf1 a\\line b}") << QStringLiteral("a\u2028b") << 0 << "" << "" << none;
        QTest::newRow("tab, space after a word eaten") << QByteArray("{\\rtf1 a\\tab  b}") << "a\t b" << 0 << "" << "" << none;
        QTest::newRow("bold on") << QByteArray("{\\rtf1 a\\b b\\b0 c}") << "abc" << 1 << "bold" << "yes" << none;
        QTest::newRow("bold off with 0") << QByteArray("{\\rtf1 a\\b b\\b0 c}") << "abc" << 2 << "bold" << "no" << none;
        QTest::newRow("group ends bold") << QByteArray("{\\rtf1 {\\b a}b}") << "ab" << 1 << "bold" << "no" << none;
        QTest::newRow("italic") << QByteArray("{\\rtf1 \\i x}") << "x" << 0 << "italic" << "yes" << none;
        QTest::newRow("underline") << QByteArray("{\\rtf1 \\ul x\\ulnone y}") << "xy" << 0 << "underline" << "yes" << none;
        QTest::newRow("underline none") << QByteArray("{\\rtf1 \\ul x\\ulnone y}") << "xy" << 1 << "underline" << "no" << none;
        QTest::newRow("plain resets characters") << QByteArray("{\\rtf1 \\b\\i a\\plain b}") << "ab" << 1 << "bold" << "no" << none;
        QTest::newRow("size in half points") << QByteArray("{\\rtf1 \\fs30 x}") << "x" << 0 << "points" << "15" << none;
        QTest::newRow("size default 12") << QByteArray("{\\rtf1 x}") << "x" << 0 << "points" << "12" << none;
        QTest::newRow("size clamped") << QByteArray("{\\rtf1 \\fs999999999999 x}") << "x" << 0 << "points" << "200" << none;
        const QByteArray fonts = "{\\rtf1\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern\\fcharset238 Courier New;}}";
        QTest::newRow("font table, default font") << fonts + "x}" << "x" << 0 << "family" << "Arial" << none;
        QTest::newRow("font switch") << fonts + "\\f1 x}" << "x" << 0 << "family" << "Courier New" << none;
        QTest::newRow("font not in table") << fonts + "\\f7 x}" << "x" << 0 << "family" << "" << none;
        QTest::newRow("font table without groups") << QByteArray("{\\rtf1\\deff1{\\fonttbl\\f0 A;\\f1 B;}x}") << "x" << 0 << "family" << "B" << none;
        const QByteArray colours = "{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}";
        QTest::newRow("colour") << colours + "\\cf2 x}" << "x" << 0 << "colour" << "#0000ff" << none;
        QTest::newRow("colour 0 is the default") << colours + "\\cf1\\cf0 x}" << "x" << 0 << "colour" << "default" << none;
        QTest::newRow("colour out of the table") << colours + "\\cf9 x}" << "x" << 0 << "colour" << "default" << none;
        QTest::newRow("centred") << QByteArray("{\\rtf1\\qc x\\par}") << "x\n" << 0 << "align" << QString::number(Qt::AlignHCenter) << none;
        QTest::newRow("right") << QByteArray("{\\rtf1\\qr x}") << "x" << 0 << "align" << QString::number(Qt::AlignRight) << none;
        QTest::newRow("pard back to left") << QByteArray("{\\rtf1\\qr x\\par\\pard\\ql y}") << "x\ny" << 2 << "align" << QString::number(Qt::AlignLeft) << none;
        QTest::newRow("indents in twips") << QByteArray("{\\rtf1\\li720\\fi-360\\ri150 x\\par}") << "x\n" << 0 << "indents" << "48 -24 10" << none;
        QTest::newRow("hanging line tabs to the indent") << QByteArray("{\\rtf1\\li720\\fi-360 x\\par}") << "x\n" << 0 << "tabs" << "24" << none;
        QTest::newRow("spacing") << QByteArray("{\\rtf1\\sb300\\sa150 x}") << "x" << 0 << "spacing" << "20 10" << none;
        QTest::newRow("1250 code page") << QByteArray("{\\rtf1\\ansi\\ansicpg1250 \\'f5\\'fb\\'d5\\'DB}") << QStringLiteral("őűŐŰ") << 0 << "" << "" << none;
        QTest::newRow("1250 raw bytes") << QByteArray("{\\rtf1\\ansi\\ansicpg1250 \xe1\xf5}") << QStringLiteral("áő") << 0 << "" << "" << none;
        QTest::newRow("Latin-1 without a code page") << QByteArray("{\\rtf1\\ansi \\'f5}") << QStringLiteral("õ") << 0 << "" << "" << none;
        QTest::newRow("bad hex skipped") << QByteArray("{\\rtf1 a\\'zzb}") << "azzb" << 0 << "" << "" << none;
        QTest::newRow("unicode, fallback skipped") << QByteArray("{\\rtf1 a\\u337?b}") << QStringLiteral("aőb") << 0 << "" << "" << none;
        QTest::newRow("unicode, hex fallback") << QByteArray("{\\rtf1\\ansicpg1250 \\u369\\'fbb}") << QStringLiteral("űb") << 0 << "" << "" << none;
        QTest::newRow("unicode, two fallbacks") << QByteArray("{\\rtf1\\uc2 \\u8364 EUb}") << QStringLiteral("€b") << 0 << "" << "" << none;
        QTest::newRow("unicode, no fallback") << QByteArray("{\\rtf1\\uc0 \\u8364 b}") << QStringLiteral("€b") << 0 << "" << "" << none;
        QTest::newRow("unicode, negative") << QByteArray("{\\rtf1 \\u-3913?}") << QString(QChar(0xF0B7)) << 0 << "" << "" << none;
        QTest::newRow("fallback ends with the group") << QByteArray("{\\rtf1\\uc3 {\\u337?}b}") << QStringLiteral("őb") << 0 << "" << "" << none;
        QTest::newRow("escaped symbols") << QByteArray("{\\rtf1 \\\\\\{\\}\\~\\_}") << QStringLiteral("\\{}\u00a0\u2011") << 0 << "" << "" << none;
        QTest::newRow("named symbols") << QByteArray("{\\rtf1 \\bullet\\endash\\emdash\\lquote\\rquote\\ldblquote\\rdblquote}")
                                       << QStringLiteral("•–—‘’“”") << 0 << "" << "" << none;
        QTest::newRow("ignorable destination") << QByteArray("{\\rtf1 a{\\*\\generator Writer \\foo;}c}") << "ac" << 0 << "" << "" << none;
        QTest::newRow("picture") << QByteArray("{\\rtf1 a{\\pict\\wmetafile8\\picw10 0102ff{}}c}") << "ac" << 0 << "" << "" << none;
        QTest::newRow("binary data") << QByteArray("{\\rtf1 a{\\pict\\bin4 }}{{}c}") << "ac" << 0 << "" << "" << none;
        QTest::newRow("info and style sheet") << QByteArray("{\\rtf1{\\info{\\title T}}{\\stylesheet{\\s0 Normal;}}x}") << "x" << 0 << "" << "" << none;
        QTest::newRow("unknown words ignored") << QByteArray("{\\rtf1 a\\foo12 b\\bar c\\foo d\\|e}") << "abcde" << 0 << ""
                                               << "" << QStringList{"\\foo", "\\bar", "\\|"};
        QTest::newRow("text after the document") << QByteArray("{\\rtf1 a}b\\par c") << "a" << 0 << "" << "" << none;
        QTest::newRow("not rich text") << QByteArray("plain\nt\xe9xt") << QStringLiteral("plain\ntéxt") << 0 << "" << "" << none;
    }
    void constructs()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QFETCH(int, at);
        QFETCH(QString, what);
        QFETCH(QString, value);
        QFETCH(QStringList, unknown);
        QTextDocument document;
        document.setPlainText("old content");
        QCOMPARE(readRtf(rtf, document), unknown);
        QCOMPARE(::text(document), text);
        if (!what.isEmpty())
            QCOMPARE(probe(document, at, what), value);
    }

    void manuals_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QStringList>("phrases");
        QTest::newRow("Help.rtf") << helpDocument("Help.rtf")
                                  << QStringList{QStringLiteral("Felhasználói kézikönyv"), QStringLiteral("Hibaelhárítás"),
                                                 QStringLiteral("ébresztő impulzus"), QStringLiteral("Transzparens sávok"),
                                                 "dialout", "Edit.txt", "Com1", "8,3"};
        QTest::newRow("Help_eng.rtf") << helpDocument("Help_eng.rtf")
                                      << QStringList{"User manual", "Troubleshooting", "wake pulse", "Transparent ranges",
                                                     "dialout", "Edit.txt", "Com1", "8,3"};
    }
    void manuals()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QStringList, phrases);
        QVERIFY(rtf.startsWith("{\\rtf1"));
        QTextDocument document;
        QCOMPARE(readRtf(rtf, document), QStringList());
        const QString shown = text(document);
        for (const QString &phrase : phrases)
            QVERIFY2(shown.contains(phrase), qPrintable(phrase));
        // Every byte escape is a letter of the code page, none a control.
        for (const QChar c : document.toRawText())
            QVERIFY2(c == u'\t' || c.category() != QChar::Other_Control, qPrintable(QString::number(c.unicode(), 16)));
        QVERIFY(!shown.contains(QChar(0xFFFD)));
        // Headings are bold and larger than the text.
        QTextCursor cursor = document.find(phrases[1]);
        QVERIFY(!cursor.isNull());
        QCOMPARE(cursor.charFormat().fontWeight(), int(QFont::Bold));
        QVERIFY(cursor.charFormat().fontPointSize() > 10);
        QVERIFY(document.blockCount() > 100);
    }

    // Damaged input ends or skips what it touches; it never crashes or hangs.
    void damagedInput_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::newRow("deep nesting") << "{\\rtf1 " + QByteArray(200000, '{') + "x" + QByteArray(100, '}');
        QTest::newRow("deep nesting closed") << "{\\rtf1 " + QByteArray(5000, '{') + "x" + QByteArray(5001, '}');
        QTest::newRow("stray closing braces") << QByteArray("{\\rtf1 {}}}}}}x");
        QTest::newRow("cut in a word") << QByteArray("{\\rtf1 \\fs");
        QTest::newRow("cut in a parameter") << QByteArray("{\\rtf1 \\fs-");
        QTest::newRow("cut in a hex escape") << QByteArray("{\\rtf1 \\'f");
        QTest::newRow("cut after a backslash") << QByteArray("{\\rtf1 \\");
        QTest::newRow("binary past the end") << QByteArray("{\\rtf1 \\bin999999999999 abc");
        QTest::newRow("negative binary") << QByteArray("{\\rtf1 \\bin-5 abc}");
        QTest::newRow("huge numbers") << QByteArray("{\\rtf1 \\li99999999999\\fi-99999999999\\sa-5\\uc999999\\u99999999 x}");
        QTest::newRow("long word") << "{\\rtf1 \\" + QByteArray(100000, 'a') + " x}";
        QTest::newRow("null bytes") << QByteArray("{\\rtf1 a\0b\\\0c}", 15);
    }
    void damagedInput()
    {
        QFETCH(QByteArray, rtf);
        QElapsedTimer clock;
        clock.start();
        QTextDocument document;
        readRtf(rtf, document);
        QVERIFY(clock.elapsed() < 2000);
    }

    void randomAndTruncatedInput()
    {
        QList<QByteArray> inputs;
        for (const char *name : {"Help.rtf", "Help_eng.rtf"}) {
            const QByteArray whole = helpDocument(name);
            for (qsizetype cut = 0; cut < whole.size(); cut += 97)
                inputs << whole.left(cut);
        }
        // Random bytes biased toward RTF's own characters, so that every
        // path of the reader is hit in odd orders.
        static const char alphabet[] = "{}\\\\\\'*-0123456789abfilpqrsuxcd ;\r\n\xf5\xe9";
        QRandomGenerator random(20240501);
        for (int i = 0; i < 400; ++i) {
            QByteArray bytes = "{\\rtf1\\ansicpg1250 ";
            const int length = random.bounded(4000);
            for (int j = 0; j < length; ++j)
                bytes += random.bounded(4) == 0 ? char(random.bounded(256)) : alphabet[random.bounded(int(sizeof alphabet) - 1)];
            inputs << bytes;
        }
        QElapsedTimer clock;
        clock.start();
        for (const QByteArray &rtf : inputs) {
            QTextDocument document;
            readRtf(rtf, document);
        }
        QVERIFY2(clock.elapsed() < 20000, qPrintable(QString::number(clock.elapsed())));
    }
};

QTEST_MAIN(TestRtfReader)
#include "tst_rtf_reader.moc"
