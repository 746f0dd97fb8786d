#pragma once

#include <QIcon>
#include <QImage>

namespace app {

// A toolbar icon: the desktop theme's of that name when the theme has one,
// otherwise Lumarine's own drawing of it, so that a bare session without an
// icon theme still shows what each button does.
QIcon ToolIcon(const QString& themeName);
// Lumarine's own drawing for a theme name, at size x size pixels; a null
// image for a name it has no drawing of.
QImage OwnToolIcon(const QString& themeName, int size);

} // namespace app
