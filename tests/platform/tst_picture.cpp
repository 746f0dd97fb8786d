#include "platform/apperror.h"
#include "platform/picture.h"
#include "support/failingfilesystem.h"
#include "support/jpegfixtures.h"
#include "support/testmain.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace platform;

namespace {

int failureOf(const QString& path)
{
    return testsupport::errorOf([&] { FilePictureLoader().load(path, {}); });
}

QColor colourAt(const QImage& image, double x, double y)
{
    return image.pixelColor(int(x * (image.width() - 1)), int(y * (image.height() - 1)));
}

bool isReddish(QColor c)
{
    return c.red() > 200 && c.blue() < 60;
}

} // namespace

class TestPicture : public QObject {
    Q_OBJECT

private slots:
    void smallPictureLoadsAtItsOwnSize();
    void largePictureDecodesAtTheSizeShown_data();
    void largePictureDecodesAtTheSizeShown();
    void exifOrientationTurnsPictureAndItsDecodeSize_data();
    void exifOrientationTurnsPictureAndItsDecodeSize();
    void failuresHaveTheirNumbers_data();
    void failuresHaveTheirNumbers();
    void pictureBeyondTheAllocationLimitStillShowsReduced();
    void unusualPicturesAreShownOrRefused_data();
    void unusualPicturesAreShownOrRefused();
    void scansAreCountedAcrossReads_data();
    void scansAreCountedAcrossReads();
};

void TestPicture::smallPictureLoadsAtItsOwnSize()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("small.jpg");
    QVERIFY(testsupport::writeJpeg(path, QSize(320, 200)));
    QSize asked;
    const LoadedPicture loaded = FilePictureLoader().load(path, [&](QSize own) {
        asked = own;
        return QSize(640, 400);
    });
    QCOMPARE(asked, QSize(320, 200));
    QCOMPARE(loaded.ownSize, QSize(320, 200));
    // Never enlarged by the loader.
    QCOMPARE(loaded.image.size(), QSize(320, 200));
}

void TestPicture::largePictureDecodesAtTheSizeShown_data()
{
    QTest::addColumn<qint64>("trailingBytes");
    QTest::newRow("read in one piece") << qint64(0);
    // Bytes after the end of the picture make the file too large to be read
    // in one piece: it is read as it is decoded.
    QTest::newRow("read as it decodes") << qint64(33) * 1024 * 1024;
}

void TestPicture::largePictureDecodesAtTheSizeShown()
{
    QFETCH(qint64, trailingBytes);
    QTemporaryDir dir;
    const QString path = dir.filePath("large.jpg");
    QVERIFY(testsupport::writeJpeg(path, QSize(2400, 1600)));
    if (trailingBytes > 0) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append));
        QVERIFY(file.write(QByteArray(trailingBytes, '\0')) == trailingBytes);
    }
    const LoadedPicture loaded = FilePictureLoader().load(path, [](QSize) { return QSize(700, 467); });
    QCOMPARE(loaded.ownSize, QSize(2400, 1600));
    QCOMPARE(loaded.image.size(), QSize(700, 467));
    QVERIFY(isReddish(colourAt(loaded.image, 0.1, 0.5)));
    QVERIFY(!isReddish(colourAt(loaded.image, 0.9, 0.5)));
}

void TestPicture::exifOrientationTurnsPictureAndItsDecodeSize_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QSize>("own");
    // Where the stored picture's left (red) half ends up, in the picture shown.
    QTest::addColumn<QPointF>("redAt");
    QTest::addColumn<QPointF>("blueAt");
    QTest::newRow("upright") << 1 << QSize(1200, 600) << QPointF(0.1, 0.5) << QPointF(0.9, 0.5);
    QTest::newRow("turned right") << 6 << QSize(600, 1200) << QPointF(0.5, 0.1) << QPointF(0.5, 0.9);
    QTest::newRow("turned left") << 8 << QSize(600, 1200) << QPointF(0.5, 0.9) << QPointF(0.5, 0.1);
    QTest::newRow("upside down") << 3 << QSize(1200, 600) << QPointF(0.9, 0.5) << QPointF(0.1, 0.5);
}

void TestPicture::exifOrientationTurnsPictureAndItsDecodeSize()
{
    QFETCH(int, orientation);
    QFETCH(QSize, own);
    QFETCH(QPointF, redAt);
    QFETCH(QPointF, blueAt);
    QTemporaryDir dir;
    const QString path = dir.filePath("turned.jpg");
    QVERIFY(testsupport::writeJpegWithOrientation(path, QSize(1200, 600), orientation));
    QSize asked;
    const LoadedPicture loaded = FilePictureLoader().load(path, [&](QSize ownSize) {
        asked = ownSize;
        return ownSize / 4;
    });
    QCOMPARE(asked, own);
    QCOMPARE(loaded.ownSize, own);
    QCOMPARE(loaded.image.size(), own / 4);
    QVERIFY(isReddish(colourAt(loaded.image, redAt.x(), redAt.y())));
    QVERIFY(!isReddish(colourAt(loaded.image, blueAt.x(), blueAt.y())));
}

void TestPicture::failuresHaveTheirNumbers_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("number");
    QTest::newRow("no such file") << "missing.jpg" << 53;
    QTest::newRow("no such folder on the way") << "gone/missing.jpg" << 76;
    QTest::newRow("a file where a folder should be") << "plain.txt/inside.jpg" << 76;
    QTest::newRow("a folder") << "folder.jpg" << 481;
    QTest::newRow("a FIFO, which must not block") << "fifo.jpg" << 481;
    QTest::newRow("an empty file") << "empty.jpg" << 481;
    QTest::newRow("text named .jpg") << "text.jpg" << 481;
    QTest::newRow("a header cut short") << "cut.jpg" << 481;
    QTest::newRow("no name at all") << "" << 53;
}

void TestPicture::failuresHaveTheirNumbers()
{
    QFETCH(QString, name);
    QFETCH(int, number);
    QTemporaryDir dir;
    QVERIFY(testsupport::writeBytes(dir.filePath("plain.txt"), "plain"));
    QVERIFY(QDir(dir.path()).mkdir("folder.jpg"));
    QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("fifo.jpg")).constData(), 0600), 0);
    QVERIFY(testsupport::writeBytes(dir.filePath("empty.jpg"), {}));
    QVERIFY(testsupport::writeBytes(dir.filePath("text.jpg"), "this is not a picture\n"));
    QVERIFY(testsupport::writeJpeg(dir.filePath("whole.jpg"), QSize(64, 48)));
    QFile whole(dir.filePath("whole.jpg"));
    QVERIFY(whole.open(QIODevice::ReadOnly));
    QVERIFY(testsupport::writeBytes(dir.filePath("cut.jpg"), whole.read(30)));
    QCOMPARE(failureOf(name.isEmpty() ? QString() : dir.filePath(name)), number);
}

void TestPicture::pictureBeyondTheAllocationLimitStillShowsReduced()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("huge.jpg");
    QVERIFY(testsupport::writeJpeg(path, QSize(2400, 1800)));
    const int limit = QImageReader::allocationLimit();
    // 2400 x 1800 in 32 bits is 17 MB; the limit lets only a reduced decode through.
    QImageReader::setAllocationLimit(4);
    const LoadedPicture reduced = FilePictureLoader().load(path, [](QSize) { return QSize(800, 600); });
    const int whole = failureOf(path);
    QImageReader::setAllocationLimit(limit);
    QCOMPARE(reduced.image.size(), QSize(800, 600));
    QCOMPARE(whole, 481);
}

namespace {

QByteArray pngBytes(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::green);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "png");
    return bytes;
}

} // namespace

// 0 in "refused" means the picture is shown, whole or in part, at the size
// asked for; otherwise it is the failure expected.
void TestPicture::unusualPicturesAreShownOrRefused_data()
{
    using namespace testsupport;
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("refused");
    const QByteArray baseline = jpegBytes(QSize(64, 48));
    const QByteArray progressive = jpegBytes(QSize(64, 48), true);
    QTest::newRow("a PNG named .jpg") << pngBytes(QSize(64, 48)) << 0;
    QTest::newRow("progressive") << progressive << 0;
    QTest::newRow("progressive, last scan repeated a few times")
        << withLastScanRepeated(progressive, 20) << 0;
    QTest::newRow("progressive, thousands of scans") << withLastScanRepeated(progressive, 3000) << 481;
    const QByteArray scans100 = withLastScanRepeated(progressive, 100);
    const QByteArray scans200 = withLastScanRepeated(progressive, 200);
    QTest::newRow("4096 x 4096 in a hundred scans") << withClaimedSize(scans100, QSize(4096, 4096)) << 0;
    QTest::newRow("4096 x 4096 in two hundred scans") << withClaimedSize(scans200, QSize(4096, 4096)) << 481;
    QTest::newRow("header claiming 65500 x 65500") << withClaimedSize(baseline, QSize(65500, 65500)) << 481;
    QTest::newRow("header claiming one row past the pixel limit")
        << withClaimedSize(baseline, QSize(16384, 16385)) << 481;
    QTest::newRow("header claiming the pixel limit, data cut short")
        << withClaimedSize(baseline, QSize(16384, 16384)) << 0;
    QTest::newRow("12-bit samples") << withPrecision(baseline, 12) << 481;
    QTest::newRow("arithmetic-coded frame over Huffman data") << withFrameMarker(baseline, 0xC9) << 0;
    QTest::newRow("PNG header claiming 65500 x 65500") << [] {
        QByteArray png = pngBytes(QSize(64, 48));
        // IHDR's width and height follow the signature and the chunk head.
        png.replace(16, 8, QByteArray("\x00\x00\xff\xdc\x00\x00\xff\xdc", 8));
        return png;
    }() << 481;
}

void TestPicture::unusualPicturesAreShownOrRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, refused);
    QTemporaryDir dir;
    const QString path = dir.filePath("unusual.jpg");
    QVERIFY(testsupport::writeBytes(path, bytes));
    const QSize shown(32, 24);
    int failure = 0;
    LoadedPicture loaded;
    try {
        loaded =
            FilePictureLoader().load(path, [&](QSize own) { return own.scaled(shown, Qt::KeepAspectRatio); });
    } catch (const AppError& error) {
        failure = error.number();
    }
    QCOMPARE(failure, refused);
    if (refused == 0)
        QCOMPARE(loaded.image.size(), loaded.ownSize.scaled(shown, Qt::KeepAspectRatio));
}

void TestPicture::scansAreCountedAcrossReads_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("scans");
    const QByteArray block(1 << 16, '\x11'); // the size of one read
    const QByteArray sos("\xff\xda", 2);
    QTest::newRow("none") << QByteArray("\xff\xd8\xff\x00\xda\xff") << 10 << 0;
    QTest::newRow("fill bytes before the marker") << QByteArray("\xff\xff\xff\xda") << 10 << 1;
    QTest::newRow("marker as the last bytes") << block + sos << 10 << 1;
    QTest::newRow("marker split between reads") << block.left(block.size() - 1) + sos << 10 << 1;
    QTest::newRow("0xFF ending a read, no marker")
        << block.left(block.size() - 1) + "\xff\x00\xda" << 10 << 0;
    QTest::newRow("one in each read") << sos + block + sos + block + sos << 10 << 3;
    QTest::newRow("stops one past the limit") << sos.repeated(4) + block + sos.repeated(5) << 3 << 4;
}

void TestPicture::scansAreCountedAcrossReads()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, limit);
    QFETCH(int, scans);
    QBuffer device(&bytes);
    QVERIFY(device.open(QIODevice::ReadOnly));
    QCOMPARE(countJpegScans(device, limit), scans);
    QCOMPARE(device.pos(), 0);
}

#include "tst_picture.moc"

LUMARINE_REGISTER_TEST(TestPicture)
