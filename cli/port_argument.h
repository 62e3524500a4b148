#pragma once

#include "core/platform_error.h"

#include <QString>
#include <optional>

struct PortTexts;

// The port of a download or a wake pulse: --port as given (Com and a
// number in any letter case, or a device path), else IGC_PORT, else the
// only USB or ACM adapter plugged in, which igctool names on stderr. Ends
// the command with ExitPort when there is none, ExitUsage when there are
// several.
QString chosenPort(const std::optional<QString> &option);

// "Com1 (/dev/ttyUSB0)", or the name alone when it is the device.
QString portLabel(const QString &name, const QString &device);

// Why a port could not be opened, in igctool's language: the port doctor's
// diagnosis, or the system's words.
QString portErrorText(const PlatformError &error);
const PortTexts &portTexts();
