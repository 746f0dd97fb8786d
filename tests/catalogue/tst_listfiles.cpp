// List files opened and saved, including those that are not what a list file
// should be: special files, files far too large, lines no path could fill,
// and lists holding names no line can hold; and the commands on whole lists.
#include "catalogue/imagecollection.h"
#include "catalogue/imagelistmodel.h"
#include "catalogue/listcommands.h"
#include "catalogue/listfiles.h"
#include "fixtures.h"
#include "platform/basui.h"
#include "support/modelrows.h"
#include "support/testmain.h"
#include "support/tree.h"

#include <QAbstractItemModelTester>
#include <QTemporaryDir>
#include <QTest>

using catalogue::ImageCollection;
using platform::mb::Cancel;
using platform::mb::No;
using platform::mb::Ok;
using platform::mb::Yes;
using testsupport::CatalogueFixture;
using testsupport::itemsOf;

namespace {

QString reportOf(int number, const QString& description = {})
{
    return basUI::ReportErrorText(description.isEmpty() ? platform::AppError(number)
                                                        : platform::AppError(number, description));
}

const QByteArray Jpeg("\xff\xd8\xff\xe0\x00\x10JFIF", 10);
const QString Overwrite = QStringLiteral("That file already exists! Overwrite?");
const QString Clear = QStringLiteral("Clear existing main file list?");

} // namespace

class TestListFiles : public QObject {
    Q_OBJECT

private slots:
    void linesEndAtCrLfCrOrLf_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("lines");
        const QStringList ab{"/a.jpg", "/b.jpg"};
        QTest::newRow("cr lf") << QByteArray("/a.jpg\r\n/b.jpg\r\n") << ab;
        QTest::newRow("no final line end") << QByteArray("/a.jpg\r\n/b.jpg") << ab;
        QTest::newRow("empty lines") << QByteArray("\r\n/a.jpg\r\n\r\n\r\n/b.jpg\r\n\r\n") << ab;
        QTest::newRow("lone cr") << QByteArray("/a.jpg\r/b.jpg\r") << ab;
        QTest::newRow("cr cr lf") << QByteArray("/a.jpg\r\r\n/b.jpg") << ab;
        QTest::newRow("lf only") << QByteArray("/a.jpg\n/b.jpg\n") << ab;
        QTest::newRow("lf cr is two ends") << QByteArray("/a.jpg\n\r/b.jpg\n") << ab;
        QTest::newRow("lf and cr lf mixed")
            << QByteArray("/a.jpg\n\n/b.jpg\r\n/c") << QStringList{"/a.jpg", "/b.jpg", "/c"};
        QTest::newRow("blanks kept") << QByteArray(" /a.jpg \r\n") << QStringList{" /a.jpg "};
        QTest::newRow("eight-bit text")
            << QByteArray("/\xc3\xa9t\xc3\xa9.jpg\r\n") << QStringList{"/été.jpg"};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
    }
    void linesEndAtCrLfCrOrLf()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, lines);
        QCOMPARE(catalogue::ParseListFile(content), lines);
    }

    void savedListReadsBackTheSame()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("round.lum");
        const QStringList lines{"/p/b.jpg", "/p/é ü.jpg", "/p/a.jpg"};
        CatalogueFixture fixture;
        platform::FileDialogState cdlMain;
        fixture.dialogs.answerSaveFile(file);
        catalogue::SaveList(testsupport::listOf(lines), cdlMain, dir.path(), fixture.dialogs,
                            fixture.fileSystem);
        QCOMPARE(testsupport::readBytes(file),
                 QByteArray("/p/b.jpg\r\n/p/\xc3\xa9 \xc3\xbc.jpg\r\n/p/a.jpg\r\n"));
        ImageCollection images;
        catalogue::ImageListModel box{images};
        catalogue::OpenList(file, cdlMain, images, fixture.context);
        QCOMPARE(testsupport::rowsOf(box), lines);
        fixture.dialogs.answerSaveFile(file);
        fixture.dialogs.answerMessage(Yes);
        catalogue::SaveList(testsupport::listOf({}), cdlMain, dir.path(), fixture.dialogs,
                            fixture.fileSystem);
        QCOMPARE(testsupport::readBytes(file), QByteArray());
    }

    // The main list holds "/old.jpg" before; "@" in a message stands for the
    // list file. A file refused leaves the main list as it was.
    void openTakesWhatALineCanName_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("smallLimits"); // 36 bytes, 3 lines of at most 16 bytes
        QTest::addColumn<int>("clear");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("rows");
        const QStringList old{"/old.jpg"};
        const auto refused = [&](const char* name, const char* kind, const QByteArray& content, bool small,
                                 const QString& report) {
            QTest::newRow(name) << QString(kind) << content << small << int(No)
                                << QStringList{Clear, report, "@"} << old;
        };
        refused("no such file", "none", {}, false, reportOf(53));
        refused("not text", "file", Jpeg, false, reportOf(321));
        refused("text with a NUL", "file", QByteArray("/a.jpg\r\n\0/b.jpg\r\n", 17), false, reportOf(321));
        refused("FIFO", "fifo", {}, false, reportOf(75));
        refused("folder", "folder", {}, false, reportOf(75));
        refused("device", "device", {}, false, reportOf(75));
        const int tooLarge = platform::err::OutOfMemory;
        refused("1 GB", "1 GB", {}, false, reportOf(tooLarge, "The list file is larger than 64 MB."));
        refused("10 million lines", "file", QByteArray("a\r").repeated(10'000'000), false,
                reportOf(tooLarge, "The list file has more than 1000000 lines."));
        refused("one line too many", "file", "/a.jpg\r\n/b.jpg\r\n/c.jpg\r\n/d.jpg", true,
                reportOf(tooLarge, "The list file has more than 3 lines."));

        const QByteArray repeats = "/a.jpg\r\n/OLD.jpg\r\n/A.JPG\r\n/b.jpg\r\n";
        QTest::newRow("kept, repeats skipped") << "file" << repeats << false << int(No) << QStringList{Clear}
                                               << QStringList{"/old.jpg", "/a.jpg", "/b.jpg"};
        QTest::newRow("cleared first") << "file" << repeats << false << int(Yes) << QStringList{Clear}
                                       << QStringList{"/a.jpg", "/OLD.jpg", "/b.jpg"};
        QTest::newRow("lines at the limits")
            << "file"
            << "/a.jpg\r\n" + QByteArray(16, 'x') + "\r\n\r\n/c.jpg\r\n"
            << true << int(Yes) << QStringList{Clear} << QStringList{"/a.jpg", QString(16, 'x'), "/c.jpg"};
        const QByteArray longest = '/' + QByteArray(4095, 'p');
        QTest::newRow("as long as a path can be")
            << "file"
            << "/a.jpg\r\n" + longest + "\r\n/b.jpg" << false << int(Yes) << QStringList{Clear}
            << QStringList{"/a.jpg", longest, "/b.jpg"};
        QTest::newRow("a line not text")
            << "file" << QByteArray("/a.jpg\r\n/caf\xe9.jpg\r\n/b.jpg\r\n") << false << int(Yes)
            << QStringList{Clear, "1 line of the list file was left out: it is not text in the system's "
                                  "encoding, or "
                                  "longer than a path can be."}
            << QStringList{"/a.jpg", "/b.jpg"};
        QTest::newRow("lines not text, and longer than a path")
            << "file" << QByteArray("/a.jpg\r\n/caf\xe9.jpg\r\n" + longest + "x\r\n/b.jpg") << false
            << int(Yes)
            << QStringList{Clear, "2 lines of the list file were left out: they are not text in the system's "
                                  "encoding, or longer than a path can be."}
            << QStringList{"/a.jpg", "/b.jpg"};
    }
    void openTakesWhatALineCanName()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, content);
        QFETCH(bool, smallLimits);
        QFETCH(int, clear);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, rows);
        QTemporaryDir dir;
        const QString file = dir.filePath("list.lum");
        if (kind != "none" && !testsupport::makeSpecialFile(kind, file, content))
            QSKIP("this machine cannot make that kind of file");
        CatalogueFixture fixture;
        ImageCollection images = testsupport::listOf({"/old.jpg"});
        catalogue::ImageListModel box{images};
        platform::FileDialogState cdlMain;
        fixture.dialogs.answerMessage(clear);
        fixture.dialogs.answerMessage(Ok);
        fixture.dialogs.answerMessage(Ok);
        const auto limits = smallLimits ? catalogue::ListFileLimits{36, 3, 16} : catalogue::ListFileLimits{};
        catalogue::OpenList(file, cdlMain, images, fixture.context, limits);
        QCOMPARE(fixture.dialogs.messageTexts(), testsupport::below(file, messages));
        if (messages.size() > 1)
            QCOMPARE(fixture.dialogs.asked().last().style,
                     messages.size() == 2 ? platform::mb::OkOnly | platform::mb::Exclamation
                                          : platform::mb::OkOnly);
        QCOMPARE(testsupport::rowsOf(box), rows);
        QCOMPARE(fixture.labels.counts, QStringList{QString::number(rows.size())});
        QVERIFY(!basUI::IsBusyCursorOn());
    }

    // The script answers the dialogs in order: a number answers a message,
    // a name the save dialog. "@" in a message stands for the folder.
    void saveNeverLosesAFile_data()
    {
        QTest::addColumn<QString>("existing");
        QTest::addColumn<QByteArray>("content"); // empty: a FIFO
        QTest::addColumn<int>("injected");       // a failure of the write
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("replaced");
        const QByteArray old = "/old.jpg\r\n";
        const QString yes = QString::number(Yes), ok = QString::number(Ok);
        QTest::newRow("yes replaces")
            << "list.lum" << old << 0 << QStringList{"list.lum", yes} << QStringList{Overwrite} << true;
        QTest::newRow("cancel leaves it")
            << "list.lum" << old << 0 << QStringList{"list.lum", QString::number(Cancel)}
            << QStringList{Overwrite} << false;
        QTest::newRow("no asks again")
            << "list.lum" << old << 0 << QStringList{"list.lum", QString::number(No), "list.lum", yes}
            << QStringList{Overwrite, Overwrite} << true;
        QTest::newRow("hidden file counts")
            << ".list.lum" << old << 0 << QStringList{".list.lum", yes} << QStringList{Overwrite} << true;
        const QString notList = " is not a Lumarine list file, so it was not replaced.";
        // The dialog shows again; a new name without extension is saved as a list file.
        QTest::newRow("a picture") << "photo.jpg" << Jpeg << 0 << QStringList{"photo.jpg", ok, "fresh"}
                                   << QStringList{"photo.jpg" + notList} << false;
        QTest::newRow("a picture, named without extension")
            << "photo.lum" << Jpeg << 0 << QStringList{"photo", ok, "fresh"}
            << QStringList{"photo.lum" + notList} << false;
        QTest::newRow("text holding a NUL")
            << "notes.lum" << QByteArray("/a.jpg\r\n\0", 9) << 0 << QStringList{"notes.lum", ok, "fresh"}
            << QStringList{"notes.lum" + notList} << false;
        QTest::newRow("a FIFO") << "pipe.lum" << QByteArray() << 0 << QStringList{"pipe.lum", ok, "fresh"}
                                << QStringList{"pipe.lum" + notList} << false;
        QTest::newRow("disk full") << "list.lum" << old << 61 << QStringList{"list.lum", yes, ok, ok}
                                   << QStringList{Overwrite, reportOf(61), "@list.lum"} << false;
        QTest::newRow("read-only medium") << "list.lum" << old << 75 << QStringList{"list.lum", yes, ok, ok}
                                          << QStringList{Overwrite, reportOf(75), "@list.lum"} << false;
        QTest::newRow("folder missing") << "list.lum" << old << 0 << QStringList{"missing/list.lum", ok, ok}
                                        << QStringList{reportOf(76), "@missing/list.lum"} << false;
    }
    void saveNeverLosesAFile()
    {
        QFETCH(QString, existing);
        QFETCH(QByteArray, content);
        QFETCH(int, injected);
        QFETCH(QStringList, script);
        QFETCH(QStringList, messages);
        QFETCH(bool, replaced);
        QTemporaryDir dir;
        const QString file = dir.filePath(existing);
        QVERIFY(testsupport::makeSpecialFile(content.isEmpty() ? "fifo" : "file", file, content));
        CatalogueFixture fixture;
        if (injected)
            fixture.fileSystem.failOnce(testsupport::FsCall::WriteFile, injected);
        for (const QString& answer : script) {
            bool number = false;
            const int button = answer.toInt(&number);
            if (number)
                fixture.dialogs.answerMessage(button);
            else
                fixture.dialogs.answerSaveFile(dir.filePath(answer));
        }
        platform::FileDialogState cdlMain;
        catalogue::SaveList(testsupport::listOf({"/new.jpg"}), cdlMain, dir.path(), fixture.dialogs,
                            fixture.fileSystem);
        QVERIFY(fixture.dialogs.scriptDone());
        QCOMPARE(fixture.dialogs.messageTexts(), testsupport::below(dir.path() + "/", messages));
        const auto& first = fixture.dialogs.asked().at(1);
        if (first.text == Overwrite)
            QCOMPARE(first.style, platform::mb::YesNoCancel | platform::mb::Question);
        if (first.text.endsWith("replaced."))
            QCOMPARE(QString::number(first.style) + first.title,
                     QString::number(platform::mb::OkOnly | platform::mb::Exclamation) + "Lumarine");
        if (!content.isEmpty())
            QCOMPARE(testsupport::readBytes(file), replaced ? QByteArray("/new.jpg\r\n") : content);
        QCOMPARE(testsupport::readBytes(dir.filePath("fresh.lum")),
                 script.contains("fresh") ? QByteArray("/new.jpg\r\n") : QByteArray());
        QVERIFY(!basUI::IsBusyCursorOn());
    }

    void namesWithLineBreaksAreLeftOutAndNamed()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("saved.lum");
        CatalogueFixture fixture;
        QStringList lines{"/p/a.jpg", "/p/two\nlines.jpg", "/p/b.jpg", "/p/cr\r.jpg"};
        for (int i = 0; i < 11; ++i)
            lines << QStringLiteral("/q/%1\n.jpg").arg(i);
        platform::FileDialogState cdlMain;
        fixture.dialogs.answerSaveFile(file);
        fixture.dialogs.answerMessage(Ok);
        catalogue::SaveList(testsupport::listOf(lines), cdlMain, dir.path(), fixture.dialogs,
                            fixture.fileSystem);
        QCOMPARE(testsupport::readBytes(file), QByteArray("/p/a.jpg\r\n/p/b.jpg\r\n"));
        QCOMPARE(fixture.dialogs.asked().last().style, platform::mb::OkOnly | platform::mb::Exclamation);
        const QStringList shown = fixture.dialogs.messageTexts().value(0).split("\r\n");
        QCOMPARE(shown.first(),
                 "Not saved, since a name with a line break cannot be one line of a list file:");
        QCOMPARE(shown.mid(2, 3),
                 (QStringList{"/p/two\u21b5lines.jpg", "/p/cr\u21b5.jpg", "/q/0\u21b5.jpg"}));
        QCOMPARE(shown.last(), "and 3 more");
    }

    void dialogsKeepTheirState()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("kept.lum");
        CatalogueFixture fixture;
        ImageCollection images = testsupport::listOf({"/old.jpg"});
        platform::FileDialogState cdlMain;
        fixture.dialogs.answerSaveFile(file);
        catalogue::SaveList(images, cdlMain, "/program/folder", fixture.dialogs, fixture.fileSystem);
        // The open dialog closed changes nothing.
        fixture.dialogs.answerOpenFile("");
        catalogue::OpenList(std::nullopt, cdlMain, images, fixture.context);
        QCOMPARE(itemsOf(images), QStringList{"/old.jpg"});
        QVERIFY(fixture.labels.counts.isEmpty());
        const platform::FileDialogState& save = fixture.dialogs.fileDialogs.at(0);
        const platform::FileDialogState& open = fixture.dialogs.fileDialogs.at(1);
        QCOMPARE(QStringList({save.title, save.filter, save.initialFolder}),
                 QStringList({"Lumarine file name:", "Lumarine files (*.lum)|*.lum", "/program/folder"}));
        QCOMPARE(
            QStringList({open.title, open.filter, open.initialFolder, open.fileName}),
            QStringList({"Open Lumarine file:", "Lumarine files (*.lum)|*.lum", "/program/folder", file}));
    }

    void addAllTakesTheMainListAndSkipsFavorites_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("favorites");
        QTest::addColumn<qint64>("step"); // the pacer's: 50 lets events run after every line
        const QStringList withF{"/a.jpg", "/F.JPG", "/b.jpg"};
        QTest::newRow("empty list") << int(Yes) << QStringList{} << QStringList{"/f.jpg"} << qint64(0);
        QTest::newRow("answered no") << int(No) << QStringList{"/a.jpg"} << QStringList{"/f.jpg"}
                                     << qint64(0);
        QTest::newRow("new lines appended in order")
            << int(Yes) << QStringList{"/c.jpg", "/a.jpg"} << QStringList{"/f.jpg", "/c.jpg", "/a.jpg"}
            << qint64(0);
        QTest::newRow("a favourite in other letter case")
            << int(Yes) << withF << QStringList{"/f.jpg", "/a.jpg", "/b.jpg"} << qint64(0);
        QTest::newRow("paced") << int(Yes) << withF << QStringList{"/f.jpg", "/a.jpg", "/b.jpg"}
                               << qint64(50);
    }
    void addAllTakesTheMainListAndSkipsFavorites()
    {
        QFETCH(int, answer);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, favorites);
        QFETCH(qint64, step);
        CatalogueFixture fixture(step);
        ImageCollection faves = testsupport::listOf({"/f.jpg"});
        catalogue::ImageListModel favesBox{faves};
        QAbstractItemModelTester tester(&favesBox);
        const bool duplicate = lines.contains("/F.JPG") && answer == Yes;
        fixture.dialogs.answerMessage(answer);
        fixture.dialogs.answerMessage(Ok);
        catalogue::AddAllToFavorites(testsupport::listOf(lines), faves, fixture.dialogs, fixture.pacer);
        QStringList expected{"Add all images to your favorites list?"};
        if (duplicate)
            expected << "You are attempting to add a duplicate record to the favorites list.  Lumarine will "
                        "remove this.";
        QCOMPARE(fixture.dialogs.messageTexts(), expected);
        QCOMPARE(fixture.dialogs.asked().first().style, platform::mb::YesNo | platform::mb::Question);
        QCOMPARE(fixture.dialogs.asked().last().style, duplicate
                                                           ? platform::mb::OkOnly | platform::mb::Information
                                                           : platform::mb::YesNo | platform::mb::Question);
        QCOMPARE(testsupport::rowsOf(favesBox), favorites);
        QVERIFY(!basUI::IsBusyCursorOn());
    }

    void clearFavoritesAsksFirst()
    {
        CatalogueFixture fixture;
        ImageCollection faves = testsupport::listOf({"/f.jpg"});
        catalogue::ImageListModel favesBox{faves};
        fixture.dialogs.answerMessage(No);
        catalogue::ClearFavorites(faves, fixture.dialogs);
        QCOMPARE(testsupport::rowsOf(favesBox), QStringList{"/f.jpg"});
        fixture.dialogs.answerMessage(Yes);
        catalogue::ClearFavorites(faves, fixture.dialogs);
        QCOMPARE(fixture.dialogs.messageTexts(), QStringList(2, "Clear favorite image list?"));
        QCOMPARE(testsupport::rowsOf(favesBox), QStringList{});
    }
};

LUMARINE_REGISTER_TEST(TestListFiles)
#include "tst_listfiles.moc"
