#include "display/classicrandom.h"
#include "display/geometry.h"
#include "platform/twips.h"
#include "support/testmain.h"

#include <QTest>

using namespace display;

class TestGeometry : public QObject {
    Q_OBJECT

private slots:
    void pictureFitsTheScreen_data()
    {
        QTest::addColumn<QSizeF>("picture");
        QTest::addColumn<QRectF>("placed"); // on a 12000 x 9000 screen
        QTest::newRow("height first, width then left over 90 %")
            << QSizeF(14000, 10000) << QRectF(330, 450, 11340, 8100);
        QTest::newRow("smaller: own size, centred") << QSizeF(3000, 2000) << QRectF(4500, 3500, 3000, 2000);
        QTest::newRow("only taller") << QSizeF(6000, 10800) << QRectF(3750, 450, 4500, 8100);
        QTest::newRow("only wider") << QSizeF(30000, 6000) << QRectF(600, 3420, 10800, 2160);
        QTest::newRow("still wider after the height")
            << QSizeF(36000, 18000) << QRectF(600, 1800, 10800, 5400);
        QTest::newRow("exactly the screen") << QSizeF(12000, 9000) << QRectF(0, 0, 12000, 9000);
    }
    void pictureFitsTheScreen()
    {
        QFETCH(QSizeF, picture);
        QFETCH(QRectF, placed);
        const QSizeF screen(12000, 9000);
        const QSizeF shown = FitToScreen(picture, screen);
        QCOMPARE(QRectF(CentreOnScreen(shown, screen), shown), placed);
    }

    // Every slot, and the thumbnails of common shapes in it, lies on screen
    // clear of the others; on 800 x 600 pixels the last slot is known.
    void thumbnailPageLiesOnScreenWithoutOverlap_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QString>("size");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QPointF>("lastSlot");
        const QList<std::pair<const char*, QSize>> screens{
            {"16:9", {1920, 1080}}, {"16:9 small", {1366, 768}}, {"16:10", {1920, 1200}}, {"4:3", {800, 600}},
            {"5:4", {1280, 1024}},  {"portrait", {1080, 1920}},  {"21:9", {2560, 1080}}};
        const QList<std::tuple<QString, int, int, QPointF>> sizes{{"Small", 6, 5, {10375, 6972}},
                                                                  {"MEDIUM", 4, 4, {9561, 7281}},
                                                                  {"large", 3, 3, {8750, 6374}},
                                                                  {"unknown", 6, 5, {10375, 6972}}};
        for (const auto& [shape, screen] : screens)
            for (const auto& [size, columns, rows, last] : sizes)
                QTest::addRow("%s %s", shape, qPrintable(size)) << screen << size << columns << rows << last;
    }
    void thumbnailPageLiesOnScreenWithoutOverlap()
    {
        QFETCH(QSize, screen);
        QFETCH(QString, size);
        QFETCH(int, columns);
        QFETCH(int, rows);
        QFETCH(QPointF, lastSlot);
        const QRectF onScreen(QPointF(), twips::fromPixels(QSizeF(screen)));
        const ThumbGrid grid = TNLayout(onScreen.size(), size);
        QCOMPARE(QList<qsizetype>({grid.columns, grid.rows, grid.positions.size()}),
                 QList<qsizetype>({columns, rows, columns * rows}));
        QVERIFY(grid.cellWidth > 0 && grid.cellHeight > 0);
        QCOMPARE(grid.positions.first(), QPointF(2250, 900));
        if (screen == QSize(800, 600))
            QCOMPARE(grid.positions.last(), lastSlot);
        QList<QRectF> covered;
        for (const QPointF& slot : grid.positions) {
            QRectF area(slot, QSizeF(grid.cellWidth, grid.cellHeight));
            for (const QSizeF picture : {QSizeF(4000, 3000), QSizeF(1600, 900), QSizeF(1000, 1000),
                                         QSizeF(3000, 4000), QSizeF(900, 1600)})
                area |= QRectF(slot, FitThumbnail(picture, grid.cellWidth, grid.cellHeight));
            QVERIFY2(onScreen.contains(area), qPrintable(QString("slot %1 off screen").arg(covered.size())));
            for (const QRectF& other : covered)
                QVERIFY2(!area.intersects(other),
                         qPrintable(QString("slot %1 overlaps").arg(covered.size())));
            covered << area;
        }
    }

    void classicGeneratorStartsFromItsFixedStateAndStaysInTheList()
    {
        ClassicRandom random;
        QCOMPARE(QList<float>({float(random.next()), float(random.next()), float(random.next())}),
                 QList<float>({0.7055475f, 0.5334240f, 0.5795186f}));
        // The largest value the generator can give must still fall inside.
        for (int count : {1, 7, 100000})
            QCOMPARE(ClassicRandom::positionFor(16777215.0 / 16777216.0, count), count);
        QCOMPARE(ClassicRandom::positionFor(0.0, 5), 1);
    }
};

#include "tst_geometry.moc"

LUMARINE_REGISTER_TEST(TestGeometry)
