#pragma once

#include "support/tree.h"

#include <QColor>
#include <QSize>

namespace testsupport {

// Writes a JPEG of the given size: its left half in one colour, its right
// half in another, so that a test can tell how it was turned.
bool writeJpeg(const QString& path, QSize size, QColor left = Qt::red, QColor right = Qt::blue,
               int quality = 90);

// The JPEG with an APP1 segment right after its start-of-image marker that
// holds a little-endian EXIF block: IFD0 holds the orientation (none when 0),
// IFD1 the embedded thumbnail (none when empty).
QByteArray withExif(QByteArray jpeg, int orientation, const QByteArray& thumbnail = {});

// The bytes of such a JPEG, baseline or progressive.
QByteArray jpegBytes(QSize size, bool progressive = false);

// Broken and unusual variants of a JPEG written by jpegBytes, each changed in
// one thing: the size its frame header claims, or its last scan repeated.
QByteArray withClaimedSize(QByteArray jpeg, QSize size);
QByteArray withLastScanRepeated(const QByteArray& jpeg, int copies);

} // namespace testsupport
