#pragma once

#include "platform/filesystem.h"

#include <QString>

#include <functional>
#include <optional>

namespace platform {
class AppError;
class Dialogs;
} // namespace platform

namespace fileops {

struct ImageOps;

// The two steps of a move, each retried on its own.
enum class MoveStep { Copy, Delete };

enum class AfterFailure {
    Retry, // the user put things right: the same step again
    Skip,  // go on without this step; the source stays
    End,
};

// The questions of a failed copy or delete during a move. The source is
// named in the message about deleting it.
AfterFailure AskAfterMoveFailure(platform::Dialogs& dialogs, const platform::AppError& error, MoveStep step,
                                 const QString& source);

// How far a move of one image came.
enum class Moved {
    Whole,           // copied, and the source deleted when that was asked
    SourceKept,      // copied; the user went on without deleting the source
    NotCopied,       // the copy failed and the user went on without it
    Refused,         // the copy failed in a way the caller took care of
    EndedBeforeCopy, // the user ended the move at the copy
    EndedAfterCopy,  // the user ended the move with the copy in place
};

// Copies source to target, then deletes the source when deleteSource is set,
// asking after each failure whether to retry that step. A copy failure that
// takesCopyFailure takes (returns true for) ends with Refused, unasked.
Moved CopyThenDelete(ImageOps& ops, const QString& source, const QString& target, platform::CopyMode mode,
                     bool deleteSource,
                     const std::function<bool(const platform::AppError&)>& takesCopyFailure);

// Whether the user lets a copy replace the file of the same name that is
// already at the target: that file is another picture, never ours to lose.
bool AllowsReplacing(platform::Dialogs& dialogs, const QString& target);

// A scoped hourglass: every way out of a file operation turns it off.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// Asks the prompt until it returns a folder; nullopt when cancelled.
class FolderPrompt;
std::optional<QString> ChooseFolder(FolderPrompt& prompt, platform::Dialogs& dialogs,
                                    const QString& noFolderText);

} // namespace fileops
