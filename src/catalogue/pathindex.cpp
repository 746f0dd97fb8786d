#include "catalogue/pathindex.h"

#include <algorithm>

namespace catalogue {

size_t PathIndex::probe(const PathKey& key, const PathStore& paths) const
{
    const quint32 hash = folded(key.hash);
    size_t slot = home(hash);
    // Slots of other hashes are passed without reading their paths.
    while (slots_[slot].position != Empty &&
           (slots_[slot].hash != hash || !(PathKey{paths.view(slots_[slot].position), key.hash} == key)))
        slot = next(slot);
    return slot;
}

qsizetype PathIndex::find(const PathKey& key, const PathStore& paths) const
{
    if (slots_.empty())
        return -1;
    const Slot& slot = slots_[probe(key, paths)];
    return slot.position == Empty ? -1 : qsizetype(slot.position);
}

bool PathIndex::insert(const PathKey& key, qsizetype position, const PathStore& paths)
{
    if ((used_ + 1) * 4 > qsizetype(slots_.size()) * 3)
        resize(std::max(bits_ + 1, 4));
    Slot& slot = slots_[probe(key, paths)];
    if (slot.position != Empty)
        return false;
    slot = {folded(key.hash), quint32(position)};
    ++used_;
    return true;
}

void PathIndex::remove(const PathKey& key, qsizetype position)
{
    size_t hole = home(folded(key.hash));
    while (slots_[hole].position != quint32(position))
        hole = next(hole);
    // Every slot after the hole, up to an empty one, moves into it when its
    // own home lies at or before the hole: a look-up from that home would
    // otherwise stop at the hole.
    const size_t mask = slots_.size() - 1;
    for (size_t slot = next(hole); slots_[slot].position != Empty; slot = next(slot)) {
        if (((slot - home(slots_[slot].hash)) & mask) >= ((slot - hole) & mask)) {
            slots_[hole] = slots_[slot];
            hole = slot;
        }
    }
    slots_[hole] = Slot{};
    --used_;
    for (Slot& slot : slots_)
        if (slot.position != Empty && slot.position > quint32(position))
            --slot.position;
}

void PathIndex::reserve(qsizetype paths)
{
    int bits = std::max(bits_, 4);
    while (paths * 4 > (qsizetype(1) << bits) * 3)
        ++bits;
    if (bits != bits_)
        resize(bits);
}

void PathIndex::clear()
{
    slots_.clear();
    bits_ = 0;
    used_ = 0;
}

void PathIndex::resize(int bits)
{
    std::vector<Slot> old(size_t(1) << bits);
    old.swap(slots_);
    bits_ = bits;
    for (const Slot& moved : old) {
        if (moved.position == Empty)
            continue;
        size_t slot = home(moved.hash);
        while (slots_[slot].position != Empty)
            slot = next(slot);
        slots_[slot] = moved;
    }
}

} // namespace catalogue
