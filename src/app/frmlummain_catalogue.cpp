// The main window's list commands: each reads its controls and hands them to
// the catalogue's operation.
#include "app/frmlummain.h"

#include "browse/frmbrowsedir.h"
#include "catalogue/appstate.h"
#include "catalogue/folderscan.h"
#include "catalogue/listcommands.h"
#include "catalogue/listfiles.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>

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

void frmLumMain::cmdCount_Click()
{
    auto context = catalogueContext();
    catalogue::Count(txtBase->currentText(), state_.MainImages, context);
}

void frmLumMain::SearchFolder(const QString& path)
{
    auto context = catalogueContext();
    catalogue::SearchFolder(path, state_.MainImages, context);
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
