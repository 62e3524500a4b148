#pragma once

#include "core/download_check.h"
#include "serial/port_texts.h"

#include <QString>
#include <QStringList>

// The 21 texts that the grid header and the message boxes show. They always
// hold the current language; whoever shows one reads it at that moment.
struct TextSlots {
    QString MsgColNo;
    QString MsgColRpm;
    QString MsgColAdvance;
    QString MsgColInhibit;
    QString MsgBadDwellAngleWide;
    QString MsgBadDwellAngleNarrow;
    QString MsgBadDwellTime;
    QString MsgBadOpeningTime;
    QString MsgBadShiftRpm;
    QString MsgRangeRpm;
    QString MsgRangeAdvance;
    QString MsgRangeInhibit;
    QString MsgTableError;
    QString MsgDownloadError;
    QString MsgDownloadDone;
    QString MsgCannotOpen;
    QString MsgBadFile;
    QString MsgConfirmClear;
    QString MsgSaved;
    QString MsgOverwrite;
    QString MsgSaveChanges;
};

// The captions, lists and titles that change with the language.
struct WindowTexts {
    QString Label1, Label2, Label3, Label4, Label5, Label7, Label8, Label9, Label10;
    QStringList ComboBox3Items; // input edge: falling, rising
    QStringList ComboBox4Items; // output edge: rising, falling
    QString KilepBtn, LetoltBtn;
    QString Series1Title, Series2Title, ChartTitle;
    QString HelpFileName;
    QString EndhelpBtn;
    // The chart's right-click menu, in its order.
    QString ChartRestoreView, ChartCompare, ChartRemoveComparison, ChartSaveImage, ChartExportCard;
    // The comparison curve's title when its speeds differ from the table's
    // in some rows: %1 the file's name, %2 the number of rows.
    QString ComparisonOtherSpeeds;
};

// The curve card's own texts; its captions, column titles and chart title
// are the window's.
struct CardTexts {
    QString title;
    QString file;            // %1 the curve file's name
    QString exported;        // %1 the time of export
    QString timeFormat;      // QDateTime's format for it
    QString frozen;          // beside the shading of the rows frozen by transparent ranges
    QString frame;           // %1 values, %2 bytes on the line
    QString digest;          // %1 the frame's sha256
    QString notDownloadable; // %1 the first refusal
    QString badName;         // %1 the name that ends in neither .pdf nor .png
    RefusalWords refusal;
};

struct LanguageTexts {
    WindowTexts window;
    TextSlots slotTexts;
    const PortTexts &port; // the serial layer's, in the same language
    CardTexts card;
};

// The texts the program starts with, before any language is applied. Their
// Hungarian wording differs in places from the Hungarian set chosen later.
const LanguageTexts &startupTexts();

// The two sets that switching the language puts in place; each holds every
// text, so a set can be shown as a whole.
const LanguageTexts &hungarianTexts();
const LanguageTexts &englishTexts();
// English for 1; every other index means Hungarian.
const LanguageTexts &appliedTexts(int language);
