#include "browse/frmbrowsedir.h"
#include "platform/basui.h"
#include "support/testmain.h"

#include <QPushButton>
#include <QTreeWidget>

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
    // Right and + open a closed folder, Enter one wherever it is pressed; on
    // an open one Right steps into it and Left closes it, as the tree does.
    void keysOpenAndClose()
    {
        const QList<std::tuple<bool, int, QString, bool>> rows{
            // opened first, key: selected, open
            {false, Qt::Key_Right, "K1", true},  {false, Qt::Key_Plus, "K1", true},
            {false, Qt::Key_Enter, "K1", true},  {true, Qt::Key_Return, "K1", true},
            {true, Qt::Key_Right, "K1-1", true}, {true, Qt::Key_Left, "K1", false}};
        for (const auto& [opened, key, selected, open] : rows) {
            BrowserFixture f({"b10/", "b9/in/", "B1/"});
            f.browser->show();
            if (opened)
                f.doubleClick(f.root());
            f.tree()->setCurrentItem(f.root());
            QTest::keyClick(f.tree(), Qt::Key(key));
            QCOMPARE(std::tuple(f.selected(), f.root()->isExpanded(), f.subFolders(f.root())),
                     std::tuple(selected, open, QStringList{"B1", "b9", "b10"}));
        }
    }

    void newFolderJoinsTheTree()
    {
        BrowserFixture f({"a/", "c/"});
        f.browser->show();
        QVERIFY(!f.browser->cmdNew->isVisible());
        f.browser->SetNew();
        QVERIFY(f.browser->cmdNew->isVisible());
        f.tree()->clearSelection();
        f.dialogs.acceptAllMessages();
        f.browser->cmdNew->click();
        QCOMPARE(f.dialogs.asked().first().style, platform::mb::OkOnly | platform::mb::Information);

        // A folder that cannot be read is named; the failure does not mark
        // it read, so the next try lists it.
        f.fileSystem.failOnce(testsupport::FsCall::List, 52);
        f.doubleClick(f.root());
        QCOMPARE(f.root()->childCount(), 0);
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

        // A name with a separator, or one the medium refuses, makes nothing anywhere.
        f.tree()->setCurrentItem(f.root());
        f.fileSystem.failOnce(testsupport::FsCall::CreateFolder, 75);
        for (const char* name : {"c/d", "fresh"}) {
            f.dialogs.answerInput(name);
            f.browser->cmdNew_Click();
        }
        QCOMPARE(f.dialogs.messageTexts(),
                 (QStringList{"You must select an existing directory or item to create a folder in!",
                              "Can't read from " + f.dir.path() + "/",
                              basUI::ReportErrorText(platform::AppError(52)),
                              basUI::ReportErrorText(platform::AppError(75))}));
        QCOMPARE(f.subFolders(f.root()) + f.folders(), (QStringList{"a", "b", "c", "a", "b", "c"}));
        QVERIFY(QDir(f.dir.filePath("c")).isEmpty());
    }
};

LUMARINE_REGISTER_TEST(TestBrowseDir)
#include "tst_browsedir.moc"
