#pragma once

#include "platform/picture.h"

#include <QFuture>
#include <QThreadPool>

#include <atomic>
#include <memory>
#include <optional>

namespace display {

// The outcome of one load, failures carried as their numbers so that a
// result can cross from a worker thread.
struct DecodedPicture {
    int error = 0; // 0 when loaded; -1 when the job was cancelled
    QString description;
    platform::LoadedPicture picture;
    // The file as it was when the load began.
    platform::FileStamp stamp;

    // Throws the load's failure as the platform layer would have.
    const platform::LoadedPicture& take() const;
};

DecodedPicture LoadNow(const platform::PictureLoader& loader, const QString& path,
                       const platform::ShownSizeFor& shownSizeFor);

// One load started on a worker; cancelling skips it if it has not begun.
struct PictureJob {
    QString path;
    platform::ShownSizeFor shownSizeFor; // the size it decodes at
    QFuture<DecodedPicture> future;
    std::shared_ptr<std::atomic<bool>> cancelled;

    bool isValid() const { return future.isValid(); }
    void cancel() const
    {
        if (cancelled)
            cancelled->store(true);
    }
};

// Waits for a job begun ahead of time and gives its picture when the decode
// succeeded at the size now asked for, and the path still names the file it
// decoded (device, inode, size, time); nothing when it failed, the screen
// changed or the file has changed since. Throws the numbered failure when
// the path can no longer be a picture file.
std::optional<platform::LoadedPicture> UnchangedResult(const PictureJob& job,
                                                       const platform::ShownSizeFor& asked);

// Decodes the pictures that will be needed next while the user looks at the
// current ones. Workers only read files; everything they produce is handed
// to the user-interface thread, which alone touches widgets and lists.
class PictureJobs {
public:
    explicit PictureJobs(const platform::PictureLoader& loader);
    ~PictureJobs();
    PictureJobs(const PictureJobs&) = delete;
    PictureJobs& operator=(const PictureJobs&) = delete;

    PictureJob start(const QString& path, platform::ShownSizeFor shownSizeFor)
    {
        return start(loader_, path, std::move(shownSizeFor));
    }
    // The loader must outlive this pool.
    PictureJob start(const platform::PictureLoader& loader, const QString& path,
                     platform::ShownSizeFor shownSizeFor);
    const platform::PictureLoader& loader() const { return loader_; }

private:
    const platform::PictureLoader& loader_;
    QThreadPool pool_;
};

} // namespace display
