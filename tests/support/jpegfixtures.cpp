#include "support/jpegfixtures.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>

namespace testsupport {

namespace {

QByteArray encode(QSize size, QColor left, QColor right, int quality)
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

} // namespace

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
