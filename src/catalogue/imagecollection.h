#pragma once

#include <QString>

#include <vector>

namespace catalogue {

// An ordered list of image paths, each stored under itself as key. Keys
// compare without regard to letter case; positions count from 1. Adding a key
// that is present fails with 457; a missing key or position fails with 5.
class ImageCollection {
public:
    ImageCollection();
    ImageCollection(const ImageCollection& other);
    ImageCollection& operator=(const ImageCollection& other);
    ImageCollection(ImageCollection&&) = delete;
    ImageCollection& operator=(ImageCollection&&) = delete;

    qsizetype Count() const { return static_cast<qsizetype>(items_.size()); }
    bool isEmpty() const { return items_.empty(); }

    void Add(const QString& path);
    // Adds the path unless its key is there already; true when it was added.
    bool AddIfAbsent(const QString& path);
    const QString& Item(qsizetype position) const;
    const QString& Item(const QString& key) const;
    bool Contains(const QString& key) const;
    // 1-based position of the key, 0 when it is missing.
    qsizetype PositionOf(const QString& key) const;
    void Remove(const QString& key);
    void Remove(qsizetype position);
    void Clear();

    auto begin() const { return items_.cbegin(); }
    auto end() const { return items_.cend(); }

private:
    // The index is a flat open-addressed table of positions into items_,
    // each with its key's hash: a lookup touches one run of slots instead of
    // a chain of nodes, and each path is held once.
    struct Slot {
        size_t hash = 0;
        qsizetype index = -1; // -1: empty
    };

    // The slot holding the key, or the empty slot where it would go.
    size_t findSlot(const QString& key, size_t hash) const;
    qsizetype findIndex(const QString& key) const;
    void insertSlot(size_t hash, qsizetype index);
    void growIfFull();
    void rebuildIndex();

    std::vector<QString> items_;
    std::vector<Slot> slots_;
};

} // namespace catalogue
