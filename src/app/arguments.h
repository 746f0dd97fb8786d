#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace app {

// What the command line asks the program to open at start-up.
struct Arguments {
    enum class Open { Nothing, Pictures, Folder, ListFile };
    Open open = Open::Nothing;
    // The pictures in the order given, as full paths; the folder, as a full
    // path; or the list file's name, as given.
    QStringList paths;
    // Set when the program answers and ends without a window (--help,
    // --version, an unknown option): its exit code and what it prints.
    std::optional<int> exitCode;
    QString output;
    QString errorOutput;
};

// Reads the program's arguments (the program name first). A single folder is
// opened as a folder; JPEG names as pictures; anything else is one list file,
// its parts joined by blanks, since a name with blanks may come split.
Arguments parseArguments(const QStringList& arguments);

// Prints what the program answers, and gives its exit code.
int printAnswer(const Arguments& arguments);
// --help and --version answer before the application exists, so they work
// without a display: the exit code when the program has answered. Anything
// else waits for the application, which takes its own options (-platform)
// off the list.
std::optional<int> answerWithoutDisplay(int argc, char* argv[]);

} // namespace app
