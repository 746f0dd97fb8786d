// The shows started from the main window.
#include "display/frmdisplay.h"
#include "mainwindowfixture.h"
#include "support/testmain.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

class TestShows : public QObject {
    Q_OBJECT

private slots:
    void showAllCoversTheScreenAndFavouritesFollowAtOnce()
    {
        MainWindowFixture f;
        f.load();
        f.window->show();
        const QString first = f.addPicture("a.jpg");
        f.addPicture("b.jpg");
        f.action("Toolbar1_10")->trigger();
        frmDisplay& display = f.window->DisplayWindow();
        QVERIFY(display.isVisible());
        QCOMPARE(display.geometry(), f.window->screen()->geometry());
        QCOMPARE(display.imgMain->toolTip(), first);
        QTest::keyClick(&display, 'a');
        // The favourites' box follows at once, not when the show ends.
        QCOMPARE(testsupport::rowsOf(*f.child<QListView>("lstFavorites")->model()), QStringList({first}));
        QTest::keyClick(&display, Qt::Key_Escape);
        QVERIFY(!display.isVisible());
    }

    void favoritesShowUsesTheDelayOfTheLastShowAll()
    {
        MainWindowFixture f;
        f.load();
        f.window->show();
        f.addPicture("a.jpg");
        auto* delay = f.child<QLineEdit>("txtDelay");
        delay->setText("7 seconds");
        f.child<QPushButton>("cmdShowAll")->click();
        frmDisplay& display = f.window->DisplayWindow();
        QCOMPARE(display.mintDelay(), 7);
        QCOMPARE(display.mcolCurrent(), &f.state.MainImages);
        QTest::keyClick(&display, 'a');
        QTest::keyClick(&display, Qt::Key_Space);
        delay->setText("2");
        f.child<QPushButton>("cmdFavorites")->click();
        QCOMPARE(display.mcolCurrent(), &f.state.Favorites);
        QCOMPARE(display.mintDelay(), 7);
        QVERIFY(display.tim1->isActive());
        QTest::keyClick(&display, Qt::Key_Escape);
    }
};

LUMARINE_REGISTER_TEST(TestShows)
#include "tst_shows.moc"
