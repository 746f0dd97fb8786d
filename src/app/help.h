#pragma once

#include <QString>
#include <QUrl>

namespace platform {
class Dialogs;
class Launcher;
} // namespace platform

namespace app {

// The help document: beside the program when it runs from its build folder,
// in <prefix>/share/lumarine once installed in <prefix>/bin.
QString HelpDocumentPath(const QString& programFolder);
// Both say so when the desktop has no program to open what they ask for.
void OpenHelp(platform::Launcher& launcher, platform::Dialogs& dialogs);
void OpenWebPage(platform::Launcher& launcher, platform::Dialogs& dialogs);

// The product's web page, site name and "/lumarine/proglink.htm".
QUrl WebPageUrl();

} // namespace app
