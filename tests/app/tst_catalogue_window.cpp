// The main window's list commands: what reaches the catalogue from its
// controls, menus and toolbar, and what comes back onto them.
#include "mainwindowfixture.h"
#include "support/testmain.h"

#include "browse/frmbrowsedir.h"
#include "platform/basui.h"
#include "support/tree.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using platform::mb::Ok;

class TestCatalogueWindow : public QObject {
    Q_OBJECT

private slots:
    void baseComboListsVolumesAndKeepsItsText_data();
    void baseComboListsVolumesAndKeepsItsText();
    void setBaseTakesTheBrowsersAnswer_data();
    void setBaseTakesTheBrowsersAnswer();
    void commandLineFillsTheMainList();
    void commandLineNamingNoFileIsReported();
    void countFillsListAndLabels();
    void saveEntriesWriteTheirOwnList_data();
    void saveEntriesWriteTheirOwnList();

private:
    void loaded(MainWindowFixture& f, const QString& commandLine = {}, const QByteArray& settings = {})
    {
        f.writeIni(MainWindowFixture::afterFirstStart(settings));
        f.window->Form_Load(commandLine);
    }
};

void TestCatalogueWindow::baseComboListsVolumesAndKeepsItsText_data()
{
    QTest::addColumn<QString>("base");
    QTest::newRow("empty") << QString();
    QTest::newRow("stored path") << "/srv/pictures";
}

void TestCatalogueWindow::baseComboListsVolumesAndKeepsItsText()
{
    QFETCH(QString, base);
    MainWindowFixture f;
    loaded(f, {}, "[PATHS]\nBASE=" + base.toUtf8() + "\n");
    QComboBox* box = f.window->txtBase;
    QCOMPARE(box->currentText(), base);
    QVERIFY(box->count() >= 1);
    QCOMPARE(box->itemText(0), QStringLiteral("/"));
    QVERIFY(f.dialogs.asked().isEmpty());
}

void TestCatalogueWindow::setBaseTakesTheBrowsersAnswer_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("base");
    QTest::newRow("ok") << "ok"
                        << "/";
    QTest::newRow("cancel") << "cancel"
                            << "/before";
    QTest::newRow("close box empties the base") << "close"
                                                << "";
}

void TestCatalogueWindow::setBaseTakesTheBrowsersAnswer()
{
    QFETCH(QString, how);
    QFETCH(QString, base);
    MainWindowFixture f;
    loaded(f);
    f.window->txtBase->setEditText("/before");
    bool seen = false;
    QString startedAt;
    QTimer::singleShot(0, f.window.get(), [&] {
        auto* browser = qobject_cast<frmBrowseDir*>(QApplication::activeModalWidget());
        if (!browser)
            return;
        seen = true;
        // The base folder's browser offers no New button.
        QVERIFY(browser->cmdNew->isHidden());
        startedAt = frmBrowseDir::FullPath(browser->selectedNode());
        browser->tvwMain->setCurrentItem(browser->tvwMain->topLevelItem(0));
        if (how == "ok")
            browser->cmdOK->click();
        else if (how == "cancel")
            browser->cmdCancel->click();
        else
            browser->close();
    });
    f.window->cmdBrowse->click();
    QVERIFY(seen);
    // It opened at the base folder, or at what is left of it: "/before" is gone.
    QCOMPARE(startedAt, QStringLiteral("/"));
    QCOMPARE(f.window->txtBase->currentText(), base);
}

void TestCatalogueWindow::commandLineFillsTheMainList()
{
    MainWindowFixture f;
    const QString list = f.dir.filePath("start list.lum");
    QVERIFY(testsupport::writeBytes(list, "/p/b.jpg\r\n/p/a.jpg\r\n"));
    loaded(f, list);
    QCOMPARE(testsupport::rowsOf(*f.window->lstImagesModel), (QStringList{"/p/b.jpg", "/p/a.jpg"}));
    QCOMPARE(f.state.MainImages.Count(), 2);
    QCOMPARE(f.window->lblCount->text(), QStringLiteral("2"));
    QVERIFY(f.dialogs.asked().isEmpty());
}

void TestCatalogueWindow::commandLineNamingNoFileIsReported()
{
    MainWindowFixture f;
    const QString missing = f.dir.filePath("gone.lum");
    f.dialogs.answerMessage(Ok);
    f.dialogs.answerMessage(Ok);
    loaded(f, missing);
    QCOMPARE(f.dialogs.messageTexts(),
             (QStringList{basUI::ReportErrorText(platform::AppError(53)), missing}));
    QCOMPARE(f.window->lblCount->text(), QStringLiteral("0"));
    QCOMPARE(f.window->lblStatus->text(), QStringLiteral("Ready."));
    QVERIFY(!basUI::IsBusyCursorOn());
}

void TestCatalogueWindow::countFillsListAndLabels()
{
    MainWindowFixture f;
    loaded(f);
    QVERIFY(testsupport::makeTree(f.dir.path() + "/pics", {"a/x.jpg", "y.JPG"}));
    f.window->txtBase->setEditText(f.dir.path() + "/pics");
    f.window->cmdCount->click();
    const QString base = f.dir.path() + "/pics/";
    QCOMPARE(testsupport::rowsOf(*f.window->lstImagesModel), (QStringList{base + "a/x.jpg", base + "y.JPG"}));
    QCOMPARE(f.window->lblCount->text(), QStringLiteral("2"));
    QCOMPARE(f.window->lblStatus->text(), QStringLiteral("Ready."));
    QVERIFY(!basUI::IsBusyCursorOn());
}

void TestCatalogueWindow::saveEntriesWriteTheirOwnList_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("Current Image List") << "mnuSaveList_0" << QByteArray("/i.jpg\r\n");
    QTest::newRow("Current Favorites") << "mnuSaveList_1" << QByteArray("/f.jpg\r\n");
    QTest::newRow("toolbar Save") << "Toolbar1_4" << QByteArray("/f.jpg\r\n");
}

void TestCatalogueWindow::saveEntriesWriteTheirOwnList()
{
    QFETCH(QString, entry);
    QFETCH(QByteArray, written);
    MainWindowFixture f;
    loaded(f);
    f.state.MainImages.Add("/i.jpg");
    f.state.Favorites.Add("/f.jpg");
    const QString file = f.dir.filePath("saved.lum");
    f.dialogs.answerSaveFile(file);
    f.window->findChild<QAction*>(entry)->trigger();
    QCOMPARE(testsupport::readBytes(file), written);
    // The dialog starts where the settings file lives.
    QCOMPARE(f.dialogs.fileDialogs.first().initialFolder, f.dir.path());
    QCOMPARE(f.window->cdlMain.fileName, file);
}

LUMARINE_REGISTER_TEST(TestCatalogueWindow)

#include "tst_catalogue_window.moc"
