#pragma once

#include "platform/picture.h"

#include <QImage>
#include <QString>
#include <QThreadPool>

#include <atomic>

#include <optional>

namespace platform {

// The desktop's shared thumbnail cache (freedesktop.org thumbnail managing
// standard): file managers and other viewers read what we write and the
// other way round. Entries are keyed by the MD5 of the picture's canonical
// file:// URI and trusted only while their URI and modification time match.
class ThumbnailCache {
public:
    // root is the "thumbnails" folder itself; a disabled cache finds and
    // writes nothing. software names the fail folder ("lumarine-1.0.50").
    ThumbnailCache(QString root, bool enabled, QString software);

    // $XDG_CACHE_HOME/thumbnails (~/.cache/thumbnails), off when
    // LUMARINE_NO_THUMBNAIL_CACHE is set.
    static ThumbnailCache fromEnvironment(const QString& software);

    bool enabled() const { return enabled_; }
    const QString& root() const { return root_; }

    // The standard's size folders, smallest first, with their longest side.
    struct Flavour {
        const char* folder;
        int size;
    };
    // The smallest folder whose thumbnails cover a side of that many device
    // pixels; the largest when none does.
    static Flavour flavourFor(int longestSide);

    static QByteArray uriFor(const QString& canonicalPath);
    static QString fileNameFor(const QString& canonicalPath);

    // What the cache knows about one file as it is now on disk.
    struct Key {
        QString canonicalPath;
        QByteArray uri;
        qint64 mtime = 0;
        qint64 size = 0;
    };
    // Empty when the file cannot be read, the cache is off, or the file lies
    // inside the cache (thumbnails of thumbnails are never made).
    std::optional<Key> keyFor(const QString& path) const;

    struct Entry {
        QImage image;
        QSize ownSize; // invalid when the writer did not record it
    };
    std::optional<Entry> find(const Key& key, const Flavour& flavour) const;
    bool isRecordedAsFailed(const Key& key) const;

    // Best effort: a cache that cannot be written leaves the picture shown
    // and the caller none the wiser. Returns whether the entry was stored.
    bool store(const Key& key, const Flavour& flavour, const QImage& thumbnail, QSize ownSize) const;
    bool recordFailure(const Key& key) const;
    // After a picture was deleted, renamed or moved away: its entries in
    // every size folder and every program's fail folder go, as the standard
    // asks, so that no program shows a thumbnail of a file that is gone.
    // Best effort; the path's folder must still exist.
    void forget(const QString& path) const;

private:
    std::optional<Entry> readEntry(const QString& file, const Key& key) const;
    bool writeEntry(const QString& folder, const Key& key, const QImage& image, QSize ownSize) const;

    QString root_;
    bool enabled_;
    QString software_;
};

// Thumbnails through the shared cache: a valid entry is scaled to the size
// shown; otherwise the picture is decoded within its size folder's bound,
// stored for the next time, and scaled. Safe to call from several threads.
class CachedThumbnailLoader final : public PictureLoader {
public:
    CachedThumbnailLoader(const PictureLoader& pictures, const ThumbnailCache& cache);
    ~CachedThumbnailLoader() override;
    CachedThumbnailLoader(const CachedThumbnailLoader&) = delete;
    CachedThumbnailLoader& operator=(const CachedThumbnailLoader&) = delete;

    LoadedPicture load(const QString& path, const ShownSizeFor& shownSizeFor) const override;
    // Entries are written behind the page, when the processor is otherwise
    // idle; this waits until all of them are on disk.
    void waitForWrites() const;

private:
    std::optional<LoadedPicture> fromExif(const QString& path, const ShownSizeFor& shownSizeFor,
                                          const std::optional<ThumbnailCache::Key>& key) const;
    std::optional<LoadedPicture> fromCache(const ThumbnailCache::Key& key,
                                           const ShownSizeFor& shownSizeFor) const;

    void storeLater(const ThumbnailCache::Key& key, const ThumbnailCache::Flavour& flavour,
                    const QImage& image, QSize ownSize) const;

    const PictureLoader& pictures_;
    const ThumbnailCache& cache_;
    mutable QThreadPool writer_;
    mutable std::atomic<int> pendingWrites_{0};
};

} // namespace platform
