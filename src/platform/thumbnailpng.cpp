#include "platform/thumbnailpng.h"

#include <algorithm>
#include <array>

namespace platform {

namespace {

// Far beyond the largest size folder (1024 pixels a side), and small enough
// that every length below fits the 31 bits PNG allows.
constexpr qint64 largestPixelData = 64 * 1024 * 1024;

constexpr std::array<quint32, 256> crcTable = [] {
    std::array<quint32, 256> table{};
    for (quint32 n = 0; n < 256; ++n) {
        quint32 c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}();

quint32 crc32(const char* data, qsizetype length)
{
    quint32 crc = 0xFFFFFFFFu;
    for (qsizetype i = 0; i < length; ++i)
        crc = crcTable[(crc ^ quint8(data[i])) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void putBig(QByteArray& out, quint32 value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(char((value >> shift) & 0xFF));
}

// Starts a chunk; finishChunk adds its length and checksum once its data is in.
qsizetype startChunk(QByteArray& out, const char* type)
{
    const qsizetype start = out.size();
    putBig(out, 0);
    out.append(type, 4);
    return start;
}

void finishChunk(QByteArray& out, qsizetype start)
{
    const qsizetype dataLength = out.size() - start - 8;
    for (int i = 0; i < 4; ++i)
        out[start + i] = char((quint32(dataLength) >> (24 - 8 * i)) & 0xFF);
    putBig(out, crc32(out.constData() + start + 4, out.size() - start - 4));
}

bool isLatin1(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x100; });
}

// tEXt holds Latin-1 only; anything else goes in an uncompressed iTXt as UTF-8.
void appendText(QByteArray& out, const QString& key, const QString& value)
{
    if (isLatin1(value)) {
        const qsizetype chunk = startChunk(out, "tEXt");
        out += key.toLatin1();
        out.append('\0');
        out += value.toLatin1();
        finishChunk(out, chunk);
        return;
    }
    const qsizetype chunk = startChunk(out, "iTXt");
    out += key.toLatin1();
    // Separator, no compression, method 0, no language, no translated key.
    out.append("\0\0\0\0\0", 5);
    out += value.toUtf8();
    finishChunk(out, chunk);
}

// Each row behind its filter byte 0 (none), as the zlib stream carries them.
QByteArray unfilteredRows(const QImage& pixels, qsizetype rowBytes)
{
    QByteArray rows;
    rows.reserve(pixels.height() * (rowBytes + 1));
    for (int y = 0; y < pixels.height(); ++y) {
        rows.append('\0');
        rows.append(reinterpret_cast<const char*>(pixels.constScanLine(y)), rowBytes);
    }
    return rows;
}

// Level 0 is a zlib stream of stored blocks behind Qt's 4-byte length.
void appendStoredZlib(QByteArray& out, const QByteArray& rows)
{
    out += QByteArrayView(qCompress(rows, 0)).sliced(4);
}

} // namespace

QByteArray uncompressedPng(const QImage& image, const PngTexts& texts)
{
    if (image.isNull())
        return {};
    // The standard asks for 8-bit RGBA, opaque pictures included.
    const QImage pixels = image.convertToFormat(QImage::Format_RGBA8888);
    const qsizetype rowBytes = qsizetype(pixels.width()) * 4;
    if (pixels.isNull() || qint64(rowBytes + 1) * pixels.height() > largestPixelData)
        return {};
    const QByteArray rows = unfilteredRows(pixels, rowBytes);

    QByteArray out;
    out.reserve(rows.size() + rows.size() / 1024 + 1024);
    out.append("\x89PNG\r\n\x1A\n", 8);
    const qsizetype header = startChunk(out, "IHDR");
    putBig(out, quint32(pixels.width()));
    putBig(out, quint32(pixels.height()));
    // 8 bits a sample; RGBA; deflate; adaptive filtering; no interlace.
    out.append(char(8));
    out.append(char(6));
    out.append("\0\0\0", 3);
    finishChunk(out, header);
    for (const auto& [key, value] : texts)
        appendText(out, key, value);
    const qsizetype data = startChunk(out, "IDAT");
    appendStoredZlib(out, rows);
    finishChunk(out, data);
    finishChunk(out, startChunk(out, "IEND"));
    return out;
}

} // namespace platform
