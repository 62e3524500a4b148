#pragma once

#include <QString>

// What both programs say after a download that failed or was stopped once
// the BREAK was raised: the module may have taken part of a frame. English
// for language 1, Hungarian for every other.
QString incompleteCurveText(int language);
