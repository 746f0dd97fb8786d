#pragma once

#include <QAbstractItemModel>
#include <QStringList>

namespace testsupport {

// What a list box shows: the display text of each row of its model.
inline QStringList rowsOf(const QAbstractItemModel& model)
{
    QStringList shown;
    for (int row = 0; row < model.rowCount(); ++row)
        shown << model.index(row, 0).data().toString();
    return shown;
}

} // namespace testsupport
