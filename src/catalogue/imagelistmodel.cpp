#include "catalogue/imagelistmodel.h"

#include <algorithm>
#include <limits>

namespace catalogue {

ImageListModel::ImageListModel(ImageCollection& list, QObject* parent)
    : QAbstractListModel(parent), list_(list)
{
    list_.setObserver(this);
}

ImageListModel::~ImageListModel()
{
    list_.setObserver(nullptr);
}

int ImageListModel::rowCount(const QModelIndex& parent) const
{
    // Views count rows in int; a longer list shows its first 2^31 - 1 paths.
    if (parent.isValid())
        return 0;
    return int(std::min<qsizetype>(list_.Count(), std::numeric_limits<int>::max()));
}

QVariant ImageListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    // The collection's own string: shared, never copied.
    return list_.Item(index.row() + 1);
}

void ImageListModel::aboutToInsert(qsizetype first, qsizetype last)
{
    beginInsertRows({}, int(first - 1), int(last - 1));
}

void ImageListModel::aboutToRemove(qsizetype first, qsizetype last)
{
    beginRemoveRows({}, int(first - 1), int(last - 1));
}

} // namespace catalogue
