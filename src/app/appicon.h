#pragma once

#include <QIcon>
#include <QImage>

namespace app {

// The program's icon, drawn rather than shipped: a framed landscape.
QIcon AppIcon();
// One size of it, drawn without a display: the installed PNG icons are made
// from it at build time.
QImage AppIconImage(int size);

} // namespace app
