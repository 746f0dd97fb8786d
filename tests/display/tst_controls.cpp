#include "displayfixture.h"

using testsupport::DisplayFixture, testsupport::range;

namespace {

constexpr int wheelDown = -1, wheelUp = -2, doubleClickBeside = -3, doubleClickOnPicture = -4,
              menuButton = -5;

// A character, a key with its modifiers, a notch of the wheel, a double-click
// on the window or a click on its menu button.
void press(QWidget* widget, int key)
{
    if (key == menuButton) {
        static_cast<frmDisplay*>(widget->window())->cmdControl[4]->click();
    } else if (key == doubleClickBeside || key == doubleClickOnPicture) {
        QTest::mouseDClick(widget->window(), Qt::LeftButton, {},
                           key == doubleClickBeside ? QPoint(5, 590) : QPoint(400, 300));
    } else if (key == wheelDown || key == wheelUp) {
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
    // Keys typed at a picture of four after one tick was counted: a step starts
    // a full delay, W pauses one tick short of it, and a key that does nothing
    // leaves it; some leave a note, drawn in white letters.
    void keysActAndLeaveANote_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("elapsed"); // milliseconds after the last key
        QTest::addColumn<QString>("note");
        const QString added = "Added to favorites", info = "img02.jpg   2 / 4";
        QTest::newRow("N at the last wraps to the first") << QList<int>{'N'} << 4 << 1 << 0 << "";
        QTest::newRow("P at the first goes to the last") << QList<int>{'P'} << 1 << 4 << 0 << "";
        QTest::newRow("w pauses") << QList<int>{'w'} << 2 << 2 << 0 << "Paused";
        QTest::newRow("w again plays") << QList<int>{'w', 'w'} << 2 << 2 << 0 << "Playing";
        QTest::newRow("other keys do nothing") << QList<int>{'x'} << 2 << 2 << 0 << "";
        QTest::newRow("keys without a character do nothing") << QList<int>{Qt::Key_F5} << 2 << 2 << 0 << "";
        QTest::newRow("Down at the last wraps to the first") << QList<int>{Qt::Key_Down} << 4 << 1 << 0 << "";
        QTest::newRow("wheel down") << QList<int>{wheelDown} << 2 << 3 << 0 << "";
        QTest::newRow("Up at the first goes to the last") << QList<int>{Qt::Key_Up} << 1 << 4 << 0 << "";
        QTest::newRow("wheel up") << QList<int>{wheelUp} << 3 << 2 << 0 << "";
        QTest::newRow("Home") << QList<int>{Qt::Key_Home} << 3 << 1 << 0 << "";
        QTest::newRow("End") << QList<int>{Qt::Key_End} << 2 << 4 << 0 << "";
        QTest::newRow("a") << QList<int>{'a'} << 2 << 2 << 0 << added;
        QTest::newRow("A on a favourite") << QList<int>{'a', 'A'} << 2 << 2 << 0 << "Already a favorite";
        QTest::newRow("still there at 1.4 s") << QList<int>{'a'} << 2 << 2 << 1400 << added;
        QTest::newRow("gone at 2 s") << QList<int>{'a'} << 2 << 2 << 2000 << "";
        QTest::newRow("i: name and place, until pressed again") << QList<int>{'i'} << 2 << 2 << 60000 << info;
        QTest::newRow("i again") << QList<int>{'i', 'i'} << 2 << 2 << 0 << "";
        QTest::newRow("i over a note") << QList<int>{'a', 'i'} << 2 << 2 << 0 << info;
        QTest::newRow("i, then the picture changes") << QList<int>{'i', 'n'} << 2 << 3 << 0 << "";
        // Each way out of a paused show ends it; the next begins at the first picture.
        QTest::newRow("the show ended and began again")
            << QList<int>{'a', Qt::Key_Escape} << 2 << 1 << 0 << "";
        QTest::newRow("Space ends the show") << QList<int>{'w', Qt::Key_Space} << 2 << 1 << 0 << "";
        QTest::newRow("double-click beside the picture")
            << QList<int>{'w', doubleClickBeside} << 2 << 1 << 0 << "";
        QTest::newRow("double-click on the picture: nothing")
            << QList<int>{'w', doubleClickOnPicture} << 2 << 2 << 0 << "Paused";
        QTest::newRow("menu button") << QList<int>{menuButton} << 2 << 1 << 0 << "";
    }
    void keysActAndLeaveANote()
    {
        QFETCH(QList<int>, keys);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, elapsed);
        QFETCH(QString, note);
        DisplayFixture f(4);
        f.standardShow(3);
        f.window->hscMain->setValue(from);
        f.window->tim1_Timer();
        for (int key : keys)
            press(f.window.get(), key);
        const bool ended = !f.window->isLoaded();
        QVERIFY(keys != QList<int>{menuButton} ||
                (!f.window->sequence().mbolStarted && f.window->pager().mbolAbort));
        if (ended)
            f.standardShow(3);
        f.now += elapsed;
        const display::ShowSequence& show = f.window->sequence();
        QCOMPARE(std::tuple(f.window->mintIndex(), f.window->hscMain->value(), f.window->imgMain->toolTip(),
                            show.mbolPaused, f.window->hscMain->isVisible()),
                 std::tuple(to, to, f.path(to), keys.count('w') % 2 == 1 && !ended, false));
        if (keys.size() == 1)
            QCOMPARE(show.mintDelayCurrent, keys.first() == 'w' ? 2 : from == to ? 1 : 0);
        QWidget* view = f.window->findChild<QWidget*>("note");
        QTRY_COMPARE(view->isVisible() ? view->accessibleName() : QString(), note);
        const QImage drawn = view->grab().toImage();
        bool letters = false;
        for (int y = 0; y < drawn.height() && !letters; ++y)
            for (int x = 0; x < drawn.width() && !letters; ++x)
                letters = drawn.pixelColor(x, y).lightness() > 200;
        QCOMPARE(letters, !note.isEmpty());
        // A favourite is added once, and reaches the main window's box only when the window closes.
        const bool favourite = keys.contains('a');
        QCOMPARE(std::tuple(QStringList(f.state.Favorites.begin(), f.state.Favorites.end()),
                            f.window->lblStatus->text(), f.unloads),
                 std::tuple(favourite ? QStringList({f.path(2)}) : QStringList(),
                            QString(favourite && !ended ? "Added!" : ""), int(ended)));
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
        QTest::newRow("full: wheel up at the first") << wheelUp << false << 1 << 40;
        QTest::newRow("full: Escape closes") << int(Qt::Key_Escape) << false << 2 << 0;
        QTest::newRow("thumbs: Right selects the first") << int(Qt::Key_Right) << true << 0 << 1;
        QTest::newRow("thumbs: Down a row") << int(Qt::Key_Down) << true << 2 << 8;
        QTest::newRow("thumbs: Up a row") << int(Qt::Key_Up) << true << 8 << 2;
        QTest::newRow("thumbs: Left") << int(Qt::Key_Left) << true << 2 << 1;
        QTest::newRow("thumbs: Right off the page: the next page's first")
            << int(Qt::Key_Right) << true << 30 << 31;
        QTest::newRow("thumbs: Down off the page: the same column") << int(Qt::Key_Down) << true << 27 << 33;
        QTest::newRow("thumbs: Left off the page: the page before's last")
            << int(Qt::Key_Left) << true << 1 << 39;
        QTest::newRow("thumbs: Up off the page: the same column") << int(Qt::Key_Up) << true << 2 << 35;
        QTest::newRow("thumbs: Menu key") << int(Qt::Key_Menu) << true << 2 << 2;
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
        const bool menu = key == Qt::Key_Menu || key == (Qt::SHIFT | Qt::Key_F10).toCombined();
        QCOMPARE(f.menuRequests, menu ? QList<int>({from - 1}) : QList<int>());
    }

    // In the full preview: Add and Remove take the picture shown, the scroll
    // bar names the path while dragged and displays once let go.
    void previewButtonsAndScrollBar()
    {
        DisplayFixture f(5);
        f.preview();
        const auto click = [&](QList<int> buttons) {
            for (int button : buttons)
                QTest::mouseClick(f.window->cmdControl[button], Qt::LeftButton);
            return QStringList(f.state.Favorites.begin(), f.state.Favorites.end());
        };
        QCOMPARE(click({2, 0}), QStringList({f.path(2)}));
        QCOMPARE(click({2, 1}), QStringList({f.path(2)}));
        QCOMPARE(click({3, 1}), QStringList());
        QVERIFY(f.dialogs.asked().isEmpty());
        f.window->hscMain->setSliderDown(true);
        f.window->hscMain->setSliderPosition(5);
        QCOMPARE(QStringList({f.window->lblPath->text(), f.window->imgMain->toolTip()}),
                 QStringList({f.path(5), f.path(2)}));
        f.window->hscMain->setSliderDown(false);
        QCOMPARE(std::pair(f.window->mintIndex(), f.window->imgMain->toolTip()), std::pair(5, f.path(5)));
        // A step beyond the bar of a list grown since still displays.
        QVERIFY(QFile::copy(f.path(1), f.path(1) + ".copy.jpg"));
        f.state.MainImages.Add(f.path(1) + ".copy.jpg");
        f.window->MoveNext();
        QCOMPARE(std::pair(f.window->mintIndex(), f.window->imgMain->toolTip()),
                 std::pair(6, f.path(1) + ".copy.jpg"));
    }

    // Ninety-one pictures, the second a portrait: the next page decodes in
    // the background once a page is full, and Next shows it from memory.
    void pagesAreDecodedAtTheirCellsSizeAndPreparedAhead()
    {
        DisplayFixture f(91);
        testsupport::writeJpeg(f.path(2), QSize(60, 120));
        f.thumbnailPreview();
        QCOMPARE(f.shownPositions(), range(1, 30));
        QVERIFY(!f.window->imgMain->isVisible() && !QGuiApplication::overrideCursor());
        // SMALL cells are 92 x 69 pixels; a portrait picture takes the cell's height.
        QCOMPARE(QList<QSize>({f.window->imgTN[0]->pixmap().size(), f.window->imgTN[1]->size()}),
                 QList<QSize>({{92, 69}, {35, 69}}));
        const auto loadedOnce = [&](int from, int to) {
            for (int position = from; position <= to; ++position)
                QTRY_COMPARE_WITH_TIMEOUT(f.loader.loadsOf(f.path(position)), 1, 10000);
        };
        loadedOnce(1, 60);
        QTest::mouseClick(f.window->cmdControl[2], Qt::LeftButton);
        QCOMPARE(f.shownPositions(), range(31, 60));
        loadedOnce(31, 90);
        // Two pages at most are held: the one shown and the one after it.
        QCOMPARE(f.loader.loadsOf(f.path(91)), 0);
        QTest::mouseClick(f.window->cmdControl[2], Qt::LeftButton);
        QTest::mouseClick(f.window->cmdControl[2], Qt::LeftButton);
        QCOMPARE(std::pair(f.shownPositions(), f.window->mintIndex()), std::pair(QList<int>({91}), 92));
        // Back past the page shown to the one before it; it is not prepared.
        QTest::mouseClick(f.window->cmdControl[3], Qt::LeftButton);
        QCOMPARE(std::pair(f.shownPositions(), f.loader.loadsOf(f.path(32))), std::pair(range(32, 61), 2));
    }

    // Add and Remove take the clicked thumbnail. Full resumes after the page
    // and clears the setting; Thumbs sets it again; Full after the last page
    // finds no images.
    void buttonsTakeTheClickedThumbnailAndSwitchTheView()
    {
        DisplayFixture f(40);
        f.state.Favorites.Add(f.path(1));
        f.thumbnailPreview();
        const auto clicked = [&](QList<QWidget*> widgets) {
            for (QWidget* widget : widgets)
                QTest::mouseClick(widget, Qt::LeftButton);
            return QStringList(f.state.Favorites.begin(), f.state.Favorites.end());
        };
        QCOMPARE(clicked({f.window->cmdControl[1]}), QStringList({f.path(1)}));
        QCOMPARE(clicked({f.window->imgTN[1], f.window->imgTN[3], f.window->cmdControl[0]}),
                 QStringList({f.path(1), f.path(4)}));
        QCOMPARE(std::pair(f.window->imgTN[3]->frameShape(), f.window->imgTN[1]->frameShape()),
                 std::pair(QFrame::Box, QFrame::NoFrame));
        QCOMPARE(clicked({f.window->cmdControl[1]}), QStringList({f.path(1)}));
        const auto switchView = [&] {
            QTest::mouseClick(f.window->cmdControl[6], Qt::LeftButton);
            return std::tuple(f.state.ThumbPreview, f.window->cmdControl[6]->text(), f.shownPositions(),
                              f.window->imgMain->isVisible() ? f.window->imgMain->toolTip() : QString());
        };
        QCOMPARE(switchView(), std::tuple(false, QStringLiteral("Thumbs"), QList<int>(), f.path(31)));
        QCOMPARE(switchView(), std::tuple(true, QStringLiteral("Full"), range(31, 40), QString()));
        f.dialogs.answerMessage(platform::mb::Ok);
        switchView();
        QCOMPARE(f.dialogs.messageTexts(), QStringList({"No images to display!"}));
        QVERIFY(!f.window->isVisible() && f.window->isLoaded());
    }

    void failedPictureOnAPage_data()
    {
        QTest::addColumn<int>("injected");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QList<int>>("shown"); // empty: the window closed
        // A picture that is gone or cannot be decoded keeps its slot, marked,
        // so that the pages after it can still be reached.
        QTest::newRow("missing file or no picture: marked, the page goes on") << 53 << "" << range(1, 8);
        QTest::newRow("disk not ready: closes")
            << 71 << "There is a problem accessing the specified disk.  Exiting back to main menu."
            << QList<int>();
        QTest::newRow("other: its message, the page ends")
            << 70 << "Error: 70: Permission denied" << range(1, 3);
    }
    void failedPictureOnAPage()
    {
        QFETCH(int, injected);
        QFETCH(QString, message);
        QFETCH(QList<int>, shown);
        DisplayFixture f(8);
        f.loader.failures.insert(f.path(4), injected);
        if (!message.isEmpty())
            f.dialogs.answerMessage(platform::mb::Ok);
        f.thumbnailPreview();
        QCOMPARE(std::tuple(f.dialogs.messageTexts(),
                            f.window->isLoaded() ? f.shownPositions() : QList<int>(),
                            bool(QGuiApplication::overrideCursor())),
                 std::tuple(message.isEmpty() ? QStringList() : QStringList({message}), shown, false));
        if (shown.size() == 8) {
            const display::ThumbBox* marked = f.window->imgTN[3];
            QVERIFY(!marked->pixmap().isNull());
            // Placed and sized like a landscape picture in its cell.
            QCOMPARE(std::tuple(marked->toolTip(), marked->width(), f.window->mintIndex()),
                     std::tuple(f.path(4), f.window->imgTN[0]->width(), 9));
        }
    }

    void doubleClickOrEnterOpensTheSingleImageModally_data()
    {
        QTest::addColumn<bool>("byEnter"); // Enter on the selected thumbnail
        QTest::newRow("double-click") << false;
        QTest::newRow("Enter") << true;
    }
    void doubleClickOrEnterOpensTheSingleImageModally()
    {
        QFETCH(bool, byEnter);
        DisplayFixture f(3);
        f.thumbnailPreview();
        std::tuple<bool, bool, QString> single;
        QTimer::singleShot(0, [&] {
            auto* window = qobject_cast<frmDisplay*>(QApplication::activeModalWidget());
            QVERIFY(window && window != f.window.get());
            single = {window->mbolSingle(), window->isModal(),
                      window->imgMain->isVisible() ? window->imgMain->toolTip() : QString()};
            QTest::keyClick(window, Qt::Key_Escape);
        });
        if (byEnter) {
            f.window->imgTN_Click(1);
            QTest::keyClick(f.window->focusWidget(), Qt::Key_Return);
        } else {
            QTest::mouseDClick(f.window->imgTN[1], Qt::LeftButton);
        }
        QCOMPARE(single, std::tuple(true, true, f.path(2)));
        // The preview beneath is as it was; the single window's closing rebuilt the box.
        QCOMPARE(std::tuple(f.window->isLoaded(), f.shownPositions(), f.unloads),
                 std::tuple(true, range(1, 3), 1));
        QVERIFY(!QApplication::activeModalWidget());
    }
};

#include "tst_controls.moc"

LUMARINE_REGISTER_TEST(TestControls)
