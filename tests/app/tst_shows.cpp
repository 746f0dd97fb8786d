#include "display/frmdisplay.h"
#include "mainwindowfixture.h"
#include "support/jpegfixtures.h"
#include "support/testmain.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

class TestShows : public QObject {
    Q_OBJECT

private slots:
    void showAllCoversTheScreenAndClosingListsTheFavorites();
    void favoritesShowUsesTheDelayOfTheLastShowAll();
};

namespace {

QString addPicture(MainWindowFixture& f, const QString& name)
{
    const QString path = f.dir.filePath(name);
    testsupport::writeJpeg(path, QSize(160, 120));
    f.state.MainImages.Add(path);
    return path;
}

void loaded(MainWindowFixture& f)
{
    f.writeIni(MainWindowFixture::afterFirstStart());
    f.window->Form_Load(QString());
    f.window->show();
}

} // namespace

void TestShows::showAllCoversTheScreenAndClosingListsTheFavorites()
{
    MainWindowFixture f;
    loaded(f);
    const QString first = addPicture(f, "a.jpg");
    addPicture(f, "b.jpg");
    f.window->findChild<QAction*>("Toolbar1_10")->trigger();
    frmDisplay& display = f.window->DisplayWindow();
    QVERIFY(display.isVisible());
    QCOMPARE(display.geometry(), f.window->screen()->geometry());
    QCOMPARE(display.imgMain->toolTip(), first);
    QTest::keyClick(&display, 'a');
    // The favourites' box follows at once, not when the show ends.
    QCOMPARE(testsupport::rowsOf(*f.window->lstFavoritesModel), QStringList({first}));
    QTest::keyClick(&display, Qt::Key_Escape);
    QVERIFY(!display.isVisible());
}

void TestShows::favoritesShowUsesTheDelayOfTheLastShowAll()
{
    MainWindowFixture f;
    loaded(f);
    addPicture(f, "a.jpg");
    f.window->txtDelay->setText("7 seconds");
    f.window->cmdShowAll->click();
    frmDisplay& display = f.window->DisplayWindow();
    QCOMPARE(display.mintDelay(), 7);
    QCOMPARE(display.mcolCurrent(), &f.state.MainImages);
    QTest::keyClick(&display, 'a');
    QTest::keyClick(&display, Qt::Key_Space);
    f.window->txtDelay->setText("2");
    f.window->cmdFavorites->click();
    QCOMPARE(display.mcolCurrent(), &f.state.Favorites);
    QCOMPARE(display.mintDelay(), 7);
    QVERIFY(display.tim1->isActive());
    QTest::keyClick(&display, Qt::Key_Escape);
}

#include "tst_shows.moc"

LUMARINE_REGISTER_TEST(TestShows)
