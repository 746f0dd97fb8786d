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

QList<platform::DirEntry> FolderPrefetch::list(const QString& folder)
{
    std::unique_lock lock(mutex_);
    const auto queued = [&] { return std::find(waiting_.begin(), waiting_.end(), folder); };
    // A folder asked for ahead is waited for while a worker has it or can
    // take it up; the walk lists it itself only when the workers are full.
    finished_.wait(lock, [&] {
        const auto listing = listings_.constFind(folder);
        return listing == listings_.cend() ? listings_.size() >= MaxAhead || queued() == waiting_.end()
                                           : listing->done;
    });
    if (!listings_.contains(folder)) {
        if (const auto waiting = queued(); waiting != waiting_.end())
            waiting_.erase(waiting);
        lock.unlock();
        return fileSystem_.list(folder, filter_);
    }
    Listing listing = listings_.take(folder);
    lock.unlock();
    wake_.notify_all(); // room for another listing ahead
    return take(listing);
}

void FolderPrefetch::skip(const QString& folder)
{
    const std::lock_guard lock(mutex_);
    if (const auto waiting = std::find(waiting_.begin(), waiting_.end(), folder); waiting != waiting_.end())
        waiting_.erase(waiting);
    else if (const auto listing = listings_.find(folder); listing != listings_.end() && listing->done)
        listings_.erase(listing);
}

QList<platform::DirEntry> FolderPrefetch::take(Listing& listing)
{
    if (listing.failure)
        std::rethrow_exception(listing.failure);
    return std::move(listing.entries);
}

void FolderPrefetch::work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [&] { return ending_ || (!waiting_.empty() && listings_.size() < MaxAhead); });
        if (ending_)
            return;
        const QString folder = waiting_.front();
        waiting_.pop_front();
        if (listings_.contains(folder))
            continue; // the same path asked for twice: one listing serves
        listings_.insert(folder, {});
        lock.unlock();
        Listing made{true, {}, {}};
        try {
            made.entries = fileSystem_.list(folder, filter_);
        } catch (...) {
            made.failure = std::current_exception();
        }
        lock.lock();
        listings_[folder] = std::move(made);
        finished_.notify_all();
    }
}

} // namespace catalogue
