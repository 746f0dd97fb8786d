#include "fileops/movefavorites.h"

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

struct Run {
    ImageOps& ops;
    QString folder;
    bool deleteSources = false;
    QStringList kept; // images that were not moved
};

enum class ImageResult { Done, Ended };

// One favourite: its copy, then its delete, each retried on its own.
ImageResult moveOne(Run& run, const QString& source)
{
    FileSystem& fileSystem = run.ops.fileSystem;
    const QString target = joinPath(run.folder, fileNameOf(source));
    // A name already in the folder is another image (or this one, already
    // there): copying would replace it and deleting would lose one of them.
    if (fileSystem.exists(target)) {
        run.kept << source;
        return ImageResult::Done;
    }
    const auto alreadyThere = [](const AppError& error) { return error.number() == err::FileExists; };
    switch (
        CopyThenDelete(run.ops, source, target, CopyMode::KeepExisting, run.deleteSources, alreadyThere)) {
    case Moved::Whole:
        return ImageResult::Done;
    case Moved::SourceKept:
        run.deleteSources = false;
        return ImageResult::Done;
    case Moved::NotCopied:
        run.deleteSources = false;
        run.kept << source;
        return ImageResult::Done;
    case Moved::Refused:
        run.kept << source;
        return ImageResult::Done;
    case Moved::EndedBeforeCopy:
    case Moved::EndedAfterCopy:
        break;
    }
    return ImageResult::Ended;
}

bool askToMove(Run& run, int count)
{
    Dialogs& dialogs = run.ops.dialogs;
    const QString question = QStringLiteral("Do you want to move your current favorites (total count: ") +
                             QString::number(count) + QStringLiteral(") to the directory ") + run.folder +
                             QStringLiteral("?");
    if (dialogs.msgBox(question, mb::YesNo + mb::Question) != mb::Yes)
        return false;
    run.deleteSources =
        dialogs.msgBox(QStringLiteral("Do you want to delete the files from their source directory?"),
                       mb::YesNo + mb::Question) == mb::Yes;
    return true;
}

} // namespace

void MoveFavorites(ImageOps& ops)
{
    const catalogue::ImageCollection& list = ops.state.Favorites;
    if (list.isEmpty()) {
        ops.dialogs.msgBox(QStringLiteral("No favorites listed!"), mb::OkOnly + mb::Information);
        return;
    }
    std::optional<QString> folder;
    {
        std::unique_ptr<FolderPrompt> prompt = ops.folderPrompt();
        folder = ChooseFolder(*prompt, ops.dialogs,
                              QStringLiteral("You must select a directory to move your favorites into."));
    }
    if (!folder)
        return;
    Run run{ops, *folder, false, {}};
    if (!askToMove(run, int(list.Count())))
        return;
    {
        BusyCursor busy;
        try {
            // By position, the count read afresh: a question's event loop
            // runs between images.
            for (qsizetype position = 1; position <= list.Count(); ++position)
                if (moveOne(run, list.Item(position)) == ImageResult::Ended)
                    return;
        } catch (const AppError& error) {
            basUI::ReportError(ops.dialogs, error);
            return;
        }
    }
    if (!run.kept.isEmpty())
        ops.dialogs.msgBox(
            QStringLiteral("These images were not moved and keep their source files, because a "
                           "file of the same name is in ") +
                run.folder + QStringLiteral(" or their copy failed:\n") + run.kept.join(QLatin1Char('\n')),
            mb::OkOnly + mb::Information);
    ops.dialogs.msgBox(QStringLiteral("Done!"), mb::OkOnly + mb::Information);
}

} // namespace fileops
