#pragma once

#include <QStringView>

#include <cstddef>

namespace catalogue {

// Hashes a path's case-folded characters, a part at a time: a folder's path
// is hashed once and each of its files' names goes on from there.
class PathHasher {
public:
    // Parts are whole characters: a part may not end inside a surrogate pair.
    void add(QStringView part);
    size_t value() const { return state_; }

private:
    size_t state_ = 1469598103934665603ull; // FNV-1a
};

// A path as a key of the image lists: equal to another without regard to
// letter case. It views the path's text, which must outlive it; its hash is
// made once, so that an index grows without hashing every path again.
struct PathKey {
    explicit PathKey(QStringView text);
    PathKey(QStringView text, size_t textHash) : path(text), hash(textHash) {}

    QStringView path;
    size_t hash;
    // Keys of different hashes differ: most comparisons end at once.
    bool operator==(const PathKey& other) const { return hash == other.hash && sameText(other); }

private:
    bool sameText(const PathKey& other) const;
};

} // namespace catalogue
