#include "display/firstpicture.h"

namespace display {

FirstPictureLoader::FirstPictureLoader(const platform::PictureLoader& loader, const QString& path,
                                       platform::ShownSizeFor shownSizeFor)
    : loader_(loader), jobs_(loader)
{
    if (!path.isEmpty())
        first_ = jobs_.start(path, std::move(shownSizeFor));
}

platform::LoadedPicture FirstPictureLoader::load(const QString& path,
                                                 const platform::ShownSizeFor& shownSizeFor) const
{
    if (std::optional<platform::LoadedPicture> first = takeFirst(path, shownSizeFor))
        return *std::move(first);
    return loader_.load(path, shownSizeFor);
}

bool FirstPictureLoader::ready() const
{
    const QMutexLocker lock(&mutex_);
    return !first_.isValid() || first_.future.isFinished();
}

std::optional<platform::LoadedPicture>
FirstPictureLoader::takeFirst(const QString& path, const platform::ShownSizeFor& shownSizeFor) const
{
    PictureJob job;
    {
        const QMutexLocker lock(&mutex_);
        job = std::exchange(first_, {});
    }
    if (!job.isValid() || job.path != path) {
        job.cancel();
        return std::nullopt;
    }
    // A show on another screen, or at another size, decodes its own.
    return UnchangedResult(job, shownSizeFor);
}

} // namespace display
