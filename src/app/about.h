#pragma once

#include <QString>

namespace platform {
class Dialogs;
}

namespace basLumarine {

// The About message, lines joined by CR LF, ending "Version: 1.0.50".
QString AboutText(int major, int minor, int revision);
void ShowAbout(platform::Dialogs& dialogs);

} // namespace basLumarine
