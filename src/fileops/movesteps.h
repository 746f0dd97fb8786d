#pragma once

#include <QString>

#include <optional>

namespace platform {
class AppError;
class Dialogs;
} // namespace platform

namespace fileops {

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
