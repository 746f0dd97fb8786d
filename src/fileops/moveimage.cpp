// Moving one image into a chosen folder. The copy arrives under a temporary
// name and is renamed into place before the source is deleted, so at every
// moment at least one whole copy of the image exists.
#include "catalogue/appstate.h"
#include "fileops/imageops.h"
#include "fileops/movesteps.h"
#include "platform/apperror.h"
#include "platform/basui.h"
#include "platform/dialogs.h"
#include "platform/filesystem.h"

namespace fileops {

using namespace platform;

namespace {

// Whether the move may go ahead, and whether it replaces a file of the same
// name, which only the user may allow.
std::optional<CopyMode> checkTarget(ImageOps& ops, const QString& path, const QString& folder,
                                    const QString& target)
{
    if (!ops.fileSystem.exists(target))
        return CopyMode::KeepExisting;
    if (ops.fileSystem.identity(path) == ops.fileSystem.identity(target)) {
        ops.dialogs.msgBox(QStringLiteral("The image is already in ") + folder + QStringLiteral("."),
                           mb::OkOnly + mb::Information);
        return std::nullopt;
    }
    if (!AllowsReplacing(ops.dialogs, target))
        return std::nullopt;
    return CopyMode::Replace;
}

// A move the user quit after its copy arrived is taken back, so that the
// image is not left in two folders with the lists naming only one. A copy
// that replaced a file (with the user's consent) stays: the file it replaced
// cannot come back.
void undoCopy(ImageOps& ops, const QString& target)
{
    try {
        ops.fileSystem.removeFile(target);
    } catch (const AppError& error) {
        basUI::ReportError(ops.dialogs, error);
    }
}

// Copies, then deletes the source; false when the move ended early.
bool copyThenDelete(ImageOps& ops, const QString& path, const QString& target, CopyMode mode)
{
    const auto refuse = [&](const AppError& error) {
        if (error.number() == err::PathFileAccess) {
            // Nothing was copied, so there is no source to keep.
            ops.dialogs.msgBox(QStringLiteral("Cannot copy the image to ") + target +
                                   QStringLiteral(". The image was not moved."),
                               mb::OkOnly + mb::Exclamation);
            return true;
        }
        if (error.number() == err::FileExists) {
            ops.dialogs.msgBox(QStringLiteral("That file already exists!"), mb::OkOnly + mb::Exclamation);
            return true;
        }
        return false;
    };
    switch (CopyThenDelete(ops, path, target, mode, true, refuse)) {
    case Moved::Whole:
    case Moved::SourceKept: // the copy is in place; the source stays
    case Moved::NotCopied:
        return true;
    case Moved::EndedAfterCopy:
        if (mode == CopyMode::KeepExisting)
            undoCopy(ops, target);
        return false;
    case Moved::Refused:
    case Moved::EndedBeforeCopy:
        break;
    }
    return false;
}

} // namespace

void MoveImage(ImageOps& ops, catalogue::ImageCollection& target, const QString& path)
{
    std::optional<QString> folder;
    {
        std::unique_ptr<FolderPrompt> prompt = ops.folderPrompt();
        folder = ChooseFolder(*prompt, ops.dialogs,
                              QStringLiteral("You must select a directory to move this image into."));
    }
    if (!folder)
        return;
    const QString targetPath = joinPath(*folder, fileNameOf(path));
    const std::optional<CopyMode> mode = checkTarget(ops, path, *folder, targetPath);
    if (!mode)
        return;
    {
        BusyCursor busy;
        if (!copyThenDelete(ops, path, targetPath, *mode))
            return;
        ReplaceInList(target, path, targetPath);
    }
    ops.state.ContextImage = targetPath;
}

} // namespace fileops
