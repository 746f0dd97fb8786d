#pragma once

#include <QString>

#include <unordered_set>
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
    // The index stores positions into items_ and hashes the paths they name,
    // so each path is held once.
    struct KeyHash {
        const ImageCollection* owner;
        size_t operator()(qsizetype index) const;
    };
    struct KeyEqual {
        const ImageCollection* owner;
        bool operator()(qsizetype a, qsizetype b) const;
    };

    qsizetype findIndex(const QString& key) const;
    void rebuildIndex();

    std::vector<QString> items_;
    std::unordered_set<qsizetype, KeyHash, KeyEqual> index_;
    // A lookup compares against this probe, stored at position -1.
    mutable QString probe_;
};

} // namespace catalogue
