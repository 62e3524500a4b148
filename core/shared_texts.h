#pragma once

#include <QString>
#include <array>

// Hungarian texts that the window (once Magyar is chosen) and igctool both
// print, kept once for both.
struct SharedHungarianTexts {
    QString cannotOpen;    // a file that cannot be read
    QString badFile;       // a file that is no curve file
    QString downloadError; // a download that failed on the line
    // The parameters' captions without their colons, in file order:
    // cylinders, shift-light speed, opening, dwell, input and output edge
    // polarity, version, dwell correction, transparent ranges.
    std::array<QString, 9> parameterCaptions;
    // The table's column titles: row number, speed, advance, pattern.
    std::array<QString, 4> tableTitles;
};

const SharedHungarianTexts &sharedHungarianTexts();
