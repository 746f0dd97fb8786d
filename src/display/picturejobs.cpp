#include "display/picturejobs.h"

#include "platform/apperror.h"

#include <QtConcurrent/QtConcurrentRun>

namespace display {

const platform::LoadedPicture& DecodedPicture::take() const
{
    if (error != 0)
        throw platform::AppError(error, description);
    return picture;
}

DecodedPicture LoadNow(const platform::PictureLoader& loader, const QString& path,
                       const platform::ShownSizeFor& shownSizeFor)
{
    DecodedPicture result;
    result.stamp = platform::stampOf(path);
    try {
        result.picture = loader.load(path, shownSizeFor);
    } catch (const platform::AppError& error) {
        result.error = error.number();
        result.description = error.description();
    }
    return result;
}

std::optional<platform::LoadedPicture> UnchangedResult(const PictureJob& job,
                                                       const platform::ShownSizeFor& asked)
{
    // The file is looked at again: it may have gone, or been replaced, since
    // its decode began.
    const platform::FileStamp now = platform::checkPictureFile(job.path);
    const DecodedPicture decoded = job.future.result();
    if (decoded.error != 0 || decoded.stamp != now)
        return std::nullopt;
    const QSize own = decoded.picture.ownSize;
    const auto shownAt = [own](const platform::ShownSizeFor& sizeFor) {
        return sizeFor ? sizeFor(own) : own;
    };
    if (shownAt(asked) != shownAt(job.shownSizeFor))
        return std::nullopt;
    return decoded.picture;
}

PictureJobs::PictureJobs(const platform::PictureLoader& loader) : loader_(loader)
{
    // Both cores of a small machine: a page of thumbnails decodes two at a
    // time while the first ones are already shown.
    pool_.setMaxThreadCount(qMax(2, QThread::idealThreadCount()));
}

PictureJobs::~PictureJobs()
{
    // Queued jobs may hold results nobody waits for, but not a dangling loader.
    pool_.waitForDone();
}

PictureJob PictureJobs::start(const platform::PictureLoader& loader, const QString& path,
                              platform::ShownSizeFor shownSizeFor)
{
    PictureJob job;
    job.path = path;
    job.shownSizeFor = shownSizeFor;
    job.cancelled = std::make_shared<std::atomic<bool>>(false);
    job.future = QtConcurrent::run(
        &pool_, [&loader, path, shownSizeFor = std::move(shownSizeFor), cancelled = job.cancelled]() {
            if (cancelled->load()) {
                DecodedPicture skipped;
                skipped.error = -1;
                return skipped;
            }
            return LoadNow(loader, path, shownSizeFor);
        });
    return job;
}

} // namespace display
