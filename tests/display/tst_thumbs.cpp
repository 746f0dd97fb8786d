// Pages of thumbnails: their order, paging, failures, the prepared next page,
// the image menu over a thumbnail and the single image.
#include "displayfixture.h"

using testsupport::DisplayFixture;
using testsupport::range;

class TestThumbs : public QObject {
    Q_OBJECT

private slots:
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
        loadedOnce(31, 60);
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

    void addAndRemoveTakeTheClickedThumbnail()
    {
        DisplayFixture f(5);
        f.state.Favorites.Add(f.path(1));
        f.thumbnailPreview();
        const auto clicked = [&](QList<QWidget*> widgets) {
            for (QWidget* widget : widgets)
                QTest::mouseClick(widget, Qt::LeftButton);
            return QStringList(f.state.Favorites.begin(), f.state.Favorites.end());
        };
        // Before a click, Add and Remove do nothing; the key A names the
        // position after the page, past the end.
        QTest::keyClick(f.window.get(), 'a');
        QCOMPARE(clicked({f.window->cmdControl[1]}), QStringList({f.path(1)}));
        QCOMPARE(clicked({f.window->imgTN[1], f.window->imgTN[3], f.window->cmdControl[0]}),
                 QStringList({f.path(1), f.path(4)}));
        QCOMPARE(std::pair(f.window->imgTN[3]->frameShape(), f.window->imgTN[1]->frameShape()),
                 std::pair(QFrame::Box, QFrame::NoFrame));
        QCOMPARE(clicked({f.window->cmdControl[1]}), QStringList({f.path(1)}));
    }

    // Full resumes after the page and clears the setting; Thumbs sets it
    // again; Full after the last page finds no images.
    void fullAndThumbsSwitchTheViewAndTheSetting()
    {
        DisplayFixture f(40);
        f.thumbnailPreview();
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

    void menuStopsThePageStillLoading()
    {
        DisplayFixture f(31);
        QMetaObject::invokeMethod(
            f.window.get(), [&] { f.window->cmdControl[4]->click(); }, Qt::QueuedConnection);
        f.thumbnailPreview();
        QCOMPARE(std::tuple(f.window->isLoaded(), f.shownPositions(), f.window->mintIndex()),
                 std::tuple(false, QList<int>(), 1));
    }

    void failedPictureOnAPage_data()
    {
        QTest::addColumn<int>("injected");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QList<int>>("shown"); // empty: the window closed
        // A picture that is gone or cannot be decoded keeps its slot, marked,
        // so that the pages after it can still be reached.
        QTest::newRow("missing file: marked, the page goes on") << 53 << "" << range(1, 8);
        QTest::newRow("not a picture: marked, the page goes on") << 481 << "" << range(1, 8);
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
        QCOMPARE(f.dialogs.messageTexts(), message.isEmpty() ? QStringList() : QStringList({message}));
        QCOMPARE(f.window->isLoaded(), !shown.isEmpty());
        QVERIFY(!QGuiApplication::overrideCursor());
        if (!shown.isEmpty())
            QCOMPARE(f.shownPositions(), shown);
        if (shown.size() == 8) {
            const display::ThumbBox* marked = f.window->imgTN[3];
            QVERIFY(!marked->pixmap().isNull());
            // Placed and sized like a landscape picture in its cell.
            QCOMPARE(std::tuple(marked->toolTip(), marked->width(), f.window->mintIndex()),
                     std::tuple(f.path(4), f.window->imgTN[0]->width(), 9));
        }
    }

    // The image menu over the second thumbnail is given that image; the page
    // shows what the chosen command made of it.
    void imageMenuCommandRedrawsThePage_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("renamed") << "/elsewhere/renamed.jpg";
        // Redrawn from position 11 back one page of 30: at least position 1.
        QTest::newRow("deleted") << "DELETE";
    }
    void imageMenuCommandRedrawsThePage()
    {
        QFETCH(QString, command);
        DisplayFixture f(10);
        f.thumbnailPreview();
        QString given;
        f.menuCommand = [&] {
            given = f.state.ContextImage;
            if (command == "DELETE")
                f.state.MainImages.Remove(f.path(2));
            f.state.ContextImage = command;
        };
        QTest::mousePress(f.window->imgTN[1], Qt::RightButton);
        QTest::mousePress(f.window->imgTN[2], Qt::MiddleButton);
        QCOMPARE(std::pair(f.menuRequests, given), std::pair(QList<int>({1}), f.path(2)));
        QStringList expected = f.paths;
        if (command == "DELETE")
            expected.removeAt(1);
        else
            expected[1] = command;
        const auto toolTips = [&] {
            QStringList tips;
            for (display::ThumbBox* box : f.window->imgTN)
                if (!box->isHidden())
                    tips << box->toolTip();
            return tips;
        };
        QTRY_COMPARE_WITH_TIMEOUT(toolTips(), expected, 5000);
        QCOMPARE(std::pair(f.window->mintIndex(), f.state.ContextImage),
                 std::pair(command == "DELETE" ? 10 : 11, QString()));
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

#include "tst_thumbs.moc"

LUMARINE_REGISTER_TEST(TestThumbs)
