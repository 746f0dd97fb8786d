// Moving one image: nothing is lost, replaced without consent or left half
// moved, whatever the answers and failures.
#include "opsfixture.h"
#include "support/testmain.h"

#include "platform/apperror.h"

#include <QDir>

using namespace platform;
using testsupport::FsCall;

enum class Outcome { Moved, Unchanged, CopiedAndListed };
Q_DECLARE_METATYPE(Outcome)

class TestMoveImage : public QObject {
    Q_OBJECT

private:
    struct Moving {
        OpsFixture f;
        QString source;
        QString target;
        Moving()
        {
            source = f.put("src/a.jpg", "picture");
            QDir().mkpath(f.path("dst"));
            target = f.path("dst/a.jpg");
            f.list(source);
            f.cacheThumbnails(source);
            f.folders << f.path("dst");
        }
        void run()
        {
            auto ops = f.ops();
            fileops::MoveImage(ops, f.state.MainImages, source);
        }
    };

private slots:
    void moveAsksAgainWhenNoFolderIsChosen()
    {
        Moving m;
        m.f.folders.prepend(QString());
        m.f.dialogs.answerMessage(mb::Ok);
        m.run();
        QCOMPARE(m.f.browsersShown, 2);
        QCOMPARE(m.f.dialogs.messageTexts(),
                 QStringList({"You must select a directory to move this image into."}));
        QCOMPARE(m.f.files(), (Files{{"dst/a.jpg", "picture"}}));
    }

    void moveThatChangesNothing_data()
    {
        QTest::addColumn<QString>("folder"); // "cancel" for Cancel
        QTest::addColumn<QString>("message");
        QTest::newRow("cancelled") << "cancel" << QString();
        QTest::newRow("into its own folder") << "src"
                                             << "The image is already in %1.";
    }
    void moveThatChangesNothing()
    {
        QFETCH(QString, folder);
        QFETCH(QString, message);
        Moving m;
        m.f.folders = {std::nullopt};
        if (folder != "cancel") {
            m.f.folders = {m.f.path(folder)};
            m.f.dialogs.answerMessage(mb::Ok);
        }
        m.run();
        QCOMPARE(m.f.dialogs.messageTexts(),
                 message.isEmpty() ? QStringList() : QStringList({message.arg(m.f.path(folder))}));
        QCOMPARE(m.f.files(), (Files{{"src/a.jpg", "picture"}}));
        QCOMPARE(m.f.rows(m.f.lstImages), QStringList({m.source}));
        QVERIFY(m.f.state.ContextImage.isEmpty());
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
        QCOMPARE(m.f.dialogs.asked().first().text, "A file named a.jpg is already in " + m.f.path("dst") +
                                                       ". Do you want to replace it with this image?");
        QCOMPARE(m.f.dialogs.asked().first().style, mb::YesNo + mb::Question);
        const QStringList before = listed ? QStringList({m.source, m.target}) : QStringList({m.source});
        if (answer == mb::Yes) {
            QCOMPARE(m.f.files(), (Files{{"dst/a.jpg", "picture"}}));
            // One entry for the one file, in the box as in the collection.
            QCOMPARE(m.f.rows(m.f.lstImages), QStringList({m.target}));
        } else {
            QCOMPARE(m.f.files(), (Files{{"src/a.jpg", "picture"}, {"dst/a.jpg", "another image"}}));
            QCOMPARE(m.f.rows(m.f.lstImages), before);
        }
    }

    void moveFailures_data()
    {
        QTest::addColumn<int>("call");
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("always");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("message");
        QTest::addColumn<Outcome>("outcome");
        const int copy = int(FsCall::CopyFile);
        const int remove = int(FsCall::RemoveFile);
        const QString full =
            "Target disk is full. Click OK to continue copying on a new disk, Cancel to quit.";
        const QString ready =
            "The device you are copying to is not ready.  Click OK to try again, Cancel to quit.";
        const QString cannotDelete =
            "Cannot delete the source file %S. Click OK to continue moving images without "
            "deleting the source, Cancel to quit.";
        QTest::newRow("no failure") << copy << 0 << false << 0 << QString() << Outcome::Moved;
        QTest::newRow("61 copy, OK") << copy << 61 << false << int(mb::Ok) << full << Outcome::Moved;
        QTest::newRow("61 copy, Cancel")
            << copy << 61 << false << int(mb::Cancel) << full << Outcome::Unchanged;
        QTest::newRow("70 copy, OK") << copy << 70 << false << int(mb::Ok) << ready << Outcome::Moved;
        QTest::newRow("71 copy, Cancel")
            << copy << 71 << true << int(mb::Cancel) << ready << Outcome::Unchanged;
        QTest::newRow("75 copy") << copy << 75 << true << int(mb::Ok)
                                 << "Cannot copy the image to %T. The image was not moved."
                                 << Outcome::Unchanged;
        QTest::newRow("52 copy reported")
            << copy << 52 << true << int(mb::Ok)
            << "An error has occurred!\r\n\r\nError: 52\r\nDescription: Bad file name or number"
            << Outcome::Unchanged;
        QTest::newRow("61 delete, OK") << remove << 61 << false << int(mb::Ok) << full << Outcome::Moved;
        QTest::newRow("71 delete, OK") << remove << 71 << false << int(mb::Ok) << ready << Outcome::Moved;
        QTest::newRow("71 delete, Cancel")
            << remove << 71 << true << int(mb::Cancel) << ready << Outcome::Unchanged;
        QTest::newRow("75 delete, OK")
            << remove << 75 << true << int(mb::Ok) << cannotDelete << Outcome::CopiedAndListed;
        QTest::newRow("70 delete, OK")
            << remove << 70 << true << int(mb::Ok) << cannotDelete << Outcome::CopiedAndListed;
        QTest::newRow("75 delete, Cancel")
            << remove << 75 << true << int(mb::Cancel) << cannotDelete << Outcome::Unchanged;
    }
    void moveFailures()
    {
        QFETCH(int, call);
        QFETCH(int, number);
        QFETCH(bool, always);
        QFETCH(int, answer);
        QFETCH(QString, message);
        QFETCH(Outcome, outcome);
        Moving m;
        // A failing delete strikes the source only: a move that is quit takes
        // its copy back.
        const QString on = FsCall(call) == FsCall::RemoveFile ? m.source : QString();
        if (always)
            m.f.fileSystem.failAlways(FsCall(call), number, on);
        else if (number)
            m.f.fileSystem.failOnce(FsCall(call), number, on);
        if (answer)
            m.f.dialogs.answerMessage(answer);
        m.run();
        QCOMPARE(m.f.dialogs.messageTexts(),
                 message.isEmpty() ? QStringList()
                                   : QStringList({message.replace("%S", m.source).replace("%T", m.target)}));
        const bool listed = outcome == Outcome::Moved || outcome == Outcome::CopiedAndListed;
        Files expected;
        if (outcome != Outcome::Moved)
            expected.insert("src/a.jpg", "picture");
        if (outcome != Outcome::Unchanged)
            expected.insert("dst/a.jpg", "picture");
        QCOMPARE(m.f.files(), expected);
        // The source's thumbnails go only with the source itself.
        QCOMPARE(m.f.cachedThumbnails(m.source), outcome == Outcome::Moved ? 0 : 6);
        QCOMPARE(m.f.rows(m.f.lstImages), QStringList({listed ? m.target : m.source}));
        QCOMPARE(m.f.state.ContextImage, listed ? m.target : QString());
    }

    void quitAfterTheCopyTakesBackOnlyANewCopy_data()
    {
        QTest::addColumn<bool>("taken");
        QTest::addColumn<bool>("copyStuck");
        QTest::addColumn<Files>("after");
        QTest::newRow("new copy") << false << false << Files{{"src/a.jpg", "picture"}};
        QTest::newRow("copy that replaced a file")
            << true << false << Files{{"src/a.jpg", "picture"}, {"dst/a.jpg", "picture"}};
        QTest::newRow("copy that cannot be removed")
            << false << true << Files{{"src/a.jpg", "picture"}, {"dst/a.jpg", "picture"}};
    }
    void quitAfterTheCopyTakesBackOnlyANewCopy()
    {
        QFETCH(bool, taken);
        QFETCH(bool, copyStuck);
        QFETCH(Files, after);
        Moving m;
        QStringList expected;
        if (taken) {
            m.f.put("dst/a.jpg", "another image");
            m.f.dialogs.answerMessage(mb::Yes);
            expected << "A file named a.jpg is already in " + m.f.path("dst") +
                            ". Do you want to replace it with this image?";
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
        QCOMPARE(m.f.files(), after);
        QCOMPARE(m.f.rows(m.f.lstImages), QStringList({m.source}));
        QVERIFY(m.f.state.ContextImage.isEmpty());
    }
};

LUMARINE_REGISTER_TEST(TestMoveImage)
#include "tst_moveimage.moc"
