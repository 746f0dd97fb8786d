#include "platform/thumbnailpng.h"
#include "support/testmain.h"

#include <QBuffer>
#include <QImageReader>
#include <QTest>
#include <QtEndian>

using namespace platform;

namespace {

QImage pattern(QSize size, QImage::Format format, bool translucent)
{
    QImage image(size, QImage::Format_ARGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(
                x, y,
                qRgba(x * 7 % 256, y * 13 % 256, (x ^ y) % 256, translucent ? (x + y) * 31 % 256 : 255));
    }
    return image.convertToFormat(format);
}

// The zlib stream of the PNG's one IDAT chunk, taken out without a PNG reader.
QByteArray idatStream(const QByteArray& png)
{
    const qsizetype type = png.indexOf("IDAT");
    return png.mid(type + 4, qFromBigEndian<quint32>(png.constData() + type - 4));
}

} // namespace

class TestThumbnailPng : public QObject {
    Q_OBJECT

private slots:
    void readsBackExactly_data();
    void readsBackExactly();
    void textsReadBackInFrontOfThePixels();
    void nullImageGivesNothing();
};

void TestThumbnailPng::readsBackExactly_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("format");
    QTest::addColumn<bool>("translucent");
    QTest::newRow("opaque, odd sizes") << QSize(7, 5) << int(QImage::Format_RGB32) << false;
    QTest::newRow("translucent") << QSize(9, 4) << int(QImage::Format_ARGB32) << true;
    QTest::newRow("premultiplied") << QSize(9, 4) << int(QImage::Format_ARGB32_Premultiplied) << true;
    // 255 rows of 1 + 64 * 4 bytes fill one stored block exactly.
    QTest::newRow("one full block") << QSize(64, 255) << int(QImage::Format_ARGB32) << true;
    QTest::newRow("a byte past it") << QSize(64, 256) << int(QImage::Format_ARGB32) << true;
    QTest::newRow("x-large entry") << QSize(500, 375) << int(QImage::Format_RGB32) << false;
    QTest::newRow("single pixel mark") << QSize(1, 1) << int(QImage::Format_ARGB32) << true;
}

void TestThumbnailPng::readsBackExactly()
{
    QFETCH(QSize, size);
    QFETCH(int, format);
    QFETCH(bool, translucent);
    const QImage source = pattern(size, QImage::Format(format), translucent);
    QByteArray png = uncompressedPng(source, {});
    QVERIFY(png.startsWith("\x89PNG\r\n\x1A\n"));

    // A valid zlib stream, its checksum included, that stores each row behind
    // filter byte 0 rather than compressing it. qUncompress wants the length
    // of what it unpacks in front.
    const QByteArray stream = idatStream(png);
    const qsizetype rowBytes = size.width() * 4 + 1;
    QByteArray prefixed(4, '\0');
    qToBigEndian(quint32(rowBytes * size.height()), prefixed.data());
    const QByteArray rows = qUncompress(prefixed + stream);
    QCOMPARE(rows.size(), rowBytes * size.height());
    for (int y = 0; y < size.height(); ++y)
        QCOMPARE(int(rows.at(y * rowBytes)), 0);
    QVERIFY(stream.size() > rows.size());

    QBuffer buffer(&png);
    QImageReader reader(&buffer, "png");
    const QImage read = reader.read();
    QVERIFY2(!read.isNull(), qPrintable(reader.errorString()));
    // RGBA whether or not the picture is opaque.
    QVERIFY(read.hasAlphaChannel());
    QCOMPARE(read.convertToFormat(QImage::Format_ARGB32), source.convertToFormat(QImage::Format_ARGB32));
}

void TestThumbnailPng::textsReadBackInFrontOfThePixels()
{
    const QString uri = QStringLiteral("file:///home/me/caf%C3%A9%20noir.jpg");
    const QString software = QStringLiteral("lumarine-\u00e9\u2713");
    QByteArray png = uncompressedPng(pattern(QSize(3, 2), QImage::Format_RGB32, false),
                                     {{QStringLiteral("Thumb::URI"), uri},
                                      {QStringLiteral("Thumb::MTime"), QStringLiteral("1700000000")},
                                      {QStringLiteral("Software"), software}});
    // Readers that stop before the pixels still find the keys.
    const qsizetype pixels = png.indexOf("IDAT");
    QVERIFY(png.indexOf("tEXtThumb::URI") > 0 && png.indexOf("tEXtThumb::URI") < pixels);
    QVERIFY(png.indexOf("iTXtSoftware") > 0 && png.indexOf("iTXtSoftware") < pixels);
    QBuffer buffer(&png);
    const QImage read = QImageReader(&buffer, "png").read();
    QCOMPARE(read.text(QStringLiteral("Thumb::URI")), uri);
    QCOMPARE(read.text(QStringLiteral("Thumb::MTime")), QStringLiteral("1700000000"));
    QCOMPARE(read.text(QStringLiteral("Software")), software);
}

void TestThumbnailPng::nullImageGivesNothing()
{
    QVERIFY(
        uncompressedPng(QImage(), {{QStringLiteral("Thumb::URI"), QStringLiteral("file:///x")}}).isEmpty());
}

#include "tst_thumbnailpng.moc"

LUMARINE_REGISTER_TEST(TestThumbnailPng)
