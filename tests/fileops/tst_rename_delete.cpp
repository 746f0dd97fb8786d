// Renaming and deleting one image: the file on disk, the target list, the
// list boxes and the context image after every answer and failure.
#include "opsfixture.h"
#include "support/testmain.h"

#include "fileops/imagemenu.h"
#include "platform/apperror.h"

#include <QAction>
#include <QDir>

#include <memory>

using namespace platform;
using testsupport::FsCall;

class TestRenameDelete : public QObject {
    Q_OBJECT

private slots:
    void renameAddsJpegUnlessTheNameEndsSo_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("newName");
        QTest::newRow("no suffix") << "Holiday"
                                   << "Holiday.jpg";
        QTest::newRow("upper-case suffix") << "PHOTO.JPG"
                                           << "PHOTO.JPG.jpg";
        QTest::newRow("suffix") << "a.jpg"
                                << "a.jpg";
    }
    void renameAddsJpegUnlessTheNameEndsSo()
    {
        QFETCH(QString, answer);
        QFETCH(QString, newName);
        OpsFixture f;
        const QString old = f.put("pics/old.jpg", "picture");
        const QString other = f.put("pics/other.jpg", "other");
        f.list(old);
        f.list(other);
        f.cacheThumbnails(old);
        f.cacheThumbnails(other);
        f.dialogs.answerInput(answer);
        auto ops = f.ops();
        fileops::RenameImage(ops, f.state.MainImages, old);
        // The old name's thumbnails leave the shared cache; the other's stay.
        QCOMPARE(f.cachedThumbnails(old), 0);
        QCOMPARE(f.cachedThumbnails(other), 6);

        const QString renamed = f.path("pics/" + newName);
        QCOMPARE(f.files(), (Files{{"pics/" + newName, "picture"}, {"pics/other.jpg", "other"}}));
        QCOMPARE(f.dialogs.asked().first().text, "Enter the new file name for this image (" + old + "):");
        QCOMPARE(f.dialogs.lastInputDefault, QStringLiteral("old.jpg"));
        // The entry goes to the end of its list box and of the collection.
        QCOMPARE(f.rows(f.lstImages), QStringList({other, renamed}));
        QCOMPARE(f.state.ContextImage, renamed);
    }

    void renameNeverReplacesAnotherFile()
    {
        OpsFixture f;
        const QString old = f.put("old.jpg", "picture");
        f.put("taken.jpg", "someone else");
        f.list(old);
        f.dialogs.answerInput("taken");
        f.dialogs.answerMessage(mb::Ok);
        f.dialogs.answerInput("free");
        auto ops = f.ops();
        fileops::RenameImage(ops, f.state.MainImages, old);
        QCOMPARE(f.dialogs.asked().at(1).text, QStringLiteral("That file already exists!"));
        QCOMPARE(f.dialogs.asked().at(1).style, mb::OkOnly + mb::Exclamation);
        QCOMPARE(f.dialogs.asked().at(2).text, "Enter the new file name for this image (" + old + "):");
        QCOMPARE(f.files(), (Files{{"free.jpg", "picture"}, {"taken.jpg", "someone else"}}));
        QCOMPARE(f.rows(f.lstImages), QStringList({f.path("free.jpg")}));
    }

    void renameCancelledOrGivenAPathChangesNothing_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::newRow("cancelled") << "";
        QTest::newRow("into the parent") << "../escaped";
        QTest::newRow("into a folder") << "sub/x.jpg";
        QTest::newRow("absolute") << "/tmp/elsewhere";
    }
    void renameCancelledOrGivenAPathChangesNothing()
    {
        QFETCH(QString, answer);
        OpsFixture f;
        const QString old = f.put("pics/old.jpg", "picture");
        f.put("pics/sub/keep.jpg", "kept");
        f.list(old);
        f.dialogs.answerInput(answer);
        if (!answer.isEmpty()) {
            f.dialogs.answerMessage(mb::Ok);
            f.dialogs.answerInput({});
        }
        auto ops = f.ops();
        fileops::RenameImage(ops, f.state.MainImages, old);
        QVERIFY(f.dialogs.scriptDone());
        QCOMPARE(f.dialogs.messageTexts(),
                 answer.isEmpty() ? QStringList() : QStringList({"That is not a valid file name!"}));
        QVERIFY(f.state.ContextImage.isEmpty());
        QCOMPARE(f.files(), (Files{{"pics/old.jpg", "picture"}, {"pics/sub/keep.jpg", "kept"}}));
        QCOMPARE(f.rows(f.lstImages), QStringList({old}));
    }

    void renameFailures_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("removeAnswer"); // 0: no such question
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("stillListed");
        const QString gone = "That file no longer exists at that location.";
        const QString ask = "Do you want to remove it from this list?";
        QTest::newRow("53, removed") << 53 << int(mb::Yes) << QStringList({gone, ask}) << false;
        QTest::newRow("53, kept") << 53 << int(mb::No) << QStringList({gone, ask}) << true;
        QTest::newRow("75") << 75 << 0 << QStringList({"Disk access error."}) << true;
        QTest::newRow("70 reported") << 70 << 0
                                     << QStringList(
                                            {"An error has occurred!\r\n\r\nError: 70\r\nDescription: "
                                             "Permission denied"})
                                     << true;
    }
    void renameFailures()
    {
        QFETCH(int, number);
        QFETCH(int, removeAnswer);
        QFETCH(QStringList, messages);
        QFETCH(bool, stillListed);
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
        QCOMPARE(f.rows(f.lstImages), stillListed ? QStringList({old}) : QStringList());
        // Only the target list and its box change.
        QCOMPARE(f.rows(f.lstFavorites), QStringList({old}));
        QCOMPARE(f.state.ContextImage, old);
    }

    // Deleting from the favourites: only that list and its box change, and
    // only a file that is deleted or already gone leaves it.
    void deleteAnswersAndFailures_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("number"); // the failure of the delete; 53: the file is already gone
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("fileLeft");
        QTest::addColumn<bool>("unlisted");
        const QString protectedText = "Cannot delete this image!  It may be read only or write protected.";
        const QString reported = "An error has occurred!\r\n\r\nError: %1\r\nDescription: %2";
        QTest::newRow("yes") << int(mb::Yes) << 0 << QString() << false << true;
        QTest::newRow("no") << int(mb::No) << 0 << QString() << true << false;
        QTest::newRow("75") << int(mb::Yes) << 75 << protectedText << true << false;
        QTest::newRow("70 permission") << int(mb::Yes) << 70 << protectedText << true << false;
        QTest::newRow("71, file still there")
            << int(mb::Yes) << 71 << reported.arg(71).arg("Disk not ready") << true << false;
        QTest::newRow("53, already gone: unlisted")
            << int(mb::Yes) << 53 << reported.arg(53).arg("File not found") << false << true;
    }
    void deleteAnswersAndFailures()
    {
        QFETCH(int, answer);
        QFETCH(int, number);
        QFETCH(QString, message);
        QFETCH(bool, fileLeft);
        QFETCH(bool, unlisted);
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
        QStringList texts{"Permanently remove image?"};
        if (!message.isEmpty())
            texts << message;
        QCOMPARE(f.dialogs.messageTexts(), texts);
        QCOMPARE(f.dialogs.asked().first().style, mb::YesNo + mb::Question);
        Files expected{{"b.jpg", "other"}};
        if (fileLeft)
            expected.insert("a.jpg", "picture");
        QCOMPARE(f.files(), expected);
        QCOMPARE(f.cachedThumbnails(image), fileLeft ? 6 : 0);
        QCOMPARE(f.cachedThumbnails(other), 6);
        QCOMPARE(f.rows(f.lstImages), QStringList({image, other}));
        QCOMPARE(f.rows(f.lstFavorites), unlisted ? QStringList() : QStringList({image}));
        QCOMPARE(f.state.ContextImage, unlisted ? QStringLiteral("DELETE") : QString());
    }

    void menuLeavesTheContextImageForAShowingDisplay_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<bool>("displayVisible");
        QTest::addColumn<QString>("context"); // "%1" stands for the temporary folder
        QTest::newRow("rename, display shown") << fileops::entry::Rename << true << "%1/new.jpg";
        QTest::newRow("rename, display hidden") << fileops::entry::Rename << false << QString();
        QTest::newRow("delete, display shown") << fileops::entry::Delete << true << "DELETE";
        QTest::newRow("delete, display hidden") << fileops::entry::Delete << false << QString();
        QTest::newRow("display, display shown") << fileops::entry::Display << true << "%1/old.jpg";
        QTest::newRow("move, display shown") << fileops::entry::Move << true << "%1/dst/old.jpg";
        QTest::newRow("move, display hidden") << fileops::entry::Move << false << QString();
        QTest::newRow("add to favourites, display shown")
            << fileops::entry::AddToFavorites << true << "%1/old.jpg";
        QTest::newRow("remove from favourites, display shown")
            << fileops::entry::RemoveFromFavorites << true << "%1/old.jpg";
        QTest::newRow("saved list, display hidden") << fileops::entry::AddToSavedList << false << QString();
        QTest::newRow("copy, display shown") << fileops::entry::CopyFile << true << "%1/old.jpg";
    }
    void menuLeavesTheContextImageForAShowingDisplay()
    {
        QFETCH(int, entry);
        QFETCH(bool, displayVisible);
        QFETCH(QString, context);
        OpsFixture f;
        const QString old = f.put("old.jpg", "picture");
        f.list(old);
        f.state.ContextImage = old;
        if (entry == fileops::entry::Rename)
            f.dialogs.answerInput("new");
        if (entry == fileops::entry::Delete)
            f.dialogs.answerMessage(mb::Yes);
        if (entry == fileops::entry::Move) {
            QDir().mkpath(f.path("dst"));
            f.folders << f.path("dst");
        }
        if (entry == fileops::entry::RemoveFromFavorites) {
            auto adding = f.ops();
            fileops::AddImageToFavorites(adding, old);
        }
        if (entry == fileops::entry::AddToSavedList)
            f.dialogs.answerSaveFile(f.path("saved.lum"));
        if (entry == fileops::entry::CopyFile)
            f.dialogs.answerSaveFile(f.path("copy.jpg"));
        f.runCommand(entry, displayVisible, &f.state.MainImages);
        QCOMPARE(f.state.ContextImage, context.contains("%1") ? context.arg(f.dir.path()) : context);
        if (entry == fileops::entry::Display)
            QCOMPARE(f.displayed, QStringList({old}));
        QVERIFY(f.dialogs.scriptDone());
        QCOMPARE(f.dialogs.messageTexts(), entry == fileops::entry::Delete
                                               ? QStringList({"Permanently remove image?"})
                                               : QStringList());
    }
};

LUMARINE_REGISTER_TEST(TestRenameDelete)
#include "tst_rename_delete.moc"
