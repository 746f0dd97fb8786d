#include "fileops/imagemenu.h"

#include "browse/frmbrowsedir.h"
#include "catalogue/appstate.h"
#include "fileops/imageops.h"
#include "platform/apperror.h"
#include "platform/basui.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QListView>

namespace fileops {

using platform::AppError;

namespace {

void setEntries(const QVector<QAction*>& entries, bool enabled)
{
    for (QAction* action : entries)
        if (action->text() != QLatin1String("-") && !action->isSeparator())
            action->setEnabled(enabled);
}

void offerFor(const QVector<QAction*>& entries, bool favourite)
{
    entries[entry::AddToFavorites]->setEnabled(!favourite);
    entries[entry::RemoveFromFavorites]->setEnabled(favourite);
}

class BrowseDirPrompt final : public FolderPrompt {
public:
    BrowseDirPrompt(platform::FileSystem& fileSystem, platform::Dialogs& dialogs, QWidget* parent,
                    const QString& startFolder, QString& chosenFolder)
        : browser_(fileSystem, dialogs, parent), chosenFolder_(chosenFolder)
    {
        browser_.SetNew();
        browser_.setStartFolder(startFolder);
    }
    std::optional<QString> showOnce() override
    {
        browser_.DIRSelectedDir.clear();
        browser_.ShowModal();
        if (browser_.DIRCancel)
            return std::nullopt;
        if (!browser_.DIRSelectedDir.isEmpty())
            chosenFolder_ = browser_.DIRSelectedDir;
        return browser_.DIRSelectedDir;
    }

private:
    frmBrowseDir browser_;
    QString& chosenFolder_;
};

void runEntry(ImageOps& ops, int index, catalogue::ImageCollection* target, const QString& path)
{
    if ((index == entry::Rename || index == entry::Move || index == entry::Delete) && !target)
        platform::throwError(platform::err::MissingObject);
    switch (index) {
    case entry::Display:
        return DisplaySingleImage(ops, path);
    case entry::AddToFavorites:
        return AddImageToFavorites(ops, path);
    case entry::RemoveFromFavorites:
        return RemoveImageFromFavorites(ops, path);
    case entry::AddToSavedList:
        return AddToSavedList(ops, path);
    case entry::CopyFile:
        return CopyImageFile(ops, path);
    case entry::CopyToClipboard:
        return CopyImageToClipboard(ops, path);
    case entry::Rename:
        return RenameImage(ops, *target, path);
    case entry::Move:
        return MoveImage(ops, *target, path);
    case entry::Delete:
        return DeleteImage(ops, *target, path);
    default:
        return;
    }
}

} // namespace

void EnableImageMenu(const QVector<QAction*>& mnuImageSub)
{
    setEntries(mnuImageSub, true);
}

void DisableImageMenu(const QVector<QAction*>& mnuImageSub)
{
    setEntries(mnuImageSub, false);
}

bool IsInCollection(const catalogue::ImageCollection& collection, const QString& key)
{
    return collection.Contains(key);
}

int SelectedRow(const QListView* box)
{
    if (!box || !box->selectionModel())
        return -1;
    const QModelIndex current = box->currentIndex();
    if (current.isValid() && box->selectionModel()->isSelected(current))
        return current.row();
    const QModelIndexList selected = box->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void PrepareForListBox(const QVector<QAction*>& mnuImageSub, const QListView* box, bool isFavorites,
                       bool rightButton)
{
    const bool selected = SelectedRow(box) >= 0;
    setEntries(mnuImageSub, selected);
    if (rightButton && selected)
        offerFor(mnuImageSub, isFavorites);
}

void PrepareOnOpen(const QVector<QAction*>& mnuImageSub, QString& contextImage, const QListView* activeList)
{
    if (!contextImage.isEmpty())
        return;
    const int row = SelectedRow(activeList);
    if (row < 0) {
        DisableImageMenu(mnuImageSub);
        return;
    }
    EnableImageMenu(mnuImageSub);
    contextImage = activeList->model()->index(row, 0).data().toString();
    const QString name = activeList->objectName().toUpper();
    if (name == QLatin1String("LSTIMAGES"))
        offerFor(mnuImageSub, false);
    else if (name == QLatin1String("LSTFAVORITES"))
        offerFor(mnuImageSub, true);
}

void PrepareForThumbnail(const QVector<QAction*>& mnuImageSub, const catalogue::ImageCollection& favorites,
                         const QString& contextImage)
{
    if (contextImage.isEmpty()) {
        DisableImageMenu(mnuImageSub);
        return;
    }
    EnableImageMenu(mnuImageSub);
    offerFor(mnuImageSub, IsInCollection(favorites, contextImage));
}

void RunImageCommand(ImageOps& ops, const QVector<QAction*>& mnuImageSub, int index,
                     catalogue::ImageCollection* target, bool displayVisible)
{
    try {
        runEntry(ops, index, target, ops.state.ContextImage);
    } catch (const AppError& error) {
        if (error.number() == platform::err::MissingObject) {
            DisableImageMenu(mnuImageSub);
            return;
        }
        basUI::BusyCursorOff();
        basUI::ReportError(ops.dialogs, error);
    }
    if (!displayVisible)
        ops.state.ContextImage.clear();
}

std::unique_ptr<FolderPrompt> BrowserPrompt(platform::FileSystem& fileSystem, platform::Dialogs& dialogs,
                                            QWidget* parent, const QString& startFolder,
                                            QString& chosenFolder)
{
    return std::make_unique<BrowseDirPrompt>(fileSystem, dialogs, parent, startFolder, chosenFolder);
}

} // namespace fileops
