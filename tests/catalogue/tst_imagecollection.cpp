#include "catalogue/imagecollection.h"
#include "catalogue/imagelistmodel.h"
#include "fixtures.h"
#include "platform/apperror.h"
#include "support/failingfilesystem.h"
#include "support/modelrows.h"
#include "support/testmain.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using catalogue::ImageCollection;
using testsupport::errorOf;
using testsupport::itemsOf;

class TestImageCollection : public QObject {
    Q_OBJECT

private slots:
    void keysCompareWithoutCase()
    {
        ImageCollection images;
        images.Add("/p/A.jpg");
        QCOMPARE(errorOf([&] { images.Add("/P/a.JPG"); }), 457);
        QCOMPARE(images.Count(), 1);
        QVERIFY(images.Contains("/p/a.jpg"));
        QCOMPARE(images.Item("/P/A.JPG"), QStringLiteral("/p/A.jpg"));
        // Non-ASCII letters fold too.
        images.Add(QString::fromUtf8("/p/Ärger.jpg"));
        QCOMPARE(errorOf([&] { images.Add(QString::fromUtf8("/p/ärger.jpg")); }), 457);
        // So do letters outside the Basic Multilingual Plane (Deseret capital
        // and small long I), each two UTF-16 units.
        images.Add(QString::fromUtf8("/p/\U00010400.jpg"));
        QVERIFY(images.Contains(QString::fromUtf8("/p/\U00010428.jpg")));
    }

    void missingKeyOrPositionFailsWithFive()
    {
        ImageCollection images = testsupport::listOf({"/a.jpg", "/b.jpg"});
        const std::function<void()> actions[] = {
            [&] { images.Item(qsizetype(0)); }, [&] { images.Item(qsizetype(3)); },
            [&] { images.Item("/c.jpg"); }, [&] { images.Remove("/c.jpg"); },
            [&] { images.Remove(qsizetype(3)); }};
        for (const auto& action : actions)
            QCOMPARE(errorOf(action), 5);
        QCOMPARE(images.Count(), 2);
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
        QCOMPARE(images.Item(qsizetype(4)), QStringLiteral("/2.jpg"));
        QCOMPARE(images.PositionOf("/5.JPG"), 3);
        QCOMPARE(images.PositionOf("/1.jpg"), 0);
        QCOMPARE(testsupport::rowsOf(box), itemsOf(images));
        {
            // A copy shares the text written so far; what each adds next is its own.
            catalogue::ImageCollection copy = images;
            copy.Add("/6.jpg");
            images.Add("/7.jpg");
            QCOMPARE(copy.Item(qsizetype(5)), QStringLiteral("/6.jpg"));
            QVERIFY(!copy.Contains("/7.jpg"));
            images.Remove("/7.jpg");
        }
        {
            // A batch's paths become rows in one insertion when it ends; one
            // removed before that never was a row.
            QSignalSpy inserted(&box, &QAbstractItemModel::rowsInserted);
            QSignalSpy removedInBatch(&box, &QAbstractItemModel::rowsRemoved);
            const catalogue::ImageCollection::Batch batch(images);
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
        QVERIFY(images.isEmpty());
        QVERIFY(!images.Contains("/3.jpg"));
    }

    void copyHasItsOwnIndex()
    {
        ImageCollection images;
        images.Add("/a.jpg");
        ImageCollection copy(images);
        images.Remove("/a.jpg");
        QVERIFY(copy.Contains("/A.jpg"));
        copy = images;
        QVERIFY(!copy.Contains("/a.jpg"));
        copy.Add("/a.jpg");
        QCOMPARE(copy.Count(), 1);
    }

    void holdsMoreThanSixteenBitPositions()
    {
        constexpr int Many = 40000;
        ImageCollection images;
        for (int i = 1; i <= Many; ++i)
            images.Add(QStringLiteral("/p/Img_%1.jpg").arg(i));
        QCOMPARE(images.Count(), Many);
        QCOMPARE(images.Item(qsizetype(Many)), QStringLiteral("/p/Img_40000.jpg"));
        QCOMPARE(images.PositionOf("/P/IMG_32768.JPG"), 32768);
        QCOMPARE(errorOf([&] { images.Add("/p/img_39999.jpg"); }), 457);
        QVERIFY(!images.AddIfAbsent("/p/IMG_1.jpg"));
        images.Remove("/p/img_2.jpg");
        QCOMPARE(images.PositionOf("/p/Img_40000.jpg"), Many - 1);
        QVERIFY(!images.Contains("/p/Img_2.jpg"));
        QVERIFY(images.AddIfAbsent("/p/Img_2.jpg"));
        QCOMPARE(images.Item(qsizetype(Many)), QStringLiteral("/p/Img_2.jpg"));
    }
};

LUMARINE_REGISTER_TEST(TestImageCollection)
#include "tst_imagecollection.moc"
