// The image menu from each place it opens: which entries it offers, which
// image it acts on, and what is left of the context image afterwards.
#include "mainwindowfixture.h"
#include "support/jpegfixtures.h"
#include "support/testmain.h"

#include "display/frmdisplay.h"
#include "display/thumbbox.h"
#include "fileops/imagemenu.h"

#include <QAction>
#include <QApplication>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <functional>

using platform::mb::Ok;

namespace {

// Enabled states of the eleven entries as a string: "1" on, "0" off, "-" a separator.
QString enabling(const QVector<QAction*>& entries)
{
    QString states;
    for (QAction* action : entries)
        states += action->isSeparator() ? QChar('-') : action->isEnabled() ? QChar('1') : QChar('0');
    return states;
}

const QString allOff = "0-000-00000";
const QString forImages = "1-101-11111";
const QString forFavourites = "1-011-11111";

} // namespace

class TestImageMenu : public QObject {
    Q_OBJECT

private slots:
    void menuBarFollowsTabAndSelection_data();
    void menuBarFollowsTabAndSelection();
    void rightClickOffersTheListsCommands_data();
    void rightClickOffersTheListsCommands();
    void leftPressOnlyUpdatesTheEntries();
    void renameFromTheImageListsPopUp();
    void commandWithoutAListDisablesTheMenu();
    void thumbnailMenuOffersByFavouritesAndDeleteRedraws();

private:
    struct Lists {
        MainWindowFixture f;
        QStringList images{"/p/a.jpg", "/p/b.jpg"};
        QStringList favourites{"/p/f.jpg"};
        Lists()
        {
            for (const QString& image : images)
                f.state.MainImages.Add(image);
            f.state.Favorites.Add(favourites.first());
            f.window->show();
        }
    };
    // Opens the pop-up by a right-click on the list's row (-1: below the last
    // one) and records the entries and the context image while it shows; then
    // runs the entry named, or closes it.
    static QString rightClick(MainWindowFixture& f, QListView* list, int row, int runEntry = -1)
    {
        const int last = list->model()->rowCount() - 1;
        const QRect rect = list->visualRect(list->model()->index(row < 0 ? last : row, 0));
        const QPoint at = row < 0 ? QPoint(rect.center().x(), rect.bottom() + rect.height()) : rect.center();
        if (row < 0 && list->indexAt(at).isValid())
            return "no place below the last entry";
        return duringPopUp(
            f.window->mnuImage, f.window->mnuImageSub, runEntry,
            [list, at] { QTest::mouseClick(list->viewport(), Qt::RightButton, {}, at); },
            &f.state.ContextImage);
    }
    static QString duringPopUp(QMenu* menu, const QVector<QAction*>& entries, int runEntry,
                               const std::function<void()>& press, const QString* context = nullptr)
    {
        QString seen;
        QTimer::singleShot(0, menu, [&] {
            auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!popup)
                return;
            seen = enabling(entries) + (context ? " " + *context : QString());
            if (runEntry < 0) {
                popup->close();
                return;
            }
            popup->setActiveAction(entries[runEntry]);
            QTest::keyClick(popup, Qt::Key_Return);
        });
        press();
        return seen;
    }
};

void TestImageMenu::menuBarFollowsTabAndSelection_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QString>("entries");
    QTest::addColumn<QString>("context");
    QTest::newRow("Actions") << 0 << true << allOff << QString();
    QTest::newRow("Image List, selected") << 1 << true << forImages << "/p/a.jpg";
    QTest::newRow("Image List, nothing selected") << 1 << false << allOff << QString();
    QTest::newRow("Favorites, selected") << 2 << true << forFavourites << "/p/f.jpg";
    QTest::newRow("Favorites, nothing selected") << 2 << false << allOff << QString();
    QTest::newRow("Settings") << 3 << true << allOff << QString();
}

void TestImageMenu::menuBarFollowsTabAndSelection()
{
    QFETCH(int, tab);
    QFETCH(bool, selected);
    QFETCH(QString, entries);
    QFETCH(QString, context);
    Lists l;
    if (selected) {
        l.f.window->lstImages->setCurrentIndex(l.f.window->lstImagesModel->index(0));
        l.f.window->lstFavorites->setCurrentIndex(l.f.window->lstFavoritesModel->index(0));
    }
    for (QAction* action : l.f.window->mnuImageSub)
        action->setEnabled(true);
    l.f.window->tabMain->setCurrentIndex(tab);
    l.f.window->mnuImage_Click();
    QCOMPARE(enabling(l.f.window->mnuImageSub), entries);
    QCOMPARE(l.f.state.ContextImage, context);
}

void TestImageMenu::rightClickOffersTheListsCommands_data()
{
    QTest::addColumn<bool>("favourites");
    QTest::addColumn<bool>("selected"); // the first entry, before the right-click
    QTest::addColumn<int>("row");       // the entry clicked; -1 below the last one
    QTest::addColumn<QString>("seen");  // the entries and the context image while the menu shows
    QTest::addColumn<int>("key");       // pressed instead of the right-click, on the entry selected
    QTest::newRow("image list: the entry pointed at") << false << true << 1 << forImages + " /p/b.jpg" << 0;
    QTest::newRow("image list, nothing selected: the entry pointed at")
        << false << false << 1 << forImages + " /p/b.jpg" << 0;
    QTest::newRow("image list, below the last entry") << false << true << -1 << forImages + " /p/a.jpg" << 0;
    QTest::newRow("image list, nothing selected, below the last entry")
        << false << false << -1 << allOff + " " << 0;
    QTest::newRow("favourites: the entry pointed at")
        << true << true << 1 << forFavourites + " /p/g.jpg" << 0;
    QTest::newRow("favourites, below the last entry")
        << true << true << -1 << forFavourites + " /p/f.jpg" << 0;
    QTest::newRow("favourites, nothing selected, below the last entry")
        << true << false << -1 << allOff + " " << 0;
    QTest::newRow("image list: the Menu key")
        << false << true << 0 << forImages + " /p/a.jpg" << int(Qt::Key_Menu);
    QTest::newRow("favourites: Shift+F10")
        << true << true << 0 << forFavourites + " /p/f.jpg" << (Qt::SHIFT | Qt::Key_F10).toCombined();
}

void TestImageMenu::rightClickOffersTheListsCommands()
{
    QFETCH(bool, favourites);
    QFETCH(bool, selected);
    QFETCH(int, row);
    QFETCH(QString, seen);
    QFETCH(int, key);
    Lists l;
    frmLumMain& w = *l.f.window;
    l.f.window->tabMain->setCurrentIndex(1);
    // A click on the image list first: the favourites' right-click still acts on the favourite.
    w.lstImages_Click();
    QListView* list = favourites ? w.lstFavorites : w.lstImages;
    if (favourites)
        l.f.state.Favorites.Add("/p/g.jpg");
    if (selected)
        list->setCurrentIndex(list->model()->index(0, 0));
    const auto pressKey = [list, key] {
        QTest::keyClick(list, Qt::Key(key & ~Qt::KeyboardModifierMask),
                        Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
    };
    QCOMPARE(key ? duringPopUp(w.mnuImage, w.mnuImageSub, -1, pressKey, &l.f.state.ContextImage)
                 : rightClick(l.f, list, row),
             seen);
    QCOMPARE(w.ActiveList, list);
    // The entry pointed at is selected; below the last one the selection stays.
    const int selectedRow = row >= 0 ? row : selected ? 0 : -1;
    QCOMPARE(fileops::SelectedRow(list), selectedRow);
    QCOMPARE(list->selectionModel()->selectedIndexes().size(), selectedRow >= 0 ? 1 : 0);
    // Closed without a command: no image is left for the next opening.
    QTRY_VERIFY_WITH_TIMEOUT(l.f.state.ContextImage.isEmpty(), 2000);
}

void TestImageMenu::leftPressOnlyUpdatesTheEntries()
{
    Lists l;
    frmLumMain& w = *l.f.window;
    for (QAction* action : w.mnuImageSub)
        action->setEnabled(true);
    w.lstImages_MouseDown(Qt::LeftButton, {});
    QCOMPARE(enabling(w.mnuImageSub), allOff);
    QVERIFY(!QApplication::activePopupWidget());
    w.lstImages->setCurrentIndex(w.lstImagesModel->index(1));
    w.lstImages_MouseDown(Qt::LeftButton, {});
    QCOMPARE(enabling(w.mnuImageSub), QStringLiteral("1-111-11111"));
}

void TestImageMenu::renameFromTheImageListsPopUp()
{
    MainWindowFixture f;
    const QString first = f.dir.filePath("first.jpg");
    const QString old = f.dir.filePath("old.jpg");
    for (const QString& path : {first, old}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(path.toUtf8());
        f.state.MainImages.Add(path);
    }
    f.window->show();
    // The first entry selected, the second right-clicked: the second is renamed.
    f.window->lstImages->setCurrentIndex(f.window->lstImagesModel->index(0));
    f.dialogs.answerInput("new");
    rightClick(f, f.window->lstImages, 1, 8);
    const QString renamed = f.dir.filePath("new.jpg");
    QVERIFY(!QFile::exists(old));
    QVERIFY(QFile::exists(first));
    QFile file(renamed);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), old.toUtf8());
    QCOMPARE(testsupport::rowsOf(*f.window->lstImagesModel), QStringList({first, renamed}));
    QVERIFY(f.state.MainImages.Contains(renamed));
    // The display window is hidden: the menu clears the context image.
    QVERIFY(f.state.ContextImage.isEmpty());
}

void TestImageMenu::commandWithoutAListDisablesTheMenu()
{
    MainWindowFixture f;
    for (QAction* action : f.window->mnuImageSub)
        action->setEnabled(true);
    f.state.ContextImage = "/p/a.jpg";
    f.window->mnuImageSub_Click(10);
    QCOMPARE(enabling(f.window->mnuImageSub), allOff);
    QCOMPARE(f.state.ContextImage, QStringLiteral("/p/a.jpg"));
    QVERIFY(f.dialogs.asked().isEmpty());
}

void TestImageMenu::thumbnailMenuOffersByFavouritesAndDeleteRedraws()
{
    MainWindowFixture f;
    f.writeIni(MainWindowFixture::afterFirstStart());
    f.window->Form_Load(QString());
    f.window->show();
    QStringList paths;
    for (const char* name : {"a.jpg", "b.jpg"}) {
        paths << f.dir.filePath(name);
        QVERIFY(testsupport::writeJpeg(paths.last(), QSize(160, 120)));
        f.state.MainImages.Add(paths.last());
    }
    f.state.Favorites.Add(paths.first());
    f.state.ThumbPreview = true;
    f.state.ThumbSize = "SMALL";
    f.window->cmdPreview->click();
    frmDisplay& display = f.window->DisplayWindow();
    QTRY_VERIFY_WITH_TIMEOUT(display.imgTN.size() >= 2 && display.imgTN[1]->toolTip() == paths.at(1), 5000);
    auto thumbnail = [&](int index) {
        return [&display, index] { QTest::mousePress(display.imgTN[index], Qt::RightButton); };
    };

    QCOMPARE(duringPopUp(f.window->mnuImage, f.window->mnuImageSub, -1, thumbnail(0)), forFavourites);
    QVERIFY(f.state.ContextImage.isEmpty());
    f.dialogs.answerMessage(platform::mb::Yes);
    QCOMPARE(duringPopUp(f.window->mnuImage, f.window->mnuImageSub, 10, thumbnail(1)), forImages);
    QVERIFY(!QFile::exists(paths.at(1)));
    QCOMPARE(f.state.MainImages.Count(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(display.imgTN.size() == 1 && display.imgTN[0]->toolTip() == paths.first(), 5000);
    QVERIFY(f.state.ContextImage.isEmpty());
    QTest::keyClick(&display, Qt::Key_Escape);
}

LUMARINE_REGISTER_TEST(TestImageMenu)
#include "tst_imagemenu.moc"
