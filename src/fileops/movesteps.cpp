#include "fileops/movesteps.h"

#include "fileops/imageops.h"
#include "platform/apperror.h"
#include "platform/basui.h"
#include "platform/dialogs.h"
#include "platform/filesystem.h"

namespace fileops {

using namespace platform;

AfterFailure AskAfterMoveFailure(Dialogs& dialogs, const AppError& error, MoveStep step,
                                 const QString& source)
{
    int number = error.number();
    // Where the classic platform said 75 for a source it could not delete,
    // Linux says permission denied.
    if (step == MoveStep::Delete && number == err::PermissionDenied)
        number = err::PathFileAccess;
    switch (number) {
    case err::DiskFull:
        return dialogs.msgBox(
                   QStringLiteral("Target disk is full. Click OK to continue copying on a new disk, "
                                  "Cancel to quit."),
                   mb::OkCancel + mb::Question) == mb::Ok
                   ? AfterFailure::Retry
                   : AfterFailure::End;
    case err::PermissionDenied:
    case err::DiskNotReady:
        return dialogs.msgBox(
                   QStringLiteral("The device you are copying to is not ready.  Click OK to try again, "
                                  "Cancel to quit."),
                   mb::OkCancel + mb::Question) == mb::Ok
                   ? AfterFailure::Retry
                   : AfterFailure::End;
    case err::PathFileAccess:
        return dialogs.msgBox(QStringLiteral("Cannot delete the source file ") + source +
                                  QStringLiteral(". Click OK to continue moving images without deleting the "
                                                 "source, Cancel to quit."),
                              mb::OkCancel + mb::Question) == mb::Ok
                   ? AfterFailure::Skip
                   : AfterFailure::End;
    default:
        basUI::ReportError(dialogs, error);
        return AfterFailure::End;
    }
}

Moved CopyThenDelete(ImageOps& ops, const QString& source, const QString& target, CopyMode mode,
                     bool deleteSource, const std::function<bool(const AppError&)>& takesCopyFailure)
{
    MoveStep step = MoveStep::Copy;
    for (;;) {
        try {
            if (step == MoveStep::Copy) {
                ops.fileSystem.copyFile(source, target, mode);
                step = MoveStep::Delete;
            }
            if (deleteSource) {
                ops.fileSystem.removeFile(source);
                ForgetThumbnails(ops, source);
            }
            return Moved::Whole;
        } catch (const AppError& error) {
            if (step == MoveStep::Copy && takesCopyFailure(error))
                return Moved::Refused;
            const bool copied = step == MoveStep::Delete;
            switch (AskAfterMoveFailure(ops.dialogs, error, step, source)) {
            case AfterFailure::Retry:
                continue;
            case AfterFailure::Skip:
                return copied ? Moved::SourceKept : Moved::NotCopied;
            case AfterFailure::End:
                return copied ? Moved::EndedAfterCopy : Moved::EndedBeforeCopy;
            }
        }
    }
}

bool AllowsReplacing(Dialogs& dialogs, const QString& target)
{
    const QString question = QStringLiteral("A file named ") + fileNameOf(target) +
                             QStringLiteral(" is already in ") + parentFolderOf(target) +
                             QStringLiteral(". Do you want to replace it with this image?");
    return dialogs.msgBox(question, mb::YesNo + mb::Question) == mb::Yes;
}

BusyCursor::BusyCursor()
{
    basUI::BusyCursorOn();
}

BusyCursor::~BusyCursor()
{
    basUI::BusyCursorOff();
}

std::optional<QString> ChooseFolder(FolderPrompt& prompt, Dialogs& dialogs, const QString& noFolderText)
{
    for (;;) {
        const std::optional<QString> chosen = prompt.showOnce();
        if (!chosen || !chosen->isEmpty())
            return chosen;
        dialogs.msgBox(noFolderText, mb::OkOnly + mb::Information);
    }
}

} // namespace fileops
