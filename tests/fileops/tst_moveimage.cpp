// Moving one image: nothing is lost, replaced without consent or left half
// moved, whatever the answers and failures.
#include "opsfixture.h"

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

} // namespace

class TestMoveImage : public QObject {
    Q_OBJECT

private slots:
    // src/a.jpg, listed and cached, moved to dst/.
    void moveAsksAndRecovers_data()
    {
        QTest::addColumn<MoveRow>("row");
        const int ok = mb::Ok, cancel = mb::Cancel, copy = int(FsCall::CopyFile);
        const FsCall remove = FsCall::RemoveFile;
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
        QTest::newRow("61 copy, OK") << MoveRow{{ok}, {full}, moved, {{FsCall(copy), 61, false}}};
        QTest::newRow("61 copy, Cancel") << MoveRow{{cancel}, {full}, unchanged, {{FsCall(copy), 61, true}}};
        QTest::newRow("70 copy, OK") << MoveRow{{ok}, {ready}, moved, {{FsCall(copy), 70, false}}};
        QTest::newRow("71 copy, Cancel") << MoveRow{{cancel}, {ready}, unchanged, {{FsCall(copy), 71, true}}};
        QTest::newRow("75 copy") << MoveRow{
            {ok},
            {"Cannot copy the image to %R/dst/a.jpg. The image was not moved."},
            unchanged,
            {{FsCall(copy), 75, true}}};
        QTest::newRow("52 copy reported")
            << MoveRow{{ok},
                       {"An error has occurred!\r\n\r\nError: 52\r\nDescription: Bad file name or number"},
                       unchanged,
                       {{FsCall(copy), 52, true}}};
        QTest::newRow("61 delete, OK") << MoveRow{{ok}, {full}, moved, {{remove, 61, false}}};
        QTest::newRow("71 delete, OK") << MoveRow{{ok}, {ready}, moved, {{remove, 71, false}}};
        // A move that is quit takes back its copy, and only a new one.
        QTest::newRow("71 delete, Cancel") << MoveRow{{cancel}, {ready}, unchanged, {{remove, 71, true}}};
        QTest::newRow("71 delete, Cancel, the copy replaced a file") << MoveRow{
            {mb::Yes, cancel},         {taken, ready}, unchanged, {{remove, 71, true}}, true, false, {"dst"},
            {{"dst/a.jpg", "picture"}}};
        QTest::newRow("71 delete, Cancel, the copy cannot be removed")
            << MoveRow{{cancel, ok},
                       {ready, "An error has occurred!\r\n\r\nError: 70\r\nDescription: Permission denied"},
                       unchanged,
                       {{remove, 71, true}, {remove, 70, true, true}},
                       false,
                       false,
                       {"dst"},
                       {{"dst/a.jpg", "picture"}}};
        QTest::newRow("75 delete, OK")
            << MoveRow{{ok}, {cannotDelete}, Outcome::CopiedAndListed, {{remove, 75, true}}};
        QTest::newRow("70 delete, OK")
            << MoveRow{{ok}, {cannotDelete}, Outcome::CopiedAndListed, {{remove, 70, true}}};
        QTest::newRow("75 delete, Cancel")
            << MoveRow{{cancel}, {cannotDelete}, unchanged, {{remove, 75, true}}};
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
};

LUMARINE_REGISTER_TEST(TestMoveImage)
#include "tst_moveimage.moc"
