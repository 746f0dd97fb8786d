#include "app/help.h"

#include "app/version.h"
#include "platform/dialogs.h"
#include "platform/launcher.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace app {

namespace {
const QString HelpName = QStringLiteral("lumarine.html");

void refuseUnopened(platform::Dialogs& dialogs, const QString& what)
{
    dialogs.msgBox(QStringLiteral("%1 could not be opened: the desktop has no program for it.").arg(what),
                   platform::mb::OkOnly | platform::mb::Exclamation);
}
} // namespace

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

void OpenHelp(platform::Launcher& launcher, platform::Dialogs& dialogs)
{
    const QString path = HelpDocumentPath(QCoreApplication::applicationDirPath());
    if (!launcher.openDocument(path))
        refuseUnopened(dialogs, QStringLiteral("The manual %1").arg(path));
}

void OpenWebPage(platform::Launcher& launcher, platform::Dialogs& dialogs)
{
    const QUrl url = WebPageUrl();
    if (!launcher.openWebPage(url))
        refuseUnopened(dialogs, QStringLiteral("The web page %1").arg(url.toString()));
}

QUrl WebPageUrl()
{
    return QUrl(QStringLiteral("http://%1/lumarine/proglink.htm").arg(QLatin1String(version::WebSite)));
}

} // namespace app
