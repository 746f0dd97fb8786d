#include "displayfixture.h"
#include "support/testmain.h"

#include "platform/dialogs.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

using testsupport::DisplayFixture;

class TestControls : public QObject {
    Q_OBJECT

private slots:
    void keysActByCharacterCode_data();
    void keysActByCharacterCode();
    void escapeSpaceAndDoubleClickCloseAndUnpause_data();
    void escapeSpaceAndDoubleClickCloseAndUnpause();
    void keyAddsTheShownImageOnce();
    void keysMeantForAButtonDoNotStepTheShow();
    void addAndRemoveButtonsChangeTheFavorites();
    void menuButtonEndsThePreview();
    void scrollBarDisplaysOnChangeAndNamesThePathWhileDragged();
    void stepsBeyondTheBarOfAGrownListStillDisplay();
};

void TestControls::keysActByCharacterCode_data()
{
    QTest::addColumn<char>("key");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("ticksCounted"); // one tick was counted before the key
    QTest::newRow("n: a step starts a full delay") << 'n' << 2 << 3 << 0;
    QTest::newRow("N at the last wraps to the first") << 'N' << 4 << 1 << 0;
    QTest::newRow("p") << 'p' << 3 << 2 << 0;
    QTest::newRow("P at the first goes to the last") << 'P' << 1 << 4 << 0;
    QTest::newRow("w pauses one tick short of the delay") << 'w' << 2 << 2 << 2;
    QTest::newRow("other keys do nothing") << 'x' << 2 << 2 << 1;
}

void TestControls::keysActByCharacterCode()
{
    QFETCH(char, key);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, ticksCounted);
    DisplayFixture f(4);
    f.standardShow(3);
    f.window->hscMain->setValue(from);
    f.window->tim1_Timer();
    QTest::keyClick(f.window.get(), key);
    QCOMPARE(f.window->mintIndex(), to);
    QCOMPARE(f.window->imgMain->toolTip(), f.path(to));
    QCOMPARE(f.window->hscMain->value(), to);
    QCOMPARE(f.window->sequence().mintDelayCurrent, ticksCounted);
    QCOMPARE(f.window->sequence().mbolPaused, key == 'w');
}

void TestControls::escapeSpaceAndDoubleClickCloseAndUnpause_data()
{
    QTest::addColumn<int>("how");
    QTest::addColumn<bool>("closes");
    QTest::newRow("Escape") << 0 << true;
    QTest::newRow("Space") << 1 << true;
    QTest::newRow("double-click beside the picture") << 2 << true;
    QTest::newRow("double-click on the picture: nothing") << 3 << false;
}

void TestControls::escapeSpaceAndDoubleClickCloseAndUnpause()
{
    QFETCH(int, how);
    QFETCH(bool, closes);
    DisplayFixture f(2);
    f.standardShow(3);
    QTest::keyClick(f.window.get(), 'w');
    if (how == 0)
        QTest::keyClick(f.window.get(), Qt::Key_Escape);
    else if (how == 1)
        QTest::keyClick(f.window.get(), Qt::Key_Space);
    else
        QTest::mouseDClick(f.window.get(), Qt::LeftButton, {}, how == 2 ? QPoint(5, 590) : QPoint(400, 300));
    QCOMPARE(f.window->isLoaded(), !closes);
    if (!closes)
        return;
    QVERIFY(!f.window->isVisible());
    QVERIFY(!f.window->sequence().mbolPaused);
    QVERIFY(!f.window->mbolSingle());
    QCOMPARE(f.unloads, 1);
}

void TestControls::keyAddsTheShownImageOnce()
{
    DisplayFixture f(2);
    f.standardShow(0);
    QTest::keyClick(f.window.get(), 'a');
    QCOMPARE(f.state.Favorites.Count(), 1);
    QCOMPARE(f.state.Favorites.Item(1), f.path(1));
    QCOMPARE(f.window->lblStatus->text(), QStringLiteral("Added!"));
    f.window->lblStatus->setText("kept");
    // The same path in other letters is the same favourite.
    f.window->AddToFavorites(f.path(1).toUpper());
    QTest::keyClick(f.window.get(), 'A');
    QCOMPARE(f.state.Favorites.Count(), 1);
    QCOMPARE(f.window->lblStatus->text(), QStringLiteral("kept"));
    QVERIFY(!f.window->lblStatus->isVisible());
    // Favourites do not reach the main window's box until the window closes.
    QCOMPARE(f.unloads, 0);
}

void TestControls::keysMeantForAButtonDoNotStepTheShow()
{
    DisplayFixture f(3);
    f.preview();
    QCOMPARE(f.window->focusWidget(), f.window->cmdControl[0]);
    QTest::keyClick(f.window->cmdControl[0], 'n');
    QCOMPARE(f.window->mintIndex(), 1);
    QVERIFY(f.window->isLoaded());
}

void TestControls::addAndRemoveButtonsChangeTheFavorites()
{
    DisplayFixture f(3);
    f.preview();
    QTest::mouseClick(f.window->cmdControl[2], Qt::LeftButton);
    QTest::mouseClick(f.window->cmdControl[0], Qt::LeftButton);
    QCOMPARE(QStringList(f.state.Favorites.begin(), f.state.Favorites.end()), QStringList({f.path(2)}));
    // Remove on an image that is no favourite changes nothing.
    QTest::mouseClick(f.window->cmdControl[2], Qt::LeftButton);
    QTest::mouseClick(f.window->cmdControl[1], Qt::LeftButton);
    QCOMPARE(f.state.Favorites.Count(), 1);
    QTest::mouseClick(f.window->cmdControl[3], Qt::LeftButton);
    QTest::mouseClick(f.window->cmdControl[1], Qt::LeftButton);
    QVERIFY(f.state.Favorites.isEmpty());
    QVERIFY(f.dialogs.asked().isEmpty());
}

void TestControls::menuButtonEndsThePreview()
{
    DisplayFixture f(3);
    f.preview();
    QTest::mouseClick(f.window->cmdControl[4], Qt::LeftButton);
    QVERIFY(!f.window->sequence().mbolStarted);
    QVERIFY(f.window->pager().mbolAbort);
    QVERIFY(!f.window->isLoaded());
    QCOMPARE(f.unloads, 1);
    // The next show begins with the design's controls.
    QVERIFY(!f.window->framControls->isVisibleTo(f.window.get()));
    f.window->Load();
    QVERIFY(!f.window->pager().mbolAbort);
}

void TestControls::scrollBarDisplaysOnChangeAndNamesThePathWhileDragged()
{
    DisplayFixture f(5);
    f.preview();
    f.window->hscMain_Scroll(4);
    QCOMPARE(f.window->lblPath->text(), f.path(4));
    QCOMPARE(f.window->imgMain->toolTip(), f.path(1));
    f.window->hscMain->setValue(4);
    QCOMPARE(f.window->mintIndex(), 4);
    QCOMPARE(f.window->imgMain->toolTip(), f.path(4));
    QVERIFY(!f.window->pager().mbolAbort);
    // An arrow click is one image in the full view.
    f.window->hscMain->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(f.window->imgMain->toolTip(), f.path(5));
}

void TestControls::stepsBeyondTheBarOfAGrownListStillDisplay()
{
    DisplayFixture f(2);
    f.preview();
    f.window->MoveNext();
    f.state.MainImages.Add(f.path(1) + ".copy.jpg");
    QFile::copy(f.path(1), f.path(1) + ".copy.jpg");
    f.window->MoveNext();
    QCOMPARE(f.window->mintIndex(), 3);
    QCOMPARE(f.window->imgMain->toolTip(), f.path(1) + ".copy.jpg");
}

#include "tst_controls.moc"

LUMARINE_REGISTER_TEST(TestControls)
