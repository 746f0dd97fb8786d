#include "display/thumbpager.h"

#include "catalogue/imagecollection.h"
#include "display/thumbbox.h"
#include "platform/apperror.h"
#include "platform/twips.h"

#include <algorithm>

namespace display {

ThumbPager::~ThumbPager()
{
    clearAll();
}

void ThumbPager::layOut(QSizeF screen, const QString& thumbSize, qreal devicePixelRatio)
{
    grid_ = TNLayout(screen, thumbSize);
    ratio_ = devicePixelRatio;
}

platform::ShownSizeFor ThumbPager::sizeFor() const
{
    return [width = grid_.cellWidth, height = grid_.cellHeight, ratio = ratio_](QSize own) {
        return DevicePixels(FitThumbnail(twips::fromPixels(QSizeF(own)), width, height), ratio);
    };
}

int ThumbPager::begin(const catalogue::ImageCollection* list, qint32 first)
{
    clear();
    mintSelected = 0;
    // Thumbnails prepared for this cell are taken over; the rest are for a
    // page that will not be shown now.
    QVector<PictureJob> prepared = std::exchange(prepared_, {});
    if (preparedCell_ != cell())
        cancel(prepared);
    pageJobs_ = startJobs(list, first, std::move(prepared));
    return page_;
}

QVector<PictureJob> ThumbPager::startJobs(const catalogue::ImageCollection* list, qint32 first,
                                          QVector<PictureJob> reusable)
{
    QVector<PictureJob> started;
    for (qint32 position = first;
         list && position >= 1 && position <= list->Count() && position < first + mintPageSize();
         ++position) {
        const QString path = list->Item(position);
        const auto found = std::find_if(reusable.begin(), reusable.end(),
                                        [&](const PictureJob& job) { return job.path == path; });
        if (found != reusable.end()) {
            started.append(std::move(*found));
            reusable.erase(found);
        } else {
            started.append(jobs_.start(thumbnails_, path, sizeFor()));
        }
    }
    cancel(reusable);
    return started;
}

platform::LoadedPicture ThumbPager::take(qint32 position, const QString& path)
{
    platform::LoadedPicture picture = decode(int(entries_.size()), path);
    entries_.append({position, path});
    return picture;
}

platform::LoadedPicture ThumbPager::decode(int slot, const QString& path) const
{
    try {
        // The list may have changed during a yield; a job for another path
        // is of no use then.
        if (slot < pageJobs_.size() && pageJobs_[slot].path == path) {
            const DecodedPicture decoded = pageJobs_[slot].future.result();
            if (decoded.error != -1)
                return decoded.take();
        }
        return LoadNow(thumbnails_, path, sizeFor()).take();
    } catch (const platform::AppError& error) {
        if (error.number() != platform::err::InvalidPicture && error.number() != platform::err::FileNotFound)
            throw;
    }
    const QSizeF cellTwips(grid_.cellWidth, grid_.cellHeight);
    const QSizeF logical = twips::toPixels(cellTwips);
    return {QSize(qMax(1, qRound(logical.width())), qMax(1, qRound(logical.height()))),
            UnreadableThumbnail(DevicePixels(cellTwips, ratio_))};
}

void ThumbPager::finish(const catalogue::ImageCollection* list, qint32 next)
{
    stopDecoding();
    if (entries_.size() != mintPageSize() || mbolAbort)
        return;
    // Next then shows the page from memory.
    prepare(list, next);
}

void ThumbPager::prepare(const catalogue::ImageCollection* list, qint32 first)
{
    cancel(prepared_);
    preparedCell_ = cell();
    prepared_ = startJobs(list, first, {});
}

void ThumbPager::clear()
{
    ++page_;
    stopDecoding();
    entries_.clear();
}

void ThumbPager::clearAll()
{
    clear();
    cancel(prepared_);
}

void ThumbPager::cancel(QVector<PictureJob>& jobs)
{
    for (const PictureJob& job : jobs)
        job.cancel();
    jobs.clear();
}

void ThumbPager::select(int slot)
{
    if (slot >= 0 && slot < entries_.size())
        mintSelected = entries_[slot].position;
}

void ThumbPager::rename(int slot, const QString& path)
{
    if (slot >= 0 && slot < entries_.size())
        entries_[slot].path = path;
}

void ThumbPager::markDeleted(int slot)
{
    rename(slot, QString());
}

} // namespace display
