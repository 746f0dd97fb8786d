// The main window's list commands and shows: what reaches the catalogue and
// the display window from its controls, menus and toolbar, and what comes back.
#include "mainwindowfixture.h"

#include "app/version.h"
#include "browse/frmbrowsedir.h"
#include "display/frmdisplay.h"
#include "platform/basui.h"

#include <QDir>
#include <QScreen>
#include <QTreeWidget>

namespace {

// Paths are relative to the test's folder; no picture shown means no show;
// reported: a name reported missing; answer: printed instead of a window.
struct ArgumentsRow {
    QStringList arguments, mainList;
    QString shown = {}, base = {}, reported = {}, answer = {};
};

} // namespace

class TestLists : public QObject {
    Q_OBJECT

private slots:
    void setBaseTakesTheBrowsersAnswer_data()
    {
        QTest::addColumn<QString>("how");
        for (const char* how : {"ok", "cancel", "close"})
            QTest::newRow(how) << QString(how);
    }
    void setBaseTakesTheBrowsersAnswer()
    {
        QFETCH(QString, how);
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
        // The close box empties the base.
        QCOMPARE(baseBox->currentText(), how == "ok" ? "/" : how == "cancel" ? "/before" : "");
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
        QTest::addColumn<ArgumentsRow>("row");
        const QStringList folder{"p/a.jpg", "p/b.jpg", "p/c.JPG"};
        QTest::newRow("picture brings its folder") << ArgumentsRow{{"p/b.jpg"}, folder, "p/b.jpg"};
        QTest::newRow("pictures in the order given") << ArgumentsRow{
            {"p/c.JPG", "p/q/d.jpg", "p/a.jpg"}, {"p/c.JPG", "p/q/d.jpg", "p/a.jpg"}, "p/c.JPG"};
        QTest::newRow("folder is counted") << ArgumentsRow{{"p"}, QStringList{"p/q/d.jpg"} + folder, {}, "p"};
        QTest::newRow("list file split at its blank")
            << ArgumentsRow{{"my", "list.lum"}, {"p/b.jpg", "p/a.jpg"}};
        QTest::newRow("missing picture") << ArgumentsRow{{"gone.jpg"}, {}, {}, {}, "gone.jpg"};
        QTest::newRow("version") << ArgumentsRow{{"--version"},
                                                 {},
                                                 {},
                                                 {},
                                                 {},
                                                 QStringLiteral("lumarine %1.%2.%3\n")
                                                     .arg(version::Major)
                                                     .arg(version::Minor)
                                                     .arg(version::Revision)};
        QTest::newRow("--help-all answers as --help") << ArgumentsRow{
            {"--help-all"}, {}, {}, {}, {}, app::parseArguments({"lumarine", "--help"}).output};
        QTest::newRow("unknown option") << ArgumentsRow{{"-x"}, {}, {}, {}, {}, "Unknown option 'x'.\n"};
    }
    void argumentsOpenWhatTheyName()
    {
        QFETCH(ArgumentsRow, row);
        MainWindowFixture f;
        const QString home = QDir::currentPath();
        QVERIFY(QDir::setCurrent(f.dir.path()));
        const auto atHome = qScopeGuard([&] { QDir::setCurrent(home); });
        const auto full = [&](QStringList paths) {
            for (QString& path : paths)
                path = path.endsWith(".lum") || path.isEmpty() ? path : f.dir.filePath(path);
            return paths;
        };
        QVERIFY(testsupport::makeTree("p", {"a.jpg", "b.jpg", "c.JPG", "q/d.jpg", "notes.txt"},
                                      testsupport::jpegBytes(QSize(8, 8))));
        QVERIFY(testsupport::writeBytes("my list.lum", full({"p/b.jpg", "p/a.jpg"}).join("\r\n").toUtf8()));
        const app::Arguments parsed = app::parseArguments(QStringList{"lumarine"} + row.arguments);
        if (!row.answer.isEmpty()) {
            QCOMPARE(parsed.output + parsed.errorOutput, row.answer);
            QCOMPARE(*parsed.exitCode, parsed.output.isEmpty() ? 2 : 0);
            return;
        }
        f.dialogs.acceptAllMessages();
        f.writeIni("[Settings]\nFirstStart=Done\n");
        f.window->Form_Load(parsed);
        f.window->show();
        QCoreApplication::sendPostedEvents();
        QCOMPARE(testsupport::rowsOf(*f.child<QListView>("lstImages")->model()), full(row.mainList));
        QCOMPARE(f.child<QLabel>("lblCount")->text(), QString::number(row.mainList.size()));
        QCOMPARE(f.child<QComboBox>("txtBase")->currentText(), full({row.base}).first());
        QCOMPARE(f.child<QLabel>("lblStatus")->text(), "Ready.");
        const QStringList report{basUI::ReportErrorText(platform::AppError(53)),
                                 f.dir.filePath(row.reported)};
        QCOMPARE(f.dialogs.messageTexts(), row.reported.isEmpty() ? QStringList{} : report);
        frmDisplay& display = f.window->DisplayWindow();
        QCOMPARE(display.isVisible(), !row.shown.isEmpty());
        QCOMPARE(display.imgMain->toolTip(), full({row.shown}).first());
        QVERIFY(!basUI::IsBusyCursorOn());
    }

    // Each row: the show running (none, or its toolbar button), then the
    // controls of the window on top and the names a screen reader gives them.
    void controlsAreNamedForAScreenReader_data()
    {
        QTest::addColumn<QString>("toolbarButton");
        QTest::addColumn<bool>("thumbs");
        QTest::addColumn<QStringList>("named"); // pairs: control, its name
        QTest::newRow("main window") << "" << false
                                     << QStringList{"lstImages", "Image list",    "lstFavorites",
                                                    "Favorites", "txtBase",       "Base path",
                                                    "cboTNSize", "Thumbnail size"};
        QTest::newRow("a show") << "Toolbar1_10" << false
                                << QStringList{"frmDisplay", "Slide show: a.jpg", "imgMain", "a.jpg", "note",
                                               "Note"};
        QTest::newRow("a preview") << "Toolbar1_9" << false
                                   << QStringList{"frmDisplay",           "Preview: a.jpg", "hscMain",
                                                  "Position in the show", "lblStatus",      "Not a favorite"};
        // The path at the bar is named before a drag shows any.
        QTest::newRow("a page") << "Toolbar1_9" << true
                                << QStringList{"frmDisplay", "Thumbnails, page 1 of 1",
                                               "imgTN_1",    "b.jpg",
                                               "lblPath",    "Path of the picture at the bar"};
    }
    void controlsAreNamedForAScreenReader()
    {
        QFETCH(QString, toolbarButton);
        QFETCH(bool, thumbs);
        QFETCH(QStringList, named);
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
        QStringList names;
        for (qsizetype i = 0; i + 1 < named.size(); i += 2) {
            auto* widget = window->objectName() == named[i] ? window : window->findChild<QWidget*>(named[i]);
            names << named[i] << (widget ? widget->accessibleName() : "missing");
        }
        QCOMPARE(names, named);
    }
};

LUMARINE_REGISTER_TEST(TestLists)

#include "tst_lists.moc"
