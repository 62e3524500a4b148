#include "core/tool_texts.h"

#include "core/shared_texts.h"

ToolLanguage messageLanguage(const QString &lcAll, const QString &lcMessages, const QString &lang)
{
    for (const QString &locale : {lcAll, lcMessages, lang}) {
        if (!locale.isEmpty())
            return locale.startsWith(QLatin1String("hu")) ? ToolLanguage::Hungarian : ToolLanguage::English;
    }
    return ToolLanguage::English;
}

namespace {

const ToolTexts &english()
{
    static const ToolTexts texts{
        QStringLiteral("which command? igctool --help lists them"),
        QStringLiteral("no command %1; igctool --help lists them"),
        QStringLiteral("usage: igctool %1; igctool %2--help tells more"),
        QStringLiteral("%1 needs --%2; igctool %1 --help tells more"),
        QStringLiteral("unknown option %1; igctool %2--help lists the options"),
        QStringLiteral("%1 needs a value; igctool %2--help tells more"),
        QStringLiteral("only one file can come from standard input"),

        QStringLiteral("(standard input)"),
        QStringLiteral("%1: cannot read it: %2"),
        QStringLiteral("%1: cannot write it: %2"),
        QStringLiteral("not a regular file"),
        QStringLiteral("larger than %1 bytes"),
        QStringLiteral("%1: not a curve file (its first line is neither igc nor igc1)"),
        QStringLiteral("%1: not a curve file: it is %2 text, and curve files are Windows-1250"),
        QStringLiteral("%1: the name is not UTF-8; give the new file a UTF-8 name"),
        QStringLiteral("%1: not a regular file; igctool writes only to a regular file or a new name"),
        QStringLiteral("%1: written, but it now belongs to %2:%3 instead of %4:%5 (%6)"),
        QStringLiteral("cannot write to standard output: %1"),
        QStringLiteral("%1: %2 bytes written"),

        QStringLiteral("note: "),
        QStringLiteral("%1: ready to download, %2"),
        QStringLiteral("%1 values"),
        QStringLiteral("%1 values with the options value"),

        QStringLiteral("file"),
        {QStringLiteral("cylinders"), QStringLiteral("shift-light speed"), QStringLiteral("opening"),
         QStringLiteral("dwell"), QStringLiteral("input edge polarity"), QStringLiteral("output edge polarity"),
         QStringLiteral("version"), QStringLiteral("dwell correction"), QStringLiteral("transparent ranges")},
        {QStringLiteral("row"), QStringLiteral("rpm"), QStringLiteral("advance"), QStringLiteral("pattern")},
        QStringLiteral(" (igc)"),
        QStringLiteral(" rpm"),
        QStringLiteral(" ms"),
        QStringLiteral(" degrees"),
        {QStringLiteral(" (wide-angle mode)"), QStringLiteral(" (narrow-angle mode)"), QStringLiteral(" ms (time mode)")},
        QStringLiteral(" (not sent before version 8,3)"),

        QStringLiteral("the port from IGC_PORT: %1"),
        QStringLiteral("no --port given: using %1, the only USB serial adapter"),
        QStringLiteral("no --port given, and no USB serial adapter is plugged in; name the port with --port or IGC_PORT"),
        QStringLiteral("no --port given, and %1 USB serial adapters are plugged in (%2); choose one with --port or IGC_PORT"),

        {QStringLiteral("file"), QStringLiteral("port"), QStringLiteral("sent"), QStringLiteral("version"),
         QStringLiteral("sha256")},
        QStringLiteral("%1 bytes, %2"),
        QStringLiteral("%1 (version flag %2)"),
        QStringLiteral("%1 refused the BREAK: %2"),
        QStringLiteral("%1: the line failed (%2); %3 of %4 values had left the port"),
        QStringLiteral("wake pulse: BREAK held for %1 ms on %2"),
        QStringLiteral("%1: the line failed ending the BREAK: %2"),
        QStringLiteral("%1: BREAK raised"),
        QStringLiteral("BREAK ended; sending %1 bytes"),
        QStringLiteral("every byte is on the line; the port is released"),
        QStringLiteral("%1/%2 bytes"),
        QStringLiteral("failed"),

        QStringLiteral("No serial ports found. A USB adapter shows up when it is plugged in."),
        QStringLiteral("this user can open it"),
        QStringLiteral("cannot be opened: "),
        QStringLiteral("serial number %1"),

        QStringLiteral("%1: the rows of %2 with the parameters of %3"),
        QStringLiteral("%1: %2 text, %3, %4"),
        QStringLiteral("column titles on the first line"),
        QStringLiteral("no column titles"),
        {QStringLiteral("tab-separated"), QStringLiteral("semicolon-separated"), QStringLiteral("comma-separated")},

        englishRefusalWords(),
        englishCsvWords(),
        englishNoteWords(),
    };
    return texts;
}

// The window's words where it has them: its messages about files and the
// download, the captions of its fields and the titles of its grid.
const ToolTexts &hungarian()
{
    const SharedHungarianTexts &w = sharedHungarianTexts();
    static const ToolTexts texts{
        QStringLiteral("melyik parancs? Az igctool --help felsorolja őket"),
        QStringLiteral("nincs %1 parancs; az igctool --help felsorolja a parancsokat"),
        QStringLiteral("használat: igctool %1; az igctool %2--help többet mond"),
        QStringLiteral("a(z) %1 parancshoz --%2 kell; az igctool %1 --help többet mond"),
        QStringLiteral("ismeretlen kapcsoló: %1; az igctool %2--help felsorolja a kapcsolókat"),
        QStringLiteral("a(z) %1 kapcsoló után érték kell; az igctool %2--help többet mond"),
        QStringLiteral("csak egy állomány jöhet a szabványos bemenetről"),

        QStringLiteral("(szabványos bemenet)"),
        "%1: " + w.cannotOpen + " (%2)",
        QStringLiteral("%1: nem tudom kiírni az állományt! (%2)"),
        QStringLiteral("nem közönséges állomány"),
        QStringLiteral("nagyobb %1 bájtnál"),
        "%1: " + w.badFile + " (az első sora sem igc, sem igc1)",
        "%1: " + w.badFile + " %2 szöveg, a görbeállományok Windows-1250 kódolásúak",
        QStringLiteral("%1: a név nem UTF-8; adjon az új állománynak UTF-8 nevet"),
        QStringLiteral("%1: nem közönséges állomány; az igctool csak közönséges állományba vagy új névre ír"),
        QStringLiteral("%1: kiírva, de most %2:%3 tulajdona %4:%5 helyett (%6)"),
        QStringLiteral("nem tudok írni a szabványos kimenetre: %1"),
        QStringLiteral("%1: %2 bájt kiírva"),

        QStringLiteral("megjegyzés: "),
        QStringLiteral("%1: letölthető, %2"),
        QStringLiteral("%1 érték"),
        QStringLiteral("%1 érték az opciók értékével"),

        QStringLiteral("Állomány"),
        w.parameterCaptions,
        w.tableTitles,
        QStringLiteral(" (igc)"),
        QStringLiteral(" 1/perc"),
        QStringLiteral(" ms"),
        QStringLiteral(" fok"),
        {QStringLiteral(" (széles szögű mód)"), QStringLiteral(" (keskeny szögű mód)"), QStringLiteral(" ms (idő mód)")},
        QStringLiteral(" (8,3 előtti verziónál nem megy ki)"),

        QStringLiteral("a port az IGC_PORT szerint: %1"),
        QStringLiteral("nincs --port: a(z) %1 az egyetlen USB soros átalakító, ezt használom"),
        QStringLiteral("nincs --port, és nincs bedugva USB soros átalakító; adja meg a portot a --port kapcsolóval vagy az IGC_PORT változóval"),
        QStringLiteral("nincs --port, és %1 USB soros átalakító van bedugva (%2); válasszon a --port kapcsolóval vagy az IGC_PORT változóval"),

        {QStringLiteral("állomány"), QStringLiteral("port"), QStringLiteral("elküldve"), QStringLiteral("verzió"),
         QStringLiteral("sha256")},
        QStringLiteral("%1 bájt, %2"),
        QStringLiteral("%1 (verziójelző: %2)"),
        QStringLiteral("%1 nem fogadta el a BREAK-et: %2"),
        w.downloadError + " %1: a vonal hibája (%2); %4 értékből %3 hagyta el a portot",
        QStringLiteral("ébresztő impulzus: BREAK %1 ms-ig a(z) %2 porton"),
        QStringLiteral("%1: a vonal hibája a BREAK végén: %2"),
        QStringLiteral("%1: BREAK"),
        QStringLiteral("a BREAK véget ért; %1 bájt küldése"),
        QStringLiteral("minden bájt a vonalon van; a port szabad"),
        QStringLiteral("%1/%2 bájt"),
        QStringLiteral("hiba"),

        QStringLiteral("Nincs soros port. Az USB átalakító a bedugása után jelenik meg."),
        QStringLiteral("ez a felhasználó megnyithatja"),
        QStringLiteral("nem nyitható meg: "),
        QStringLiteral("sorozatszám: %1"),

        QStringLiteral("%1: a(z) %2 sorai a(z) %3 paramétereivel"),
        QStringLiteral("%1: %2 szöveg, %3, %4"),
        QStringLiteral("az első sorban oszlopcímek"),
        QStringLiteral("oszlopcímek nélkül"),
        {QStringLiteral("tabulátorral elválasztva"), QStringLiteral("pontosvesszővel elválasztva"),
         QStringLiteral("vesszővel elválasztva")},

        hungarianRefusalWords(),
        hungarianCsvWords(),
        hungarianNoteWords(),
    };
    return texts;
}

} // namespace

const ToolTexts &toolTexts(ToolLanguage language)
{
    return language == ToolLanguage::Hungarian ? hungarian() : english();
}
