#include "platform/apperror.h"
#include "platform/picture.h"
#include "support/failingfilesystem.h"
#include "support/jpegfixtures.h"
#include "support/testmain.h"

#include <QBuffer>
#include <QImageReader>
#include <QTemporaryDir>

using namespace platform;
using namespace testsupport;

namespace {

bool isReddish(const QImage& image, QPointF at)
{
    const QColor c = image.pixelColor(int(at.x() * (image.width() - 1)), int(at.y() * (image.height() - 1)));
    return c.red() > 200 && c.blue() < 60;
}

QByteArray pngBytes(QSize size)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::green);
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
    void pictureDecodesTurnedAtTheSizeShown()
    {
        const QPointF left(0.1, 0.5), right(0.9, 0.5), top(0.5, 0.1), bottom(0.5, 0.9);
        // stored, orientation, trailing bytes, asked, where the stored picture's left half ends up
        for (const auto& [stored, orientation, trailingBytes, asked, redAt] :
             {std::tuple(QSize(320, 200), 0, 0ll, QSize(640, 400), left),
              {QSize(2400, 1600), 0, 33ll << 20, QSize(700, 467), left},
              {QSize(1200, 600), 6, 0ll, QSize(150, 300), top},
              {QSize(1200, 600), 8, 0ll, QSize(150, 300), bottom},
              {QSize(1200, 600), 3, 0ll, QSize(300, 150), right}}) {
            QTemporaryDir dir;
            const QString path = dir.filePath("picture.jpg");
            QVERIFY(
                writeBytes(path, withExif(jpegBytes(stored), orientation) + QByteArray(trailingBytes, '\0')));
            const QSize own = orientation >= 5 ? stored.transposed() : stored;
            QSize told;
            const LoadedPicture loaded = FilePictureLoader().load(path, [&](QSize ownSize) {
                told = ownSize;
                return asked;
            });
            QCOMPARE(std::tuple(told, loaded.ownSize, loaded.image.size(), isReddish(loaded.image, redAt),
                                isReddish(loaded.image, QPointF(1, 1) - redAt)),
                     std::tuple(own, own, asked.boundedTo(own), true, false));
        }
    }

    // 0 means the picture is shown, whole or in part, at the size asked for;
    // otherwise it is the failure expected. Under the allocation limit, a
    // picture too large to decode whole still shows reduced.
    void unusualPicturesAreShownOrRefused()
    {
        QTemporaryDir dir;
        const QByteArray baseline = jpegBytes(QSize(64, 48));
        const auto scans = [&](int copies) {
            return withLastScanRepeated(jpegBytes(QSize(64, 48), true), copies);
        };
        const auto shown = [](QSize own) { return own.scaled(QSize(32, 24), Qt::KeepAspectRatio); };
        QStringList results;
        // IHDR's width and height follow the PNG signature and the chunk head.
        for (const QByteArray& bytes :
             {pngBytes(QSize(64, 48)), QByteArray(), baseline.left(30), scans(20), scans(3000),
              withClaimedSize(scans(100), QSize(4096, 4096)), withClaimedSize(scans(200), QSize(4096, 4096)),
              withClaimedSize(baseline, QSize(16384, 16385)), withClaimedSize(baseline, QSize(16384, 16384)),
              pngBytes(QSize(64, 48)).replace(16, 8, QByteArray("\x00\x00\xff\xdc\x00\x00\xff\xdc", 8))}) {
            QVERIFY(writeBytes(dir.filePath("unusual.jpg"), bytes));
            LoadedPicture loaded;
            const int refused =
                errorOf([&] { loaded = FilePictureLoader().load(dir.filePath("unusual.jpg"), shown); });
            results << QString::number(refused) +
                           (refused == 0 && loaded.image.size() != shown(loaded.ownSize) ? "?" : "");
        }
        QCOMPARE(results.join(' '), "0 481 481 0 481 0 481 481 0 481");
        QVERIFY(writeJpeg(dir.filePath("huge.jpg"), QSize(2400, 1800)));
        const int limit = QImageReader::allocationLimit();
        // 2400 x 1800 in 32 bits is 17 MB; the limit lets only a reduced decode through.
        QImageReader::setAllocationLimit(4);
        const LoadedPicture reduced =
            FilePictureLoader().load(dir.filePath("huge.jpg"), [](QSize) { return QSize(800, 600); });
        const int whole = errorOf([&] { FilePictureLoader().load(dir.filePath("huge.jpg"), {}); });
        QImageReader::setAllocationLimit(limit);
        QCOMPARE(std::pair(reduced.image.size(), whole), std::pair(QSize(800, 600), 481));
    }
};

LUMARINE_REGISTER_TEST(TestPicture)
#include "tst_picture.moc"
