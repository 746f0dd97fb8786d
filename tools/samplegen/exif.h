#pragma once

#include <QByteArray>

// Puts a minimal EXIF block holding only an orientation tag into a JPEG file's
// bytes, right after its start-of-image marker.
QByteArray withExifOrientation(const QByteArray& jpeg, int orientation);
