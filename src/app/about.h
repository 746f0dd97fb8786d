#pragma once

#include <QString>

namespace platform {
class Dialogs;
}

namespace basLumarine {

// The About message, lines joined by CR LF, ending "Version: 1.0.50".
QString AboutText(int major, int minor, int revision);
// The licence notice that About unfolds below its message.
QString LicenceNotice();
void ShowAbout(platform::Dialogs& dialogs);

} // namespace basLumarine
