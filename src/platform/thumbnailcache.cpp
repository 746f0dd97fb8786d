#include "platform/thumbnailcache.h"

#include "platform/apperror.h"
#include "platform/exifthumbnail.h"
#include "platform/regularfile.h"
#include "platform/thumbnailpng.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QUrl>

#include <array>
#include <cerrno>
#include <climits>
#include <sys/stat.h>

namespace platform {

namespace {

constexpr std::array<ThumbnailCache::Flavour, 4> flavours{{
    {"normal", 128},
    {"large", 256},
    {"x-large", 512},
    {"xx-large", 1024},
}};

// The standard asks for folders only the user can enter; whatever of the
// path is missing is made that way.
bool makePrivateFolder(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return true;
    const QString parent = info.absolutePath();
    if (parent != path && !makePrivateFolder(parent))
        return false;
    return ::mkdir(QFile::encodeName(path).constData(), 0700) == 0 || errno == EEXIST;
}

int longestSide(QSize size)
{
    return qMax(size.width(), size.height());
}

QSize fitInside(QSize own, int side)
{
    if (longestSide(own) <= side)
        return own;
    return own.scaled(side, side, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

// The size to decode at: what the JPEG decoder gives at the smallest of its
// scales (1/8, 1/4, 1/2) that still covers the size shown, so that nothing
// is resampled on the way into the cache; within the size folder's bound.
QSize decodeSize(QSize own, QSize wanted, int folderSide)
{
    for (const int denominator : {8, 4, 2}) {
        const QSize reduced((own.width() + denominator - 1) / denominator,
                            (own.height() + denominator - 1) / denominator);
        if (longestSide(reduced) >= longestSide(wanted) && longestSide(reduced) <= folderSide)
            return reduced;
    }
    return fitInside(own, folderSide);
}

QImage scaledTo(const QImage& image, QSize wanted)
{
    if (!wanted.isValid() || wanted.isEmpty() || image.size() == wanted)
        return image;
    return image.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// A picture's size as shown, for entries whose writer left the dimensions out.
QSize headerSize(const QString& path)
{
    QFile file;
    if (!openRegularFile(file, path))
        return {};
    QImageReader reader(&file);
    const QSize stored = reader.size();
    return reader.transformation().testFlag(QImageIOHandler::TransformationRotate90) ? stored.transposed()
                                                                                     : stored;
}

} // namespace

ThumbnailCache::ThumbnailCache(QString root, bool enabled, QString software)
    : root_(QDir::cleanPath(QDir(root).absolutePath())), enabled_(enabled && !root.isEmpty()),
      software_(std::move(software))
{
}

ThumbnailCache ThumbnailCache::fromEnvironment(const QString& software)
{
    const QString cacheHome = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    return ThumbnailCache(cacheHome.isEmpty() ? QString() : cacheHome + QStringLiteral("/thumbnails"),
                          !qEnvironmentVariableIsSet("LUMARINE_NO_THUMBNAIL_CACHE"), software);
}

ThumbnailCache::Flavour ThumbnailCache::flavourFor(int side)
{
    for (const Flavour& flavour : flavours) {
        if (side <= flavour.size)
            return flavour;
    }
    return flavours.back();
}

QByteArray ThumbnailCache::uriFor(const QString& canonicalPath)
{
    return QUrl::fromLocalFile(canonicalPath).toEncoded(QUrl::FullyEncoded);
}

QString ThumbnailCache::fileNameFor(const QString& canonicalPath)
{
    const QByteArray digest = QCryptographicHash::hash(uriFor(canonicalPath), QCryptographicHash::Md5);
    return QString::fromLatin1(digest.toHex()) + QStringLiteral(".png");
}

std::optional<ThumbnailCache::Key> ThumbnailCache::keyFor(const QString& path) const
{
    if (!enabled_)
        return std::nullopt;
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty())
        return std::nullopt;
    const QString canonicalRoot = QFileInfo(root_).canonicalFilePath();
    for (const QString& root : {root_, canonicalRoot}) {
        if (!root.isEmpty() && canonical.startsWith(root + QLatin1Char('/')))
            return std::nullopt;
    }
    struct stat info {};
    if (::stat(QFile::encodeName(canonical).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return Key{canonical, uriFor(canonical), qint64(info.st_mtime), qint64(info.st_size)};
}

std::optional<ThumbnailCache::Entry> ThumbnailCache::find(const Key& key, const Flavour& flavour) const
{
    return readEntry(root_ + QLatin1Char('/') + QLatin1String(flavour.folder) + QLatin1Char('/') +
                         fileNameFor(key.canonicalPath),
                     key);
}

bool ThumbnailCache::isRecordedAsFailed(const Key& key) const
{
    return readEntry(root_ + QStringLiteral("/fail/") + software_ + QLatin1Char('/') +
                         fileNameFor(key.canonicalPath),
                     key)
        .has_value();
}

std::optional<ThumbnailCache::Entry> ThumbnailCache::readEntry(const QString& file, const Key& key) const
{
    if (!enabled_)
        return std::nullopt;
    // Qt's reader cannot give keys holding "::" before it decodes; the
    // entries are small enough for that not to matter.
    QFile device;
    if (!openRegularFile(device, file))
        return std::nullopt;
    QImageReader reader(&device, "png");
    Entry entry{reader.read(), QSize()};
    if (entry.image.isNull() || entry.image.text(QStringLiteral("Thumb::URI")).toUtf8() != key.uri ||
        entry.image.text(QStringLiteral("Thumb::MTime")) != QString::number(key.mtime))
        return std::nullopt;
    entry.ownSize = QSize(entry.image.text(QStringLiteral("Thumb::Image::Width")).toInt(),
                          entry.image.text(QStringLiteral("Thumb::Image::Height")).toInt());
    return entry;
}

bool ThumbnailCache::store(const Key& key, const Flavour& flavour, const QImage& thumbnail,
                           QSize ownSize) const
{
    return writeEntry(root_ + QLatin1Char('/') + QLatin1String(flavour.folder), key, thumbnail, ownSize);
}

bool ThumbnailCache::recordFailure(const Key& key) const
{
    QImage mark(1, 1, QImage::Format_ARGB32);
    mark.fill(Qt::transparent);
    return writeEntry(root_ + QStringLiteral("/fail/") + software_, key, mark, QSize());
}

void ThumbnailCache::forget(const QString& path) const
{
    if (!enabled_)
        return;
    const QFileInfo info(path);
    // The file itself is gone: its folder gives the canonical path it had.
    const QString folder = info.absoluteDir().canonicalPath();
    if (folder.isEmpty())
        return;
    const QString name = fileNameFor(QDir(folder).filePath(info.fileName()));
    const QDir root(root_);
    for (const Flavour& flavour : flavours)
        QFile::remove(root.filePath(QLatin1String(flavour.folder) + QLatin1Char('/') + name));
    const QDir fail(root.filePath(QStringLiteral("fail")));
    for (const QString& program : fail.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden))
        QFile::remove(fail.filePath(program + QLatin1Char('/') + name));
}

bool ThumbnailCache::writeEntry(const QString& folder, const Key& key, const QImage& image,
                                QSize ownSize) const
{
    if (!enabled_ || image.isNull() || !makePrivateFolder(folder))
        return false;
    const QString target = folder + QLatin1Char('/') + fileNameFor(key.canonicalPath);
    // Written aside and renamed into place, so that a reader never sees half
    // an entry; QTemporaryFile makes it readable by the user alone.
    QTemporaryFile temporary(target + QStringLiteral(".XXXXXX"));
    if (!temporary.open())
        return false;
    PngTexts texts{{QStringLiteral("Thumb::URI"), QString::fromUtf8(key.uri)},
                   {QStringLiteral("Thumb::MTime"), QString::number(key.mtime)},
                   {QStringLiteral("Thumb::Size"), QString::number(key.size)}};
    if (ownSize.isValid()) {
        texts.append({QStringLiteral("Thumb::Image::Width"), QString::number(ownSize.width())});
        texts.append({QStringLiteral("Thumb::Image::Height"), QString::number(ownSize.height())});
    }
    texts.append({QStringLiteral("Software"), software_});
    const QByteArray png = uncompressedPng(image, texts);
    if (png.isEmpty() || temporary.write(png) != png.size() || !temporary.flush())
        return false;
    if (::rename(QFile::encodeName(temporary.fileName()).constData(),
                 QFile::encodeName(target).constData()) != 0)
        return false;
    temporary.setAutoRemove(false);
    return true;
}

CachedThumbnailLoader::CachedThumbnailLoader(const PictureLoader& pictures, const ThumbnailCache& cache)
    : pictures_(pictures), cache_(cache)
{
    // Encoding a PNG costs as much as a third of the decode: it waits until
    // the page and the one prepared after it no longer need the processor.
    writer_.setMaxThreadCount(1);
    writer_.setThreadPriority(QThread::IdlePriority);
}

CachedThumbnailLoader::~CachedThumbnailLoader()
{
    writer_.waitForDone();
}

void CachedThumbnailLoader::waitForWrites() const
{
    writer_.waitForDone();
}

void CachedThumbnailLoader::storeLater(const ThumbnailCache::Key& key, const ThumbnailCache::Flavour& flavour,
                                       const QImage& image, QSize ownSize) const
{
    // Held images are bounded: beyond a few pages' worth the decoding thread
    // writes its entry itself.
    constexpr int mostPending = 64;
    if (pendingWrites_.fetch_add(1) >= mostPending) {
        cache_.store(key, flavour, image, ownSize);
        --pendingWrites_;
        return;
    }
    writer_.start([this, key, flavour, image, ownSize] {
        cache_.store(key, flavour, image, ownSize);
        --pendingWrites_;
    });
}

std::optional<LoadedPicture> CachedThumbnailLoader::fromCache(const ThumbnailCache::Key& key,
                                                              const ShownSizeFor& shownSizeFor) const
{
    for (const ThumbnailCache::Flavour& flavour : flavours) {
        std::optional<ThumbnailCache::Entry> entry = cache_.find(key, flavour);
        if (!entry)
            continue;
        const QSize own = entry->ownSize.isValid() && !entry->ownSize.isEmpty()
                              ? entry->ownSize
                              : headerSize(key.canonicalPath);
        if (!own.isValid() || own.isEmpty())
            continue;
        const QSize wanted = shownSizeFor ? shownSizeFor(own) : own;
        // An entry as large as the picture itself covers any size shown.
        if (longestSide(entry->image.size()) < longestSide(wanted.boundedTo(own)) &&
            entry->image.size() != own)
            continue;
        // Thumbnails of JPEGs are opaque and shown on black: without the
        // alpha channel scaling and drawing them cost less.
        entry->image.convertTo(QImage::Format_RGB32);
        return LoadedPicture{own, scaledTo(entry->image, wanted.boundedTo(own))};
    }
    return std::nullopt;
}

std::optional<LoadedPicture>
CachedThumbnailLoader::fromExif(const QString& path, const ShownSizeFor& shownSizeFor,
                                const std::optional<ThumbnailCache::Key>& key) const
{
    // Opened by a descriptor whose type is checked: a FIFO put in the
    // picture's place would hold the worker, and the program at its end.
    // Whatever is wrong with the file, the decode after this says so.
    QFile file;
    if (!openRegularFile(file, path))
        return std::nullopt;
    QImageReader reader(&file);
    const QSize stored = reader.size();
    if (!stored.isValid() || stored.isEmpty())
        return std::nullopt;
    const QImageIOHandler::Transformations transformation = reader.transformation();
    const QSize own =
        transformation.testFlag(QImageIOHandler::TransformationRotate90) ? stored.transposed() : stored;
    const QSize wanted = shownSizeFor ? shownSizeFor(own) : own;
    std::optional<QImage> embedded = usableExifThumbnail(path, own, transformation, wanted.boundedTo(own));
    if (!embedded)
        return std::nullopt;
    const ThumbnailCache::Flavour flavour = ThumbnailCache::flavourFor(longestSide(wanted));
    // Shared only when it is as large as its size folder asks.
    if (key && longestSide(embedded->size()) >= flavour.size)
        storeLater(*key, flavour, scaledTo(*embedded, fitInside(embedded->size(), flavour.size)), own);
    return LoadedPicture{own, scaledTo(*embedded, wanted.boundedTo(own))};
}

LoadedPicture CachedThumbnailLoader::load(const QString& path, const ShownSizeFor& shownSizeFor) const
{
    const std::optional<ThumbnailCache::Key> key = cache_.keyFor(path);
    if (key && cache_.isRecordedAsFailed(*key))
        throwError(err::InvalidPicture);
    if (key) {
        if (std::optional<LoadedPicture> cached = fromCache(*key, shownSizeFor))
            return std::move(*cached);
    }
    if (std::optional<LoadedPicture> embedded = fromExif(path, shownSizeFor, key))
        return std::move(*embedded);
    if (!key)
        return pictures_.load(path, shownSizeFor);

    QSize wanted;
    std::optional<ThumbnailCache::Flavour> flavour;
    LoadedPicture decoded;
    try {
        decoded = pictures_.load(path, [&](QSize own) {
            wanted = shownSizeFor ? shownSizeFor(own) : own;
            // Beyond the largest folder there is nothing to share.
            if (longestSide(wanted) > ThumbnailCache::flavourFor(INT_MAX).size)
                return wanted;
            flavour = ThumbnailCache::flavourFor(longestSide(wanted));
            return decodeSize(own, wanted, flavour->size);
        });
    } catch (const AppError& error) {
        if (error.number() == err::InvalidPicture)
            cache_.recordFailure(*key);
        throw;
    }
    if (flavour)
        storeLater(*key, *flavour, decoded.image, decoded.ownSize);
    decoded.image = scaledTo(decoded.image, wanted.boundedTo(decoded.ownSize));
    return decoded;
}

} // namespace platform
