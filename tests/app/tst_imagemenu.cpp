// The image menu from each place it opens: which entries it offers, which
// image it acts on, and what is left of the context image afterwards.
#include "mainwindowfixture.h"

#include "display/frmdisplay.h"
#include "display/thumbbox.h"
#include "fileops/imagemenu.h"

namespace {

// Enabled states of the menu's eleven entries: "1" on, "0" off, "-" a separator.
QString enabling(const QMenu* menu)
{
    QString states;
    for (const QAction* action : menu->actions())
        states += action->isSeparator() ? QChar('-') : action->isEnabled() ? QChar('1') : QChar('0');
    return states;
}

const QString allOff = "0-000-00000";
const QString forImages = "1-101-11111";
const QString forFavourites = "1-011-11111";

void fillLists(MainWindowFixture& f)
{
    f.state.MainImages.Add("/p/a.jpg");
    f.state.MainImages.Add("/p/b.jpg");
    f.state.Favorites.Add("/p/f.jpg");
    f.window->show();
}

// Runs `press`, which opens the menu, and records the entries (and the context
// image) while it shows; then runs the entry given, or closes the menu.
QString duringPopUp(MainWindowFixture& f, const std::function<void()>& press, int runEntry = -1)
{
    QMenu* menu = f.child<QMenu>("mnuImage");
    QString seen;
    QTimer::singleShot(0, menu, [&] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!popup)
            return;
        seen = enabling(menu) + " " + f.state.ContextImage;
        if (runEntry < 0) {
            popup->close();
            return;
        }
        popup->setActiveAction(menu->actions().at(runEntry));
        QTest::keyClick(popup, Qt::Key_Return);
    });
    press();
    return seen;
}

// A right-click on the list's row (-1: below the last one).
QString rightClick(MainWindowFixture& f, QListView* list, int row)
{
    const QRect rect =
        list->visualRect(list->model()->index(row < 0 ? list->model()->rowCount() - 1 : row, 0));
    const QPoint at = row < 0 ? QPoint(rect.center().x(), rect.bottom() + rect.height()) : rect.center();
    if (row < 0 && list->indexAt(at).isValid())
        return "no place below the last entry";
    return duringPopUp(f, [list, at] { QTest::mouseClick(list->viewport(), Qt::RightButton, {}, at); });
}

} // namespace

class TestImageMenu : public QObject {
    Q_OBJECT

private slots:
    void rightClickOffersTheListsCommands_data()
    {
        QTest::addColumn<bool>("favourites");
        QTest::addColumn<bool>("selected"); // the first entry, before the right-click
        QTest::addColumn<int>("row");       // the entry clicked; -1 below the last one
        QTest::addColumn<QString>("seen");  // the entries and the context image while the menu shows
        QTest::addColumn<int>("key");       // pressed instead of the right-click, on the entry selected
        QTest::newRow("image list: the entry pointed at")
            << false << true << 1 << forImages + " /p/b.jpg" << 0;
        QTest::newRow("image list, nothing selected, below the last entry")
            << false << false << -1 << allOff + " " << 0;
        QTest::newRow("favourites: the entry pointed at")
            << true << true << 1 << forFavourites + " /p/g.jpg" << 0;
        QTest::newRow("favourites, below the last entry")
            << true << true << -1 << forFavourites + " /p/f.jpg" << 0;
        QTest::newRow("image list: the Menu key")
            << false << true << 0 << forImages + " /p/a.jpg" << int(Qt::Key_Menu);
        QTest::newRow("favourites: Shift+F10")
            << true << true << 0 << forFavourites + " /p/f.jpg" << (Qt::SHIFT | Qt::Key_F10).toCombined();
    }
    void rightClickOffersTheListsCommands()
    {
        QFETCH(bool, favourites);
        QFETCH(bool, selected);
        QFETCH(int, row);
        QFETCH(QString, seen);
        QFETCH(int, key);
        MainWindowFixture f;
        fillLists(f);
        // The image list is the active one: the favourites' right-click still acts on the favourite.
        f.child<QTabWidget>("tabMain")->setCurrentIndex(1);
        auto* list = f.child<QListView>(favourites ? "lstFavorites" : "lstImages");
        if (favourites)
            f.state.Favorites.Add("/p/g.jpg");
        if (selected)
            list->setCurrentIndex(list->model()->index(0, 0));
        const auto pressKey = [list, key] {
            QTest::keyClick(list, Qt::Key(key & ~Qt::KeyboardModifierMask),
                            Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
        };
        QCOMPARE(key ? duringPopUp(f, pressKey) : rightClick(f, list, row), seen);
        // The entry pointed at is selected; below the last one the selection stays.
        const int selectedRow = row >= 0 ? row : selected ? 0 : -1;
        QCOMPARE(fileops::SelectedRow(list), selectedRow);
        QCOMPARE(list->selectionModel()->selectedIndexes().size(), selectedRow >= 0 ? 1 : 0);
        // Closed without a command: no image is left for the next opening.
        QTRY_VERIFY_WITH_TIMEOUT(f.state.ContextImage.isEmpty(), 2000);
    }

    void thumbnailMenuOffersByFavouritesAndDeleteRedraws()
    {
        MainWindowFixture f;
        f.load();
        f.window->show();
        const QStringList paths{f.addPicture("a.jpg"), f.addPicture("b.jpg")};
        f.state.Favorites.Add(paths.first());
        f.state.ThumbPreview = true;
        f.state.ThumbSize = "SMALL";
        f.child<QPushButton>("cmdPreview")->click();
        frmDisplay& display = f.window->DisplayWindow();
        QTRY_VERIFY_WITH_TIMEOUT(display.imgTN.size() >= 2 && display.imgTN[1]->toolTip() == paths.at(1),
                                 5000);
        const auto press = [&display](int index) {
            return [&display, index] { QTest::mousePress(display.imgTN[index], Qt::RightButton); };
        };
        // The favourite's menu offers to remove it from the favourites; the other's to add it.
        QCOMPARE(duringPopUp(f, press(0)), forFavourites + " " + paths.at(0));
        f.dialogs.answerMessage(platform::mb::Yes);
        QCOMPARE(duringPopUp(f, press(1), 10), forImages + " " + paths.at(1));
        QVERIFY(!QFile::exists(paths.at(1)));
        QCOMPARE(f.state.MainImages.Count(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(display.imgTN.size() == 1 && display.imgTN[0]->toolTip() == paths.at(0),
                                 5000);
        QVERIFY(f.state.ContextImage.isEmpty());
        QTest::keyClick(&display, Qt::Key_Escape);
    }
};

LUMARINE_REGISTER_TEST(TestImageMenu)
#include "tst_imagemenu.moc"
