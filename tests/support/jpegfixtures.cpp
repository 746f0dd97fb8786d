#include "support/jpegfixtures.h"

#include <QBuffer>
#include <QDataStream>
#include <QImageWriter>
#include <QPainter>
#include <QtEndian>

namespace testsupport {

namespace {

QByteArray encode(QSize size, QColor left, QColor right, int quality, bool progressive = false)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(right);
    QPainter(&image).fillRect(0, 0, size.width() / 2, size.height(), left);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
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
    QByteArray tiff;
    QDataStream out(&tiff, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint16 entries = orientation != 0 ? 1 : 0;
    const quint32 ifd1 = 8 + 2 + 12 * entries + 4;
    out << quint32(0x002A4949) << quint32(8) << entries; // "II*\0", then where IFD0 starts
    // Each entry: tag, type, count, and the value itself.
    if (orientation != 0)
        out << quint16(0x0112) << quint16(3) << quint32(1) << quint32(orientation);
    out << quint32(thumbnail.isEmpty() ? 0 : ifd1);
    if (!thumbnail.isEmpty()) {
        out << quint16(2) << quint16(0x0201) << quint16(4) << quint32(1) << quint32(ifd1 + 2 + 2 * 12 + 4)
            << quint16(0x0202) << quint16(4) << quint32(1) << quint32(thumbnail.size()) << quint32(0);
        out.writeRawData(thumbnail.constData(), int(thumbnail.size()));
    }
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    const char length[] = {char((payload.size() + 2) >> 8), char((payload.size() + 2) & 0xFF)};
    return jpeg.insert(2, QByteArray("\xFF\xE1", 2) + QByteArray(length, 2) + payload);
}

} // namespace testsupport
