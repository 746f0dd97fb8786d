// The main window's list commands and shows: what reaches the catalogue and
// the display window from its controls, menus and toolbar, and what comes back.
#include "mainwindowfixture.h"

#include "app/version.h"
#include "browse/frmbrowsedir.h"
#include "display/frmdisplay.h"
#include "platform/basui.h"
#include "support/jpegfixtures.h"

#include <QDir>
#include <QScreen>
#include <QTreeWidget>

class TestLists : public QObject {
    Q_OBJECT

private slots:
    void setBaseTakesTheBrowsersAnswer_data()
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
    void setBaseTakesTheBrowsersAnswer()
    {
        QFETCH(QString, how);
        QFETCH(QString, base);
        MainWindowFixture f;
        f.load();
        auto* baseBox = f.child<QComboBox>("txtBase");
        baseBox->setEditText("/before");
        QString startedAt = "no browser";
        QTimer::singleShot(0, f.window.get(), [&] {
            auto* browser = qobject_cast<frmBrowseDir*>(QApplication::activeModalWidget());
            if (!browser)
                return;
            // The base folder's browser offers no New button.
            QVERIFY(browser->cmdNew->isHidden());
            startedAt = frmBrowseDir::FullPath(browser->selectedNode());
            browser->tvwMain->setCurrentItem(browser->tvwMain->topLevelItem(0));
            if (how == "close")
                browser->close();
            else
                (how == "ok" ? browser->cmdOK : browser->cmdCancel)->click();
        });
        f.child<QPushButton>("cmdBrowse")->click();
        // It opened at the base folder, or at what is left of it: "/before" is gone.
        QCOMPARE(startedAt, QStringLiteral("/"));
        QCOMPARE(baseBox->currentText(), base);
    }

    void mainListFillsAndLabelsFollow_data()
    {
        QTest::addColumn<QString>("commandLine"); // in the temporary folder; empty: Count instead
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<int>("error");
        QTest::newRow("list file") << "start list.lum" << QStringList{"/p/b.jpg", "/p/a.jpg"} << 0;
        QTest::newRow("no such list file") << "gone.lum" << QStringList() << 53;
        QTest::newRow("Count") << "" << QStringList{"pics/a/x.jpg", "pics/y.JPG"} << 0;
    }
    void mainListFillsAndLabelsFollow()
    {
        QFETCH(QString, commandLine);
        QFETCH(QStringList, shown);
        QFETCH(int, error);
        MainWindowFixture f;
        QVERIFY(testsupport::writeBytes(f.dir.filePath("start list.lum"), "/p/b.jpg\r\n/p/a.jpg\r\n"));
        QVERIFY(testsupport::makeTree(f.dir.filePath("pics"), {"a/x.jpg", "y.JPG"}));
        f.dialogs.acceptAllMessages();
        f.load(commandLine.isEmpty() ? QString() : f.dir.filePath(commandLine));
        if (commandLine.isEmpty()) {
            f.child<QComboBox>("txtBase")->setEditText(f.dir.filePath("pics"));
            f.child<QPushButton>("cmdCount")->click();
            for (QString& path : shown)
                path = f.dir.filePath(path);
        }
        QCOMPARE(testsupport::rowsOf(*f.child<QListView>("lstImages")->model()), shown);
        QCOMPARE(f.child<QLabel>("lblCount")->text(), QString::number(shown.size()));
        QCOMPARE(f.child<QLabel>("lblStatus")->text(), QStringLiteral("Ready."));
        const QStringList said{basUI::ReportErrorText(platform::AppError(error)),
                               f.dir.filePath(commandLine)};
        QCOMPARE(f.dialogs.messageTexts(), error ? said : QStringList());
        QVERIFY(!basUI::IsBusyCursorOn());
    }

    void saveEntriesWriteTheirOwnList_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("Current Image List") << "mnuSaveList_0" << QByteArray("/i.jpg\r\n");
        QTest::newRow("Current Favorites") << "mnuSaveList_1" << QByteArray("/f.jpg\r\n");
        QTest::newRow("toolbar Save") << "Toolbar1_4" << QByteArray("/f.jpg\r\n");
    }
    void saveEntriesWriteTheirOwnList()
    {
        QFETCH(QString, entry);
        QFETCH(QByteArray, written);
        MainWindowFixture f;
        f.load();
        f.state.MainImages.Add("/i.jpg");
        f.state.Favorites.Add("/f.jpg");
        const QString file = f.dir.filePath("saved.lum");
        f.dialogs.answerSaveFile(file);
        f.dialogs.answerSaveFile(QString());
        f.action(entry)->trigger();
        QCOMPARE(testsupport::readBytes(file), written);
        // The dialog starts where the settings file lives, the next one with the name chosen.
        QCOMPARE(f.dialogs.fileDialogs.first().initialFolder, f.dir.path());
        f.action(entry)->trigger();
        QCOMPARE(f.dialogs.fileDialogs.last().fileName, file);
    }

    void showsCoverTheScreenAndKeepTheDelayOfTheLastShowAll()
    {
        MainWindowFixture f;
        f.load();
        f.window->show();
        const QString first = f.addPicture("a.jpg");
        f.addPicture("b.jpg");
        auto* delay = f.child<QLineEdit>("txtDelay");
        delay->setText("7 seconds");
        f.action("Toolbar1_10")->trigger();
        frmDisplay& display = f.window->DisplayWindow();
        QVERIFY(display.isVisible());
        QCOMPARE(display.geometry(), f.window->screen()->geometry());
        QCOMPARE(display.imgMain->toolTip(), first);
        QCOMPARE(display.mintDelay(), 7);
        QCOMPARE(display.mcolCurrent(), &f.state.MainImages);
        QTest::keyClick(&display, 'a');
        // The favourites' box follows at once, not when the show ends.
        QCOMPARE(testsupport::rowsOf(*f.child<QListView>("lstFavorites")->model()), QStringList({first}));
        QTest::keyClick(&display, Qt::Key_Space);
        delay->setText("2");
        f.child<QPushButton>("cmdFavorites")->click();
        QCOMPARE(display.mcolCurrent(), &f.state.Favorites);
        QCOMPARE(display.mintDelay(), 7);
        QVERIFY(display.tim1->isActive());
        QTest::keyClick(&display, Qt::Key_Escape);
        QVERIFY(!display.isVisible());
    }

    void argumentsOpenWhatTheyName_data()
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
            << QStringList{"p/c.JPG", "p/q/d.jpg", "p/a.jpg"}
            << QStringList{"p/c.JPG", "p/q/d.jpg", "p/a.jpg"} << "p/c.JPG" << none << none << none;
        QTest::newRow("folder is counted")
            << QStringList{"p"} << QStringList{"p/q/d.jpg"} + folder << none << "p" << none << none;
        QTest::newRow("list file split at its blank")
            << QStringList{"my", "list.lum"} << QStringList{"p/b.jpg", "p/a.jpg"} << none << none << none
            << none;
        QTest::newRow("missing picture")
            << QStringList{"gone.jpg"} << QStringList{} << none << none << "gone.jpg" << none;
        QTest::newRow("version") << QStringList{"--version"} << QStringList{} << none << none << none
                                 << QStringLiteral("lumarine %1.%2.%3\n")
                                        .arg(version::Major)
                                        .arg(version::Minor)
                                        .arg(version::Revision);
        QTest::newRow("unknown option")
            << QStringList{"-x"} << QStringList{} << none << none << none << "Unknown option 'x'.\n";
    }
    void argumentsOpenWhatTheyName()
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
        f.dialogs.answerMessage(platform::mb::Ok);
        f.dialogs.answerMessage(platform::mb::Ok);
        f.writeIni("[Settings]\nFirstStart=Done\n");
        f.window->Form_Load(parsed);
        f.window->show();
        QCoreApplication::sendPostedEvents();
        QCOMPARE(testsupport::rowsOf(*f.child<QListView>("lstImages")->model()), full(mainList));
        QCOMPARE(f.child<QLabel>("lblCount")->text(), QString::number(mainList.size()));
        QCOMPARE(f.child<QComboBox>("txtBase")->currentText(), base.isEmpty() ? base : f.dir.filePath(base));
        const QStringList report{basUI::ReportErrorText(platform::AppError(53)), f.dir.filePath(reported)};
        QCOMPARE(f.dialogs.messageTexts(), reported.isEmpty() ? QStringList{} : report);
        frmDisplay& display = f.window->DisplayWindow();
        QCOMPARE(display.isVisible(), !shown.isEmpty());
        if (!shown.isEmpty())
            QCOMPARE(display.imgMain->toolTip(), f.dir.filePath(shown));
    }

    void controlsAreNamedForAScreenReader_data()
    {
        QTest::addColumn<QString>("toolbarButton"); // the show running; empty for none
        QTest::addColumn<bool>("thumbs");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::newRow("image list") << "" << false << "lstImages"
                                    << "Image list";
        QTest::newRow("favourites") << "" << false << "lstFavorites"
                                    << "Favorites";
        QTest::newRow("base path") << "" << false << "txtBase"
                                   << "Base path";
        QTest::newRow("thumbnail size") << "" << false << "cboTNSize"
                                        << "Thumbnail size";
        QTest::newRow("a show") << "Toolbar1_10" << false << "frmDisplay"
                                << "Slide show: a.jpg";
        QTest::newRow("its picture") << "Toolbar1_10" << false << "imgMain"
                                     << "a.jpg";
        QTest::newRow("a preview") << "Toolbar1_9" << false << "frmDisplay"
                                   << "Preview: a.jpg";
        QTest::newRow("its scroll bar") << "Toolbar1_9" << false << "hscMain"
                                        << "Position in the show";
        QTest::newRow("a page") << "Toolbar1_9" << true << "frmDisplay"
                                << "Thumbnails, page 1 of 1";
        QTest::newRow("a thumbnail") << "Toolbar1_9" << true << "imgTN_1"
                                     << "b.jpg";
        QTest::newRow("the path at the bar, before a drag") << "Toolbar1_9" << true << "lblPath"
                                                            << "Path of the picture at the bar";
        QTest::newRow("the favourite mark") << "Toolbar1_9" << false << "lblStatus"
                                            << "Not a favorite";
        QTest::newRow("the note, when there is none") << "Toolbar1_10" << false << "note"
                                                      << "Note";
    }
    void controlsAreNamedForAScreenReader()
    {
        QFETCH(QString, toolbarButton);
        QFETCH(bool, thumbs);
        QFETCH(QString, control);
        QFETCH(QString, name);
        MainWindowFixture f;
        f.load();
        f.addPicture("a.jpg");
        f.addPicture("b.jpg");
        f.state.ThumbPreview = thumbs;
        QWidget* window = f.window.get();
        if (!toolbarButton.isEmpty()) {
            f.action(toolbarButton)->trigger();
            window = &f.window->DisplayWindow();
        }
        auto* widget = window->objectName() == control ? window : window->findChild<QWidget*>(control);
        QVERIFY(widget);
        QCOMPARE(widget->accessibleName(), name);
    }
};

LUMARINE_REGISTER_TEST(TestLists)

#include "tst_lists.moc"
