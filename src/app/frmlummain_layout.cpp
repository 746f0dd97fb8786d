// The main window's controls and their arrangement. Layouts reproduce the
// design's arrangement at its size (440 x 353 pixels) and let the lists grow
// with the window.
#include "app/frmlummain.h"

#include "catalogue/appstate.h"
#include "catalogue/imagelistmodel.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

template <typename Widget, typename... Args> Widget* named(const char* name, Args&&... args)
{
    auto* widget = new Widget(std::forward<Args>(args)...);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QListView* makeListBox(const char* name, catalogue::ImageCollection& images,
                       catalogue::ImageListModel*& model, QObject* owner)
{
    auto* list = named<QListView>(name);
    model = new catalogue::ImageListModel(images, owner);
    model->setObjectName(QLatin1String(name) + QLatin1String("Model"));
    list->setModel(model);
    // Uniform rows let the view lay out a very long list without measuring it.
    list->setUniformItemSizes(true);
    // A path too long for the box keeps its file name in sight.
    list->setTextElideMode(Qt::ElideMiddle);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setContextMenuPolicy(Qt::PreventContextMenu);
    return list;
}

QHBoxLayout* rightAligned(QWidget* widget)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(widget);
    return row;
}

} // namespace

void frmLumMain::buildLayout()
{
    tabMain = named<QTabWidget>("tabMain");
    tabMain->addTab(buildActionsTab(), tr("Actions"));
    tabMain->addTab(buildImageListTab(), tr("Image List"));
    tabMain->addTab(buildFavoritesTab(), tr("Favorites"));
    tabMain->addTab(buildSettingsTab(), tr("Settings"));
    tabMain->setCurrentIndex(0);
    tabMain->setAccessibleName(tr("Tabs"));
    if (auto* pages = tabMain->findChild<QWidget*>(QStringLiteral("qt_tabwidget_stackedwidget")))
        pages->setAccessibleName(tr("Tab pages"));
    for (int i = 0; i < tabMain->count(); ++i)
        tabMain->widget(i)->setAccessibleName(tabMain->tabText(i));

    cmdClose = named<QPushButton>("cmdClose", tr("E&xit"));
    cmdClose->setMinimumWidth(97);
    imgClipBoard = named<QLabel>("imgClipBoard");
    imgClipBoard->hide();

    auto* central = new QWidget;
    central->setAccessibleName(tr("Lumarine"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(8, 6, 8, 6);
    column->addWidget(tabMain, 1);
    column->addLayout(rightAligned(cmdClose));
    setCentralWidget(central);
}

QWidget* frmLumMain::buildActionsTab()
{
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);

    auto* Frame1 = named<QGroupBox>("Frame1", tr("The Source"));
    auto* source = new QGridLayout(Frame1);
    txtBase = named<QComboBox>("txtBase");
    txtBase->setEditable(true);
    txtBase->setInsertPolicy(QComboBox::NoInsert);
    txtBase->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    txtBase->setAccessibleName(tr("Base path"));
    txtBase->lineEdit()->setAccessibleName(tr("Base path"));
    txtBase->view()->setAccessibleName(tr("Recent base paths"));
    cmdBrowse = named<QPushButton>("cmdBrowse", tr("&Browse"));
    lblCount = named<QLabel>("lblCount", QStringLiteral("0"));
    cmdCount = named<QPushButton>("cmdCount", tr("&Count"));
    auto* label1 = named<QLabel>("Label1", tr("Base path:"));
    label1->setBuddy(txtBase);
    source->addWidget(label1, 0, 0);
    source->addWidget(txtBase, 0, 1);
    source->addWidget(cmdBrowse, 0, 2);
    source->addWidget(named<QLabel>("Label2", tr("Image Count:")), 1, 0);
    source->addWidget(lblCount, 1, 1);
    source->addWidget(cmdCount, 1, 2);
    cmdStop = named<QPushButton>("cmdStop", tr("Stop"));
    cmdStop->hide();
    source->addWidget(cmdStop, 1, 2);
    source->setColumnStretch(1, 1);
    column->addWidget(Frame1);

    auto* Frame8 = named<QGroupBox>("Frame8");
    Frame8->setAccessibleName(tr("Status"));
    auto* status = new QVBoxLayout(Frame8);
    lblStatus = named<QLabel>("lblStatus", tr("Ready."));
    lblStatus->setAlignment(Qt::AlignCenter);
    lblStatus->setWordWrap(true);
    lblStatus->setMinimumHeight(36);
    status->addWidget(lblStatus);
    column->addWidget(Frame8);

    // The show and list buttons are never visible: the menus and the toolbar
    // press them.
    auto* Frame4 = named<QGroupBox>("Frame4", tr("The Show"));
    auto* show = new QHBoxLayout(Frame4);
    cmdPreview = named<QPushButton>("cmdPreview", tr("&Preview"));
    cmdFavorites = named<QPushButton>("cmdFavorites", tr("Favorites"));
    cmdShowAll = named<QPushButton>("cmdShowAll", tr("Show All"));
    show->addWidget(cmdPreview);
    show->addWidget(cmdFavorites);
    show->addWidget(cmdShowAll);
    Frame4->hide();
    auto* Frame6 = named<QGroupBox>("Frame6", tr("The Lists"));
    auto* lists = new QHBoxLayout(Frame6);
    cmdClearFaves = named<QPushButton>("cmdClearFaves", tr("Clear Faves"));
    lists->addWidget(cmdClearFaves);
    Frame6->hide();
    column->addWidget(Frame4);
    column->addWidget(Frame6);

    column->addStretch(1);
    lblLink =
        named<QLabel>("lblLink", tr("Visit the Lumarine web page for news and updates (double-click!)"));
    lblLink->setAlignment(Qt::AlignCenter);
    lblLink->setWordWrap(true);
    lblLink->setStyleSheet(QStringLiteral("color: #0000ff;"));
    lblLink->setCursor(Qt::PointingHandCursor);
    lblLink->setToolTip(tr("Double-click to open the web page"));
    column->addWidget(lblLink);
    column->addSpacing(8);
    return page;
}

// A list tab: a frame with the list box and one button under it, on the right.
static QWidget* listTab(const char* frameName, QListView* list, QPushButton* button)
{
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    auto* frame = named<QGroupBox>(frameName);
    frame->setAccessibleName(list->accessibleName());
    auto* inner = new QVBoxLayout(frame);
    inner->addWidget(list, 1);
    inner->addLayout(rightAligned(button));
    column->addWidget(frame);
    return page;
}

QWidget* frmLumMain::buildImageListTab()
{
    lstImages = makeListBox("lstImages", state_.MainImages, lstImagesModel, this);
    lstImages->setAccessibleName(tr("Image list"));
    cmdAddAllToFavorites = named<QPushButton>("cmdAddAllToFavorites", tr("Add All To Faves"));
    return listTab("Frame2", lstImages, cmdAddAllToFavorites);
}

QWidget* frmLumMain::buildFavoritesTab()
{
    lstFavorites = makeListBox("lstFavorites", state_.Favorites, lstFavoritesModel, this);
    lstFavorites->setAccessibleName(tr("Favorites"));
    cmdRemoveFromFaves = named<QPushButton>("cmdRemoveFromFaves", tr("Remove Image"));
    return listTab("Frame5", lstFavorites, cmdRemoveFromFaves);
}

QWidget* frmLumMain::buildSettingsTab()
{
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    auto* frame = named<QGroupBox>("Frame3", tr("System"));
    auto* grid = new QGridLayout(frame);

    chkRandom = named<QCheckBox>("chkRandom", tr("Create Random Slide Show"));
    txtDelay = named<QLineEdit>("txtDelay", QStringLiteral("3"));
    txtDelay->setMaximumWidth(89);
    cboTNSize = named<QComboBox>("cboTNSize");
    cboTNSize->addItems({QStringLiteral("Small"), QStringLiteral("Medium"), QStringLiteral("Large")});
    cboTNSize->setMaximumWidth(89);
    cboTNSize->setAccessibleName(tr("Thumbnail size"));
    cboTNSize->view()->setAccessibleName(tr("Thumbnail sizes"));
    chkShowNames = named<QCheckBox>("chkShowNames", tr("Show Toolbar Names"));
    auto* delayLabel = named<QLabel>("Label3_0", tr("Delay (seconds):"));
    delayLabel->setBuddy(txtDelay);
    auto* sizeLabel = named<QLabel>("Label3_1", tr("Thumbnail size:"));
    sizeLabel->setBuddy(cboTNSize);

    grid->addWidget(chkRandom, 0, 0, 1, 3);
    grid->addWidget(delayLabel, 1, 0);
    grid->addWidget(txtDelay, 1, 1);
    grid->addWidget(sizeLabel, 2, 0);
    grid->addWidget(cboTNSize, 2, 1);
    grid->setRowMinimumHeight(3, 8);
    grid->addWidget(chkShowNames, 4, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    column->addWidget(frame);
    column->addStretch(1);
    return page;
}
