#pragma once

#include "core/check_notes.h"
#include "core/curve_csv.h"
#include "core/download_check.h"

#include <QString>
#include <array>

// igctool speaks English, or Hungarian where the locale asks for it. Its
// Hungarian follows the window's wording (the texts it shows once Magyar is
// chosen) wherever the window says the same thing, taken from the texts
// both programs share (core/shared_texts.h).
enum class ToolLanguage { English, Hungarian };

// As POSIX chooses the messages' locale: the first of LC_ALL, LC_MESSAGES
// and LANG that is not empty; Hungarian when it starts with "hu".
ToolLanguage messageLanguage(const QString &lcAll, const QString &lcMessages, const QString &lang);

struct ToolTexts {
    // Wrong usage.
    QString whichCommand;     // no command at all
    QString noCommand;        // %1 the word given
    QString usage;            // %1 the command's usage line, %2 the command and a space
    QString needsOption;      // %1 the command, %2 the option
    QString unknownOption;    // %1 the option, %2 the command and a space, or nothing
    QString missingValue;     // %1 the option, %2 the command and a space
    QString twoStandardInputs;

    // Files. %1 the name as given.
    QString standardInput;    // the name of "-"
    QString cannotRead;       // %2 why
    QString cannotWrite;      // %2 why
    QString notRegularFile;   // why: a FIFO, a device, a folder
    QString tooLarge;         // why: %1 the bound in bytes
    QString notCurveFile;
    QString notCurveEncoding; // %2 the encoding
    QString lostName;
    QString refusedTarget;    // not a regular file, not written over
    QString ownerChanged;     // %2:%3 now, %4:%5 before, %6 why
    QString cannotWriteOut;   // %1 why
    QString written;          // %1 the file, %2 bytes (--verbose)

    // check
    QString note;             // "note: " before a note
    QString ready;            // %1 the file, %2 the values
    QString values;           // %1 the count
    QString valuesWithOptions;

    // show: the parameters' captions in file order, then the table's titles.
    QString fileCaption;
    std::array<QString, 9> parameterCaptions;
    std::array<QString, 4> tableTitles;
    QString oldVariant;
    QString rpmUnit, msUnit, degreeUnit;
    std::array<QString, 3> modeNotes; // after the opening, by ControlMode
    QString notSent;                  // after the two options below version 8,3

    // The port.
    QString portFromEnvironment; // %1 the port (--verbose)
    QString usingAdapter;        // %1 the port and its device
    QString noAdapter;
    QString severalAdapters;     // %1 how many, %2 which

    // download and wake
    std::array<QString, 5> receiptCaptions; // file, port, sent, version, sha256
    QString sentBytes;        // %1 bytes, %2 the values
    QString versionFlag;      // %1 the version, %2 the flag
    QString breakRefused;     // %1 the port, %2 why
    QString lineFailed;       // %1 the port, %2 why, %3 values sent, %4 of
    QString wakeDone;         // %1 ms, %2 the port
    QString wakeFailed;       // %1 the port, %2 why
    QString breakRaised;      // %1 the port (--verbose)
    QString sending;          // %1 bytes (--verbose)
    QString released;         // (--verbose)
    QString progressBytes;    // %1 on the line, %2 of
    QString progressFailed;

    // ports
    QString noPorts;
    QString usable;
    QString notUsable;        // before the port doctor's verdict
    QString serialNumber;     // %1

    // import
    QString imported;         // %1 the curve written, %2 the table, %3 the curve of the parameters
    QString tableRead;        // %1 the table, %2 encoding, %3 separator, %4 titles or not (--verbose)
    QString titled, untitled;
    std::array<QString, 3> separators; // tab, semicolon, comma

    RefusalWords refusal;
    CsvWords csv;
    NoteWords notes;
};

const ToolTexts &toolTexts(ToolLanguage language);
