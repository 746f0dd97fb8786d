// The commands that change lists only: favourites, a saved list file, the
// list change that rename and move share.
#include "catalogue/appstate.h"
#include "catalogue/listfiles.h"
#include "fileops/imageops.h"
#include "fileops/movesteps.h"
#include "platform/apperror.h"
#include "platform/dialogs.h"
#include "platform/filesystem.h"

namespace fileops {

using namespace platform;

void ReplaceInList(catalogue::ImageCollection& target, const QString& oldPath, const QString& newPath)
{
    if (target.Contains(oldPath))
        target.Remove(oldPath);
    target.AddIfAbsent(newPath);
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
}

void RemoveImageFromFavorites(ImageOps& ops, const QString& path)
{
    // A path that is no favourite fails with 5, for the image menu to report.
    ops.state.Favorites.Remove(path);
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
    // The box's rows are the favourites' positions.
    ops.state.Favorites.Remove(qsizetype(selectedRow) + 1);
}

} // namespace fileops
