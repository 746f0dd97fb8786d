#include "catalogue/appstate.h"
#include "catalogue/showassembly.h"
#include "platform/basui.h"
#include "support/testmain.h"

using namespace catalogue;

namespace {

// The display window as it stands when its show starts, and what the main
// window was asked for on the way, in one log.
class FakeView final : public ShowView, public ShowWindow {
public:
    FakeView(basLumarine::AppState& state) : state_(state) {}
    bool randomTicked() const override { return random; }
    QString delayText() const override { return delay; }
    QString baseText() const override { return "/base"; }
    void setCountText(const QString& text) override { log << "count label " + text; }
    void setStatusText(const QString&) override {}
    int favoritesLines() const override { return lines; }
    // A search that finds -1 images is stopped by the user.
    bool SearchFolder(const QString& folder) override
    {
        log << QStringLiteral("search %1, busy %2").arg(folder).arg(basUI::IsBusyCursorOn());
        addFound();
        return found >= 0;
    }
    void pressCount() override
    {
        log << "Count pressed";
        addFound();
    }
    ShowWindow& displayWindow() override { return *this; }

    void Load() override { loaded = true; }
    void setSingle(bool value) override { single = QString::number(value); }
    void setDelay(int seconds) override { delaySet = QString::number(seconds); }
    void SetCurrent(ImageCollection& colCurr) override
    {
        current = &colCurr == &state_.Favorites ? "favorites" : "main";
    }
    void SetStandard() override { mode = "standard"; }
    void SetPreview() override { mode = "preview"; }
    void Start() override
    {
        log << QStringLiteral("%1 show of %2, single %3, delay %4%5")
                   .arg(mode, current, single, delaySet, loaded ? "" : ", not loaded");
    }
    void StartAt(int position) override
    {
        Start();
        log.last() += QStringLiteral(" at %1").arg(position);
    }

    QStringList log;
    bool random = false, loaded = false;
    QString delay, mode = "no", current = "no list", single = "unset", delaySet = "unset";
    int lines = 0, found = 0;

private:
    void addFound()
    {
        for (int i = 0; i < found; ++i)
            state_.MainImages.Add(QStringLiteral("/found%1.jpg").arg(i));
    }
    basLumarine::AppState& state_;
};

// images: in the main list before; found: by the search or count; lines: in
// the favourites list box; log: the view's; style: the message's, if any.
struct ShowRow {
    QString command;
    int images, found, lines;
    QStringList log;
    QString message = {};
    int style = 0;
};

} // namespace

class TestShowAssembly : public QObject {
    Q_OBJECT

private slots:
    void delayIsTheLeadingNumberRoundedToEven()
    {
        QList<int> seconds;
        for (const char* text : {"2.5", "3.5", "7 seconds", "soon", "40000", "-99999", "1e400", "-1e400"})
            seconds << DelayFromText(text);
        QCOMPARE(seconds, (QList<int>{2, 4, 7, 0, 32767, -32768, 32767, -32768}));
    }

    // A show starts on the list the command names, searching or counting an
    // empty main list first, or says why it cannot.
    void showCommandsStartTheirShow_data()
    {
        QTest::addColumn<ShowRow>("row");
        const QString search = "search /base, busy 1", main = "standard show of main, single 0, delay 2";
        const QString nothingFound = "Lumarine cannot find any JPEGs at the base path you specified.  Pick "
                                     "another base path and try again.";
        QTest::newRow("all, filled list") << ShowRow{"all", 1, 0, 0, {main}};
        QTest::newRow("all, empty list searched first") << ShowRow{"all", 0, 1, 0, {search, main}};
        QTest::newRow("all, search stopped: no show") << ShowRow{"all", 0, -1, 0, {search}};
        QTest::newRow("all, nothing found")
            << ShowRow{"all", 0, 0, 0, {search}, nothingFound, platform::mb::Information};
        const QString preview = "preview show of main, single unset, delay unset";
        QTest::newRow("preview, counted first")
            << ShowRow{"preview", 0, 2, 0, {"Count pressed", "count label 2", preview}};
        QTest::newRow("preview, not counted again")
            << ShowRow{"preview", 2, 0, 0, {"count label 2", preview}};
        QTest::newRow("preview, nothing counted") << ShowRow{
            "preview", 0, 0, 0, {"Count pressed"}, "No images to show!", platform::mb::Exclamation};
        // The box has a line although the collection was emptied meanwhile.
        QTest::newRow("favorites, as the list box shows")
            << ShowRow{"favorites", 0, 0, 1, {"standard show of favorites, single 0, delay unset"}};
        QTest::newRow("favorites, empty list box")
            << ShowRow{"favorites", 0, 0, 0, {}, "No favorites!", platform::mb::Information};
    }
    void showCommandsStartTheirShow()
    {
        QFETCH(ShowRow, row);
        basLumarine::AppState state;
        for (int i = 0; i < row.images; ++i)
            state.MainImages.Add(QStringLiteral("/p/%1.jpg").arg(i));
        if (row.command != "favorites" || !row.lines)
            state.Favorites.Add("/favourite.jpg");
        FakeView view(state);
        view.delay = "2.5";
        view.found = row.found;
        view.lines = row.lines;
        // Ticked, Random sets the show's order; unticked, it leaves it as it was.
        view.random = row.images == 1;
        testsupport::ScriptedDialogs dialogs;
        dialogs.answerMessage(platform::mb::Ok);
        const auto click = row.command == "all"       ? cmdShowAll_Click
                           : row.command == "preview" ? cmdPreview_Click
                                                      : cmdFavorites_Click;
        click(state, view, dialogs);
        QCOMPARE(view.log, row.log);
        QCOMPARE(dialogs.messageTexts(), row.message.isEmpty() ? QStringList{} : QStringList{row.message});
        if (!row.message.isEmpty())
            QCOMPARE(QString::number(dialogs.asked().first().style) + dialogs.asked().first().title,
                     QString::number(row.style) + "Lumarine");
        QVERIFY(!basUI::IsBusyCursorOn());
        QCOMPARE(state.RandomShow, view.random);
    }
};

LUMARINE_REGISTER_TEST(TestShowAssembly)
#include "tst_showassembly.moc"
