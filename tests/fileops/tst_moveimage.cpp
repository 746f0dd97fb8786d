// Moving one image: nothing is lost, replaced without consent or left half
// moved, whatever the answers and failures.
#include "opsfixture.h"

using namespace platform;
using testsupport::FsCall;

enum class Outcome { Moved, Unchanged, CopiedAndListed };
Q_DECLARE_METATYPE(Outcome)

namespace {

// src/a.jpg, listed and cached, and an empty dst/ that the browser names.
struct Moving {
    OpsFixture f;
    QString source = f.put("src/a.jpg", "picture");
    QString target = f.path("dst/a.jpg");
    Moving()
    {
        QDir().mkpath(f.path("dst"));
        f.list(source);
        f.cacheThumbnails(source);
        f.folders << f.path("dst");
    }
    void run()
    {
        auto ops = f.ops();
        fileops::MoveImage(ops, f.state.MainImages, source);
    }
    QString taken() const
    {
        return "A file named a.jpg is already in " + f.path("dst") +
               ". Do you want to replace it with this image?";
    }
};

} // namespace

class TestMoveImage : public QObject {
    Q_OBJECT

private slots:
    void browserAnswers_data()
    {
        QTest::addColumn<QString>("folder"); // "cancel" for Cancel
        QTest::addColumn<QString>("message");
        QTest::newRow("cancelled") << "cancel" << QString();
        QTest::newRow("into its own folder") << "src" << QString("The image is already in %1.");
        QTest::newRow("none chosen: asked again")
            << QString() << QString("You must select a directory to move this image into.");
    }
    void browserAnswers()
    {
        QFETCH(QString, folder);
        QFETCH(QString, message);
        Moving m;
        if (folder.isEmpty())
            m.f.folders.prepend(QString());
        else
            m.f.folders = {folder == "cancel" ? std::nullopt : std::optional(m.f.path(folder))};
        if (!message.isEmpty())
            m.f.dialogs.answerMessage(mb::Ok);
        m.run();
        QCOMPARE(m.f.dialogs.messageTexts(),
                 message.isEmpty() ? QStringList() : QStringList({message.arg(m.f.path(folder))}));
        const bool moved = folder.isEmpty();
        QCOMPARE(m.f.files(), (Files{{moved ? "dst/a.jpg" : "src/a.jpg", "picture"}}));
        QCOMPARE(m.f.rows(m.f.lstImages), QStringList({moved ? m.target : m.source}));
        QCOMPARE(m.f.browsersShown, moved ? 2 : 1);
    }

    void moveOntoATakenNameNeedsConsent_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("listed");
        QTest::newRow("kept") << int(mb::No) << false;
        QTest::newRow("replaced") << int(mb::Yes) << false;
        QTest::newRow("listed, kept") << int(mb::No) << true;
        QTest::newRow("listed, replaced") << int(mb::Yes) << true;
    }
    void moveOntoATakenNameNeedsConsent()
    {
        QFETCH(int, answer);
        QFETCH(bool, listed);
        Moving m;
        m.f.put("dst/a.jpg", "another image");
        if (listed)
            m.f.list(m.target);
        m.f.dialogs.answerMessage(answer);
        m.run();
        QCOMPARE(m.f.dialogs.asked().first().text, m.taken());
        QCOMPARE(m.f.dialogs.asked().first().style, mb::YesNo + mb::Question);
        const bool replaced = answer == mb::Yes;
        QCOMPARE(m.f.files(), (replaced ? Files{{"dst/a.jpg", "picture"}}
                                        : Files{{"src/a.jpg", "picture"}, {"dst/a.jpg", "another image"}}));
        // One entry for the one file, in the box as in the collection.
        QStringList rows{replaced ? m.target : m.source};
        if (listed && !replaced)
            rows << m.target;
        QCOMPARE(m.f.rows(m.f.lstImages), rows);
    }

    // The failure strikes the copy, or the delete of the source; a move that
    // is quit takes its copy back.
    void moveFailures_data()
    {
        QTest::addColumn<int>("call");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("message");
        QTest::addColumn<Outcome>("outcome");
        const int copy = int(FsCall::CopyFile), remove = int(FsCall::RemoveFile), ok = mb::Ok,
                  cancel = mb::Cancel;
        const QString full =
            "Target disk is full. Click OK to continue copying on a new disk, Cancel to quit.";
        const QString ready =
            "The device you are copying to is not ready.  Click OK to try again, Cancel to quit.";
        const QString cannotDelete = "Cannot delete the source file %S. Click OK to continue moving images "
                                     "without deleting the source, Cancel to quit.";
        QTest::newRow("no failure") << copy << 0 << 0 << QString() << Outcome::Moved;
        QTest::newRow("61 copy, OK") << copy << 61 << ok << full << Outcome::Moved;
        QTest::newRow("61 copy, Cancel") << copy << 61 << cancel << full << Outcome::Unchanged;
        QTest::newRow("70 copy, OK") << copy << 70 << ok << ready << Outcome::Moved;
        QTest::newRow("71 copy, Cancel") << copy << 71 << cancel << ready << Outcome::Unchanged;
        QTest::newRow("75 copy") << copy << 75 << ok
                                 << "Cannot copy the image to %T. The image was not moved."
                                 << Outcome::Unchanged;
        QTest::newRow("52 copy reported")
            << copy << 52 << ok
            << "An error has occurred!\r\n\r\nError: 52\r\nDescription: Bad file name or number"
            << Outcome::Unchanged;
        QTest::newRow("61 delete, OK") << remove << 61 << ok << full << Outcome::Moved;
        QTest::newRow("71 delete, OK") << remove << 71 << ok << ready << Outcome::Moved;
        QTest::newRow("71 delete, Cancel") << remove << 71 << cancel << ready << Outcome::Unchanged;
        QTest::newRow("75 delete, OK") << remove << 75 << ok << cannotDelete << Outcome::CopiedAndListed;
        QTest::newRow("70 delete, OK") << remove << 70 << ok << cannotDelete << Outcome::CopiedAndListed;
        QTest::newRow("75 delete, Cancel") << remove << 75 << cancel << cannotDelete << Outcome::Unchanged;
    }
    void moveFailures()
    {
        QFETCH(int, call);
        QFETCH(int, number);
        QFETCH(int, answer);
        QFETCH(QString, message);
        QFETCH(Outcome, outcome);
        Moving m;
        const QString on = FsCall(call) == FsCall::RemoveFile ? m.source : QString();
        // A failure that the retry does not overcome strikes every time.
        if (outcome != Outcome::Moved)
            m.f.fileSystem.failAlways(FsCall(call), number, on);
        else if (number)
            m.f.fileSystem.failOnce(FsCall(call), number, on);
        if (answer)
            m.f.dialogs.answerMessage(answer);
        m.run();
        QCOMPARE(m.f.dialogs.messageTexts(),
                 message.isEmpty() ? QStringList()
                                   : QStringList({message.replace("%S", m.source).replace("%T", m.target)}));
        const bool listed = outcome != Outcome::Unchanged;
        Files expected;
        if (outcome != Outcome::Moved)
            expected.insert("src/a.jpg", "picture");
        if (listed)
            expected.insert("dst/a.jpg", "picture");
        QCOMPARE(m.f.files(), expected);
        // The source's thumbnails go only with the source itself.
        QCOMPARE(m.f.cachedThumbnails(m.source), outcome == Outcome::Moved ? 0 : 6);
        QCOMPARE(m.f.rows(m.f.lstImages), QStringList({listed ? m.target : m.source}));
        QCOMPARE(m.f.state.ContextImage, listed ? m.target : QString());
    }

    // The source cannot be deleted and the move is quit: only a new copy is
    // taken back.
    void quitAfterTheCopyTakesBackOnlyANewCopy_data()
    {
        QTest::addColumn<bool>("taken");
        QTest::addColumn<bool>("copyStuck");
        QTest::newRow("new copy") << false << false;
        QTest::newRow("copy that replaced a file") << true << false;
        QTest::newRow("copy that cannot be removed") << false << true;
    }
    void quitAfterTheCopyTakesBackOnlyANewCopy()
    {
        QFETCH(bool, taken);
        QFETCH(bool, copyStuck);
        Moving m;
        QStringList expected;
        if (taken) {
            m.f.put("dst/a.jpg", "another image");
            m.f.dialogs.answerMessage(mb::Yes);
            expected << m.taken();
        }
        m.f.fileSystem.failAlways(FsCall::RemoveFile, 71, m.source);
        m.f.dialogs.answerMessage(mb::Cancel);
        expected << "The device you are copying to is not ready.  Click OK to try again, Cancel to quit.";
        if (copyStuck) {
            m.f.fileSystem.failAlways(FsCall::RemoveFile, 70, m.target);
            m.f.dialogs.answerMessage(mb::Ok);
            expected << "An error has occurred!\r\n\r\nError: 70\r\nDescription: Permission denied";
        }
        m.run();
        QCOMPARE(m.f.dialogs.messageTexts(), expected);
        Files after{{"src/a.jpg", "picture"}};
        if (taken || copyStuck)
            after.insert("dst/a.jpg", "picture");
        QCOMPARE(m.f.files(), after);
        QCOMPARE(m.f.rows(m.f.lstImages), QStringList({m.source}));
        QVERIFY(m.f.state.ContextImage.isEmpty());
    }
};

LUMARINE_REGISTER_TEST(TestMoveImage)
#include "tst_moveimage.moc"
