#pragma once

#include "app/frmlummain.h"
#include "catalogue/appstate.h"
#include "platform/pacer.h"
#include "platform/thumbnailcache.h"
#include "support/recordinglauncher.h"
#include "support/testmain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>

#include <memory>

// A main window with scripted dialogs, a recording launcher, real pictures and
// its settings file and thumbnail cache in a temporary folder. Tests reach the
// controls as a user does, by their names.
struct MainWindowFixture {
    QTemporaryDir dir;
    testsupport::ScriptedDialogs dialogs;
    testsupport::RecordingLauncher launcher;
    platform::LocalFileSystem fileSystem;
    platform::FilePictureLoader pictures;
    platform::ThumbnailCache thumbnailCache{dir.filePath("thumbnails"), true, "lumarine-test"};
    platform::CachedThumbnailLoader thumbnails{pictures, thumbnailCache};
    platform::Pacer pacer;
    basLumarine::AppState state;
    int programEnded = 0;
    std::unique_ptr<frmLumMain> window;

    MainWindowFixture()
    {
        qputenv("LUMARINE_INI", QFile::encodeName(iniPath()));
        window = std::make_unique<frmLumMain>(state, app::Services{dialogs, launcher, fileSystem, pictures,
                                                                   thumbnails, thumbnailCache, pacer,
                                                                   [this] { ++programEnded; }});
    }
    ~MainWindowFixture() { qunsetenv("LUMARINE_INI"); }

    // The control, menu or action of that name; a missing one ends the run.
    template <typename T> T* child(const QString& name) const
    {
        T* found = window->findChild<T*>(name);
        if (!found)
            qFatal("The main window has no %s", qPrintable(name));
        return found;
    }
    QAction* action(const QString& name) const { return child<QAction>(name); }
    // Whether the toolbar's buttons show their captions.
    bool captionsShown() const { return !action("Toolbar1_1")->text().isEmpty(); }

    // Started with a settings file that records the first start, so no help opens.
    void load(const QByteArray& settings = {})
    {
        writeIni("[Settings]\nFirstStart=Done\n" + settings);
        window->Form_Load({});
    }

    QString iniPath() const { return dir.filePath("lumarine.ini"); }
    void writeIni(const QByteArray& content) const { testsupport::writeBytes(iniPath(), content); }
    QByteArray readIni() const { return testsupport::readBytes(iniPath()); }

    // A small picture in the temporary folder, added to the main list.
    QString addPicture(const QString& name)
    {
        const QString path = dir.filePath(name);
        testsupport::writeJpeg(path, QSize(160, 120));
        state.MainImages.Add(path);
        return path;
    }
};
