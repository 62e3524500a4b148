#include "core/help_file.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

std::optional<QString> locateHelpFile(const QString &folder, const QString &name)
{
    const QString here = QDir(folder).filePath(name);
    if (QFileInfo(here).isFile())
        return here;
    const QString installed = QStandardPaths::locate(QStandardPaths::AppDataLocation, name);
    if (!installed.isEmpty() && QFileInfo(installed).isFile())
        return installed;
    return std::nullopt;
}
