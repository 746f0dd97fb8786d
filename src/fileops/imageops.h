#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QLabel;

namespace basLumarine {
struct AppState;
}
namespace catalogue {
class ImageCollection;
}
namespace platform {
class Dialogs;
class FileSystem;
class ThumbnailCache;
struct FileDialogState;
} // namespace platform

namespace fileops {

// One folder browser with its New button, shown as often as its caller
// needs: nullopt when cancelled, otherwise the chosen folder ("" for none).
class FolderPrompt {
public:
    virtual ~FolderPrompt() = default;
    virtual std::optional<QString> showOnce() = 0;
};

// What the single-image commands and the favourites move reach.
struct ImageOps {
    basLumarine::AppState& state;
    platform::Dialogs& dialogs;
    platform::FileSystem& fileSystem;
    platform::FileDialogState& cdlMain;
    QString programFolder;
    std::function<std::unique_ptr<FolderPrompt>()> folderPrompt;
    // Shows one picture in a modal window of its own.
    std::function<void(const QString& path)> displaySingle;
    QLabel* imgClipBoard = nullptr;
    // The desktop's shared thumbnail cache, told of every picture deleted,
    // renamed or moved away; none when unset.
    const platform::ThumbnailCache* thumbnails = nullptr;
};

// Drops a picture's entries from the shared thumbnail cache once its file
// was deleted, renamed or moved away.
void ForgetThumbnails(const ImageOps& ops, const QString& path);

void DisplaySingleImage(ImageOps& ops, const QString& path);
void AddImageToFavorites(ImageOps& ops, const QString& path);
void RemoveImageFromFavorites(ImageOps& ops, const QString& path);
void AddToSavedList(ImageOps& ops, const QString& path);
void CopyImageFile(ImageOps& ops, const QString& path);
void CopyImageToClipboard(ImageOps& ops, const QString& path);
void RenameImage(ImageOps& ops, catalogue::ImageCollection& target, const QString& path);
void MoveImage(ImageOps& ops, catalogue::ImageCollection& target, const QString& path);
void DeleteImage(ImageOps& ops, catalogue::ImageCollection& target, const QString& path);

// The Favorites tab's "Remove Image" button; row -1 when nothing is selected.
void cmdRemoveFromFaves_Click(ImageOps& ops, int selectedRow);

// After a rename or a move: the old path leaves the target list and the new
// one joins its end, once, should a move have replaced a listed file.
void ReplaceInList(catalogue::ImageCollection& target, const QString& oldPath, const QString& newPath);

} // namespace fileops
