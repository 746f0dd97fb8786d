// Pages of thumbnails: their order, paging, failures, the prepared next page,
// the image menu over a thumbnail and the single image.
#include "displayfixture.h"

using testsupport::DisplayFixture;
using testsupport::range;

namespace {

QStringList toolTips(DisplayFixture& f)
{
    QStringList tips;
    for (display::ThumbBox* box : f.window->imgTN)
        if (!box->isHidden())
            tips << box->toolTip();
    return tips;
}

} // namespace

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
        QCOMPARE(f.window->imgTN[0]->toolTip(), f.path(1));
        QVERIFY(!f.window->imgMain->isVisible() && !QGuiApplication::overrideCursor());
        QCOMPARE(f.window->hscMain->singleStep(), 30);
        // Slot 7 opens the second row: 2250, 900 + 1518 twips.
        QCOMPARE(f.window->imgTN[6]->pos(), QPoint(150, 161));
        // SMALL cells are 92 x 69 pixels; a portrait picture takes the cell's height.
        QCOMPARE(QList<QSize>({f.window->imgTN[0]->size(), f.window->imgTN[0]->pixmap().size(),
                               f.window->imgTN[1]->size(), f.window->imgTN[1]->pixmap().size()}),
                 QList<QSize>({{92, 69}, {92, 69}, {35, 69}, {35, 69}}));
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
        QCOMPARE(f.shownPositions(), QList<int>({91}));
        QCOMPARE(f.window->mintIndex(), 92);
        // Back past the page shown to the one before it; it is not prepared.
        QTest::mouseClick(f.window->cmdControl[3], Qt::LeftButton);
        QCOMPARE(f.shownPositions(), range(32, 61));
        QCOMPARE(f.loader.loadsOf(f.path(32)), 2);
    }

    void addAndRemoveTakeTheClickedThumbnail()
    {
        DisplayFixture f(5);
        f.state.Favorites.Add(f.path(1));
        f.thumbnailPreview();
        const auto favourites = [&] {
            return QStringList(f.state.Favorites.begin(), f.state.Favorites.end());
        };
        // Before a click, Add and Remove do nothing; the key A names the
        // position after the page, past the end.
        QTest::mouseClick(f.window->cmdControl[1], Qt::LeftButton);
        QTest::keyClick(f.window.get(), 'a');
        QCOMPARE(favourites(), QStringList({f.path(1)}));
        QTest::mouseClick(f.window->imgTN[1], Qt::LeftButton);
        QTest::mouseClick(f.window->imgTN[3], Qt::LeftButton);
        QCOMPARE(std::pair(f.window->imgTN[3]->frameShape(), f.window->imgTN[1]->frameShape()),
                 std::pair(QFrame::Box, QFrame::NoFrame));
        QTest::mouseClick(f.window->cmdControl[0], Qt::LeftButton);
        QCOMPARE(favourites(), QStringList({f.path(1), f.path(4)}));
        QTest::mouseClick(f.window->cmdControl[1], Qt::LeftButton);
        QCOMPARE(favourites(), QStringList({f.path(1)}));
    }

    // Full resumes after the page and clears the setting; Thumbs sets it
    // again; Full after the last page finds no images.
    void fullAndThumbsSwitchTheViewAndTheSetting()
    {
        DisplayFixture f(40);
        f.thumbnailPreview();
        const auto switchView = [&] {
            QTest::mouseClick(f.window->cmdControl[6], Qt::LeftButton);
            return std::tuple(f.state.ThumbPreview, f.window->cmdControl[6]->text(), f.shownPositions());
        };
        QCOMPARE(switchView(), std::tuple(false, QStringLiteral("Thumbs"), QList<int>()));
        QCOMPARE(f.window->imgMain->toolTip(), f.path(31));
        QVERIFY(f.window->imgMain->isVisible());
        QCOMPARE(switchView(), std::tuple(true, QStringLiteral("Full"), range(31, 40)));
        f.dialogs.answerMessage(platform::mb::Ok);
        switchView();
        QCOMPARE(f.dialogs.messageTexts(), QStringList({"No images to display!"}));
        QVERIFY(!f.window->isVisible() && f.window->isLoaded());
    }

    void newerPageStopsTheOneStillLoading()
    {
        DisplayFixture f(61);
        f.thumbnailPreview();
        // Once the second page has drawn its first thumbnail, the user drags
        // the bar to the end: that page is superseded at its next yield.
        int tries = 0;
        std::function<void()> scrollWhenLoading = [&] {
            if (f.window->imgTN.size() > 1 && f.shownPositions().value(0) == 31)
                f.window->hscMain->setValue(61);
            else if (++tries < 1000)
                QTimer::singleShot(0, scrollWhenLoading);
        };
        QTimer::singleShot(0, scrollWhenLoading);
        QTest::mouseClick(f.window->cmdControl[2], Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(f.shownPositions(), QList<int>({61}));
        QCOMPARE(f.window->mintIndex(), 62);
        QVERIFY(!f.window->pager().mbolAbort && !QGuiApplication::overrideCursor());
    }

    void menuStopsThePageStillLoading()
    {
        DisplayFixture f(31);
        QMetaObject::invokeMethod(
            f.window.get(), [&] { f.window->cmdControl[4]->click(); }, Qt::QueuedConnection);
        f.thumbnailPreview();
        QVERIFY(!f.window->isLoaded());
        QCOMPARE(f.shownPositions(), QList<int>());
        QCOMPARE(f.window->mintIndex(), 1);
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
            QCOMPARE(marked->toolTip(), f.path(4));
            QVERIFY(!marked->pixmap().isNull());
            // Placed and sized like a landscape picture in its cell.
            QCOMPARE(marked->width(), f.window->imgTN[0]->width());
            QCOMPARE(f.window->mintIndex(), 9);
        }
    }

    // The image menu over the second thumbnail is given that image; the page
    // shows what the chosen command made of it.
    void imageMenuCommandRedrawsThePage_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("nothing changed") << "";
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
            if (!command.isEmpty())
                f.state.ContextImage = command;
        };
        QTest::mousePress(f.window->imgTN[1], Qt::RightButton);
        QTest::mousePress(f.window->imgTN[2], Qt::MiddleButton);
        QCOMPARE(f.menuRequests, QList<int>({1}));
        QCOMPARE(given, f.path(2));
        QStringList expected = f.paths;
        if (command == "DELETE")
            expected.removeAt(1);
        else if (!command.isEmpty())
            expected[1] = command;
        QTRY_COMPARE_WITH_TIMEOUT(toolTips(f), expected, 5000);
        QCOMPARE(f.window->mintIndex(), command == "DELETE" ? 10 : 11);
        QVERIFY(f.state.ContextImage.isEmpty());
        if (!command.isEmpty() && command != "DELETE")
            QCOMPARE(f.window->pager().entries()[1].path, command);
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
        bool single = false, modal = false;
        QString shown;
        QTimer::singleShot(0, [&] {
            auto* window = qobject_cast<frmDisplay*>(QApplication::activeModalWidget());
            QVERIFY(window && window != f.window.get());
            single = window->mbolSingle();
            modal = window->isModal();
            shown = window->imgMain->isVisible() ? window->imgMain->toolTip() : QString();
            QTest::keyClick(window, Qt::Key_Escape);
        });
        if (byEnter) {
            f.window->imgTN_Click(1);
            QTest::keyClick(f.window->focusWidget(), Qt::Key_Return);
        } else {
            QTest::mouseDClick(f.window->imgTN[1], Qt::LeftButton);
        }
        QVERIFY(single && modal);
        QCOMPARE(shown, f.path(2));
        // The preview beneath is as it was; the single window's closing rebuilt the box.
        QVERIFY(f.window->isLoaded());
        QCOMPARE(f.shownPositions(), range(1, 3));
        QCOMPARE(f.unloads, 1);
        QVERIFY(!QApplication::activeModalWidget());
    }
};

#include "tst_thumbs.moc"

LUMARINE_REGISTER_TEST(TestThumbs)
