#include "support/jpegfixtures.h"

#include <QBuffer>
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

} // namespace

QByteArray jpegBytes(QSize size, bool progressive)
{
    return encode(size, Qt::red, Qt::blue, 90, progressive);
}

// Entropy-coded data stuffs a zero after every 0xFF, and the tables Qt
// writes hold no 0xFF, so markers are found by their two bytes.
QByteArray withClaimedSize(QByteArray jpeg, QSize size)
{
    // Marker, length, precision, then height and width, big-endian.
    const qsizetype at = std::max(jpeg.indexOf("\xFF\xC0"), jpeg.indexOf("\xFF\xC2"));
    qToBigEndian(quint16(size.height()), jpeg.data() + at + 5);
    qToBigEndian(quint16(size.width()), jpeg.data() + at + 7);
    return jpeg;
}

QByteArray withLastScanRepeated(const QByteArray& jpeg, int copies)
{
    // The last scan runs up to the end-of-image marker.
    const qsizetype begin = jpeg.lastIndexOf("\xFF\xDA"), end = jpeg.size() - 2;
    return jpeg.left(end) + jpeg.mid(begin, end - begin).repeated(copies) + jpeg.mid(end);
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
