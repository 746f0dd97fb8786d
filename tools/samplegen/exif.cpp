#include "exif.h"

#include <QtEndian>

namespace {

void appendU16(QByteArray& out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void appendU32(QByteArray& out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

} // namespace

QByteArray withExifOrientation(const QByteArray& jpeg, int orientation)
{
    // A little-endian TIFF header and one IFD with one SHORT entry.
    QByteArray tiff("II*\0", 4);
    appendU32(tiff, 8);
    appendU16(tiff, 1);
    appendU16(tiff, 0x0112);
    appendU16(tiff, 3);
    appendU32(tiff, 1);
    appendU16(tiff, quint16(orientation));
    appendU16(tiff, 0);
    appendU32(tiff, 0);

    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xff\xe1", 2);
    const quint16 length = quint16(payload.size() + 2);
    segment.append(char(length >> 8));
    segment.append(char(length & 0xff));
    segment.append(payload);

    QByteArray result = jpeg;
    result.insert(2, segment);
    return result;
}
