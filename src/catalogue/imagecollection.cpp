#include "catalogue/imagecollection.h"

#include "platform/apperror.h"

namespace catalogue {

ImageCollection::ImageCollection() = default;

ImageCollection::Batch::Batch(ImageCollection& list) : list_(list)
{
    ++list_.batches_;
}

ImageCollection::Batch::~Batch()
{
    if (--list_.batches_ > 0 || list_.Count() == list_.told_)
        return;
    if (list_.observer_)
        list_.observer_->aboutToInsert(list_.told_ + 1, list_.Count());
    list_.told_ = list_.Count();
    if (list_.observer_)
        list_.observer_->inserted();
}

void ImageCollection::setObserver(CollectionObserver* observer)
{
    observer_ = observer;
    told_ = Count();
}

ImageCollection::ImageCollection(const ImageCollection& other) : items_(other.items_), index_(other.index_) {}

ImageCollection& ImageCollection::operator=(const ImageCollection& other)
{
    if (this != &other) {
        if (observer_)
            observer_->aboutToReset();
        items_ = other.items_;
        index_ = other.index_;
        told_ = Count();
        if (observer_)
            observer_->reset();
    }
    return *this;
}

void ImageCollection::Add(const QString& path)
{
    if (!AddIfAbsent(path))
        platform::throwError(platform::err::DuplicateKey);
}

bool ImageCollection::AddIfAbsent(const QString& path)
{
    return AddIfAbsent(PathKey{path});
}

bool ImageCollection::AddIfAbsent(const PathKey& key)
{
    const bool tell = observer_ && batches_ == 0;
    if (tell) {
        // A view hears of a path before the list holds it.
        if (index_.find(key, items_) >= 0)
            return false;
        observer_->aboutToInsert(Count() + 1, Count() + 1);
    }
    if (!index_.insert(key, Count(), items_))
        return false;
    items_.append(key.path);
    if (batches_ == 0)
        told_ = Count();
    if (tell)
        observer_->inserted();
    return true;
}

QString ImageCollection::Item(qsizetype position) const
{
    if (position < 1 || position > Count())
        platform::throwError(platform::err::InvalidCall);
    return items_.at(position - 1);
}

QString ImageCollection::Item(const QString& key) const
{
    return Item(PositionOf(key));
}

bool ImageCollection::Contains(const QString& key) const
{
    return index_.find(PathKey{key}, items_) >= 0;
}

qsizetype ImageCollection::PositionOf(const QString& key) const
{
    return index_.find(PathKey{key}, items_) + 1;
}

void ImageCollection::Remove(const QString& key)
{
    Remove(PositionOf(key));
}

void ImageCollection::Remove(qsizetype position)
{
    if (position < 1 || position > Count())
        platform::throwError(platform::err::InvalidCall);
    // Positions after the removed one shift down, in the index too;
    // removals are single user commands, not loops.
    const qsizetype removed = position - 1;
    // A path of a batch not yet told of leaves as silently as it came.
    const bool tell = observer_ && position <= told_;
    if (tell)
        observer_->aboutToRemove(position, position);
    index_.remove(PathKey{items_.view(removed)}, removed);
    items_.erase(removed);
    if (position <= told_)
        --told_;
    if (tell)
        observer_->removed();
}

void ImageCollection::reserve(qsizetype more)
{
    items_.reserve(Count() + more);
    index_.reserve(Count() + more);
}

void ImageCollection::Clear()
{
    if (observer_)
        observer_->aboutToReset();
    index_.clear();
    items_.clear();
    told_ = 0;
    if (observer_)
        observer_->reset();
}

} // namespace catalogue
