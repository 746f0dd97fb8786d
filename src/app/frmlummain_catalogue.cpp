// The main window's list commands: each reads its controls and hands them to
// the catalogue's operation.
#include "app/frmlummain.h"

#include "app/searchguard.h"
#include "browse/frmbrowsedir.h"
#include "catalogue/appstate.h"
#include "catalogue/folderscan.h"
#include "catalogue/listcommands.h"
#include "catalogue/listfiles.h"
#include "catalogue/showassembly.h"
#include "platform/basui.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

catalogue::Context frmLumMain::catalogueContext()
{
    return {services_.dialogs, services_.fileSystem, services_.pacer, *this};
}

void frmLumMain::BuildBaseCombo()
{
    // Adding the first item would select it and so replace the text that the
    // settings put into the box.
    const QString text = txtBase->currentText();
    txtBase->addItems(catalogue::BaseComboEntries(services_.fileSystem));
    txtBase->setCurrentIndex(-1);
    txtBase->setEditText(text);
}

void frmLumMain::SetBase()
{
    frmBrowseDir browser(services_.fileSystem, services_.dialogs, this);
    const QString base = txtBase->currentText();
    browser.setStartFolder(base.isEmpty() ? browsedFolder_ : base);
    browser.ShowModal();
    if (browser.DIRCancel)
        return;
    txtBase->setEditText(browser.DIRSelectedDir);
    if (!browser.DIRSelectedDir.isEmpty())
        browsedFolder_ = browser.DIRSelectedDir;
}

bool frmLumMain::runSearch(const std::function<bool(catalogue::Context&)>& search)
{
    app::SearchGuard guard(*this, *cmdCount, *cmdStop);
    catalogue::Context context{services_.dialogs, services_.fileSystem, guard.pacer(), *this,
                               guard.stopRequested()};
    return search(context);
}

void frmLumMain::cmdCount_Click()
{
    runSearch([this](catalogue::Context& context) {
        catalogue::Count(txtBase->currentText(), state_.MainImages, context);
        return true;
    });
}

bool frmLumMain::SearchFolder(const QString& path)
{
    return runSearch([this, &path](catalogue::Context& context) {
        return catalogue::SearchFolder(path, state_.MainImages, context);
    });
}

void frmLumMain::openArguments(const app::Arguments& arguments)
{
    // A list file fills the list before the window shows. Pictures and a
    // folder wait for the event loop, so the show comes up in front of the
    // main window and a count is seen going on.
    const QStringList paths = arguments.paths;
    switch (arguments.open) {
    case app::Arguments::Open::Nothing:
        break;
    case app::Arguments::Open::ListFile:
        OpenList(paths.first());
        break;
    case app::Arguments::Open::Folder:
        QMetaObject::invokeMethod(
            this,
            [this, paths] {
                txtBase->setEditText(paths.first());
                cmdCount->click();
            },
            Qt::QueuedConnection);
        break;
    case app::Arguments::Open::Pictures:
        QMetaObject::invokeMethod(
            this,
            [this, paths] {
                try {
                    catalogue::ShowPictures(paths, state_, *this, services_.dialogs, services_.fileSystem);
                } catch (const platform::AppError& error) {
                    basUI::ReportError(services_.dialogs, error);
                }
            },
            Qt::QueuedConnection);
        break;
    }
}

void frmLumMain::cmdAddAllToFavorites_Click()
{
    catalogue::AddAllToFavorites(state_.MainImages, state_.Favorites, services_.dialogs, services_.pacer);
}

void frmLumMain::cmdClearFaves_Click()
{
    catalogue::ClearFavorites(state_.Favorites, services_.dialogs);
}

void frmLumMain::OpenList(const std::optional<QString>& fileName)
{
    auto context = catalogueContext();
    catalogue::OpenList(fileName, cdlMain, state_.MainImages, context);
}

void frmLumMain::SaveList(const catalogue::ImageCollection& list)
{
    // The dialog starts where the program keeps its settings: the program's
    // folder, or the user's own when that cannot be written.
    const QString folder = QFileInfo(state_.IniPath).absolutePath();
    catalogue::SaveList(list, cdlMain, folder, services_.dialogs, services_.fileSystem);
}
