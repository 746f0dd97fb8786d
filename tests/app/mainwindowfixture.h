#pragma once

#include "app/frmlummain.h"
#include "catalogue/appstate.h"
#include "catalogue/imagelistmodel.h"
#include "platform/filesystem.h"
#include "support/modelrows.h"
#include "support/recordinglauncher.h"
#include "support/scripteddialogs.h"

#include <QFile>
#include <QTemporaryDir>

#include <memory>

// A main window with scripted dialogs, a recording launcher and its settings
// file in a temporary folder.
struct MainWindowFixture {
    QTemporaryDir dir;
    testsupport::ScriptedDialogs dialogs;
    testsupport::RecordingLauncher launcher;
    platform::LocalFileSystem fileSystem;
    basLumarine::AppState state;
    int programEnded = 0;
    std::unique_ptr<frmLumMain> window;

    MainWindowFixture()
    {
        qputenv("LUMARINE_INI", QFile::encodeName(iniPath()));
        window = std::make_unique<frmLumMain>(
            state, app::Services{dialogs, launcher, fileSystem, [this] { ++programEnded; }});
    }
    ~MainWindowFixture() { qunsetenv("LUMARINE_INI"); }

    QString iniPath() const { return dir.filePath("lumarine.ini"); }

    void writeIni(const QByteArray& content) const
    {
        QFile file(iniPath());
        file.open(QIODevice::WriteOnly);
        file.write(content);
    }

    QByteArray readIni() const
    {
        QFile file(iniPath());
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

    // A file that already records the first start, so no help opens.
    static QByteArray afterFirstStart(const QByteArray& rest = {})
    {
        return "[Settings]\nFirstStart=Done\n" + rest;
    }
};
