#include "catalogue/pathstore.h"

#include <algorithm>

namespace catalogue {

namespace {
// 256 KB a block: large enough that its allocation costs nothing per path,
// small enough that the room left at the end of each wastes little.
constexpr qsizetype BlockCharacters = 128 * 1024;
} // namespace

PathStore::PathStore(const PathStore& other) : blocks_(other.blocks_), entries_(other.entries_) {}

PathStore& PathStore::operator=(const PathStore& other)
{
    if (this != &other) {
        blocks_ = other.blocks_;
        entries_ = other.entries_;
        // The last block is shared now, and the other store may go on
        // writing to it: this one starts a block of its own.
        used_ = space_ = 0;
    }
    return *this;
}

char16_t* PathStore::room(qsizetype length)
{
    if (space_ - used_ < length) {
        space_ = std::max(BlockCharacters, length);
        blocks_.push_back(Block(new char16_t[size_t(space_)]));
        used_ = 0;
    }
    char16_t* start = blocks_.back().get() + used_;
    used_ += length;
    return start;
}

QStringView PathStore::append(QStringView path)
{
    char16_t* text = room(path.size());
    std::copy(path.utf16(), path.utf16() + path.size(), text);
    const QStringView stored(text, path.size());
    entries_.push_back(stored);
    return stored;
}

void PathStore::erase(qsizetype i)
{
    entries_.erase(entries_.begin() + i);
}

void PathStore::clear()
{
    entries_.clear();
    blocks_.clear();
    used_ = space_ = 0;
}

} // namespace catalogue
