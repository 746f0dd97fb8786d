#include "support/jpegfixtures.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QList>
#include <QPainter>

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

// An APP1 segment holding a big-endian TIFF block with one entry: the
// orientation tag 0x0112.
QByteArray exifOrientation(int orientation)
{
    QByteArray tiff("MM\x00\x2a\x00\x00\x00\x08", 8);
    tiff += QByteArray("\x00\x01", 2);
    tiff += QByteArray("\x01\x12\x00\x03\x00\x00\x00\x01", 8);
    tiff += char(0);
    tiff += char(orientation);
    tiff += QByteArray("\x00\x00", 2);
    tiff += QByteArray("\x00\x00\x00\x00", 4);
    const QByteArray payload = QByteArray("Exif\x00\x00", 6) + tiff;
    const int length = int(payload.size()) + 2;
    QByteArray segment("\xff\xe1", 2);
    segment += char(length >> 8);
    segment += char(length & 0xff);
    return segment + payload;
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

qsizetype frameHeaderAt(const QByteArray& jpeg)
{
    for (const Segment& segment : segmentsOf(jpeg))
        if (segment.marker == 0xC0 || segment.marker == 0xC2)
            return segment.begin;
    return -1;
}

} // namespace

QByteArray jpegBytes(QSize size, bool progressive)
{
    return encode(size, Qt::red, Qt::blue, 90, progressive);
}

QByteArray withClaimedSize(QByteArray jpeg, QSize size)
{
    // Marker, length, precision, then height and width, big-endian.
    const qsizetype at = frameHeaderAt(jpeg);
    jpeg[at + 5] = char(size.height() >> 8);
    jpeg[at + 6] = char(size.height() & 0xFF);
    jpeg[at + 7] = char(size.width() >> 8);
    jpeg[at + 8] = char(size.width() & 0xFF);
    return jpeg;
}

QByteArray withPrecision(QByteArray jpeg, int bits)
{
    jpeg[frameHeaderAt(jpeg) + 4] = char(bits);
    return jpeg;
}

QByteArray withFrameMarker(QByteArray jpeg, uchar marker)
{
    jpeg[frameHeaderAt(jpeg) + 1] = char(marker);
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

bool writeJpegWithOrientation(const QString& path, QSize size, int orientation)
{
    QByteArray bytes = encode(size, Qt::red, Qt::blue, 90);
    // Right after the start-of-image marker.
    bytes.insert(2, exifOrientation(orientation));
    return writeBytes(path, bytes);
}

} // namespace testsupport
