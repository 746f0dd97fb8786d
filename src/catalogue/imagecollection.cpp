#include "catalogue/imagecollection.h"

#include "platform/apperror.h"

namespace catalogue {

namespace {

constexpr qsizetype ProbeIndex = -1;

size_t caseInsensitiveHash(const QString& text)
{
    // Folding each character keeps the hash equal for keys that compare
    // equal without regard to case, without building a folded copy.
    size_t hash = 1469598103934665603ull;
    for (QChar c : text) {
        hash ^= c.toCaseFolded().unicode();
        hash *= 1099511628211ull;
    }
    return hash;
}

} // namespace

size_t ImageCollection::KeyHash::operator()(qsizetype index) const
{
    return caseInsensitiveHash(index == ProbeIndex ? owner->probe_ : owner->items_[size_t(index)]);
}

bool ImageCollection::KeyEqual::operator()(qsizetype a, qsizetype b) const
{
    const QString& left = a == ProbeIndex ? owner->probe_ : owner->items_[size_t(a)];
    const QString& right = b == ProbeIndex ? owner->probe_ : owner->items_[size_t(b)];
    return left.compare(right, Qt::CaseInsensitive) == 0;
}

ImageCollection::ImageCollection() : index_(0, KeyHash{this}, KeyEqual{this}) {}

ImageCollection::ImageCollection(const ImageCollection& other)
    : items_(other.items_), index_(0, KeyHash{this}, KeyEqual{this})
{
    rebuildIndex();
}

ImageCollection& ImageCollection::operator=(const ImageCollection& other)
{
    if (this != &other) {
        items_ = other.items_;
        rebuildIndex();
    }
    return *this;
}

qsizetype ImageCollection::findIndex(const QString& key) const
{
    probe_ = key;
    const auto found = index_.find(ProbeIndex);
    probe_.clear();
    return found == index_.end() ? ProbeIndex : *found;
}

void ImageCollection::rebuildIndex()
{
    index_.clear();
    index_.reserve(items_.size());
    for (qsizetype i = 0; i < Count(); ++i)
        index_.insert(i);
}

void ImageCollection::Add(const QString& path)
{
    if (findIndex(path) != ProbeIndex)
        platform::throwError(platform::err::DuplicateKey);
    items_.push_back(path);
    index_.insert(Count() - 1);
}

const QString& ImageCollection::Item(qsizetype position) const
{
    if (position < 1 || position > Count())
        platform::throwError(platform::err::InvalidCall);
    return items_[size_t(position - 1)];
}

const QString& ImageCollection::Item(const QString& key) const
{
    const qsizetype index = findIndex(key);
    if (index == ProbeIndex)
        platform::throwError(platform::err::InvalidCall);
    return items_[size_t(index)];
}

bool ImageCollection::Contains(const QString& key) const
{
    return findIndex(key) != ProbeIndex;
}

qsizetype ImageCollection::PositionOf(const QString& key) const
{
    return findIndex(key) + 1;
}

void ImageCollection::Remove(const QString& key)
{
    const qsizetype index = findIndex(key);
    if (index == ProbeIndex)
        platform::throwError(platform::err::InvalidCall);
    Remove(index + 1);
}

void ImageCollection::Remove(qsizetype position)
{
    if (position < 1 || position > Count())
        platform::throwError(platform::err::InvalidCall);
    // Positions after the removed one shift down, so the index is rebuilt;
    // removals are single user commands, not loops.
    items_.erase(items_.begin() + (position - 1));
    rebuildIndex();
}

void ImageCollection::Clear()
{
    index_.clear();
    items_.clear();
}

} // namespace catalogue
