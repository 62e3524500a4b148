#pragma once

#include "core/value_ranges.h"

#include <QString>
#include <cstdint>
#include <optional>

// The parameter fields are read like the cells (comma decimal, -1 when not a
// number) and then rounded to single precision before they are compared, as
// the module's own tools do: "2,00000001" is an opening of 2 ms. Every bound
// is inclusive and above zero, so -1 fails them all.

// The opening field's exact text picks the mode: "*" wide-angle, "#"
// narrow-angle, anything else a time in milliseconds.
enum class ControlMode { WideAngle, NarrowAngle, Time };
ControlMode controlMode(const QString &opening);

bool isValidShiftRpm(const QString &text);    // 600 to 18000
bool isValidOpeningTime(const QString &text); // 0,2 to 2 ms

// The dwell by mode: its range, the text the field is reset to when leaving
// the dwell field finds it outside (after the mode's message), and the text
// that leaving the opening field puts there silently.
struct DwellRule {
    ValueRange range;
    const char *reset;
    const char *openingReset;
};
const DwellRule &dwellRule(ControlMode mode);
bool isValidDwell(ControlMode mode, const QString &text);

// Leaving the opening field resets a dwell outside the mode's range to the
// rule's opening reset; in wide-angle mode only a dwell below the range, a
// larger one stays until the dwell field itself is left. Nothing when the
// dwell fits.
std::optional<QString> dwellResetOnOpeningExit(ControlMode mode, const QString &dwell);

// The version field's value in ten-thousandths: a point is read as the
// decimal comma, and a text that is not a number counts as 0.
std::int64_t versionFieldValue(const QString &version);

// What the version text decides: its value, the version flag, and which
// option lists are enabled.
struct VersionOptions {
    std::int64_t value = 0;
    bool flag = false;                   // the version is 8,3 or later
    bool transparentEnabled = false;     // the transparent-ranges list
    bool dwellCorrectionEnabled = false; // the dwell-correction list: not in the angle modes
};
VersionOptions versionOptions(const QString &version, const QString &opening);

// Versions from 8,3 on know the options (dwell correction, transparent ranges).
inline bool versionHasOptions(std::int64_t tenThousandths) { return tenThousandths > 82999; }
