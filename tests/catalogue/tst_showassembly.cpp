#include "catalogue/appstate.h"
#include "catalogue/showassembly.h"
#include "platform/basui.h"
#include "support/scripteddialogs.h"
#include "support/testmain.h"

#include <QTest>

#include <functional>

using namespace catalogue;

namespace {

// Records every call into the display window and the main window in one log.
class RecordingWindow final : public ShowWindow {
public:
    explicit RecordingWindow(QStringList& log) : log_(log) {}
    void Load() override { log_ << "Load"; }
    void setSingle(bool single) override { log_ << QStringLiteral("mbolSingle=%1").arg(single); }
    void setDelay(int seconds) override { log_ << QStringLiteral("mintDelay=%1").arg(seconds); }
    void SetCurrent(ImageCollection& colCurr) override
    {
        current = &colCurr;
        log_ << "SetCurrent";
    }
    void SetStandard() override { log_ << "SetStandard"; }
    void SetPreview() override { log_ << "SetPreview"; }
    void Start() override { log_ << "Start"; }
    void StartAt(int position) override { log_ << QStringLiteral("StartAt(%1)").arg(position); }
    ImageCollection* current = nullptr;

private:
    QStringList& log_;
};

class FakeView final : public ShowView {
public:
    explicit FakeView(QStringList& log) : window(log), log_(log) {}
    bool randomTicked() const override { return random; }
    QString delayText() const override { return delay; }
    QString baseText() const override { return base; }
    void setCountText(const QString& text) override { log_ << "lblCount=" + text; }
    int favoritesLines() const override { return lines; }
    bool SearchFolder(const QString& folder) override
    {
        log_ << QStringLiteral("SearchFolder(%1) busy=%2").arg(folder).arg(basUI::IsBusyCursorOn());
        if (onSearch)
            onSearch();
        return !stopped;
    }
    void pressCount() override
    {
        log_ << "cmdCount";
        if (onSearch)
            onSearch();
    }
    ShowWindow& displayWindow() override { return window; }

    RecordingWindow window;
    bool random = false;
    bool stopped = false; // the user stops the search
    QString delay = QStringLiteral("3");
    QString base;
    int lines = 0;
    std::function<void()> onSearch;

private:
    QStringList& log_;
};

} // namespace

class TestShowAssembly : public QObject {
    Q_OBJECT

private slots:
    void delayIsTheLeadingNumberRoundedToEven_data();
    void delayIsTheLeadingNumberRoundedToEven();
    void showAllOnAFilledListStartsAtOnceInItsOrder();
    void showAllSearchesAnEmptyListUnderTheBusyCursor_data();
    void showAllSearchesAnEmptyListUnderTheBusyCursor();
    void showAllRefusesWhenTheSearchFindsNothing();
    void showAllTickedRandomSetsItButUntickedLeavesIt();
    void previewCountsFirstAndCallsInItsOrder();
    void previewRefusesAfterAnEmptyCount();
    void favoritesAsksTheListBoxAndPassesTheCollection();
    void favoritesRefusesAnEmptyListBox();
};

void TestShowAssembly::delayIsTheLeadingNumberRoundedToEven_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("seconds");
    QTest::newRow("whole") << "3" << 3;
    QTest::newRow("half down to even") << "2.5" << 2;
    QTest::newRow("half up to even") << "3.5" << 4;
    QTest::newRow("words after the number") << "7 seconds" << 7;
    QTest::newRow("blanks before") << "  5" << 5;
    QTest::newRow("exponent") << "1e2" << 100;
    QTest::newRow("negative") << "-1" << -1;
    QTest::newRow("no number") << "soon" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("beyond 16 bits") << "40000" << 32767;
    QTest::newRow("far beyond") << "1e400" << 32767;
    QTest::newRow("far below") << "-99999" << -32768;
}

void TestShowAssembly::delayIsTheLeadingNumberRoundedToEven()
{
    QFETCH(QString, text);
    QFETCH(int, seconds);
    QCOMPARE(DelayFromText(text), seconds);
}

void TestShowAssembly::showAllOnAFilledListStartsAtOnceInItsOrder()
{
    QStringList log;
    basLumarine::AppState state;
    state.MainImages.Add("/p/a.jpg");
    FakeView view(log);
    view.delay = "2.5";
    testsupport::ScriptedDialogs dialogs;
    cmdShowAll_Click(state, view, dialogs);
    QCOMPARE(log, QStringList({"Load", "mbolSingle=0", "SetCurrent", "mintDelay=2", "SetStandard", "Start"}));
    QCOMPARE(view.window.current, &state.MainImages);
}

void TestShowAssembly::showAllSearchesAnEmptyListUnderTheBusyCursor_data()
{
    QTest::addColumn<bool>("stopped");
    QTest::addColumn<QString>("last");
    QTest::newRow("search ends, show starts") << false << "Start";
    QTest::newRow("search stopped, no show") << true << "SearchFolder() busy=1";
}

void TestShowAssembly::showAllSearchesAnEmptyListUnderTheBusyCursor()
{
    QFETCH(bool, stopped);
    QFETCH(QString, last);
    QStringList log;
    basLumarine::AppState state;
    FakeView view(log);
    view.onSearch = [&] { state.MainImages.Add("/found.jpg"); };
    view.stopped = stopped;
    testsupport::ScriptedDialogs dialogs;
    cmdShowAll_Click(state, view, dialogs);
    QCOMPARE(log.first(), QStringLiteral("SearchFolder() busy=1"));
    QVERIFY(!basUI::IsBusyCursorOn());
    QCOMPARE(log.last(), last);
    QVERIFY(dialogs.asked().isEmpty());
}

void TestShowAssembly::showAllRefusesWhenTheSearchFindsNothing()
{
    QStringList log;
    basLumarine::AppState state;
    FakeView view(log);
    view.base = "/nowhere";
    testsupport::ScriptedDialogs dialogs;
    dialogs.answerMessage(platform::mb::Ok);
    cmdShowAll_Click(state, view, dialogs);
    QCOMPARE(log, QStringList({"SearchFolder(/nowhere) busy=1"}));
    QCOMPARE(dialogs.asked().size(), 1);
    QCOMPARE(dialogs.asked().first().text,
             QStringLiteral("Lumarine cannot find any JPEGs at the base path you specified.  Pick another "
                            "base path and try again."));
    QCOMPARE(dialogs.asked().first().style, 64);
}

void TestShowAssembly::showAllTickedRandomSetsItButUntickedLeavesIt()
{
    QStringList log;
    basLumarine::AppState state;
    state.MainImages.Add("/a.jpg");
    FakeView view(log);
    testsupport::ScriptedDialogs dialogs;
    view.random = true;
    cmdShowAll_Click(state, view, dialogs);
    QVERIFY(state.RandomShow);
    view.random = false;
    cmdShowAll_Click(state, view, dialogs);
    QVERIFY(state.RandomShow);
}

void TestShowAssembly::previewCountsFirstAndCallsInItsOrder()
{
    QStringList log;
    basLumarine::AppState state;
    FakeView view(log);
    view.onSearch = [&] {
        state.MainImages.Add("/a.jpg");
        state.MainImages.Add("/b.jpg");
    };
    testsupport::ScriptedDialogs dialogs;
    cmdPreview_Click(state, view, dialogs);
    QCOMPARE(log, QStringList({"cmdCount", "lblCount=2", "Load", "SetCurrent", "SetPreview", "Start"}));
    QCOMPARE(view.window.current, &state.MainImages);
    // A filled list is not counted again.
    log.clear();
    cmdPreview_Click(state, view, dialogs);
    QCOMPARE(log.first(), QStringLiteral("lblCount=2"));
}

void TestShowAssembly::previewRefusesAfterAnEmptyCount()
{
    QStringList log;
    basLumarine::AppState state;
    FakeView view(log);
    testsupport::ScriptedDialogs dialogs;
    dialogs.answerMessage(platform::mb::Ok);
    cmdPreview_Click(state, view, dialogs);
    QCOMPARE(log, QStringList({"cmdCount"}));
    QCOMPARE(dialogs.messageTexts(), QStringList({"No images to show!"}));
    QCOMPARE(dialogs.asked().first().style, 48);
}

void TestShowAssembly::favoritesAsksTheListBoxAndPassesTheCollection()
{
    QStringList log;
    basLumarine::AppState state;
    FakeView view(log);
    // The box has a line although the collection was emptied meanwhile.
    view.lines = 1;
    testsupport::ScriptedDialogs dialogs;
    cmdFavorites_Click(state, view, dialogs);
    QCOMPARE(log, QStringList({"Load", "mbolSingle=0", "SetStandard", "SetCurrent", "Start"}));
    QCOMPARE(view.window.current, &state.Favorites);
}

void TestShowAssembly::favoritesRefusesAnEmptyListBox()
{
    QStringList log;
    basLumarine::AppState state;
    state.Favorites.Add("/a.jpg");
    FakeView view(log);
    testsupport::ScriptedDialogs dialogs;
    dialogs.answerMessage(platform::mb::Ok);
    cmdFavorites_Click(state, view, dialogs);
    QVERIFY(log.isEmpty());
    QCOMPARE(dialogs.messageTexts(), QStringList({"No favorites!"}));
    QCOMPARE(dialogs.asked().first().style, 64);
    QCOMPARE(dialogs.asked().first().title, QStringLiteral("Lumarine"));
}

#include "tst_showassembly.moc"

LUMARINE_REGISTER_TEST(TestShowAssembly)
