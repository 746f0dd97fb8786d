#pragma once

#include "catalogue/appstate.h"
#include "catalogue/imagelistmodel.h"
#include "fileops/imagemenu.h"
#include "fileops/imageops.h"
#include "platform/thumbnailcache.h"
#include "support/testmain.h"

#include <QLabel>

// The single-image commands over a temporary folder: scripted dialogs, a
// scripted folder browser, the two list boxes' models.
struct OpsFixture {
    QString put(const QString& relative, const QByteArray& bytes);
    QString path(const QString& relative) const { return dir.filePath(relative); }
    // Every file below the temporary folder, hidden ones too, with its bytes.
    QMap<QString, QByteArray> files() const;
    void list(const QString& fullPath, bool favourite = false);
    static QStringList rows(const QAbstractItemModel& model) { return testsupport::rowsOf(model); }
    fileops::ImageOps ops();
    // Runs an entry of the image menu on ContextImage.
    void runCommand(int entry, bool displayVisible = false, catalogue::ImageCollection* target = nullptr);
    // Entries for the picture in every size folder of the shared thumbnail
    // cache and in two programs' fail folders; how many of them are left.
    void cacheThumbnails(const QString& picture);
    int cachedThumbnails(const QString& picture) const;

    QTemporaryDir dir;
    testsupport::ScriptedDialogs dialogs;
    testsupport::FailingFileSystem fileSystem;
    basLumarine::AppState state;
    catalogue::ImageListModel lstImages{state.MainImages};
    catalogue::ImageListModel lstFavorites{state.Favorites};
    platform::FileDialogState cdlMain;
    QLabel imgClipBoard;
    // The folder browser's answers in order: nullopt is Cancel.
    QList<std::optional<QString>> folders;
    int browsersShown = 0;
    QStringList displayed;
    QTemporaryDir cacheDir;
    platform::ThumbnailCache thumbnails{cacheDir.filePath("thumbnails"), true, "lumarine-test"};

private:
    QMultiHash<QString, QString> cacheEntries_;
};
