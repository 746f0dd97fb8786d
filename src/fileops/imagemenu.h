#pragma once

#include <QString>
#include <QVector>

#include <memory>

class QAction;
class QListView;
class QWidget;

namespace catalogue {
class ImageCollection;
}
namespace platform {
class Dialogs;
class FileSystem;
} // namespace platform

namespace fileops {

struct ImageOps;
class FolderPrompt;

// The image menu's entries by index; "-" entries are separators.
namespace entry {
inline constexpr int Display = 0;
inline constexpr int AddToFavorites = 2;
inline constexpr int RemoveFromFavorites = 3;
inline constexpr int AddToSavedList = 4;
inline constexpr int CopyFile = 6;
inline constexpr int CopyToClipboard = 7;
inline constexpr int Rename = 8;
inline constexpr int Move = 9;
inline constexpr int Delete = 10;
} // namespace entry

void EnableImageMenu(const QVector<QAction*>& mnuImageSub);
void DisableImageMenu(const QVector<QAction*>& mnuImageSub);
bool IsInCollection(const catalogue::ImageCollection& collection, const QString& key);

// The selected row of a list box, -1 when none.
int SelectedRow(const QListView* box);

// A button pressed on a list box: the entries follow its selection; a right
// button also offers the command that fits that list.
void PrepareForListBox(const QVector<QAction*>& mnuImageSub, const QListView* box, bool isFavorites,
                       bool rightButton);
// The menu opening (mnuImage_Click): unless a thumbnail prepared it, the
// selected entry of the active list becomes the context image.
void PrepareOnOpen(const QVector<QAction*>& mnuImageSub, QString& contextImage, const QListView* activeList);
// A thumbnail's menu: the favourites decide between Add and Remove.
void PrepareForThumbnail(const QVector<QAction*>& mnuImageSub, const catalogue::ImageCollection& favorites,
                         const QString& contextImage);

// mnuImageSub_Click. The target list is the one rename, move and delete
// change (nullptr for none); while the display window shows, the context
// image is left as the command set it, for the thumbnail view to read.
void RunImageCommand(ImageOps& ops, const QVector<QAction*>& mnuImageSub, int index,
                     catalogue::ImageCollection* target, bool displayVisible);

// The folder browser with its New button, opened at startFolder; a folder
// chosen in it is written to chosenFolder.
std::unique_ptr<FolderPrompt> BrowserPrompt(platform::FileSystem& fileSystem, platform::Dialogs& dialogs,
                                            QWidget* parent, const QString& startFolder,
                                            QString& chosenFolder);

} // namespace fileops
