#pragma once

#include <QString>
#include <QStringView>

#include <memory>
#include <vector>

namespace catalogue {

// Paths kept end to end in large blocks of text instead of one allocation
// each: a list of a million paths costs its characters and a few bytes a
// path. Text once written never moves, so a view of a path stays valid as
// long as some store holds its block; copies share the blocks.
class PathStore {
public:
    PathStore() = default;
    PathStore(const PathStore& other);
    PathStore& operator=(const PathStore& other);

    qsizetype size() const { return static_cast<qsizetype>(entries_.size()); }
    QStringView view(qsizetype i) const { return entries_[size_t(i)]; }
    QString at(qsizetype i) const { return view(i).toString(); }

    // Copies the path's text into the store and returns the stored view.
    QStringView append(QStringView path);
    // The text stays in its block until the store is cleared or dropped.
    void erase(qsizetype i);
    void clear();
    void reserve(qsizetype paths) { entries_.reserve(size_t(paths)); }

private:
    using Block = std::shared_ptr<char16_t[]>;
    char16_t* room(qsizetype length);

    std::vector<Block> blocks_;
    std::vector<QStringView> entries_;
    qsizetype used_ = 0;  // characters written in the last block
    qsizetype space_ = 0; // its size; 0 when this store may not write to it
};

} // namespace catalogue
