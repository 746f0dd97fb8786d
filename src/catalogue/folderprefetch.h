#pragma once

#include "catalogue/pathkey.h"
#include "platform/filesystem.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace catalogue {

// A folder's listing as a search uses it: the names of its sub-folders, and
// its images' whole paths with their keys, made on the thread that listed it
// so that the walk only adds them.
struct FolderListing {
    QStringList folders;
    QString text;                // the images' paths, end to end
    std::vector<PathKey> images; // each a view of text
};

// Lists folders on worker threads ahead of a search that walks the tree in
// order on its own thread, so that the walk finds most listings made, the
// file system's waits overlap and the listing's work is shared out over the
// processors. Only listings are made ahead: the walk still decides which
// folders it enters, and in which order, as it would alone.
class FolderPrefetch {
public:
    FolderPrefetch(platform::FileSystem& fileSystem, platform::ListFilter filter, int workers);
    ~FolderPrefetch();
    FolderPrefetch(const FolderPrefetch&) = delete;
    FolderPrefetch& operator=(const FolderPrefetch&) = delete;

    // Folders are named with a separator at the end, as their images' paths
    // begin.
    //
    // Asks for these folders to be listed, the first soonest and all of them
    // before any folder asked for earlier: the order a depth-first walk needs
    // them in.
    void ahead(const QStringList& folders);
    // The folder's listing: the one made ahead, waited for if a worker is
    // making it (the caller lists other folders meanwhile), or made now on
    // the caller's thread. Fails as FileSystem::list does.
    FolderListing list(const QString& folder);
    // The walk will not enter the folder: its listing is not needed.
    void skip(const QString& folder);

private:
    struct Listing {
        bool done = false;
        FolderListing made;
        std::exception_ptr failure;
    };

    void work();
    bool listNextWaiting(std::unique_lock<std::mutex>& lock);
    FolderListing make(const QString& folder) const;
    static FolderListing take(Listing& listing);

    platform::FileSystem& fileSystem_;
    const platform::ListFilter filter_;
    std::mutex mutex_;
    std::condition_variable wake_;     // a folder to list, or the end
    std::condition_variable finished_; // a listing made
    std::deque<QString> waiting_;
    QHash<QString, Listing> listings_; // started or made, not yet taken
    bool ending_ = false;
    std::vector<std::thread> workers_;
};

} // namespace catalogue
