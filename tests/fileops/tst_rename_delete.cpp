// Renaming and deleting one image: the file on disk, the target list, the
// list boxes and the context image after every answer and failure.
#include "opsfixture.h"
#include "support/testmain.h"

using namespace platform;
using testsupport::FsCall;

class TestRenameDelete : public QObject {
    Q_OBJECT

private slots:
    // Each answer after a refusal is followed by OK and the question again.
    void renameTakesAPlainFreeName_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QString>("newName"); // empty: nothing changes
        QTest::newRow("no suffix") << QStringList{"Holiday"} << ""
                                   << "Holiday.jpg";
        QTest::newRow("upper-case suffix") << QStringList{"PHOTO.JPG"} << ""
                                           << "PHOTO.JPG.jpg";
        QTest::newRow("suffix") << QStringList{"a.jpg"} << ""
                                << "a.jpg";
        QTest::newRow("taken") << QStringList{"taken", "free"} << "That file already exists!"
                               << "free.jpg";
        QTest::newRow("cancelled") << QStringList{""} << ""
                                   << "";
        const QString invalid = "That is not a valid file name!";
        QTest::newRow("into the parent") << QStringList{"../escaped", ""} << invalid << "";
        QTest::newRow("into a folder") << QStringList{"sub/x.jpg", ""} << invalid << "";
        QTest::newRow("absolute") << QStringList{"/tmp/elsewhere", ""} << invalid << "";
    }
    void renameTakesAPlainFreeName()
    {
        QFETCH(QStringList, answers);
        QFETCH(QString, refusal);
        QFETCH(QString, newName);
        OpsFixture f;
        const QString old = f.put("old.jpg", "picture"), taken = f.put("taken.jpg", "taken");
        f.put("sub/keep.jpg", "kept");
        for (const QString& path : {old, taken}) {
            f.list(path);
            f.cacheThumbnails(path);
        }
        for (const QString& answer : answers) {
            f.dialogs.answerInput(answer);
            if (answer != answers.last())
                f.dialogs.answerMessage(mb::Ok);
        }
        auto ops = f.ops();
        fileops::RenameImage(ops, f.state.MainImages, old);
        QVERIFY(f.dialogs.scriptDone());
        QCOMPARE(f.dialogs.asked().first().text, "Enter the new file name for this image (" + old + "):");
        QCOMPARE(f.dialogs.lastInputDefault, QStringLiteral("old.jpg"));
        QCOMPARE(f.dialogs.messageTexts(), refusal.isEmpty() ? QStringList() : QStringList{refusal});
        const QString renamed = newName.isEmpty() ? QString() : f.path(newName);
        QCOMPARE(f.files(), (Files{{newName.isEmpty() ? "old.jpg" : newName, "picture"},
                                   {"taken.jpg", "taken"},
                                   {"sub/keep.jpg", "kept"}}));
        // The entry goes to the end of its list; the old name's thumbnails leave the shared cache.
        QCOMPARE(f.rows(f.lstImages),
                 renamed.isEmpty() ? QStringList({old, taken}) : QStringList({taken, renamed}));
        QCOMPARE(f.state.ContextImage, renamed);
        QCOMPARE(QList<int>({f.cachedThumbnails(old), f.cachedThumbnails(taken)}),
                 QList<int>({renamed.isEmpty() ? 6 : 0, 6}));
    }

    void renameFailures_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("removeAnswer"); // 0: no such question
        QTest::addColumn<QStringList>("messages");
        const QStringList gone{"That file no longer exists at that location.",
                               "Do you want to remove it from this list?"};
        QTest::newRow("53, removed") << 53 << int(mb::Yes) << gone;
        QTest::newRow("53, kept") << 53 << int(mb::No) << gone;
        QTest::newRow("75") << 75 << 0 << QStringList{"Disk access error."};
        QTest::newRow("70 reported") << 70 << 0
                                     << QStringList{"An error has occurred!\r\n\r\nError: 70\r\nDescription: "
                                                    "Permission denied"};
    }
    void renameFailures()
    {
        QFETCH(int, number);
        QFETCH(int, removeAnswer);
        QFETCH(QStringList, messages);
        OpsFixture f;
        const QString old = f.put("old.jpg", "picture");
        f.list(old, true);
        f.state.ContextImage = old;
        f.fileSystem.failOnce(FsCall::Rename, number);
        f.dialogs.answerInput("new");
        f.dialogs.answerMessage(mb::Ok);
        if (removeAnswer)
            f.dialogs.answerMessage(removeAnswer);
        auto ops = f.ops();
        fileops::RenameImage(ops, f.state.MainImages, old);
        QCOMPARE(f.dialogs.messageTexts(), messages);
        QCOMPARE(f.files(), (Files{{"old.jpg", "picture"}}));
        // Only the target list changes.
        QCOMPARE(f.rows(f.lstImages), removeAnswer == mb::Yes ? QStringList() : QStringList{old});
        QCOMPARE(f.rows(f.lstFavorites), QStringList{old});
        QCOMPARE(f.state.ContextImage, old);
    }

    // Deleting from the favourites: only that list changes, and only a file
    // that is deleted or already gone leaves it.
    void deleteAnswersAndFailures_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("number"); // the failure of the delete; 53: the file is already gone
        QTest::addColumn<QString>("message");
        const QString protectedText = "Cannot delete this image!  It may be read only or write protected.";
        const QString reported = "An error has occurred!\r\n\r\nError: %1\r\nDescription: %2";
        QTest::newRow("yes") << int(mb::Yes) << 0 << QString();
        QTest::newRow("no") << int(mb::No) << 0 << QString();
        QTest::newRow("75") << int(mb::Yes) << 75 << protectedText;
        QTest::newRow("70 permission") << int(mb::Yes) << 70 << protectedText;
        QTest::newRow("71, file still there") << int(mb::Yes) << 71 << reported.arg(71).arg("Disk not ready");
        QTest::newRow("53, already gone") << int(mb::Yes) << 53 << reported.arg(53).arg("File not found");
    }
    void deleteAnswersAndFailures()
    {
        QFETCH(int, answer);
        QFETCH(int, number);
        QFETCH(QString, message);
        OpsFixture f;
        const QString image = number == 53 ? f.path("a.jpg") : f.put("a.jpg", "picture");
        const QString other = f.put("b.jpg", "other");
        f.list(image, true);
        f.list(other);
        f.cacheThumbnails(other);
        if (number != 53)
            f.cacheThumbnails(image);
        if (number != 0 && number != 53)
            f.fileSystem.failAlways(FsCall::RemoveFile, number);
        f.dialogs.answerMessage(answer);
        if (!message.isEmpty())
            f.dialogs.answerMessage(mb::Ok);
        auto ops = f.ops();
        fileops::DeleteImage(ops, f.state.Favorites, image);
        QCOMPARE(f.dialogs.messageTexts(),
                 QStringList({"Permanently remove image?", message}).mid(0, message.isEmpty() ? 1 : 2));
        QCOMPARE(f.dialogs.asked().first().style, mb::YesNo + mb::Question);
        const bool deleted = answer == mb::Yes && (number == 0 || number == 53);
        Files expected{{"b.jpg", "other"}};
        if (!deleted)
            expected.insert("a.jpg", "picture");
        QCOMPARE(f.files(), expected);
        QCOMPARE(QList<int>({f.cachedThumbnails(image), f.cachedThumbnails(other)}),
                 QList<int>({deleted ? 0 : 6, 6}));
        QCOMPARE(f.rows(f.lstImages), QStringList({image, other}));
        QCOMPARE(f.rows(f.lstFavorites), deleted ? QStringList() : QStringList{image});
        QCOMPARE(f.state.ContextImage, deleted ? QStringLiteral("DELETE") : QString());
    }

    void menuLeavesTheContextImageForAShowingDisplay_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<bool>("displayVisible");
        QTest::addColumn<QString>("context"); // "%1" stands for the temporary folder
        QTest::addColumn<QString>("message");
        QTest::newRow("rename, display shown") << fileops::entry::Rename << true << "%1/new.jpg"
                                               << "";
        QTest::newRow("rename, display hidden") << fileops::entry::Rename << false << ""
                                                << "";
        QTest::newRow("delete, display shown") << fileops::entry::Delete << true << "DELETE"
                                               << "Permanently remove image?";
        QTest::newRow("delete, display hidden") << fileops::entry::Delete << false << ""
                                                << "Permanently remove image?";
        QTest::newRow("display, display shown") << fileops::entry::Display << true << "%1/old.jpg"
                                                << "";
        QTest::newRow("move, display shown") << fileops::entry::Move << true << "%1/dst/old.jpg"
                                             << "";
        QTest::newRow("move, display hidden") << fileops::entry::Move << false << ""
                                              << "";
        QTest::newRow("add to favourites") << fileops::entry::AddToFavorites << true << "%1/old.jpg"
                                           << "";
        QTest::newRow("remove from favourites") << fileops::entry::RemoveFromFavorites << true << "%1/old.jpg"
                                                << "";
        QTest::newRow("remove a path that is no favourite")
            << fileops::entry::RemoveFromFavorites << false << ""
            << "An error has occurred!\r\n\r\nError: 5\r\nDescription: Invalid procedure call or argument";
        QTest::newRow("saved list, display hidden") << fileops::entry::AddToSavedList << false << ""
                                                    << "";
        QTest::newRow("copy, display shown") << fileops::entry::CopyFile << true << "%1/old.jpg"
                                             << "";
    }
    void menuLeavesTheContextImageForAShowingDisplay()
    {
        QFETCH(int, entry);
        QFETCH(bool, displayVisible);
        QFETCH(QString, context);
        QFETCH(QString, message);
        OpsFixture f;
        const QString old = f.put("old.jpg", "picture");
        f.list(old, entry == fileops::entry::RemoveFromFavorites && message.isEmpty());
        f.state.Favorites.Add(f.path("other.jpg"));
        f.state.ContextImage = old;
        if (entry == fileops::entry::Rename)
            f.dialogs.answerInput("new");
        if (!message.isEmpty())
            f.dialogs.answerMessage(entry == fileops::entry::Delete ? mb::Yes : mb::Ok);
        if (entry == fileops::entry::Move) {
            QDir().mkpath(f.path("dst"));
            f.folders << f.path("dst");
        }
        if (entry == fileops::entry::AddToSavedList || entry == fileops::entry::CopyFile)
            f.dialogs.answerSaveFile(f.path("saved"));
        f.runCommand(entry, displayVisible, &f.state.MainImages);
        QCOMPARE(f.state.ContextImage, context.arg(f.dir.path()));
        QCOMPARE(f.displayed, entry == fileops::entry::Display ? QStringList{old} : QStringList());
        QVERIFY(f.dialogs.scriptDone());
        QCOMPARE(f.dialogs.messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(f.rows(f.lstFavorites).first(), f.path("other.jpg"));
        QCOMPARE(f.rows(f.lstFavorites).size(), entry == fileops::entry::AddToFavorites ? 2 : 1);
    }
};

LUMARINE_REGISTER_TEST(TestRenameDelete)
#include "tst_rename_delete.moc"
