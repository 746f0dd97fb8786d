#pragma once

#include <QCollator>
#include <QList>
#include <QString>

#include <algorithm>
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
// follows for every name: it takes a quicker road for printable ASCII names.
int collatedCompare(const QString& a, const QString& b);
// Whether the name takes that quicker road, and the road itself, for two
// names that both take it.
bool naturalOrderIsQuick(const QString& name);
int quickNaturalCompare(const QString& a, const QString& b);
// The key that orders a name naturally when compared with another's key.
QCollatorSortKey naturalSortKey(const QString& name);

// Puts items in the natural order of their names. Names of printable ASCII
// are compared directly; any other makes each name's key once, about half
// the cost of comparing pairs through the collator.
template <typename Item, typename NameOf> void naturalSort(QList<Item>& items, NameOf nameOf)
{
    if (std::all_of(items.cbegin(), items.cend(),
                    [&](const Item& item) { return naturalOrderIsQuick(nameOf(item)); })) {
        std::sort(items.begin(), items.end(), [&](const Item& x, const Item& y) {
            return quickNaturalCompare(nameOf(x), nameOf(y)) < 0;
        });
        return;
    }
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

} // namespace platform
