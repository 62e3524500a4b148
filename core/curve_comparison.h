#pragma once

#include "core/curve.h"
#include "core/curve_document.h"

// Another curve file laid over the table's curves on the chart, row by row.

// Its advances as the chart draws them: an advance that is not a number at 0,
// as the start-up fill draws one.
CurvePoints advancePoints(const Curve &curve);

// In how many rows its speeds differ from the table's: by their numbers,
// or by their texts where either is not a number ("650" and "650,0" agree).
int rowsWithOtherSpeeds(const Curve &table, const Curve &other);
