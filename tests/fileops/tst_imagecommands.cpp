// The commands on one image (rename, delete, copy, the clipboard, saved lists,
// favourites): the files on disk, the lists and the context image after every
// answer and failure.
#include "opsfixture.h"

#include "platform/basui.h"

#include <QClipboard>
#include <QMimeData>

using namespace platform;
using testsupport::FsCall;

class TestImageCommands : public QObject {
    Q_OBJECT

private slots:
    // Renaming old.jpg in the image list or deleting it from the favourites:
    // only the target list changes, a renamed entry going to its end; the old
    // name's thumbnails leave the shared cache.
    void renameOrDeleteChangesOnlyTheTargetList_data()
    {
        QTest::addColumn<bool>("del");
        QTest::addColumn<QVariantList>("answers"); // a text to the input box, a number to a message
        QTest::addColumn<int>("failure");          // of the rename, once, or of the delete, always
        QTest::addColumn<QStringList>("messages");
        // The name after a rename; empty: unchanged; "-": unlisted; "DELETE": deleted.
        QTest::addColumn<QString>("after");
        const QString invalid = "That is not a valid file name!", ask = "Permanently remove image?";
        const QString protectedText = "Cannot delete this image!  It may be read only or write protected.";
        const QString reported = "An error has occurred!\r\n\r\nError: %1\r\nDescription: %2";
        const QStringList gone{"That file no longer exists at that location.",
                               "Do you want to remove it from this list?"};
        QTest::newRow("no suffix") << false << QVariantList{"Holiday"} << 0 << QStringList() << "Holiday.jpg";
        QTest::newRow("suffix") << false << QVariantList{"a.jpg"} << 0 << QStringList() << "a.jpg";
        QTest::newRow("taken") << false << QVariantList{"taken", mb::Ok, "free"} << 0
                               << QStringList{"That file already exists!"} << "free.jpg";
        QTest::newRow("cancelled") << false << QVariantList{""} << 0 << QStringList() << "";
        QTest::newRow("into a folder")
            << false << QVariantList{"sub/x.jpg", mb::Ok, ""} << 0 << QStringList{invalid} << "";
        QTest::newRow("53, removed") << false << QVariantList{"new", mb::Ok, mb::Yes} << 53 << gone << "-";
        QTest::newRow("53, kept") << false << QVariantList{"new", mb::Ok, mb::No} << 53 << gone << "";
        QTest::newRow("75") << false << QVariantList{"new", mb::Ok} << 75 << QStringList{"Disk access error."}
                            << "";
        QTest::newRow("70 reported") << false << QVariantList{"new", mb::Ok} << 70
                                     << QStringList{reported.arg(70).arg("Permission denied")} << "";
        QTest::newRow("delete") << true << QVariantList{mb::Yes} << 0 << QStringList{ask} << "DELETE";
        QTest::newRow("delete, no") << true << QVariantList{mb::No} << 0 << QStringList{ask} << "";
        QTest::newRow("delete, 75") << true << QVariantList{mb::Yes, mb::Ok} << 75
                                    << QStringList{ask, protectedText} << "";
        QTest::newRow("delete, 70 permission")
            << true << QVariantList{mb::Yes, mb::Ok} << 70 << QStringList{ask, protectedText} << "";
        QTest::newRow("delete, 71, file still there")
            << true << QVariantList{mb::Yes, mb::Ok} << 71
            << QStringList{ask, reported.arg(71).arg("Disk not ready")} << "";
        QTest::newRow("delete, 53, already gone")
            << true << QVariantList{mb::Yes, mb::Ok} << 53
            << QStringList{ask, reported.arg(53).arg("File not found")} << "DELETE";
    }
    void renameOrDeleteChangesOnlyTheTargetList()
    {
        QFETCH(bool, del);
        QFETCH(QVariantList, answers);
        QFETCH(int, failure);
        QFETCH(QStringList, messages);
        QFETCH(QString, after);
        OpsFixture f;
        const QString old = f.put("old.jpg", "picture"), taken = f.put("taken.jpg", "taken");
        f.put("sub/keep.jpg", "kept");
        f.list(old, true);
        f.list(taken);
        f.cacheThumbnails(old);
        f.cacheThumbnails(taken);
        for (const QVariant& answer : answers)
            answer.typeId() == QMetaType::Int ? f.dialogs.answerMessage(answer.toInt())
                                              : f.dialogs.answerInput(answer.toString());
        if (del && failure == 53)
            QVERIFY(QFile::remove(old));
        else if (del && failure)
            f.fileSystem.failAlways(FsCall::RemoveFile, failure);
        else if (failure)
            f.fileSystem.failOnce(FsCall::Rename, failure);
        f.state.ContextImage = failure && !del ? old : QString();
        auto ops = f.ops();
        del ? fileops::DeleteImage(ops, f.state.Favorites, old)
            : fileops::RenameImage(ops, f.state.MainImages, old);
        QVERIFY(f.dialogs.scriptDone());
        QCOMPARE(std::tuple(f.dialogs.asked().first().text, f.dialogs.messageTexts()),
                 std::tuple(del ? QStringLiteral("Permanently remove image?")
                                : "Enter the new file name for this image (" + old + "):",
                            messages));
        QCOMPARE(f.dialogs.lastInputDefault, del ? QString() : QStringLiteral("old.jpg"));
        const bool renamed = after.endsWith(".jpg"), deleted = after == "DELETE";
        Files expected{{"taken.jpg", "taken"}, {"sub/keep.jpg", "kept"}};
        if (!deleted)
            expected.insert(renamed ? after : "old.jpg", "picture");
        QCOMPARE(f.files(), expected);
        QStringList rows{taken};
        if (del || after.isEmpty())
            rows.prepend(old);
        if (renamed)
            rows << f.path(after);
        QCOMPARE(std::tuple(f.rows(f.lstImages), f.rows(f.lstFavorites), f.state.ContextImage,
                            f.cachedThumbnails(old), f.cachedThumbnails(taken)),
                 std::tuple(rows, deleted ? QStringList() : QStringList{old},
                            renamed           ? f.path(after)
                            : deleted         ? "DELETE"
                            : failure && !del ? old
                                              : QString(),
                            renamed || deleted ? 0 : 6, 6));
    }

    // Run from the image menu on old.jpg, which the favourites may hold
    // besides other.jpg.
    void menuLeavesTheContextImageForAShowingDisplay_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<bool>("favourite");
        QTest::addColumn<bool>("displayVisible");
        QTest::addColumn<QString>("context"); // "%1" stands for the temporary folder
        QTest::addColumn<QString>("message");
        QTest::addColumn<Files>("files"); // "%1" in a file's bytes stands for the temporary folder
        using namespace fileops::entry;
        const QString ask = "Permanently remove image?", none;
        const Files old{{"old.jpg", "picture"}};
        QTest::newRow("rename, display shown")
            << Rename << false << true << "%1/new.jpg" << none << Files{{"new.jpg", "picture"}};
        QTest::newRow("delete, display shown") << Delete << false << true << "DELETE" << ask << Files();
        QTest::newRow("delete, display hidden") << Delete << false << false << none << ask << Files();
        QTest::newRow("display, display shown")
            << fileops::entry::Display << false << true << "%1/old.jpg" << none << old;
        QTest::newRow("move, display shown")
            << Move << false << true << "%1/dst/old.jpg" << none << Files{{"dst/old.jpg", "picture"}};
        QTest::newRow("add to favourites") << AddToFavorites << false << true << "%1/old.jpg" << none << old;
        QTest::newRow("add a favourite")
            << AddToFavorites << true << false << none << "Already in favorites!" << old;
        QTest::newRow("remove from favourites")
            << RemoveFromFavorites << true << true << "%1/old.jpg" << none << old;
        QTest::newRow("remove a path that is no favourite")
            << RemoveFromFavorites << false << false << none
            << "An error has occurred!\r\n\r\nError: 5\r\nDescription: Invalid procedure call or argument"
            << old;
        // Each add appends one line.
        QTest::newRow("saved list, display hidden")
            << AddToSavedList << false << false << none << none
            << Files{{"old.jpg", "picture"}, {"saved", "%1/old.jpg\r\n"}};
        QTest::newRow("copy onto itself")
            << CopyFile << false << false << none << "The image cannot be copied onto itself." << old;
        QTest::newRow("copy, display shown") << CopyFile << false << true << "%1/old.jpg" << none
                                             << Files{{"old.jpg", "picture"}, {"saved", "picture"}};
    }
    void menuLeavesTheContextImageForAShowingDisplay()
    {
        QFETCH(int, entry);
        QFETCH(bool, favourite);
        QFETCH(bool, displayVisible);
        QFETCH(QString, context);
        QFETCH(QString, message);
        QFETCH(Files, files);
        using namespace fileops::entry;
        OpsFixture f;
        const QString old = f.put("old.jpg", "picture");
        f.state.Favorites.Add(f.path("other.jpg"));
        f.list(old, favourite);
        f.state.ContextImage = old;
        if (entry == Rename)
            f.dialogs.answerInput("new");
        if (entry == AddToSavedList || entry == CopyFile)
            f.dialogs.answerSaveFile(f.path(message.isEmpty() ? "saved" : "old.jpg"));
        if (!message.isEmpty())
            f.dialogs.answerMessage(entry == Delete ? mb::Yes : mb::Ok);
        if (entry == Move) {
            QDir().mkpath(f.path("dst"));
            f.folders << f.path("dst");
        }
        f.runCommand(entry, displayVisible, &f.state.MainImages);
        QVERIFY(f.dialogs.scriptDone());
        QStringList favourites{f.path("other.jpg")};
        if (entry == AddToFavorites || (favourite && entry != RemoveFromFavorites))
            favourites << old;
        QCOMPARE(
            std::tuple(f.state.ContextImage, f.displayed, f.dialogs.messageTexts(), f.rows(f.lstFavorites)),
            std::tuple(context.arg(f.dir.path()),
                       entry == fileops::entry::Display ? QStringList{old} : QStringList(),
                       message.isEmpty() ? QStringList() : QStringList{message}, favourites));
        for (QByteArray& bytes : files)
            bytes.replace("%1", f.dir.path().toUtf8());
        QCOMPARE(f.files(), files);
    }

    // The clipboard takes a picture and, for a JPEG, its bytes; anything else is refused.
    void sourcesThatAreNoPictureAreRefusedNotWaitedFor_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("number");
        QTest::newRow("JPEG to the clipboard: picture and bytes") << "JPEG" << 0;
        QTest::newRow("PNG to the clipboard: picture only") << "PNG" << 0;
        QTest::newRow("text to the clipboard") << "text" << 481;
        QTest::newRow("FIFO to the clipboard") << "fifo" << 75;
    }
    void sourcesThatAreNoPictureAreRefusedNotWaitedFor()
    {
        QFETCH(QString, kind);
        QFETCH(int, number);
        OpsFixture f;
        const QString image = f.path("special.jpg");
        using namespace testsupport;
        QVERIFY(kind == "JPEG"   ? writeJpeg(image, QSize(64, 48))
                : kind == "PNG"  ? QImage(64, 48, QImage::Format_RGB32).save(image, "PNG")
                : kind == "text" ? writeBytes(image, "not a picture")
                                 : makeSpecialFile(kind, image));
        f.list(image);
        f.state.ContextImage = image;
        if (number)
            f.dialogs.answerMessage(mb::Ok);
        QGuiApplication::clipboard()->clear();
        f.runCommand(fileops::entry::CopyToClipboard);
        QCOMPARE(std::pair(basUI::IsBusyCursorOn(), f.rows(f.lstImages)),
                 std::pair(false, QStringList{image}));
        if (number == 0) {
            QVERIFY(f.dialogs.asked().isEmpty());
            const QMimeData* data = QGuiApplication::clipboard()->mimeData();
            QCOMPARE(qvariant_cast<QImage>(data->imageData()).size(), QSize(64, 48));
            QCOMPARE(data->data("image/jpeg"), kind == "JPEG" ? readBytes(image) : QByteArray());
            return;
        }
        QCOMPARE(f.dialogs.messageTexts().size(), 1);
        QVERIFY(f.dialogs.messageTexts().first().contains(QStringLiteral("Error: %1\r\n").arg(number)));
    }

    void removeButtonAsksAndTakesTheSelectedRow()
    {
        OpsFixture f;
        for (const char* path : {"/p/a.jpg", "/p/b.jpg", "/p/c.jpg"})
            f.state.Favorites.Add(path);
        for (int answer : {mb::Ok, mb::No, mb::Yes})
            f.dialogs.answerMessage(answer);
        auto ops = f.ops();
        for (int row : {-1, 0, 1})
            fileops::cmdRemoveFromFaves_Click(ops, row);
        const QString ask = "Remove image from favorites list?";
        QCOMPARE(std::pair(f.dialogs.messageTexts(), f.rows(f.lstFavorites)),
                 std::pair(QStringList({"You must select an image to remove.", ask, ask}),
                           QStringList({"/p/a.jpg", "/p/c.jpg"})));
    }
};

LUMARINE_REGISTER_TEST(TestImageCommands)
#include "tst_imagecommands.moc"
