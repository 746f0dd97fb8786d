#pragma once

#include "catalogue/pathindex.h"
#include "catalogue/pathkey.h"
#include "catalogue/pathstore.h"

#include <QString>

#include <iterator>

namespace catalogue {

// Told of every change of a collection, before and after it, so that a view
// of the list follows it without a copy of its own. Positions count from 1.
class CollectionObserver {
public:
    virtual ~CollectionObserver() = default;
    virtual void aboutToInsert(qsizetype first, qsizetype last) = 0;
    virtual void inserted() = 0;
    virtual void aboutToRemove(qsizetype first, qsizetype last) = 0;
    virtual void removed() = 0;
    virtual void aboutToReset() = 0;
    virtual void reset() = 0;
};

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

    qsizetype Count() const { return items_.size(); }
    bool isEmpty() const { return items_.size() == 0; }

    void Add(const QString& path);
    // Adds the path unless its key is there already; true when it was added.
    bool AddIfAbsent(const QString& path);
    // The same for a key made ahead, as a folder search makes its images'
    // keys on the threads that list the folders.
    bool AddIfAbsent(const PathKey& key);
    QString Item(qsizetype position) const;
    QString Item(const QString& key) const;
    bool Contains(const QString& key) const;
    // 1-based position of the key, 0 when it is missing.
    qsizetype PositionOf(const QString& key) const;
    void Remove(const QString& key);
    void Remove(qsizetype position);
    void Clear();
    // Makes room for this many more paths, so that a long list grows at once.
    void reserve(qsizetype more);

    // The one observer of this list (its list box's model), or none. A copy
    // starts without one; the collection must outlive it.
    void setObserver(CollectionObserver* observer);

    // While a batch lives, paths added reach the observer as one insertion
    // when it ends: a scan or a list file of a million lines tells its list
    // box once, not once a path.
    class Batch {
    public:
        explicit Batch(ImageCollection& list);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        ImageCollection& list_;
    };

    // The paths in order, each made as it is read.
    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = QString;
        using difference_type = qsizetype;
        using pointer = void;
        using reference = QString;

        const_iterator() = default;
        const_iterator(const PathStore* store, qsizetype i) : store_(store), i_(i) {}
        QString operator*() const { return store_->at(i_); }
        const_iterator& operator++()
        {
            ++i_;
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            ++i_;
            return before;
        }
        bool operator==(const const_iterator& other) const = default;

    private:
        const PathStore* store_ = nullptr;
        qsizetype i_ = 0;
    };
    const_iterator begin() const { return {&items_, 0}; }
    const_iterator end() const { return {&items_, Count()}; }

private:
    PathStore items_;
    PathIndex index_; // 0-based positions into items_
    CollectionObserver* observer_ = nullptr;
    int batches_ = 0;
    qsizetype told_ = 0; // how many paths, from the first, the observer knows of
};

} // namespace catalogue
