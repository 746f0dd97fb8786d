// Moving all favourites into one folder: every question, retry and continue,
// and no source deleted unless its own copy is in place.
#include "opsfixture.h"

#include "fileops/movefavorites.h"

using namespace platform;
using testsupport::FsCall;

namespace {

struct FavouritesRow {
    QList<int> answers;
    QStringList messages; // "%R" stands for the temporary folder
    Files files;          // the favourites one/a.jpg, one/b.jpg and two/c.jpg besides the row's own files
    Files before = {};    // files put before the move; a name in "two/" is also a favourite
    std::optional<std::tuple<FsCall, int, bool>> failure = {}; // on b.jpg: call, number, every time
    QList<std::optional<QString>> folders = {"%R/dst"};
};

} // namespace

class TestMoveFavorites : public QObject {
    Q_OBJECT

private slots:
    void moveAsksAndSkipsWhatFails_data()
    {
        QTest::addColumn<FavouritesRow>("row");
        const int ok = mb::Ok, yes = mb::Yes;
        const QString moveAll =
            "Do you want to move your current favorites (total count: 3) to the directory %R/dst?";
        const QString cannotDelete =
            "Cannot delete the source file %R/one/b.jpg. Click OK to continue moving "
            "images without deleting the source, Cancel to quit.";
        const QString deleteSources = "Do you want to delete the files from their source directory?";
        const Files sources{{"one/a.jpg", "A"}, {"one/b.jpg", "B"}, {"two/c.jpg", "C"}},
            copies{{"dst/a.jpg", "A"}, {"dst/b.jpg", "B"}, {"dst/c.jpg", "C"}};
        const auto with = [](Files files, const Files& more) {
            files.insert(more);
            return files;
        };
        const Files aMovedOnly{{"dst/a.jpg", "A"}, {"one/b.jpg", "B"}, {"two/c.jpg", "C"}};
        const FsCall copy = FsCall::CopyFile, remove = FsCall::RemoveFile;
        QTest::newRow("no folder chosen")
            << FavouritesRow{{ok},    {"You must select a directory to move your favorites into."},
                             sources, {},
                             {},      {QString(), std::nullopt}};
        QTest::newRow("no move") << FavouritesRow{{mb::No}, {moveAll}, sources};
        QTest::newRow("copy only") << FavouritesRow{
            {yes, mb::No, ok}, {moveAll, deleteSources, "Done!"}, with(sources, copies)};
        QTest::newRow("move") << FavouritesRow{{yes, yes, ok}, {moveAll, deleteSources, "Done!"}, copies};
        QTest::newRow("taken names are skipped and named") << FavouritesRow{
            {yes, yes, ok, ok},
            {QString(moveAll).replace("3", "4"), deleteSources,
             "These images were not moved and keep their source files, because a file of the "
             "same name is in %R/dst or their copy failed:\n%R/one/b.jpg\n%R/two/a.jpg",
             "Done!"},
            {{"dst/a.jpg", "A"},
             {"dst/b.jpg", "already there"},
             {"dst/c.jpg", "C"},
             {"one/b.jpg", "B"},
             {"two/a.jpg", "second A"},
             {"three/b.jpg", "another B"}},
            {{"two/a.jpg", "second A"}, {"three/b.jpg", "another B"}, {"dst/b.jpg", "already there"}}};
        QTest::newRow("61 copy, Cancel") << FavouritesRow{
            {yes, yes, mb::Cancel},
            {moveAll, deleteSources,
             "Target disk is full. Click OK to continue copying on a new disk, Cancel to quit."},
            aMovedOnly,
            {},
            std::tuple(copy, 61, false)};
        QTest::newRow("52 looking for b.jpg in the folder, reported") << FavouritesRow{
            {yes, yes, ok},
            {moveAll, deleteSources,
             "An error has occurred!\r\n\r\nError: 52\r\nDescription: Bad file name or number"},
            aMovedOnly,
            {},
            std::tuple(FsCall::Exists, 52, false)};
        QTest::newRow("75 copy, OK") << FavouritesRow{
            {yes, yes, ok, ok, ok},
            {moveAll, deleteSources, cannotDelete,
             "These images were not moved and keep their source files, because a file of the same name is in "
             "%R/dst or their copy failed:\n%R/one/b.jpg",
             "Done!"},
            {{"dst/a.jpg", "A"}, {"one/b.jpg", "B"}, {"dst/c.jpg", "C"}, {"two/c.jpg", "C"}},
            {},
            std::tuple(copy, 75, true)};
        QTest::newRow("75 delete, OK")
            << FavouritesRow{{yes, yes, ok, ok},
                             {moveAll, deleteSources, cannotDelete, "Done!"},
                             with(copies, {{"one/b.jpg", "B"}, {"two/c.jpg", "C"}}),
                             {},
                             std::tuple(remove, 75, true)};
        QTest::newRow("75 delete, Cancel")
            << FavouritesRow{{yes, yes, mb::Cancel},
                             {moveAll, deleteSources, cannotDelete},
                             {{"dst/a.jpg", "A"}, {"dst/b.jpg", "B"}, {"one/b.jpg", "B"}, {"two/c.jpg", "C"}},
                             {},
                             std::tuple(remove, 75, true)};
    }
    void moveAsksAndSkipsWhatFails()
    {
        QFETCH(FavouritesRow, row);
        OpsFixture f;
        QStringList sources{f.put("one/a.jpg", "A"), f.put("one/b.jpg", "B"), f.put("two/c.jpg", "C")};
        for (auto file = row.before.cbegin(); file != row.before.cend(); ++file) {
            const QString path = f.put(file.key(), file.value());
            if (file.key().startsWith("two/"))
                sources << path;
        }
        for (const QString& source : sources) {
            f.state.Favorites.Add(source);
            f.cacheThumbnails(source);
        }
        QDir().mkpath(f.path("dst"));
        for (const std::optional<QString>& folder : row.folders)
            f.folders << (folder ? std::optional(QString(*folder).replace("%R", f.dir.path())) : folder);
        if (row.failure) {
            const auto [call, number, always] = *row.failure;
            const QString struck = call == FsCall::Exists ? f.path("dst/b.jpg") : sources.at(1);
            always ? f.fileSystem.failAlways(call, number, struck)
                   : f.fileSystem.failOnce(call, number, struck);
        }
        for (int answer : row.answers)
            f.dialogs.answerMessage(answer);
        auto ops = f.ops();
        fileops::MoveFavorites(ops);
        QVERIFY(f.dialogs.scriptDone() && f.folders.isEmpty());
        QCOMPARE(f.dialogs.messageTexts(), row.messages.replaceInStrings("%R", f.dir.path()));
        QCOMPARE(f.files(), row.files);
        // The favourites keep naming their sources; a source's thumbnails go with it alone.
        QCOMPARE(f.rows(f.lstFavorites), sources);
        for (const QString& source : sources)
            QCOMPARE(f.cachedThumbnails(source), QFileInfo::exists(source) ? 6 : 0);
    }

    void noFavouritesMoveNothing()
    {
        OpsFixture f;
        f.dialogs.answerMessage(mb::Ok);
        auto ops = f.ops();
        fileops::MoveFavorites(ops);
        QCOMPARE(std::pair(f.dialogs.messageTexts(), f.browsersShown),
                 std::pair(QStringList({"No favorites listed!"}), 0));
    }
};

LUMARINE_REGISTER_TEST(TestMoveFavorites)
#include "tst_movefavorites.moc"
