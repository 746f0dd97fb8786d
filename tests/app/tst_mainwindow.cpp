// The main window's controls, menus, toolbar and settings tab.
#include "mainwindowfixture.h"
#include "support/testmain.h"

#include "app/help.h"
#include "app/searchguard.h"
#include "platform/dialogs.h"
#include "support/tree.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>

namespace {

QStringList captionsOf(const QVector<QAction*>& actions, int from = 0)
{
    QStringList captions;
    for (int i = from; i < actions.size(); ++i)
        captions << (actions[i]->isSeparator() ? QStringLiteral("-") : actions[i]->text());
    return captions;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void menusHoldTheirEntriesInOrder();
    void imageMenuStartsDisabled();
    void toolbarButtonsCarryTheirToolTips();
    void showNamesTicksCaptionsAndWritesAtOnce();
    void tabSwitchSetsActiveList_data();
    void tabSwitchSetsActiveList();
    void delayMustBeNumeric_data();
    void delayMustBeNumeric();
    void delayRefusedAgainOnEveryAttempt();
    void menuAndToolbarPressTheHiddenButtons_data();
    void menuAndToolbarPressTheHiddenButtons();
    void randomAndSizeFollowTheirControls();
    void helpOpensTheSameDocumentFromEveryPlace_data();
    void helpOpensTheSameDocumentFromEveryPlace();
    void helpDocumentFoundBesideOrInstalled_data();
    void helpDocumentFoundBesideOrInstalled();
    void aboutShowsTheVersion();
    void searchTakesOnlyItsStop_data();
    void searchTakesOnlyItsStop();
    void linkOpensTheWebPage_data() { helpOpensTheSameDocumentFromEveryPlace_data(); }
    void linkOpensTheWebPage();

private:
    const QString noProgram = QStringLiteral(" could not be opened: the desktop has no program for it.");

    void loaded(MainWindowFixture& f)
    {
        f.writeIni(MainWindowFixture::afterFirstStart());
        f.window->Form_Load(QString());
    }

    // The settings tab in front of an active window, the focus in the delay box.
    void focusInDelayBox(MainWindowFixture& f)
    {
        loaded(f);
        frmLumMain& w = *f.window;
        w.tabMain->setCurrentIndex(3);
        w.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.txtDelay->setFocus();
        QTRY_VERIFY(w.txtDelay->hasFocus());
    }
};

void TestMainWindow::menusHoldTheirEntriesInOrder()
{
    MainWindowFixture f;
    frmLumMain& w = *f.window;
    QCOMPARE(w.mnuFile->title(), QStringLiteral("&File"));
    QCOMPARE(captionsOf(w.mnuFileSub), (QStringList{"&New Favorites List", "-", "&Open List", "&Save Lists",
                                                    "-", "&Move Favorites", "-", "E&xit"}));
    QCOMPARE(w.mnuFileSub[3]->menu(), w.mnuSaveList);
    QCOMPARE(captionsOf(w.mnuSaveListSub), (QStringList{"Current Image List", "Current Favorites"}));
    QCOMPARE(captionsOf(w.mnuImageSub),
             (QStringList{"&Display", "-", "Add to favorites", "Remove from favorites",
                          "Add to saved Lumarine list", "-", "&Copy image file", "C&opy image to clipboard",
                          "&Rename file", "&Move ", "&Delete"}));
    QCOMPARE(captionsOf(w.mnuViewSub),
             (QStringList{"&Browse For Root", "-", "&Preview All", "-", "Show &All", "Show &Favorites"}));
    QCOMPARE(captionsOf(w.mnuHelpSub), (QStringList{"&Help", "-", "&About"}));
    QCOMPARE(w.mnuImageSub[9]->objectName(), QStringLiteral("mnuImageSub_9"));
    QCOMPARE(w.mnuFileSub[5]->objectName(), QStringLiteral("mnuFileSub_5"));
    QVERIFY(w.findChild<QAction*>("mnuViewSub_4"));
}

void TestMainWindow::imageMenuStartsDisabled()
{
    MainWindowFixture f;
    for (QAction* entry : f.window->mnuImageSub)
        QCOMPARE(entry->isEnabled(), entry->isSeparator());
    for (QAction* entry : f.window->mnuFileSub)
        QVERIFY(entry->isEnabled());
}

void TestMainWindow::toolbarButtonsCarryTheirToolTips()
{
    MainWindowFixture f;
    const QStringList expected = {"Create New Favorites List",
                                  "",
                                  "Open Current Favorites List",
                                  "Save Current Favorites List",
                                  "Move Favorite Images",
                                  "",
                                  "Browse For Base Path",
                                  "",
                                  "Preview All Images",
                                  "Show All Images",
                                  "Show Favorite Images",
                                  "",
                                  "Help"};
    QCOMPARE(f.window->toolbarButtons.size(), 14);
    for (int i = 1; i <= 13; ++i) {
        QAction* button = f.window->toolbarButtons[i];
        QCOMPARE(button->isSeparator(), expected[i - 1].isEmpty());
        if (!button->isSeparator()) {
            QCOMPARE(button->toolTip(), expected[i - 1]);
            QVERIFY(!button->icon().isNull());
        }
    }
}

void TestMainWindow::showNamesTicksCaptionsAndWritesAtOnce()
{
    MainWindowFixture f;
    loaded(f);
    frmLumMain& w = *f.window;
    QVERIFY(!w.chkShowNames->isChecked());
    w.chkShowNames->click();
    QCOMPARE(captionsOf(w.toolbarButtons, 1), (QStringList{"New", "-", "Open", "Save", "Copy", "-", "Browse",
                                                           "-", "Preview", "All", "Faves", "-", "Help"}));
    QVERIFY(f.readIni().contains("ShowButtonNames=True\n"));
    w.chkShowNames->click();
    for (int i = 1; i <= 13; ++i)
        QCOMPARE(w.toolbarButtons[i]->text(), QString());
    QVERIFY(f.readIni().contains("ShowButtonNames=False\n"));
}

void TestMainWindow::tabSwitchSetsActiveList_data()
{
    QTest::addColumn<QList<int>>("tabs");
    QTest::addColumn<QString>("active");
    QTest::newRow("image list") << QList<int>{1} << "lstImages";
    QTest::newRow("favorites without a click") << QList<int>{2} << "lstFavorites";
    QTest::newRow("image list then actions") << QList<int>{1, 0} << "";
    QTest::newRow("favorites then settings") << QList<int>{2, 3} << "";
    QTest::newRow("settings then image list") << QList<int>{3, 1} << "lstImages";
}

void TestMainWindow::tabSwitchSetsActiveList()
{
    QFETCH(QList<int>, tabs);
    QFETCH(QString, active);
    MainWindowFixture f;
    QCOMPARE(f.window->ActiveList, nullptr);
    for (int tab : tabs)
        f.window->tabMain->setCurrentIndex(tab);
    QCOMPARE(f.window->ActiveList ? f.window->ActiveList->objectName() : QString(), active);
}

void TestMainWindow::delayMustBeNumeric_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("whole number") << "7" << true;
    QTest::newRow("fraction") << "2.5" << true;
    QTest::newRow("negative") << "-1" << true;
    QTest::newRow("blanks around") << " 4 " << true;
    QTest::newRow("exponent") << "1e1" << true;
    QTest::newRow("leading point") << ".5" << true;
    QTest::newRow("letters") << "abc" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("comma is not the decimal separator") << "2,5" << false;
    QTest::newRow("number and word") << "7 seconds" << false;
    QTest::newRow("two points") << "1.2.3" << false;
}

void TestMainWindow::delayMustBeNumeric()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    MainWindowFixture f;
    focusInDelayBox(f);
    frmLumMain& w = *f.window;
    w.txtDelay->setText(text);
    if (!accepted)
        f.dialogs.answerMessage(platform::mb::Ok);
    QTest::keyClick(w.txtDelay, Qt::Key_Tab);
    if (accepted) {
        QVERIFY(f.dialogs.asked().isEmpty());
        QVERIFY(!w.txtDelay->hasFocus());
    } else {
        QCOMPARE(f.dialogs.messageTexts(), QStringList{"Delay must be numeric!"});
        QCOMPARE(f.dialogs.asked().first().style, 48);
        QTRY_VERIFY(w.txtDelay->hasFocus());
        QCOMPARE(w.txtDelay->text(), text);
    }
}

void TestMainWindow::delayRefusedAgainOnEveryAttempt()
{
    MainWindowFixture f;
    focusInDelayBox(f);
    frmLumMain& w = *f.window;
    QTest::keyClicks(w.txtDelay, "x");
    f.dialogs.answerMessage(platform::mb::Ok);
    f.dialogs.answerMessage(platform::mb::Ok);
    QTest::keyClick(w.txtDelay, Qt::Key_Tab);
    QTRY_VERIFY(w.txtDelay->hasFocus());
    w.chkRandom->setFocus();
    QTRY_VERIFY(w.txtDelay->hasFocus());
    QCOMPARE(f.dialogs.messageTexts().size(), 2);
    w.txtDelay->setText("5");
    QTest::keyClick(w.txtDelay, Qt::Key_Tab);
    QTRY_VERIFY(!w.txtDelay->hasFocus());
    QCOMPARE(f.dialogs.messageTexts().size(), 2);
}

void TestMainWindow::menuAndToolbarPressTheHiddenButtons_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("button");
    QTest::newRow("New Favorites List") << "mnuFileSub_0"
                                        << "cmdClearFaves";
    QTest::newRow("toolbar New") << "Toolbar1_1"
                                 << "cmdClearFaves";
    QTest::newRow("Preview All") << "mnuViewSub_2"
                                 << "cmdPreview";
    QTest::newRow("toolbar Preview") << "Toolbar1_9"
                                     << "cmdPreview";
    QTest::newRow("Show All") << "mnuViewSub_4"
                              << "cmdShowAll";
    QTest::newRow("toolbar All") << "Toolbar1_10"
                                 << "cmdShowAll";
    QTest::newRow("Show Favorites") << "mnuViewSub_5"
                                    << "cmdFavorites";
    QTest::newRow("toolbar Faves") << "Toolbar1_11"
                                   << "cmdFavorites";
    QTest::newRow("Exit") << "mnuFileSub_7"
                          << "cmdClose";
}

void TestMainWindow::menuAndToolbarPressTheHiddenButtons()
{
    QFETCH(QString, entry);
    QFETCH(QString, button);
    MainWindowFixture f;
    loaded(f);
    auto* target = f.window->findChild<QPushButton*>(button);
    QVERIFY(target);
    QVERIFY(button == QLatin1String("cmdClose") || !target->isVisibleTo(f.window.get()));
    QSignalSpy pressed(target, &QPushButton::clicked);
    f.dialogs.acceptAllMessages();
    f.window->findChild<QAction*>(entry)->trigger();
    QCOMPARE(pressed.count(), 1);
}

void TestMainWindow::randomAndSizeFollowTheirControls()
{
    MainWindowFixture f;
    loaded(f);
    f.window->chkRandom->click();
    QVERIFY(f.state.RandomShow);
    f.window->chkRandom->click();
    QVERIFY(!f.state.RandomShow);
    f.window->cboTNSize->setCurrentIndex(2);
    QCOMPARE(f.state.ThumbSize, QStringLiteral("Large"));
    // Neither is written before the program ends.
    QVERIFY(!f.readIni().contains("RANDOM"));
}

void TestMainWindow::helpOpensTheSameDocumentFromEveryPlace_data()
{
    QTest::addColumn<bool>("opens");
    QTest::newRow("the desktop opens it") << true;
    QTest::newRow("the desktop has no program for it: said so") << false;
}

void TestMainWindow::helpOpensTheSameDocumentFromEveryPlace()
{
    QFETCH(bool, opens);
    MainWindowFixture f;
    f.launcher.opens = opens;
    f.dialogs.acceptAllMessages();
    f.window->Form_Load(QString());
    f.window->mnuHelpSub[0]->trigger();
    f.window->toolbarButtons[13]->trigger();
    QCOMPARE(f.launcher.documents.size(), 3);
    QCOMPARE(f.launcher.documents[1], f.launcher.documents[0]);
    QCOMPARE(f.launcher.documents[2], f.launcher.documents[0]);
    const QString unopened = "The manual " + f.launcher.documents[0] + noProgram;
    QCOMPARE(f.dialogs.messageTexts(), opens ? QStringList() : QStringList({unopened, unopened, unopened}));
    for (const auto& asked : f.dialogs.asked())
        QCOMPARE(asked.style, platform::mb::OkOnly | platform::mb::Exclamation);
}

void TestMainWindow::helpDocumentFoundBesideOrInstalled_data()
{
    QTest::addColumn<QString>("document");
    QTest::newRow("build folder") << "bin/lumarine.html";
    QTest::newRow("installed") << "share/lumarine/lumarine.html";
}

void TestMainWindow::helpDocumentFoundBesideOrInstalled()
{
    QFETCH(QString, document);
    QTemporaryDir prefix;
    QVERIFY(testsupport::makeTree(prefix.path(), {"bin/lumarine", document}));
    QCOMPARE(app::HelpDocumentPath(prefix.filePath("bin")), prefix.filePath(document));
}

void TestMainWindow::aboutShowsTheVersion()
{
    MainWindowFixture f;
    f.dialogs.answerMessage(platform::mb::Ok);
    f.window->mnuHelpSub[2]->trigger();
    QCOMPARE(f.dialogs.asked().size(), 1);
    const auto& about = f.dialogs.asked().first();
    QCOMPARE(about.style, 64);
    QCOMPARE(about.title, QStringLiteral("Lumarine"));
    const QStringList lines = about.text.split("\r\n");
    QCOMPARE(lines.first(), QStringLiteral("Lumarine Image Viewer"));
    QCOMPARE(lines.last(), QStringLiteral("Version: 1.0.50"));
    QVERIFY(lines.contains("Thank you for your support!"));
    QVERIFY(lines.contains("web: lumarine.example.org"));
    QVERIFY(lines.contains("e-mail: lumarine@example.org"));
    QVERIFY(about.details.contains("GNU General Public License"));
    QVERIFY(about.details.contains("either version 3 of the License, or (at your option) any later version"));
}

void TestMainWindow::linkOpensTheWebPage()
{
    QFETCH(bool, opens);
    MainWindowFixture f;
    f.launcher.opens = opens;
    f.dialogs.acceptAllMessages();
    loaded(f);
    f.window->show();
    QVERIFY(f.window->lblLink->text().endsWith(QLatin1String("(double-click!)")));
    QTest::mouseDClick(f.window->lblLink, Qt::LeftButton);
    QCOMPARE(f.launcher.webPages, QList<QUrl>{QUrl("http://lumarine.example.org/lumarine/proglink.htm")});
    const QString unopened = "The web page http://lumarine.example.org/lumarine/proglink.htm" + noProgram;
    QCOMPARE(f.dialogs.messageTexts(), opens ? QStringList() : QStringList({unopened}));
}

void TestMainWindow::searchTakesOnlyItsStop_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("key"); // 0 for a click
    QTest::addColumn<bool>("stops");
    QTest::newRow("Escape") << "lstImages" << int(Qt::Key_Escape) << true;
    QTest::newRow("click on Stop") << "cmdStop" << 0 << true;
    QTest::newRow("click on Help dropped") << "Toolbar1_13" << 0 << false;
    QTest::newRow("typing dropped") << "txtBase" << int(Qt::Key_X) << false;
    QTest::newRow("menu key dropped") << "txtBase" << int(Qt::Key_F1) << false;
}

void TestMainWindow::searchTakesOnlyItsStop()
{
    QFETCH(QString, target);
    QFETCH(int, key);
    QFETCH(bool, stops);
    MainWindowFixture f;
    f.window->show();
    frmLumMain& w = *f.window;
    auto* action = w.findChild<QAction*>(target);
    QWidget* widget = action ? w.Toolbar1->widgetForAction(action) : w.findChild<QWidget*>(target);
    {
        qint64 now = 0;
        app::SearchGuard guard(w, *w.cmdCount, *w.cmdStop, [&] { return now; });
        guard.pacer().yield();
        QVERIFY(!w.cmdStop->isVisible()); // not yet: a double-click on Count is not a Stop
        now = QApplication::doubleClickInterval();
        guard.pacer().yield();
        QVERIFY(w.cmdStop->isVisible() && !w.cmdCount->isVisible());
        if (key != 0)
            QTest::keyClick(widget, Qt::Key(key));
        else
            QTest::mouseClick(widget, Qt::LeftButton);
        QCOMPARE(guard.stopRequested()(), stops);
    }
    QVERIFY(w.cmdCount->isVisible() && !w.cmdStop->isVisible());
    QCOMPARE(w.txtBase->currentText(), QString());
    QVERIFY(f.launcher.documents.isEmpty());
}

LUMARINE_REGISTER_TEST(TestMainWindow)

#include "tst_mainwindow.moc"
