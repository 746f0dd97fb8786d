// The menu bar and the toolbar, and the dispatch of their entries. A command
// that a button also offers is run by pressing that button.
#include "app/frmlummain.h"

#include "app/about.h"
#include "app/help.h"
#include "app/toolicons.h"
#include "catalogue/appstate.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

namespace {

struct Entry {
    const char* caption; // "-" is a separator
    bool enabled = true;
};

QVector<QAction*> addEntries(QMenu* menu, const char* arrayName, std::initializer_list<Entry> entries)
{
    QVector<QAction*> actions;
    int index = 0;
    for (const Entry& entry : entries) {
        QAction* action = QLatin1String(entry.caption) == QLatin1String("-")
                              ? menu->addSeparator()
                              : menu->addAction(QString::fromUtf8(entry.caption));
        action->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(arrayName)).arg(index++));
        action->setEnabled(entry.enabled);
        actions.append(action);
    }
    return actions;
}

struct ToolButton {
    const char* caption; // nullptr is a separator
    const char* toolTip;
    const char* themeIcon;
};

const ToolButton toolButtons[] = {
    {"New", "Create New Favorites List", "document-new"},
    {nullptr, nullptr, nullptr},
    {"Open", "Open Current Favorites List", "document-open"},
    {"Save", "Save Current Favorites List", "document-save"},
    {"Copy", "Move Favorite Images", "edit-copy"},
    {nullptr, nullptr, nullptr},
    {"Browse", "Browse For Base Path", "folder-open"},
    {nullptr, nullptr, nullptr},
    {"Preview", "Preview All Images", "view-preview"},
    {"All", "Show All Images", "media-playback-start"},
    {"Faves", "Show Favorite Images", "emblem-favorite"},
    {nullptr, nullptr, nullptr},
    {"Help", "Help", "help-contents"},
};

} // namespace

void frmLumMain::buildMenus()
{
    menuBar()->setAccessibleName(tr("Menu bar"));
    mnuFile = menuBar()->addMenu(tr("&File"));
    mnuFile->setObjectName("mnuFile");
    mnuSaveList = new QMenu(tr("&Save Lists"), this);
    mnuSaveList->setObjectName("mnuSaveList");
    mnuSaveListSub = addEntries(mnuSaveList, "mnuSaveList", {{"Current Image List"}, {"Current Favorites"}});
    mnuFileSub = addEntries(mnuFile, "mnuFileSub", {{"&New Favorites List"}, {"-"}, {"&Open List"}});
    QAction* saveLists = mnuFile->addMenu(mnuSaveList);
    saveLists->setObjectName("mnuFileSub_3");
    mnuFileSub.append(saveLists);
    const QVector<QAction*> rest =
        addEntries(mnuFile, "mnuFileSub", {{"-"}, {"&Move Favorites"}, {"-"}, {"E&xit"}});
    for (qsizetype i = 0; i < rest.size(); ++i) {
        rest[i]->setObjectName(QStringLiteral("mnuFileSub_%1").arg(4 + i));
        mnuFileSub.append(rest[i]);
    }

    // The image menu's commands start disabled; opening the menu prepares them.
    mnuImage = menuBar()->addMenu(tr("&Image"));
    mnuImage->setObjectName("mnuImage");
    mnuImageSub = addEntries(mnuImage, "mnuImageSub",
                             {{"&Display", false},
                              {"-"},
                              {"Add to favorites", false},
                              {"Remove from favorites", false},
                              {"Add to saved Lumarine list", false},
                              {"-"},
                              {"&Copy image file", false},
                              {"C&opy image to clipboard", false},
                              {"&Rename file", false},
                              {"&Move ", false},
                              {"&Delete", false}});

    mnuView = menuBar()->addMenu(tr("&View"));
    mnuView->setObjectName("mnuView");
    mnuViewSub = addEntries(
        mnuView, "mnuViewSub",
        {{"&Browse For Root"}, {"-"}, {"&Preview All"}, {"-"}, {"Show &All"}, {"Show &Favorites"}});

    mnuHelp = menuBar()->addMenu(tr("&Help"));
    mnuHelp->setObjectName("mnuHelp");
    mnuHelpSub = addEntries(mnuHelp, "mnuHelpSub", {{"&Help"}, {"-"}, {"&About"}});
    mnuHelpSub[0]->setShortcut(QKeySequence::HelpContents);

    auto dispatch = [this](const QVector<QAction*>& actions, void (frmLumMain::*handler)(int)) {
        for (int i = 0; i < actions.size(); ++i)
            connect(actions[i], &QAction::triggered, this, [this, handler, i] { (this->*handler)(i); });
    };
    dispatch(mnuFileSub, &frmLumMain::mnuFileSub_Click);
    dispatch(mnuSaveListSub, &frmLumMain::mnuSaveList_Click);
    dispatch(mnuViewSub, &frmLumMain::mnuViewSub_Click);
    dispatch(mnuHelpSub, &frmLumMain::mnuHelpSub_Click);
    dispatch(mnuImageSub, &frmLumMain::mnuImageSub_Click);
    // A menu that pops up is named as the entry that opens it.
    for (QMenu* menu : findChildren<QMenu*>())
        menu->setAccessibleName(menu->title().remove(QLatin1Char('&')));
}

void frmLumMain::buildToolbar()
{
    Toolbar1 = addToolBar(tr("Toolbar"));
    Toolbar1->setObjectName("Toolbar1");
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    Toolbar1->setIconSize(QSize(16, 16));
    // The button that shows the buttons a narrow window has no room for.
    if (auto* more = Toolbar1->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(tr("More buttons"));
    Toolbar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    // Thirteen buttons share the design's 440 pixels: compact captions keep
    // the last one from falling into the overflow menu.
    Toolbar1->setStyleSheet(
        QStringLiteral("QToolBar { spacing: 0px; } QToolButton { padding: 1px 1px; font-size: 8pt; }"));
    toolbarButtons = {nullptr};
    int index = 1;
    for (const ToolButton& button : toolButtons) {
        QAction* action = nullptr;
        if (!button.caption) {
            action = Toolbar1->addSeparator();
            Toolbar1->widgetForAction(action)->setAccessibleName(tr("Separator"));
        } else {
            const QIcon icon = app::ToolIcon(QLatin1String(button.themeIcon));
            action = Toolbar1->addAction(icon, QLatin1String(button.caption));
            action->setToolTip(QLatin1String(button.toolTip));
            const int buttonIndex = index;
            connect(action, &QAction::triggered, this,
                    [this, buttonIndex] { Toolbar1_ButtonClick(buttonIndex); });
        }
        action->setObjectName(QStringLiteral("Toolbar1_%1").arg(index++));
        toolbarButtons.append(action);
    }
}

void frmLumMain::ShowButtonNames(bool bolNames)
{
    for (int i = 1; i < toolbarButtons.size(); ++i) {
        const char* caption = toolButtons[i - 1].caption;
        toolbarButtons[i]->setText(bolNames && caption ? QLatin1String(caption) : QString());
    }
    // Without captions the buttons shrink to their images.
    Toolbar1->setToolButtonStyle(bolNames ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
}

void frmLumMain::Toolbar1_ButtonClick(int index)
{
    switch (index) {
    case 1:
        cmdClearFaves->click();
        break;
    case 3:
        OpenList();
        break;
    case 4:
        SaveList(state_.Favorites);
        break;
    case 5:
        MoveFavorites();
        break;
    case 7:
        SetBase();
        break;
    case 9:
        cmdPreview->click();
        break;
    case 10:
        cmdShowAll->click();
        break;
    case 11:
        cmdFavorites->click();
        break;
    case 13:
        app::OpenHelp(services_.launcher, services_.dialogs);
        break;
    default:
        break;
    }
}

void frmLumMain::mnuFileSub_Click(int index)
{
    switch (index) {
    case 0:
        cmdClearFaves->click();
        break;
    case 2:
        OpenList();
        break;
    case 5:
        MoveFavorites();
        break;
    case 7:
        cmdClose->click();
        break;
    default:
        break;
    }
}

void frmLumMain::mnuSaveList_Click(int index)
{
    if (index == 0)
        SaveList(state_.MainImages);
    else if (index == 1)
        SaveList(state_.Favorites);
}

void frmLumMain::mnuViewSub_Click(int index)
{
    switch (index) {
    case 0:
        SetBase();
        break;
    case 2:
        cmdPreview->click();
        break;
    case 4:
        cmdShowAll->click();
        break;
    case 5:
        cmdFavorites->click();
        break;
    default:
        break;
    }
}

void frmLumMain::mnuHelpSub_Click(int index)
{
    if (index == 0)
        app::OpenHelp(services_.launcher, services_.dialogs);
    else if (index == 2)
        basLumarine::ShowAbout(services_.dialogs);
}
