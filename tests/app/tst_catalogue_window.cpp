// The main window's list commands: what reaches the catalogue from its
// controls, menus and toolbar, and what comes back onto them.
#include "mainwindowfixture.h"
#include "support/testmain.h"

#include "browse/frmbrowsedir.h"
#include "platform/basui.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

class TestCatalogueWindow : public QObject {
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
            if (how == "ok")
                browser->cmdOK->click();
            else if (how == "cancel")
                browser->cmdCancel->click();
            else
                browser->close();
        });
        f.child<QPushButton>("cmdBrowse")->click();
        // It opened at the base folder, or at what is left of it: "/before" is gone.
        QCOMPARE(startedAt, QStringLiteral("/"));
        QCOMPARE(baseBox->currentText(), base);
    }

    void commandLineOpensItsList_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::newRow("a list file") << true;
        QTest::newRow("no such file: reported") << false;
    }
    void commandLineOpensItsList()
    {
        QFETCH(bool, exists);
        MainWindowFixture f;
        const QString list = f.dir.filePath("start list.lum");
        if (exists)
            QVERIFY(testsupport::writeBytes(list, "/p/b.jpg\r\n/p/a.jpg\r\n"));
        f.dialogs.acceptAllMessages();
        f.load(list);
        const QStringList shown = exists ? QStringList{"/p/b.jpg", "/p/a.jpg"} : QStringList();
        QCOMPARE(testsupport::rowsOf(*f.child<QListView>("lstImages")->model()), shown);
        QCOMPARE(f.state.MainImages.Count(), shown.size());
        QCOMPARE(f.child<QLabel>("lblCount")->text(), QString::number(shown.size()));
        QCOMPARE(f.child<QLabel>("lblStatus")->text(), QStringLiteral("Ready."));
        const QStringList said{basUI::ReportErrorText(platform::AppError(53)), list};
        QCOMPARE(f.dialogs.messageTexts(), exists ? QStringList() : said);
        QVERIFY(!basUI::IsBusyCursorOn());
    }

    void countFillsListAndLabels()
    {
        MainWindowFixture f;
        f.load();
        const QString base = f.dir.filePath("pics");
        QVERIFY(testsupport::makeTree(base, {"a/x.jpg", "y.JPG"}));
        f.child<QComboBox>("txtBase")->setEditText(base);
        f.child<QPushButton>("cmdCount")->click();
        QCOMPARE(testsupport::rowsOf(*f.child<QListView>("lstImages")->model()),
                 (QStringList{base + "/a/x.jpg", base + "/y.JPG"}));
        QCOMPARE(f.child<QLabel>("lblCount")->text(), QStringLiteral("2"));
        QCOMPARE(f.child<QLabel>("lblStatus")->text(), QStringLiteral("Ready."));
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
        // The dialog starts where the settings file lives, and the next one
        // with the name chosen.
        QCOMPARE(f.dialogs.fileDialogs.first().initialFolder, f.dir.path());
        f.action(entry)->trigger();
        QCOMPARE(f.dialogs.fileDialogs.last().fileName, file);
    }
};

LUMARINE_REGISTER_TEST(TestCatalogueWindow)

#include "tst_catalogue_window.moc"
