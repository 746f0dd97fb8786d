// Moving one image or all favourites: nothing is lost, replaced without
// consent or left half moved, whatever the answers and failures.
#include "opsfixture.h"

#include "fileops/movefavorites.h"

using namespace platform;
using testsupport::FsCall;

namespace {

enum class Outcome { Moved, Unchanged, CopiedAndListed };

struct Failure {
    FsCall call;
    int number;
    bool always;           // else once: the retry overcomes it
    bool onTarget = false; // a delete strikes the source unless it names the target
};

struct MoveRow {
    QList<int> answers;
    QStringList messages; // "%R" stands for the temporary folder
    Outcome outcome;
    QList<Failure> failures = {};
    bool taken = false; // dst/a.jpg holds another image (and is listed when "listed")
    bool listed = false;
    QList<std::optional<QString>> folders = {"dst"}; // the browser's answers, below the temporary folder
    Files left = {};                                 // besides what the outcome leaves
};

struct FavouritesRow {
    QList<int> answers;
    QStringList messages; // "%R" stands for the temporary folder
    Files files;          // the favourites one/a.jpg, one/b.jpg and two/c.jpg besides the row's own files
    Files before = {};    // files put before the move; a name in "two/" is also a favourite
    QList<std::optional<QString>> folders = {"%R/dst"};
};

} // namespace

class TestMove : public QObject {
    Q_OBJECT

private slots:
    // src/a.jpg, listed and cached, moved to dst/.
    void moveAsksAndRecovers_data()
    {
        QTest::addColumn<MoveRow>("row");
        const int ok = mb::Ok, cancel = mb::Cancel;
        const FsCall copy = FsCall::CopyFile, remove = FsCall::RemoveFile;
        const QString reported = "An error has occurred!\r\n\r\nError: %1\r\nDescription: %2";
        const QString full =
            "Target disk is full. Click OK to continue copying on a new disk, Cancel to quit.";
        const QString ready =
            "The device you are copying to is not ready.  Click OK to try again, Cancel to quit.";
        const QString cannotDelete =
            "Cannot delete the source file %R/src/a.jpg. Click OK to continue moving "
            "images without deleting the source, Cancel to quit.";
        const QString taken =
            "A file named a.jpg is already in %R/dst. Do you want to replace it with this image?";
        const Outcome moved = Outcome::Moved, unchanged = Outcome::Unchanged;
        QTest::newRow("browser cancelled") << MoveRow{{}, {}, unchanged, {}, false, false, {std::nullopt}};
        QTest::newRow("into its own folder")
            << MoveRow{{ok}, {"The image is already in %R/src."}, unchanged, {}, false, false, {"src"}};
        QTest::newRow("no folder chosen: asked again") << MoveRow{
            {ok},       {"You must select a directory to move this image into."}, moved, {}, false, false,
            {"", "dst"}};
        QTest::newRow("taken, kept") << MoveRow{
            {mb::No}, {taken}, unchanged, {}, true, false, {"dst"}, {{"dst/a.jpg", "another image"}}};
        // One entry for the one file, in the box as in the collection.
        QTest::newRow("taken and listed, replaced") << MoveRow{{mb::Yes}, {taken}, moved, {}, true, true};
        QTest::newRow("no failure") << MoveRow{{}, {}, moved};
        QTest::newRow("61 copy, OK") << MoveRow{{ok}, {full}, moved, {{copy, 61, false}}};
        QTest::newRow("71 copy, Cancel") << MoveRow{{cancel}, {ready}, unchanged, {{copy, 71, true}}};
        QTest::newRow("75 copy") << MoveRow{
            {ok},
            {"Cannot copy the image to %R/dst/a.jpg. The image was not moved."},
            unchanged,
            {{copy, 75, true}}};
        QTest::newRow("52 copy reported") << MoveRow{
            {ok}, {reported.arg(52).arg("Bad file name or number")}, unchanged, {{copy, 52, true}}};
        QTest::newRow("61 copy, Cancel") << MoveRow{{cancel}, {full}, unchanged, {{copy, 61, true}}};
        QTest::newRow("75 delete, OK")
            << MoveRow{{ok}, {cannotDelete}, Outcome::CopiedAndListed, {{remove, 75, true}}};
        QTest::newRow("61 delete, OK") << MoveRow{{ok}, {full}, moved, {{remove, 61, false}}};
        // A move that is quit takes back its copy, and only a new one.
        QTest::newRow("71 delete, Cancel") << MoveRow{{cancel}, {ready}, unchanged, {{remove, 71, true}}};
        QTest::newRow("71 delete, Cancel, the copy replaced a file") << MoveRow{
            {mb::Yes, cancel},         {taken, ready}, unchanged, {{remove, 71, true}}, true, false, {"dst"},
            {{"dst/a.jpg", "picture"}}};
        QTest::newRow("71 delete, Cancel, the copy cannot be removed")
            << MoveRow{{cancel, ok}, {ready, reported.arg(70).arg("Permission denied")},
                       unchanged,    {{remove, 71, true}, {remove, 70, true, true}},
                       false,        false,
                       {"dst"},      {{"dst/a.jpg", "picture"}}};
        QTest::newRow("70 delete, OK")
            << MoveRow{{ok}, {cannotDelete}, Outcome::CopiedAndListed, {{remove, 70, true}}};
    }
    void moveAsksAndRecovers()
    {
        QFETCH(MoveRow, row);
        OpsFixture f;
        const QString source = f.put("src/a.jpg", "picture"), target = f.path("dst/a.jpg");
        QDir().mkpath(f.path("dst"));
        f.list(source);
        f.cacheThumbnails(source);
        if (row.taken)
            f.put("dst/a.jpg", "another image");
        if (row.listed)
            f.list(target);
        for (const std::optional<QString>& folder : row.folders)
            f.folders << (folder && !folder->isEmpty() ? std::optional(f.path(*folder)) : folder);
        for (const Failure& failure : row.failures) {
            const QString on = failure.onTarget                     ? target
                               : failure.call == FsCall::RemoveFile ? source
                                                                    : QString();
            failure.always ? f.fileSystem.failAlways(failure.call, failure.number, on)
                           : f.fileSystem.failOnce(failure.call, failure.number, on);
        }
        for (int answer : row.answers)
            f.dialogs.answerMessage(answer);
        auto ops = f.ops();
        fileops::MoveImage(ops, f.state.MainImages, source);
        QVERIFY(f.dialogs.scriptDone() && f.folders.isEmpty());
        QCOMPARE(f.dialogs.messageTexts(), row.messages.replaceInStrings("%R", f.dir.path()));
        const bool listed = row.outcome != Outcome::Unchanged;
        Files expected = row.left;
        if (row.outcome != Outcome::Moved)
            expected.insert("src/a.jpg", "picture");
        if (listed)
            expected.insert("dst/a.jpg", "picture");
        QCOMPARE(f.files(), expected);
        // The source's thumbnails go only with the source itself.
        QCOMPARE(std::tuple(f.rows(f.lstImages), f.state.ContextImage, f.cachedThumbnails(source)),
                 std::tuple(QStringList({listed ? target : source}), listed ? target : QString(),
                            row.outcome == Outcome::Moved ? 0 : 6));
    }

    // Moving all favourites into one folder: every question, retry and continue,
    // and no source deleted unless its own copy is in place.
    void moveAsksAndSkipsWhatFails_data()
    {
        QTest::addColumn<FavouritesRow>("row");
        const int ok = mb::Ok, yes = mb::Yes;
        const QString moveAll =
            "Do you want to move your current favorites (total count: 3) to the directory %R/dst?";
        const QString deleteSources = "Do you want to delete the files from their source directory?";
        const Files sources{{"one/a.jpg", "A"}, {"one/b.jpg", "B"}, {"two/c.jpg", "C"}},
            copies{{"dst/a.jpg", "A"}, {"dst/b.jpg", "B"}, {"dst/c.jpg", "C"}};
        Files both = sources;
        both.insert(copies);
        QTest::newRow("no folder chosen")
            << FavouritesRow{{ok},
                             {"You must select a directory to move your favorites into."},
                             sources,
                             {},
                             {QString(), std::nullopt}};
        QTest::newRow("copy only") << FavouritesRow{
            {yes, mb::No, ok}, {moveAll, deleteSources, "Done!"}, both};
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
             {"two/a.jpg", "second A"}},
            {{"two/a.jpg", "second A"}, {"dst/b.jpg", "already there"}}};
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

LUMARINE_REGISTER_TEST(TestMove)
#include "tst_move.moc"
