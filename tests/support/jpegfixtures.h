#pragma once

#include "support/tree.h"

#include <QColor>
#include <QSize>
#include <QString>

namespace testsupport {

// Writes a JPEG of the given size: its left half in one colour, its right
// half in another, so that a test can tell how it was turned.
bool writeJpeg(const QString& path, QSize size, QColor left = Qt::red, QColor right = Qt::blue,
               int quality = 90);

// The same with an EXIF orientation (1 to 8) in the file.
bool writeJpegWithOrientation(const QString& path, QSize size, int orientation);

} // namespace testsupport
