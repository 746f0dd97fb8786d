#include "support/jpegfixtures.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QList>
#include <QPainter>
#include <QtEndian>

namespace testsupport {

namespace {

QByteArray encode(QSize size, QColor left, QColor right, int quality, bool progressive = false)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, size.width() / 2, size.height(), left);
    painter.fillRect(size.width() / 2, 0, size.width() - size.width() / 2, size.height(), right);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

void putLittle(QByteArray& data, quint32 value, int bytes)
{
    const quint32 little = qToLittleEndian(value);
    data.append(reinterpret_cast<const char*>(&little), bytes);
}

// One IFD entry holding a single value.
void putEntry(QByteArray& tiff, quint32 tag, quint32 type, quint32 value)
{
    for (const auto& [field, bytes] : {std::pair(tag, 2), {type, 2}, {1u, 4}, {value, 4}})
        putLittle(tiff, field, bytes);
}

struct Segment {
    uchar marker;
    qsizetype begin; // at its 0xFF
    qsizetype end;   // past its compressed data, for a scan
};

// The marker segments up to the end of the image.
QList<Segment> segmentsOf(const QByteArray& jpeg)
{
    QList<Segment> segments;
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && uchar(jpeg[at]) == 0xFF) {
        const uchar marker = uchar(jpeg[at + 1]);
        if (marker == 0xD9)
            break;
        qsizetype end = at + 2 + (uchar(jpeg[at + 2]) << 8 | uchar(jpeg[at + 3]));
        if (marker == 0xDA) {
            while (end + 1 < jpeg.size() &&
                   !(uchar(jpeg[end]) == 0xFF && jpeg[end + 1] != 0 && (uchar(jpeg[end + 1]) & 0xF8) != 0xD0))
                ++end;
        }
        segments.append({marker, at, end});
        at = end;
    }
    return segments;
}

} // namespace

QByteArray jpegBytes(QSize size, bool progressive)
{
    return encode(size, Qt::red, Qt::blue, 90, progressive);
}

QByteArray withClaimedSize(QByteArray jpeg, QSize size)
{
    // Marker, length, precision, then height and width, big-endian.
    for (const Segment& segment : segmentsOf(jpeg)) {
        if (segment.marker == 0xC0 || segment.marker == 0xC2) {
            qToBigEndian(quint16(size.height()), jpeg.data() + segment.begin + 5);
            qToBigEndian(quint16(size.width()), jpeg.data() + segment.begin + 7);
        }
    }
    return jpeg;
}

QByteArray withLastScanRepeated(const QByteArray& jpeg, int copies)
{
    const QList<Segment> segments = segmentsOf(jpeg);
    Segment last{};
    for (const Segment& segment : segments)
        if (segment.marker == 0xDA)
            last = segment;
    const QByteArray scan = jpeg.mid(last.begin, last.end - last.begin);
    return jpeg.left(last.end) + scan.repeated(copies) + jpeg.mid(last.end);
}

bool writeJpeg(const QString& path, QSize size, QColor left, QColor right, int quality)
{
    return writeBytes(path, encode(size, left, right, quality));
}

QByteArray withExif(QByteArray jpeg, int orientation, const QByteArray& thumbnail)
{
    const int entries = orientation != 0 ? 1 : 0;
    const quint32 ifd1 = 8 + 2 + 12 * entries + 4;
    QByteArray tiff("II*\0", 4);
    putLittle(tiff, 8, 4);
    putLittle(tiff, entries, 2);
    if (orientation != 0)
        putEntry(tiff, 0x0112, 3, quint32(orientation));
    putLittle(tiff, thumbnail.isEmpty() ? 0 : ifd1, 4);
    if (!thumbnail.isEmpty()) {
        putLittle(tiff, 2, 2);
        putEntry(tiff, 0x0201, 4, ifd1 + 2 + 2 * 12 + 4);
        putEntry(tiff, 0x0202, 4, quint32(thumbnail.size()));
        putLittle(tiff, 0, 4);
        tiff += thumbnail;
    }
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    const char length[] = {char((payload.size() + 2) >> 8), char((payload.size() + 2) & 0xFF)};
    return jpeg.insert(2, QByteArray("\xFF\xE1", 2) + QByteArray(length, 2) + payload);
}

} // namespace testsupport
