// The image menu: its preparation for each place it opens from, the list
// boxes' mouse handlers, and the dispatch of its entries.
#include "app/frmlummain.h"

#include "catalogue/appstate.h"
#include "display/frmdisplay.h"
#include "fileops/imagemenu.h"
#include "fileops/movefavorites.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

void frmLumMain::connectImageMenu()
{
    connect(mnuImage, &QMenu::aboutToShow, this, &frmLumMain::mnuImage_Click);
    // A menu closed without a command must not leave its image behind: the
    // next opening would take it for a thumbnail's. Commands run after the
    // menu hides, hence the queued look.
    connect(mnuImage, &QMenu::aboutToHide, this, [this] {
        QTimer::singleShot(0, this, [this] {
            if (!imageMenuRan_ && !displayVisible())
                state_.ContextImage.clear();
        });
    });
    lstImages->viewport()->installEventFilter(this);
    lstFavorites->viewport()->installEventFilter(this);
    lstImages->installEventFilter(this);
    lstFavorites->installEventFilter(this);
    connect(lstImages, &QListView::clicked, this, &frmLumMain::lstImages_Click);
    connect(lstImages, &QListView::doubleClicked, this, &frmLumMain::lstImages_DblClick);
    connect(lstFavorites, &QListView::doubleClicked, this, &frmLumMain::lstFavorites_DblClick);
    connect(cmdRemoveFromFaves, &QPushButton::clicked, this, &frmLumMain::cmdRemoveFromFaves_Click);
}

bool frmLumMain::imageMenuFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ContextMenu)
        return imageMenuKey(watched, event);
    if (event->type() != QEvent::MouseButtonPress)
        return false;
    const bool images = watched == lstImages->viewport();
    if (!images && watched != lstFavorites->viewport())
        return false;
    auto* press = static_cast<QMouseEvent*>(event);
    const bool right = press->button() == Qt::RightButton;
    if (right)
        selectEntryAt(images ? lstImages : lstFavorites, press->position().toPoint());
    const QPoint position = press->globalPosition().toPoint();
    if (images)
        lstImages_MouseDown(press->button(), position);
    else
        lstFavorites_MouseDown(press->button(), position);
    // The press is the menu's; the list's own handling would select again.
    return right;
}

bool frmLumMain::imageMenuKey(QObject* watched, QEvent* event)
{
    QListView* list = watched == lstImages ? lstImages : watched == lstFavorites ? lstFavorites : nullptr;
    if (!list)
        return false;
    // The menu came with the key press below; the desktop's own menu event
    // would bring up the window's toolbar menu instead.
    if (event->type() == QEvent::ContextMenu)
        return static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Menu && !(key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier))
        return false;
    // At the current entry, as a right-click on it would open it.
    const QRect entry = list->visualRect(list->currentIndex());
    const QPoint at = list->viewport()->mapToGlobal(entry.isValid() ? entry.center() : QPoint());
    if (list == lstImages)
        lstImages_MouseDown(Qt::RightButton, at);
    else
        lstFavorites_MouseDown(Qt::RightButton, at);
    return true;
}

void frmLumMain::selectEntryAt(QListView* list, QPoint viewportPosition)
{
    // The menu acts on what the pointer points at, as a left click would
    // choose it; below the last entry the selection stays.
    const QModelIndex entry = list->indexAt(viewportPosition);
    if (!entry.isValid())
        return;
    list->setCurrentIndex(entry);
    if (list == lstImages)
        lstImages_Click();
}

fileops::ImageOps frmLumMain::imageOps()
{
    return {state_,
            services_.dialogs,
            services_.fileSystem,
            cdlMain,
            QCoreApplication::applicationDirPath(),
            [this] {
                // Over a show the browser stands on the display window, so the
                // main window stays behind the show.
                QWidget* over = displayVisible() ? static_cast<QWidget*>(display_.get()) : this;
                const QString start = browsedFolder_.isEmpty() ? baseText() : browsedFolder_;
                return fileops::BrowserPrompt(services_.fileSystem, services_.dialogs, over, start,
                                              browsedFolder_);
            },
            [this](const QString& path) { DisplayWindow().openSingleImage(path); },
            imgClipBoard,
            &services_.thumbnailCache};
}

bool frmLumMain::displayVisible() const
{
    return display_ && display_->isVisible();
}

void frmLumMain::lstImages_MouseDown(Qt::MouseButton button, QPoint globalPosition)
{
    const bool right = button == Qt::RightButton;
    fileops::PrepareForListBox(mnuImageSub, lstImages, false, right);
    if (!right)
        return;
    ActiveList = lstImages;
    popUpImageMenu(globalPosition);
}

void frmLumMain::lstFavorites_MouseDown(Qt::MouseButton button, QPoint globalPosition)
{
    const bool right = button == Qt::RightButton;
    fileops::PrepareForListBox(mnuImageSub, lstFavorites, true, right);
    if (!right)
        return;
    ActiveList = lstFavorites;
    popUpImageMenu(globalPosition);
}

void frmLumMain::popUpImageMenu(QPoint globalPosition)
{
    // exec() returns once the chosen command has run.
    mnuImage->exec(globalPosition);
}

void frmLumMain::thumbnailMenu(QPoint globalPosition)
{
    fileops::PrepareForThumbnail(mnuImageSub, state_.Favorites, state_.ContextImage);
    popUpImageMenu(globalPosition);
}

void frmLumMain::mnuImage_Click()
{
    imageMenuRan_ = false;
    fileops::PrepareOnOpen(mnuImageSub, state_.ContextImage, ActiveList);
}

void frmLumMain::mnuImageSub_Click(int index)
{
    imageMenuRan_ = true;
    catalogue::ImageCollection* target = nullptr;
    if (displayVisible())
        target = display_->mcolCurrent();
    else if (ActiveList == lstImages)
        target = &state_.MainImages;
    else if (ActiveList == lstFavorites)
        target = &state_.Favorites;
    auto ops = imageOps();
    fileops::RunImageCommand(ops, mnuImageSub, index, target, displayVisible());
}

void frmLumMain::lstImages_Click()
{
    ActiveList = lstImages;
}

void frmLumMain::lstImages_DblClick()
{
    const int row = fileops::SelectedRow(lstImages);
    if (row >= 0)
        DisplayWindow().openSingleImage(state_.MainImages.Item(row + 1));
}

void frmLumMain::lstFavorites_DblClick()
{
    ActiveList = lstFavorites;
    const int row = fileops::SelectedRow(lstFavorites);
    if (row >= 0)
        DisplayWindow().openSingleImage(state_.Favorites.Item(row + 1));
}

void frmLumMain::cmdRemoveFromFaves_Click()
{
    auto ops = imageOps();
    fileops::cmdRemoveFromFaves_Click(ops, fileops::SelectedRow(lstFavorites));
}

void frmLumMain::MoveFavorites()
{
    auto ops = imageOps();
    fileops::MoveFavorites(ops);
}
