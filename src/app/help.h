#pragma once

#include <QString>
#include <QUrl>

namespace platform {
class Launcher;
}

namespace app {

// The help document: beside the program when it runs from its build folder,
// in <prefix>/share/lumarine once installed in <prefix>/bin.
QString HelpDocumentPath(const QString& programFolder);
void OpenHelp(platform::Launcher& launcher);

// The product's web page, site name and "/lumarine/proglink.htm".
QUrl WebPageUrl();

} // namespace app
