// A show of full pictures: the sequence it steps through, where each
// picture and thumbnail goes, and what each failure or replaced file does.
#include "displayfixture.h"

#include "display/firstpicture.h"
#include "platform/twips.h"

#include <algorithm>

using testsupport::DisplayFixture;

namespace {

bool replace(const QString& path, const QString& by)
{
    using namespace testsupport;
    return QFile::remove(path) && (by == "nothing" ? true
                                   : by == "text"  ? writeBytes(path, "no picture at all\n")
                                                   : writeJpeg(path, QSize(240, 180)));
}

struct SequenceRow {
    int count, delay, leftOver;
    bool random;
    QString pauses;       // W pressed before the tick at each 'w'
    QList<int> positions; // 0 for a tick that changes nothing
};

// The second of three pictures fails, is replaced before the show or after
// its decode began, or a failure is injected for it.
struct FailureRow {
    QString by; // what takes the picture's place
    bool whileDecoding;
    int injected;
    QString message;
    int style;
    // What the picture box shows: nothing (the screen stays black), the last
    // picture again, the new picture; or the window "closed" or "hidden".
    QString shown;
};

// Records where the picture stood each time it became visible.
class ShowWatcher final : public QObject {
public:
    QList<QRect> shownAt;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            shownAt << static_cast<QWidget*>(watched)->geometry();
        return false;
    }
};

} // namespace

class TestShow : public QObject {
    Q_OBJECT

private slots:
    void sequenceTicksChangeThePictureAfterTheDelay_data()
    {
        QTest::addColumn<SequenceRow>("row");
        const QList<int> fifthTick{0, 0, 0, 0, 2, 0};
        QTest::newRow("0: every tick, past the end to the first")
            << SequenceRow{5, 0, 0, false, "", {2, 3, 4, 5, 1, 2}};
        QTest::newRow("5: every fifth tick") << SequenceRow{5, 5, 0, false, "", fifthTick};
        // W leaves the count one short of the delay; the next show starts afresh.
        QTest::newRow("5 after a show that left 4 ticks") << SequenceRow{5, 5, 4, false, "", fifthTick};
        QTest::newRow("paused holds; resumed, the first tick changes")
            << SequenceRow{4, 3, 0, false, "w...w", fifthTick};
        // The generator's own sequence from its fixed state: drawing ahead leaves it as it is.
        display::ClassicRandom generator;
        SequenceRow random{7, 0, 0, true, {}, {}};
        for (int i = 0; i < 40; ++i)
            random.positions << display::ClassicRandom::positionFor(generator.next(), 7);
        QTest::newRow("random") << random;
    }
    void sequenceTicksChangeThePictureAfterTheDelay()
    {
        QFETCH(SequenceRow, row);
        catalogue::ImageCollection list;
        for (int i = 1; i <= row.count; ++i)
            list.Add(QStringLiteral("/pictures/%1.jpg").arg(i));
        platform::FilePictureLoader loader;
        display::PictureJobs jobs{loader};
        display::ShowSequence show{jobs};
        show.setList(list);
        show.mintDelay = row.delay;
        show.mintDelayCurrent = row.leftOver;
        show.start();
        QList<int> shown;
        for (int tick = 0; tick < row.positions.size(); ++tick) {
            if (row.pauses.mid(tick, 1) == "w")
                show.togglePause();
            shown << (show.tick(row.random) ? show.mintIndex : 0);
            // The window draws the next random position a tick early.
            show.decodeAhead(row.random, [](QSize own) { return own; });
        }
        QCOMPARE(shown, row.positions);
    }

    // The first picture of the next show, decoded while the main window is
    // idle (the show's sequence) or while a launch builds its windows.
    void firstPictureAheadServesOnlyItsOwnFile_data()
    {
        QTest::addColumn<bool>("atLaunch");
        QTest::addColumn<QString>("change"); // after the decode, before the load
        QTest::addColumn<QSize>("shown");    // an empty size: the load fails
        QTest::addColumn<int>("loads");
        QTest::newRow("show, unchanged: decoded once") << false << "" << QSize(64, 48) << 1;
        QTest::newRow("show, replaced: decoded again") << false << "a larger picture" << QSize(240, 180) << 2;
        QTest::newRow("show, another size asked") << false << "half size" << QSize(32, 24) << 2;
        QTest::newRow("launch, unchanged: decoded once") << true << "" << QSize(64, 48) << 1;
        QTest::newRow("launch, removed: missing") << true << "removed" << QSize() << 1;
        QTest::newRow("launch, another size asked") << true << "half size" << QSize(32, 24) << 2;
        QTest::newRow("launch, another picture asked") << true << "other path" << QSize(64, 48) << 2;
    }
    void firstPictureAheadServesOnlyItsOwnFile()
    {
        QFETCH(bool, atLaunch);
        QFETCH(QString, change);
        QFETCH(QSize, shown);
        QFETCH(int, loads);
        QTemporaryDir dir;
        const QString path = dir.filePath("first.jpg"), other = dir.filePath("other.jpg");
        QVERIFY(testsupport::writeJpeg(path, {64, 48}) && QFile::copy(path, other));
        testsupport::InjectingLoader loader;
        display::PictureJobs jobs{loader};
        display::ShowSequence show{jobs};
        const auto ownSize = [](QSize own) { return own; };
        display::FirstPictureLoader launch(loader, atLaunch ? path : QString(), ownSize);
        if (!atLaunch)
            show.decodeFirst(path, ownSize);
        QTRY_VERIFY(show.aheadDone() && launch.ready());
        if (change == "removed")
            QVERIFY(QFile::remove(path));
        else if (change == "a larger picture")
            QVERIFY(replace(path, change));
        const QString asked = change == "other path" ? other : path;
        const auto askedSize = [&](QSize own) { return change == "half size" ? own / 2 : own; };
        platform::LoadedPicture picture;
        const int error = testsupport::errorOf(
            [&] { picture = atLaunch ? launch.load(asked, askedSize) : show.load(asked, askedSize); });
        QCOMPARE(std::tuple(error == 0, picture.image.size(), loader.loadsOf(path) + loader.loadsOf(other)),
                 std::tuple(shown.isValid(), shown.isValid() ? shown : QSize(0, 0), loads));
    }

    void failedOrReplacedPictureGetsItsReaction_data()
    {
        QTest::addColumn<FailureRow>("row");
        QTest::newRow("removed") << FailureRow{"nothing", false, 0, "", 0, "black"};
        QTest::newRow("no picture") << FailureRow{"text", false, 0, "", 0, "last"};
        QTest::newRow("a larger picture, after its decode began")
            << FailureRow{"a larger picture", true, 0, "", 0, "new"};
        const QString notFound = "Can't find that file/path.  Exiting to main menu.";
        const QString notReady =
            "There is a problem accessing the specified disk.  Exiting back to main menu.";
        QTest::newRow("76 path not found")
            << FailureRow{"in a missing folder", false, 0, notFound, 48, "closed"};
        QTest::newRow("71 disk not ready") << FailureRow{"", false, 71, notReady, 48, "closed"};
        QTest::newRow("other failure: go on")
            << FailureRow{"", false, 70, "Error: 70: Permission denied", 0, "last"};
        QTest::newRow("list emptied")
            << FailureRow{"an emptied list", false, 0, "No images to display!", 64, "hidden"};
    }
    void failedOrReplacedPictureGetsItsReaction()
    {
        QFETCH(FailureRow, row);
        const auto& [by, whileDecoding, injected, message, style, shown] = row;
        DisplayFixture f(3);
        QString target = f.path(2);
        if (by == "in a missing folder") {
            target = f.dir.filePath("gone/img.jpg");
            f.state.MainImages.Clear();
            for (const QString& path : {f.path(1), target, f.path(3)})
                f.state.MainImages.Add(path);
        } else if (!whileDecoding && !by.isEmpty() && by != "an emptied list") {
            QVERIFY(replace(target, by));
        }
        if (injected)
            f.loader.failures.insert(target, injected);
        if (!message.isEmpty())
            f.dialogs.answerMessage(platform::mb::Ok);
        f.standardShow(0);
        // Shown at its own size, centred.
        const QRect first = f.window->imgMain->geometry();
        QCOMPARE(first, QRect(340, 255, 120, 90));
        if (whileDecoding) {
            // The decode begun a tick ahead has read the picture as it was.
            QTRY_VERIFY(f.window->sequence().aheadDone());
            QCOMPARE(f.loader.loadsOf(target), 1);
            QVERIFY(replace(target, by));
        }
        if (by == "an emptied list")
            f.state.MainImages.Clear();
        f.window->tim1_Timer();
        QCOMPARE(f.dialogs.messageTexts(), message.isEmpty() ? QStringList() : QStringList({message}));
        if (!message.isEmpty())
            QCOMPARE(std::pair(f.dialogs.asked().first().style, f.dialogs.asked().first().title),
                     std::pair(style, QStringLiteral("Lumarine")));
        QVERIFY(!QGuiApplication::overrideCursor());
        const bool gone = shown == "closed" || shown == "hidden";
        QCOMPARE(std::tuple(f.window->isLoaded(), f.window->isVisible(), f.unloads),
                 std::tuple(shown != "closed", !gone, int(gone)));
        if (gone) {
            f.window->tim1_Timer();
            QCOMPARE(f.dialogs.asked().size(), 1);
            return;
        }
        QCOMPARE(std::pair(f.window->imgMain->toolTip(), f.window->imgMain->isVisible()),
                 std::pair(target, shown != "black"));
        if (shown != "black")
            QCOMPARE(f.window->imgMain->size(), shown == "new" ? first.size() * 2 : first.size());
        // The show goes on with the next picture.
        f.window->tim1_Timer();
        QCOMPARE(std::pair(f.window->imgMain->toolTip(), f.window->imgMain->isVisible()),
                 std::pair(f.path(3), true));
    }

    // Decoded at the size shown, one picture pixel to one device pixel at its
    // own size, and shown each time only once it is fitted and placed.
    void pictureIsFittedCentredAndDecodedAtThatSize()
    {
        struct Row {
            qreal ratio;
            QSize picture, decoded;
            QRect placed;
        };
        const QRect reduced(40, 30, 720, 540); // 960 x 720 pixels is taller than the screen
        for (const Row& row :
             {Row{1.0, {960, 720}, {720, 540}, reduced}, Row{2.0, {2000, 1500}, {1440, 1080}, reduced},
              Row{1.5, {2000, 1500}, {1080, 810}, reduced},
              Row{2.0, {960, 720}, {960, 720}, {160, 120, 480, 360}}}) {
            DisplayFixture f(1, row.picture);
            f.window->setScreenTwips(QSizeF(12000, 9000), row.ratio);
            ShowWatcher watcher;
            f.window->imgMain->installEventFilter(&watcher);
            f.standardShow(3);
            f.window->DisplayImage(1);
            QCOMPARE(std::pair(f.window->imgMain->pixmap().size(), watcher.shownAt),
                     std::pair(row.decoded, QList<QRect>({row.placed, row.placed})));
        }
    }

    // On a 12000 x 9000 screen: the height first, the width then, to 90 %;
    // a smaller picture keeps its own size.
    void pictureFitsTheScreen()
    {
        const QSizeF screen(12000, 9000);
        QList<QRectF> placed;
        for (const QSizeF picture : {QSizeF(14000, 10000), QSizeF(3000, 2000), QSizeF(30000, 6000),
                                     QSizeF(36000, 18000), QSizeF(12000, 9000)}) {
            const QSizeF shown = display::FitToScreen(picture, screen);
            placed << QRectF(display::CentreOnScreen(shown, screen), shown);
        }
        QCOMPARE(placed, QList<QRectF>({{330, 450, 11340, 8100},
                                        {4500, 3500, 3000, 2000},
                                        {600, 3420, 10800, 2160},
                                        {600, 1800, 10800, 5400},
                                        {0, 0, 12000, 9000}}));
    }

    // Every slot, and the thumbnails of common shapes in it, lies on screen
    // clear of the others.
    void thumbnailPageLiesOnScreenWithoutOverlap_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QSize>("grid"); // columns x rows
        for (const QSize screen : {QSize(1920, 1080), QSize(1366, 768), QSize(1920, 1200), QSize(800, 600),
                                   QSize(1280, 1024), QSize(1080, 1920), QSize(2560, 1080)})
            for (const auto& [size, grid] :
                 {std::pair("Small", QSize(6, 5)), std::pair("MEDIUM", QSize(4, 4)),
                  std::pair("large", QSize(3, 3)), std::pair("unknown", QSize(6, 5))})
                QTest::addRow("%d x %d %s", screen.width(), screen.height(), size) << screen << size << grid;
    }
    void thumbnailPageLiesOnScreenWithoutOverlap()
    {
        QFETCH(QSize, screen);
        QFETCH(QString, size);
        QFETCH(QSize, grid);
        const QRectF onScreen(QPointF(), twips::fromPixels(QSizeF(screen)));
        const display::ThumbGrid page = display::TNLayout(onScreen.size(), size);
        QCOMPARE(QList<qsizetype>({page.columns, page.rows, page.positions.size()}),
                 QList<qsizetype>({grid.width(), grid.height(), grid.width() * grid.height()}));
        QVERIFY(page.cellWidth > 0 && page.cellHeight > 0);
        QCOMPARE(page.positions.first(), QPointF(2250, 900));
        QList<QRectF> covered;
        for (const QPointF& slot : page.positions) {
            QRectF area(slot, QSizeF(page.cellWidth, page.cellHeight));
            for (const QSizeF picture : {QSizeF(4000, 3000), QSizeF(1600, 900), QSizeF(1000, 1000),
                                         QSizeF(3000, 4000), QSizeF(900, 1600)})
                area |= QRectF(slot, display::FitThumbnail(picture, page.cellWidth, page.cellHeight));
            const auto overlaps = [&](const QRectF& other) { return area.intersects(other); };
            QVERIFY2(onScreen.contains(area) && std::none_of(covered.begin(), covered.end(), overlaps),
                     qPrintable(QString("slot %1 off screen or overlapping").arg(covered.size())));
            covered << area;
        }
    }

    void classicGeneratorStartsFromItsFixedStateAndStaysInTheList()
    {
        display::ClassicRandom random;
        QCOMPARE(QList<float>({float(random.next()), float(random.next()), float(random.next())}),
                 QList<float>({0.7055475f, 0.5334240f, 0.5795186f}));
        // The largest value the generator can give must still fall inside.
        for (int count : {1, 7, 100000})
            QCOMPARE(display::ClassicRandom::positionFor(16777215.0 / 16777216.0, count), count);
        QCOMPARE(display::ClassicRandom::positionFor(0.0, 5), 1);
    }
};

#include "tst_show.moc"

LUMARINE_REGISTER_TEST(TestShow)
