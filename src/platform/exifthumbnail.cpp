#include "platform/exifthumbnail.h"

#include "platform/regularfile.h"

#include <QFile>
#include <QTransform>

#include <cmath>

namespace platform {

namespace {

// EXIF blocks live in APP1 segments of at most 64 KB near the file's start.
constexpr qint64 headBytes = 128 * 1024;

class TiffReader {
public:
    TiffReader(const QByteArray& data, qsizetype start) : data_(data), start_(start) {}

    bool valid() const
    {
        if (start_ + 8 > data_.size())
            return false;
        const QByteArray order = data_.mid(start_, 2);
        little_ = order == "II";
        return (little_ || order == "MM") && u16(2) == 42;
    }
    bool inside(qint64 offset, qint64 length) const
    {
        return offset >= 0 && length >= 0 && start_ + offset + length <= data_.size();
    }
    quint32 u16(qint64 offset) const
    {
        return quint32(byte(offset + (little_ ? 1 : 0))) << 8 | byte(offset + (little_ ? 0 : 1));
    }
    quint32 u32(qint64 offset) const
    {
        return little_ ? u16(offset + 2) << 16 | u16(offset) : u16(offset) << 16 | u16(offset + 2);
    }

private:
    quint8 byte(qint64 offset) const { return quint8(data_.at(start_ + offset)); }

    const QByteArray& data_;
    qsizetype start_;
    mutable bool little_ = true;
};

// Where the EXIF block's TIFF header starts, or -1.
qsizetype exifStart(const QByteArray& data)
{
    if (!data.startsWith("\xFF\xD8"))
        return -1;
    qsizetype at = 2;
    while (at + 4 <= data.size() && quint8(data.at(at)) == 0xFF) {
        const int marker = quint8(data.at(at + 1));
        const int length = quint8(data.at(at + 2)) << 8 | quint8(data.at(at + 3));
        if (marker == 0xDA || length < 2)
            return -1; // the pixels begin: no EXIF before them
        if (marker == 0xE1 && data.mid(at + 4, 6) == QByteArray("Exif\0\0", 6))
            return at + 10;
        at += 2 + length;
    }
    return -1;
}

QImage turned(QImage image, QImageIOHandler::Transformations transformation)
{
    // The order the picture's own decoding turns it in.
    if (transformation == QImageIOHandler::TransformationRotate270)
        return image.transformed(QTransform().rotate(270));
    image = image.mirrored(transformation.testFlag(QImageIOHandler::TransformationMirror),
                           transformation.testFlag(QImageIOHandler::TransformationFlip));
    if (transformation.testFlag(QImageIOHandler::TransformationRotate90))
        image = image.transformed(QTransform().rotate(90));
    return image;
}

} // namespace

std::optional<QImage> exifThumbnail(const QByteArray& fileStart)
{
    const qsizetype start = exifStart(fileStart);
    if (start < 0)
        return std::nullopt;
    const TiffReader tiff(fileStart, start);
    if (!tiff.valid())
        return std::nullopt;
    const qint64 ifd0 = tiff.u32(4);
    if (!tiff.inside(ifd0, 2) || !tiff.inside(ifd0, 2 + 12 * qint64(tiff.u16(ifd0)) + 4))
        return std::nullopt;
    const qint64 ifd1 = tiff.u32(ifd0 + 2 + 12 * qint64(tiff.u16(ifd0)));
    if (ifd1 == 0 || !tiff.inside(ifd1, 2) || !tiff.inside(ifd1, 2 + 12 * qint64(tiff.u16(ifd1))))
        return std::nullopt;
    qint64 offset = -1;
    qint64 length = -1;
    for (quint32 i = 0; i < tiff.u16(ifd1); ++i) {
        const qint64 entry = ifd1 + 2 + 12 * qint64(i);
        if (tiff.u16(entry) == 0x0201)
            offset = tiff.u32(entry + 8);
        else if (tiff.u16(entry) == 0x0202)
            length = tiff.u32(entry + 8);
    }
    if (offset <= 0 || length <= 0 || !tiff.inside(offset, length))
        return std::nullopt;
    QImage image;
    if (!image.loadFromData(fileStart.mid(start + offset, length), "jpeg"))
        return std::nullopt;
    return image;
}

std::optional<QImage> usableExifThumbnail(const QString& path, QSize own,
                                          QImageIOHandler::Transformations transformation, QSize wanted)
{
    QFile file;
    if (!openRegularFile(file, path))
        return std::nullopt;
    std::optional<QImage> image = exifThumbnail(file.read(headBytes));
    if (!image)
        return std::nullopt;
    QImage shown = turned(std::move(*image), transformation);
    const double ownAspect = double(own.width()) / own.height();
    const double thumbAspect = double(shown.width()) / shown.height();
    if (std::abs(ownAspect - thumbAspect) > 0.02 * ownAspect || shown.width() < wanted.width() ||
        shown.height() < wanted.height())
        return std::nullopt;
    return shown;
}

} // namespace platform
