#pragma once

#include <QIcon>

// The pictures on the window's buttons. They are painted in code, so the
// program needs no image files next to it and looks the same everywhere.
enum class ButtonPicture {
    OpenFolder,        // LoadBtn
    FloppyDisk,        // SaveBtn
    HandWriting,       // EditBtn: a hand writing on a sheet
    BlankSheet,        // TorolBtn: a blank sheet with a sparkle
    QuestionMark,      // HelpBtn (18 x 18)
    WakeBall,          // BitBtn1: a red question mark on a yellow ball
    Door,              // KilepBtn
    Globe,             // BtnNyelv
    Telephone,         // ComBtn: a ringing telephone
    DownloadArrow,     // LetoltBtn: a red circular arrow with an exclamation mark
    GreenTick,         // ComOkBtn (18 x 18)
    ExitDoorway,       // EndhelpBtn: an open doorway under a green exit sign (18 x 18)
};

// The picture at its design size (16 x 16, or 18 x 18 where noted above);
// the disabled state is derived by Qt from the same pixmap.
QIcon buttonIcon(ButtonPicture picture);
int buttonIconSize(ButtonPicture picture);
