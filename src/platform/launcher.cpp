#include "platform/launcher.h"

#include <QDesktopServices>

namespace platform {

// A handler that is missing or fails is the desktop's to report; the program
// has no message of its own for it.
void DesktopLauncher::openDocument(const QString& path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void DesktopLauncher::openWebPage(const QUrl& url)
{
    QDesktopServices::openUrl(url);
}

} // namespace platform
