#include "catalogue/imagelistmodel.h"
#include "fixtures.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

using catalogue::ImageCollection, testsupport::errorOf, testsupport::itemsOf;

class TestImageCollection : public QObject {
    Q_OBJECT

private slots:
    // Keys fold case, also of letters beyond ASCII and outside the Basic
    // Multilingual Plane (Deseret capital and small long I); a missing key or
    // position fails with 5, a repeated key with 457.
    void keysCompareWithoutCase()
    {
        ImageCollection images = testsupport::listOf({"/p/A.jpg", "/p/Ärger.jpg", "/p/\U00010400.jpg"});
        const std::function<void()> failing[] = {
            [&] { images.Add("/P/a.JPG"); },     [&] { images.Add("/p/ärger.jpg"); },
            [&] { images.Item(qsizetype(0)); },  [&] { images.Item(qsizetype(4)); },
            [&] { images.Item("/c.jpg"); },      [&] { images.Remove("/c.jpg"); },
            [&] { images.Remove(qsizetype(4)); }};
        QList<int> numbers;
        for (const auto& action : failing)
            numbers << errorOf(action);
        QCOMPARE(numbers, (QList<int>{457, 457, 5, 5, 5, 5, 5}));
        QCOMPARE(images.Count(), 3);
        QVERIFY(images.Contains("/p/\U00010428.jpg"));
        QCOMPARE(images.Item("/P/A.JPG"), QStringLiteral("/p/A.jpg"));
    }

    void orderSurvivesRemovals()
    {
        ImageCollection images;
        // Its list box's model follows every change by row, with no copy.
        catalogue::ImageListModel box(images);
        QAbstractItemModelTester tester(&box);
        QSignalSpy removed(&box, &QAbstractItemModel::rowsRemoved);
        for (const char* path : {"/1.jpg", "/2.jpg", "/3.jpg", "/4.jpg"})
            images.Add(path);
        images.Remove("/2.JPG");
        QCOMPARE(removed.takeFirst().mid(1), (QVariantList{1, 1}));
        images.Remove(qsizetype(1));
        images.Add("/5.jpg");
        images.Add("/2.jpg");
        QCOMPARE(itemsOf(images), (QStringList{"/3.jpg", "/4.jpg", "/5.jpg", "/2.jpg"}));
        QCOMPARE(QList<qsizetype>({images.PositionOf("/5.JPG"), images.PositionOf("/1.jpg")}),
                 (QList<qsizetype>{3, 0}));
        QCOMPARE(testsupport::rowsOf(box), itemsOf(images));
        {
            // A copy has its own index: what each adds or removes next is its own.
            ImageCollection copy = images;
            copy.Add("/6.jpg");
            images.Remove("/3.jpg");
            QCOMPARE(itemsOf(copy), (QStringList{"/3.jpg", "/4.jpg", "/5.jpg", "/2.jpg", "/6.jpg"}));
            copy = images;
            QVERIFY(!copy.Contains("/3.jpg") && !copy.Contains("/6.jpg"));
            images.Add("/3.jpg");
        }
        {
            // A batch's paths become rows in one insertion when it ends; one
            // removed before that never was a row.
            QSignalSpy inserted(&box, &QAbstractItemModel::rowsInserted);
            QSignalSpy removedInBatch(&box, &QAbstractItemModel::rowsRemoved);
            const ImageCollection::Batch batch(images);
            for (const char* path : {"/6.jpg", "/7.jpg", "/8.jpg"})
                images.Add(path);
            images.Remove("/7.jpg");
            images.Remove("/3.jpg");
            QCOMPARE(box.rowCount(), 3);
            QVERIFY(inserted.isEmpty());
            QCOMPARE(removedInBatch.count(), 1);
        }
        QCOMPARE(testsupport::rowsOf(box), itemsOf(images));
        images.Clear();
        QCOMPARE(box.rowCount(), 0);
        QVERIFY(images.isEmpty() && !images.Contains("/4.jpg"));
    }

    // Thousands of paths: the index grows, and removals from within its runs
    // of full slots leave every other path where a look-up finds it.
    void manyPathsStayFound()
    {
        ImageCollection images;
        QStringList paths;
        for (int i = 0; i < 3000; ++i)
            images.Add(paths.emplace_back(QStringLiteral("/p/%1.jpg").arg(i)));
        for (qsizetype i = paths.size() - 1; i >= 0; i -= 3)
            images.Remove(paths.takeAt(i).toUpper());
        QList<qsizetype> positions, expected;
        for (const QString& path : paths) {
            positions << images.PositionOf(path);
            expected << positions.size();
        }
        QCOMPARE(positions, expected);
        QVERIFY(!images.Contains("/p/2999.jpg") && images.Contains("/p/2998.jpg"));
    }
};

LUMARINE_REGISTER_TEST(TestImageCollection)
#include "tst_imagecollection.moc"
