#include "catalogue/imagelistmodel.h"

#include <algorithm>
#include <limits>

namespace catalogue {

ImageListModel::ImageListModel(ImageCollection& list, QObject* parent)
    : QAbstractListModel(parent), list_(list), rows_(list.Count())
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
    return int(std::min<qsizetype>(rows_, std::numeric_limits<int>::max()));
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
    changing_ = last - first + 1;
    beginInsertRows({}, int(first - 1), int(last - 1));
}

void ImageListModel::inserted()
{
    rows_ += changing_;
    endInsertRows();
}

void ImageListModel::aboutToRemove(qsizetype first, qsizetype last)
{
    changing_ = last - first + 1;
    beginRemoveRows({}, int(first - 1), int(last - 1));
}

void ImageListModel::removed()
{
    rows_ -= changing_;
    endRemoveRows();
}

void ImageListModel::reset()
{
    rows_ = list_.Count();
    endResetModel();
}

} // namespace catalogue
