#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

#include <utility>

namespace platform {

using PngTexts = QList<std::pair<QString, QString>>;

// A thumbnail cache entry as a PNG that costs little more than a copy to
// read back: the rows unfiltered, in deflate's stored blocks. A page of
// entries is read far more often than it is written, and inflating and
// unfiltering compressed rows took most of the time a cached page needed.
// Every image is written as 8-bit RGBA, as the thumbnail standard asks; the
// texts come before the pixels. Empty when the image is null or too large for one entry.
QByteArray uncompressedPng(const QImage& image, const PngTexts& texts);

} // namespace platform
