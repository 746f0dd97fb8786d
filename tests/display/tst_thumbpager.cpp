#include "displayfixture.h"
#include "support/testmain.h"

#include "display/thumbpager.h"
#include "platform/apperror.h"

#include <QTest>

using testsupport::DisplayFixture;

class TestThumbPager : public QObject {
    Q_OBJECT

private slots:
    void pageRecordsWhatEachThumbnailShows_data();
    void pageRecordsWhatEachThumbnailShows();
};

void TestThumbPager::pageRecordsWhatEachThumbnailShows_data()
{
    QTest::addColumn<int>("injected");
    QTest::addColumn<QSize>("drawn"); // in pixels; the SMALL cell for a marked one
    QTest::addColumn<bool>("recorded");
    QTest::newRow("a picture") << 0 << QSize(92, 69) << true;
    QTest::newRow("missing: marked") << 53 << QSize(92, 69) << true;
    QTest::newRow("not a picture: marked") << 481 << QSize(92, 69) << true;
    QTest::newRow("other failure: thrown") << 70 << QSize() << false;
}

void TestThumbPager::pageRecordsWhatEachThumbnailShows()
{
    QFETCH(int, injected);
    QFETCH(QSize, drawn);
    QFETCH(bool, recorded);
    DisplayFixture f(3, QSize(1200, 900));
    if (injected)
        f.loader.failures.insert(f.path(2), injected);
    display::PictureJobs jobs(f.loader);
    display::ThumbPager pager(jobs, f.loader);
    pager.layOut(QSizeF(12000, 9000), "small", 1.0);
    const int page = pager.begin(&f.state.MainImages, 1);
    pager.take(1, f.path(1));
    try {
        QCOMPARE(pager.take(2, f.path(2)).image.size(), drawn);
    } catch (const platform::AppError& error) {
        QCOMPARE(error.number(), injected);
    }
    QCOMPARE(pager.entries().size(), recorded ? 2 : 1);
    pager.select(int(pager.entries().size()) - 1);
    QCOMPARE(pager.mintSelected, recorded ? 2 : 1);
    QVERIFY(!pager.superseded(page));
    pager.clear();
    QVERIFY(pager.entries().isEmpty());
    QVERIFY(pager.superseded(page));
}

#include "tst_thumbpager.moc"

LUMARINE_REGISTER_TEST(TestThumbPager)
