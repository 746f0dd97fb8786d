#include "app/frmlummain.h"

#include "app/appicon.h"
#include "app/help.h"
#include "catalogue/appstate.h"
#include "catalogue/imagelistmodel.h"
#include "catalogue/showassembly.h"
#include "display/frmdisplay.h"
#include "platform/apperror.h"
#include "platform/basui.h"
#include "platform/launcher.h"
#include "settings/settingsfile.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcutEvent>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>

#include <utility>

frmLumMain::frmLumMain(basLumarine::AppState& state, app::Services services, QWidget* parent)
    : QMainWindow(parent), state_(state), services_(std::move(services))
{
    setObjectName("frmLumMain");
    setWindowTitle(tr("Lumarine"));
    setWindowIcon(app::AppIcon());
    buildMenus();
    buildToolbar();
    buildLayout();
    connectHandlers();
    decodeFirstPictureWhenIdle();
    // The design's client area is 440 x 353 pixels below the menu bar.
    resize(440, 353 + menuBar()->sizeHint().height());
}

frmLumMain::~frmLumMain() = default;

void frmLumMain::decodeFirstPictureWhenIdle()
{
    idle_ = new QTimer(this);
    idle_->setObjectName(QStringLiteral("idle"));
    idle_->setSingleShot(true);
    idle_->setInterval(1000);
    connect(idle_, &QTimer::timeout, this, &frmLumMain::decodeFirstPicture);
    for (QAbstractItemModel* list : {static_cast<QAbstractItemModel*>(lstImagesModel),
                                     static_cast<QAbstractItemModel*>(lstFavoritesModel)}) {
        const auto restart = [this] { idle_->start(); };
        connect(list, &QAbstractItemModel::rowsInserted, idle_, restart);
        connect(list, &QAbstractItemModel::rowsRemoved, idle_, restart);
        connect(list, &QAbstractItemModel::modelReset, idle_, restart);
    }
}

// The picture Show All begins with, or Show Favorites when the main list is
// empty, decoded at the screen's size: the show then starts with it on screen.
void frmLumMain::decodeFirstPicture()
{
    const catalogue::ImageCollection& list =
        state_.MainImages.isEmpty() ? state_.Favorites : state_.MainImages;
    if (list.isEmpty() || displayVisible())
        return;
    DisplayWindow().decodeFirstAhead(list.Item(1));
}

void frmLumMain::connectHandlers()
{
    connect(tabMain, &QTabWidget::currentChanged, this, [this, previous = 0](int current) mutable {
        tabMain_Click(previous);
        previous = current;
    });
    connect(cmdClose, &QPushButton::clicked, this, &frmLumMain::cmdClose_Click);
    connect(cmdBrowse, &QPushButton::clicked, this, &frmLumMain::SetBase);
    connect(cmdCount, &QPushButton::clicked, this, &frmLumMain::cmdCount_Click);
    connect(cmdShowAll, &QPushButton::clicked, this,
            [this] { catalogue::cmdShowAll_Click(state_, *this, services_.dialogs); });
    connect(cmdPreview, &QPushButton::clicked, this,
            [this] { catalogue::cmdPreview_Click(state_, *this, services_.dialogs); });
    connect(cmdFavorites, &QPushButton::clicked, this,
            [this] { catalogue::cmdFavorites_Click(state_, *this, services_.dialogs); });
    connect(cmdClearFaves, &QPushButton::clicked, this, &frmLumMain::cmdClearFaves_Click);
    connect(cmdAddAllToFavorites, &QPushButton::clicked, this, &frmLumMain::cmdAddAllToFavorites_Click);

    connect(chkRandom, &QCheckBox::toggled, this, &frmLumMain::chkRandom_Click);
    connect(cboTNSize, &QComboBox::currentIndexChanged, this, &frmLumMain::cboTNSize_Click);
    connect(chkShowNames, &QCheckBox::toggled, this, &frmLumMain::chkShowNames_Click);
    connectImageMenu();
    txtDelay->installEventFilter(this);
    lblLink->installEventFilter(this);
    cmdCount->installEventFilter(this);
}

void frmLumMain::tabMain_Click(int /*previousTab*/)
{
    switch (tabMain->currentIndex()) {
    case 1:
        ActiveList = lstImages;
        break;
    case 2:
        ActiveList = lstFavorites;
        break;
    default:
        ActiveList = nullptr;
        break;
    }
}

void frmLumMain::ListFavorites()
{
    // Nothing to rebuild: lstFavorites shows Favorites itself, so favourites
    // added or removed during a show are listed the moment they change.
}

frmDisplay& frmLumMain::DisplayWindow()
{
    if (!display_) {
        DisplayServices services{state_,
                                 services_.dialogs,
                                 services_.pictures,
                                 [this] { ListFavorites(); },
                                 [this](int, QPoint position) { thumbnailMenu(position); },
                                 [this] { return screen(); }};
        services.thumbnails = &services_.thumbnails;
        display_ = std::make_unique<frmDisplay>(std::move(services), this);
        connect(display_.get(), &frmDisplay::unloaded, idle_, qOverload<>(&QTimer::start));
    }
    return *display_;
}

void frmLumMain::cmdClose_Click()
{
    close();
}

void frmLumMain::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void frmLumMain::Form_Unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    auto file = settingsFile();
    settings::SaveSettings(file, *this);
    // The other windows vanish with the program; their own closing is not run.
    if (services_.endProgram)
        services_.endProgram();
}

void frmLumMain::focusInEvent(QFocusEvent* event)
{
    QMainWindow::focusInEvent(event);
    Form_GotFocus();
}

void frmLumMain::Form_GotFocus()
{
    basUI::BusyCursorOff();
}

bool frmLumMain::eventFilter(QObject* watched, QEvent* event)
{
    if (imageMenuFilter(watched, event))
        return true;
    if (watched == txtDelay && event->type() == QEvent::FocusOut) {
        // Leaving the program's windows is not leaving the box.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            txtDelay_LostFocus();
    } else if (watched == lblLink && event->type() == QEvent::MouseButtonDblClick) {
        lblLink_DblClick();
        return true;
    } else if (watched == cmdCount && event->type() == QEvent::Shortcut &&
               !static_cast<QShortcutEvent*>(event)->isAmbiguous()) {
        // Alt+C counts at once: a button's own mnemonic would first show it
        // pressed for a tenth of a second, time the user only waits.
        cmdCount->click();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmLumMain::lblLink_DblClick()
{
    app::OpenWebPage(services_.launcher, services_.dialogs);
}

settings::SettingsFile frmLumMain::settingsFile()
{
    // Once: at exit all five writes fail alike, and the program still ends.
    return settings::SettingsFile(state_.IniPath, [this](const platform::AppError& error) {
        if (std::exchange(settingsFailureReported_, true))
            return;
        basUI::ReportError(services_.dialogs, error);
    });
}
