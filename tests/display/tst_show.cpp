#include "displayfixture.h"
#include "support/testmain.h"

#include "display/classicrandom.h"
#include "platform/dialogs.h"
#include "support/jpegfixtures.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

using testsupport::DisplayFixture;

namespace {

// The list position shown, read from the picture's tooltip.
int shownPosition(const DisplayFixture& f)
{
    return int(f.paths.indexOf(f.window->imgMain->toolTip())) + 1;
}

QList<int> positionsOverTicks(DisplayFixture& f, int ticks)
{
    QList<int> shown;
    for (int i = 0; i < ticks; ++i) {
        f.window->tim1_Timer();
        shown << f.window->mintIndex();
    }
    return shown;
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

} // namespace

class TestShow : public QObject {
    Q_OBJECT

private slots:
    void setStandardEnablesTheTimerAndSetPreviewShowsTheControls();
    void timerShowsTheSequencesPositions_data();
    void timerShowsTheSequencesPositions();
    void pictureIsFittedCentredAndDecodedAtThatSize();
    void pictureIsShownOnlyOnceFittedAndPlaced();
    void highDensityScreenGetsItsDevicePixels_data();
    void highDensityScreenGetsItsDevicePixels();
    void failuresFollowTheirTable_data();
    void failuresFollowTheirTable();
    void positionOutsideAHiddenWindowShowsNothing();
    void missingImageLeavesTheScreenBlackForOneDelay();
    void imageDeletedAfterItsDecodeBeganIsNotShown();
    void nextPictureIsDecodedOnceAheadOfItsTick();
    void listEmptiedDuringTheShowEndsItWithoutACrash();
    void closingRebuildsTheFavoritesAndKeepsTheDelay();
    void thumbnailSettingOpensOnlyAPreviewInThumbnails_data();
    void thumbnailSettingOpensOnlyAPreviewInThumbnails();
};

void TestShow::setStandardEnablesTheTimerAndSetPreviewShowsTheControls()
{
    DisplayFixture f(2);
    f.window->Load();
    f.window->SetCurrent(f.state.MainImages);
    f.window->SetStandard();
    QVERIFY(f.window->tim1->isActive());
    QCOMPARE(f.window->mode(), display::DisplayMode::Standard);
    f.window->SetPreview();
    QVERIFY(!f.window->tim1->isActive());
    QCOMPARE(f.window->mode(), display::DisplayMode::PreviewFull);
    f.window->Start();
    QVERIFY(f.window->framControls->isVisible());
    QVERIFY(f.window->hscMain->isVisible());
    QVERIFY(f.window->lblPath->isVisible());
    QVERIFY(!f.window->lblStatus->isVisible());
    QVERIFY(f.window->sequence().mbolStarted);
    QCOMPARE(f.window->hscMain->minimum(), 1);
    QCOMPARE(f.window->hscMain->maximum(), 2);
    QVERIFY(f.window->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(f.window->size(), QSize(800, 600));
}

void TestShow::timerShowsTheSequencesPositions_data()
{
    QTest::addColumn<bool>("random");
    QTest::addColumn<QList<int>>("positions");
    QTest::newRow("in order, past the end to the first") << false << QList<int>{2, 3, 1, 2};
    // Drawing ahead for the next decode leaves the generator's sequence as it is.
    display::ClassicRandom generator;
    QList<int> drawn;
    for (int i = 0; i < 4; ++i)
        drawn << display::ClassicRandom::positionFor(generator.next(), 3);
    QTest::newRow("random") << true << drawn;
}

void TestShow::timerShowsTheSequencesPositions()
{
    QFETCH(bool, random);
    QFETCH(QList<int>, positions);
    DisplayFixture f(3);
    f.state.RandomShow = random;
    f.standardShow(0);
    QCOMPARE(shownPosition(f), 1);
    QVERIFY(!f.window->framControls->isVisible());
    QList<int> shown;
    for (int i = 0; i < 4; ++i) {
        f.window->tim1_Timer();
        shown << shownPosition(f);
    }
    QCOMPARE(shown, positions);
    // The timer does not move the scroll bar.
    QCOMPARE(f.window->hscMain->value(), 1);
}

void TestShow::pictureIsFittedCentredAndDecodedAtThatSize()
{
    // 960 x 720 pixels is 14400 x 10800 twips: taller than the screen.
    DisplayFixture f(1, QSize(960, 720));
    f.standardShow(3);
    QCOMPARE(f.window->imgMainTwips(), QRectF(600, 450, 10800, 8100));
    QCOMPARE(f.window->imgMain->geometry(), QRect(40, 30, 720, 540));
    QCOMPARE(f.window->imgMain->pixmap().size(), QSize(720, 540));
    QVERIFY(f.window->imgMain->isVisible());
}

void TestShow::pictureIsShownOnlyOnceFittedAndPlaced()
{
    DisplayFixture f(2, QSize(960, 720));
    testsupport::writeJpeg(f.path(2), QSize(300, 200));
    ShowWatcher watcher;
    f.window->imgMain->installEventFilter(&watcher);
    f.standardShow(0);
    f.window->tim1_Timer();
    QCOMPARE(watcher.shownAt, QList<QRect>({QRect(40, 30, 720, 540), QRect(250, 200, 300, 200)}));
}

void TestShow::highDensityScreenGetsItsDevicePixels_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("decoded");
    QTest::addColumn<QRect>("placed");
    const QRect reduced(40, 30, 720, 540);
    QTest::newRow("ratio 2, reduced") << 2.0 << QSize(2000, 1500) << QSize(1440, 1080) << reduced;
    QTest::newRow("ratio 1.5, reduced") << 1.5 << QSize(2000, 1500) << QSize(1080, 810) << reduced;
    // One picture pixel to one device pixel: half as many logical pixels.
    QTest::newRow("ratio 2, its own size")
        << 2.0 << QSize(960, 720) << QSize(960, 720) << QRect(160, 120, 480, 360);
}

void TestShow::highDensityScreenGetsItsDevicePixels()
{
    QFETCH(qreal, ratio);
    QFETCH(QSize, picture);
    QFETCH(QSize, decoded);
    QFETCH(QRect, placed);
    DisplayFixture f(1, picture);
    f.window->setScreenTwips(QSizeF(12000, 9000), ratio);
    f.standardShow(3);
    QCOMPARE(f.window->imgMain->geometry(), placed);
    QCOMPARE(f.window->imgMain->pixmap().size(), decoded);
}

void TestShow::failuresFollowTheirTable_data()
{
    QTest::addColumn<QString>("broken");
    QTest::addColumn<int>("injected");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<bool>("pictureShown");
    QTest::newRow("53 file not found: black, silent") << "missing" << 0 << "" << 0 << true << false;
    QTest::newRow("76 path not found: message, window unloaded")
        << "folder" << 0 << "Can't find that file/path.  Exiting to main menu." << 48 << false << false;
    QTest::newRow("71 disk not ready: message, window unloaded")
        << "" << 71 << "There is a problem accessing the specified disk.  Exiting back to main menu." << 48
        << false << false;
    QTest::newRow("481 not a picture: the last picture again") << "garbage" << 0 << "" << 0 << true << true;
    QTest::newRow("other failure: its number and description, then go on")
        << "" << 70 << "Error: 70: Permission denied" << 0 << true << true;
}

void TestShow::failuresFollowTheirTable()
{
    QFETCH(QString, broken);
    QFETCH(int, injected);
    QFETCH(QString, message);
    QFETCH(int, style);
    QFETCH(bool, loaded);
    QFETCH(bool, pictureShown);
    DisplayFixture f(2);
    QString target = f.path(2);
    if (broken == "missing")
        QFile::remove(target);
    else if (broken == "folder") {
        f.state.MainImages.Remove(2);
        target = f.dir.filePath("gone/img.jpg");
        f.state.MainImages.Add(target);
    } else if (broken == "garbage")
        testsupport::writeBytes(target, "not a picture");
    if (injected)
        f.loader.failures.insert(target, injected);
    if (!message.isEmpty())
        f.dialogs.answerMessage(platform::mb::Ok);
    f.standardShow(0);
    const QRect firstPlace = f.window->imgMain->geometry();
    f.window->tim1_Timer();
    QCOMPARE(f.dialogs.messageTexts(), message.isEmpty() ? QStringList() : QStringList({message}));
    if (!message.isEmpty()) {
        QCOMPARE(f.dialogs.asked().first().style, style);
        QCOMPARE(f.dialogs.asked().first().title, QStringLiteral("Lumarine"));
    }
    QCOMPARE(f.window->isLoaded(), loaded);
    QCOMPARE(f.unloads, loaded ? 0 : 1);
    if (loaded) {
        QCOMPARE(f.window->imgMain->isVisible(), pictureShown);
        // The tooltip names the path that failed.
        QCOMPARE(f.window->imgMain->toolTip(), target);
    }
    if (pictureShown)
        QCOMPARE(f.window->imgMain->geometry(), firstPlace);
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestShow::positionOutsideAHiddenWindowShowsNothing()
{
    DisplayFixture f(2);
    f.window->Load();
    f.window->SetCurrent(f.state.MainImages);
    // Not shown yet: a position past the end says nothing.
    f.window->DisplayImage(9);
    QVERIFY(f.dialogs.asked().isEmpty());
    QVERIFY(f.window->isLoaded());
}

void TestShow::missingImageLeavesTheScreenBlackForOneDelay()
{
    DisplayFixture f(3);
    QFile::remove(f.path(2));
    f.standardShow(2);
    QCOMPARE(positionsOverTicks(f, 2), QList<int>({1, 2}));
    QVERIFY(!f.window->imgMain->isVisible());
    QVERIFY(f.window->isVisible());
    positionsOverTicks(f, 2);
    QCOMPARE(shownPosition(f), 3);
    QVERIFY(f.window->imgMain->isVisible());
}

void TestShow::imageDeletedAfterItsDecodeBeganIsNotShown()
{
    DisplayFixture f(2);
    f.standardShow(0);
    // The second picture's decode began when the first was shown.
    QFile::remove(f.path(2));
    f.window->tim1_Timer();
    QCOMPARE(f.window->imgMain->toolTip(), f.path(2));
    QVERIFY(!f.window->imgMain->isVisible());
}

void TestShow::nextPictureIsDecodedOnceAheadOfItsTick()
{
    DisplayFixture f(9);
    f.standardShow(0);
    for (int tick = 0; tick < 6; ++tick)
        f.window->tim1_Timer();
    QCOMPARE(shownPosition(f), 7);
    // Each picture shown was decoded once: by the decode begun a tick
    // earlier, not again when its tick came.
    for (int position = 1; position <= 7; ++position)
        QCOMPARE(f.loader.loadsOf(f.path(position)), 1);
}

void TestShow::listEmptiedDuringTheShowEndsItWithoutACrash()
{
    DisplayFixture f(2);
    f.standardShow(0);
    f.state.MainImages.Clear();
    f.dialogs.answerMessage(platform::mb::Ok);
    f.window->tim1_Timer();
    QCOMPARE(f.dialogs.messageTexts(), QStringList({"No images to display!"}));
    QCOMPARE(f.dialogs.asked().first().style, 64);
    // Hidden, not unloaded; the timer stops and the favourites box is rebuilt.
    QVERIFY(!f.window->isVisible());
    QVERIFY(f.window->isLoaded());
    QVERIFY(!f.window->tim1->isActive());
    QCOMPARE(f.unloads, 1);
    f.window->tim1_Timer();
    QCOMPARE(f.dialogs.asked().size(), 1);
}

void TestShow::closingRebuildsTheFavoritesAndKeepsTheDelay()
{
    DisplayFixture f(3);
    f.standardShow(4);
    QTest::keyClick(f.window.get(), Qt::Key_Escape);
    QVERIFY(!f.window->isLoaded());
    QVERIFY(!f.window->isVisible());
    QVERIFY(!f.window->tim1->isActive());
    QCOMPARE(f.unloads, 1);
    // A show of the favourites does not set the delay: the last one holds.
    f.state.Favorites.Add(f.path(3));
    f.window->Load();
    f.window->setSingle(false);
    f.window->SetStandard();
    f.window->SetCurrent(f.state.Favorites);
    f.window->Start();
    QCOMPARE(f.window->mintDelay(), 4);
    QCOMPARE(f.window->imgMain->toolTip(), f.path(3));
    QCOMPARE(f.window->lblStatus->text(), QStringLiteral("Faves"));
}

void TestShow::thumbnailSettingOpensOnlyAPreviewInThumbnails_data()
{
    QTest::addColumn<bool>("preview");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<display::DisplayMode>("mode");
    QTest::newRow("standard show: a full picture") << false << "Thumbs" << display::DisplayMode::Standard;
    QTest::newRow("preview: thumbnails") << true << "Full" << display::DisplayMode::PreviewThumbs;
}

void TestShow::thumbnailSettingOpensOnlyAPreviewInThumbnails()
{
    QFETCH(bool, preview);
    QFETCH(QString, caption);
    QFETCH(display::DisplayMode, mode);
    DisplayFixture f(3);
    f.state.ThumbPreview = true;
    if (preview)
        f.preview();
    else
        f.standardShow(3);
    QCOMPARE(f.window->cmdControl[6]->text(), caption);
    QCOMPARE(f.window->mode(), mode);
    QCOMPARE(f.window->imgMain->isVisible(), mode == display::DisplayMode::Standard);
}

#include "tst_show.moc"

LUMARINE_REGISTER_TEST(TestShow)
