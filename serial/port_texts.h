#pragma once

#include <QString>

// Why a serial port cannot be opened, in the error box of the window (in its
// language) and in igctool's messages (in English).
struct PortTexts {
    QString cannotOpen;     // %1 the device name, %2 the system port
    QString cannotOpenPath; // %1 the device path the user gave
    QString noPort;         // no system port has that number
    QString missing;        // the device node is gone
    QString needsGroup;     // %1 the group that owns the device node
    QString needsNewLogin;  // %1 the same, which this login does not have yet
    QString noPermission;   // no group would help
    QString busy;           // %1 the programs that hold it
    QString busyUnknown;    // held, by a program this user cannot see
    QString holder;         // %1 a program's name, %2 its process number
    QString notSerial;      // a file, a folder or another device
    QString locked;         // %1 the program whose lock names the port, %2 the lock file
    QString lockInTheWay;   // %1 the lock file of no running process, %2 its owner
};

const PortTexts &hungarianPortTexts();
const PortTexts &englishPortTexts();
