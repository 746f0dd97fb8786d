#include "catalogue/imagecollection.h"

#include "platform/apperror.h"

#include <algorithm>
#include <utility>

namespace catalogue {

namespace {

// What findIndex gives for a key that is missing.
constexpr qsizetype Missing = -1;

size_t caseInsensitiveHash(const QString& text)
{
    // Folding each character keeps the hash equal for keys that compare
    // equal without regard to case, without building a folded copy.
    size_t hash = 1469598103934665603ull;
    for (QChar c : text) {
        char16_t folded = c.unicode();
        // Paths are mostly ASCII, whose folding needs no table.
        if (folded < 0x80)
            folded = folded >= u'A' && folded <= u'Z' ? char16_t(folded + 32) : folded;
        else
            folded = c.toCaseFolded().unicode();
        hash ^= folded;
        hash *= 1099511628211ull;
    }
    return hash;
}

} // namespace

ImageCollection::ImageCollection() = default;

ImageCollection::ImageCollection(const ImageCollection& other) : items_(other.items_)
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

size_t ImageCollection::findSlot(const QString& key, size_t hash) const
{
    const size_t mask = slots_.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const Slot& s = slots_[slot];
        if (s.index < 0 || (s.hash == hash && items_[size_t(s.index)].compare(key, Qt::CaseInsensitive) == 0))
            return slot;
    }
}

qsizetype ImageCollection::findIndex(const QString& key) const
{
    if (slots_.empty())
        return Missing;
    return slots_[findSlot(key, caseInsensitiveHash(key))].index;
}

void ImageCollection::insertSlot(size_t hash, qsizetype index)
{
    const size_t mask = slots_.size() - 1;
    size_t slot = hash & mask;
    while (slots_[slot].index >= 0)
        slot = (slot + 1) & mask;
    slots_[slot] = {hash, index};
}

void ImageCollection::growIfFull()
{
    // At most half full, so that runs of taken slots stay short.
    if (size_t(Count()) * 2 < slots_.size())
        return;
    const std::vector<Slot> old =
        std::exchange(slots_, std::vector<Slot>(std::max<size_t>(16, slots_.size() * 2)));
    for (const Slot& slot : old)
        if (slot.index >= 0)
            insertSlot(slot.hash, slot.index);
}

void ImageCollection::rebuildIndex()
{
    size_t capacity = 16;
    while (capacity <= items_.size() * 2)
        capacity *= 2;
    slots_.assign(items_.empty() ? 0 : capacity, Slot{});
    for (qsizetype i = 0; i < Count(); ++i)
        insertSlot(caseInsensitiveHash(items_[size_t(i)]), i);
}

void ImageCollection::Add(const QString& path)
{
    if (!AddIfAbsent(path))
        platform::throwError(platform::err::DuplicateKey);
}

bool ImageCollection::AddIfAbsent(const QString& path)
{
    growIfFull();
    const size_t hash = caseInsensitiveHash(path);
    const size_t slot = findSlot(path, hash);
    if (slots_[slot].index >= 0)
        return false;
    items_.push_back(path);
    slots_[slot] = {hash, Count() - 1};
    return true;
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
    if (index == Missing)
        platform::throwError(platform::err::InvalidCall);
    return items_[size_t(index)];
}

bool ImageCollection::Contains(const QString& key) const
{
    return findIndex(key) != Missing;
}

qsizetype ImageCollection::PositionOf(const QString& key) const
{
    return findIndex(key) + 1;
}

void ImageCollection::Remove(const QString& key)
{
    const qsizetype index = findIndex(key);
    if (index == Missing)
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
    slots_.clear();
    items_.clear();
}

} // namespace catalogue
