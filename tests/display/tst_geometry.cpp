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
        QTest::addColumn<QRectF>("placed");
        // All on a 12000 x 9000 screen.
        QTest::newRow("worked example: height first, width then left over 90 %")
            << QSizeF(14000, 10000) << QRectF(330, 450, 11340, 8100);
        QTest::newRow("smaller than the screen: own size, centred")
            << QSizeF(3000, 2000) << QRectF(4500, 3500, 3000, 2000);
        QTest::newRow("20 % taller, half as wide") << QSizeF(6000, 10800) << QRectF(3750, 450, 4500, 8100);
        QTest::newRow("only wider: 90 % of the width")
            << QSizeF(30000, 6000) << QRectF(600, 3420, 10800, 2160);
        QTest::newRow("taller and still wider after the first step")
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

    void gridFollowsTheSizeSetting_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<int>("pageSize");
        QTest::addColumn<QSize>("cell");
        QTest::addColumn<QPointF>("lastSlot");
        QTest::newRow("SMALL") << "Small" << 30 << QSize(1385, 1038) << QPointF(10375, 6972);
        QTest::newRow("small in lower case") << "small" << 30 << QSize(1385, 1038) << QPointF(10375, 6972);
        QTest::newRow("MEDIUM") << "MEDIUM" << 16 << QSize(2197, 1647) << QPointF(9561, 7281);
        QTest::newRow("LARGE") << "Large" << 9 << QSize(3010, 2257) << QPointF(8750, 6374);
        QTest::newRow("unknown size gives SMALL")
            << "Huge" << 30 << QSize(1385, 1038) << QPointF(10375, 6972);
        QTest::newRow("empty size gives SMALL") << "" << 30 << QSize(1385, 1038) << QPointF(10375, 6972);
    }
    void gridFollowsTheSizeSetting()
    {
        QFETCH(QString, size);
        QFETCH(int, pageSize);
        QFETCH(QSize, cell);
        QFETCH(QPointF, lastSlot);
        const ThumbGrid grid = TNLayout(QSizeF(12000, 9000), size);
        QCOMPARE(grid.area, 9750);
        QCOMPARE(grid.pageSize(), pageSize);
        QCOMPARE(grid.positions.size(), pageSize);
        QCOMPARE(QSize(grid.cellWidth, grid.cellHeight), cell);
        QCOMPARE(grid.positions.first(), QPointF(2250, 900));
        QCOMPARE(grid.positions.last(), lastSlot);
    }

    void thumbnailPageLiesOnScreenWithoutOverlap_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QString>("size");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        const QList<std::pair<const char*, QSize>> screens{
            {"16:9", {1920, 1080}}, {"16:9 small", {1366, 768}}, {"16:10", {1920, 1200}}, {"4:3", {800, 600}},
            {"5:4", {1280, 1024}},  {"portrait", {1080, 1920}},  {"21:9", {2560, 1080}}};
        const QList<std::tuple<QString, int, int>> sizes{{"Small", 6, 5}, {"Medium", 4, 4}, {"Large", 3, 3}};
        for (const auto& [shape, screen] : screens)
            for (const auto& [size, columns, rows] : sizes)
                QTest::addRow("%s %s", shape, qPrintable(size)) << screen << size << columns << rows;
    }
    void thumbnailPageLiesOnScreenWithoutOverlap()
    {
        QFETCH(QSize, screen);
        QFETCH(QString, size);
        QFETCH(int, columns);
        QFETCH(int, rows);
        const QRectF onScreen(QPointF(), twips::fromPixels(QSizeF(screen)));
        const ThumbGrid grid = TNLayout(onScreen.size(), size);
        QCOMPARE(grid.columns, columns);
        QCOMPARE(grid.rows, rows);
        QCOMPARE(grid.positions.size(), columns * rows);
        QVERIFY(grid.cellWidth > 0 && grid.cellHeight > 0);
        // What a slot covers: its cell and the thumbnails of common shapes in it.
        QList<QRectF> covered;
        for (const QPointF& slot : grid.positions) {
            QRectF area(slot, QSizeF(grid.cellWidth, grid.cellHeight));
            for (const QSizeF picture : {QSizeF(4000, 3000), QSizeF(1600, 900), QSizeF(1000, 1000),
                                         QSizeF(3000, 4000), QSizeF(900, 1600)})
                area |= QRectF(slot, FitThumbnail(picture, grid.cellWidth, grid.cellHeight));
            QVERIFY2(onScreen.contains(area),
                     qPrintable(QStringLiteral("slot %1 off screen").arg(covered.size() + 1)));
            for (const QRectF& other : covered)
                QVERIFY2(!area.intersects(other),
                         qPrintable(QStringLiteral("slot %1 overlaps").arg(covered.size() + 1)));
            covered << area;
        }
    }

    void ownSizeIsOneDevicePixelPerPicturePixel_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QSize>("screen"); // device pixels
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("shown"); // device pixels
        QTest::newRow("ratio 1, 90 % of the height")
            << 1.0 << QSize(1920, 1080) << QSize(1900, 1200) << QSize(1539, 972);
        QTest::newRow("ratio 1.5, 90 % of the height")
            << 1.5 << QSize(1920, 1080) << QSize(1900, 1200) << QSize(1539, 972);
        QTest::newRow("ratio 2, its own size")
            << 2.0 << QSize(3840, 2160) << QSize(1900, 1200) << QSize(1900, 1200);
        QTest::newRow("ratio 2, 90 % of the height")
            << 2.0 << QSize(3840, 2160) << QSize(4000, 3000) << QSize(2592, 1944);
    }
    void ownSizeIsOneDevicePixelPerPicturePixel()
    {
        QFETCH(qreal, ratio);
        QFETCH(QSize, screen);
        QFETCH(QSize, picture);
        QFETCH(QSize, shown);
        const QSizeF screenTwips = twips::fromPixels(QSizeF(screen) / ratio);
        QCOMPARE(DevicePixels(FitToScreen(OwnSizeTwips(picture, ratio), screenTwips), ratio), shown);
    }

    void thumbnailKeepsItsProportions_data()
    {
        QTest::addColumn<QSizeF>("picture");
        QTest::addColumn<QSizeF>("shown");
        QTest::newRow("portrait takes the height") << QSizeF(3000, 6000) << QSizeF(519, 1038);
        QTest::newRow("landscape takes the width") << QSizeF(6000, 3000) << QSizeF(1385, 692.5);
        QTest::newRow("squarer than the cell takes its height") << QSizeF(5000, 5000) << QSizeF(1038, 1038);
    }
    void thumbnailKeepsItsProportions()
    {
        QFETCH(QSizeF, picture);
        QFETCH(QSizeF, shown);
        QCOMPARE(FitThumbnail(picture, 1385, 1038), shown);
    }

    void generatorStartsFromItsFixedState()
    {
        // The classic generator's well-known first values.
        ClassicRandom random;
        QCOMPARE(float(random.next()), 0.7055475f);
        QCOMPARE(float(random.next()), 0.5334240f);
        QCOMPARE(float(random.next()), 0.5795186f);
    }

    void randomPositionsStayWithinTheList()
    {
        // The largest value the generator can give must still fall inside.
        const double largest = 16777215.0 / 16777216.0;
        for (int count : {1, 2, 3, 7, 32767, 100000})
            QCOMPARE(ClassicRandom::positionFor(largest, count), count);
        QCOMPARE(ClassicRandom::positionFor(0.0, 5), 1);
    }
};

#include "tst_geometry.moc"

LUMARINE_REGISTER_TEST(TestGeometry)
