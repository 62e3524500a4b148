#include "lang/ui_texts.h"

const LanguageTexts &startupTexts()
{
    static const LanguageTexts texts{
        WindowTexts{
            QStringLiteral("Hengerek száma :"),
            QStringLiteral("Váltás jelző ford. szám :"),
            QStringLiteral("Nyitás (ms/vezérlési mód) :"),
            QStringLiteral("Zárás (ms/zárási szög(fok)) :"),
            QStringLiteral("Vezérlő él polaritás :"),
            QStringLiteral("Kimeneti polaritás :"),
            QStringLiteral("Verzió:"),
            QStringLiteral("Zárásidő korrekció:"),
            QStringLiteral("Transzparens sávok:"),
            {QStringLiteral("Lefutó"), QStringLiteral("Felfutó")},
            {QStringLiteral("Felfutó"), QStringLiteral("Lefutó")},
            QStringLiteral("Kilépés"),
            QStringLiteral("Letöltés"),
            QStringLiteral("Régi"),
            QStringLiteral("Új"),
            QStringLiteral("Grafikon"),
            QStringLiteral("Help.rtf"),
            QStringLiteral("Vissza"),
        },
        TextSlots{
            QStringLiteral("#"),
            QStringLiteral("Ford.szám"),
            QStringLiteral("Előgyújtás"),
            QStringLiteral("Tiltás"),
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
            QStringLiteral("Nem tudom megnyitni az állományt!\n"),
            QStringLiteral("Nem megfeleő adatállomány!"),
            QStringLiteral("Biztosan törölni szeretnéd a bejegyzéseket?"),
            QStringLiteral("Az adatbázis elmentve!"),
            QStringLiteral("A file már létezik. Felülírja?"),
            QStringLiteral("Elmentette a változásokat?"),
        },
    };
    return texts;
}
