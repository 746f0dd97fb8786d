// Copying a file, the clipboard, saved lists and the favourites commands.
#include "opsfixture.h"
#include "support/jpegfixtures.h"
#include "support/testmain.h"

#include "fileops/imagemenu.h"
#include "platform/apperror.h"
#include "platform/basui.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include <memory>

using namespace platform;
using testsupport::FsCall;
using Files = QMap<QString, QByteArray>;

class TestCopyLists : public QObject {
    Q_OBJECT

private slots:
    void copyWritesTheChosenFile_data();
    void copyWritesTheChosenFile();
    void copyFailureIsReportedAndLeavesTheTarget();
    void clipboardHoldsThePictureAndItsJpegBytes();
    void clipboardRefusesAFileThatIsNoPicture();
    void clipboardOffersJpegBytesOnlyForAJpeg();
    void savedListGetsOneLinePerAdd();
    void savedListFailureIsReportedAndLeavesTheFile();
    void favouritesAddOnceAndRemove();
    void removeFromFavouritesNeedsAFavourite_data();
    void removeFromFavouritesNeedsAFavourite();
    void removeButtonAsks_data();
    void removeButtonAsks();
    void thumbnailMenuOffersByFavourites_data();
    void thumbnailMenuOffersByFavourites();
};

void TestCopyLists::copyWritesTheChosenFile_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QByteArray>("targetAfter");
    const QString taken = "A file named old.jpg is already in %1. Do you want to replace it with this image?";
    QTest::newRow("new file") << "copy.jpg" << 0 << QString() << QByteArray("picture");
    QTest::newRow("taken name, replaced") << "old.jpg" << int(mb::Yes) << taken << QByteArray("picture");
    QTest::newRow("taken name, kept") << "old.jpg" << int(mb::No) << taken << QByteArray("old");
    QTest::newRow("onto itself") << "a.jpg" << int(mb::Ok) << "The image cannot be copied onto itself."
                                 << QByteArray("picture");
    QTest::newRow("cancelled") << QString() << 0 << QString() << QByteArray();
}

void TestCopyLists::copyWritesTheChosenFile()
{
    QFETCH(QString, chosen);
    QFETCH(int, answer);
    QFETCH(QString, message);
    QFETCH(QByteArray, targetAfter);
    OpsFixture f;
    const QString image = f.put("a.jpg", "picture");
    f.put("old.jpg", "old");
    f.list(image);
    f.dialogs.answerSaveFile(chosen.isEmpty() ? QString() : f.path(chosen));
    if (answer != 0)
        f.dialogs.answerMessage(answer);
    auto ops = f.ops();
    fileops::CopyImageFile(ops, image);
    QCOMPARE(f.dialogs.fileDialogs.first().title, QStringLiteral("Copy image to file:"));
    QCOMPARE(f.dialogs.fileDialogs.first().filter, QStringLiteral("JPG Files (*.jpg)|*.jpg"));
    QCOMPARE(f.dialogs.messageTexts(),
             message.isEmpty() ? QStringList() : QStringList({message.arg(f.dir.path())}));
    QVERIFY(f.dialogs.scriptDone());
    Files expected{{"a.jpg", "picture"}, {"old.jpg", "old"}};
    if (!chosen.isEmpty())
        expected.insert(chosen, targetAfter);
    QCOMPARE(f.files(), expected);
    QCOMPARE(f.rows(f.lstImages), QStringList({image}));
}

void TestCopyLists::copyFailureIsReportedAndLeavesTheTarget()
{
    OpsFixture f;
    const QString image = f.put("a.jpg", "picture");
    f.put("old.jpg", "old");
    f.state.ContextImage = image;
    f.fileSystem.failOnce(FsCall::CopyFile, 61);
    f.dialogs.answerSaveFile(f.path("old.jpg"));
    f.dialogs.answerMessage(mb::Yes);
    f.dialogs.answerMessage(mb::Ok);
    QAction entry;
    auto ops = f.ops();
    fileops::RunImageCommand(ops, {&entry}, fileops::entry::CopyFile, nullptr, false);
    QCOMPARE(f.dialogs.messageTexts().last(),
             QStringLiteral("An error has occurred!\r\n\r\nError: 61\r\nDescription: Disk full"));
    QCOMPARE(f.files(), (Files{{"a.jpg", "picture"}, {"old.jpg", "old"}}));
    QVERIFY(!basUI::IsBusyCursorOn());
    QVERIFY(f.state.ContextImage.isEmpty());
}

void TestCopyLists::clipboardHoldsThePictureAndItsJpegBytes()
{
    OpsFixture f;
    const QString image = f.path("a.jpg");
    QVERIFY(testsupport::writeJpeg(image, QSize(40, 30)));
    auto ops = f.ops();
    fileops::CopyImageToClipboard(ops, image);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data);
    QCOMPARE(data->data("image/jpeg"), f.files().value("a.jpg"));
    QCOMPARE(qvariant_cast<QImage>(data->imageData()).size(), QSize(40, 30));
    QVERIFY(!basUI::IsBusyCursorOn());
}

void TestCopyLists::clipboardRefusesAFileThatIsNoPicture()
{
    OpsFixture f;
    f.state.ContextImage = f.put("a.jpg", "not a picture");
    f.dialogs.answerMessage(mb::Ok);
    QAction entry;
    auto ops = f.ops();
    fileops::RunImageCommand(ops, {&entry}, fileops::entry::CopyToClipboard, nullptr, false);
    QVERIFY(f.dialogs.messageTexts().first().contains("Error: 481"));
    QVERIFY(!basUI::IsBusyCursorOn());
}

void TestCopyLists::clipboardOffersJpegBytesOnlyForAJpeg()
{
    OpsFixture f;
    const QString image = f.path("a.jpg");
    QImage png(20, 10, QImage::Format_RGB32);
    png.fill(Qt::green);
    QVERIFY(png.save(image, "PNG"));
    auto ops = f.ops();
    fileops::CopyImageToClipboard(ops, image);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data);
    QVERIFY(!data->hasFormat("image/jpeg"));
    QCOMPARE(qvariant_cast<QImage>(data->imageData()).size(), QSize(20, 10));
}

void TestCopyLists::savedListGetsOneLinePerAdd()
{
    OpsFixture f;
    const QString list = f.path("saved.lum");
    f.dialogs.answerSaveFile(list);
    f.dialogs.answerSaveFile(list);
    f.dialogs.answerSaveFile({});
    auto ops = f.ops();
    fileops::AddToSavedList(ops, "/p/a.jpg");
    fileops::AddToSavedList(ops, "/p/a.jpg");
    fileops::AddToSavedList(ops, "/p/b.jpg");
    QCOMPARE(f.dialogs.fileDialogs.first().title, QStringLiteral("Add to Lumarine file:"));
    QCOMPARE(f.dialogs.fileDialogs.first().filter, QStringLiteral("Lumarine files (*.lum)|*.lum"));
    QCOMPARE(f.files(), (Files{{"saved.lum", "/p/a.jpg\r\n/p/a.jpg\r\n"}}));
}

void TestCopyLists::savedListFailureIsReportedAndLeavesTheFile()
{
    OpsFixture f;
    const QString list = f.put("saved.lum", "/p/a.jpg\r\n");
    f.state.ContextImage = "/p/b.jpg";
    f.fileSystem.failOnce(FsCall::AppendFile, 71, list);
    f.dialogs.answerSaveFile(list);
    f.dialogs.answerMessage(mb::Ok);
    QAction entry;
    auto ops = f.ops();
    fileops::RunImageCommand(ops, {&entry}, fileops::entry::AddToSavedList, nullptr, false);
    QCOMPARE(f.dialogs.messageTexts(),
             QStringList({"An error has occurred!\r\n\r\nError: 71\r\nDescription: Disk not ready"}));
    QCOMPARE(f.files(), (Files{{"saved.lum", "/p/a.jpg\r\n"}}));
    QVERIFY(!basUI::IsBusyCursorOn());
    QVERIFY(f.state.ContextImage.isEmpty());
}

void TestCopyLists::favouritesAddOnceAndRemove()
{
    OpsFixture f;
    auto ops = f.ops();
    fileops::AddImageToFavorites(ops, "/p/a.jpg");
    f.dialogs.answerMessage(mb::Ok);
    fileops::AddImageToFavorites(ops, "/P/A.JPG");
    QCOMPARE(f.dialogs.messageTexts(), QStringList({"Already in favorites!"}));
    QCOMPARE(f.rows(f.lstFavorites), QStringList({"/p/a.jpg"}));
    fileops::RemoveImageFromFavorites(ops, "/p/a.jpg");
    QVERIFY(f.state.Favorites.isEmpty());
    QVERIFY(f.rows(f.lstFavorites).isEmpty());
}

void TestCopyLists::removeFromFavouritesNeedsAFavourite_data()
{
    QTest::addColumn<bool>("favourite");
    QTest::newRow("a favourite") << true;
    QTest::newRow("no favourite") << false;
}

// A path that is no favourite is reported by the image menu, and the list
// stays as it was.
void TestCopyLists::removeFromFavouritesNeedsAFavourite()
{
    QFETCH(bool, favourite);
    OpsFixture f;
    f.state.Favorites.Add("/p/other.jpg");
    if (favourite)
        f.state.Favorites.Add("/p/a.jpg");
    f.state.ContextImage = "/p/a.jpg";
    if (!favourite)
        f.dialogs.answerMessage(mb::Ok);
    QAction entry;
    auto ops = f.ops();
    fileops::RunImageCommand(ops, {&entry}, fileops::entry::RemoveFromFavorites, nullptr, false);
    QCOMPARE(f.rows(f.lstFavorites), QStringList({"/p/other.jpg"}));
    QCOMPARE(f.dialogs.messageTexts().size(), favourite ? 0 : 1);
    QVERIFY(f.state.ContextImage.isEmpty());
}

void TestCopyLists::removeButtonAsks_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("nothing selected") << -1 << int(mb::Ok) << QStringList({"/p/a.jpg", "/p/b.jpg"});
    QTest::newRow("no") << 0 << int(mb::No) << QStringList({"/p/a.jpg", "/p/b.jpg"});
    QTest::newRow("yes") << 0 << int(mb::Yes) << QStringList({"/p/b.jpg"});
    QTest::newRow("second row") << 1 << int(mb::Yes) << QStringList({"/p/a.jpg"});
}

void TestCopyLists::removeButtonAsks()
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
    QCOMPARE(f.dialogs.messageTexts().first(), row < 0 ? QStringLiteral("You must select an image to remove.")
                                                       : QStringLiteral("Remove image from favorites list?"));
    QCOMPARE(f.rows(f.lstFavorites), left);
}

void TestCopyLists::thumbnailMenuOffersByFavourites_data()
{
    QTest::addColumn<QString>("image");
    QTest::addColumn<QString>("entries");
    QTest::newRow("a favourite") << "/P/F.JPG"
                                 << "1-011-11111";
    QTest::newRow("another image") << "/p/a.jpg"
                                   << "1-101-11111";
    QTest::newRow("no image") << QString() << "0-000-00000";
}

void TestCopyLists::thumbnailMenuOffersByFavourites()
{
    QFETCH(QString, image);
    QFETCH(QString, entries);
    catalogue::ImageCollection favourites;
    favourites.Add("/p/f.jpg");
    QList<std::shared_ptr<QAction>> owned;
    QVector<QAction*> menu;
    for (QChar kind : QStringLiteral("1-111-11111")) {
        owned << std::make_shared<QAction>(kind == '-' ? QStringLiteral("-") : QStringLiteral("entry"));
        owned.last()->setSeparator(kind == '-');
        owned.last()->setEnabled(false);
        menu << owned.last().get();
    }
    fileops::PrepareForThumbnail(menu, favourites, image);
    QString states;
    for (QAction* action : menu)
        states += action->isSeparator() ? QChar('-') : action->isEnabled() ? QChar('1') : QChar('0');
    QCOMPARE(states, entries);
}

LUMARINE_REGISTER_TEST(TestCopyLists)
#include "tst_copy_lists.moc"
