#include "platform/launcher.h"

#include <QDesktopServices>

namespace platform {

bool DesktopLauncher::openDocument(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool DesktopLauncher::openWebPage(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

} // namespace platform
