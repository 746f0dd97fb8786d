#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

class QIODevice;

namespace platform {

// A picture as loaded for the screen: its own size (orientation applied) and
// the image decoded at the size it will be shown at.
struct LoadedPicture {
    QSize ownSize;
    QImage image;
};

// Given a picture's own size, the size in device pixels it will be shown at.
using ShownSizeFor = std::function<QSize(QSize ownSize)>;

// Loads pictures for display. Implementations are safe to call from several
// threads at once: the display decodes the next pictures while one is shown.
// Failures are numbered: 53 no such file, 76 a folder on the way missing,
// 71 the medium failed, 70 no access, 481 not a picture that can be decoded.
class PictureLoader {
public:
    virtual ~PictureLoader() = default;
    virtual LoadedPicture load(const QString& path, const ShownSizeFor& shownSizeFor) const = 0;
};

// JPEG files through Qt's image reader (libjpeg-turbo underneath).
class FilePictureLoader final : public PictureLoader {
public:
    LoadedPicture load(const QString& path, const ShownSizeFor& shownSizeFor) const override;
};

// The most pixels a picture's header may claim. Larger ones are refused
// before anything is decoded: the largest a header can claim would take
// hundreds of megabytes even at the decoder's smallest scale.
inline constexpr qint64 MaxPicturePixels = qint64(1) << 28;
// A progressive JPEG is decoded once per scan over the whole picture, so a
// file of thousands of tiny scans holds the program for minutes. Cameras
// write about ten. Pixels times scans bounds the time one decode may take
// (about two seconds at the limit), whatever the picture's size.
inline constexpr int MaxJpegScans = 1000;
inline constexpr qint64 MaxJpegScanPixels = qint64(1) << 31;

// Decodes a picture from any device, as the file loader does after its checks.
// The device must be able to seek: a JPEG's scans are counted first.
LoadedPicture decodePicture(QIODevice& device, const ShownSizeFor& shownSizeFor);

// The start-of-scan markers in a JPEG from the device's position on,
// counted up to one past the limit; the position is put back.
int countJpegScans(QIODevice& device, int limit);

// Tells one version of a file from another: a picture decoded ahead of
// time is shown only while its file is still the one that was decoded.
struct FileStamp {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1;
    qint64 modifiedNs = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// Throws the numbered failure for a path that cannot be a picture file: one
// that is missing, lies behind a missing folder, or is no regular file (a
// folder, a FIFO, a device). Opening a FIFO would block the program.
// Returns the file's stamp.
FileStamp checkPictureFile(const QString& path);

// The stamp of whatever the path names now; an empty stamp when nothing.
FileStamp stampOf(const QString& path);

} // namespace platform
