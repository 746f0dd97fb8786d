#pragma once

#include "app/arguments.h"
#include "app/services.h"
#include "catalogue/context.h"
#include "catalogue/showassembly.h"
#include "fileops/imageops.h"
#include "platform/dialogs.h"
#include "settings/loadsave.h"

#include <QMainWindow>
#include <QVector>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QPushButton;
class QTabWidget;
class QTimer;
class QToolBar;
class frmDisplay;

namespace basLumarine {
struct AppState;
}
namespace catalogue {
class ImageCollection;
class ImageListModel;
} // namespace catalogue
namespace settings {
class SettingsFile;
}

// The main window: layout and dispatch. Every command lives in its subsystem;
// the handlers here read their controls, call it and show the result. What
// the settings, the catalogue's commands and the shows need of the window
// they reach through their own view interfaces, all answered here from the
// controls.
class frmLumMain : public QMainWindow, private settings::SettingsView, private catalogue::ShowView {
    Q_OBJECT

public:
    frmLumMain(basLumarine::AppState& state, app::Services services, QWidget* parent = nullptr);
    ~frmLumMain() override;

    // Start-up: the settings, the base folders, then what the command line
    // names; every step's failure is reported and the next step runs.
    void Form_Load(const app::Arguments& arguments);
    // The one display window of the run, created on first use.
    frmDisplay& DisplayWindow();

protected:
    void closeEvent(QCloseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The view the settings, the catalogue's commands and the shows reach.
    QString baseText() const override;
    void setBaseText(const QString& text) override;
    QString delayText() const override;
    void setDelayText(const QString& text) override;
    bool randomTicked() const override;
    void setRandomTicked(bool ticked) override;
    QString thumbSizeText() const override;
    void setThumbSizeText(const QString& text) override;
    void setShowNamesTicked(bool ticked) override;
    void ShowButtonNames(bool bolNames) override;
    void setThumbSize(const QString& size) override;
    bool thumbPreview() const override;
    void setThumbPreview(bool preview) override;
    void openHelp() override;
    void setStatusText(const QString& text) override;
    void setCountText(const QString& text) override;
    int favoritesLines() const override;
    // The folder scan that Show All runs when the main list is empty; false
    // when the user stopped it.
    bool SearchFolder(const QString& path) override;
    void pressCount() override;
    catalogue::ShowWindow& displayWindow() override;

    void buildLayout();
    QWidget* buildActionsTab();
    QWidget* buildImageListTab();
    QWidget* buildFavoritesTab();
    QWidget* buildSettingsTab();
    void buildMenus();
    void connectImageMenu();
    bool imageMenuFilter(QObject* watched, QEvent* event);
    bool imageMenuKey(QObject* watched, QEvent* event);
    void selectEntryAt(QListView* list, QPoint viewportPosition);
    void popUpImageMenu(QPoint globalPosition);
    void thumbnailMenu(QPoint globalPosition);
    bool displayVisible() const;
    void buildToolbar();
    void connectHandlers();

    // The display window calls it when it closes; the box is in step with
    // Favorites already.
    void ListFavorites();
    // Adds the drives to the base path box's list, keeping its text.
    void BuildBaseCombo();
    // Chooses the base path in the folder browser.
    void SetBase();
    // Opens a list file into the main list: the one named, or one chosen in
    // the open dialog.
    void OpenList(const std::optional<QString>& fileName = std::nullopt);
    void SaveList(const catalogue::ImageCollection& list);
    void tabMain_Click(int previousTab);
    void Toolbar1_ButtonClick(int index);
    void mnuFileSub_Click(int index);
    void mnuSaveList_Click(int index);
    void mnuViewSub_Click(int index);
    void mnuHelpSub_Click(int index);

    // The image menu (the menu bar's "&Image" and the pop-ups).
    void mnuImage_Click();
    void mnuImageSub_Click(int index);
    void lstImages_MouseDown(Qt::MouseButton button, QPoint globalPosition);
    void lstFavorites_MouseDown(Qt::MouseButton button, QPoint globalPosition);
    void lstImages_Click();
    void lstImages_DblClick();
    void lstFavorites_DblClick();
    void cmdRemoveFromFaves_Click();
    void MoveFavorites();
    // What the image commands and the favourites move work with.
    fileops::ImageOps imageOps();

    void Form_Unload();
    void Form_GotFocus();
    void cmdClose_Click();
    void chkRandom_Click();
    void cboTNSize_Click();
    void chkShowNames_Click();
    void txtDelay_LostFocus();
    void lblLink_DblClick();
    void cmdCount_Click();
    void cmdAddAllToFavorites_Click();
    void cmdClearFaves_Click();

    catalogue::Context catalogueContext();
    // Opens what the command line names: pictures, a folder or a list file.
    void openArguments(const app::Arguments& arguments);
    // A folder search that the user can stop, as Count and Show All run it.
    bool runSearch(const std::function<bool(catalogue::Context&)>& search);
    // The settings file; a write that fails is reported, once a run.
    settings::SettingsFile settingsFile();

    basLumarine::AppState& state_;
    app::Services services_;
    std::unique_ptr<frmDisplay> display_;
    // Restarted by every change of the lists and every show's end: when it
    // runs out, the window has been idle long enough to decode ahead.
    QTimer* idle_ = nullptr;
    void decodeFirstPictureWhenIdle();
    void decodeFirstPicture();
    bool unloaded_ = false;
    bool checkingDelay_ = false;
    // Whether a command ran since the image menu last opened.
    bool imageMenuRan_ = false;
    bool settingsFailureReported_ = false;
    // The folder last chosen in a folder browser during this run.
    QString browsedFolder_;

    // The list box the image menu acts on: lstImages, lstFavorites or none.
    QListView* ActiveList = nullptr;
    platform::FileDialogState cdlMain;

    QToolBar* Toolbar1 = nullptr;
    QTabWidget* tabMain = nullptr;
    QPushButton* cmdClose = nullptr;
    QLabel* imgClipBoard = nullptr;

    QComboBox* txtBase = nullptr;
    QPushButton* cmdBrowse = nullptr;
    QLabel* lblCount = nullptr;
    QPushButton* cmdCount = nullptr;
    // Stands in Count's place while a folder search runs, to stop it.
    QPushButton* cmdStop = nullptr;
    QLabel* lblStatus = nullptr;
    QPushButton* cmdPreview = nullptr;
    QPushButton* cmdFavorites = nullptr;
    QPushButton* cmdShowAll = nullptr;
    QPushButton* cmdClearFaves = nullptr;
    QLabel* lblLink = nullptr;

    QListView* lstImages = nullptr;
    catalogue::ImageListModel* lstImagesModel = nullptr;
    QPushButton* cmdAddAllToFavorites = nullptr;
    QListView* lstFavorites = nullptr;
    catalogue::ImageListModel* lstFavoritesModel = nullptr;
    QPushButton* cmdRemoveFromFaves = nullptr;

    QCheckBox* chkRandom = nullptr;
    QLineEdit* txtDelay = nullptr;
    QComboBox* cboTNSize = nullptr;
    QCheckBox* chkShowNames = nullptr;

    QMenu* mnuFile = nullptr;
    QMenu* mnuSaveList = nullptr;
    QMenu* mnuImage = nullptr;
    QMenu* mnuView = nullptr;
    QMenu* mnuHelp = nullptr;
    QVector<QAction*> mnuFileSub;
    QVector<QAction*> mnuSaveListSub;
    QVector<QAction*> mnuImageSub;
    QVector<QAction*> mnuViewSub;
    QVector<QAction*> mnuHelpSub;
    // Index 0 is unused: toolbar buttons count from 1.
    QVector<QAction*> toolbarButtons;
};
