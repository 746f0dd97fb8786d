#include "catalogue/imagecollection.h"
#include "catalogue/listfiles.h"
#include "fixtures.h"
#include "platform/basui.h"
#include "support/testmain.h"
#include "support/tree.h"

#include "catalogue/imagelistmodel.h"
#include "support/modelrows.h"
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using catalogue::ImageCollection;
using platform::mb::Cancel;
using platform::mb::No;
using platform::mb::Ok;
using platform::mb::Yes;
using testsupport::CatalogueFixture;

namespace {

QStringList itemsOf(const ImageCollection& images)
{
    return QStringList(images.begin(), images.end());
}

QString errorText(int number)
{
    return basUI::ReportErrorText(platform::AppError(number));
}

} // namespace

class TestListFiles : public QObject {
    Q_OBJECT

private slots:
    void linesEndAtCrLfCrOrLf_data();
    void linesEndAtCrLfCrOrLf();
    void savedListReadsBackTheSame();
    void openSkipsRepeatedPaths_data();
    void openSkipsRepeatedPaths();
    void openThatFailsStillShowsTheMainList_data();
    void openThatFailsStillShowsTheMainList();
    void openDialogClosedChangesNothing();
    void saveAsksBeforeReplacing_data();
    void saveAsksBeforeReplacing();
    void saveNeverReplacesWhatIsNoList_data();
    void saveNeverReplacesWhatIsNoList();
    void failedSaveLeavesOldFile_data();
    void failedSaveLeavesOldFile();
    void dialogsKeepTheirState();
};

void TestListFiles::linesEndAtCrLfCrOrLf_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("cr lf") << QByteArray("/a.jpg\r\n/b.jpg\r\n") << QStringList{"/a.jpg", "/b.jpg"};
    QTest::newRow("no final line end") << QByteArray("/a.jpg\r\n/b.jpg") << QStringList{"/a.jpg", "/b.jpg"};
    QTest::newRow("empty lines") << QByteArray("\r\n/a.jpg\r\n\r\n\r\n/b.jpg\r\n\r\n")
                                 << QStringList{"/a.jpg", "/b.jpg"};
    QTest::newRow("lone cr") << QByteArray("/a.jpg\r/b.jpg\r") << QStringList{"/a.jpg", "/b.jpg"};
    QTest::newRow("cr cr lf") << QByteArray("/a.jpg\r\r\n/b.jpg") << QStringList{"/a.jpg", "/b.jpg"};
    QTest::newRow("lf only") << QByteArray("/a.jpg\n/b.jpg\n") << QStringList{"/a.jpg", "/b.jpg"};
    QTest::newRow("lf and cr lf mixed")
        << QByteArray("/a.jpg\n\n/b.jpg\r\n/c.jpg") << QStringList{"/a.jpg", "/b.jpg", "/c.jpg"};
    QTest::newRow("lf cr is two ends") << QByteArray("/a.jpg\n\r/b.jpg\n") << QStringList{"/a.jpg", "/b.jpg"};
    QTest::newRow("blanks kept") << QByteArray(" /a.jpg \r\n") << QStringList{" /a.jpg "};
    QTest::newRow("eight-bit text") << QByteArray("/\xc3\xa9t\xc3\xa9.jpg\r\n") << QStringList{"/été.jpg"};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
}

void TestListFiles::linesEndAtCrLfCrOrLf()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, lines);
    QCOMPARE(catalogue::ParseListFile(content), lines);
}

void TestListFiles::savedListReadsBackTheSame()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("round.lum");
    const QStringList lines{"/p/b.jpg", "/p/é ü.jpg", "/p/a.jpg"};
    CatalogueFixture fixture;
    const ImageCollection box = testsupport::listOf(lines);
    platform::FileDialogState cdlMain;
    fixture.dialogs.answerSaveFile(file);
    catalogue::SaveList(box, cdlMain, dir.path(), fixture.dialogs, fixture.fileSystem);
    QCOMPARE(testsupport::readBytes(file),
             QByteArray("/p/b.jpg\r\n/p/\xc3\xa9 \xc3\xbc.jpg\r\n/p/a.jpg\r\n"));

    ImageCollection images;
    catalogue::ImageListModel imagesBox{images};
    catalogue::OpenList(file, cdlMain, images, fixture.context);
    QCOMPARE(itemsOf(images), lines);
    QCOMPARE(testsupport::rowsOf(imagesBox), lines);
    QCOMPARE(fixture.labels.counts, QStringList{"3"});
    QVERIFY(!basUI::IsBusyCursorOn());

    const ImageCollection emptyBox = testsupport::listOf({});
    fixture.dialogs.answerSaveFile(file);
    fixture.dialogs.answerMessage(Yes);
    catalogue::SaveList(emptyBox, cdlMain, dir.path(), fixture.dialogs, fixture.fileSystem);
    QCOMPARE(testsupport::readBytes(file), QByteArray());
}

void TestListFiles::openSkipsRepeatedPaths_data()
{
    QTest::addColumn<int>("clear"); // answer to "Clear existing main file list?"
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("kept, repeats skipped") << int(No) << QStringList{"/old.jpg", "/a.jpg", "/b.jpg"};
    QTest::newRow("cleared first") << int(Yes) << QStringList{"/a.jpg", "/OLD.jpg", "/b.jpg"};
}

void TestListFiles::openSkipsRepeatedPaths()
{
    QFETCH(int, clear);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    const QString file = dir.filePath("list.lum");
    QVERIFY(testsupport::writeBytes(file, "/a.jpg\r\n/OLD.jpg\r\n/A.JPG\r\n/b.jpg\r\n"));
    CatalogueFixture fixture;
    ImageCollection images;
    images.Add("/old.jpg");
    catalogue::ImageListModel box{images};
    platform::FileDialogState cdlMain;
    fixture.dialogs.answerMessage(clear);
    catalogue::OpenList(file, cdlMain, images, fixture.context);
    QCOMPARE(fixture.dialogs.messageTexts(), QStringList{"Clear existing main file list?"});
    QCOMPARE(itemsOf(images), expected);
    QCOMPARE(testsupport::rowsOf(box), expected);
    QCOMPARE(fixture.labels.counts, QStringList{QString::number(expected.size())});
}

void TestListFiles::openThatFailsStillShowsTheMainList_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file at all
    QTest::addColumn<int>("number");
    QTest::newRow("no such file") << QByteArray() << 53;
    QTest::newRow("not text") << QByteArray("\xff\xd8\xff\xe0\0\x10JFIF\0", 12) << 321;
    QTest::newRow("text with a NUL") << QByteArray("/a.jpg\r\n\0/b.jpg\r\n", 17) << 321;
}

void TestListFiles::openThatFailsStillShowsTheMainList()
{
    QFETCH(QByteArray, content);
    QFETCH(int, number);
    QTemporaryDir dir;
    const QString file = dir.filePath("list.lum");
    if (!content.isEmpty())
        QVERIFY(testsupport::writeBytes(file, content));
    CatalogueFixture fixture;
    ImageCollection images;
    images.Add("/old.jpg");
    catalogue::ImageListModel box{images};
    platform::FileDialogState cdlMain;
    fixture.dialogs.answerMessage(No);
    fixture.dialogs.answerMessage(Ok);
    fixture.dialogs.answerMessage(Ok);
    catalogue::OpenList(file, cdlMain, images, fixture.context);
    QCOMPARE(fixture.dialogs.messageTexts(),
             (QStringList{"Clear existing main file list?", errorText(number), file}));
    QCOMPARE(fixture.dialogs.asked().last().style, platform::mb::OkOnly);
    QCOMPARE(itemsOf(images), QStringList{"/old.jpg"});
    QCOMPARE(testsupport::rowsOf(box), QStringList{"/old.jpg"});
    QCOMPARE(fixture.labels.counts, QStringList{"1"});
    QVERIFY(!basUI::IsBusyCursorOn());
}

void TestListFiles::openDialogClosedChangesNothing()
{
    CatalogueFixture fixture;
    ImageCollection images;
    images.Add("/old.jpg");
    catalogue::ImageListModel box{images};
    platform::FileDialogState cdlMain;
    fixture.dialogs.answerOpenFile("");
    catalogue::OpenList(std::nullopt, cdlMain, images, fixture.context);
    QCOMPARE(fixture.dialogs.asked().size(), 1);
    QCOMPARE(itemsOf(images), QStringList{"/old.jpg"});
    QVERIFY(fixture.labels.counts.isEmpty());
}

void TestListFiles::saveAsksBeforeReplacing_data()
{
    QTest::addColumn<QString>("existing");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<int>("dialogs");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("yes replaces") << "list.lum" << QList<int>{Yes} << 1 << true;
    QTest::newRow("cancel leaves it") << "list.lum" << QList<int>{Cancel} << 1 << false;
    QTest::newRow("no asks again") << "list.lum" << QList<int>{No, Yes} << 2 << true;
    QTest::newRow("hidden file counts") << ".list.lum" << QList<int>{Yes} << 1 << true;
}

void TestListFiles::saveAsksBeforeReplacing()
{
    QFETCH(QString, existing);
    QFETCH(QList<int>, answers);
    QFETCH(int, dialogs);
    QFETCH(bool, replaced);
    QTemporaryDir dir;
    const QString file = dir.filePath(existing);
    QVERIFY(testsupport::writeBytes(file, "/old.jpg\r\n"));
    CatalogueFixture fixture;
    for (int answer : answers) {
        fixture.dialogs.answerSaveFile(file);
        fixture.dialogs.answerMessage(answer);
    }
    const ImageCollection box = testsupport::listOf({"/new.jpg"});
    platform::FileDialogState cdlMain;
    catalogue::SaveList(box, cdlMain, dir.path(), fixture.dialogs, fixture.fileSystem);
    QCOMPARE(fixture.dialogs.fileDialogs.size(), dialogs);
    QCOMPARE(fixture.dialogs.messageTexts().first(), QStringLiteral("That file already exists! Overwrite?"));
    QCOMPARE(fixture.dialogs.asked().at(1).style, platform::mb::YesNoCancel | platform::mb::Question);
    QCOMPARE(testsupport::readBytes(file),
             replaced ? QByteArray("/new.jpg\r\n") : QByteArray("/old.jpg\r\n"));
}

void TestListFiles::saveNeverReplacesWhatIsNoList_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("existing");
    QTest::addColumn<QByteArray>("content"); // empty: a FIFO
    const QByteArray jpeg("\xff\xd8\xff\xe0\x00\x10JFIF", 10);
    QTest::newRow("a picture") << "photo.jpg"
                               << "photo.jpg" << jpeg;
    QTest::newRow("a picture, named without extension") << "photo"
                                                        << "photo.lum" << jpeg;
    QTest::newRow("text holding a NUL") << "notes.lum"
                                        << "notes.lum" << QByteArray("/a.jpg\r\n\0", 9);
    QTest::newRow("a FIFO") << "pipe.lum"
                            << "pipe.lum" << QByteArray();
}

void TestListFiles::saveNeverReplacesWhatIsNoList()
{
    QFETCH(QString, chosen);
    QFETCH(QString, existing);
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString file = dir.filePath(existing);
    QVERIFY(content.isEmpty() ? testsupport::makeSpecialFile("fifo", file)
                              : testsupport::writeBytes(file, content));
    CatalogueFixture fixture;
    fixture.dialogs.answerSaveFile(dir.filePath(chosen));
    fixture.dialogs.answerMessage(Ok);
    // The dialog shows again; a new name without extension is saved as a list file.
    fixture.dialogs.answerSaveFile(dir.filePath("fresh"));
    const ImageCollection box = testsupport::listOf({"/new.jpg"});
    platform::FileDialogState cdlMain;
    catalogue::SaveList(box, cdlMain, dir.path(), fixture.dialogs, fixture.fileSystem);
    QCOMPARE(fixture.dialogs.messageTexts(),
             QStringList{existing + " is not a Lumarine list file, so it was not replaced."});
    QCOMPARE(fixture.dialogs.asked().at(1).style, platform::mb::OkOnly | platform::mb::Exclamation);
    QCOMPARE(fixture.dialogs.asked().at(1).title, QStringLiteral("Lumarine"));
    if (!content.isEmpty())
        QCOMPARE(testsupport::readBytes(file), content);
    QCOMPARE(testsupport::readBytes(dir.filePath("fresh.lum")), QByteArray("/new.jpg\r\n"));
}

void TestListFiles::failedSaveLeavesOldFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("injected"); // 0: the failure is real
    QTest::addColumn<int>("number");
    QTest::newRow("disk full") << "list.lum" << 61 << 61;
    QTest::newRow("read-only medium") << "list.lum" << 75 << 75;
    QTest::newRow("folder missing") << "missing/list.lum" << 0 << 76;
}

void TestListFiles::failedSaveLeavesOldFile()
{
    QFETCH(QString, name);
    QFETCH(int, injected);
    QFETCH(int, number);
    QTemporaryDir dir;
    const QString file = dir.filePath(name);
    QVERIFY(testsupport::writeBytes(dir.filePath("list.lum"), "/old.jpg\r\n"));
    CatalogueFixture fixture;
    if (injected)
        fixture.fileSystem.failOnce(testsupport::FsCall::WriteFile, injected);
    fixture.dialogs.answerSaveFile(file);
    if (QFileInfo::exists(file))
        fixture.dialogs.answerMessage(Yes);
    fixture.dialogs.answerMessage(Ok);
    fixture.dialogs.answerMessage(Ok);
    const ImageCollection box = testsupport::listOf({"/new.jpg"});
    platform::FileDialogState cdlMain;
    catalogue::SaveList(box, cdlMain, dir.path(), fixture.dialogs, fixture.fileSystem);
    QCOMPARE(fixture.dialogs.messageTexts().mid(fixture.dialogs.messageTexts().size() - 2),
             (QStringList{errorText(number), file}));
    QCOMPARE(testsupport::readBytes(dir.filePath("list.lum")), QByteArray("/old.jpg\r\n"));
    QVERIFY(!basUI::IsBusyCursorOn());
}

void TestListFiles::dialogsKeepTheirState()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("kept.lum");
    CatalogueFixture fixture;
    ImageCollection images;
    platform::FileDialogState cdlMain;
    fixture.dialogs.answerSaveFile(file);
    catalogue::SaveList(images, cdlMain, "/program/folder", fixture.dialogs, fixture.fileSystem);
    fixture.dialogs.answerOpenFile("");
    catalogue::OpenList(std::nullopt, cdlMain, images, fixture.context);

    const platform::FileDialogState& save = fixture.dialogs.fileDialogs.at(0);
    QCOMPARE(save.title, QStringLiteral("Lumarine file name:"));
    QCOMPARE(save.filter, QStringLiteral("Lumarine files (*.lum)|*.lum"));
    QCOMPARE(save.initialFolder, QStringLiteral("/program/folder"));
    const platform::FileDialogState& open = fixture.dialogs.fileDialogs.at(1);
    QCOMPARE(open.title, QStringLiteral("Open Lumarine file:"));
    QCOMPARE(open.filter, QStringLiteral("Lumarine files (*.lum)|*.lum"));
    QCOMPARE(open.initialFolder, QStringLiteral("/program/folder"));
    QCOMPARE(open.fileName, file);
}

LUMARINE_REGISTER_TEST(TestListFiles)
#include "tst_listfiles.moc"
