// Moving through the folder browser's tree: the keys that open a node and the
// way down to the folder the browser starts at.
#include "browse/frmbrowsedir.h"

#include "platform/filesystem.h"

#include <QDir>
#include <QKeyEvent>
#include <QTreeWidget>

void frmBrowseDir::setStartFolder(const QString& folder)
{
    startFolder_ = folder;
}

void frmBrowseDir::openNode(QTreeWidgetItem* node)
{
    BuildSubList(node);
    node->setExpanded(true);
}

bool frmBrowseDir::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == tvwMain && event->type() == QEvent::KeyPress) {
        QTreeWidgetItem* node = selectedNode();
        if (node && keyOpensNode(*static_cast<QKeyEvent*>(event), *node)) {
            openNode(node);
            return true;
        }
    }
    // Left and - close a node, Left on a closed one goes to its parent and
    // typed letters find a folder by name: the tree's own keys do that.
    return QDialog::eventFilter(watched, event);
}

bool frmBrowseDir::keyOpensNode(const QKeyEvent& key, const QTreeWidgetItem& node) const
{
    // Enter acts as a double-click does wherever it is pressed; on an open
    // folder that changes nothing. Right on an open folder is the tree's own
    // step to its first sub-folder. A node without children may be marked
    // open without showing so; Right and + read it again, as a double-click.
    const bool closed = !node.isExpanded() || node.childCount() == 0;
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    case Qt::Key_Right:
    case Qt::Key_Plus:
        return closed;
    default:
        return false;
    }
}

QTreeWidgetItem* frmBrowseDir::volumeNodeHolding(const QString& folder) const
{
    // A mount point below "/" holds its folders rather than "/" does.
    QTreeWidgetItem* best = nullptr;
    for (int i = 0; i < tvwMain->topLevelItemCount(); ++i) {
        QTreeWidgetItem* node = tvwMain->topLevelItem(i);
        const QString root = node->text(0);
        const bool holds = folder == root || folder.startsWith(platform::withSeparator(root));
        if (holds && (!best || root.size() > best->text(0).size()))
            best = node;
    }
    return best;
}

void frmBrowseDir::openDownTo(const QString& folder)
{
    const QString path = QDir::cleanPath(folder);
    QTreeWidgetItem* node = volumeNodeHolding(path);
    if (!node)
        return;
    const QStringList names = path.mid(node->text(0).size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& name : names) {
        BuildSubList(node);
        QTreeWidgetItem* child = nullptr;
        for (int i = 0; i < node->childCount() && !child; ++i) {
            if (node->child(i)->text(0) == name)
                child = node->child(i);
        }
        // A folder that is gone, or one the tree does not show, ends the way
        // at the nearest folder it shows.
        if (!child)
            break;
        node->setExpanded(true);
        node = child;
    }
    tvwMain->setCurrentItem(node);
    tvwMain->scrollToItem(node);
}
