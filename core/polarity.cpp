#include "core/polarity.h"

bool isRisingPolarity(const QString &word)
{
    return word == Polarity::RisingHu || word == Polarity::RisingEn;
}

QString TranslatePolarityWord(const QString &word, int language)
{
    using namespace Polarity;
    if (language == 0) {
        if (word == RisingEn)
            return RisingHu;
        if (word == FallingEn)
            return FallingHu;
    } else if (language == 1) {
        if (word == RisingHu)
            return RisingEn;
        if (word == FallingHu)
            return FallingEn;
    }
    return word;
}
