#pragma once

#include <QString>

#include <functional>

namespace platform {

// Whether the settings file at path can be replaced: the file itself and its
// folder, where the new copy is written before it takes the old one's place,
// are writable. access() asks the kernel, which also knows read-only mounts.
bool canReplaceFile(const QString& path);

// Where the settings file lives: LUMARINE_INI when set; "lumarine.ini" in the
// program's folder only when one is already there and can be replaced (a
// portable copy); otherwise "lumarine.ini" in the user's configuration
// folder. None is ever made beside the program: there it would be shared by
// every user of an installed copy, and owned by the first to run it as root.
QString resolveIniPath(const QString& programFolder, const QString& userConfigFolder,
                       const std::function<bool(const QString&)>& canReplace = canReplaceFile);
QString resolveIniPath();

} // namespace platform
