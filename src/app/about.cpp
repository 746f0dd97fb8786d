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

QString LicenceNotice()
{
    return QStringLiteral(
        "Copyright (C) 2026 Lumarine developers\n\n"
        "Lumarine is free software: you can redistribute it and/or modify it under the terms of the GNU "
        "General Public License as published by the Free Software Foundation, either version 3 of the "
        "License, or (at your option) any later version.\n\n"
        "Lumarine is distributed in the hope that it will be useful, but WITHOUT ANY WARRANTY; without even "
        "the implied warranty of MERCHANTABILITY or FITNESS FOR A PARTICULAR PURPOSE. See the GNU General "
        "Public License for more details.\n\n"
        "You should have received a copy of the GNU General Public License along with Lumarine. If not, "
        "see <https://www.gnu.org/licenses/>.");
}

void ShowAbout(platform::Dialogs& dialogs)
{
    dialogs.msgBoxWithDetails(AboutText(version::Major, version::Minor, version::Revision), LicenceNotice(),
                              platform::mb::OkOnly | platform::mb::Information);
}

} // namespace basLumarine
