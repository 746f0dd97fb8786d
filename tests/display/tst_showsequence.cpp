#include "support/testmain.h"

#include "catalogue/imagecollection.h"
#include "display/showsequence.h"
#include "platform/picture.h"

#include <QTest>

using display::ShowSequence;

namespace {

struct Sequence {
    explicit Sequence(int count)
    {
        for (int i = 1; i <= count; ++i)
            list.Add(QStringLiteral("/pictures/%1.jpg").arg(i));
        show.setList(list);
        show.start();
    }
    catalogue::ImageCollection list;
    platform::FilePictureLoader loader;
    display::PictureJobs jobs{loader};
    ShowSequence show{jobs};
};

} // namespace

class TestShowSequence : public QObject {
    Q_OBJECT

private slots:
    void ticksChangeThePictureAfterTheDelay_data();
    void ticksChangeThePictureAfterTheDelay();
    void stepsWrapAroundTheList_data();
    void stepsWrapAroundTheList();
};

void TestShowSequence::ticksChangeThePictureAfterTheDelay_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("delay");
    QTest::addColumn<int>("leftOver");
    QTest::addColumn<bool>("random");
    QTest::addColumn<QString>("pauses");       // W pressed before the tick at each 'w'
    QTest::addColumn<QList<int>>("positions"); // 0 for a tick that changes nothing
    QTest::newRow("0: every tick, past the end to the first")
        << 5 << 0 << 0 << false << "" << QList<int>{2, 3, 4, 5, 1, 2};
    QTest::newRow("1: every tick") << 5 << 1 << 0 << false << "" << QList<int>{2, 3, 4, 5, 1, 2};
    QTest::newRow("5: every fifth tick") << 5 << 5 << 0 << false << "" << QList<int>{0, 0, 0, 0, 2, 0};
    // W leaves the count one short of the delay; the next show starts afresh.
    QTest::newRow("5 after a show that left 4 ticks")
        << 5 << 5 << 4 << false << "" << QList<int>{0, 0, 0, 0, 2, 0};
    QTest::newRow("paused holds; resumed, the first tick changes")
        << 4 << 3 << 0 << false << "w...w" << QList<int>{0, 0, 0, 0, 2, 0};
    QTest::newRow("one picture: always the first") << 1 << 0 << 0 << true << "" << QList<int>{1, 1, 1};
    // The generator's own sequence from its fixed state, the same every run.
    QList<int> drawn;
    display::ClassicRandom generator;
    for (int i = 0; i < 40; ++i)
        drawn << display::ClassicRandom::positionFor(generator.next(), 7);
    QTest::newRow("random") << 7 << 0 << 0 << true << "" << drawn;
}

void TestShowSequence::ticksChangeThePictureAfterTheDelay()
{
    QFETCH(int, count);
    QFETCH(int, delay);
    QFETCH(int, leftOver);
    QFETCH(bool, random);
    QFETCH(QString, pauses);
    QFETCH(QList<int>, positions);
    Sequence s(count);
    s.show.mintDelay = delay;
    s.show.mintDelayCurrent = leftOver;
    s.show.start();
    QList<int> shown;
    for (int tick = 0; tick < positions.size(); ++tick) {
        if (tick < pauses.size() && pauses.at(tick) == u'w')
            s.show.togglePause();
        shown << (s.show.tick(random) ? s.show.mintIndex : 0);
        // The window draws the next random position a tick early.
        s.show.decodeAhead(random, [](QSize own) { return own; });
    }
    QCOMPARE(shown, positions);
}

void TestShowSequence::stepsWrapAroundTheList_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("pageSize"); // 0 in the full view
    QTest::addColumn<bool>("forward");
    QTest::addColumn<int>("to");
    QTest::newRow("next") << 4 << 2 << 0 << true << 3;
    QTest::newRow("next at the last: the first") << 4 << 4 << 0 << true << 1;
    QTest::newRow("previous") << 4 << 3 << 0 << false << 2;
    QTest::newRow("previous at the first: the last") << 4 << 1 << 0 << false << 4;
    QTest::newRow("one picture stays") << 1 << 1 << 0 << false << 1;
    // In the page view the position already names the picture after the page.
    QTest::newRow("next page") << 61 << 31 << 30 << true << 31;
    QTest::newRow("next page after the last: the first") << 31 << 32 << 30 << true << 1;
    QTest::newRow("previous page: back past the page shown") << 61 << 61 << 30 << false << 1;
    QTest::newRow("previous before the first: the count less a page") << 40 << 31 << 30 << false << 10;
    QTest::newRow("previous on a list shorter than a page: the first") << 10 << 11 << 30 << false << 1;
}

void TestShowSequence::stepsWrapAroundTheList()
{
    QFETCH(int, count);
    QFETCH(int, from);
    QFETCH(int, pageSize);
    QFETCH(bool, forward);
    QFETCH(int, to);
    Sequence s(count);
    s.show.mintIndex = from;
    if (forward)
        s.show.next(pageSize != 0);
    else
        s.show.previous(pageSize != 0, pageSize);
    QCOMPARE(s.show.mintIndex, to);
}

#include "tst_showsequence.moc"

LUMARINE_REGISTER_TEST(TestShowSequence)
