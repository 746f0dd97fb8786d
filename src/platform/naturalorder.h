#pragma once

#include <QCollator>
#include <QList>
#include <QString>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The order the desktop's file manager shows names in: the user's collation
// (accented letters beside their base letters), letter case does not count,
// and runs of digits compare by their value, so IMG_2 comes before IMG_10.
// Names equal in that order fall back to a plain comparison, so the order is
// total.
int naturalCompare(const QString& a, const QString& b);
inline bool naturalLess(const QString& a, const QString& b)
{
    return naturalCompare(a, b) < 0;
}

// The collator's own order (with the same fallback), which naturalCompare
// follows for every name: it takes a quicker road for two names of printable
// ASCII.
int collatedCompare(const QString& a, const QString& b);
// Appends the name's quick key to keys, or returns false when the name has
// none. Compared as bytes, quick keys order names as the quicker road does,
// up to the names it finds equal.
bool appendQuickNaturalKey(const QString& name, std::string& keys);
// The key that orders a name naturally when compared with another's key.
QCollatorSortKey naturalSortKey(const QString& name);

// Puts items in the collator's natural order of their names, each name's key
// made once: about half the cost of comparing pairs through the collator.
template <typename Item, typename NameOf> void naturalSortByCollator(QList<Item>& items, NameOf nameOf)
{
    struct Keyed {
        QCollatorSortKey key;
        Item item;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(size_t(items.size()));
    for (Item& item : items)
        keyed.push_back({naturalSortKey(nameOf(item)), std::move(item)});
    std::sort(keyed.begin(), keyed.end(), [&](const Keyed& x, const Keyed& y) {
        const int collated = x.key.compare(y.key);
        return collated != 0 ? collated < 0 : nameOf(x.item) < nameOf(y.item);
    });
    for (qsizetype i = 0; i < items.size(); ++i)
        items[i] = std::move(keyed[size_t(i)].item);
}

// Puts items in the natural order of their names, each name's key made once.
// Names of printable ASCII have quick keys, all in one string, which compare
// at a fraction of the cost of the names themselves; any other name leaves
// the order to the collator's keys.
template <typename Item, typename NameOf> void naturalSort(QList<Item>& items, NameOf nameOf)
{
    if (items.size() < 2)
        return;
    struct Keyed {
        quint32 start, length;
        qsizetype item;
    };
    std::string keys;
    std::vector<Keyed> keyed;
    keyed.reserve(size_t(items.size()));
    for (qsizetype i = 0; i < items.size(); ++i) {
        const size_t start = keys.size();
        if (!appendQuickNaturalKey(nameOf(items[i]), keys)) {
            naturalSortByCollator(items, nameOf);
            return;
        }
        keyed.push_back({quint32(start), quint32(keys.size() - start), i});
    }
    const std::string_view text(keys);
    std::sort(keyed.begin(), keyed.end(), [&](const Keyed& x, const Keyed& y) {
        const int order = text.substr(x.start, x.length).compare(text.substr(y.start, y.length));
        return order != 0 ? order < 0 : nameOf(items[x.item]) < nameOf(items[y.item]);
    });
    QList<Item> sorted;
    sorted.reserve(items.size());
    for (const Keyed& k : keyed)
        sorted.append(std::move(items[k.item]));
    items = std::move(sorted);
}

} // namespace platform
