// The image menu over a thumbnail: the image it is given, and what the page
// shows once the chosen command has deleted or renamed that image.
#include "displayfixture.h"
#include "support/testmain.h"

#include "display/thumbbox.h"

#include <QTest>

using testsupport::DisplayFixture;

class TestThumbMenu : public QObject {
    Q_OBJECT

private slots:
    void deleteRedrawsThePageFromAPageBefore();
    void renameShowsTheNewPathInTheTooltip();
    void aCommandThatChangesNothingLeavesTheThumbnail();
};

namespace {

QStringList toolTips(DisplayFixture& f)
{
    QStringList tips;
    for (display::ThumbBox* box : f.window->imgTN)
        if (!box->isHidden())
            tips << box->toolTip();
    return tips;
}

} // namespace

void TestThumbMenu::deleteRedrawsThePageFromAPageBefore()
{
    DisplayFixture f(10);
    f.thumbnailPreview();
    QString given;
    const QString deleted = f.path(3);
    f.menuCommand = [&] {
        given = f.state.ContextImage;
        f.state.MainImages.Remove(deleted);
        f.state.ContextImage = "DELETE";
    };
    QTest::mousePress(f.window->imgTN[2], Qt::RightButton);
    QCOMPARE(given, deleted);
    // From position 11 back one page of 30: at least position 1.
    QStringList expected = f.paths;
    expected.removeAll(deleted);
    QTRY_COMPARE_WITH_TIMEOUT(toolTips(f), expected, 5000);
    QCOMPARE(f.window->mintIndex(), 10);
    QVERIFY(f.state.ContextImage.isEmpty());
}

void TestThumbMenu::renameShowsTheNewPathInTheTooltip()
{
    DisplayFixture f(4);
    f.thumbnailPreview();
    f.menuCommand = [&] { f.state.ContextImage = "/elsewhere/renamed.jpg"; };
    QTest::mousePress(f.window->imgTN[1], Qt::RightButton);
    QCOMPARE(toolTips(f), QStringList({f.path(1), "/elsewhere/renamed.jpg", f.path(3), f.path(4)}));
    QCOMPARE(f.shownPositions(), testsupport::range(1, 4));
    QCOMPARE(f.window->pager().entries()[1].path, QStringLiteral("/elsewhere/renamed.jpg"));
    QVERIFY(f.state.ContextImage.isEmpty());
}

void TestThumbMenu::aCommandThatChangesNothingLeavesTheThumbnail()
{
    DisplayFixture f(4);
    f.thumbnailPreview();
    QTest::mousePress(f.window->imgTN[1], Qt::RightButton);
    QTest::mousePress(f.window->imgTN[2], Qt::MiddleButton);
    QCOMPARE(f.menuRequests, QList<int>({1}));
    QCOMPARE(toolTips(f), f.paths);
    QVERIFY(f.state.ContextImage.isEmpty());
}

LUMARINE_REGISTER_TEST(TestThumbMenu)
#include "tst_thumbmenu.moc"
