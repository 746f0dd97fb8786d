#include "platform/apperror.h"
#include "platform/exifthumbnail.h"
#include "platform/thumbnailcache.h"
#include "support/failingfilesystem.h"
#include "support/jpegfixtures.h"
#include "support/testmain.h"
#include "support/tree.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <sys/stat.h>
#include <utime.h>

using namespace platform;

namespace {

// Real decoding that counts how often it was asked.
class CountingLoader final : public PictureLoader {
public:
    LoadedPicture load(const QString& path, const ShownSizeFor& shownSizeFor) const override
    {
        ++loads;
        return files_.load(path, shownSizeFor);
    }
    mutable std::atomic<int> loads{0};

private:
    FilePictureLoader files_;
};

// A cell of 200 x 150 device pixels, the picture fitted into it.
QSize cell200(QSize own)
{
    return own.scaled(200, 150, Qt::KeepAspectRatio);
}

int failureOf(const PictureLoader& loader, const QString& path)
{
    return testsupport::errorOf([&] { loader.load(path, cell200); });
}

mode_t modeOf(const QString& path)
{
    struct stat info {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return info.st_mode & 07777;
}

QString canonical(const QString& path)
{
    return QFileInfo(path).canonicalFilePath();
}

qint64 mtimeOf(const QString& path)
{
    struct stat info {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return info.st_mtime;
}

// An entry as another program of the desktop would have left it.
void writeForeignEntry(const QString& file, const QString& uri, qint64 mtime, QSize own)
{
    QDir().mkpath(QFileInfo(file).absolutePath());
    QImage image(256, 171, QImage::Format_ARGB32);
    image.fill(Qt::green);
    image.setText("Thumb::URI", uri);
    image.setText("Thumb::MTime", QString::number(mtime));
    image.setText("Thumb::Image::Width", QString::number(own.width()));
    image.setText("Thumb::Image::Height", QString::number(own.height()));
    QVERIFY(image.save(file, "png"));
}

QByteArray jpegIn(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    image.save(&buffer, "jpeg", 90);
    return bytes;
}

// A red JPEG carrying an EXIF thumbnail of another size in green.
QByteArray jpegWithExifThumbnail(QSize size, QSize thumbnailSize)
{
    return testsupport::withExif(jpegIn(size, Qt::red), 0, jpegIn(thumbnailSize, Qt::green));
}

struct CacheFixture {
    CacheFixture() : cache(root.path() + "/thumbnails", true, "lumarine-test"), thumbnails(files, cache)
    {
        picture = pictures.filePath("my photo.jpg");
        testsupport::writeJpeg(picture, QSize(600, 400));
    }
    QString entry(const char* folder) const
    {
        return cache.root() + "/" + folder + "/" + ThumbnailCache::fileNameFor(canonical(picture));
    }
    QTemporaryDir root;
    QTemporaryDir pictures;
    QString picture;
    CountingLoader files;
    ThumbnailCache cache;
    CachedThumbnailLoader thumbnails;
};

} // namespace

class TestThumbnailCache : public QObject {
    Q_OBJECT

private slots:
    void entryNameIsTheDigestOfTheEncodedUri_data();
    void entryNameIsTheDigestOfTheEncodedUri();
    void sizeFolderCoversTheCell_data();
    void sizeFolderCoversTheCell();
    void validEntryIsUsedWithoutDecoding();
    void staleEntryIsDecodedAgainAndReplaced_data();
    void staleEntryIsDecodedAgainAndReplaced();
    void writtenEntryIsReadBackByASecondRun();
    void undecodablePictureIsRecordedAndNotDecodedAgain();
    void unwritableCacheStillGivesTheThumbnail();
    void nothingIsWrittenForPicturesInsideTheCache();
    void switchedOffCacheNeitherReadsNorWrites();
    void specialFileInTheCacheIsPassedOver_data();
    void specialFileInTheCacheIsPassedOver();
    void embeddedThumbnailServesCellsItCovers_data();
    void embeddedThumbnailServesCellsItCovers();
};

void TestThumbnailCache::entryNameIsTheDigestOfTheEncodedUri_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("uri");
    QTest::addColumn<QString>("name");
    QTest::newRow("the standard's example") << "/home/jens/photos/me.png"
                                            << "file:///home/jens/photos/me.png"
                                            << "c6ee772d9e49320e97ec29a7eb5b1697.png";
    QTest::newRow("spaces and accents") << QString::fromUtf8("/tmp/my photos/café à Zürich.jpg")
                                        << "file:///tmp/my%20photos/caf%C3%A9%20%C3%A0%20Z%C3%BCrich.jpg"
                                        << "5062b3f0d190ea750ee0202bf293c577.png";
}

void TestThumbnailCache::entryNameIsTheDigestOfTheEncodedUri()
{
    QFETCH(QString, path);
    QFETCH(QString, uri);
    QFETCH(QString, name);
    QCOMPARE(QString::fromLatin1(ThumbnailCache::uriFor(path)), uri);
    QCOMPARE(ThumbnailCache::fileNameFor(path), name);
}

void TestThumbnailCache::sizeFolderCoversTheCell_data()
{
    QTest::addColumn<QSize>("shown");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QSize>("stored");
    QTest::newRow("small cell") << QSize(120, 80) << "normal" << QSize(128, 85);
    QTest::newRow("just over normal") << QSize(129, 86) << "large" << QSize(150, 100);
    QTest::newRow("cell at ratio 2") << QSize(400, 267) << "x-large" << QSize(512, 341);
    QTest::newRow("the whole picture fits") << QSize(600, 400) << "xx-large" << QSize(600, 400);
}

void TestThumbnailCache::sizeFolderCoversTheCell()
{
    QFETCH(QSize, shown);
    QFETCH(QString, folder);
    QFETCH(QSize, stored);
    CacheFixture f;
    const LoadedPicture loaded = f.thumbnails.load(f.picture, [&](QSize) { return shown; });
    f.thumbnails.waitForWrites();
    QCOMPARE(loaded.image.size(), shown);
    QCOMPARE(loaded.ownSize, QSize(600, 400));
    const QStringList made = QDir(f.cache.root()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCOMPARE(made, QStringList{folder});
    QCOMPARE(QImageReader(f.entry(qPrintable(folder))).size(), stored);
}

void TestThumbnailCache::validEntryIsUsedWithoutDecoding()
{
    CacheFixture f;
    writeForeignEntry(f.entry("large"), QString::fromLatin1(ThumbnailCache::uriFor(canonical(f.picture))),
                      mtimeOf(f.picture), QSize(600, 400));
    const LoadedPicture loaded = f.thumbnails.load(f.picture, cell200);
    QCOMPARE(f.files.loads.load(), 0);
    QCOMPARE(loaded.ownSize, QSize(600, 400));
    QCOMPARE(loaded.image.size(), QSize(200, 133));
    QCOMPARE(loaded.image.pixelColor(100, 66), QColor(Qt::green));
}

void TestThumbnailCache::staleEntryIsDecodedAgainAndReplaced_data()
{
    QTest::addColumn<bool>("otherUri");
    QTest::addColumn<qint64>("mtimeShift");
    QTest::newRow("picture changed since") << false << qint64(-60);
    QTest::newRow("entry of another file") << true << qint64(0);
}

void TestThumbnailCache::staleEntryIsDecodedAgainAndReplaced()
{
    QFETCH(bool, otherUri);
    QFETCH(qint64, mtimeShift);
    CacheFixture f;
    const QString uri = QString::fromLatin1(ThumbnailCache::uriFor(canonical(f.picture)));
    writeForeignEntry(f.entry("large"), otherUri ? uri + "x" : uri, mtimeOf(f.picture) + mtimeShift,
                      QSize(600, 400));
    const LoadedPicture loaded = f.thumbnails.load(f.picture, cell200);
    f.thumbnails.waitForWrites();
    QCOMPARE(f.files.loads.load(), 1);
    // The picture's own colours, not the entry's green.
    QCOMPARE(loaded.image.pixelColor(10, 66).red() > 200, true);
    const QImage replaced(f.entry("large"));
    QCOMPARE(replaced.text("Thumb::URI"), uri);
    QCOMPARE(replaced.text("Thumb::MTime"), QString::number(mtimeOf(f.picture)));
}

void TestThumbnailCache::writtenEntryIsReadBackByASecondRun()
{
    CacheFixture f;
    const LoadedPicture first = f.thumbnails.load(f.picture, cell200);
    f.thumbnails.waitForWrites();
    QCOMPARE(f.files.loads.load(), 1);

    const QImage reader(f.entry("large"));
    QCOMPARE(reader.text("Thumb::URI"), QString::fromLatin1(ThumbnailCache::uriFor(canonical(f.picture))));
    QCOMPARE(reader.text("Thumb::MTime"), QString::number(mtimeOf(f.picture)));
    QCOMPARE(reader.text("Thumb::Size"), QString::number(QFileInfo(f.picture).size()));
    QCOMPARE(reader.text("Thumb::Image::Width"), "600");
    QCOMPARE(reader.text("Thumb::Image::Height"), "400");
    // RGBA, as the standard asks, though a JPEG's thumbnail is opaque.
    QVERIFY(reader.hasAlphaChannel());
    QCOMPARE(modeOf(f.entry("large")), mode_t(0600));
    QCOMPARE(modeOf(f.cache.root()), mode_t(0700));
    QCOMPARE(modeOf(f.cache.root() + "/large"), mode_t(0700));
    // Only the entry itself: no temporary file left beside it.
    QCOMPARE(QDir(f.cache.root() + "/large").entryList(QDir::Files).size(), 1);

    const ThumbnailCache again(f.cache.root(), true, "lumarine-test");
    const CachedThumbnailLoader secondRun(f.files, again);
    const LoadedPicture second = secondRun.load(f.picture, cell200);
    QCOMPARE(f.files.loads.load(), 1);
    QCOMPARE(second.image.size(), first.image.size());
    QCOMPARE(second.ownSize, first.ownSize);
    QCOMPARE(second.image.pixelColor(10, 66).red() > 200, true);
    QCOMPARE(second.image.pixelColor(190, 66).blue() > 200, true);
}

void TestThumbnailCache::undecodablePictureIsRecordedAndNotDecodedAgain()
{
    CacheFixture f;
    const QString broken = f.pictures.filePath("broken.jpg");
    QFile file(broken);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a picture at all");
    file.close();
    QCOMPARE(failureOf(f.thumbnails, broken), 481);
    const QString record =
        f.cache.root() + "/fail/lumarine-test/" + ThumbnailCache::fileNameFor(canonical(broken));
    QVERIFY(QFile::exists(record));
    QCOMPARE(failureOf(f.thumbnails, broken), 481);
    QCOMPARE(f.files.loads.load(), 1);

    // Once it changes it is tried again.
    const utimbuf older{mtimeOf(broken) - 100, mtimeOf(broken) - 100};
    QCOMPARE(::utime(QFile::encodeName(broken).constData(), &older), 0);
    QCOMPARE(failureOf(f.thumbnails, broken), 481);
    QCOMPARE(f.files.loads.load(), 2);
    // A picture that is missing is no failure of decoding: nothing recorded.
    QCOMPARE(failureOf(f.thumbnails, f.pictures.filePath("gone.jpg")), 53);
    QCOMPARE(QDir(f.cache.root() + "/fail/lumarine-test").entryList(QDir::Files).size(), 1);
}

void TestThumbnailCache::unwritableCacheStillGivesTheThumbnail()
{
    CacheFixture f;
    // A file stands where the cache's folder would be made.
    const QString blocker = f.root.filePath("blocked");
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const ThumbnailCache blocked(blocker + "/thumbnails", true, "lumarine-test");
    const CachedThumbnailLoader thumbnails(f.files, blocked);
    for (int round = 1; round <= 2; ++round) {
        const LoadedPicture loaded = thumbnails.load(f.picture, cell200);
        QCOMPARE(loaded.image.size(), QSize(200, 133));
        QCOMPARE(f.files.loads.load(), round);
    }
    QVERIFY(!blocked.store(*blocked.keyFor(f.picture), ThumbnailCache::flavourFor(200),
                           QImage(2, 2, QImage::Format_ARGB32), QSize(2, 2)));
}

void TestThumbnailCache::nothingIsWrittenForPicturesInsideTheCache()
{
    CacheFixture f;
    QDir().mkpath(f.cache.root() + "/large");
    const QString inside = f.cache.root() + "/large/copy.jpg";
    QVERIFY(testsupport::writeJpeg(inside, QSize(600, 400)));
    QVERIFY(!f.cache.keyFor(inside));
    QCOMPARE(f.thumbnails.load(inside, cell200).image.size(), QSize(200, 133));
    f.thumbnails.waitForWrites();
    QCOMPARE(QDir(f.cache.root() + "/large").entryList(QDir::Files), QStringList{"copy.jpg"});
}

void TestThumbnailCache::switchedOffCacheNeitherReadsNorWrites()
{
    CacheFixture f;
    const ThumbnailCache off(f.cache.root(), false, "lumarine-test");
    const CachedThumbnailLoader thumbnails(f.files, off);
    writeForeignEntry(f.entry("large"), QString::fromLatin1(ThumbnailCache::uriFor(canonical(f.picture))),
                      mtimeOf(f.picture), QSize(600, 400));
    const LoadedPicture loaded = thumbnails.load(f.picture, cell200);
    thumbnails.waitForWrites();
    QCOMPARE(f.files.loads.load(), 1);
    QVERIFY(loaded.image.pixelColor(100, 66) != QColor(Qt::green));
    QCOMPARE(QDir(f.cache.root()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"large"});

    qputenv("LUMARINE_NO_THUMBNAIL_CACHE", "1");
    QVERIFY(!ThumbnailCache::fromEnvironment("lumarine-test").enabled());
    qunsetenv("LUMARINE_NO_THUMBNAIL_CACHE");
    qputenv("XDG_CACHE_HOME", QFile::encodeName(f.root.path()));
    const ThumbnailCache fromEnvironment = ThumbnailCache::fromEnvironment("lumarine-test");
    QVERIFY(fromEnvironment.enabled());
    QCOMPARE(fromEnvironment.root(), f.root.path() + "/thumbnails");
    qputenv("LUMARINE_NO_THUMBNAIL_CACHE", "1");
}

void TestThumbnailCache::embeddedThumbnailServesCellsItCovers_data()
{
    QTest::addColumn<QSize>("thumbnail");
    QTest::addColumn<QSize>("shown");
    QTest::addColumn<bool>("embeddedUsed");
    QTest::newRow("covers the cell") << QSize(160, 120) << QSize(120, 90) << true;
    QTest::newRow("smaller than the cell") << QSize(160, 120) << QSize(200, 150) << false;
    QTest::newRow("padded to other proportions") << QSize(160, 90) << QSize(120, 90) << false;
}

void TestThumbnailCache::embeddedThumbnailServesCellsItCovers()
{
    QFETCH(QSize, thumbnail);
    QFETCH(QSize, shown);
    QFETCH(bool, embeddedUsed);
    CacheFixture f;
    const QByteArray bytes = jpegWithExifThumbnail(QSize(1600, 1200), thumbnail);
    QCOMPARE(exifThumbnail(bytes).value_or(QImage()).size(), thumbnail);
    const QString path = f.pictures.filePath("camera.jpg");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const LoadedPicture loaded = f.thumbnails.load(path, [&](QSize) { return shown; });
    f.thumbnails.waitForWrites();
    QCOMPARE(loaded.ownSize, QSize(1600, 1200));
    QCOMPARE(loaded.image.size(), shown);
    QCOMPARE(f.files.loads.load(), embeddedUsed ? 0 : 1);
    const QColor centre = loaded.image.pixelColor(shown.width() / 2, shown.height() / 2);
    QCOMPARE(centre.green() > 200 && centre.red() < 60, embeddedUsed);
}

void TestThumbnailCache::specialFileInTheCacheIsPassedOver_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("place");
    // Opening a FIFO to read waits for a writer that never comes.
    QTest::newRow("FIFO as the entry") << "fifo"
                                       << "large";
    QTest::newRow("FIFO as the failure record") << "fifo"
                                                << "fail/lumarine-test";
    QTest::newRow("folder as the entry") << "folder"
                                         << "large";
}

void TestThumbnailCache::specialFileInTheCacheIsPassedOver()
{
    QFETCH(QString, kind);
    QFETCH(QString, place);
    CacheFixture f;
    const QString entry = f.entry(qPrintable(place));
    QVERIFY(QDir().mkpath(QFileInfo(entry).absolutePath()));
    if (!testsupport::makeSpecialFile(kind, entry))
        QSKIP("this machine cannot make that kind of file");
    const LoadedPicture loaded = f.thumbnails.load(f.picture, cell200);
    QCOMPARE(loaded.image.size(), QSize(200, 133));
    QCOMPARE(f.files.loads.load(), 1);
    f.thumbnails.waitForWrites();
    // Nor is the embedded thumbnail looked for in anything but a file.
    QVERIFY(!usableExifThumbnail(entry, QSize(600, 400), {}, QSize(20, 13)));
}

#include "tst_thumbnailcache.moc"

LUMARINE_REGISTER_TEST(TestThumbnailCache)
