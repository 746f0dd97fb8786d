#include "catalogue/pathkey.h"

#include <QChar>

namespace catalogue {

// Folds whole characters, as the comparison does: a letter outside the Basic
// Multilingual Plane is two UTF-16 units that fold only together.
void PathHasher::add(QStringView part)
{
    for (qsizetype i = 0; i < part.size(); ++i) {
        char32_t c = part[i].unicode();
        if (c < 0x80) {
            // Paths are mostly ASCII, whose folding needs no table.
            if (c >= U'A' && c <= U'Z')
                c += 32;
        } else {
            if (QChar::isHighSurrogate(c) && i + 1 < part.size() && part[i + 1].isLowSurrogate())
                c = QChar::surrogateToUcs4(char16_t(c), part[++i].unicode());
            c = QChar::toCaseFolded(c);
        }
        state_ = (state_ ^ c) * 1099511628211ull;
    }
}

PathKey::PathKey(QStringView text) : path(text)
{
    PathHasher hasher;
    hasher.add(text);
    hash = hasher.value();
}

bool PathKey::sameText(const PathKey& other) const
{
    return path.compare(other.path, Qt::CaseInsensitive) == 0;
}

} // namespace catalogue
