// Moving all favourites into one folder: every question, retry and continue,
// and no source deleted unless its own copy is in place.
#include "opsfixture.h"

#include "fileops/movefavorites.h"

using namespace platform;
using testsupport::FsCall;

namespace {

// Three favourites in two folders, and an empty destination.
struct Favourites {
    OpsFixture f;
    QStringList sources;
    Favourites()
    {
        sources << f.put("one/a.jpg", "A") << f.put("one/b.jpg", "B") << f.put("two/c.jpg", "C");
        for (const QString& source : sources)
            f.state.Favorites.Add(source);
        QDir().mkpath(f.path("dst"));
        f.folders << f.path("dst");
    }
    void answers(int move, int deleteSources)
    {
        f.dialogs.answerMessage(move);
        if (move == mb::Yes)
            f.dialogs.answerMessage(deleteSources);
    }
    void run()
    {
        auto ops = f.ops();
        fileops::MoveFavorites(ops);
    }
};

} // namespace

class TestMoveFavorites : public QObject {
    Q_OBJECT

private slots:
    void emptyFavouritesOrNoFolderMoveNothing()
    {
        OpsFixture f;
        f.dialogs.answerMessage(mb::Ok);
        auto ops = f.ops();
        fileops::MoveFavorites(ops);
        QCOMPARE(f.dialogs.messageTexts(), QStringList({"No favorites listed!"}));
        QCOMPARE(f.browsersShown, 0);
        Favourites m;
        m.f.folders = {QString(), std::nullopt};
        m.f.dialogs.answerMessage(mb::Ok);
        m.run();
        QCOMPARE(m.f.dialogs.messageTexts(),
                 QStringList({"You must select a directory to move your favorites into."}));
        QCOMPARE(m.f.browsersShown, 2);
        QCOMPARE(m.f.files().size(), 3);
    }

    void answers_data()
    {
        QTest::addColumn<int>("move");
        QTest::addColumn<int>("deleteSources");
        QTest::newRow("no move") << int(mb::No) << 0;
        QTest::newRow("copy only") << int(mb::Yes) << int(mb::No);
        QTest::newRow("move") << int(mb::Yes) << int(mb::Yes);
    }
    void answers()
    {
        QFETCH(int, move);
        QFETCH(int, deleteSources);
        Favourites m;
        for (const QString& source : m.sources)
            m.f.cacheThumbnails(source);
        m.answers(move, deleteSources);
        if (move == mb::Yes)
            m.f.dialogs.answerMessage(mb::Ok);
        m.run();
        const QStringList texts{
            "Do you want to move your current favorites (total count: 3) to the directory " +
                m.f.path("dst") + "?",
            "Do you want to delete the files from their source directory?", "Done!"};
        QCOMPARE(m.f.dialogs.messageTexts(), texts.mid(0, move == mb::Yes ? 3 : 1));
        Files expected;
        if (move == mb::Yes)
            expected = {{"dst/a.jpg", "A"}, {"dst/b.jpg", "B"}, {"dst/c.jpg", "C"}};
        if (deleteSources != mb::Yes)
            expected.insert(Files{{"one/a.jpg", "A"}, {"one/b.jpg", "B"}, {"two/c.jpg", "C"}});
        QCOMPARE(m.f.files(), expected);
        for (const QString& source : m.sources)
            QCOMPARE(m.f.cachedThumbnails(source), deleteSources == mb::Yes ? 0 : 6);
        // The favourites keep naming their sources.
        QCOMPARE(m.f.rows(m.f.lstFavorites), m.sources);
    }

    void takenNamesAreSkippedAndNamed()
    {
        Favourites m;
        const QString twin = m.f.put("two/a.jpg", "second A");
        m.f.put("three/b.jpg", "another B"); // not a favourite: untouched
        m.f.state.Favorites.Add(twin);
        m.f.put("dst/b.jpg", "already there");
        m.answers(mb::Yes, mb::Yes);
        m.f.dialogs.answerMessage(mb::Ok);
        m.f.dialogs.answerMessage(mb::Ok);
        m.run();
        QCOMPARE(
            m.f.dialogs.messageTexts().mid(2),
            QStringList({"These images were not moved and keep their source files, because a file of the "
                         "same name is in " +
                             m.f.path("dst") + " or their copy failed:\n" + m.sources.at(1) + "\n" + twin,
                         "Done!"}));
        QCOMPARE(m.f.files(), (Files{{"dst/a.jpg", "A"},
                                     {"dst/b.jpg", "already there"},
                                     {"dst/c.jpg", "C"},
                                     {"one/b.jpg", "B"},
                                     {"two/a.jpg", "second A"},
                                     {"three/b.jpg", "another B"}}));
    }

    // The failure strikes b.jpg, the second favourite. Which question each
    // number asks is the move's own table (tst_moveimage); these rows check
    // whether the favourites after it are still moved.
    void failures_data()
    {
        QTest::addColumn<int>("call");
        QTest::addColumn<int>("number"); // 75 strikes every time, the others once
        QTest::addColumn<int>("answer"); // OK goes on to the next favourite
        QTest::addColumn<Files>("files");
        const int copy = int(FsCall::CopyFile), remove = int(FsCall::RemoveFile);
        QTest::newRow("61 copy, Cancel") << copy << 61 << int(mb::Cancel)
                                         << Files{{"dst/a.jpg", "A"}, {"one/b.jpg", "B"}, {"two/c.jpg", "C"}};
        QTest::newRow("52 looking for b.jpg in the folder, reported")
            << int(FsCall::Exists) << 52 << int(mb::Ok)
            << Files{{"dst/a.jpg", "A"}, {"one/b.jpg", "B"}, {"two/c.jpg", "C"}};
        QTest::newRow("75 copy, OK") << copy << 75 << int(mb::Ok)
                                     << Files{{"dst/a.jpg", "A"},
                                              {"one/b.jpg", "B"},
                                              {"dst/c.jpg", "C"},
                                              {"two/c.jpg", "C"}};
        QTest::newRow("75 delete, OK") << remove << 75 << int(mb::Ok)
                                       << Files{{"dst/a.jpg", "A"},
                                                {"dst/b.jpg", "B"},
                                                {"one/b.jpg", "B"},
                                                {"dst/c.jpg", "C"},
                                                {"two/c.jpg", "C"}};
        QTest::newRow("75 delete, Cancel")
            << remove << 75 << int(mb::Cancel)
            << Files{{"dst/a.jpg", "A"}, {"dst/b.jpg", "B"}, {"one/b.jpg", "B"}, {"two/c.jpg", "C"}};
    }
    void failures()
    {
        QFETCH(int, call);
        QFETCH(int, number);
        QFETCH(int, answer);
        QFETCH(Files, files);
        Favourites m;
        const QString struck = FsCall(call) == FsCall::Exists ? m.f.path("dst/b.jpg") : m.sources.at(1);
        if (number == 75)
            m.f.fileSystem.failAlways(FsCall(call), number, struck);
        else
            m.f.fileSystem.failOnce(FsCall(call), number, struck);
        m.answers(mb::Yes, mb::Yes);
        m.f.dialogs.answerMessage(answer);
        // A favourite that is not copied is named when the others are done.
        const bool notCopied = call == int(FsCall::CopyFile) && number == 75;
        const bool done = answer == mb::Ok && number != 52;
        for (int i = 0; i < int(done) + int(notCopied); ++i)
            m.f.dialogs.answerMessage(mb::Ok);
        m.run();
        const QStringList texts = m.f.dialogs.messageTexts();
        QCOMPARE(texts.size(), 3 + int(done) + int(notCopied));
        QCOMPARE(texts.last() == QLatin1String("Done!"), done);
        if (notCopied)
            QVERIFY(texts.at(3).endsWith(":\n" + struck));
        if (number == 52) // not one of the move's own failures
            QCOMPARE(texts.at(2),
                     "An error has occurred!\r\n\r\nError: 52\r\nDescription: Bad file name or number");
        QCOMPARE(m.f.files(), files);
    }
};

LUMARINE_REGISTER_TEST(TestMoveFavorites)
#include "tst_movefavorites.moc"
