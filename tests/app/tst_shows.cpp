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
    void controlsAreNamedForAScreenReader_data();
    void controlsAreNamedForAScreenReader();
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

void TestShows::controlsAreNamedForAScreenReader_data()
{
    QTest::addColumn<QString>("toolbarButton"); // the show running; empty for none
    QTest::addColumn<bool>("thumbs");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::newRow("image list") << "" << false << "lstImages"
                                << "Image list";
    QTest::newRow("favourites") << "" << false << "lstFavorites"
                                << "Favorites";
    QTest::newRow("base path") << "" << false << "txtBase"
                               << "Base path";
    QTest::newRow("thumbnail size") << "" << false << "cboTNSize"
                                    << "Thumbnail size";
    QTest::newRow("a show") << "Toolbar1_10" << false << "frmDisplay"
                            << "Slide show: a.jpg";
    QTest::newRow("its picture") << "Toolbar1_10" << false << "imgMain"
                                 << "a.jpg";
    QTest::newRow("a preview") << "Toolbar1_9" << false << "frmDisplay"
                               << "Preview: a.jpg";
    QTest::newRow("its scroll bar") << "Toolbar1_9" << false << "hscMain"
                                    << "Position in the show";
    QTest::newRow("a page") << "Toolbar1_9" << true << "frmDisplay"
                            << "Thumbnails, page 1 of 1";
    QTest::newRow("a thumbnail") << "Toolbar1_9" << true << "imgTN_1"
                                 << "b.jpg";
}

void TestShows::controlsAreNamedForAScreenReader()
{
    QFETCH(QString, toolbarButton);
    QFETCH(bool, thumbs);
    QFETCH(QString, control);
    QFETCH(QString, name);
    MainWindowFixture f;
    loaded(f);
    addPicture(f, "a.jpg");
    addPicture(f, "b.jpg");
    f.state.ThumbPreview = thumbs;
    QWidget* window = f.window.get();
    if (!toolbarButton.isEmpty()) {
        f.window->findChild<QAction*>(toolbarButton)->trigger();
        window = &f.window->DisplayWindow();
    }
    auto* widget = window->objectName() == control ? window : window->findChild<QWidget*>(control);
    QVERIFY(widget);
    QCOMPARE(widget->accessibleName(), name);
}

#include "tst_shows.moc"

LUMARINE_REGISTER_TEST(TestShows)
