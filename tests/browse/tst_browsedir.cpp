#include "browse/frmbrowsedir.h"
#include "platform/basui.h"
#include "platform/filesystem.h"
#include "support/failingfilesystem.h"
#include "support/scripteddialogs.h"
#include "support/testmain.h"
#include "support/tree.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

using platform::DriveType;
using platform::mb::Ok;

namespace {

// The machine's file system with temporary folders for volumes.
class TestVolumes final : public platform::LocalFileSystem {
public:
    QList<platform::Volume> volumesToShow;
    QList<platform::Volume> volumes() override { return volumesToShow; }
};

struct BrowserFixture {
    QTemporaryDir dir;
    TestVolumes volumes;
    testsupport::FailingFileSystem fileSystem{volumes};
    testsupport::ScriptedDialogs dialogs;
    std::unique_ptr<frmBrowseDir> browser;

    explicit BrowserFixture(const QStringList& tree = {})
    {
        testsupport::makeTree(dir.path(), tree);
        volumes.volumesToShow = {{dir.path(), DriveType::Fixed}};
        browser = std::make_unique<frmBrowseDir>(fileSystem, dialogs);
    }
    QTreeWidgetItem* root() const { return browser->tvwMain->topLevelItem(0); }
    void doubleClick(QTreeWidgetItem* node) const
    {
        browser->tvwMain->setCurrentItem(node);
        browser->tvwMain_DblClick();
    }
    // What the tree's user opens a node with: a double-click or the Right key.
    void open(QTreeWidgetItem* node, bool byKey) const
    {
        if (!byKey)
            return doubleClick(node);
        browser->tvwMain->setCurrentItem(node);
        QTest::keyClick(browser->tvwMain, Qt::Key_Right);
    }
};

QString selectedKey(const frmBrowseDir& browser)
{
    const QTreeWidgetItem* node = browser.selectedNode();
    return node ? node->data(0, frmBrowseDir::KeyRole).toString() : QStringLiteral("none");
}

// The keys of the open nodes, from the top down.
QStringList openKeys(QTreeWidget* tree)
{
    QStringList keys;
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        if ((*it)->isExpanded() && (*it)->childCount() > 0)
            keys << (*it)->data(0, frmBrowseDir::KeyRole).toString();
    }
    return keys;
}

QStringList texts(const QTreeWidgetItem* node)
{
    QStringList result;
    for (int i = 0; i < node->childCount(); ++i)
        result << node->child(i)->text(0);
    return result;
}

QString keyOf(const QTreeWidgetItem* node)
{
    return node->data(0, frmBrowseDir::KeyRole).toString();
}

int imageOf(const QTreeWidgetItem* node)
{
    return node->data(0, frmBrowseDir::ImageRole).toInt();
}

} // namespace

class TestBrowseDir : public QObject {
    Q_OBJECT

private slots:
    void volumesAreRootNodes()
    {
        BrowserFixture f;
        f.volumes.volumesToShow = {{"/", DriveType::Fixed},
                                   {"/media/usb", DriveType::Removable},
                                   {"/net/share", DriveType::Network},
                                   {"/media/cd", DriveType::CdRom},
                                   {"/odd", DriveType::Unknown}};
        f.browser->show();
        f.browser->Form_Load();
        QTreeWidget* tree = f.browser->tvwMain;
        QCOMPARE(tree->topLevelItemCount(), 5);
        const QStringList keys{"K1", "K2", "K3", "K4", "K5"};
        const QStringList names{"/", "/media/usb", "/net/share", "/media/cd", "/odd"};
        const QList<int> images{3, 4, 6, 5, 1};
        for (int i = 0; i < 5; ++i) {
            QTreeWidgetItem* node = tree->topLevelItem(i);
            QCOMPARE(keyOf(node), keys[i]);
            QCOMPARE(node->text(0), names[i]);
            QCOMPARE(imageOf(node), images[i]);
            QCOMPARE(node->childCount(), 0);
            QCOMPARE(frmBrowseDir::FullPath(node), names[i]);
        }
        QCOMPARE(f.browser->windowTitle(), QStringLiteral("Browse Directories"));
        auto* user = new QTreeWidgetItem(new QTreeWidgetItem(tree->topLevelItem(0), {"home"}), {"user"});
        QCOMPARE(frmBrowseDir::FullPath(user), QStringLiteral("/home/user"));
    }

    void subFoldersAreReadOnceOnDoubleClick()
    {
        BrowserFixture f({"b10/", "b9/", "B1/", "file.jpg", ".hidden/", "b9/in/"});
        f.browser->Form_Load();
        QTreeWidgetItem* root = f.root();
        QCOMPARE(root->childCount(), 0);
        f.doubleClick(root);
        QCOMPARE(texts(root), (QStringList{"B1", "b9", "b10"}));
        QCOMPARE(keyOf(root->child(0)), QStringLiteral("K1-1"));
        QCOMPARE(keyOf(root->child(2)), QStringLiteral("K1-3"));
        QCOMPARE(imageOf(root->child(1)), int(frmBrowseDir::FolderImage));
        QCOMPARE(imageOf(root), int(frmBrowseDir::FixedImage));
        QVERIFY(root->isExpanded());

        QVERIFY(QDir(f.dir.path()).mkdir("a0"));
        f.doubleClick(root);
        QCOMPARE(texts(root), (QStringList{"B1", "b9", "b10"}));
        f.doubleClick(root->child(1));
        QCOMPARE(texts(root->child(1)), QStringList{"in"});
        QCOMPARE(keyOf(root->child(1)->child(0)), QStringLiteral("K1-2-1"));
        QVERIFY(f.dialogs.asked().isEmpty());
    }

    void listedFolderImageNeedsThreeCharacters_data()
    {
        QTest::addColumn<QString>("tree");
        QTest::addColumn<int>("image");
        QTest::newRow("two characters") << "ab/sub/" << int(frmBrowseDir::FolderImage);
        QTest::newRow("three characters") << "abc/sub/" << int(frmBrowseDir::ListedFolderImage);
        QTest::newRow("no sub-folders") << "abc/file.jpg" << int(frmBrowseDir::FolderImage);
    }
    void listedFolderImageNeedsThreeCharacters()
    {
        QFETCH(QString, tree);
        QFETCH(int, image);
        BrowserFixture f({tree});
        f.browser->Form_Load();
        f.doubleClick(f.root());
        QTreeWidgetItem* folder = f.root()->child(0);
        f.doubleClick(folder);
        QCOMPARE(imageOf(folder), image);
        QCOMPARE(folder->icon(0).cacheKey(), f.browser->imgMain[image].cacheKey());
    }

    void listingFailures_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("message");
        QTest::addColumn<bool>("byKey");
        QTest::newRow("bad file name") << 52 << true << false;
        QTest::newRow("bad file name, Right key") << 52 << true << true;
        QTest::newRow("missing object") << 91 << false << false;
        QTest::newRow("disk not ready") << 71 << false << false;
    }
    void listingFailures()
    {
        QFETCH(int, number);
        QFETCH(bool, message);
        QFETCH(bool, byKey);
        BrowserFixture f({"a/"});
        f.browser->show();
        f.fileSystem.failOnce(testsupport::FsCall::List, number);
        if (message)
            f.dialogs.answerMessage(Ok);
        f.open(f.root(), byKey);
        QCOMPARE(f.root()->childCount(), 0);
        QCOMPARE(f.dialogs.messageTexts(),
                 message ? QStringList{"Can't read from " + f.dir.path() + "/"} : QStringList{});
        // The failure does not mark the node read: the next try lists it.
        f.open(f.root(), byKey);
        QCOMPARE(texts(f.root()), QStringList{"a"});
    }

    void keysOpenCloseAndFind_data()
    {
        QTest::addColumn<bool>("opened"); // the volume double-clicked first
        QTest::addColumn<int>("from");    // the current node: -1 the volume, else its child
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QStringList>("open");
        const int none = Qt::NoModifier, keypad = Qt::KeypadModifier;
        const QStringList shut, volume{"K1"};
        auto row = [](const char* name, bool opened, int from, int key, int modifiers, const char* typed,
                      const char* selected, const QStringList& open) {
            QTest::newRow(name) << opened << from << key << modifiers << QString(typed) << QString(selected)
                                << open;
        };
        row("Right opens", false, -1, Qt::Key_Right, none, "", "K1", volume);
        row("+ opens", false, -1, Qt::Key_Plus, none, "", "K1", volume);
        row("keypad + opens", false, -1, Qt::Key_Plus, keypad, "", "K1", volume);
        row("Enter opens", false, -1, Qt::Key_Return, none, "", "K1", volume);
        row("keypad Enter opens", false, -1, Qt::Key_Enter, keypad, "", "K1", volume);
        row("Enter keeps open", true, -1, Qt::Key_Return, none, "", "K1", volume);
        row("Right on open goes in", true, -1, Qt::Key_Right, none, "", "K1-1", volume);
        row("Right opens a child", true, 1, Qt::Key_Right, none, "", "K1-2", {"K1", "K1-2"});
        row("Left closes", true, -1, Qt::Key_Left, none, "", "K1", shut);
        row("- closes", true, -1, Qt::Key_Minus, none, "", "K1", shut);
        row("keypad - closes", true, -1, Qt::Key_Minus, keypad, "", "K1", shut);
        row("Left on closed goes up", true, 2, Qt::Key_Left, none, "", "K1", volume);
        row("typing finds b9", true, -1, 0, none, "b9", "K1-2", volume);
        row("typing finds B1", true, 2, 0, none, "b1", "K1-1", volume);
    }
    void keysOpenCloseAndFind()
    {
        QFETCH(bool, opened);
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, typed);
        QFETCH(QString, selected);
        QFETCH(QStringList, open);
        BrowserFixture f({"b10/", "b9/in/", "B1/"});
        f.browser->show();
        if (opened)
            f.doubleClick(f.root());
        QTreeWidget* tree = f.browser->tvwMain;
        tree->setCurrentItem(from < 0 ? f.root() : f.root()->child(from));
        if (typed.isEmpty())
            QTest::keyClick(tree, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        else
            QTest::keyClicks(tree, typed);
        QCOMPARE(selectedKey(*f.browser), selected);
        QCOMPARE(openKeys(tree), open);
        // Keys list a folder as a double-click does: once, in the same order.
        QCOMPARE(texts(f.root()), (QStringList{"B1", "b9", "b10"}));
        QVERIFY(f.browser->isVisible());
    }

    void opensAtTheStartFolder_data()
    {
        // The volumes are "/" and the test's folder, so a start folder in the
        // test's folder belongs to its own volume, K2, and not to "/".
        QTest::addColumn<QString>("start"); // %1 is the test's folder
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QStringList>("open");
        const QStringList volume{"K2"};
        auto row = [](const char* name, const char* start, const char* selected, const QStringList& open) {
            QTest::newRow(name) << QString(start) << QString(selected) << open;
        };
        row("the volume", "%1", "K2", {});
        row("a folder", "%1/b9", "K2-2", volume);
        row("deep, final separator", "%1/b9/in/", "K2-2-1", {"K2", "K2-2"});
        row("far down the list", "%1/c20", "K2-23", volume);
        row("missing: its parent", "%1/b9/gone/deeper", "K2-2", volume);
        row("hidden: its parent", "%1/.hidden", "K2", {});
        row("none given", "", "none", {});
        row("relative", "b9", "none", {});
    }
    void opensAtTheStartFolder()
    {
        QFETCH(QString, start);
        QFETCH(QString, selected);
        QFETCH(QStringList, open);
        QStringList tree{"B1/", "b9/in/", "b10/", ".hidden/"};
        for (int i = 1; i <= 20; ++i)
            tree << QStringLiteral("c%1/").arg(i, 2, 10, QLatin1Char('0'));
        BrowserFixture f(tree);
        f.volumes.volumesToShow.prepend({"/", DriveType::Fixed});
        f.browser->setStartFolder(start.contains("%1") ? start.arg(f.dir.path()) : start);
        f.browser->show();
        QCOMPARE(selectedKey(*f.browser), selected);
        QCOMPARE(openKeys(f.browser->tvwMain), open);
        QTreeWidget* view = f.browser->tvwMain;
        if (QTreeWidgetItem* node = f.browser->selectedNode())
            QVERIFY(view->viewport()->rect().contains(view->visualItemRect(node)));
        QVERIFY(f.dialogs.asked().isEmpty());
    }

    void newButtonOnlyWhenAsked()
    {
        BrowserFixture f;
        f.browser->show();
        QVERIFY(!f.browser->cmdNew->isVisible());
        f.browser->SetNew();
        QVERIFY(f.browser->cmdNew->isVisible());

        f.browser->tvwMain->clearSelection();
        f.dialogs.answerMessage(Ok);
        f.browser->cmdNew->click();
        QCOMPARE(f.dialogs.messageTexts(),
                 QStringList{"You must select an existing directory or item to create a folder in!"});
        QCOMPARE(f.dialogs.asked().first().style, platform::mb::OkOnly | platform::mb::Information);
    }

    void newFolderJoinsTheTree()
    {
        BrowserFixture f({"a/", "c/"});
        f.browser->Form_Load();
        f.doubleClick(f.root());
        f.browser->tvwMain->setCurrentItem(f.root());
        f.dialogs.answerInput("b");
        f.browser->cmdNew_Click();
        QCOMPARE(f.dialogs.lastInputDefault, QStringLiteral("New Folder"));
        QCOMPARE(f.dialogs.asked().first().text, QStringLiteral("Create new directory:"));
        QCOMPARE(f.dialogs.asked().first().title, QStringLiteral("Lumarine"));
        QVERIFY(QFileInfo(f.dir.filePath("b")).isDir());
        // The listed node keeps its children in order.
        QCOMPARE(texts(f.root()), (QStringList{"a", "b", "c"}));
        QTreeWidgetItem* made = f.root()->child(1);
        QCOMPARE(keyOf(made), QString());
        QCOMPARE(imageOf(made), int(frmBrowseDir::FolderImage));

        // A node with a made child is not read any more.
        f.browser->tvwMain->setCurrentItem(f.root()->child(0));
        f.dialogs.answerInput("New Folder");
        f.browser->cmdNew_Click();
        QVERIFY(QDir(f.dir.filePath("a")).mkdir("other"));
        QVERIFY(!f.root()->child(0)->isExpanded());
        f.doubleClick(f.root()->child(0));
        QCOMPARE(texts(f.root()->child(0)), QStringList{"New Folder"});

        f.dialogs.answerInput("");
        f.browser->cmdNew_Click();
        QCOMPARE(texts(f.root()->child(0)), QStringList{"New Folder"});
    }

    void newFolderThatFailsChangesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("injected");
        QTest::addColumn<int>("number");
        QTest::newRow("exists") << "a" << 0 << 58;
        QTest::newRow("separator") << "x/y" << 0 << 52;
        QTest::newRow("dot dot") << ".." << 0 << 52;
        QTest::newRow("read-only medium") << "fresh" << 75 << 75;
    }
    void newFolderThatFailsChangesNothing()
    {
        QFETCH(QString, name);
        QFETCH(int, injected);
        QFETCH(int, number);
        BrowserFixture f({"a/", "x/"});
        f.browser->Form_Load();
        f.doubleClick(f.root());
        if (injected)
            f.fileSystem.failOnce(testsupport::FsCall::CreateFolder, injected);
        f.dialogs.answerInput(name);
        f.dialogs.answerMessage(Ok);
        f.browser->cmdNew_Click();
        QCOMPARE(f.dialogs.messageTexts(), QStringList{basUI::ReportErrorText(platform::AppError(number))});
        QCOMPARE(texts(f.root()), (QStringList{"a", "x"}));
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), (QStringList{"a", "x"}));
        QCOMPARE(QDir(f.dir.filePath("x")).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{});
    }

    // Each answer ends the modal show.
    void answersOfOkCancelAndClose_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("select"); // -2 nothing, -1 the volume, else its child
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("chosen"); // below the test's folder; "-" for none
        QTest::newRow("ok on the volume") << "ok" << -1 << false << "";
        QTest::newRow("ok on a folder") << "ok" << 0 << false << "a";
        QTest::newRow("ok with nothing selected") << "ok" << -2 << false << "-";
        QTest::newRow("cancel") << "cancel" << -1 << true << "-";
        QTest::newRow("escape") << "escape" << -1 << true << "-";
        QTest::newRow("close box") << "close" << -1 << false << "-";
    }
    void answersOfOkCancelAndClose()
    {
        QFETCH(QString, how);
        QFETCH(int, select);
        QFETCH(bool, cancel);
        QFETCH(QString, chosen);
        BrowserFixture f({"a/"});
        QTimer::singleShot(0, f.browser.get(), [&] {
            f.doubleClick(f.root());
            f.browser->tvwMain->setCurrentItem(select == -1 ? f.root() : f.root()->child(0));
            if (select == -2)
                f.browser->tvwMain->clearSelection();
            if (how == "ok")
                f.browser->cmdOK->click();
            else if (how == "cancel")
                f.browser->cmdCancel->click();
            else if (how == "escape")
                QTest::keyClick(f.browser.get(), Qt::Key_Escape);
            else
                f.browser->close();
            // An answer that did not end the show must not hang the test.
            if (f.browser->isVisible())
                f.browser->close();
        });
        f.browser->ShowModal();
        QVERIFY(f.browser->isHidden());
        QCOMPARE(f.browser->DIRCancel, cancel);
        // A volume's path has no final separator.
        QCOMPARE(f.browser->DIRSelectedDir, chosen == "-"      ? QString()
                                            : chosen.isEmpty() ? f.dir.path()
                                                               : f.dir.filePath(chosen));
    }
};

LUMARINE_REGISTER_TEST(TestBrowseDir)
#include "tst_browsedir.moc"
