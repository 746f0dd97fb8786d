#include "app/about.h"

#include "app/version.h"
#include "platform/dialogs.h"

#include <QStringList>

namespace basLumarine {

QString AboutText(int major, int minor, int revision)
{
    return QStringList{QStringLiteral("Lumarine Image Viewer"),
                       QString(),
                       QStringLiteral("web: %1").arg(QLatin1String(version::WebSite)),
                       QStringLiteral("e-mail: %1").arg(QLatin1String(version::Email)),
                       QString(),
                       QStringLiteral("Thank you for your support!"),
                       QString(),
                       QStringLiteral("Version: %1.%2.%3").arg(major).arg(minor).arg(revision)}
        .join(QStringLiteral("\r\n"));
}

void ShowAbout(platform::Dialogs& dialogs)
{
    dialogs.msgBox(AboutText(version::Major, version::Minor, version::Revision),
                   platform::mb::OkOnly | platform::mb::Information);
}

} // namespace basLumarine
