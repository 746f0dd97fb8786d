// List files opened and saved, including those that are not what a list file
// should be: special files, files far too large, lines no path could fill,
// and lists holding names no line can hold; and the commands on whole lists.
#include "catalogue/imagelistmodel.h"
#include "catalogue/listcommands.h"
#include "catalogue/listfiles.h"
#include "fixtures.h"

#include <QAbstractItemModelTester>

using catalogue::ImageCollection, testsupport::CatalogueFixture;
using namespace platform::mb;

namespace {

QString reportOf(int number, const QString& description = {})
{
    return basUI::ReportErrorText(description.isEmpty() ? platform::AppError(number)
                                                        : platform::AppError(number, description));
}

const QByteArray Jpeg("\xff\xd8\xff\xe0\x00\x10JFIF", 10);
const QString Overwrite = QStringLiteral("That file already exists! Overwrite?");
const QString Clear = QStringLiteral("Clear existing main file list?");
const QString Saved = QString::fromUtf8("/n/é ü.jpg");

// The main list holds "/old.jpg" before; "@" in a message stands for the list
// file. smallLimits: 36 bytes, 3 lines of at most 16 bytes.
struct OpenRow {
    QString kind;
    QByteArray content;
    bool smallLimits;
    int clear;
    QStringList messages, rows;
};

// existing: its content, a FIFO when empty; script: the answers to the
// dialogs in order, a number a message's, a name the save dialog's; "@" in a
// message stands for the folder; replaced: whether the list was written over it.
struct SaveRow {
    QString existing;
    QByteArray content;
    int injected;
    QStringList script, messages;
    bool replaced;
};

} // namespace

class TestListFiles : public QObject {
    Q_OBJECT

private slots:
    // Lines end at CR LF, CR or LF; empty ones are skipped, blanks kept.
    void linesEndAtCrLfCrOrLf()
    {
        QCOMPARE(catalogue::ParseListFile(
                     "\r\n/a.jpg\r\n\r\n/b.jpg\r/c\n\r/d\r\r\n /e \n/\xc3\xa9t\xc3\xa9.jpg\r\n/x"),
                 (QStringList{"/a.jpg", "/b.jpg", "/c", "/d", " /e ", "/été.jpg", "/x"}));
        QVERIFY(catalogue::ParseListFile({}).isEmpty());
    }

    void openTakesWhatALineCanName_data()
    {
        QTest::addColumn<OpenRow>("row");
        const QStringList old{"/old.jpg"};
        const int tooLarge = platform::err::OutOfMemory;
        const auto refused = [&](const char* name, const char* kind, const QByteArray& content, bool small,
                                 const QString& report) {
            QTest::newRow(name) << OpenRow{kind, content, small, No, {Clear, report, "@"}, old};
        };
        refused("no such file", "none", {}, false, reportOf(53));
        refused("not text", "file", Jpeg, false, reportOf(321));
        refused("1 GB", "1 GB", {}, false, reportOf(tooLarge, "The list file is larger than 64 MB."));
        refused("one line too many", "file", "/a.jpg\r\n/b.jpg\r\n/c.jpg\r\n/d.jpg", true,
                reportOf(tooLarge, "The list file has more than 3 lines."));
        const QByteArray repeats = "/a.jpg\r\n/OLD.jpg\r\n/A.JPG\r\n/b.jpg\r\n";
        QTest::newRow("kept, repeats skipped")
            << OpenRow{"file", repeats, false, No, {Clear}, {"/old.jpg", "/a.jpg", "/b.jpg"}};
        QTest::newRow("cleared first")
            << OpenRow{"file", repeats, false, Yes, {Clear}, {"/a.jpg", "/OLD.jpg", "/b.jpg"}};
        QTest::newRow("lines at the limits")
            << OpenRow{"file",  "/a.jpg\r\n" + QByteArray(16, 'x') + "\r\n\r\n/c.jpg\r\n",
                       true,    Yes,
                       {Clear}, {"/a.jpg", QString(16, 'x'), "/c.jpg"}};
        const QByteArray longest = '/' + QByteArray(4095, 'p');
        const QString leftOut =
            " of the list file %1 left out: %2 not text in the system's encoding, or longer "
            "than a path can be.";
        QTest::newRow("a line not text")
            << OpenRow{"file", "/a.jpg\r\n/caf\xe9.jpg\r\n/b.jpg\r\n",          false,
                       Yes,    {Clear, "1 line" + leftOut.arg("was", "it is")}, {"/a.jpg", "/b.jpg"}};
        QTest::newRow("lines not text, and longer than a path")
            << OpenRow{"file", "/a.jpg\r\n/caf\xe9.jpg\r\n" + longest + "x\r\n/b.jpg", false,
                       Yes,    {Clear, "2 lines" + leftOut.arg("were", "they are")},   {"/a.jpg", "/b.jpg"}};
    }
    void openTakesWhatALineCanName()
    {
        QFETCH(OpenRow, row);
        QTemporaryDir dir;
        const QString file = dir.filePath("list.lum");
        QVERIFY(row.kind == "none" || testsupport::makeSpecialFile(row.kind, file, row.content));
        CatalogueFixture fixture;
        ImageCollection images = testsupport::listOf({"/old.jpg"});
        catalogue::ImageListModel box{images};
        platform::FileDialogState cdlMain;
        fixture.dialogs.answerMessage(row.clear);
        fixture.dialogs.acceptAllMessages();
        const auto limits =
            row.smallLimits ? catalogue::ListFileLimits{36, 3, 16} : catalogue::ListFileLimits{};
        catalogue::OpenList(file, cdlMain, images, fixture.context, limits);
        QCOMPARE(fixture.dialogs.messageTexts(), testsupport::below(file, row.messages));
        if (row.messages.size() > 1)
            QCOMPARE(fixture.dialogs.asked().last().style,
                     row.messages.size() == 2 ? OkOnly | Exclamation : OkOnly);
        QCOMPARE(testsupport::rowsOf(box), row.rows);
        QCOMPARE(fixture.labels.counts, QStringList{QString::number(row.rows.size())});
        QVERIFY(!basUI::IsBusyCursorOn());
    }

    void saveNeverLosesAFile_data()
    {
        QTest::addColumn<SaveRow>("row");
        const QByteArray old = "/old.jpg\r\n";
        const QString yes = QString::number(Yes), ok = QString::number(Ok);
        const QString notList = " is not a Lumarine list file, so it was not replaced.";
        QTest::newRow("yes replaces") << SaveRow{"list.lum", old, 0, {"list.lum", yes}, {Overwrite}, true};
        QTest::newRow("cancel leaves it")
            << SaveRow{"list.lum", old, 0, {"list.lum", QString::number(Cancel)}, {Overwrite}, false};
        QTest::newRow("no asks again") << SaveRow{
            "list.lum", old, 0, {"list.lum", QString::number(No), "list.lum", yes}, {Overwrite, Overwrite},
            true};
        // The dialog shows again; a new name without extension is saved as a list file.
        QTest::newRow("a picture, named without extension")
            << SaveRow{"photo.lum", Jpeg, 0, {"photo", ok, "fresh"}, {"photo.lum" + notList}, false};
        const QByteArray nul("/a.jpg\r\n\0", 9);
        QTest::newRow("text holding a NUL")
            << SaveRow{"notes.lum", nul, 0, {"notes.lum", ok, "fresh"}, {"notes.lum" + notList}, false};
        QTest::newRow("a FIFO") << SaveRow{
            "pipe.lum", {}, 0, {"pipe.lum", ok, "fresh"}, {"pipe.lum" + notList}, false};
        QTest::newRow("disk full") << SaveRow{
            "list.lum", old, 61, {"list.lum", yes, ok, ok}, {Overwrite, reportOf(61), "@list.lum"}, false};
    }
    void saveNeverLosesAFile()
    {
        QFETCH(SaveRow, row);
        QTemporaryDir dir;
        const QString file = dir.filePath(row.existing);
        QVERIFY(testsupport::makeSpecialFile(row.content.isEmpty() ? "fifo" : "file", file, row.content));
        CatalogueFixture fixture;
        if (row.injected)
            fixture.fileSystem.failOnce(testsupport::FsCall::WriteFile, row.injected);
        for (const QString& answer : row.script) {
            bool number = false;
            const int button = answer.toInt(&number);
            number ? fixture.dialogs.answerMessage(button)
                   : fixture.dialogs.answerSaveFile(dir.filePath(answer));
        }
        platform::FileDialogState cdlMain;
        catalogue::SaveList(testsupport::listOf({Saved, "/n/a.jpg"}), cdlMain, dir.path(), fixture.dialogs,
                            fixture.fileSystem);
        QVERIFY(fixture.dialogs.scriptDone());
        QCOMPARE(fixture.dialogs.messageTexts(), testsupport::below(dir.path() + "/", row.messages));
        const auto& first = fixture.dialogs.asked().at(1);
        if (first.text == Overwrite || first.text.endsWith("replaced."))
            QCOMPARE(
                QString::number(first.style) + first.title,
                QString::number(first.text == Overwrite ? YesNoCancel | Question : OkOnly | Exclamation) +
                    "Lumarine");
        // Written in the system's encoding, each line ended by CR LF.
        const QByteArray written = Saved.toUtf8() + "\r\n/n/a.jpg\r\n";
        if (!row.content.isEmpty())
            QCOMPARE(testsupport::readBytes(file), row.replaced ? written : row.content);
        QCOMPARE(testsupport::readBytes(dir.filePath("fresh.lum")),
                 row.script.contains("fresh") ? written : QByteArray());
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
        const QStringList shown = fixture.dialogs.messageTexts().value(0).split("\r\n");
        QCOMPARE(shown.first(1) + shown.mid(2, 3) + shown.last(1),
                 (QStringList{"Not saved, since a name with a line break cannot be one line of a list file:",
                              "/p/two\u21b5lines.jpg", "/p/cr\u21b5.jpg", "/q/0\u21b5.jpg", "and 3 more"}));
    }

    void addAllTakesTheMainListAndSkipsFavorites_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("favorites");
        QTest::newRow("answered no") << int(No) << QStringList{"/f.jpg"};
        QTest::newRow("a favourite in other letter case skipped")
            << int(Yes) << QStringList{"/f.jpg", "/a.jpg", "/b.jpg"};
    }
    void addAllTakesTheMainListAndSkipsFavorites()
    {
        QFETCH(int, answer);
        QFETCH(QStringList, favorites);
        CatalogueFixture fixture(50); // events run after every line
        ImageCollection faves = testsupport::listOf({"/f.jpg"});
        catalogue::ImageListModel favesBox{faves};
        QAbstractItemModelTester tester(&favesBox);
        const bool yes = answer == Yes;
        fixture.dialogs.answerMessage(answer);
        if (yes)
            fixture.dialogs.answerMessage(Ok);
        catalogue::AddAllToFavorites(testsupport::listOf({"/a.jpg", "/F.JPG", "/b.jpg"}), faves,
                                     fixture.dialogs, fixture.pacer);
        QStringList expected{"Add all images to your favorites list?"};
        if (yes)
            expected << "You are attempting to add a duplicate record to the favorites list.  Lumarine will "
                        "remove this.";
        QCOMPARE(fixture.dialogs.messageTexts(), expected);
        QCOMPARE(fixture.dialogs.asked().first().style, YesNo | Question);
        QCOMPARE(fixture.dialogs.asked().last().style, yes ? OkOnly | Information : YesNo | Question);
        QCOMPARE(testsupport::rowsOf(favesBox), favorites);
        QVERIFY(!basUI::IsBusyCursorOn());
        QCOMPARE(fixture.yields > 0, yes);
        // Clearing the favourites asks first.
        fixture.dialogs.answerMessage(No);
        catalogue::ClearFavorites(faves, fixture.dialogs);
        QCOMPARE(testsupport::rowsOf(favesBox), favorites);
        fixture.dialogs.answerMessage(Yes);
        catalogue::ClearFavorites(faves, fixture.dialogs);
        QCOMPARE(fixture.dialogs.messageTexts().mid(expected.size()),
                 QStringList(2, "Clear favorite image list?"));
        QVERIFY(faves.isEmpty() && testsupport::rowsOf(favesBox).isEmpty());
    }
};

LUMARINE_REGISTER_TEST(TestListFiles)
#include "tst_listfiles.moc"
