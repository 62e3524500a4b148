#pragma once

#include "core/curve_texts.h"
#include "core/download_frame.h"
#include "core/field_rules.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>
#include <optional>
#include <variant>

// A frame read back from the line, in the curve's terms as far as the frame
// carries them: no speeds, no control mode beyond "an opening of 0 is one of
// the angle modes", no version beyond its flag, no texts as typed.
struct ReceivedFrame {
    QByteArray values;        // 127 or 128, in frame order
    bool versionFlag = false; // 128 values: the options value is there
    bool inputRising = false;
    bool outputRising = false;
    int dwellCorrection = 0;  // with the version flag only
    int transparent = 0;
    int opening = 0;          // steps of 0,0256 ms; 0 in the angle modes
    int dwell = 0;            // steps of the control mode
    int period = 0;           // the shift-light period's 16 bits, steps of 1,6 us
    int cylinders = 0;
    std::array<int, kCurveRows> advance{}; // half degrees; [0] is table row 1
    std::array<int, kCurveRows> pattern{};
};

// The first place where the bytes on the line break the frame's rules.
struct FrameFault {
    enum class Kind {
        FillerMissing, // value `value` (counted from 1), holding `found`, lacks a 255 after it
        TooFew,        // the line holds `value` values, fewer than 127
        TooMany,       // ...more than 128
        BytesAfter,    // `found` bytes follow a whole frame of `value` values
        FixedBits,     // value `value` holds `found`, against the fixed bits of `slot`
    };
    Kind kind;
    int value = 0;
    int found = 0;
    FrameSlot slot = FrameSlot::Control;
};

// Every value followed by 255, 255; 127 or 128 values; the control byte's
// bits 0 and 1 set and 2 to 5 clear, the fixed 12 in its place, the
// cylinders value's low four bits 15. A whole frame followed by more bytes
// is refused for those bytes.
std::variant<ReceivedFrame, FrameFault> readDownloadLine(const QByteArray &line);

// "value 66: 255 filler missing after 20", "126 values: one short".
QString frameFaultText(const FrameFault &fault);

// An edge polarity as a report says it: "rising" or "falling".
QString edgeText(bool rising);

// What the frame's steps stand for.
double openingMs(int steps);
// Milliseconds in time mode, degrees in the angle modes.
double dwellReading(int steps, ControlMode mode);
// The shift-light speed a period (in steps of 1,6 us) stands for with the
// cylinders, in rpm; 0 when either is 0.
double periodRpm(double period, int cylinders);

// Where a received frame first differs from the one a curve file gives: in
// the number of values (one of them has the options value), or at a place.
struct FrameDifference {
    bool versionFlag = false;
    FramePlace place{FrameSlot::Control};
};
std::optional<FrameDifference> frameDifference(const ReceivedFrame &received, const ReceivedFrame &expected);

// In the user's terms, the file's control mode reading the opening and the
// dwell: "row 12 advance: received 20,5°, file says 21°".
QString frameDifferenceText(const FrameDifference &difference, const ReceivedFrame &received,
                            const ReceivedFrame &expected, ControlMode mode);

// The frame a curve file gives once the window has loaded it.
QByteArray curveFileFrame(const CurveTexts &file);

// What a curve rebuilt from a frame had to take from elsewhere.
enum class Guess {
    Speeds,      // the default speeds: the frame carries none
    ControlMode, // "*" or "#": the frame says only "an angle mode"
    Version,     // "8,3" or "0": the frame says only which side of 8,3
};
QString guessText(Guess guess);

struct RebuiltCurve {
    CurveTexts texts;
    QList<Guess> guesses;
};

// Curve texts whose frame is exactly the received one. Where `known` (the
// curve the download was meant to send) gives the same values its texts are
// kept, and it gives the speeds, the control mode and the version; without
// it the default speeds and guesses stand in. Nothing when no texts give
// these values (0 cylinders with a shift-light period).
std::optional<RebuiltCurve> rebuildCurve(const ReceivedFrame &frame, const std::optional<CurveTexts> &known);
