#include "browse/frmbrowsedir.h"
#include "platform/basui.h"
#include "support/failingfilesystem.h"
#include "support/scripteddialogs.h"
#include "support/testmain.h"
#include "support/tree.h"

#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

using platform::DriveType;

namespace {

class TestVolumes final : public platform::LocalFileSystem {
public:
    QList<platform::Volume> volumesToShow;
    QList<platform::Volume> volumes() override { return volumesToShow; }
};

QString keyOf(const QTreeWidgetItem* node)
{
    return node->data(0, frmBrowseDir::KeyRole).toString();
}
int imageOf(const QTreeWidgetItem* node)
{
    return node->data(0, frmBrowseDir::ImageRole).toInt();
}

// A browser whose one volume is a temporary folder holding `tree`.
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
    QTreeWidget* tree() const { return browser->tvwMain; }
    QTreeWidgetItem* root() const { return tree()->topLevelItem(0); }
    void doubleClick(QTreeWidgetItem* node) const
    {
        tree()->setCurrentItem(node);
        browser->tvwMain_DblClick();
    }
    QString selected() const { return browser->selectedNode() ? keyOf(browser->selectedNode()) : "none"; }
    // The keys of the open nodes, from the top down.
    QStringList openKeys() const
    {
        QStringList keys;
        for (QTreeWidgetItemIterator it(tree()); *it; ++it)
            if ((*it)->isExpanded() && (*it)->childCount() > 0)
                keys << keyOf(*it);
        return keys;
    }
    QStringList subFolders(const QTreeWidgetItem* node) const
    {
        QStringList result;
        for (int i = 0; i < node->childCount(); ++i)
            result << node->child(i)->text(0);
        return result;
    }
    QStringList folders() const { return QDir(dir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot); }
};

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
        f.browser->Form_Load(); // a second load builds nothing twice
        QStringList nodes;
        for (int i = 0; i < f.tree()->topLevelItemCount(); ++i) {
            QTreeWidgetItem* node = f.tree()->topLevelItem(i);
            nodes << QStringLiteral("%1 %2 %3 %4 %5")
                         .arg(keyOf(node), node->text(0), frmBrowseDir::FullPath(node))
                         .arg(imageOf(node))
                         .arg(node->childCount());
        }
        QCOMPARE(nodes,
                 (QStringList{"K1 / / 3 0", "K2 /media/usb /media/usb 4 0", "K3 /net/share /net/share 6 0",
                              "K4 /media/cd /media/cd 5 0", "K5 /odd /odd 1 0"}));
        QCOMPARE(f.browser->windowTitle(), QStringLiteral("Browse Directories"));
        auto* user = new QTreeWidgetItem(new QTreeWidgetItem(f.root(), {"home"}), {"user"});
        QCOMPARE(frmBrowseDir::FullPath(user), QStringLiteral("/home/user"));
    }

    // A folder's image shows it was listed once its name has three characters
    // and it has sub-folders.
    void listedFolderImageNeedsThreeCharacters()
    {
        BrowserFixture f({"ab/sub/", "abc/sub/", "abd/file.jpg"});
        f.browser->Form_Load();
        f.doubleClick(f.root());
        QList<int> images;
        for (int i = 0; i < f.root()->childCount(); ++i) {
            f.doubleClick(f.root()->child(i));
            images << imageOf(f.root()->child(i));
            QCOMPARE(f.root()->child(i)->icon(0).cacheKey(), f.browser->imgMain[images.last()].cacheKey());
        }
        QCOMPARE(images, (QList<int>{frmBrowseDir::FolderImage, frmBrowseDir::ListedFolderImage,
                                     frmBrowseDir::FolderImage}));
    }

    void listingFailures_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("byKey");
        QTest::newRow("bad file name") << 52 << false;
        QTest::newRow("bad file name, Right key") << 52 << true;
        QTest::newRow("missing object") << 91 << false;
        QTest::newRow("disk not ready") << 71 << false;
    }
    void listingFailures()
    {
        QFETCH(int, number);
        QFETCH(bool, byKey);
        BrowserFixture f({"a/"});
        f.browser->show();
        f.fileSystem.failOnce(testsupport::FsCall::List, number);
        f.dialogs.acceptAllMessages();
        const auto open = [&] {
            f.tree()->setCurrentItem(f.root());
            byKey ? QTest::keyClick(f.tree(), Qt::Key_Right) : f.browser->tvwMain_DblClick();
        };
        open();
        QCOMPARE(f.root()->childCount(), 0);
        QCOMPARE(f.dialogs.messageTexts(),
                 number == 52 ? QStringList{"Can't read from " + f.dir.path() + "/"} : QStringList{});
        // The failure does not mark the node read: the next try lists it.
        open();
        QCOMPARE(f.subFolders(f.root()), QStringList{"a"});
    }

    void keysOpenCloseAndFind_data()
    {
        QTest::addColumn<bool>("opened"); // the volume double-clicked first
        QTest::addColumn<int>("from");    // the current node: -1 the volume, else its child
        QTest::addColumn<int>("key");     // with the keypad's modifier when negative
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QStringList>("open");
        const QStringList shut, volume{"K1"};
        auto row = [](const char* name, bool opened, int from, int key, const char* typed,
                      const char* selected, const QStringList& open) {
            QTest::newRow(name) << opened << from << key << QString(typed) << QString(selected) << open;
        };
        row("Right opens", false, -1, Qt::Key_Right, "", "K1", volume);
        row("+ opens", false, -1, Qt::Key_Plus, "", "K1", volume);
        row("keypad + opens", false, -1, -Qt::Key_Plus, "", "K1", volume);
        row("Enter opens", false, -1, Qt::Key_Return, "", "K1", volume);
        row("keypad Enter opens", false, -1, -Qt::Key_Enter, "", "K1", volume);
        row("Enter keeps open", true, -1, Qt::Key_Return, "", "K1", volume);
        row("Right on open goes in", true, -1, Qt::Key_Right, "", "K1-1", volume);
        row("Right opens a child", true, 1, Qt::Key_Right, "", "K1-2", {"K1", "K1-2"});
        row("Left closes", true, -1, Qt::Key_Left, "", "K1", shut);
        row("- closes", true, -1, Qt::Key_Minus, "", "K1", shut);
        row("keypad - closes", true, -1, -Qt::Key_Minus, "", "K1", shut);
        row("Left on closed goes up", true, 2, Qt::Key_Left, "", "K1", volume);
        row("typing finds b9", true, -1, 0, "b9", "K1-2", volume);
        row("typing finds B1", true, 2, 0, "b1", "K1-1", volume);
    }
    void keysOpenCloseAndFind()
    {
        QFETCH(bool, opened);
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(QString, typed);
        QFETCH(QString, selected);
        QFETCH(QStringList, open);
        BrowserFixture f({"b10/", "b9/in/", "B1/", ".hidden/", "file.jpg"});
        f.browser->show();
        if (opened) {
            f.doubleClick(f.root());
            // A listed folder is not read again.
            QVERIFY(QDir(f.dir.path()).mkdir("a0"));
        }
        f.tree()->setCurrentItem(from < 0 ? f.root() : f.root()->child(from));
        if (typed.isEmpty())
            QTest::keyClick(f.tree(), Qt::Key(qAbs(key)), key < 0 ? Qt::KeypadModifier : Qt::NoModifier);
        else
            QTest::keyClicks(f.tree(), typed);
        QCOMPARE(f.selected(), selected);
        QCOMPARE(f.openKeys(), open);
        // Keys list a folder as a double-click does: once, in the same order.
        QCOMPARE(f.subFolders(f.root()), (QStringList{"B1", "b9", "b10"}));
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
        QTest::newRow("the volume") << "%1"
                                    << "K2" << QStringList{};
        QTest::newRow("a folder") << "%1/b9"
                                  << "K2-2" << volume;
        QTest::newRow("deep, final separator") << "%1/b9/in/"
                                               << "K2-2-1" << QStringList{"K2", "K2-2"};
        QTest::newRow("far down the list") << "%1/c20"
                                           << "K2-23" << volume;
        QTest::newRow("missing: its parent") << "%1/b9/gone/deeper"
                                             << "K2-2" << volume;
        QTest::newRow("hidden: its parent") << "%1/.hidden"
                                            << "K2" << QStringList{};
        QTest::newRow("none given") << ""
                                    << "none" << QStringList{};
        QTest::newRow("relative") << "b9"
                                  << "none" << QStringList{};
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
        QCOMPARE(f.selected(), selected);
        QCOMPARE(f.openKeys(), open);
        if (QTreeWidgetItem* node = f.browser->selectedNode())
            QVERIFY(f.tree()->viewport()->rect().contains(f.tree()->visualItemRect(node)));
        QVERIFY(f.dialogs.asked().isEmpty());
    }

    void newFolderJoinsTheTree()
    {
        BrowserFixture f({"a/", "c/"});
        f.browser->show();
        QVERIFY(!f.browser->cmdNew->isVisible());
        f.browser->SetNew();
        QVERIFY(f.browser->cmdNew->isVisible());
        f.tree()->clearSelection();
        f.dialogs.answerMessage(platform::mb::Ok);
        f.browser->cmdNew->click();
        QCOMPARE(f.dialogs.messageTexts(),
                 QStringList{"You must select an existing directory or item to create a folder in!"});
        QCOMPARE(f.dialogs.asked().first().style, platform::mb::OkOnly | platform::mb::Information);

        f.doubleClick(f.root());
        f.dialogs.answerInput("b");
        f.browser->cmdNew_Click();
        QCOMPARE(f.dialogs.lastInputDefault, QStringLiteral("New Folder"));
        QCOMPARE(f.dialogs.asked().last().text + f.dialogs.asked().last().title,
                 "Create new directory:Lumarine");
        QCOMPARE(f.folders(), (QStringList{"a", "b", "c"}));
        // The listed node keeps its children in order; the new one has no key.
        QCOMPARE(f.subFolders(f.root()), (QStringList{"a", "b", "c"}));
        QCOMPARE(keyOf(f.root()->child(1)) + QString::number(imageOf(f.root()->child(1))), "1");

        // A node with a made child is not read any more; an empty name makes nothing.
        f.tree()->setCurrentItem(f.root()->child(0));
        f.dialogs.answerInput("New Folder");
        f.browser->cmdNew_Click();
        QVERIFY(QDir(f.dir.filePath("a")).mkdir("other"));
        QVERIFY(!f.root()->child(0)->isExpanded());
        f.doubleClick(f.root()->child(0));
        f.dialogs.answerInput("");
        f.browser->cmdNew_Click();
        QCOMPARE(f.subFolders(f.root()->child(0)), QStringList{"New Folder"});
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
        f.dialogs.answerMessage(platform::mb::Ok);
        f.browser->cmdNew_Click();
        QCOMPARE(f.dialogs.messageTexts(), QStringList{basUI::ReportErrorText(platform::AppError(number))});
        QCOMPARE(f.subFolders(f.root()), (QStringList{"a", "x"}));
        QCOMPARE(f.folders(), (QStringList{"a", "x"}));
        QVERIFY(QDir(f.dir.filePath("x")).isEmpty());
    }

    // Each answer ends the modal show.
    void answersOfOkCancelAndClose_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("select");     // -2 nothing, -1 the volume, else its child
        QTest::addColumn<QString>("chosen"); // below the test's folder; "-" for none
        QTest::newRow("ok on the volume") << "ok" << -1 << "";
        QTest::newRow("ok on a folder") << "ok" << 0 << "a";
        QTest::newRow("ok with nothing selected") << "ok" << -2 << "-";
        QTest::newRow("cancel") << "cancel" << -1 << "-";
        QTest::newRow("escape") << "escape" << -1 << "-";
        QTest::newRow("close box") << "close" << -1 << "-";
    }
    void answersOfOkCancelAndClose()
    {
        QFETCH(QString, how);
        QFETCH(int, select);
        QFETCH(QString, chosen);
        BrowserFixture f({"a/"});
        QTimer::singleShot(0, f.browser.get(), [&] {
            f.doubleClick(f.root());
            f.tree()->setCurrentItem(select == -1 ? f.root() : f.root()->child(0));
            if (select == -2)
                f.tree()->clearSelection();
            if (how == "ok" || how == "cancel")
                (how == "ok" ? f.browser->cmdOK : f.browser->cmdCancel)->click();
            else if (how == "escape")
                QTest::keyClick(f.browser.get(), Qt::Key_Escape);
            // An answer that did not end the show must not hang the test.
            if (how == "close" || f.browser->isVisible())
                f.browser->close();
        });
        f.browser->ShowModal();
        QVERIFY(f.browser->isHidden());
        QCOMPARE(f.browser->DIRCancel, how == "cancel" || how == "escape");
        // A volume's path has no final separator.
        QCOMPARE(f.browser->DIRSelectedDir, chosen == "-"      ? QString()
                                            : chosen.isEmpty() ? f.dir.path()
                                                               : f.dir.filePath(chosen));
    }
};

LUMARINE_REGISTER_TEST(TestBrowseDir)
#include "tst_browsedir.moc"
