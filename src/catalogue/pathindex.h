#pragma once

#include "catalogue/pathkey.h"
#include "catalogue/pathstore.h"

#include <QtGlobal>

#include <vector>

namespace catalogue {

// The positions of a store's paths by their keys. Each slot holds a path's
// hash, folded to 32 bits, and its position; a key is looked for from the
// slot its hash picks onwards, so that a look-up reads one array, and the
// text of a path is compared only where the hashes agree. Growing moves the
// slots without hashing or comparing a path again.
class PathIndex {
public:
    // The position of the key's path in paths, or -1.
    qsizetype find(const PathKey& key, const PathStore& paths) const;
    // Records the key's path at the position, unless a path of the same key
    // is there already: then false.
    bool insert(const PathKey& key, qsizetype position, const PathStore& paths);
    // Takes out the path at the position, whose key is given, and moves
    // every later position down by one.
    void remove(const PathKey& key, qsizetype position);
    void reserve(qsizetype paths);
    void clear();

private:
    static constexpr quint32 Empty = 0xffffffff;
    struct Slot {
        quint32 hash = 0;
        quint32 position = Empty;
    };

    static quint32 folded(size_t hash) { return quint32(hash ^ (hash >> 32)); }
    size_t home(quint32 hash) const { return (hash * 2654435769u) >> (32 - bits_); }
    size_t next(size_t slot) const { return (slot + 1) & (slots_.size() - 1); }
    // The slot that holds the key's path, or the empty one where it would go.
    size_t probe(const PathKey& key, const PathStore& paths) const;
    void resize(int bits);

    std::vector<Slot> slots_; // a power of two of them, at most three quarters used
    int bits_ = 0;
    qsizetype used_ = 0;
};

} // namespace catalogue
