#pragma once

// The ranges the table, the parameter fields and the download check allow.
// Both bounds are inclusive; every low bound is above zero, so the -1 that a
// text which is not a number reads as never fits.
struct ValueRange {
    double low;
    double high;
    bool contains(double value) const { return low <= value && value <= high; }
};

namespace Ranges {
constexpr ValueRange Rpm{600, 18000};         // engine speeds, the shift light's too
constexpr ValueRange Advance{0.5, 63.5};      // degrees
constexpr ValueRange OpeningTime{0.2, 2};     // milliseconds, in time mode
constexpr ValueRange DwellWide{50, 510};      // degrees, wide-angle mode
constexpr ValueRange DwellNarrow{160, 200};   // degrees, narrow-angle mode
constexpr ValueRange DwellTime{0.5, 10};      // milliseconds, time mode
constexpr ValueRange Option{0, 15};           // dwell correction, transparent ranges
} // namespace Ranges
