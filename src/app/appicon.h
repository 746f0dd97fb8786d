#pragma once

#include <QIcon>

namespace app {

// The program's icon, drawn rather than shipped: a framed landscape.
QIcon AppIcon();

} // namespace app
