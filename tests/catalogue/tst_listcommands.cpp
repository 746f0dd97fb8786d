#include "catalogue/imagecollection.h"
#include "catalogue/listcommands.h"
#include "fixtures.h"
#include "platform/basui.h"
#include "support/testmain.h"

#include <QAbstractItemModelTester>
#include <QStringListModel>
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
    void addAllTakesTheImageBoxAndSkipsFavorites_data();
    void addAllTakesTheImageBoxAndSkipsFavorites();
    void addAllAnsweredNoChangesNothing();
    void clearFavoritesAsksFirst_data();
    void clearFavoritesAsksFirst();
};

void TestListCommands::addAllTakesTheImageBoxAndSkipsFavorites_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("duplicates");
    QTest::addColumn<QStringList>("favorites");
    QTest::addColumn<qint64>("step"); // the pacer's: 50 lets events run after every line
    QTest::newRow("empty box") << QStringList{} << 0 << QStringList{"/f.jpg"} << qint64(0);
    QTest::newRow("new lines appended in order")
        << QStringList{"/c.jpg", "/a.jpg"} << 0 << QStringList{"/f.jpg", "/c.jpg", "/a.jpg"} << qint64(0);
    QTest::newRow("a favourite in other letter case")
        << QStringList{"/a.jpg", "/F.JPG", "/b.jpg"} << 1 << QStringList{"/f.jpg", "/a.jpg", "/b.jpg"}
        << qint64(0);
    QTest::newRow("paced") << QStringList{"/a.jpg", "/F.JPG", "/b.jpg"} << 1
                           << QStringList{"/f.jpg", "/a.jpg", "/b.jpg"} << qint64(50);
}

void TestListCommands::addAllTakesTheImageBoxAndSkipsFavorites()
{
    QFETCH(QStringList, lines);
    QFETCH(int, duplicates);
    QFETCH(QStringList, favorites);
    QFETCH(qint64, step);
    CatalogueFixture fixture(step);
    QStringListModel imagesBox(lines);
    ImageCollection faves;
    faves.Add("/f.jpg");
    QStringListModel favesBox({"/f.jpg"});
    QAbstractItemModelTester tester(&favesBox);
    fixture.dialogs.answerMessage(Yes);
    for (int i = 0; i < duplicates; ++i)
        fixture.dialogs.answerMessage(Ok);
    catalogue::AddAllToFavorites(imagesBox, faves, favesBox, fixture.dialogs, fixture.pacer);

    QStringList expectedMessages{"Add all images to your favorites list?"};
    for (int i = 0; i < duplicates; ++i)
        expectedMessages << Duplicate;
    QCOMPARE(fixture.dialogs.messageTexts(), expectedMessages);
    QCOMPARE(fixture.dialogs.asked().first().style, platform::mb::YesNo | platform::mb::Question);
    if (duplicates)
        QCOMPARE(fixture.dialogs.asked().at(1).style, platform::mb::OkOnly | platform::mb::Information);
    QCOMPARE(itemsOf(faves), favorites);
    QCOMPARE(favesBox.stringList(), favorites);
    QVERIFY(!basUI::IsBusyCursorOn());
}

void TestListCommands::addAllAnsweredNoChangesNothing()
{
    CatalogueFixture fixture;
    QStringListModel imagesBox({"/a.jpg"});
    ImageCollection faves;
    QStringListModel favesBox;
    fixture.dialogs.answerMessage(No);
    catalogue::AddAllToFavorites(imagesBox, faves, favesBox, fixture.dialogs, fixture.pacer);
    QVERIFY(faves.isEmpty());
    QCOMPARE(favesBox.rowCount(), 0);
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
    QStringListModel favesBox({"/f.jpg"});
    fixture.dialogs.answerMessage(answer);
    catalogue::ClearFavorites(faves, favesBox, fixture.dialogs);
    QCOMPARE(fixture.dialogs.messageTexts(), QStringList{"Clear favorite image list?"});
    QCOMPARE(itemsOf(faves), left);
    QCOMPARE(favesBox.stringList(), left);
}

LUMARINE_REGISTER_TEST(TestListCommands)
#include "tst_listcommands.moc"
