#pragma once

#include <QString>

namespace platform {

// The order the desktop's file manager shows names in: letter case does not
// count, and runs of digits compare by their value, so IMG_2 comes before
// IMG_10. Names equal in that order fall back to a plain comparison, so the
// order is total.
int naturalCompare(const QString& a, const QString& b);
inline bool naturalLess(const QString& a, const QString& b)
{
    return naturalCompare(a, b) < 0;
}

} // namespace platform
