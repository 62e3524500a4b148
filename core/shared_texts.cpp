#include "core/shared_texts.h"

const SharedHungarianTexts &sharedHungarianTexts()
{
    static const SharedHungarianTexts texts{
        QStringLiteral("Nem tudom megnyitni az állományt!"),
        QStringLiteral("Nem megfelelő adatállomány!"),
        QStringLiteral("Hiba a letöltés közben!"),
        {QStringLiteral("Hengerek száma"), QStringLiteral("Váltás jelző ford.szám"),
         QStringLiteral("Nyitás (ms/vezérlési mód)"), QStringLiteral("Zárás (ms/zárási szög (fok))"),
         QStringLiteral("Vezérlő él polaritás"), QStringLiteral("Kimeneti polaritás"), QStringLiteral("Verzió"),
         QStringLiteral("Zárásidő korrekció"), QStringLiteral("Transzparens sávok")},
        {QStringLiteral("#"), QStringLiteral("Ford.szám"), QStringLiteral("Előgyújtás"), QStringLiteral("Tiltás")},
    };
    return texts;
}
