#include "platform/inipath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace platform {

namespace {
const QString IniName = QStringLiteral("lumarine.ini");
}

QString resolveIniPath(const QString& programFolder, const QString& userConfigFolder)
{
    const QString fromEnvironment = qEnvironmentVariable("LUMARINE_INI");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    const QString besideProgram = QDir(programFolder).filePath(IniName);
    if (QFileInfo::exists(besideProgram))
        return besideProgram;
    // access() rather than QFileInfo::isWritable: it asks the kernel, which
    // also knows about read-only mounts.
    if (::access(QFile::encodeName(programFolder).constData(), W_OK) == 0)
        return besideProgram;
    return QDir(userConfigFolder).filePath(IniName);
}

QString resolveIniPath()
{
    const QString userConfig =
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)).filePath("lumarine");
    return resolveIniPath(QCoreApplication::applicationDirPath(), userConfig);
}

} // namespace platform
