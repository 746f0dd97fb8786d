#pragma once

#include <QString>

#include <functional>

namespace platform {
class Dialogs;
class FileSystem;
class Pacer;
} // namespace platform

namespace catalogue {

// The main window's two labels that the catalogue's commands write: the
// status line and the image count.
class StatusLabels {
public:
    virtual ~StatusLabels() = default;
    virtual void setStatusText(const QString& text) = 0;
    virtual void setCountText(const QString& text) = 0;
};

// What the catalogue's long commands reach outside the lists they change.
struct Context {
    platform::Dialogs& dialogs;
    platform::FileSystem& fileSystem;
    platform::Pacer& pacer;
    StatusLabels& labels;
    // Asked before each folder is listed: true ends the search there, and
    // what was found so far stays. None: the search runs to its end.
    std::function<bool()> stopRequested = {};
};

} // namespace catalogue
