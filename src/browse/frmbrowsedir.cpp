#include "browse/frmbrowsedir.h"

#include "platform/basui.h"
#include "platform/dialogs.h"
#include "platform/filesystem.h"
#include "platform/naturalorder.h"
#include "platform/twips.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>

namespace {

QRect twipRect(double left, double top, double width, double height)
{
    return twips::toPixels(QRectF(left, top, width, height)).toRect();
}

int imageIndexFor(platform::DriveType type)
{
    switch (type) {
    case platform::DriveType::Removable:
        return frmBrowseDir::RemovableImage;
    case platform::DriveType::Fixed:
        return frmBrowseDir::FixedImage;
    case platform::DriveType::Network:
        return frmBrowseDir::NetworkImage;
    case platform::DriveType::CdRom:
        return frmBrowseDir::CdRomImage;
    default:
        return frmBrowseDir::FolderImage;
    }
}

} // namespace

frmBrowseDir::frmBrowseDir(platform::FileSystem& fileSystem, platform::Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), fileSystem_(fileSystem), dialogs_(dialogs)
{
    setObjectName("frmBrowseDir");
    setWindowTitle(tr("Browse Directories"));
    buildControls();
}

void frmBrowseDir::buildControls()
{
    const QStyle* look = style();
    imgMain = {QIcon(),
               look->standardIcon(QStyle::SP_DirClosedIcon),
               look->standardIcon(QStyle::SP_DirOpenIcon),
               look->standardIcon(QStyle::SP_DriveHDIcon),
               look->standardIcon(QStyle::SP_DriveFDIcon),
               look->standardIcon(QStyle::SP_DriveCDIcon),
               look->standardIcon(QStyle::SP_DriveNetIcon)};

    tvwMain = new QTreeWidget(this);
    tvwMain->setObjectName("tvwMain");
    tvwMain->setAccessibleName(tr("Folders"));
    tvwMain->setHeaderHidden(true);
    tvwMain->setIconSize(QSize(16, 16));
    // A double-click reads the folder first and then opens the node itself.
    tvwMain->setExpandsOnDoubleClick(false);
    tvwMain->setGeometry(twipRect(120, 120, 4455, 3015));
    connect(tvwMain, &QTreeWidget::itemDoubleClicked, this, [this] { tvwMain_DblClick(); });
    tvwMain->installEventFilter(this);

    auto button = [this](const char* name, const QString& caption, double left) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        b->setGeometry(twipRect(left, 3240, 1095, 375));
        return b;
    };
    cmdNew = button("cmdNew", tr("&New"), 120);
    cmdOK = button("cmdOK", tr("&OK"), 2280);
    cmdCancel = button("cmdCancel", tr("&Cancel"), 3480);
    cmdNew->hide();
    connect(cmdNew, &QPushButton::clicked, this, &frmBrowseDir::cmdNew_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmBrowseDir::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmBrowseDir::cmdCancel_Click);
    setTabOrder(tvwMain, cmdCancel);
    setTabOrder(cmdCancel, cmdOK);
    setTabOrder(cmdOK, cmdNew);

    setFixedSize(twipRect(0, 0, 4680, 3690).size());
}

void frmBrowseDir::SetNew()
{
    cmdNew->setVisible(true);
}

int frmBrowseDir::ShowModal()
{
    return exec();
}

void frmBrowseDir::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Form_Load();
}

void frmBrowseDir::keyPressEvent(QKeyEvent* event)
{
    // Escape answers like the Cancel button; only the close box leaves both
    // values unset.
    if (event->key() == Qt::Key_Escape) {
        cmdCancel->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmBrowseDir::Form_Load()
{
    if (loaded_)
        return;
    loaded_ = true;
    BuildTree();
    openDownTo(startFolder_);
    // The keys move through the tree from the start.
    tvwMain->setFocus();
}

void frmBrowseDir::BuildTree()
{
    int count = 0;
    for (const platform::Volume& volume : fileSystem_.volumes()) {
        ++count;
        addNode(nullptr, QStringLiteral("K%1").arg(count), platform::volumeLabel(volume),
                imageIndexFor(volume.type));
    }
}

QTreeWidgetItem* frmBrowseDir::addNode(QTreeWidgetItem* parent, const QString& key, const QString& text,
                                       int image)
{
    auto* node = new QTreeWidgetItem(QStringList{text});
    node->setData(0, KeyRole, key);
    setImage(node, image, imgMain);
    if (!parent) {
        tvwMain->addTopLevelItem(node);
        return node;
    }
    int at = parent->childCount();
    if (parent->data(0, SortedRole).toBool()) {
        at = 0;
        while (at < parent->childCount() && !platform::naturalLess(text, parent->child(at)->text(0)))
            ++at;
    }
    parent->insertChild(at, node);
    return node;
}

void frmBrowseDir::setImage(QTreeWidgetItem* node, int image, const QVector<QIcon>& images)
{
    node->setData(0, ImageRole, image);
    node->setIcon(0, images[image]);
}

QTreeWidgetItem* frmBrowseDir::selectedNode() const
{
    // The tree keeps a current node for the keyboard even when none is
    // selected; only a selected one counts.
    QTreeWidgetItem* node = tvwMain->currentItem();
    return node && node->isSelected() ? node : nullptr;
}

QString frmBrowseDir::FullPath(const QTreeWidgetItem* node)
{
    if (!node)
        return {};
    if (!node->parent())
        return node->text(0);
    return platform::joinPath(FullPath(node->parent()), node->text(0));
}

void frmBrowseDir::BuildSubList(QTreeWidgetItem* nodClicked)
{
    // A node is read once; one that got a child from New is never read.
    if (!nodClicked || nodClicked->childCount() > 0)
        return;
    const QString folder = platform::withSeparator(FullPath(nodClicked));
    QList<platform::DirEntry> folders;
    try {
        folders = fileSystem_.list(folder, {true, platform::FileMatch::None});
    } catch (const platform::AppError& error) {
        if (error.number() == platform::err::BadFileName)
            dialogs_.msgBox(QStringLiteral("Can't read from ") + folder,
                            platform::mb::OkOnly | platform::mb::Information);
        // Error 91 is ignored and any other ends the listing: either way
        // there is nothing to add.
        return;
    }
    nodClicked->setData(0, SortedRole, true);
    const QString parentKey = nodClicked->data(0, KeyRole).toString();
    int count = 0;
    for (const platform::DirEntry& entry : folders) {
        ++count;
        // Nodes made by New have no key, and so have the folders read below them.
        const QString key = parentKey.isEmpty() ? QString() : parentKey + QStringLiteral("-%1").arg(count);
        addNode(nodClicked, key, entry.name, FolderImage);
        // Volumes keep their own image; so, by the classic rule, does a folder
        // whose name is shorter than three characters.
        if (nodClicked->parent() && nodClicked->text(0).size() >= 3)
            setImage(nodClicked, ListedFolderImage, imgMain);
    }
}

void frmBrowseDir::tvwMain_DblClick()
{
    QTreeWidgetItem* node = selectedNode();
    if (node)
        openNode(node);
}

void frmBrowseDir::cmdNew_Click()
{
    QTreeWidgetItem* node = selectedNode();
    const QString path = FullPath(node);
    if (path.isEmpty()) {
        dialogs_.msgBox(
            QStringLiteral("You must select an existing directory or item to create a folder in!"),
            platform::mb::OkOnly | platform::mb::Information);
        return;
    }
    const QString name = dialogs_.inputBox(QStringLiteral("Create new directory:"), platform::AppTitle,
                                           QStringLiteral("New Folder"));
    if (name.isEmpty())
        return;
    try {
        // A name with a separator would make a folder elsewhere than the
        // node it is shown under.
        platform::checkPlainName(name);
        fileSystem_.createFolder(platform::joinPath(path, name));
    } catch (const platform::AppError& error) {
        basUI::ReportError(dialogs_, error);
        return;
    }
    addNode(node, QString(), name, FolderImage);
}

void frmBrowseDir::cmdOK_Click()
{
    DIRSelectedDir = FullPath(selectedNode());
    done(QDialog::Accepted);
}

void frmBrowseDir::cmdCancel_Click()
{
    DIRCancel = true;
    done(QDialog::Rejected);
}
