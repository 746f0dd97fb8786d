// Pages of thumbnails: their order, paging, failures, the prepared next page,
// the shared cache, the image menu over a thumbnail and the single image.
#include "displayfixture.h"
#include "support/testmain.h"

#include "display/thumbbox.h"
#include "display/thumbpager.h"
#include "platform/apperror.h"
#include "platform/dialogs.h"
#include "platform/thumbnailcache.h"
#include "support/jpegfixtures.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMutex>
#include <QPushButton>
#include <QScrollBar>
#include <QSemaphore>
#include <QTest>
#include <QTimer>

using testsupport::DisplayFixture;
using testsupport::range;

namespace {

// The fixture's window again, its thumbnails from the loader given.
void useThumbnails(DisplayFixture& f, const platform::PictureLoader& thumbnails)
{
    DisplayServices services{f.state, f.dialogs, f.loader, {}, {}, {}};
    services.thumbnails = &thumbnails;
    f.window = std::make_unique<frmDisplay>(std::move(services));
    f.window->setScreenTwips(QSizeF(12000, 9000));
}

QStringList toolTips(DisplayFixture& f)
{
    QStringList tips;
    for (display::ThumbBox* box : f.window->imgTN)
        if (!box->isHidden())
            tips << box->toolTip();
    return tips;
}

// Holds the first picture back until all the others have been decoded, so
// that the workers finish in the opposite of slot order.
class FirstLastLoader final : public platform::PictureLoader {
public:
    FirstLastLoader(QString first, int others) : first_(std::move(first)), others_(others) {}
    platform::LoadedPicture load(const QString& path,
                                 const platform::ShownSizeFor& shownSizeFor) const override
    {
        if (path == first_)
            held_ = !done_.tryAcquire(others_, 10000);
        platform::LoadedPicture loaded = files_.load(path, shownSizeFor);
        const QMutexLocker lock(&mutex_);
        finished << path;
        if (path != first_)
            done_.release();
        return loaded;
    }
    mutable QStringList finished; // read once the page is full
    mutable std::atomic<bool> held_{false};

private:
    QString first_;
    int others_;
    platform::FilePictureLoader files_;
    mutable QSemaphore done_;
    mutable QMutex mutex_;
};

// Records the order in which thumbnails come on screen.
class AppearanceLog : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (auto* box = qobject_cast<display::ThumbBox*>(watched); box && event->type() == QEvent::Show)
            order << box->index();
        return false;
    }
    QList<int> order;
};

} // namespace

class TestThumbs : public QObject {
    Q_OBJECT

private slots:
    void pagerRecordsWhatEachThumbnailShows_data()
    {
        QTest::addColumn<int>("injected");
        QTest::addColumn<bool>("recorded"); // drawn in the SMALL cell, marked when it failed
        QTest::newRow("a picture") << 0 << true;
        QTest::newRow("missing: marked") << 53 << true;
        QTest::newRow("not a picture: marked") << 481 << true;
        QTest::newRow("other failure: thrown") << 70 << false;
    }
    void pagerRecordsWhatEachThumbnailShows()
    {
        QFETCH(int, injected);
        QFETCH(bool, recorded);
        DisplayFixture f(3, QSize(1200, 900));
        if (injected)
            f.loader.failures.insert(f.path(2), injected);
        display::PictureJobs jobs(f.loader);
        display::ThumbPager pager(jobs, f.loader);
        pager.layOut(QSizeF(12000, 9000), "small", 1.0);
        const int page = pager.begin(&f.state.MainImages, 1);
        pager.take(1, f.path(1));
        try {
            QCOMPARE(pager.take(2, f.path(2)).image.size(), QSize(92, 69));
        } catch (const platform::AppError& error) {
            QCOMPARE(error.number(), injected);
        }
        QCOMPARE(pager.entries().size(), recorded ? 2 : 1);
        pager.select(int(pager.entries().size()) - 1);
        QCOMPARE(pager.mintSelected, recorded ? 2 : 1);
        QVERIFY(!pager.superseded(page));
        pager.clear();
        QVERIFY(pager.entries().isEmpty());
        QVERIFY(pager.superseded(page));
    }

    void pageOfTenFillsTwoRowsInOrder()
    {
        DisplayFixture f(10);
        f.thumbnailPreview();
        QCOMPARE(f.shownPositions(), range(1, 10));
        QCOMPARE(f.window->mintIndex(), 11);
        QCOMPARE(f.window->hscMain->singleStep(), 30);
        // Slot 7 opens the second row: 2250, 900 + 1518 twips.
        QCOMPARE(f.window->imgTN[6]->pos(), QPoint(150, 161));
        QCOMPARE(f.window->imgTN[0]->toolTip(), f.path(1));
        QVERIFY(!f.window->imgMain->isVisible());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void pagingForwardAndBackOverThirtyOne()
    {
        DisplayFixture f(31);
        f.thumbnailPreview();
        QCOMPARE(f.shownPositions(), range(1, 30));
        QTest::mouseClick(f.window->cmdControl[2], Qt::LeftButton);
        QCOMPARE(f.shownPositions(), QList<int>({31}));
        QCOMPARE(f.window->mintIndex(), 32);
        // Back past the page shown to the one before it.
        QTest::mouseClick(f.window->cmdControl[3], Qt::LeftButton);
        QCOMPARE(f.shownPositions(), range(1, 30));
    }

    void nextShowsThePreparedPageWithoutDecodingAgain()
    {
        DisplayFixture f(95);
        f.thumbnailPreview();
        QCOMPARE(f.shownPositions(), range(1, 30));
        // The next page decodes in the background once this one is full.
        for (int position = 31; position <= 60; ++position)
            QTRY_COMPARE_WITH_TIMEOUT(f.loader.loadsOf(f.path(position)), 1, 10000);
        QTest::mouseClick(f.window->cmdControl[2], Qt::LeftButton);
        QCOMPARE(f.shownPositions(), range(31, 60));
        for (int position = 31; position <= 60; ++position)
            QCOMPARE(f.loader.loadsOf(f.path(position)), 1);
        // Two pages at most are held: the one shown and the one after it.
        for (int position = 61; position <= 90; ++position)
            QTRY_COMPARE_WITH_TIMEOUT(f.loader.loadsOf(f.path(position)), 1, 10000);
        QCOMPARE(f.loader.loadsOf(f.path(91)), 0);
        // Back is not prepared; it decodes as before.
        QTest::mouseClick(f.window->cmdControl[3], Qt::LeftButton);
        QCOMPARE(f.shownPositions(), range(1, 30));
        QCOMPARE(f.loader.loadsOf(f.path(1)), 2);
    }

    void thumbnailsAppearInSlotOrderWhateverOrderTheyDecodeIn()
    {
        DisplayFixture f(30);
        const FirstLastLoader thumbnails(f.path(1), 29);
        useThumbnails(f, thumbnails);
        AppearanceLog log;
        qApp->installEventFilter(&log);
        f.thumbnailPreview();
        qApp->removeEventFilter(&log);
        QVERIFY(!thumbnails.held_);
        QCOMPARE(thumbnails.finished.size(), 30);
        QCOMPARE(thumbnails.finished.last(), f.path(1));
        QCOMPARE(log.order, range(0, 29));
        QCOMPARE(f.shownPositions(), range(1, 30));
    }

    void cachedPagesAreReadBackAndAnUnwritableCacheIsNoFailure_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::newRow("writable: read back on the next run") << true;
        QTest::newRow("a file where the cache should be") << false;
    }
    void cachedPagesAreReadBackAndAnUnwritableCacheIsNoFailure()
    {
        QFETCH(bool, writable);
        DisplayFixture f(12, QSize(600, 450));
        QTemporaryDir root;
        if (!writable)
            QVERIFY(testsupport::writeBytes(root.filePath("thumbnails"), "blocked"));
        const platform::ThumbnailCache cache(root.filePath("thumbnails"), true, "lumarine-test");
        const platform::CachedThumbnailLoader thumbnails(f.loader, cache);
        useThumbnails(f, thumbnails);
        f.thumbnailPreview();
        QCOMPARE(f.shownPositions(), range(1, 12));
        QVERIFY(f.dialogs.asked().isEmpty());
        // Decoded at the size drawn, not stretched to it.
        const QSize drawn = f.window->imgTN[0]->pixmap().size();
        QCOMPARE(drawn, f.window->imgTN[0]->size());
        thumbnails.waitForWrites();
        if (!writable)
            return;
        QCOMPARE(QDir(root.filePath("thumbnails/normal")).entryList(QDir::Files).size(), 12);
        f.window->Unload();
        const platform::ThumbnailCache again(root.filePath("thumbnails"), true, "lumarine-test");
        const platform::CachedThumbnailLoader secondRun(f.loader, again);
        useThumbnails(f, secondRun);
        f.thumbnailPreview();
        QCOMPARE(f.shownPositions(), range(1, 12));
        QCOMPARE(f.window->imgTN[0]->pixmap().size(), drawn);
        for (int position = 1; position <= 12; ++position)
            QCOMPARE(f.loader.loadsOf(f.path(position)), 1);
    }

    void thumbnailsDecodeAtTheirCellsSize()
    {
        DisplayFixture f(2, QSize(1200, 900));
        testsupport::writeJpeg(f.path(2), QSize(600, 1200));
        f.thumbnailPreview();
        // SMALL cells are 1385 x 1038 twips, 92 x 69 pixels; a portrait
        // picture takes the cell's height.
        QCOMPARE(f.window->imgTN[0]->size(), QSize(92, 69));
        QCOMPARE(f.window->imgTN[0]->pixmap().size(), QSize(92, 69));
        QCOMPARE(f.window->imgTN[1]->size(), QSize(35, 69));
        QCOMPARE(f.window->imgTN[1]->pixmap().size(), QSize(35, 69));
    }

    void addAndRemoveTakeTheClickedThumbnail()
    {
        DisplayFixture f(5);
        f.state.Favorites.Add(f.path(1));
        f.thumbnailPreview();
        // Before a click, Add and Remove do nothing; the key A names the
        // position after the page, past the end.
        QTest::mouseClick(f.window->cmdControl[1], Qt::LeftButton);
        QTest::keyClick(f.window.get(), 'a');
        QCOMPARE(QStringList(f.state.Favorites.begin(), f.state.Favorites.end()), QStringList({f.path(1)}));
        QTest::mouseClick(f.window->imgTN[1], Qt::LeftButton);
        QTest::mouseClick(f.window->imgTN[3], Qt::LeftButton);
        QCOMPARE(f.window->imgTN[3]->frameShape(), QFrame::Box);
        QCOMPARE(f.window->imgTN[1]->frameShape(), QFrame::NoFrame);
        QTest::mouseClick(f.window->cmdControl[0], Qt::LeftButton);
        QCOMPARE(QStringList(f.state.Favorites.begin(), f.state.Favorites.end()),
                 QStringList({f.path(1), f.path(4)}));
        QTest::mouseClick(f.window->cmdControl[1], Qt::LeftButton);
        QCOMPARE(f.state.Favorites.Count(), 1);
    }

    void fullOnTheLastPageReportsNoImages()
    {
        DisplayFixture f(10);
        f.thumbnailPreview();
        f.dialogs.answerMessage(platform::mb::Ok);
        QTest::mouseClick(f.window->cmdControl[6], Qt::LeftButton);
        QCOMPARE(f.dialogs.messageTexts(), QStringList({"No images to display!"}));
        QVERIFY(!f.window->isVisible() && f.window->isLoaded());
    }

    void fullAndThumbsSwitchTheViewAndTheSetting()
    {
        DisplayFixture f(40);
        f.thumbnailPreview();
        QTest::mouseClick(f.window->cmdControl[6], Qt::LeftButton);
        QVERIFY(!f.state.ThumbPreview);
        QCOMPARE(f.window->cmdControl[6]->text(), QStringLiteral("Thumbs"));
        QCOMPARE(f.shownPositions(), QList<int>());
        // The full view resumes after the page.
        QCOMPARE(f.window->imgMain->toolTip(), f.path(31));
        QVERIFY(f.window->imgMain->isVisible());
        QTest::mouseClick(f.window->cmdControl[6], Qt::LeftButton);
        QVERIFY(f.state.ThumbPreview);
        QCOMPARE(f.window->cmdControl[6]->text(), QStringLiteral("Full"));
        QCOMPARE(f.shownPositions(), range(31, 40));
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
        QVERIFY(!f.window->pager().mbolAbort);
        QVERIFY(!QGuiApplication::overrideCursor());
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
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<QList<int>>("shown");
        // A picture that is gone or cannot be decoded keeps its slot, marked,
        // so that the pages after it can still be reached.
        QTest::newRow("missing file: marked, the page goes on") << 53 << "" << true << range(1, 8);
        QTest::newRow("not a picture: marked, the page goes on") << 481 << "" << true << range(1, 8);
        QTest::newRow("disk not ready: closes")
            << 71 << "There is a problem accessing the specified disk.  Exiting back to main menu." << false
            << QList<int>();
        QTest::newRow("other: its message, the page ends")
            << 70 << "Error: 70: Permission denied" << true << range(1, 3);
    }
    void failedPictureOnAPage()
    {
        QFETCH(int, injected);
        QFETCH(QString, message);
        QFETCH(bool, loaded);
        QFETCH(QList<int>, shown);
        DisplayFixture f(8);
        f.loader.failures.insert(f.path(4), injected);
        if (!message.isEmpty())
            f.dialogs.answerMessage(platform::mb::Ok);
        f.thumbnailPreview();
        QCOMPARE(f.dialogs.messageTexts(), message.isEmpty() ? QStringList() : QStringList({message}));
        QCOMPARE(f.window->isLoaded(), loaded);
        QVERIFY(!QGuiApplication::overrideCursor());
        if (loaded)
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
