#include "platform/picture.h"

#include "platform/apperror.h"
#include "platform/regularfile.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr qint64 PictureBytesReadWhole = 32 * 1024 * 1024;

QSize storedOrientation(QSize shown, QImageIOHandler::Transformations transformation)
{
    return transformation.testFlag(QImageIOHandler::TransformationRotate90) ? shown.transposed() : shown;
}

bool isJpeg(QIODevice& device)
{
    return device.peek(2) == QByteArrayLiteral("\xff\xd8");
}

// Refuses, from the header alone, a picture whose decode would take memory
// or time out of all proportion to what is shown.
void checkDecodeCost(QSize stored, int scans)
{
    const qint64 pixels = qint64(stored.width()) * stored.height();
    if (pixels > MaxPicturePixels || scans > MaxJpegScans || pixels * qMax(scans, 1) > MaxJpegScanPixels)
        throwError(err::InvalidPicture);
}

FileStamp stampFrom(const struct stat& info)
{
    return {quint64(info.st_dev), quint64(info.st_ino), qint64(info.st_size),
            qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

} // namespace

// Inside the compressed data a 0xFF byte is always followed by 0 or a restart
// marker, so every 0xFF 0xDA pair is a scan (or one of an embedded thumbnail).
int countJpegScans(QIODevice& device, int limit)
{
    const qint64 start = device.pos();
    int scans = 0;
    bool afterFF = false;
    while (scans <= limit) {
        const QByteArray chunk = device.read(1 << 16);
        if (chunk.isEmpty())
            break;
        // memchr skips the compressed data between 0xFF bytes many times
        // faster than a loop over every byte: this pass reads the whole file.
        const char* data = chunk.constData();
        const char* const end = data + chunk.size();
        if (afterFF && uchar(*data) == 0xDA)
            ++scans;
        for (const char* ff = data; (ff = static_cast<const char*>(std::memchr(ff, 0xFF, end - ff)));) {
            if (++ff == end)
                break;
            if (uchar(*ff) == 0xDA)
                ++scans;
        }
        afterFF = uchar(end[-1]) == 0xFF;
    }
    device.seek(start);
    return scans;
}

FileStamp checkPictureFile(const QString& path)
{
    if (path.isEmpty())
        throwError(err::FileNotFound);
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        throwErrnoFor(errno, path);
    if (!S_ISREG(info.st_mode))
        throwError(err::InvalidPicture);
    return stampFrom(info);
}

FileStamp stampOf(const QString& path)
{
    struct stat info {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return stampFrom(info);
}

LoadedPicture FilePictureLoader::load(const QString& path, const ShownSizeFor& shownSizeFor) const
{
    checkPictureFile(path);
    QFile file;
    // Opened by descriptor so that a failure keeps its errno.
    const int fd = openNonBlocking(path, O_RDONLY);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throwError(err::InvalidPicture);
    }
    // A camera's picture is read in one piece, so that counting its scans and
    // decoding it share one read; a larger file is read as it is decoded.
    if (file.size() > PictureBytesReadWhole)
        return decodePicture(file, shownSizeFor);
    QByteArray bytes = file.readAll();
    if (file.error() == QFileDevice::ReadError)
        throwError(err::DiskNotReady);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return decodePicture(buffer, shownSizeFor);
}

LoadedPicture decodePicture(QIODevice& device, const ShownSizeFor& shownSizeFor)
{
    const int scans = isJpeg(device) ? countJpegScans(device, MaxJpegScans) : 0;
    QImageReader reader(&device);
    reader.setAutoTransform(true);
    // The header alone gives the size and the orientation.
    const QSize stored = reader.size();
    if (!stored.isValid() || stored.isEmpty())
        throwError(err::InvalidPicture);
    checkDecodeCost(stored, scans);
    const QImageIOHandler::Transformations transformation = reader.transformation();
    const QSize own = storedOrientation(stored, transformation);
    const QSize shown = shownSizeFor ? shownSizeFor(own) : own;
    // Only ever smaller: the JPEG decoder then works at the smallest of its
    // scales that still covers the size shown, and smooths the rest.
    if (shown.isValid() && !shown.isEmpty() && (shown.width() < own.width() || shown.height() < own.height()))
        reader.setScaledSize(storedOrientation(shown.boundedTo(own), transformation));
    QImage image = reader.read();
    if (image.isNull()) {
        const auto* file = qobject_cast<const QFileDevice*>(&device);
        throwError(file && file->error() == QFileDevice::ReadError ? err::DiskNotReady : err::InvalidPicture);
    }
    return {own, image};
}

} // namespace platform
