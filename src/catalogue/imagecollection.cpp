#include "catalogue/imagecollection.h"

#include "platform/apperror.h"

namespace catalogue {

bool ImageCollection::Key::operator==(const Key& other) const
{
    // Keys of different hashes differ: most comparisons end at once.
    return hash == other.hash && path.compare(other.path, Qt::CaseInsensitive) == 0;
}

// Folds whole characters, as the comparison does: a letter outside the Basic
// Multilingual Plane is two UTF-16 units that fold only together.
ImageCollection::Key::Key(QStringView text) : path(text), hash(1469598103934665603ull) // FNV-1a
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (c < 0x80) {
            // Paths are mostly ASCII, whose folding needs no table.
            if (c >= U'A' && c <= U'Z')
                c += 32;
        } else {
            if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                c = QChar::surrogateToUcs4(char16_t(c), text[++i].unicode());
            c = QChar::toCaseFolded(c);
        }
        hash = (hash ^ c) * 1099511628211ull;
    }
}

size_t qHash(const ImageCollection::Key& key, size_t seed) noexcept
{
    return key.hash ^ seed;
}

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
    Key key{path};
    if (index_.contains(key))
        return false;
    const bool tell = observer_ && batches_ == 0;
    if (tell)
        observer_->aboutToInsert(Count() + 1, Count() + 1);
    // The index's key views the stored copy, which lives as long as the list.
    const qsizetype position = Count();
    key.path = items_.append(path);
    index_.insert(key, position);
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
    return index_.contains(Key{key});
}

qsizetype ImageCollection::PositionOf(const QString& key) const
{
    return index_.value(Key{key}, -1) + 1;
}

void ImageCollection::Remove(const QString& key)
{
    Remove(PositionOf(key));
}

void ImageCollection::Remove(qsizetype position)
{
    if (position < 1 || position > Count())
        platform::throwError(platform::err::InvalidCall);
    // Positions after the removed one shift down, so the index is rebuilt;
    // removals are single user commands, not loops.
    const qsizetype removed = position - 1;
    // A path of a batch not yet told of leaves as silently as it came.
    const bool tell = observer_ && position <= told_;
    if (tell)
        observer_->aboutToRemove(position, position);
    index_.remove(Key{items_.view(removed)});
    items_.erase(removed);
    for (qsizetype& index : index_)
        if (index > removed)
            --index;
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
