#pragma once

#include <functional>

namespace platform {
class Dialogs;
class FileSystem;
class Launcher;
} // namespace platform

namespace app {

// What the main window reaches outside the program: the real ones in main(),
// doubles in the tests.
struct Services {
    platform::Dialogs& dialogs;
    platform::Launcher& launcher;
    platform::FileSystem& fileSystem;
    // Ends the program once the main window has closed.
    std::function<void()> endProgram;
};

} // namespace app
