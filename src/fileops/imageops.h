#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QStringListModel;

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
    QStringListModel& lstImages;
    QStringListModel& lstFavorites;
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

// Row of the first entry that equals the text exactly, letter case and all;
// -1 when there is none.
int FindListIndex(const QStringListModel& list, const QString& text);

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

// After a rename or a move: the entry of the old path leaves the first list
// box that holds it, and the new path joins the end of that box.
void ReplaceListEntry(ImageOps& ops, const QString& oldPath, const std::optional<QString>& newPath);

} // namespace fileops
