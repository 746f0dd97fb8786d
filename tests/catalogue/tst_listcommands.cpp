#include "catalogue/imagecollection.h"
#include "catalogue/listcommands.h"
#include "fixtures.h"
#include "platform/basui.h"
#include "support/testmain.h"

#include "catalogue/imagelistmodel.h"
#include "support/modelrows.h"

#include <QAbstractItemModelTester>
#include <QTest>

using catalogue::ImageCollection;
using platform::mb::No;
using platform::mb::Ok;
using platform::mb::Yes;
using testsupport::CatalogueFixture;

namespace {

QStringList itemsOf(const ImageCollection& images)
{
    return QStringList(images.begin(), images.end());
}

const QString Duplicate = QStringLiteral(
    "You are attempting to add a duplicate record to the favorites list.  Lumarine will remove this.");

} // namespace

class TestListCommands : public QObject {
    Q_OBJECT

private slots:
    void addAllTakesTheMainListAndSkipsFavorites_data();
    void addAllTakesTheMainListAndSkipsFavorites();
    void clearFavoritesAsksFirst_data();
    void clearFavoritesAsksFirst();
};

void TestListCommands::addAllTakesTheMainListAndSkipsFavorites_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("duplicates");
    QTest::addColumn<QStringList>("favorites");
    QTest::addColumn<qint64>("step"); // the pacer's: 50 lets events run after every line
    QTest::newRow("empty list") << int(Yes) << QStringList{} << 0 << QStringList{"/f.jpg"} << qint64(0);
    QTest::newRow("answered no") << int(No) << QStringList{"/a.jpg"} << 0 << QStringList{"/f.jpg"}
                                 << qint64(0);
    QTest::newRow("new lines appended in order") << int(Yes) << QStringList{"/c.jpg", "/a.jpg"} << 0
                                                 << QStringList{"/f.jpg", "/c.jpg", "/a.jpg"} << qint64(0);
    QTest::newRow("a favourite in other letter case")
        << int(Yes) << QStringList{"/a.jpg", "/F.JPG", "/b.jpg"} << 1
        << QStringList{"/f.jpg", "/a.jpg", "/b.jpg"} << qint64(0);
    QTest::newRow("paced") << int(Yes) << QStringList{"/a.jpg", "/F.JPG", "/b.jpg"} << 1
                           << QStringList{"/f.jpg", "/a.jpg", "/b.jpg"} << qint64(50);
}

void TestListCommands::addAllTakesTheMainListAndSkipsFavorites()
{
    QFETCH(int, answer);
    QFETCH(QStringList, lines);
    QFETCH(int, duplicates);
    QFETCH(QStringList, favorites);
    QFETCH(qint64, step);
    CatalogueFixture fixture(step);
    const ImageCollection images = testsupport::listOf(lines);
    ImageCollection faves = testsupport::listOf({"/f.jpg"});
    catalogue::ImageListModel favesBox{faves};
    QAbstractItemModelTester tester(&favesBox);
    fixture.dialogs.answerMessage(answer);
    for (int i = 0; i < duplicates; ++i)
        fixture.dialogs.answerMessage(Ok);
    catalogue::AddAllToFavorites(images, faves, fixture.dialogs, fixture.pacer);

    QStringList expectedMessages{"Add all images to your favorites list?"};
    for (int i = 0; i < duplicates; ++i)
        expectedMessages << Duplicate;
    QCOMPARE(fixture.dialogs.messageTexts(), expectedMessages);
    QCOMPARE(fixture.dialogs.asked().first().style, platform::mb::YesNo | platform::mb::Question);
    if (duplicates)
        QCOMPARE(fixture.dialogs.asked().at(1).style, platform::mb::OkOnly | platform::mb::Information);
    QCOMPARE(itemsOf(faves), favorites);
    QCOMPARE(testsupport::rowsOf(favesBox), favorites);
    QVERIFY(!basUI::IsBusyCursorOn());
}

void TestListCommands::clearFavoritesAsksFirst_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("yes") << int(Yes) << QStringList{};
    QTest::newRow("no") << int(No) << QStringList{"/f.jpg"};
}

void TestListCommands::clearFavoritesAsksFirst()
{
    QFETCH(int, answer);
    QFETCH(QStringList, left);
    CatalogueFixture fixture;
    ImageCollection faves;
    faves.Add("/f.jpg");
    catalogue::ImageListModel favesBox{faves};
    fixture.dialogs.answerMessage(answer);
    catalogue::ClearFavorites(faves, fixture.dialogs);
    QCOMPARE(fixture.dialogs.messageTexts(), QStringList{"Clear favorite image list?"});
    QCOMPARE(itemsOf(faves), left);
    QCOMPARE(testsupport::rowsOf(favesBox), left);
}

LUMARINE_REGISTER_TEST(TestListCommands)
#include "tst_listcommands.moc"
