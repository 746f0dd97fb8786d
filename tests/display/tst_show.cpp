// A show of full pictures: the sequence it steps through, where each
// picture goes, and what each failure or replaced file does to the show.
#include "displayfixture.h"

#include "catalogue/imagecollection.h"
#include "display/classicrandom.h"
#include "display/firstpicture.h"
#include "display/showsequence.h"
#include "support/failingfilesystem.h"

#include <QFile>

using testsupport::DisplayFixture;

namespace {

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
    if (by.isEmpty())
        return true;
    if (!QFile::remove(path))
        return false;
    if (by == "nothing")
        return true;
    if (by == "text")
        return testsupport::writeBytes(path, "no picture at all\n");
    if (by == "a larger picture")
        return testsupport::writeJpeg(path, QSize(240, 180));
    return testsupport::makeSpecialFile(by, path);
}

struct SequenceRow {
    int count, delay, leftOver;
    bool random;
    QString pauses;       // W pressed before the tick at each 'w'
    QList<int> positions; // 0 for a tick that changes nothing
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
        QCOMPARE(error == 0, shown.isValid());
        QCOMPARE(picture.image.size(), shown.isValid() ? shown : QSize(0, 0));
        QCOMPARE(loader.loadsOf(path) + loader.loadsOf(other), loads);
    }

    void pictureIsFittedCentredAndDecodedAtThatSize_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("decoded");
        QTest::addColumn<QRect>("placed");
        // 2000 x 1500 pixels is 30000 x 22500 twips: taller than the screen.
        QTest::newRow("ratio 1.5, reduced")
            << 1.5 << QSize(2000, 1500) << QSize(1080, 810) << QRect(40, 30, 720, 540);
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
            for (const QString by : {"nothing", "fifo", "text", "a larger picture"})
                QTest::addRow("%s%s", qPrintable(by), whileDecoding ? ", after its decode began" : "")
                    << by << whileDecoding << 0 << QString() << 0
                    << (by == "nothing"            ? "black"
                        : by == "a larger picture" ? "new"
                                                   : "last");
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
        } else if (!whileDecoding && by != "an emptied list") {
            QVERIFY(replace(target, by));
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
        // The tooltip names the path that failed.
        QCOMPARE(std::pair(f.window->imgMain->toolTip(), f.window->imgMain->isVisible()),
                 std::pair(target, shown != "black"));
        if (shown != "black")
            QCOMPARE(f.window->imgMain->size(), shown == "new" ? first.size() * 2 : first.size());
        // The show goes on with the next picture.
        f.window->tim1_Timer();
        QCOMPARE(std::pair(f.window->imgMain->toolTip(), f.window->imgMain->isVisible()),
                 std::pair(f.path(3), true));
    }
};

#include "tst_show.moc"

LUMARINE_REGISTER_TEST(TestShow)
