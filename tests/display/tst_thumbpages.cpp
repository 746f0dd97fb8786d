#include "displayfixture.h"
#include "support/testmain.h"

#include "display/thumbbox.h"
#include "platform/thumbnailcache.h"

#include <QDir>
#include <QMutex>
#include <QPushButton>
#include <QSemaphore>
#include <QTest>

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
        finished_ << path;
        if (path != first_)
            done_.release();
        return loaded;
    }
    QStringList finished() const
    {
        const QMutexLocker lock(&mutex_);
        return finished_;
    }
    bool timedOut() const { return held_; }

private:
    QString first_;
    int others_;
    platform::FilePictureLoader files_;
    mutable QSemaphore done_;
    mutable QMutex mutex_;
    mutable QStringList finished_;
    mutable std::atomic<bool> held_{false};
};

// Records the order in which thumbnails come on screen.
class AppearanceLog : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            if (auto* box = qobject_cast<display::ThumbBox*>(watched))
                order << box->index();
        return false;
    }
    QList<int> order;
};

} // namespace

class TestThumbPages : public QObject {
    Q_OBJECT

private slots:
    void nextShowsThePreparedPageWithoutDecodingAgain();
    void thumbnailsAppearInSlotOrderWhateverOrderTheyDecodeIn();
    void unwritableCacheStillFillsThePage();
    void pageThroughTheCacheIsReadBackOnTheNextRun();
};

void TestThumbPages::nextShowsThePreparedPageWithoutDecodingAgain()
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

void TestThumbPages::thumbnailsAppearInSlotOrderWhateverOrderTheyDecodeIn()
{
    DisplayFixture f(30);
    const FirstLastLoader thumbnails(f.path(1), 29);
    useThumbnails(f, thumbnails);
    AppearanceLog log;
    qApp->installEventFilter(&log);
    f.thumbnailPreview();
    qApp->removeEventFilter(&log);
    QVERIFY(!thumbnails.timedOut());
    QCOMPARE(thumbnails.finished().size(), 30);
    QCOMPARE(thumbnails.finished().last(), f.path(1));
    QCOMPARE(log.order, range(0, 29));
    QCOMPARE(f.shownPositions(), range(1, 30));
}

void TestThumbPages::unwritableCacheStillFillsThePage()
{
    DisplayFixture f(12);
    QTemporaryDir root;
    QFile blocker(root.filePath("blocked"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const platform::ThumbnailCache cache(blocker.fileName() + "/thumbnails", true, "lumarine-test");
    const platform::CachedThumbnailLoader thumbnails(f.loader, cache);
    useThumbnails(f, thumbnails);
    f.thumbnailPreview();
    QCOMPARE(f.shownPositions(), range(1, 12));
    QVERIFY(f.dialogs.asked().isEmpty());
    // Decoded at the size drawn, not stretched to it.
    QCOMPARE(f.window->imgTN[0]->pixmap().size(), f.window->imgTN[0]->size());
}

void TestThumbPages::pageThroughTheCacheIsReadBackOnTheNextRun()
{
    DisplayFixture f(12, QSize(600, 450));
    QTemporaryDir root;
    const platform::ThumbnailCache cache(root.filePath("thumbnails"), true, "lumarine-test");
    const platform::CachedThumbnailLoader thumbnails(f.loader, cache);
    useThumbnails(f, thumbnails);
    f.thumbnailPreview();
    QCOMPARE(f.shownPositions(), range(1, 12));
    const QSize drawn = f.window->imgTN[0]->pixmap().size();
    thumbnails.waitForWrites();
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

#include "tst_thumbpages.moc"

LUMARINE_REGISTER_TEST(TestThumbPages)
