#include "app/help.h"

#include "app/version.h"
#include "platform/launcher.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace app {

namespace {
const QString HelpName = QStringLiteral("lumarine.html");
}

QString HelpDocumentPath(const QString& programFolder)
{
    const QDir folder(programFolder);
    const QString beside = folder.filePath(HelpName);
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed = QDir::cleanPath(
        folder.filePath(QLatin1String(version::InstalledDataFolder) + QLatin1Char('/') + HelpName));
    if (QFileInfo::exists(installed))
        return installed;
    // The desktop's handler reports a document that is missing.
    return beside;
}

void OpenHelp(platform::Launcher& launcher)
{
    launcher.openDocument(HelpDocumentPath(QCoreApplication::applicationDirPath()));
}

QUrl WebPageUrl()
{
    return QUrl(QStringLiteral("http://%1/lumarine/proglink.htm").arg(QLatin1String(version::WebSite)));
}

} // namespace app
