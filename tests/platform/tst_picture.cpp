#include "platform/apperror.h"
#include "platform/picture.h"
#include "support/failingfilesystem.h"
#include "support/jpegfixtures.h"
#include "support/testmain.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

using namespace platform;
using namespace testsupport;

namespace {

int failureOf(const QString& path)
{
    return errorOf([&] { FilePictureLoader().load(path, {}); });
}

bool isReddish(const QImage& image, QPointF at)
{
    const QColor c = image.pixelColor(int(at.x() * (image.width() - 1)), int(at.y() * (image.height() - 1)));
    return c.red() > 200 && c.blue() < 60;
}

QByteArray pngBytes(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::green);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    image.save(&buffer, "png");
    return bytes;
}

} // namespace

class TestPicture : public QObject {
    Q_OBJECT

private slots:
    // The loader is told the picture's own size, turned as its EXIF
    // orientation says, and decodes at the size it is then asked for, never
    // larger than its own. Bytes after the end of a picture can make the file
    // too large to be read in one piece: it is read as it is decoded.
    void pictureDecodesTurnedAtTheSizeShown_data()
    {
        QTest::addColumn<QSize>("stored");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<qint64>("trailingBytes");
        QTest::addColumn<QSize>("asked");
        QTest::addColumn<QPointF>("redAt"); // where the stored picture's left half ends up
        const QPointF left(0.1, 0.5), right(0.9, 0.5), top(0.5, 0.1), bottom(0.5, 0.9);
        QTest::newRow("small, never enlarged") << QSize(320, 200) << 0 << 0ll << QSize(640, 400) << left;
        QTest::newRow("large, read as it decodes")
            << QSize(2400, 1600) << 0 << (33ll << 20) << QSize(700, 467) << left;
        QTest::newRow("turned right") << QSize(1200, 600) << 6 << 0ll << QSize(150, 300) << top;
        QTest::newRow("turned left") << QSize(1200, 600) << 8 << 0ll << QSize(150, 300) << bottom;
        QTest::newRow("upside down") << QSize(1200, 600) << 3 << 0ll << QSize(300, 150) << right;
    }
    void pictureDecodesTurnedAtTheSizeShown()
    {
        QFETCH(QSize, stored);
        QFETCH(int, orientation);
        QFETCH(qint64, trailingBytes);
        QFETCH(QSize, asked);
        QFETCH(QPointF, redAt);
        QTemporaryDir dir;
        const QString path = dir.filePath("picture.jpg");
        QVERIFY(writeBytes(path, withExif(jpegBytes(stored), orientation) + QByteArray(trailingBytes, '\0')));
        const QSize own = orientation >= 5 ? stored.transposed() : stored;
        QSize told;
        const LoadedPicture loaded = FilePictureLoader().load(path, [&](QSize ownSize) {
            told = ownSize;
            return asked;
        });
        QCOMPARE(std::pair(told, loaded.ownSize), std::pair(own, own));
        QCOMPARE(loaded.image.size(), asked.boundedTo(own));
        QVERIFY(isReddish(loaded.image, redAt));
        QVERIFY(!isReddish(loaded.image, QPointF(1, 1) - redAt));
    }

    void failuresHaveTheirNumbers()
    {
        QTemporaryDir dir;
        QVERIFY(writeBytes(dir.filePath("plain.txt"), "x"));
        QVERIFY(makeSpecialFile("folder", dir.filePath("folder.jpg")));
        QVERIFY(makeSpecialFile("fifo", dir.filePath("fifo.jpg")));
        QList<int> numbers{failureOf({})};
        for (const char* name :
             {"missing.jpg", "gone/missing.jpg", "plain.txt/inside.jpg", "folder.jpg", "fifo.jpg"})
            numbers << failureOf(dir.filePath(name));
        QCOMPARE(numbers, QList<int>({53, 53, 76, 76, 481, 481}));
    }

    void pictureBeyondTheAllocationLimitStillShowsReduced()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("huge.jpg");
        QVERIFY(writeJpeg(path, QSize(2400, 1800)));
        const int limit = QImageReader::allocationLimit();
        // 2400 x 1800 in 32 bits is 17 MB; the limit lets only a reduced decode through.
        QImageReader::setAllocationLimit(4);
        const LoadedPicture reduced = FilePictureLoader().load(path, [](QSize) { return QSize(800, 600); });
        const int whole = failureOf(path);
        QImageReader::setAllocationLimit(limit);
        QCOMPARE(std::pair(reduced.image.size(), whole), std::pair(QSize(800, 600), 481));
    }

    // 0 in "refused" means the picture is shown, whole or in part, at the size
    // asked for; otherwise it is the failure expected.
    void unusualPicturesAreShownOrRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("refused");
        const QByteArray baseline = jpegBytes(QSize(64, 48));
        const QByteArray progressive = jpegBytes(QSize(64, 48), true);
        const auto scans = [&](int copies) { return withLastScanRepeated(progressive, copies); };
        QTest::newRow("a PNG named .jpg") << pngBytes(QSize(64, 48)) << 0;
        QTest::newRow("empty") << QByteArray() << 481;
        QTest::newRow("text") << QByteArray("this is not a picture\n") << 481;
        QTest::newRow("a header cut short") << baseline.left(30) << 481;
        QTest::newRow("progressive, last scan repeated") << scans(20) << 0;
        QTest::newRow("progressive, thousands of scans") << scans(3000) << 481;
        QTest::newRow("4096 x 4096 in 100 scans") << withClaimedSize(scans(100), QSize(4096, 4096)) << 0;
        QTest::newRow("4096 x 4096 in 200 scans") << withClaimedSize(scans(200), QSize(4096, 4096)) << 481;
        QTest::newRow("a row past the pixel limit") << withClaimedSize(baseline, QSize(16384, 16385)) << 481;
        QTest::newRow("the pixel limit, cut short") << withClaimedSize(baseline, QSize(16384, 16384)) << 0;
        QTest::newRow("12-bit samples") << withPrecision(baseline, 12) << 481;
        QTest::newRow("arithmetic-coded frame") << withFrameMarker(baseline, 0xC9) << 0;
        // IHDR's width and height follow the signature and the chunk head.
        QTest::newRow("PNG header claiming 65500 x 65500")
            << pngBytes(QSize(64, 48)).replace(16, 8, QByteArray("\x00\x00\xff\xdc\x00\x00\xff\xdc", 8))
            << 481;
    }
    void unusualPicturesAreShownOrRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, refused);
        QTemporaryDir dir;
        const QString path = dir.filePath("unusual.jpg");
        QVERIFY(writeBytes(path, bytes));
        const auto shown = [](QSize own) { return own.scaled(QSize(32, 24), Qt::KeepAspectRatio); };
        LoadedPicture loaded;
        QCOMPARE(errorOf([&] { loaded = FilePictureLoader().load(path, shown); }), refused);
        if (refused == 0)
            QCOMPARE(loaded.image.size(), shown(loaded.ownSize));
    }

    // Each count is followed by where the device is left: where it was.
    void scansAreCountedAcrossReads()
    {
        const QByteArray block(1 << 16, '\x11'); // the size of one read
        const QByteArray sos("\xff\xda", 2), cut = block.left(block.size() - 1);
        QList<qint64> counts;
        for (QByteArray bytes :
             {QByteArray("\xff\xd8\xff\x00\xda\xff", 6), QByteArray("\xff\xff\xff\xda"), block + sos,
              cut + sos, cut + QByteArray("\xff\x00\xda", 3), sos + block + sos + block + sos,
              sos.repeated(4) + block + sos.repeated(5)}) {
            QBuffer device(&bytes);
            QVERIFY(device.open(QIODevice::ReadOnly));
            counts << countJpegScans(device, 3) << device.pos();
        }
        QCOMPARE(counts, QList<qint64>({0, 0, 1, 0, 1, 0, 1, 0, 0, 0, 3, 0, 4, 0}));
    }
};

LUMARINE_REGISTER_TEST(TestPicture)
#include "tst_picture.moc"
