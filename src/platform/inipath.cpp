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

bool canReplaceFile(const QString& path)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0 &&
           ::access(folder.constData(), W_OK) == 0;
}

QString resolveIniPath(const QString& programFolder, const QString& userConfigFolder,
                       const std::function<bool(const QString&)>& canReplace)
{
    const QString fromEnvironment = qEnvironmentVariable("LUMARINE_INI");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    const QString besideProgram = QDir(programFolder).filePath(IniName);
    if (QFileInfo::exists(besideProgram) && canReplace(besideProgram))
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
