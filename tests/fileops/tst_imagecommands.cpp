// The commands on one image (rename, delete, copy, the clipboard, saved lists,
// favourites): the files on disk, the lists and the context image after every
// answer and failure; a path that is no picture is refused, not waited for.
#include "opsfixture.h"
#include "support/jpegfixtures.h"

#include "platform/basui.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

using namespace platform;
using testsupport::FsCall;

namespace {

struct CopyRow {
    QString chosen; // empty: cancelled
    QList<int> answers;
    QStringList messages; // "%R" stands for the temporary folder
    QByteArray targetAfter;
    int injected = 0; // a failure of the copy
};

} // namespace

class TestImageCommands : public QObject {
    Q_OBJECT

private slots:
    // The answers in order: a text to the input box, a number to a message.
    void renameTakesAPlainFreeNameOrChangesNothing_data()
    {
        QTest::addColumn<QVariantList>("answers");
        QTest::addColumn<int>("failure"); // of the rename
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("newName"); // empty: the file keeps its name; "-": unlisted
        const QString invalid = "That is not a valid file name!";
        const QStringList gone{"That file no longer exists at that location.",
                               "Do you want to remove it from this list?"};
        QTest::newRow("no suffix") << QVariantList{"Holiday"} << 0 << QStringList() << "Holiday.jpg";
        QTest::newRow("suffix") << QVariantList{"a.jpg"} << 0 << QStringList() << "a.jpg";
        QTest::newRow("taken") << QVariantList{"taken", mb::Ok, "free"} << 0
                               << QStringList{"That file already exists!"} << "free.jpg";
        QTest::newRow("cancelled") << QVariantList{""} << 0 << QStringList() << "";
        QTest::newRow("into a folder")
            << QVariantList{"sub/x.jpg", mb::Ok, ""} << 0 << QStringList{invalid} << "";
        QTest::newRow("53, removed") << QVariantList{"new", mb::Ok, mb::Yes} << 53 << gone << "-";
        QTest::newRow("53, kept") << QVariantList{"new", mb::Ok, mb::No} << 53 << gone << "";
        QTest::newRow("75") << QVariantList{"new", mb::Ok} << 75 << QStringList{"Disk access error."} << "";
        QTest::newRow("70 reported")
            << QVariantList{"new", mb::Ok} << 70
            << QStringList{"An error has occurred!\r\n\r\nError: 70\r\nDescription: Permission denied"} << "";
    }
    void renameTakesAPlainFreeNameOrChangesNothing()
    {
        QFETCH(QVariantList, answers);
        QFETCH(int, failure);
        QFETCH(QStringList, messages);
        QFETCH(QString, newName);
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
        if (failure) {
            f.fileSystem.failOnce(FsCall::Rename, failure);
            f.state.ContextImage = old;
        }
        auto ops = f.ops();
        fileops::RenameImage(ops, f.state.MainImages, old);
        QVERIFY(f.dialogs.scriptDone());
        QCOMPARE(
            std::tuple(f.dialogs.asked().first().text, f.dialogs.lastInputDefault, f.dialogs.messageTexts()),
            std::tuple("Enter the new file name for this image (" + old + "):", QStringLiteral("old.jpg"),
                       messages));
        const bool renamed = newName.endsWith(".jpg");
        Files expected{{"taken.jpg", "taken"}, {"sub/keep.jpg", "kept"}};
        expected.insert(renamed ? newName : "old.jpg", "picture");
        QCOMPARE(f.files(), expected);
        // Only the target list changes: the entry goes to its end. The old
        // name's thumbnails leave the shared cache.
        QStringList rows{taken};
        if (!renamed && newName.isEmpty())
            rows.prepend(old);
        if (renamed)
            rows << f.path(newName);
        QCOMPARE(std::tuple(f.rows(f.lstImages), f.rows(f.lstFavorites), f.state.ContextImage,
                            f.cachedThumbnails(old), f.cachedThumbnails(taken)),
                 std::tuple(rows, QStringList{old},
                            renamed   ? f.path(newName)
                            : failure ? old
                                      : QString(),
                            renamed ? 0 : 6, 6));
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
        QCOMPARE(
            std::pair(f.dialogs.messageTexts(), f.dialogs.asked().first().style),
            std::pair(QStringList({"Permanently remove image?", message}).mid(0, message.isEmpty() ? 1 : 2),
                      int(mb::YesNo + mb::Question)));
        const bool deleted = answer == mb::Yes && (number == 0 || number == 53);
        Files expected{{"b.jpg", "other"}};
        if (!deleted)
            expected.insert("a.jpg", "picture");
        QCOMPARE(f.files(), expected);
        QCOMPARE(std::tuple(f.cachedThumbnails(image), f.cachedThumbnails(other), f.rows(f.lstImages),
                            f.rows(f.lstFavorites), f.state.ContextImage),
                 std::tuple(deleted ? 0 : 6, 6, QStringList({image, other}),
                            deleted ? QStringList() : QStringList{image}, deleted ? "DELETE" : QString()));
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
        using namespace fileops::entry;
        const QString ask = "Permanently remove image?", none;
        QTest::newRow("rename, display shown") << Rename << false << true << "%1/new.jpg" << none;
        QTest::newRow("delete, display shown") << Delete << false << true << "DELETE" << ask;
        QTest::newRow("delete, display hidden") << Delete << false << false << none << ask;
        QTest::newRow("display, display shown")
            << fileops::entry::Display << false << true << "%1/old.jpg" << none;
        QTest::newRow("move, display shown") << Move << false << true << "%1/dst/old.jpg" << none;
        QTest::newRow("add to favourites") << AddToFavorites << false << true << "%1/old.jpg" << none;
        QTest::newRow("add a favourite")
            << AddToFavorites << true << false << none << "Already in favorites!";
        QTest::newRow("remove from favourites")
            << RemoveFromFavorites << true << true << "%1/old.jpg" << none;
        QTest::newRow("remove a path that is no favourite")
            << RemoveFromFavorites << false << false << none
            << "An error has occurred!\r\n\r\nError: 5\r\nDescription: Invalid procedure call or argument";
        QTest::newRow("saved list, display hidden") << AddToSavedList << false << false << none << none;
        QTest::newRow("copy, display shown") << CopyFile << false << true << "%1/old.jpg" << none;
    }
    void menuLeavesTheContextImageForAShowingDisplay()
    {
        QFETCH(int, entry);
        QFETCH(bool, favourite);
        QFETCH(bool, displayVisible);
        QFETCH(QString, context);
        QFETCH(QString, message);
        using namespace fileops::entry;
        OpsFixture f;
        const QString old = f.put("old.jpg", "picture");
        f.state.Favorites.Add(f.path("other.jpg"));
        f.list(old, favourite);
        f.state.ContextImage = old;
        if (entry == Rename)
            f.dialogs.answerInput("new");
        if (!message.isEmpty())
            f.dialogs.answerMessage(entry == Delete ? mb::Yes : mb::Ok);
        if (entry == Move) {
            QDir().mkpath(f.path("dst"));
            f.folders << f.path("dst");
        }
        if (entry == AddToSavedList || entry == CopyFile)
            f.dialogs.answerSaveFile(f.path("saved"));
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
    }

    void copyWritesTheChosenFile_data()
    {
        QTest::addColumn<CopyRow>("row");
        const QString taken =
            "A file named old.jpg is already in %R. Do you want to replace it with this image?";
        QTest::newRow("new file") << CopyRow{"copy.jpg", {}, {}, "picture"};
        QTest::newRow("taken, replaced") << CopyRow{"old.jpg", {mb::Yes}, {taken}, "picture"};
        QTest::newRow("taken, kept") << CopyRow{"old.jpg", {mb::No}, {taken}, "old"};
        QTest::newRow("taken, replaced, disk full")
            << CopyRow{"old.jpg",
                       {mb::Yes, mb::Ok},
                       {taken, "An error has occurred!\r\n\r\nError: 61\r\nDescription: Disk full"},
                       "old",
                       61};
        QTest::newRow("onto itself") << CopyRow{
            "a.jpg", {mb::Ok}, {"The image cannot be copied onto itself."}, "picture"};
        QTest::newRow("cancelled") << CopyRow{{}, {}, {}, {}};
    }
    void copyWritesTheChosenFile()
    {
        QFETCH(CopyRow, row);
        OpsFixture f;
        const QString image = f.put("a.jpg", "picture");
        f.put("old.jpg", "old");
        f.list(image);
        f.state.ContextImage = image;
        f.dialogs.answerSaveFile(row.chosen.isEmpty() ? QString() : f.path(row.chosen));
        for (int answer : row.answers)
            f.dialogs.answerMessage(answer);
        if (row.injected)
            f.fileSystem.failOnce(FsCall::CopyFile, row.injected);
        f.runCommand(fileops::entry::CopyFile);
        QVERIFY(f.dialogs.scriptDone());
        QCOMPARE(std::tuple(f.dialogs.fileDialogs.first().title, f.dialogs.fileDialogs.first().filter,
                            f.dialogs.messageTexts()),
                 std::tuple(QStringLiteral("Copy image to file:"), QStringLiteral("JPG Files (*.jpg)|*.jpg"),
                            row.messages.replaceInStrings("%R", f.dir.path())));
        Files expected{{"a.jpg", "picture"}, {"old.jpg", "old"}};
        if (!row.chosen.isEmpty())
            expected.insert(row.chosen, row.targetAfter);
        QCOMPARE(f.files(), expected);
        QCOMPARE(std::tuple(f.rows(f.lstImages), basUI::IsBusyCursorOn(), f.state.ContextImage),
                 std::tuple(QStringList({image}), false, QString()));
    }

    // The clipboard takes a picture and, for a JPEG, its bytes; anything
    // else is refused with its number, as is a copy of a file that is none.
    void sourcesThatAreNoPictureAreRefusedNotWaitedFor_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("copied"); // else to the clipboard
        QTest::addColumn<int>("number");
        QTest::newRow("JPEG to the clipboard: picture and bytes") << "JPEG" << false << 0;
        QTest::newRow("PNG to the clipboard: picture only") << "PNG" << false << 0;
        QTest::newRow("text to the clipboard") << "text" << false << 481;
        QTest::newRow("FIFO copied") << "fifo" << true << 75;
        QTest::newRow("FIFO to the clipboard") << "fifo" << false << 75;
        QTest::newRow("folder copied") << "folder" << true << 75;
        QTest::newRow("dangling link copied") << "dangling link" << true << 53;
        QTest::newRow("dangling link to the clipboard") << "dangling link" << false << 53;
    }
    void sourcesThatAreNoPictureAreRefusedNotWaitedFor()
    {
        QFETCH(QString, kind);
        QFETCH(bool, copied);
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
        if (copied)
            f.dialogs.answerSaveFile(f.path("copy.jpg"));
        if (number)
            f.dialogs.answerMessage(mb::Ok);
        QGuiApplication::clipboard()->clear();
        f.runCommand(copied ? fileops::entry::CopyFile : fileops::entry::CopyToClipboard);
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
        QVERIFY2(f.dialogs.messageTexts().first().contains(QStringLiteral("Error: %1\r\n").arg(number)),
                 qPrintable(f.dialogs.messageTexts().first()));
        QVERIFY(!QFileInfo::exists(f.path("copy.jpg")));
    }

    // Each add appends one line; a failing append or a name with a line
    // break leaves the file as it was.
    void savedListGetsOneLinePerAdd_data()
    {
        QTest::addColumn<QString>("image");
        QTest::addColumn<int>("injected");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("style");
        QTest::newRow("added") << "/p/b.jpg" << 0 << "" << 0;
        QTest::newRow("cancelled") << "" << 0 << "" << 0;
        QTest::newRow("disk not ready")
            << "/p/b.jpg" << 71 << "An error has occurred!\r\n\r\nError: 71\r\nDescription: Disk not ready"
            << int(mb::Question);
        // No file is asked for: a line break would make two entries.
        QTest::newRow("line break in the name")
            << "/p/two\nlines.jpg" << 0
            << "This image's name holds a line break, so it cannot be added to a list file."
            << mb::OkOnly + mb::Exclamation;
    }
    void savedListGetsOneLinePerAdd()
    {
        QFETCH(QString, image);
        QFETCH(int, injected);
        QFETCH(QString, message);
        QFETCH(int, style);
        OpsFixture f;
        const QString list = f.put("saved.lum", "/p/a.jpg\r\n");
        f.state.ContextImage = image;
        if (!image.contains('\n'))
            f.dialogs.answerSaveFile(image.isEmpty() ? QString() : list);
        if (injected)
            f.fileSystem.failOnce(FsCall::AppendFile, injected, list);
        if (!message.isEmpty())
            f.dialogs.answerMessage(mb::Ok);
        f.runCommand(fileops::entry::AddToSavedList);
        QVERIFY(f.dialogs.scriptDone());
        QCOMPARE(std::pair(f.dialogs.messageTexts(), f.dialogs.asked().last().style),
                 std::pair(message.isEmpty() ? QStringList() : QStringList({message}), style));
        const bool added = message.isEmpty() && !image.isEmpty();
        QCOMPARE(f.files(), (Files{{"saved.lum", added ? "/p/a.jpg\r\n/p/b.jpg\r\n" : "/p/a.jpg\r\n"}}));
        if (!image.contains('\n'))
            QCOMPARE(std::pair(f.dialogs.fileDialogs.first().title, f.dialogs.fileDialogs.first().filter),
                     std::pair(QStringLiteral("Add to Lumarine file:"),
                               QStringLiteral("Lumarine files (*.lum)|*.lum")));
        QCOMPARE(std::pair(basUI::IsBusyCursorOn(), f.state.ContextImage), std::pair(false, QString()));
    }

    void removeButtonAsks_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("nothing selected") << -1 << int(mb::Ok) << QStringList({"/p/a.jpg", "/p/b.jpg"});
        QTest::newRow("no") << 0 << int(mb::No) << QStringList({"/p/a.jpg", "/p/b.jpg"});
        QTest::newRow("second row, yes") << 1 << int(mb::Yes) << QStringList({"/p/a.jpg"});
    }
    void removeButtonAsks()
    {
        QFETCH(int, row);
        QFETCH(int, answer);
        QFETCH(QStringList, left);
        OpsFixture f;
        f.state.Favorites.Add("/p/a.jpg");
        f.state.Favorites.Add("/p/b.jpg");
        f.dialogs.answerMessage(answer);
        auto ops = f.ops();
        fileops::cmdRemoveFromFaves_Click(ops, row);
        QCOMPARE(std::pair(f.dialogs.messageTexts().first(), f.rows(f.lstFavorites)),
                 std::pair(row < 0 ? QStringLiteral("You must select an image to remove.")
                                   : QStringLiteral("Remove image from favorites list?"),
                           left));
    }
};

LUMARINE_REGISTER_TEST(TestImageCommands)
#include "tst_imagecommands.moc"
