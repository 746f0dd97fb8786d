#pragma once

#include <QDialog>
#include <QIcon>
#include <QVector>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace platform {
class Dialogs;
class FileSystem;
} // namespace platform

// The folder browser: volumes and folders as a tree whose folders are read
// the first time a node is double-clicked (or opened with Right, + or Enter).
// A caller creates one, may call SetNew and setStartFolder, shows it modally,
// reads DIRCancel and then DIRSelectedDir, and deletes it. OK and Cancel only
// hide it; its close box sets neither value.
class frmBrowseDir : public QDialog {
    Q_OBJECT

public:
    // Data roles of the tree's nodes.
    static constexpr int KeyRole = Qt::UserRole;
    static constexpr int ImageRole = Qt::UserRole + 1;
    static constexpr int SortedRole = Qt::UserRole + 2;

    // The images of imgMain by their classic index (0 is unused).
    enum Image { FolderImage = 1, ListedFolderImage, FixedImage, RemovableImage, CdRomImage, NetworkImage };

    frmBrowseDir(platform::FileSystem& fileSystem, platform::Dialogs& dialogs, QWidget* parent = nullptr);

    void SetNew();
    // The folder the tree opens down to and selects when it is first shown;
    // where it is gone, its nearest ancestor the tree shows.
    void setStartFolder(const QString& folder);
    int ShowModal();

    // The full path of the selected node when OK was pressed ("" when none was).
    QString DIRSelectedDir;
    // True when Cancel was pressed.
    bool DIRCancel = false;

    void Form_Load();
    void BuildTree();
    void BuildSubList(QTreeWidgetItem* nodClicked);
    void tvwMain_DblClick();
    void cmdNew_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

    // The node's texts from its root down, joined by the separator.
    static QString FullPath(const QTreeWidgetItem* node);
    QTreeWidgetItem* selectedNode() const;

    QTreeWidget* tvwMain = nullptr;
    QPushButton* cmdNew = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QVector<QIcon> imgMain;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    // Lists the node as a double-click does and shows its folders.
    void openNode(QTreeWidgetItem* node);
    bool keyOpensNode(const QKeyEvent& key, const QTreeWidgetItem& node) const;
    QTreeWidgetItem* volumeNodeHolding(const QString& folder) const;
    void openDownTo(const QString& folder);
    QTreeWidgetItem* addNode(QTreeWidgetItem* parent, const QString& key, const QString& text, int image);
    static void setImage(QTreeWidgetItem* node, int image, const QVector<QIcon>& images);

    platform::FileSystem& fileSystem_;
    platform::Dialogs& dialogs_;
    QString startFolder_;
    bool loaded_ = false;
};
