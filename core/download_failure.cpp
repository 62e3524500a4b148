#include "core/download_failure.h"

QString incompleteCurveText(int language)
{
    return language == 1 ? QStringLiteral("The module may hold an incomplete curve: download again!")
                         : QStringLiteral("A modulban hiányos görbe lehet: töltse le újra!");
}
