#include "platform/naturalorder.h"

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

// A collator is reentrant, not thread-safe: each thread keeps its own.
const QCollator& collator()
{
    thread_local const QCollator instance = [] {
        QCollator made(collationLocale());
        made.setNumericMode(true);
        made.setCaseSensitivity(Qt::CaseInsensitive);
        return made;
    }();
    return instance;
}

} // namespace

int naturalCompare(const QString& a, const QString& b)
{
    if (const int collated = collator().compare(a, b))
        return collated;
    return a.compare(b);
}

QCollatorSortKey naturalSortKey(const QString& name)
{
    return collator().sortKey(name);
}

} // namespace platform
