#include "platform/naturalorder.h"

#include <algorithm>
#include <array>

namespace platform {

namespace {

// The "C" locale's collation is a plain comparison that ignores the numeric
// mode, so it falls back to English, which orders as the C locale would but
// reads numbers.
QLocale collationLocale()
{
    const QLocale system = QLocale::system();
    return system.language() == QLocale::C ? QLocale(QLocale::English, QLocale::UnitedStates) : system;
}

QCollator makeCollator()
{
    QCollator made(collationLocale());
    made.setNumericMode(true);
    made.setCaseSensitivity(Qt::CaseInsensitive);
    return made;
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool isPrintableAscii(char16_t c)
{
    return c >= 0x20 && c < 0x7f;
}

// The run of digits at i: where its value begins, past leading zeros but
// not its last digit, and where it ends.
struct DigitRun {
    qsizetype first, end;
};

DigitRun digitRunAt(QStringView text, qsizetype i)
{
    while (i + 1 < text.size() && text[i] == u'0' && isDigit(text[i + 1].unicode()))
        ++i;
    qsizetype end = i;
    while (end < text.size() && isDigit(text[end].unicode()))
        ++end;
    return {i, end};
}

// Compares the digit runs starting at i and j by value and moves past them.
int compareNumbers(QStringView a, qsizetype& i, QStringView b, qsizetype& j)
{
    const DigitRun x = digitRunAt(a, i);
    const DigitRun y = digitRunAt(b, j);
    // Without leading zeros, the longer run is the larger number.
    int result = int((x.end - x.first) - (y.end - y.first));
    for (qsizetype p = x.first, q = y.first; result == 0 && p < x.end; ++p, ++q)
        result = a[p].unicode() - b[q].unicode();
    i = x.end;
    j = y.end;
    return result < 0 ? -1 : result > 0 ? 1 : 0;
}

// Names of printable ASCII characters, by far the commonest, are ordered
// through a table of each character's place in the collation, read from the
// collator itself: the same order at a fraction of the cost of the
// collator's keys. A locale that joins letters into one (Danish "aa", Czech
// "ch") is left to the collator.
class AsciiOrder {
public:
    explicit AsciiOrder(const QCollator& collator)
    {
        QList<QString> characters;
        for (char16_t c = 0x20; c < 0x7f; ++c)
            if (!isDigit(c) || c == u'0')
                characters.append(QString(QChar(c)));
        std::stable_sort(characters.begin(), characters.end(), collator);
        int rank = 0;
        for (qsizetype k = 0; k < characters.size(); ++k) {
            if (k > 0 && collator.compare(characters[k - 1], characters[k]) != 0)
                ++rank;
            rank_[characters[k][0].unicode()] = quint8(rank);
        }
        for (char16_t c = u'1'; c <= u'9'; ++c)
            rank_[c] = rank_[u'0'];
        valid_ = agreesWith(collator);
        // A key's run of digits begins with the digits' rank: a character of
        // the same rank would read as the start of one.
        keysHold_ = valid_ && std::count(rank_.cbegin() + 0x20, rank_.cend() - 1, rank_[u'0']) == 10;
    }

    // Each character's rank, and each run of digits as the digits' rank, the
    // run's length without leading zeros, and its digits: as bytes, keys then
    // compare as compare() does.
    bool appendKey(QStringView name, std::string& keys) const
    {
        if (!keysHold_ || name.size() > MaxKeyedName)
            return false;
        const size_t begin = keys.size();
        // A lone digit makes three bytes, the most a character makes.
        keys.resize(begin + 3 * size_t(name.size()));
        char* out = keys.data() + begin;
        for (qsizetype i = 0; i < name.size();) {
            const char16_t c = name[i].unicode();
            if (!isPrintableAscii(c)) {
                keys.resize(begin);
                return false;
            }
            if (!isDigit(c)) {
                *out++ = char(rank_[c]);
                ++i;
                continue;
            }
            const DigitRun run = digitRunAt(name, i);
            *out++ = char(rank_[u'0']);
            *out++ = char(run.end - run.first);
            for (i = run.first; i < run.end; ++i)
                *out++ = char(name[i].unicode());
        }
        keys.resize(size_t(out - keys.data()));
        return true;
    }

    bool covers(QStringView name) const
    {
        if (!valid_)
            return false;
        for (QChar c : name)
            if (!isPrintableAscii(c.unicode()))
                return false;
        return true;
    }

    int compare(QStringView a, QStringView b) const
    {
        qsizetype i = 0;
        qsizetype j = 0;
        while (i < a.size() && j < b.size()) {
            const char16_t x = a[i].unicode();
            const char16_t y = b[j].unicode();
            if (isDigit(x) && isDigit(y)) {
                if (const int numbers = compareNumbers(a, i, b, j))
                    return numbers;
                continue;
            }
            if (rank_[x] != rank_[y])
                return rank_[x] < rank_[y] ? -1 : 1;
            ++i;
            ++j;
        }
        return int(i < a.size()) - int(j < b.size());
    }

private:
    // Every pair of letters and common punctuation orders as the collator
    // orders it; a locale's contractions show here.
    bool agreesWith(const QCollator& collator) const
    {
        const QString alphabet = QStringLiteral("abcdefghijklmnopqrstuvwxyz _-.0");
        QList<QString> pairs;
        for (QChar first : alphabet)
            for (QChar second : alphabet)
                pairs.append(QString(first) + second);
        std::sort(pairs.begin(), pairs.end(),
                  [this](const QString& x, const QString& y) { return compare(x, y) < 0; });
        for (qsizetype k = 1; k < pairs.size(); ++k) {
            const int fast = compare(pairs[k - 1], pairs[k]);
            const int collated = collator.compare(pairs[k - 1], pairs[k]);
            if ((fast < 0) != (collated < 0) || (fast == 0) != (collated == 0))
                return false;
        }
        return true;
    }

    // A run's length takes one byte: enough for the longest name a file
    // system gives.
    static constexpr qsizetype MaxKeyedName = 255;

    std::array<quint8, 128> rank_{};
    bool valid_ = false;
    bool keysHold_ = false;
};

// A collator is reentrant, not thread-safe: each thread keeps its own.
struct Collation {
    QCollator collator = makeCollator();
    AsciiOrder ascii{collator};
};

const Collation& collation()
{
    thread_local const Collation instance;
    return instance;
}

// The quick order, for two names that both take it.
int quickNaturalCompare(const QString& a, const QString& b)
{
    if (const int ordered = collation().ascii.compare(a, b))
        return ordered;
    return a.compare(b);
}

} // namespace

int collatedCompare(const QString& a, const QString& b)
{
    if (const int collated = collation().collator.compare(a, b))
        return collated;
    return a.compare(b);
}

int naturalCompare(const QString& a, const QString& b)
{
    const AsciiOrder& ascii = collation().ascii;
    if (!ascii.covers(a) || !ascii.covers(b))
        return collatedCompare(a, b);
    return quickNaturalCompare(a, b);
}

bool appendQuickNaturalKey(const QString& name, std::string& keys)
{
    return collation().ascii.appendKey(name, keys);
}

QCollatorSortKey naturalSortKey(const QString& name)
{
    return collation().collator.sortKey(name);
}

} // namespace platform
