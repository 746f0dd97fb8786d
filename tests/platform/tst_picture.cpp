// Pictures decoded at the size they are shown, and the desktop's shared
// thumbnail cache, read and written as other programs read and write it.
#include "platform/exifthumbnail.h"
#include "platform/thumbnailcache.h"
#include "platform/thumbnailpng.h"
#include "support/testmain.h"

#include <QBuffer>
#include <QImageReader>

#include <atomic>
#include <sys/stat.h>
#include <utime.h>

using namespace platform;
using namespace testsupport;

namespace {

// Real decoding that counts how often it was asked.
class CountingLoader final : public PictureLoader {
public:
    LoadedPicture load(const QString& path, const ShownSizeFor& shownSizeFor) const override
    {
        ++loads;
        return FilePictureLoader().load(path, shownSizeFor);
    }
    mutable std::atomic<int> loads{0};
};

// A cell of 200 x 150 device pixels, the picture fitted into it.
const auto cell200 = [](QSize own) { return own.scaled(200, 150, Qt::KeepAspectRatio); };

struct stat statOf(const QString& path)
{
    struct stat info {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return info;
}

bool backdate(const QString& path)
{
    const utimbuf older{statOf(path).st_mtime - 100, statOf(path).st_mtime - 100};
    return ::utime(QFile::encodeName(path).constData(), &older) == 0;
}

// The colour at a place given in fractions of the picture: 'r', 'g', 'b' or '?'.
char colourAt(const QImage& image, QPointF at)
{
    const QColor c = image.pixelColor(int(at.x() * (image.width() - 1)), int(at.y() * (image.height() - 1)));
    return c.red() > 200 && c.blue() < 60 ? 'r' : c.green() > 200 ? 'g' : c.blue() > 200 ? 'b' : '?';
}

QImage pattern(QSize size, QImage::Format format)
{
    QImage image(size, QImage::Format_ARGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgba(x * 7 % 256, y * 13 % 256, (x ^ y) % 256, (x + y) * 31 % 256));
    return image.convertToFormat(format);
}

struct CacheFixture {
    CacheFixture() : cache(root.path() + "/thumbnails", true, "lumarine-test"), thumbnails(files, cache)
    {
        writeJpeg(picture, QSize(600, 400));
    }
    QString entry(const QString& folder) const
    {
        return cache.root() + "/" + folder + "/" +
               ThumbnailCache::fileNameFor(QFileInfo(picture).canonicalFilePath());
    }
    QStringList folders() const { return QDir(cache.root()).entryList(QDir::Dirs | QDir::NoDotAndDotDot); }
    QTemporaryDir root;
    QTemporaryDir pictures;
    QString picture = pictures.filePath("my photo.jpg");
    CountingLoader files;
    ThumbnailCache cache;
    CachedThumbnailLoader thumbnails;
};

} // namespace

class TestPicture : public QObject {
    Q_OBJECT

private slots:
    // Pixels and both kinds of text chunk read back by Qt's own reader, as
    // other programs read the shared cache.
    void pngReadsBackExactly()
    {
        const QString uri = "file:///p/my%20photo.jpg", software = QStringLiteral("lumarine-\u00e9\u2713");
        const QImage source = pattern(QSize(9, 4), QImage::Format_ARGB32);
        QByteArray png = uncompressedPng(source, {{"Thumb::URI", uri}, {"Software", software}});
        QBuffer buffer(&png);
        const QImage read = QImageReader(&buffer, "png").read();
        QCOMPARE(
            std::tuple(read.text("Thumb::URI"), read.text("Software"), read.convertToFormat(source.format())),
            std::tuple(uri, software, source));
    }

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
            QCOMPARE(std::tuple(told, loaded.ownSize, loaded.image.size(),
                                colourAt(loaded.image, redAt) == 'r',
                                colourAt(loaded.image, QPointF(1, 1) - redAt) == 'r'),
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
             {uncompressedPng(pattern(QSize(64, 48), QImage::Format_RGB32), {}), QByteArray(),
              baseline.left(30), scans(20), scans(3000), withClaimedSize(scans(100), QSize(4096, 4096)),
              withClaimedSize(scans(200), QSize(4096, 4096)), withClaimedSize(baseline, QSize(16384, 16385)),
              withClaimedSize(baseline, QSize(16384, 16384)),
              uncompressedPng(pattern(QSize(64, 48), QImage::Format_RGB32), {})
                  .replace(16, 8, QByteArray("\x00\x00\xff\xdc\x00\x00\xff\xdc", 8))}) {
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

    // The entry's name is the digest of the encoded URI, as other programs
    // name it, and it holds the picture's time of change. RGBA, as the
    // standard asks, though a JPEG's thumbnail is opaque; no temporary file
    // left beside it; read back by a second run.
    void sizeFolderCoversTheCell()
    {
        const QString path = QString::fromUtf8("/tmp/my photos/café à Zürich.jpg");
        QCOMPARE(QStringList({ThumbnailCache::uriFor(path), ThumbnailCache::fileNameFor(path)}),
                 QStringList({"file:///tmp/my%20photos/caf%C3%A9%20%C3%A0%20Z%C3%BCrich.jpg",
                              "5062b3f0d190ea750ee0202bf293c577.png"}));
        for (const auto& [shown, folder, stored] : {std::tuple(QSize(128, 85), "normal", QSize(128, 85)),
                                                    {QSize(129, 86), "large", QSize(150, 100)},
                                                    {QSize(400, 267), "x-large", QSize(512, 341)},
                                                    {QSize(600, 400), "xx-large", QSize(600, 400)}}) {
            CacheFixture f;
            const LoadedPicture loaded = f.thumbnails.load(f.picture, [&](QSize) { return shown; });
            f.thumbnails.waitForWrites();
            const QString inside = f.cache.root() + "/" + folder;
            QCOMPARE(std::tuple(loaded.image.size(), loaded.ownSize, f.folders(),
                                QImageReader(f.entry(folder)).size(),
                                QImage(f.entry(folder)).hasAlphaChannel(),
                                QDir(inside).entryList(QDir::Files).size()),
                     std::tuple(shown, QSize(600, 400), QStringList{folder}, stored, true, 1));
            QCOMPARE(QList<mode_t>({statOf(f.entry(folder)).st_mode & 07777,
                                    statOf(f.cache.root()).st_mode & 07777, statOf(inside).st_mode & 07777}),
                     QList<mode_t>({0600, 0700, 0700}));
            const ThumbnailCache again(f.cache.root(), true, "lumarine-test");
            const LoadedPicture second =
                CachedThumbnailLoader(f.files, again).load(f.picture, [&](QSize) { return shown; });
            QCOMPARE(std::tuple(f.files.loads.load(), second.image.size(), second.ownSize,
                                colourAt(second.image, QPointF(0.1, 0.5)),
                                colourAt(second.image, QPointF(0.9, 0.5))),
                     std::tuple(1, shown, QSize(600, 400), 'r', 'b'));
            // Once the picture changes, its entry is passed over.
            QVERIFY(backdate(f.picture));
            CachedThumbnailLoader(f.files, again).load(f.picture, cell200);
            QCOMPARE(f.files.loads.load(), 2);
        }
    }

    void undecodablePictureIsRecordedAndNotDecodedAgain()
    {
        CacheFixture f;
        const QString broken = f.pictures.filePath("broken.jpg");
        QVERIFY(writeBytes(broken, "not a picture at all"));
        QList<int> failuresAndLoads;
        const auto attempt = [&](const QString& path) {
            failuresAndLoads << errorOf([&] { f.thumbnails.load(path, cell200); }) << f.files.loads.load();
        };
        attempt(broken);
        attempt(broken);
        // Once it changes it is tried again; a missing picture is no failure of decoding.
        QVERIFY(backdate(broken));
        attempt(broken);
        attempt(f.pictures.filePath("gone.jpg"));
        QCOMPARE(failuresAndLoads, QList<int>({481, 1, 481, 1, 481, 2, 53, 3}));
        QCOMPARE(QDir(f.cache.root() + "/fail/lumarine-test").entryList(QDir::Files),
                 QStringList{ThumbnailCache::fileNameFor(QFileInfo(broken).canonicalFilePath())});
    }

    // A file stands where the cache's folder would be made.
    void unwritableCacheStillGivesTheThumbnail()
    {
        CacheFixture f;
        QVERIFY(writeBytes(f.root.filePath("blocked"), {}));
        const ThumbnailCache blocked(f.root.filePath("blocked") + "/thumbnails", true, "lumarine-test");
        const CachedThumbnailLoader thumbnails(f.files, blocked);
        for (int round = 1; round <= 2; ++round) {
            const QSize size = thumbnails.load(f.picture, cell200).image.size();
            QCOMPARE(std::pair(size, f.files.loads.load()), std::pair(QSize(200, 133), round));
        }
        QVERIFY(!blocked.store(*blocked.keyFor(f.picture), ThumbnailCache::flavourFor(200),
                               QImage(2, 2, QImage::Format_ARGB32), QSize(2, 2)));
    }

    void environmentPlacesOrSwitchesOffTheCache()
    {
        qunsetenv("LUMARINE_NO_THUMBNAIL_CACHE");
        const ThumbnailCache fromEnvironment = ThumbnailCache::fromEnvironment("lumarine-test");
        qputenv("LUMARINE_NO_THUMBNAIL_CACHE", "1");
        QCOMPARE(std::tuple(fromEnvironment.enabled(), fromEnvironment.root(),
                            ThumbnailCache::fromEnvironment("lumarine-test").enabled()),
                 std::tuple(true, qEnvironmentVariable("XDG_CACHE_HOME") + "/thumbnails", false));
    }

    // Opening a FIFO to read waits for a writer that never comes; nor is the
    // embedded thumbnail looked for in anything but a file.
    void embeddedThumbnailServesCellsItCovers()
    {
        for (const auto& [thumbnail, shown, embeddedUsed] :
             {std::tuple(QSize(160, 120), QSize(120, 90), true),
              {QSize(160, 120), QSize(200, 150), false},
              {QSize(160, 90), QSize(120, 90), false}}) {
            CacheFixture f;
            const QByteArray bytes = withExif(jpegBytes(QSize(1600, 1200)), 0, jpegBytes(thumbnail));
            QCOMPARE(exifThumbnail(bytes).value_or(QImage()).size(), thumbnail);
            const QString path = f.pictures.filePath("camera.jpg");
            QVERIFY(writeBytes(path, bytes));
            const LoadedPicture loaded = f.thumbnails.load(path, [&](QSize) { return shown; });
            f.thumbnails.waitForWrites();
            QCOMPARE(std::tuple(loaded.image.size(), loaded.ownSize, f.files.loads.load(),
                                colourAt(loaded.image, QPointF(0.1, 0.5)),
                                colourAt(loaded.image, QPointF(0.9, 0.5))),
                     std::tuple(shown, QSize(1600, 1200), embeddedUsed ? 0 : 1, 'r', 'b'));
        }
        for (const QString place : {"large", "fail/lumarine-test"}) {
            CacheFixture f;
            const QString entry = f.entry(place);
            QVERIFY(QDir().mkpath(QFileInfo(entry).absolutePath()) && makeSpecialFile("fifo", entry));
            const QSize size = f.thumbnails.load(f.picture, cell200).image.size();
            QCOMPARE(std::pair(size, f.files.loads.load()), std::pair(QSize(200, 133), 1));
            f.thumbnails.waitForWrites();
            QVERIFY(!usableExifThumbnail(entry, QSize(600, 400), {}, QSize(20, 13)));
        }
    }
};

LUMARINE_REGISTER_TEST(TestPicture)
#include "tst_picture.moc"
