// A show of full pictures: the sequence it steps through, where each
// picture goes, and what each failure or replaced file does to the show.
#include "displayfixture.h"

#include "catalogue/imagecollection.h"
#include "display/classicrandom.h"
#include "display/firstpicture.h"
#include "display/showsequence.h"
#include "support/failingfilesystem.h"

#include <QFile>

#include <atomic>

using testsupport::DisplayFixture;

namespace {

// The list position shown, read from the picture's tooltip.
int shownPosition(const DisplayFixture& f)
{
    return int(f.paths.indexOf(f.window->imgMain->toolTip())) + 1;
}

QList<int> drawnPositions(int count, int draws)
{
    display::ClassicRandom generator;
    QList<int> drawn;
    for (int i = 0; i < draws; ++i)
        drawn << display::ClassicRandom::positionFor(generator.next(), count);
    return drawn;
}

// Remembers where the picture stood each time it became visible.
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

// Puts what a row names where the picture was. False when this machine
// cannot make it.
bool replace(const QString& path, const QString& by)
{
    using namespace testsupport;
    if (by.isEmpty())
        return true;
    if (!QFile::remove(path))
        return false;
    if (by == "nothing")
        return true;
    if (by == "text")
        return writeBytes(path, "no picture at all\n");
    if (by == "a huge header")
        return writeBytes(path, withClaimedSize(jpegBytes(QSize(64, 48)), QSize(65500, 65500)));
    if (by == "thousands of scans")
        return writeBytes(path, withLastScanRepeated(jpegBytes(QSize(64, 48), true), 3000));
    if (by == "a larger picture")
        return writeJpeg(path, QSize(240, 180));
    return makeSpecialFile(by, path);
}

// A show over count pictures that need not exist.
struct Sequence {
    explicit Sequence(int count)
    {
        for (int i = 1; i <= count; ++i)
            list.Add(QStringLiteral("/pictures/%1.jpg").arg(i));
        show.setList(list);
    }
    catalogue::ImageCollection list;
    platform::FilePictureLoader loader;
    display::PictureJobs jobs{loader};
    display::ShowSequence show{jobs};
};

class CountingLoader final : public platform::PictureLoader {
public:
    platform::LoadedPicture load(const QString& path, const platform::ShownSizeFor& sizeFor) const override
    {
        ++loads;
        return platform::FilePictureLoader().load(path, sizeFor);
    }
    mutable std::atomic<int> loads = 0;
};

} // namespace

class TestShow : public QObject {
    Q_OBJECT

private slots:
    void sequenceTicksChangeThePictureAfterTheDelay_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("delay");
        QTest::addColumn<int>("leftOver");
        QTest::addColumn<bool>("random");
        QTest::addColumn<QString>("pauses");       // W pressed before the tick at each 'w'
        QTest::addColumn<QList<int>>("positions"); // 0 for a tick that changes nothing
        const QList<int> everyTick{2, 3, 4, 5, 1, 2}, fifthTick{0, 0, 0, 0, 2, 0};
        QTest::newRow("0: every tick, past the end to the first") << 5 << 0 << 0 << false << "" << everyTick;
        QTest::newRow("1: every tick") << 5 << 1 << 0 << false << "" << everyTick;
        QTest::newRow("5: every fifth tick") << 5 << 5 << 0 << false << "" << fifthTick;
        // W leaves the count one short of the delay; the next show starts afresh.
        QTest::newRow("5 after a show that left 4 ticks") << 5 << 5 << 4 << false << "" << fifthTick;
        QTest::newRow("paused holds; resumed, the first tick changes")
            << 4 << 3 << 0 << false << "w...w" << fifthTick;
        QTest::newRow("one picture: always the first") << 1 << 0 << 0 << true << "" << QList<int>{1, 1, 1};
        // The generator's own sequence from its fixed state, the same every run.
        QTest::newRow("random") << 7 << 0 << 0 << true << "" << drawnPositions(7, 40);
    }
    void sequenceTicksChangeThePictureAfterTheDelay()
    {
        QFETCH(int, count);
        QFETCH(int, delay);
        QFETCH(int, leftOver);
        QFETCH(bool, random);
        QFETCH(QString, pauses);
        QFETCH(QList<int>, positions);
        Sequence sequence(count);
        display::ShowSequence& show = sequence.show;
        show.mintDelay = delay;
        show.mintDelayCurrent = leftOver;
        show.start();
        QList<int> shown;
        for (int tick = 0; tick < positions.size(); ++tick) {
            if (pauses.mid(tick, 1) == "w")
                show.togglePause();
            shown << (show.tick(random) ? show.mintIndex : 0);
            // The window draws the next random position a tick early.
            show.decodeAhead(random, [](QSize own) { return own; });
        }
        QCOMPARE(shown, positions);
    }

    // The first picture of the next show, decoded while the main window is
    // idle (the show's sequence) or while a launch builds its windows.
    void firstPictureAheadServesOnlyItsOwnFile_data()
    {
        QTest::addColumn<bool>("atLaunch");
        QTest::addColumn<QString>("change"); // after the decode, before the load
        QTest::addColumn<QSize>("shown");    // an empty size: the load fails
        QTest::addColumn<int>("loads");
        for (const bool atLaunch : {false, true}) {
            const QString by = atLaunch ? "launch, " : "show, ";
            QTest::newRow(qPrintable(by + "unchanged: decoded once")) << atLaunch << "" << QSize(64, 48) << 1;
            QTest::newRow(qPrintable(by + "replaced: decoded again"))
                << atLaunch << "a larger picture" << QSize(240, 180) << 2;
            QTest::newRow(qPrintable(by + "removed: missing")) << atLaunch << "removed" << QSize() << 1;
            QTest::newRow(qPrintable(by + "another size asked"))
                << atLaunch << "half size" << QSize(32, 24) << 2;
        }
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
        CountingLoader loader;
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
        QCOMPARE(error == 0, shown.isValid());
        QCOMPARE(picture.image.size(), shown.isValid() ? shown : QSize(0, 0));
        QCOMPARE(loader.loads.load(), loads);
    }

    void showsOpenInTheirMode_data()
    {
        QTest::addColumn<bool>("preview");
        QTest::addColumn<bool>("thumbs"); // the thumbnail setting, ticked
        QTest::addColumn<display::DisplayMode>("mode");
        QTest::newRow("standard: a full picture") << false << true << display::DisplayMode::Standard;
        QTest::newRow("preview") << true << false << display::DisplayMode::PreviewFull;
        QTest::newRow("preview in thumbnails") << true << true << display::DisplayMode::PreviewThumbs;
    }
    void showsOpenInTheirMode()
    {
        QFETCH(bool, preview);
        QFETCH(bool, thumbs);
        QFETCH(display::DisplayMode, mode);
        DisplayFixture f(2);
        f.state.ThumbPreview = thumbs;
        f.window->Load();
        f.window->SetCurrent(f.state.MainImages);
        preview ? f.window->SetPreview() : f.window->SetStandard();
        QCOMPARE(f.window->tim1->isActive(), !preview);
        f.window->Start();
        QCOMPARE(f.window->mode(), mode);
        QCOMPARE(f.window->cmdControl[6]->text(),
                 mode == display::DisplayMode::PreviewThumbs ? "Full" : "Thumbs");
        QCOMPARE(f.window->imgMain->isVisible(), mode != display::DisplayMode::PreviewThumbs);
        QCOMPARE(QList<bool>({f.window->framControls->isVisible(), f.window->hscMain->isVisible(),
                              f.window->lblPath->isVisible()}),
                 QList<bool>(3, preview));
        QVERIFY(!f.window->lblStatus->isVisible());
        QVERIFY(f.window->sequence().mbolStarted);
        QCOMPARE(std::pair(f.window->hscMain->minimum(), f.window->hscMain->maximum()), std::pair(1, 2));
        QVERIFY(f.window->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(f.window->size(), QSize(800, 600));
    }

    void timerShowsTheSequencesPositionsDecodedAhead_data()
    {
        QTest::addColumn<bool>("random");
        QTest::addColumn<QList<int>>("positions");
        QTest::newRow("in order, past the end to the first") << false << QList<int>{2, 3, 4, 5, 1};
        // Drawing ahead for the next decode leaves the generator's sequence as it is.
        QTest::newRow("random") << true << drawnPositions(5, 6);
    }
    void timerShowsTheSequencesPositionsDecodedAhead()
    {
        QFETCH(bool, random);
        QFETCH(QList<int>, positions);
        DisplayFixture f(5);
        f.state.RandomShow = random;
        f.standardShow(0);
        QCOMPARE(shownPosition(f), 1);
        QList<int> shown;
        for (int i = 0; i < positions.size(); ++i) {
            f.window->tim1_Timer();
            shown << shownPosition(f);
        }
        QCOMPARE(shown, positions);
        // The timer does not move the scroll bar.
        QCOMPARE(f.window->hscMain->value(), 1);
        // Each picture was decoded once, by the decode begun a tick earlier
        // (that of the next one, 2, may still run).
        for (int position = 3; position <= 5 && !random; ++position)
            QCOMPARE(f.loader.loadsOf(f.path(position)), 1);
    }

    void pictureIsFittedCentredAndDecodedAtThatSize_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("decoded");
        QTest::addColumn<QRect>("placed");
        const QRect reduced(40, 30, 720, 540);
        // 960 x 720 pixels is 14400 x 10800 twips: taller than the screen.
        QTest::newRow("ratio 1, reduced") << 1.0 << QSize(960, 720) << QSize(720, 540) << reduced;
        QTest::newRow("ratio 2, reduced") << 2.0 << QSize(2000, 1500) << QSize(1440, 1080) << reduced;
        QTest::newRow("ratio 1.5, reduced") << 1.5 << QSize(2000, 1500) << QSize(1080, 810) << reduced;
        // One picture pixel to one device pixel: half as many logical pixels.
        QTest::newRow("ratio 2, its own size")
            << 2.0 << QSize(960, 720) << QSize(960, 720) << QRect(160, 120, 480, 360);
    }
    void pictureIsFittedCentredAndDecodedAtThatSize()
    {
        QFETCH(qreal, ratio);
        QFETCH(QSize, picture);
        QFETCH(QSize, decoded);
        QFETCH(QRect, placed);
        DisplayFixture f(1, picture);
        f.window->setScreenTwips(QSizeF(12000, 9000), ratio);
        ShowWatcher watcher;
        f.window->imgMain->installEventFilter(&watcher);
        f.standardShow(3);
        QCOMPARE(f.window->imgMain->pixmap().size(), decoded);
        f.window->DisplayImage(1);
        // Shown each time only once it is fitted and placed.
        QCOMPARE(watcher.shownAt, QList<QRect>({placed, placed}));
    }

    // The second of three pictures fails, is replaced before the show or
    // after its decode began, or a failure is injected for it.
    void failedOrReplacedPictureGetsItsReaction_data()
    {
        QTest::addColumn<QString>("by");
        QTest::addColumn<bool>("whileDecoding");
        QTest::addColumn<int>("injected");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("style");
        // What the picture box shows: nothing (the screen stays black), the
        // last picture again, the new picture; or the window "closed" or "hidden".
        QTest::addColumn<QString>("shown");
        for (const bool whileDecoding : {false, true})
            for (const char* by : {"nothing", "dangling link", "fifo", "device", "folder", "text",
                                   "a huge header", "thousands of scans", "a larger picture"}) {
                const QString kind(by);
                const QString shown = kind == "nothing" || kind == "dangling link" ? "black"
                                      : kind == "a larger picture"                 ? "new"
                                                                                   : "last";
                QTest::addRow("%s%s", by, whileDecoding ? ", after its decode began" : "")
                    << kind << whileDecoding << 0 << QString() << 0 << shown;
            }
        QTest::newRow("76 path not found")
            << "in a missing folder" << false << 0 << "Can't find that file/path.  Exiting to main menu."
            << 48 << "closed";
        QTest::newRow("71 disk not ready")
            << "" << false << 71
            << "There is a problem accessing the specified disk.  Exiting back to main menu." << 48
            << "closed";
        QTest::newRow("other failure: go on")
            << "" << false << 70 << "Error: 70: Permission denied" << 0 << "last";
        QTest::newRow("list emptied")
            << "an emptied list" << false << 0 << "No images to display!" << 64 << "hidden";
    }
    void failedOrReplacedPictureGetsItsReaction()
    {
        QFETCH(QString, by);
        QFETCH(bool, whileDecoding);
        QFETCH(int, injected);
        QFETCH(QString, message);
        QFETCH(int, style);
        QFETCH(QString, shown);
        DisplayFixture f(3);
        QString target = f.path(2);
        if (by == "in a missing folder") {
            target = f.dir.filePath("gone/img.jpg");
            f.state.MainImages.Clear();
            for (const QString& path : {f.path(1), target, f.path(3)})
                f.state.MainImages.Add(path);
        } else if (!whileDecoding && by != "an emptied list" && !replace(target, by)) {
            QSKIP("this machine cannot make that kind of file");
        }
        if (injected)
            f.loader.failures.insert(target, injected);
        if (!message.isEmpty())
            f.dialogs.answerMessage(platform::mb::Ok);
        f.standardShow(0);
        const QRect first = f.window->imgMain->geometry();
        if (whileDecoding) {
            // The decode begun a tick ahead has read the picture as it was.
            QTRY_VERIFY(f.window->sequence().aheadDone());
            QCOMPARE(f.loader.loadsOf(target), 1);
            if (!replace(target, by))
                QSKIP("this machine cannot make that kind of file");
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
        QCOMPARE(std::pair(f.window->isLoaded(), f.window->isVisible()), std::pair(shown != "closed", !gone));
        QCOMPARE(f.unloads, gone ? 1 : 0);
        if (gone) {
            f.window->tim1_Timer();
            QCOMPARE(f.dialogs.asked().size(), 1);
            return;
        }
        // The tooltip names the path that failed.
        QCOMPARE(f.window->imgMain->toolTip(), target);
        QCOMPARE(f.window->imgMain->isVisible(), shown != "black");
        if (shown != "black")
            QCOMPARE(f.window->imgMain->size(), shown == "new" ? first.size() * 2 : first.size());
        // The show goes on with the next picture.
        f.window->tim1_Timer();
        QCOMPARE(f.window->imgMain->toolTip(), f.path(3));
        QVERIFY(f.window->imgMain->isVisible());
    }
};

#include "tst_show.moc"

LUMARINE_REGISTER_TEST(TestShow)
