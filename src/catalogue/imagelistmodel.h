#pragma once

#include "catalogue/imagecollection.h"

#include <QAbstractListModel>

namespace catalogue {

// A list box's model over one collection: row r shows the collection's
// position r + 1, and the box follows every change the moment it is made.
// It holds no copy of the paths; the collection must outlive it.
class ImageListModel final : public QAbstractListModel, private CollectionObserver {
    Q_OBJECT

public:
    explicit ImageListModel(ImageCollection& list, QObject* parent = nullptr);
    ~ImageListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    void aboutToInsert(qsizetype first, qsizetype last) override;
    void inserted() override;
    void aboutToRemove(qsizetype first, qsizetype last) override;
    void removed() override;
    void aboutToReset() override { beginResetModel(); }
    void reset() override;

    ImageCollection& list_;
    // The rows the views know of: a batch of paths added to the collection
    // becomes rows only when the collection tells of it.
    qsizetype rows_ = 0;
    qsizetype changing_ = 0; // rows being inserted or removed
};

} // namespace catalogue
