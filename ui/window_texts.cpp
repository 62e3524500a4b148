#include "ui/window_texts.h"

#include "core/shared_texts.h"

const LanguageTexts &startupTexts()
{
    const SharedHungarianTexts &shared = sharedHungarianTexts();
    static const LanguageTexts texts{
        WindowTexts{
            QStringLiteral("Hengerek száma :"),
            QStringLiteral("Váltás jelző ford. szám :"),
            QStringLiteral("Nyitás (ms/vezérlési mód) :"),
            QStringLiteral("Zárás (ms/zárási szög(fok)) :"),
            QStringLiteral("Vezérlő él polaritás :"),
            QStringLiteral("Kimeneti polaritás :"),
            shared.parameterCaptions[6] + ':',
            shared.parameterCaptions[7] + ':',
            shared.parameterCaptions[8] + ':',
            {QStringLiteral("Lefutó"), QStringLiteral("Felfutó")},
            {QStringLiteral("Felfutó"), QStringLiteral("Lefutó")},
            QStringLiteral("Kilépés"),
            QStringLiteral("Letöltés"),
            QStringLiteral("Régi"),
            QStringLiteral("Új"),
            QStringLiteral("Grafikon"),
            QStringLiteral("Help.rtf"),
            QStringLiteral("Vissza"),
            QStringLiteral("nézet visszaállítása"),
            QStringLiteral("összevetés egy állománnyal…"),
            QStringLiteral("az összevetés megszüntetése"),
            QStringLiteral("a grafikon mentése képként…"),
            QStringLiteral("görbekártya exportálása…"),
            QStringLiteral("%1 (%2 sorban más a fordulatszám)"),
        },
        TextSlots{
            shared.tableTitles[0],
            shared.tableTitles[1],
            shared.tableTitles[2],
            shared.tableTitles[3],
            QStringLiteral("       Hibás érték!\nA zárási szög 50 - 510 közé eshet!"),
            QStringLiteral("       Hibás érték!\nA zárási szög 160 - 200 közé eshet!"),
            QStringLiteral("       Hibás érték!\nA zárási idő 0,5 - 10 közé eshet!"),
            QStringLiteral("       Hibás érték!\nA nyitási idő 0,2 - 2,0 közé eshet!\nVagy a '*' karakter megengedett!"),
            QStringLiteral("       Hibás érték!\nA fordulatszám 600 - 18000 közé eshet!"),
            QStringLiteral("Az érték 600 - 18000 között lehet!"),
            QStringLiteral("Az érték 0,5 - 63,5 között lehet!"),
            QStringLiteral("Az érték 0 - 11111111 közötti bináris szám!"),
            QStringLiteral("Hiba az adattáblán, vagy a paraméterek között!\n Kérem ellenőrizze az adatokat!"),
            QStringLiteral("Hiba a letöltésben!  "),
            QStringLiteral("A letöltés befejezve!"),
            shared.cannotOpen + '\n',
            QStringLiteral("Nem megfeleő adatállomány!"),
            QStringLiteral("Biztosan törölni szeretnéd a bejegyzéseket?"),
            QStringLiteral("Az adatbázis elmentve!"),
            QStringLiteral("A file már létezik. Felülírja?"),
            QStringLiteral("Elmentette a változásokat?"),
        },
        hungarianPortTexts(),
        CardTexts{
            QStringLiteral("Előgyújtási görbe"),
            QStringLiteral("Állomány: %1"),
            QStringLiteral("Exportálva: %1"),
            QStringLiteral("yyyy. MM. dd. HH:mm"),
            QStringLiteral("transzparens sávok miatt rögzített sorok"),
            QStringLiteral("Letöltési keret: %1 érték, %2 bájt a vonalon"),
            QStringLiteral("sha256: %1"),
            QStringLiteral("nem letölthető: %1"),
            QStringLiteral("%1: a görbekártya neve .pdf vagy .png végű lehet"),
            hungarianRefusalWords(),
        },
    };
    return texts;
}

// The Hungarian set that switching the language puts in place differs from
// the start-up texts only in these places.
const LanguageTexts &hungarianTexts()
{
    static const LanguageTexts texts = [] {
        const SharedHungarianTexts &shared = sharedHungarianTexts();
        LanguageTexts t = startupTexts();
        WindowTexts &w = t.window;
        w.Label1 = shared.parameterCaptions[0] + ':';
        w.Label2 = shared.parameterCaptions[1] + ':';
        w.Label3 = shared.parameterCaptions[2] + ':';
        w.Label4 = shared.parameterCaptions[3] + ':';
        w.Label5 = shared.parameterCaptions[4] + ':';
        w.Label7 = shared.parameterCaptions[5] + ':';
        w.KilepBtn = QStringLiteral("Kilép");
        TextSlots &m = t.slotTexts;
        m.MsgBadDwellAngleWide = QStringLiteral("Megengedett érték: 50 - 510 !");
        m.MsgBadDwellAngleNarrow = QStringLiteral("Megengedett érték: 160 - 200 !");
        m.MsgBadDwellTime = QStringLiteral("Megengedett érték: 0,5 - 10 !");
        m.MsgBadOpeningTime = QStringLiteral("Megengedett érték: 0,2 - 2,0 !");
        m.MsgBadShiftRpm = QStringLiteral("Megengedett érték: 600 - 18000 !");
        m.MsgRangeRpm = QStringLiteral("Megengedett érték: 600 - 18000 !");
        m.MsgRangeAdvance = QStringLiteral("Megengedett érték: 0,5 - 63,5 !");
        m.MsgRangeInhibit = QStringLiteral("Megengedett érték: 0 - 11111111 bináris formában !");
        m.MsgDownloadError = shared.downloadError;
        m.MsgDownloadDone = QStringLiteral("Letöltés ok!");
        m.MsgBadFile = shared.badFile;
        m.MsgSaved = QStringLiteral("Adatok elmentve!");
        return t;
    }();
    return texts;
}

// The English texts keep their established wording, spelling included.
const LanguageTexts &englishTexts()
{
    static const LanguageTexts texts{
        WindowTexts{
            QStringLiteral("No. of Cylinders:"),
            QStringLiteral("Shift Light rpm:"),
            QStringLiteral("Opening Time (ms/mode):"),
            QStringLiteral("Dwell Time (ms/deg):"),
            QStringLiteral("Input Edge Polarity:"),
            QStringLiteral("Output Edge Polarity:"),
            QStringLiteral("Version:"),
            QStringLiteral("Dwell correction:"),
            QStringLiteral("Transparent ranges:"),
            {QStringLiteral("Falling"), QStringLiteral("Rising")},
            {QStringLiteral("Rising"), QStringLiteral("Falling")},
            QStringLiteral("Exit"),
            QStringLiteral("Download"),
            QStringLiteral("Old"),
            QStringLiteral("New"),
            QStringLiteral("Graph"),
            QStringLiteral("Help_eng.rtf"),
            QStringLiteral("Back"),
            QStringLiteral("restore view"),
            QStringLiteral("compare with a file…"),
            QStringLiteral("remove the comparison"),
            QStringLiteral("save the chart as an image…"),
            QStringLiteral("export curve card…"),
            QStringLiteral("%1 (other speeds in %2 of 60 rows)"),
        },
        TextSlots{
            QStringLiteral("#"),
            QStringLiteral("RPM"),
            QStringLiteral("Ign. Advance"),
            QStringLiteral("Inh. Pattern"),
            QStringLiteral("Allowed Range: 50 - 510 !"),
            QStringLiteral("Allowed Range: 160 - 200 !"),
            QStringLiteral("Allowed Range: 0,5 - 10 !"),
            QStringLiteral("Allowed Range: 0,2 - 2,0 !"),
            QStringLiteral("Allowed Range: 600 - 18000 !"),
            QStringLiteral("Allowed Range: 600 - 18000 !"),
            QStringLiteral("Allowed Range: 0,5 - 63,5 !"),
            QStringLiteral("Allowed Range: 0 - 11111111 binary !"),
            QStringLiteral("Parameter or data error!\n Please check!"),
            QStringLiteral("Download error!  "),
            QStringLiteral("Download ok!"),
            QStringLiteral("File alreadi exists!\n"),
            QStringLiteral("File is bad!"),
            QStringLiteral("Are You Sure?"),
            QStringLiteral("Saved!"),
            QStringLiteral("Overwrite?"),
            QStringLiteral("Apllication close..."),
        },
        englishPortTexts(),
        CardTexts{
            QStringLiteral("Ignition curve card"),
            QStringLiteral("File: %1"),
            QStringLiteral("Exported: %1"),
            QStringLiteral("yyyy-MM-dd HH:mm"),
            QStringLiteral("rows frozen by transparent ranges"),
            QStringLiteral("Download frame: %1 values, %2 bytes on the line"),
            QStringLiteral("sha256: %1"),
            QStringLiteral("not downloadable: %1"),
            QStringLiteral("%1: a curve card's name ends in .pdf or .png"),
            englishRefusalWords(),
        },
    };
    return texts;
}

const LanguageTexts &appliedTexts(int language)
{
    return language == 1 ? englishTexts() : hungarianTexts();
}
