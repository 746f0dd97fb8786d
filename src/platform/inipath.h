#pragma once

#include <QString>

namespace platform {

// Where the settings file lives: LUMARINE_INI when set; otherwise
// "lumarine.ini" in the program's folder, unless that folder cannot be written
// and holds no settings file, in which case the per-user configuration folder.
QString resolveIniPath(const QString& programFolder, const QString& userConfigFolder);
QString resolveIniPath();

} // namespace platform
