#include "displayfixture.h"
#include "support/testmain.h"

#include "display/thumbbox.h"
#include "platform/dialogs.h"
#include "support/jpegfixtures.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

using testsupport::DisplayFixture;

using testsupport::range;

class TestThumbs : public QObject {
    Q_OBJECT

private slots:
    void pageOfTenFillsTwoRowsInOrder();
    void pagingForwardAndBackOverThirtyOne();
    void thumbnailsDecodeAtTheirCellsSize();
    void addAndRemoveTakeTheClickedThumbnail();
    void fullOnTheLastPageReportsNoImages();
    void fullAndThumbsSwitchTheViewAndTheSetting();
    void newerPageStopsTheOneStillLoading();
    void menuStopsThePageStillLoading();
    void failedPictureOnAPage_data();
    void failedPictureOnAPage();
    void doubleClickOpensTheSingleImageModally_data();
    void doubleClickOpensTheSingleImageModally();
};

void TestThumbs::pageOfTenFillsTwoRowsInOrder()
{
    DisplayFixture f(10);
    f.thumbnailPreview();
    QCOMPARE(f.shownPositions(), range(1, 10));
    QCOMPARE(f.window->mintIndex(), 11);
    QCOMPARE(f.window->hscMain->singleStep(), 30);
    // Slot 7 opens the second row: 2250, 900 + 1518 twips.
    QCOMPARE(f.window->imgTN[6]->pos(), QPoint(150, 161));
    QCOMPARE(f.window->imgTN[0]->toolTip(), f.path(1));
    QVERIFY(!f.window->imgMain->isVisible());
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestThumbs::pagingForwardAndBackOverThirtyOne()
{
    DisplayFixture f(31);
    f.thumbnailPreview();
    QCOMPARE(f.shownPositions(), range(1, 30));
    QTest::mouseClick(f.window->cmdControl[2], Qt::LeftButton);
    QCOMPARE(f.shownPositions(), QList<int>({31}));
    QCOMPARE(f.window->mintIndex(), 32);
    // Back past the page shown to the one before it.
    QTest::mouseClick(f.window->cmdControl[3], Qt::LeftButton);
    QCOMPARE(f.shownPositions(), range(1, 30));
}

void TestThumbs::thumbnailsDecodeAtTheirCellsSize()
{
    DisplayFixture f(2, QSize(1200, 900));
    testsupport::writeJpeg(f.path(2), QSize(600, 1200));
    f.thumbnailPreview();
    // SMALL cells are 1385 x 1038 twips, 92 x 69 pixels.
    QCOMPARE(f.window->imgTN[0]->size(), QSize(92, 69));
    QCOMPARE(f.window->imgTN[0]->pixmap().size(), QSize(92, 69));
    // A portrait picture takes the cell's height.
    QCOMPARE(f.window->imgTN[1]->size(), QSize(35, 69));
    QCOMPARE(f.window->imgTN[1]->pixmap().size(), QSize(35, 69));
}

void TestThumbs::addAndRemoveTakeTheClickedThumbnail()
{
    DisplayFixture f(5);
    f.state.Favorites.Add(f.path(1));
    f.thumbnailPreview();
    // Before a click, Add and Remove do nothing; the key A names the
    // position after the page, past the end.
    QTest::mouseClick(f.window->cmdControl[1], Qt::LeftButton);
    QTest::keyClick(f.window.get(), 'a');
    QCOMPARE(QStringList(f.state.Favorites.begin(), f.state.Favorites.end()), QStringList({f.path(1)}));
    QTest::mouseClick(f.window->imgTN[1], Qt::LeftButton);
    QTest::mouseClick(f.window->imgTN[3], Qt::LeftButton);
    QCOMPARE(f.window->imgTN[3]->frameShape(), QFrame::Box);
    QCOMPARE(f.window->imgTN[1]->frameShape(), QFrame::NoFrame);
    QTest::mouseClick(f.window->cmdControl[0], Qt::LeftButton);
    QCOMPARE(QStringList(f.state.Favorites.begin(), f.state.Favorites.end()),
             QStringList({f.path(1), f.path(4)}));
    QTest::mouseClick(f.window->cmdControl[1], Qt::LeftButton);
    QCOMPARE(f.state.Favorites.Count(), 1);
}

void TestThumbs::fullOnTheLastPageReportsNoImages()
{
    DisplayFixture f(10);
    f.thumbnailPreview();
    f.dialogs.answerMessage(platform::mb::Ok);
    QTest::mouseClick(f.window->cmdControl[6], Qt::LeftButton);
    QCOMPARE(f.dialogs.messageTexts(), QStringList({"No images to display!"}));
    QVERIFY(!f.window->isVisible());
    QVERIFY(f.window->isLoaded());
}

void TestThumbs::fullAndThumbsSwitchTheViewAndTheSetting()
{
    DisplayFixture f(40);
    f.thumbnailPreview();
    QTest::mouseClick(f.window->cmdControl[6], Qt::LeftButton);
    QVERIFY(!f.state.ThumbPreview);
    QCOMPARE(f.window->cmdControl[6]->text(), QStringLiteral("Thumbs"));
    QCOMPARE(f.shownPositions(), QList<int>());
    // The full view resumes after the page.
    QCOMPARE(f.window->imgMain->toolTip(), f.path(31));
    QVERIFY(f.window->imgMain->isVisible());
    QTest::mouseClick(f.window->cmdControl[6], Qt::LeftButton);
    QVERIFY(f.state.ThumbPreview);
    QCOMPARE(f.window->cmdControl[6]->text(), QStringLiteral("Full"));
    QCOMPARE(f.shownPositions(), range(31, 40));
}

void TestThumbs::newerPageStopsTheOneStillLoading()
{
    DisplayFixture f(61);
    f.thumbnailPreview();
    // Once the second page has drawn its first thumbnail, the user drags the
    // bar to the end: that page is superseded at its next yield.
    int tries = 0;
    std::function<void()> scrollWhenLoading = [&] {
        const bool loading = f.window->imgTN.size() > 1 && f.shownPositions().value(0) == 31;
        if (loading)
            f.window->hscMain->setValue(61);
        else if (++tries < 1000)
            QTimer::singleShot(0, scrollWhenLoading);
    };
    QTimer::singleShot(0, scrollWhenLoading);
    QTest::mouseClick(f.window->cmdControl[2], Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(f.shownPositions(), QList<int>({61}));
    QCOMPARE(f.window->mintIndex(), 62);
    QVERIFY(!f.window->pager().mbolAbort);
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestThumbs::menuStopsThePageStillLoading()
{
    DisplayFixture f(31);
    QMetaObject::invokeMethod(
        f.window.get(), [&] { f.window->cmdControl[4]->click(); }, Qt::QueuedConnection);
    f.thumbnailPreview();
    QVERIFY(!f.window->isLoaded());
    QCOMPARE(f.shownPositions(), QList<int>());
    QCOMPARE(f.window->mintIndex(), 1);
}

void TestThumbs::failedPictureOnAPage_data()
{
    QTest::addColumn<int>("injected");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QList<int>>("shown");
    // A picture that is gone or cannot be decoded keeps its slot, marked,
    // so that the pages after it can still be reached.
    QTest::newRow("missing file: marked, the page goes on") << 53 << "" << true << range(1, 8);
    QTest::newRow("not a picture: marked, the page goes on") << 481 << "" << true << range(1, 8);
    QTest::newRow("disk not ready: closes")
        << 71 << "There is a problem accessing the specified disk.  Exiting back to main menu." << false
        << QList<int>();
    QTest::newRow("other: its message, the page ends")
        << 70 << "Error: 70: Permission denied" << true << range(1, 3);
}

void TestThumbs::failedPictureOnAPage()
{
    QFETCH(int, injected);
    QFETCH(QString, message);
    QFETCH(bool, loaded);
    QFETCH(QList<int>, shown);
    DisplayFixture f(8);
    f.loader.failures.insert(f.path(4), injected);
    if (!message.isEmpty())
        f.dialogs.answerMessage(platform::mb::Ok);
    f.thumbnailPreview();
    QCOMPARE(f.dialogs.messageTexts(), message.isEmpty() ? QStringList() : QStringList({message}));
    QCOMPARE(f.window->isLoaded(), loaded);
    if (loaded)
        QCOMPARE(f.shownPositions(), shown);
    if (shown.size() == 8) {
        const display::ThumbBox* marked = f.window->imgTN[3];
        QCOMPARE(marked->toolTip(), f.path(4));
        QVERIFY(!marked->pixmap().isNull());
        // Placed and sized like a landscape picture in its cell.
        QCOMPARE(marked->width(), f.window->imgTN[0]->width());
        QCOMPARE(f.window->mintIndex(), 9);
    }
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestThumbs::doubleClickOpensTheSingleImageModally_data()
{
    QTest::addColumn<bool>("byEnter"); // Enter on the selected thumbnail
    QTest::newRow("double-click") << false;
    QTest::newRow("Enter") << true;
}

void TestThumbs::doubleClickOpensTheSingleImageModally()
{
    QFETCH(bool, byEnter);
    DisplayFixture f(3);
    f.thumbnailPreview();
    bool single = false;
    bool modal = false;
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<frmDisplay*>(QApplication::activeModalWidget());
        QVERIFY(window && window != f.window.get());
        single = window->mbolSingle();
        modal = window->isModal();
        shown = window->imgMain->isVisible() ? window->imgMain->toolTip() : QString();
        QTest::keyClick(window, Qt::Key_Escape);
    });
    if (byEnter) {
        f.window->imgTN_Click(1);
        QTest::keyClick(f.window->focusWidget(), Qt::Key_Return);
    } else {
        QTest::mouseDClick(f.window->imgTN[1], Qt::LeftButton);
    }
    QVERIFY(single);
    QVERIFY(modal);
    QCOMPARE(shown, f.path(2));
    // The preview beneath is as it was; the single window's closing rebuilt the box.
    QVERIFY(f.window->isLoaded());
    QCOMPARE(f.shownPositions(), range(1, 3));
    QCOMPARE(f.unloads, 1);
    QVERIFY(!QApplication::activeModalWidget());
}

#include "tst_thumbs.moc"

LUMARINE_REGISTER_TEST(TestThumbs)
