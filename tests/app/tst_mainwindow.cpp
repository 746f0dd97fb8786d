// The main window's menus, toolbar, settings tab, help and About.
#include "mainwindowfixture.h"

#include "app/help.h"
#include "app/searchguard.h"

using namespace platform::mb;

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void delayMustBeNumeric_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("number") << "2.5" << true;
        QTest::newRow("number, then more") << "7 seconds" << false;
    }
    void delayMustBeNumeric()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        MainWindowFixture f;
        f.load();
        f.child<QTabWidget>("tabMain")->setCurrentIndex(3);
        f.window->show();
        QApplication::setActiveWindow(f.window.get());
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        auto* delay = f.child<QLineEdit>("txtDelay");
        delay->setFocus();
        QTRY_VERIFY(delay->hasFocus());
        delay->setText(text);
        f.dialogs.acceptAllMessages();
        QTest::keyClick(delay, Qt::Key_Tab);
        if (!accepted) {
            // Refused on every attempt to leave the box, until it holds a number.
            QTRY_VERIFY(delay->hasFocus());
            QCOMPARE(delay->text(), text);
            f.child<QCheckBox>("chkRandom")->setFocus();
            QTRY_VERIFY(delay->hasFocus());
            QCOMPARE(f.dialogs.messageTexts(), QStringList(2, "Delay must be numeric!"));
            QCOMPARE(f.dialogs.asked().first().style, OkOnly | Exclamation);
            delay->setText("5");
            QTest::keyClick(delay, Qt::Key_Tab);
        }
        QTRY_VERIFY(!delay->hasFocus());
        QCOMPARE(f.dialogs.asked().size(), accepted ? 0 : 2);
    }

    // Each entry presses a hidden button, or shows the first dialog of its command.
    void menuAndToolbarPressTheHiddenButtons_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("button"); // or the dialog's title or text
        const std::pair<const char*, const char*> rows[] = {
            {"mnuFileSub_0", "cmdClearFaves"},     {"Toolbar1_1", "cmdClearFaves"},
            {"mnuViewSub_2", "cmdPreview"},        {"Toolbar1_9", "cmdPreview"},
            {"mnuViewSub_4", "cmdShowAll"},        {"Toolbar1_10", "cmdShowAll"},
            {"mnuViewSub_5", "cmdFavorites"},      {"Toolbar1_11", "cmdFavorites"},
            {"mnuFileSub_7", "cmdClose"},          {"mnuFileSub_2", "Open Lumarine file:"},
            {"Toolbar1_3", "Open Lumarine file:"}, {"mnuFileSub_5", "No favorites listed!"},
            {"Toolbar1_5", "No favorites listed!"}};
        for (const auto& [entry, button] : rows)
            QTest::newRow(entry) << entry << button;
    }
    void menuAndToolbarPressTheHiddenButtons()
    {
        QFETCH(QString, entry);
        QFETCH(QString, button);
        MainWindowFixture f;
        f.load();
        auto* target = f.window->findChild<QPushButton*>(button);
        QVERIFY(!target || button == "cmdClose" || !target->isVisibleTo(f.window.get()));
        int pressed = 0;
        if (target)
            connect(target, &QPushButton::clicked, [&pressed] { ++pressed; });
        f.dialogs.acceptAllMessages();
        f.dialogs.answerOpenFile("");
        f.action(entry)->trigger();
        QStringList shown = f.dialogs.messageTexts();
        for (const auto& dialog : f.dialogs.fileDialogs)
            shown << dialog.title;
        QCOMPARE(target ? QStringList{QString::number(pressed)} : shown, QStringList{target ? "1" : button});
    }

    void helpOpensTheSameDocumentFromEveryPlace_data()
    {
        QTest::addColumn<QString>("place");
        QTest::addColumn<bool>("opens");
        QTest::newRow("menu, the desktop has no program for it") << "mnuHelpSub_0" << false;
        QTest::newRow("toolbar") << "Toolbar1_13" << true;
        QTest::newRow("link, the desktop has no program for it") << "lblLink" << false;
    }
    void helpOpensTheSameDocumentFromEveryPlace()
    {
        QFETCH(QString, place);
        QFETCH(bool, opens);
        MainWindowFixture f;
        f.launcher.opens = opens;
        f.dialogs.acceptAllMessages();
        f.window->Form_Load({}); // the first start opens the manual
        f.window->show();
        const QString manual = "The manual " + f.launcher.documents.value(0);
        const QString web = "http://lumarine.example.org/lumarine/proglink.htm";
        const bool link = place == "lblLink";
        if (link)
            QTest::mouseDClick(f.child<QLabel>(place), Qt::LeftButton);
        else
            f.action(place)->trigger();
        QCOMPARE(f.launcher.documents, QStringList(link ? 1 : 2, f.launcher.documents.value(0)));
        QCOMPARE(f.launcher.webPages, link ? QList<QUrl>{QUrl(web)} : QList<QUrl>());
        const QString noProgram = " could not be opened: the desktop has no program for it.";
        const QStringList unopened{manual + noProgram, (link ? "The web page " + web : manual) + noProgram};
        QCOMPARE(f.dialogs.messageTexts(), opens ? QStringList() : unopened);
        for (const auto& asked : f.dialogs.asked())
            QCOMPARE(asked.style, OkOnly | Exclamation);
    }

    void helpDocumentFoundBesideOrInstalled()
    {
        for (const QString document : {"bin/lumarine.html", "share/lumarine/lumarine.html"}) {
            QTemporaryDir prefix;
            QVERIFY(testsupport::makeTree(prefix.path(), {"bin/lumarine", document}));
            QCOMPARE(app::HelpDocumentPath(prefix.filePath("bin")), prefix.filePath(document));
        }
    }

    void aboutShowsTheVersion()
    {
        MainWindowFixture f;
        f.dialogs.answerMessage(Ok);
        f.action("mnuHelpSub_2")->trigger();
        const auto& about = f.dialogs.asked().value(0);
        QCOMPARE(QString::number(about.style) + about.title, QString::number(Information) + "Lumarine");
        QCOMPARE(
            about.text,
            "Lumarine Image Viewer\r\n\r\nweb: lumarine.example.org\r\ne-mail: lumarine@example.org\r\n\r\n"
            "Thank you for your support!\r\n\r\nVersion: 1.0.50");
        QVERIFY(about.details.contains("GNU General Public License"));
    }

    void searchTakesOnlyItsStop_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("key"); // 0 for a click
        QTest::addColumn<bool>("stops");
        QTest::newRow("Escape") << "lstImages" << int(Qt::Key_Escape) << true;
        QTest::newRow("click on Stop") << "cmdStop" << 0 << true;
        QTest::newRow("click on Help dropped") << "Toolbar1_13" << 0 << false;
        QTest::newRow("typing dropped") << "txtBase" << int(Qt::Key_X) << false;
    }
    void searchTakesOnlyItsStop()
    {
        QFETCH(QString, target);
        QFETCH(int, key);
        QFETCH(bool, stops);
        MainWindowFixture f;
        f.window->show();
        auto* count = f.child<QPushButton>("cmdCount");
        auto* stop = f.child<QPushButton>("cmdStop");
        auto* action = f.window->findChild<QAction*>(target);
        QWidget* widget =
            action ? f.child<QToolBar>("Toolbar1")->widgetForAction(action) : f.child<QWidget>(target);
        {
            qint64 now = 0;
            app::SearchGuard guard(*f.window, *count, *stop, [&] { return now; });
            guard.pacer().yield();
            QVERIFY(!stop->isVisible()); // not yet: a double-click on Count is not a Stop
            now = QApplication::doubleClickInterval();
            guard.pacer().yield();
            QVERIFY(stop->isVisible() && !count->isVisible());
            if (key != 0)
                QTest::keyClick(widget, Qt::Key(key));
            else
                QTest::mouseClick(widget, Qt::LeftButton);
            QCOMPARE(guard.stopRequested()(), stops);
        }
        QVERIFY(count->isVisible() && !stop->isVisible());
        QCOMPARE(f.child<QComboBox>("txtBase")->currentText(), QString());
        QVERIFY(f.launcher.documents.isEmpty());
        // Alt+C counts at once, not after the button's mnemonic has shown it pressed.
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.dialogs.answerMessage(platform::mb::Ok);
        QTest::keyClick(f.window.get(), Qt::Key_C, Qt::AltModifier);
        QCOMPARE(f.dialogs.messageTexts(), QStringList{"You must select a base to count from."});
    }
};

LUMARINE_REGISTER_TEST(TestMainWindow)

#include "tst_mainwindow.moc"
