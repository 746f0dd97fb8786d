// The commands that change lists only: favourites, a saved list file, the
// list-box rule that rename, move and delete share.
#include "catalogue/appstate.h"
#include "catalogue/listfiles.h"
#include "fileops/imageops.h"
#include "fileops/movesteps.h"
#include "platform/apperror.h"
#include "platform/dialogs.h"
#include "platform/filesystem.h"

#include <QStringListModel>

namespace fileops {

using namespace platform;

int FindListIndex(const QStringListModel& list, const QString& text)
{
    const int rows = list.rowCount();
    for (int row = 0; row < rows; ++row)
        if (list.data(list.index(row), Qt::DisplayRole).toString() == text)
            return row;
    return -1;
}

void ReplaceListEntry(ImageOps& ops, const QString& oldPath, const std::optional<QString>& newPath)
{
    QStringListModel* box = &ops.lstImages;
    int row = FindListIndex(*box, oldPath);
    if (row < 0) {
        box = &ops.lstFavorites;
        row = FindListIndex(*box, oldPath);
    }
    if (row < 0)
        return;
    box->removeRows(row, 1);
    // A move that replaced a listed file leaves one entry for it, as the
    // collection keeps one key.
    if (newPath && FindListIndex(*box, *newPath) < 0) {
        const int end = box->rowCount();
        box->insertRows(end, 1);
        box->setData(box->index(end), *newPath);
    }
}

void DisplaySingleImage(ImageOps& ops, const QString& path)
{
    if (ops.displaySingle)
        ops.displaySingle(path);
}

void AddImageToFavorites(ImageOps& ops, const QString& path)
{
    if (ops.state.Favorites.Contains(path)) {
        ops.dialogs.msgBox(QStringLiteral("Already in favorites!"), mb::OkOnly + mb::Information);
        return;
    }
    ops.state.Favorites.Add(path);
    const int end = ops.lstFavorites.rowCount();
    ops.lstFavorites.insertRows(end, 1);
    ops.lstFavorites.setData(ops.lstFavorites.index(end), path);
}

void RemoveImageFromFavorites(ImageOps& ops, const QString& path)
{
    // A rename or move from the display window can leave the collection and
    // the box naming different paths; whichever still holds this one lets it
    // go, and only a path that neither knows is an error.
    const bool favourite = ops.state.Favorites.Contains(path);
    if (favourite)
        ops.state.Favorites.Remove(path);
    const int row = FindListIndex(ops.lstFavorites, path);
    if (row >= 0)
        ops.lstFavorites.removeRows(row, 1);
    if (!favourite && row < 0)
        throwError(err::InvalidCall);
}

void AddToSavedList(ImageOps& ops, const QString& path)
{
    // Written as it is, such a name would read back as another path, or two.
    if (!catalogue::FitsOnOneLine(path)) {
        ops.dialogs.msgBox(
            QStringLiteral("This image's name holds a line break, so it cannot be added to a list "
                           "file."),
            mb::OkOnly + mb::Exclamation);
        return;
    }
    ops.cdlMain.title = QStringLiteral("Add to Lumarine file:");
    ops.cdlMain.initialFolder = ops.programFolder;
    ops.cdlMain.filter = QStringLiteral("Lumarine files (*.lum)|*.lum");
    const QString file = ops.dialogs.saveFile(ops.cdlMain);
    if (file.isEmpty())
        return;
    BusyCursor busy;
    ops.fileSystem.appendFile(file, path.toLocal8Bit() + "\r\n");
}

void cmdRemoveFromFaves_Click(ImageOps& ops, int selectedRow)
{
    if (selectedRow < 0) {
        ops.dialogs.msgBox(QStringLiteral("You must select an image to remove."),
                           mb::OkOnly + mb::Information);
        return;
    }
    if (ops.dialogs.msgBox(QStringLiteral("Remove image from favorites list?"), mb::YesNo + mb::Question) !=
        mb::Yes)
        return;
    // After a rename or move from the display window the box can name a path
    // that is no longer a favourite; the entry still goes.
    const QString path = ops.lstFavorites.data(ops.lstFavorites.index(selectedRow)).toString();
    if (ops.state.Favorites.Contains(path))
        ops.state.Favorites.Remove(path);
    ops.lstFavorites.removeRows(selectedRow, 1);
}

} // namespace fileops
