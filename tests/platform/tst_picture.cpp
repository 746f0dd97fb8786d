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

using namespace platform;

namespace {

int failureOf(const QString& path)
{
    return testsupport::errorOf([&] { FilePictureLoader().load(path, {}); });
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
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "png");
    return bytes;
}

} // namespace

class TestPicture : public QObject {
    Q_OBJECT

private slots:
    // The loader is told the picture's own size, turned as its EXIF
    // orientation says, and decodes at the size it is then asked for, never
    // larger than its own.
    void pictureDecodesTurnedAtTheSizeShown_data()
    {
        QTest::addColumn<QSize>("stored");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<qint64>("trailingBytes");
        QTest::addColumn<QSize>("own");
        QTest::addColumn<QSize>("asked");
        QTest::addColumn<QSize>("decoded");
        // Where the stored picture's left (red) half ends up, in the picture shown.
        QTest::addColumn<QPointF>("redAt");
        QTest::addColumn<QPointF>("blueAt");
        const QPointF left(0.1, 0.5), right(0.9, 0.5), top(0.5, 0.1), bottom(0.5, 0.9);
        QTest::newRow("small, never enlarged") << QSize(320, 200) << 0 << qint64(0) << QSize(320, 200)
                                               << QSize(640, 400) << QSize(320, 200) << left << right;
        QTest::newRow("large, read in one piece") << QSize(2400, 1600) << 0 << qint64(0) << QSize(2400, 1600)
                                                  << QSize(700, 467) << QSize(700, 467) << left << right;
        // Bytes after the end of the picture make the file too large to be
        // read in one piece: it is read as it is decoded.
        QTest::newRow("large, read as it decodes")
            << QSize(2400, 1600) << 0 << qint64(33 << 20) << QSize(2400, 1600) << QSize(700, 467)
            << QSize(700, 467) << left << right;
        QTest::newRow("upright") << QSize(1200, 600) << 1 << qint64(0) << QSize(1200, 600) << QSize(300, 150)
                                 << QSize(300, 150) << left << right;
        QTest::newRow("turned right") << QSize(1200, 600) << 6 << qint64(0) << QSize(600, 1200)
                                      << QSize(150, 300) << QSize(150, 300) << top << bottom;
        QTest::newRow("turned left") << QSize(1200, 600) << 8 << qint64(0) << QSize(600, 1200)
                                     << QSize(150, 300) << QSize(150, 300) << bottom << top;
        QTest::newRow("upside down") << QSize(1200, 600) << 3 << qint64(0) << QSize(1200, 600)
                                     << QSize(300, 150) << QSize(300, 150) << right << left;
    }
    void pictureDecodesTurnedAtTheSizeShown()
    {
        QFETCH(QSize, stored);
        QFETCH(int, orientation);
        QFETCH(qint64, trailingBytes);
        QFETCH(QSize, own);
        QFETCH(QSize, asked);
        QFETCH(QSize, decoded);
        QFETCH(QPointF, redAt);
        QFETCH(QPointF, blueAt);
        QTemporaryDir dir;
        const QString path = dir.filePath("picture.jpg");
        QVERIFY(testsupport::writeJpegWithOrientation(path, stored, orientation));
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append) && file.write(QByteArray(trailingBytes, '\0')) == trailingBytes);
        file.close();
        QSize told;
        const LoadedPicture loaded = FilePictureLoader().load(path, [&](QSize ownSize) {
            told = ownSize;
            return asked;
        });
        QCOMPARE(told, own);
        QCOMPARE(loaded.ownSize, own);
        QCOMPARE(loaded.image.size(), decoded);
        QVERIFY(isReddish(loaded.image, redAt));
        QVERIFY(!isReddish(loaded.image, blueAt));
    }

    void failuresHaveTheirNumbers_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("number");
        QTest::newRow("no such file") << "missing.jpg" << 53;
        QTest::newRow("no such folder on the way") << "gone/missing.jpg" << 76;
        QTest::newRow("a file where a folder should be") << "plain.txt/inside.jpg" << 76;
        QTest::newRow("a folder") << "folder.jpg" << 481;
        QTest::newRow("a FIFO, which must not block") << "fifo.jpg" << 481;
        QTest::newRow("an empty file") << "empty.jpg" << 481;
        QTest::newRow("text named .jpg") << "plain.txt" << 481;
        QTest::newRow("a header cut short") << "cut.jpg" << 481;
        QTest::newRow("no name at all") << "" << 53;
    }
    void failuresHaveTheirNumbers()
    {
        QFETCH(QString, name);
        QFETCH(int, number);
        QTemporaryDir dir;
        QVERIFY(testsupport::writeBytes(dir.filePath("plain.txt"), "this is not a picture\n"));
        QVERIFY(testsupport::makeSpecialFile("folder", dir.filePath("folder.jpg")));
        QVERIFY(testsupport::makeSpecialFile("fifo", dir.filePath("fifo.jpg")));
        QVERIFY(testsupport::writeBytes(dir.filePath("empty.jpg"), {}));
        QVERIFY(
            testsupport::writeBytes(dir.filePath("cut.jpg"), testsupport::jpegBytes(QSize(64, 48)).left(30)));
        QCOMPARE(failureOf(name.isEmpty() ? QString() : dir.filePath(name)), number);
    }

    void pictureBeyondTheAllocationLimitStillShowsReduced()
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

    // 0 in "refused" means the picture is shown, whole or in part, at the size
    // asked for; otherwise it is the failure expected.
    void unusualPicturesAreShownOrRefused_data()
    {
        using namespace testsupport;
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("refused");
        const QByteArray baseline = jpegBytes(QSize(64, 48));
        const QByteArray progressive = jpegBytes(QSize(64, 48), true);
        QTest::newRow("a PNG named .jpg") << pngBytes(QSize(64, 48)) << 0;
        QTest::newRow("progressive") << progressive << 0;
        QTest::newRow("progressive, last scan repeated") << withLastScanRepeated(progressive, 20) << 0;
        QTest::newRow("progressive, thousands of scans") << withLastScanRepeated(progressive, 3000) << 481;
        QTest::newRow("4096 x 4096 in a hundred scans")
            << withClaimedSize(withLastScanRepeated(progressive, 100), QSize(4096, 4096)) << 0;
        QTest::newRow("4096 x 4096 in two hundred scans")
            << withClaimedSize(withLastScanRepeated(progressive, 200), QSize(4096, 4096)) << 481;
        QTest::newRow("header claiming 65500 x 65500")
            << withClaimedSize(baseline, QSize(65500, 65500)) << 481;
        QTest::newRow("header claiming one row past the pixel limit")
            << withClaimedSize(baseline, QSize(16384, 16385)) << 481;
        QTest::newRow("header claiming the pixel limit, data cut short")
            << withClaimedSize(baseline, QSize(16384, 16384)) << 0;
        QTest::newRow("12-bit samples") << withPrecision(baseline, 12) << 481;
        QTest::newRow("arithmetic-coded frame over Huffman data") << withFrameMarker(baseline, 0xC9) << 0;
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
        QVERIFY(testsupport::writeBytes(path, bytes));
        const auto shown = [](QSize own) { return own.scaled(QSize(32, 24), Qt::KeepAspectRatio); };
        LoadedPicture loaded;
        QCOMPARE(testsupport::errorOf([&] { loaded = FilePictureLoader().load(path, shown); }), refused);
        if (refused == 0)
            QCOMPARE(loaded.image.size(), shown(loaded.ownSize));
    }

    void scansAreCountedAcrossReads_data()
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
    void scansAreCountedAcrossReads()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, limit);
        QFETCH(int, scans);
        QBuffer device(&bytes);
        QVERIFY(device.open(QIODevice::ReadOnly));
        QCOMPARE(countJpegScans(device, limit), scans);
        QCOMPARE(device.pos(), 0);
    }
};

LUMARINE_REGISTER_TEST(TestPicture)
#include "tst_picture.moc"
