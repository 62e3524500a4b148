#pragma once

#include <QString>
#include <optional>

// Where the help viewer finds a manual (`name` is "Help.rtf" or
// "Help_eng.rtf"): in `folder`, the current folder, when it is there, as in
// a build tree; otherwise in the installed data folders of the program
// (QStandardPaths::AppDataLocation: ~/.local/share/igcedit,
// /usr/local/share/igcedit, /usr/share/igcedit, following XDG_DATA_HOME and
// XDG_DATA_DIRS). Only regular files count; nullopt when no folder has one.
std::optional<QString> locateHelpFile(const QString &folder, const QString &name);
