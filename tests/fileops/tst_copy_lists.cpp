// Copying a file, the clipboard, saved lists and the favourites commands,
// also on paths that are no pictures a command can read: none may wait on
// the file or lose one.
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

// Puts what a row names at path. False when this machine cannot make it.
bool makeSource(const QString& kind, const QString& path)
{
    using namespace testsupport;
    if (kind == "JPEG")
        return writeJpeg(path, QSize(64, 48));
    if (kind == "PNG")
        return QImage(64, 48, QImage::Format_RGB32).save(path, "PNG");
    if (kind == "text")
        return writeBytes(path, "not a picture");
    if (kind == "a huge header")
        return writeBytes(path, withClaimedSize(jpegBytes(QSize(64, 48)), QSize(65500, 65500)));
    if (kind == "thousands of scans")
        return writeBytes(path, withLastScanRepeated(jpegBytes(QSize(64, 48), true), 3000));
    return makeSpecialFile(kind, path);
}

} // namespace

class TestCopyLists : public QObject {
    Q_OBJECT

private slots:
    void copyWritesTheChosenFile_data()
    {
        QTest::addColumn<QString>("chosen"); // empty: cancelled
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("injected"); // a failure of the copy
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QByteArray>("targetAfter");
        const QString taken =
            "A file named old.jpg is already in %1. Do you want to replace it with this image?";
        QTest::newRow("new file") << "copy.jpg" << 0 << 0 << QStringList() << QByteArray("picture");
        QTest::newRow("taken, replaced")
            << "old.jpg" << int(mb::Yes) << 0 << QStringList{taken} << QByteArray("picture");
        QTest::newRow("taken, kept") << "old.jpg" << int(mb::No) << 0 << QStringList{taken}
                                     << QByteArray("old");
        QTest::newRow("taken, replaced, disk full")
            << "old.jpg" << int(mb::Yes) << 61
            << QStringList{taken, "An error has occurred!\r\n\r\nError: 61\r\nDescription: Disk full"}
            << QByteArray("old");
        QTest::newRow("onto itself") << "a.jpg" << int(mb::Ok) << 0
                                     << QStringList{"The image cannot be copied onto itself."}
                                     << QByteArray("picture");
        QTest::newRow("cancelled") << QString() << 0 << 0 << QStringList() << QByteArray();
    }
    void copyWritesTheChosenFile()
    {
        QFETCH(QString, chosen);
        QFETCH(int, answer);
        QFETCH(int, injected);
        QFETCH(QStringList, messages);
        QFETCH(QByteArray, targetAfter);
        OpsFixture f;
        const QString image = f.put("a.jpg", "picture");
        f.put("old.jpg", "old");
        f.list(image);
        f.state.ContextImage = image;
        f.dialogs.answerSaveFile(chosen.isEmpty() ? QString() : f.path(chosen));
        if (answer != 0)
            f.dialogs.answerMessage(answer);
        if (injected) {
            f.fileSystem.failOnce(FsCall::CopyFile, injected);
            f.dialogs.answerMessage(mb::Ok);
        }
        f.runCommand(fileops::entry::CopyFile);
        QCOMPARE(f.dialogs.fileDialogs.first().title, QStringLiteral("Copy image to file:"));
        QCOMPARE(f.dialogs.fileDialogs.first().filter, QStringLiteral("JPG Files (*.jpg)|*.jpg"));
        QCOMPARE(f.dialogs.messageTexts(), messages.replaceInStrings("%1", f.dir.path()));
        QVERIFY(f.dialogs.scriptDone());
        Files expected{{"a.jpg", "picture"}, {"old.jpg", "old"}};
        if (!chosen.isEmpty())
            expected.insert(chosen, targetAfter);
        QCOMPARE(f.files(), expected);
        QCOMPARE(f.rows(f.lstImages), QStringList({image}));
        QVERIFY(!basUI::IsBusyCursorOn());
        QVERIFY(f.state.ContextImage.isEmpty());
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
        QTest::newRow("header claiming 65500 x 65500 to the clipboard") << "a huge header" << false << 481;
        QTest::newRow("progressive, thousands of scans to the clipboard")
            << "thousands of scans" << false << 481;
        QTest::newRow("FIFO copied") << "fifo" << true << 75;
        QTest::newRow("FIFO to the clipboard") << "fifo" << false << 75;
        QTest::newRow("device to the clipboard") << "device" << false << 75;
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
        if (!makeSource(kind, image))
            QSKIP("this machine cannot make that kind of file");
        f.list(image);
        f.state.ContextImage = image;
        if (copied)
            f.dialogs.answerSaveFile(f.path("copy.jpg"));
        if (number)
            f.dialogs.answerMessage(mb::Ok);
        QGuiApplication::clipboard()->clear();
        f.runCommand(copied ? fileops::entry::CopyFile : fileops::entry::CopyToClipboard);
        QVERIFY(!basUI::IsBusyCursorOn());
        QCOMPARE(f.rows(f.lstImages), QStringList{image});
        if (number == 0) {
            QVERIFY(f.dialogs.asked().isEmpty());
            const QMimeData* data = QGuiApplication::clipboard()->mimeData();
            QCOMPARE(qvariant_cast<QImage>(data->imageData()).size(), QSize(64, 48));
            QCOMPARE(data->data("image/jpeg"), kind == "JPEG" ? testsupport::readBytes(image) : QByteArray());
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
        QCOMPARE(f.dialogs.messageTexts(), message.isEmpty() ? QStringList() : QStringList({message}));
        QCOMPARE(f.dialogs.asked().last().style, style);
        QVERIFY(f.dialogs.scriptDone());
        const bool added = message.isEmpty() && !image.isEmpty();
        QCOMPARE(f.files(), (Files{{"saved.lum", added ? "/p/a.jpg\r\n/p/b.jpg\r\n" : "/p/a.jpg\r\n"}}));
        if (!image.contains('\n'))
            QCOMPARE(std::pair(f.dialogs.fileDialogs.first().title, f.dialogs.fileDialogs.first().filter),
                     std::pair(QStringLiteral("Add to Lumarine file:"),
                               QStringLiteral("Lumarine files (*.lum)|*.lum")));
        QVERIFY(!basUI::IsBusyCursorOn());
        QVERIFY(f.state.ContextImage.isEmpty());
    }

    void removeButtonAsks_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("nothing selected") << -1 << int(mb::Ok) << QStringList({"/p/a.jpg", "/p/b.jpg"});
        QTest::newRow("no") << 0 << int(mb::No) << QStringList({"/p/a.jpg", "/p/b.jpg"});
        QTest::newRow("yes") << 0 << int(mb::Yes) << QStringList({"/p/b.jpg"});
        QTest::newRow("second row") << 1 << int(mb::Yes) << QStringList({"/p/a.jpg"});
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
        QCOMPARE(f.dialogs.messageTexts().first(), row < 0
                                                       ? QStringLiteral("You must select an image to remove.")
                                                       : QStringLiteral("Remove image from favorites list?"));
        QCOMPARE(f.rows(f.lstFavorites), left);
    }

    void thumbnailMenuOffersByFavourites_data()
    {
        QTest::addColumn<QString>("image");
        QTest::addColumn<QString>("entries");
        QTest::newRow("a favourite") << "/P/F.JPG" << QString("1-011-11111");
        QTest::newRow("another image") << "/p/a.jpg" << QString("1-101-11111");
        QTest::newRow("no image") << QString() << "0-000-00000";
    }
    void thumbnailMenuOffersByFavourites()
    {
        QFETCH(QString, image);
        QFETCH(QString, entries);
        catalogue::ImageCollection favourites;
        favourites.Add("/p/f.jpg");
        QObject owner;
        QVector<QAction*> menu;
        for (QChar kind : QStringLiteral("1-111-11111")) {
            menu << new QAction(&owner);
            menu.last()->setSeparator(kind == '-');
            menu.last()->setEnabled(false);
        }
        fileops::PrepareForThumbnail(menu, favourites, image);
        QString states;
        for (QAction* action : menu)
            states += action->isSeparator() ? QChar('-') : action->isEnabled() ? QChar('1') : QChar('0');
        QCOMPARE(states, entries);
    }
};

LUMARINE_REGISTER_TEST(TestCopyLists)
#include "tst_copy_lists.moc"
