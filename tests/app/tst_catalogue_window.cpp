// The main window's list commands: what reaches the catalogue from its
// controls, menus and toolbar, and what comes back onto them.
#include "mainwindowfixture.h"
#include "support/testmain.h"

#include "app/version.h"
#include "browse/frmbrowsedir.h"
#include "display/frmdisplay.h"
#include "platform/basui.h"
#include "support/jpegfixtures.h"
#include "support/tree.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
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
    void argumentsOpenWhatTheyName_data();
    void argumentsOpenWhatTheyName();
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

void TestCatalogueWindow::argumentsOpenWhatTheyName_data()
{
    // Paths are relative to the test's folder; an empty shown means no show.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("mainList");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("reported"); // a name reported missing
    QTest::addColumn<QString>("answer");   // printed instead of a window
    const QStringList folder{"p/a.jpg", "p/b.jpg", "p/c.JPG"};
    const QString none;
    QTest::newRow("picture brings its folder")
        << QStringList{"p/b.jpg"} << folder << "p/b.jpg" << none << none << none;
    QTest::newRow("pictures in the order given")
        << QStringList{"p/c.JPG", "p/q/d.jpg", "p/a.jpg"} << QStringList{"p/c.JPG", "p/q/d.jpg", "p/a.jpg"}
        << "p/c.JPG" << none << none << none;
    QTest::newRow("folder is counted")
        << QStringList{"p"} << QStringList{"p/q/d.jpg"} + folder << none << "p" << none << none;
    QTest::newRow("list file split at its blank")
        << QStringList{"my", "list.lum"} << QStringList{"p/b.jpg", "p/a.jpg"} << none << none << none << none;
    QTest::newRow("missing picture") << QStringList{"gone.jpg"} << QStringList{} << none << none << "gone.jpg"
                                     << none;
    QTest::newRow("missing list file")
        << QStringList{"gone.lum"} << QStringList{} << none << none << "gone.lum" << none;
    QTest::newRow("version") << QStringList{"--version"} << QStringList{} << none << none << none
                             << QStringLiteral("lumarine %1.%2.%3\n")
                                    .arg(version::Major)
                                    .arg(version::Minor)
                                    .arg(version::Revision);
    QTest::newRow("unknown option") << QStringList{"-x"} << QStringList{} << none << none << none
                                    << "Unknown option 'x'.\n";
}

void TestCatalogueWindow::argumentsOpenWhatTheyName()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, mainList);
    QFETCH(QString, shown);
    QFETCH(QString, base);
    QFETCH(QString, reported);
    QFETCH(QString, answer);
    MainWindowFixture f;
    const QString home = QDir::currentPath();
    QVERIFY(QDir::setCurrent(f.dir.path()));
    const auto atHome = qScopeGuard([&] { QDir::setCurrent(home); });
    const auto full = [&](QStringList paths) {
        for (QString& path : paths)
            path = path.endsWith(".lum") ? path : f.dir.filePath(path);
        return paths;
    };
    QVERIFY(testsupport::makeTree("p", {"a.jpg", "b.jpg", "c.JPG", "q/d.jpg", "notes.txt"},
                                  testsupport::jpegBytes(QSize(8, 8))));
    QVERIFY(testsupport::writeBytes("my list.lum", full({"p/b.jpg", "p/a.jpg"}).join("\r\n").toUtf8()));
    const app::Arguments parsed = app::parseArguments(QStringList{"lumarine"} + arguments);
    if (!answer.isEmpty()) {
        QCOMPARE(parsed.output + parsed.errorOutput, answer);
        QCOMPARE(*parsed.exitCode, parsed.output.isEmpty() ? 2 : 0);
        return;
    }
    f.dialogs.answerMessage(Ok);
    f.dialogs.answerMessage(Ok);
    f.writeIni(MainWindowFixture::afterFirstStart());
    f.window->Form_Load(parsed);
    f.window->show();
    QCoreApplication::sendPostedEvents();
    QCOMPARE(testsupport::rowsOf(*f.window->lstImagesModel), full(mainList));
    QCOMPARE(f.window->lblCount->text(), QString::number(mainList.size()));
    QCOMPARE(f.window->txtBase->currentText(), base.isEmpty() ? base : f.dir.filePath(base));
    // A list file is reported by the name given, a picture by its full path.
    const QStringList report{basUI::ReportErrorText(platform::AppError(53)),
                             reported.endsWith(".lum") ? reported : f.dir.filePath(reported)};
    QCOMPARE(f.dialogs.messageTexts(), reported.isEmpty() ? QStringList{} : report);
    frmDisplay& display = f.window->DisplayWindow();
    QCOMPARE(display.isVisible(), !shown.isEmpty());
    if (!shown.isEmpty())
        QCOMPARE(display.imgMain->toolTip(), f.dir.filePath(shown));
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
