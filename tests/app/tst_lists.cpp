// The main window's list commands and shows: what reaches the catalogue and
// the display window from its controls, menus and toolbar, and what comes back.
#include "mainwindowfixture.h"

#include "app/version.h"
#include "browse/frmbrowsedir.h"
#include "display/frmdisplay.h"
#include "platform/basui.h"

#include <QSignalSpy>
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
        for (const char* how : {"ok", "cancel", "escape", "close"})
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
            QVERIFY(browser->cmdNew->isHidden());
            startedAt = frmBrowseDir::FullPath(browser->selectedNode());
            browser->tvwMain->setCurrentItem(browser->tvwMain->topLevelItem(0));
            if (how == "close")
                browser->close();
            else if (how == "escape")
                QTest::keyClick(browser, Qt::Key_Escape);
            else
                (how == "ok" ? browser->cmdOK : browser->cmdCancel)->click();
            // An answer that did not end the browser must not hang the test.
            if (browser->isVisible())
                browser->close();
        });
        f.child<QPushButton>("cmdBrowse")->click();
        // It opened at the base folder, or at what is left of it: "/before" is gone.
        QCOMPARE(startedAt, QStringLiteral("/"));
        QCOMPARE(baseBox->currentText(), how == "ok" ? "/" : how == "close" ? "" : "/before");
    }

    // The lists' pictures reach the show's window: the one Show All begins
    // with is decoded there while the main window is idle (with both lists
    // empty nothing is), and a double-click on a row shows its picture alone.
    void listedPicturesReachTheShowsWindow()
    {
        MainWindowFixture f;
        f.load();
        auto* idle = f.child<QTimer>("idle");
        idle->setInterval(0);
        idle->start();
        QVERIFY(QSignalSpy(idle, &QTimer::timeout).wait() && !f.window->findChild<frmDisplay*>());
        const QString first = f.addPicture("a.jpg"), second = f.addPicture("b.jpg");
        QVERIFY(QSignalSpy(idle, &QTimer::timeout).wait() && f.window->findChild<frmDisplay*>());
        f.state.Favorites.Add(first);
        QStringList shown;
        for (const char* name : {"lstImages", "lstFavorites"}) {
            auto* list = f.child<QListView>(name);
            QTimer::singleShot(0, f.window.get(), [&] {
                if (auto* single = qobject_cast<frmDisplay*>(QApplication::activeModalWidget())) {
                    shown << single->imgMain->toolTip();
                    QTest::keyClick(single, Qt::Key_Escape);
                }
            });
            list->setCurrentIndex(list->model()->index(list->model()->rowCount() - 1, 0));
            emit list->doubleClicked(list->currentIndex());
        }
        QCOMPARE(shown, QStringList({second, first}));
    }

    void saveEntriesWriteTheirOwnList_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("Current Image List") << "mnuSaveList_0" << QByteArray("/i.jpg\r\n");
        QTest::newRow("Current Favorites") << "mnuSaveList_1" << QByteArray("/f.jpg\r\n");
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
        const QString versionText = QStringLiteral("lumarine %1.%2.%3\n")
                                        .arg(version::Major)
                                        .arg(version::Minor)
                                        .arg(version::Revision);
        QTest::newRow("version") << ArgumentsRow{{"--version"}, {}, {}, {}, {}, versionText};
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
};

LUMARINE_REGISTER_TEST(TestLists)

#include "tst_lists.moc"
