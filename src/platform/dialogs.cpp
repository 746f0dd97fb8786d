#include "platform/dialogs.h"

#include <QStringList>

namespace platform {

QString qtNameFilter(const QString& classicFilter)
{
    // The classic filter alternates descriptions and patterns; Qt wants only
    // the descriptions, which already carry their patterns in parentheses.
    const QStringList parts = classicFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts.at(i);
        const QString pattern = QString(parts.at(i + 1)).replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << (description.contains(QLatin1Char('('))
                        ? description
                        : description + QStringLiteral(" (") + pattern + QLatin1Char(')'));
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace platform
