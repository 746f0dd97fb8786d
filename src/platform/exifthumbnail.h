#pragma once

#include <QByteArray>
#include <QImage>
#include <QImageIOHandler>
#include <QSize>

#include <optional>

namespace platform {

// The small JPEG a camera embeds in a picture's EXIF block (IFD1), taken
// from the first bytes of the file. Empty when there is none or it is
// malformed.
std::optional<QImage> exifThumbnail(const QByteArray& fileStart);

// The embedded thumbnail of the picture at path, turned as the picture is
// turned, when it is at least as large as wanted and has the picture's
// proportions (some cameras pad it with black bars).
std::optional<QImage> usableExifThumbnail(const QString& path, QSize own,
                                          QImageIOHandler::Transformations transformation, QSize wanted);

} // namespace platform
