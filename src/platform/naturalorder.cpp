#include "platform/naturalorder.h"

namespace platform {

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Compares the digit runs starting at i and j by value and moves past them.
int compareNumbers(const QString& a, qsizetype& i, const QString& b, qsizetype& j)
{
    while (i < a.size() && a[i] == QLatin1Char('0') && i + 1 < a.size() && isDigit(a[i + 1]))
        ++i;
    while (j < b.size() && b[j] == QLatin1Char('0') && j + 1 < b.size() && isDigit(b[j + 1]))
        ++j;
    qsizetype endA = i;
    qsizetype endB = j;
    while (endA < a.size() && isDigit(a[endA]))
        ++endA;
    while (endB < b.size() && isDigit(b[endB]))
        ++endB;
    // Without leading zeros, the longer run is the larger number.
    int result = int((endA - i) - (endB - j));
    for (qsizetype x = i, y = j; result == 0 && x < endA; ++x, ++y)
        result = a[x].unicode() - b[y].unicode();
    i = endA;
    j = endB;
    return result;
}

char16_t folded(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return u >= u'A' && u <= u'Z' ? char16_t(u + 32) : u;
    return c.toCaseFolded().unicode();
}

} // namespace

int naturalCompare(const QString& a, const QString& b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            if (const int numbers = compareNumbers(a, i, b, j))
                return numbers;
            continue;
        }
        const char16_t x = folded(a[i]);
        const char16_t y = folded(b[j]);
        if (x != y)
            return x < y ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size())
        return i < a.size() ? 1 : -1;
    return a.compare(b);
}

} // namespace platform
