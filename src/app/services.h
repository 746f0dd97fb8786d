#pragma once

#include <functional>

namespace platform {
class Dialogs;
class FileSystem;
class Launcher;
class Pacer;
class PictureLoader;
class ThumbnailCache;
} // namespace platform

namespace app {

// Everything the main window reaches outside itself: the real ones, made in
// main(), or doubles in the tests.
struct Services {
    platform::Dialogs& dialogs;
    platform::Launcher& launcher;
    platform::FileSystem& fileSystem;
    // Decodes the pictures of shows and single views.
    const platform::PictureLoader& pictures;
    // Decodes the thumbnails of a preview's pages.
    const platform::PictureLoader& thumbnails;
    // The desktop's shared thumbnail cache, told of every picture deleted,
    // renamed or moved away.
    const platform::ThumbnailCache& thumbnailCache;
    // Keeps the window answering during long list commands.
    platform::Pacer& pacer;
    // Ends the program once the main window has closed.
    std::function<void()> endProgram;
};

} // namespace app
