#include "catalogue/folderprefetch.h"

#include <algorithm>

namespace catalogue {

namespace {
// Listings made ahead and not yet taken: enough to keep the workers ahead of
// the walk, few enough that folders the walk never enters (reached before
// through a link) cost little memory.
constexpr qsizetype MaxAhead = 256;
} // namespace

FolderPrefetch::FolderPrefetch(platform::FileSystem& fileSystem, platform::ListFilter filter, int workers)
    : fileSystem_(fileSystem), filter_(filter)
{
    for (int i = 0; i < workers; ++i)
        workers_.emplace_back([this] { work(); });
}

FolderPrefetch::~FolderPrefetch()
{
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
    }
    wake_.notify_all();
    for (std::thread& worker : workers_)
        worker.join();
}

void FolderPrefetch::ahead(const QStringList& folders)
{
    if (workers_.empty() || folders.isEmpty())
        return;
    {
        const std::lock_guard lock(mutex_);
        waiting_.insert(waiting_.begin(), folders.cbegin(), folders.cend());
    }
    wake_.notify_all();
}

FolderListing FolderPrefetch::list(const QString& folder)
{
    std::unique_lock lock(mutex_);
    for (;;) {
        const auto found = listings_.find(folder);
        if (found == listings_.end()) {
            // No worker has taken it up: the walk lists it now rather than
            // wait for one to wake.
            if (const auto waiting = std::find(waiting_.begin(), waiting_.end(), folder);
                waiting != waiting_.end())
                waiting_.erase(waiting);
            lock.unlock();
            return make(folder);
        }
        if (found->done) {
            Listing listing = std::move(*found);
            listings_.erase(found);
            lock.unlock();
            wake_.notify_one(); // room for another listing ahead
            return take(listing);
        }
        // A worker is making it: meanwhile the walk lists the next folder
        // waiting, and sleeps only when there is none.
        if (!listNextWaiting(lock))
            finished_.wait(lock);
    }
}

void FolderPrefetch::skip(const QString& folder)
{
    const std::lock_guard lock(mutex_);
    if (const auto waiting = std::find(waiting_.begin(), waiting_.end(), folder); waiting != waiting_.end())
        waiting_.erase(waiting);
    else if (const auto listing = listings_.find(folder); listing != listings_.end() && listing->done)
        listings_.erase(listing);
}

FolderListing FolderPrefetch::take(Listing& listing)
{
    if (listing.failure)
        std::rethrow_exception(listing.failure);
    return std::move(listing.made);
}

void FolderPrefetch::work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [&] { return ending_ || (!waiting_.empty() && listings_.size() < MaxAhead); });
        if (ending_)
            return;
        listNextWaiting(lock);
    }
}

// Called and left with the lock held; false when there was nothing to list.
bool FolderPrefetch::listNextWaiting(std::unique_lock<std::mutex>& lock)
{
    if (waiting_.empty() || listings_.size() >= MaxAhead)
        return false;
    const QString folder = waiting_.front();
    waiting_.pop_front();
    if (listings_.contains(folder))
        return true; // the same path asked for twice: one listing serves
    listings_.insert(folder, {});
    lock.unlock();
    Listing listing{true, {}, {}};
    try {
        listing.made = make(folder);
    } catch (...) {
        listing.failure = std::current_exception();
    }
    lock.lock();
    listings_[folder] = std::move(listing);
    finished_.notify_one();
    return true;
}

FolderListing FolderPrefetch::make(const QString& folder) const
{
    const QList<platform::DirEntry> entries = fileSystem_.list(folder, filter_);
    FolderListing listing;
    qsizetype length = 0;
    for (const platform::DirEntry& entry : entries) {
        if (entry.isFolder)
            listing.folders << entry.name;
        else
            length += folder.size() + entry.name.size();
    }
    // Room for every path at once: the keys view the text as it is written.
    listing.text.reserve(length);
    listing.images.reserve(size_t(entries.size() - listing.folders.size()));
    PathHasher folderHash;
    folderHash.add(folder);
    for (const platform::DirEntry& entry : entries) {
        if (entry.isFolder)
            continue;
        const qsizetype start = listing.text.size();
        listing.text.append(folder).append(entry.name);
        PathHasher hasher = folderHash;
        hasher.add(entry.name);
        listing.images.emplace_back(QStringView(listing.text).sliced(start), hasher.value());
    }
    return listing;
}

} // namespace catalogue
