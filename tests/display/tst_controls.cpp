#include "displayfixture.h"
#include "support/testmain.h"

#include "platform/dialogs.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

using testsupport::DisplayFixture;

namespace {

constexpr int wheelDown = -1;
constexpr int wheelUp = -2;

// A character, a key with its modifiers, or a notch of the wheel.
void press(QWidget* widget, int key)
{
    if (key == wheelDown || key == wheelUp) {
        QWheelEvent wheel({5, 5}, widget->mapToGlobal(QPointF(5, 5)), {}, {0, key == wheelUp ? 120 : -120},
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        // Over the window beside its controls, where no control takes the wheel.
        QApplication::sendEvent(widget->window(), &wheel);
    } else if (key < 0x80) {
        QTest::keyClick(widget, char(key));
    } else {
        QTest::keyClick(widget, Qt::Key(key & ~Qt::KeyboardModifierMask),
                        Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
    }
}

} // namespace

class TestControls : public QObject {
    Q_OBJECT

private slots:
    void keysActByCharacterCode_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("ticksCounted"); // one tick was counted before the key
        QTest::newRow("n: a step starts a full delay") << int('n') << 2 << 3 << 0;
        QTest::newRow("N at the last wraps to the first") << int('N') << 4 << 1 << 0;
        QTest::newRow("p") << int('p') << 3 << 2 << 0;
        QTest::newRow("P at the first goes to the last") << int('P') << 1 << 4 << 0;
        QTest::newRow("w pauses one tick short of the delay") << int('w') << 2 << 2 << 2;
        QTest::newRow("other keys do nothing") << int('x') << 2 << 2 << 1;
        QTest::newRow("keys without a character do nothing") << int(Qt::Key_F5) << 2 << 2 << 1;
        QTest::newRow("Right") << int(Qt::Key_Right) << 2 << 3 << 0;
        QTest::newRow("Down at the last wraps to the first") << int(Qt::Key_Down) << 4 << 1 << 0;
        QTest::newRow("Page Down") << int(Qt::Key_PageDown) << 2 << 3 << 0;
        QTest::newRow("wheel down") << wheelDown << 2 << 3 << 0;
        QTest::newRow("Left") << int(Qt::Key_Left) << 3 << 2 << 0;
        QTest::newRow("Up at the first goes to the last") << int(Qt::Key_Up) << 1 << 4 << 0;
        QTest::newRow("Page Up") << int(Qt::Key_PageUp) << 3 << 2 << 0;
        QTest::newRow("wheel up") << wheelUp << 3 << 2 << 0;
        QTest::newRow("Home") << int(Qt::Key_Home) << 3 << 1 << 0;
        QTest::newRow("End") << int(Qt::Key_End) << 2 << 4 << 0;
    }
    void keysActByCharacterCode()
    {
        QFETCH(int, key);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, ticksCounted);
        DisplayFixture f(4);
        f.standardShow(3);
        f.window->hscMain->setValue(from);
        f.window->tim1_Timer();
        press(f.window.get(), key);
        QCOMPARE(f.window->mintIndex(), to);
        QCOMPARE(f.window->imgMain->toolTip(), f.path(to));
        QCOMPARE(f.window->hscMain->value(), to);
        QCOMPARE(f.window->sequence().mintDelayCurrent, ticksCounted);
        QCOMPARE(f.window->sequence().mbolPaused, key == 'w');
        QVERIFY(f.window->isLoaded());
    }

    void keysLeaveANote_data()
    {
        QTest::addColumn<QString>("keys"); // typed at the second of four pictures
        QTest::addColumn<int>("elapsed");  // milliseconds after the last key
        QTest::addColumn<QString>("note");
        QTest::newRow("a") << "a" << 0 << "Added to favorites";
        QTest::newRow("a on a favourite") << "aa" << 0 << "Already a favorite";
        QTest::newRow("w pauses") << "w" << 0 << "Paused";
        QTest::newRow("w again plays") << "ww" << 0 << "Playing";
        QTest::newRow("still there at 1.4 s") << "a" << 1400 << "Added to favorites";
        QTest::newRow("gone at 2 s") << "a" << 2000 << "";
        QTest::newRow("i: name and place, until pressed again") << "i" << 60000 << "img02.jpg   2 / 4";
        QTest::newRow("i again") << "ii" << 0 << "";
        QTest::newRow("i, then the picture changes") << "in" << 0 << "";
        QTest::newRow("other keys") << "x" << 0 << "";
    }
    void keysLeaveANote()
    {
        QFETCH(QString, keys);
        QFETCH(int, elapsed);
        QFETCH(QString, note);
        DisplayFixture f(4);
        f.standardShow(3);
        f.window->hscMain->setValue(2);
        QTest::keyClicks(f.window.get(), keys);
        f.now += elapsed;
        const QWidget* view = f.window->findChild<QWidget*>("note");
        QVERIFY(view);
        QTRY_COMPARE(view->isVisible() ? view->accessibleName() : QString(), note);
    }
    void previewKeysActOverTheFocusedControl_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("thumbs");
        QTest::addColumn<int>("from"); // the picture shown, or the thumbnail selected (0: none)
        QTest::addColumn<int>("to");   // 0: the window closed
        QTest::newRow("full: Right") << int(Qt::Key_Right) << false << 2 << 3;
        // The focus starts on a button: its keys do not step the show.
        QTest::newRow("full: n on a button") << int('n') << false << 2 << 2;
        QTest::newRow("full: End") << int(Qt::Key_End) << false << 2 << 40;
        QTest::newRow("full: wheel up at the first") << wheelUp << false << 1 << 40;
        QTest::newRow("full: Escape closes") << int(Qt::Key_Escape) << false << 2 << 0;
        QTest::newRow("thumbs: Escape closes") << int(Qt::Key_Escape) << true << 2 << 0;
        QTest::newRow("thumbs: Right selects the first") << int(Qt::Key_Right) << true << 0 << 1;
        QTest::newRow("thumbs: Right") << int(Qt::Key_Right) << true << 1 << 2;
        QTest::newRow("thumbs: Down a row") << int(Qt::Key_Down) << true << 2 << 8;
        QTest::newRow("thumbs: Up a row") << int(Qt::Key_Up) << true << 8 << 2;
        QTest::newRow("thumbs: Left") << int(Qt::Key_Left) << true << 2 << 1;
        QTest::newRow("thumbs: Right off the page: the next page's first")
            << int(Qt::Key_Right) << true << 30 << 31;
        QTest::newRow("thumbs: Down off the page: the same column") << int(Qt::Key_Down) << true << 27 << 33;
        QTest::newRow("thumbs: Left off the page: the page before's last")
            << int(Qt::Key_Left) << true << 1 << 39;
        QTest::newRow("thumbs: Menu key") << int(Qt::Key_Menu) << true << 2 << 2;
        QTest::newRow("thumbs: Shift+F10") << (Qt::SHIFT | Qt::Key_F10).toCombined() << true << 2 << 2;
    }
    void previewKeysActOverTheFocusedControl()
    {
        QFETCH(int, key);
        QFETCH(bool, thumbs);
        QFETCH(int, from);
        QFETCH(int, to);
        DisplayFixture f(40);
        f.state.ThumbPreview = thumbs;
        f.preview();
        if (!thumbs)
            f.window->hscMain->setValue(from);
        else if (from != 0)
            f.window->imgTN_Click(from - 1);
        press(f.window->focusWidget(), key);
        QCOMPARE(f.window->isLoaded(), to != 0);
        if (to == 0)
            return;
        QCOMPARE(thumbs ? f.window->pager().mintSelected : f.window->mintIndex(), to);
        QVERIFY(thumbs ? f.shownPositions().contains(to) : f.window->imgMain->toolTip() == f.path(to));
        QCOMPARE(f.menuRequests, key == Qt::Key_Menu || key == (Qt::SHIFT | Qt::Key_F10).toCombined()
                                     ? QList<int>({from - 1})
                                     : QList<int>());
    }

    void escapeSpaceAndDoubleClickCloseAndUnpause_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Escape") << 0 << true;
        QTest::newRow("Space") << 1 << true;
        QTest::newRow("double-click beside the picture") << 2 << true;
        QTest::newRow("double-click on the picture: nothing") << 3 << false;
    }
    void escapeSpaceAndDoubleClickCloseAndUnpause()
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
            QTest::mouseDClick(f.window.get(), Qt::LeftButton, {},
                               how == 2 ? QPoint(5, 590) : QPoint(400, 300));
        QCOMPARE(f.window->isLoaded(), !closes);
        if (!closes)
            return;
        QVERIFY(!f.window->isVisible());
        QVERIFY(!f.window->sequence().mbolPaused);
        QVERIFY(!f.window->mbolSingle());
        QCOMPARE(f.unloads, 1);
    }

    void keyAddsTheShownImageOnce()
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

    void addAndRemoveButtonsChangeTheFavorites()
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

    void menuButtonEndsThePreview()
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

    void scrollBarDisplaysOnChangeAndNamesThePathWhileDragged()
    {
        DisplayFixture f(5);
        f.preview();
        // Dragged: the thumb is at 4, the picture still the first.
        f.window->hscMain->setSliderDown(true);
        f.window->hscMain->setSliderPosition(4);
        QCOMPARE(f.window->lblPath->text(), f.path(4));
        QCOMPARE(f.window->imgMain->toolTip(), f.path(1));
        f.window->hscMain->setSliderDown(false);
        QCOMPARE(f.window->mintIndex(), 4);
        QCOMPARE(f.window->imgMain->toolTip(), f.path(4));
        QVERIFY(!f.window->pager().mbolAbort);
        // An arrow click is one image in the full view.
        f.window->hscMain->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(f.window->imgMain->toolTip(), f.path(5));
    }

    void stepsBeyondTheBarOfAGrownListStillDisplay()
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
};

#include "tst_controls.moc"

LUMARINE_REGISTER_TEST(TestControls)
