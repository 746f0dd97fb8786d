// List files that are not what a list file should be: special files, files
// far too large, lines that no path could fill, and lists holding names that
// no line can hold.
#include "catalogue/imagecollection.h"
#include "catalogue/listfiles.h"
#include "fixtures.h"
#include "platform/basui.h"
#include "support/testmain.h"
#include "support/tree.h"

#include "catalogue/imagelistmodel.h"
#include "support/modelrows.h"
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using catalogue::ImageCollection;
using catalogue::ListFileLimits;
using platform::mb::No;
using platform::mb::Ok;
using testsupport::CatalogueFixture;

namespace {

QString reportOf(int number, const QString& description = {})
{
    return basUI::ReportErrorText(description.isEmpty() ? platform::AppError(number)
                                                        : platform::AppError(number, description));
}

// Makes the list file a row describes at path.
bool makeListFile(const QString& kind, const QString& path)
{
    if (kind == "fifo" || kind == "folder" || kind == "device")
        return testsupport::makeSpecialFile(kind, path);
    if (kind == "1 GB, sparse") {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.resize(qint64(1) << 30);
    }
    if (kind == "10 million lines")
        return testsupport::writeBytes(path, QByteArray("a\r").repeated(10'000'000));
    if (kind == "lines at the limits")
        return testsupport::writeBytes(path, "/a.jpg\r\n" + QByteArray(16, 'x') + "\r\n\r\n/c.jpg\r\n");
    if (kind == "one line too many")
        return testsupport::writeBytes(path, "/a.jpg\r\n/b.jpg\r\n/c.jpg\r\n/d.jpg");
    return false;
}

} // namespace

class TestHostileLists : public QObject {
    Q_OBJECT

private slots:
    void hostileListFilesAreRefusedWithAClearMessage_data();
    void hostileListFilesAreRefusedWithAClearMessage();
    void listAtTheLimitsOpens();
    void namesWithLineBreaksAreLeftOutAndNamed();
    void linesNoFileCanHaveAreLeftOutAndCounted_data();
    void linesNoFileCanHaveAreLeftOutAndCounted();
};

void TestHostileLists::hostileListFilesAreRefusedWithAClearMessage_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("smallLimits");
    QTest::addColumn<QString>("report");
    const int tooLarge = platform::err::OutOfMemory;
    QTest::newRow("FIFO") << "fifo" << false << reportOf(75);
    QTest::newRow("folder") << "folder" << false << reportOf(75);
    QTest::newRow("device") << "device" << false << reportOf(75);
    QTest::newRow("1 GB") << "1 GB, sparse" << false
                          << reportOf(tooLarge, "The list file is larger than 64 MB.");
    QTest::newRow("10 million lines")
        << "10 million lines" << false << reportOf(tooLarge, "The list file has more than 1000000 lines.");
    QTest::newRow("one line too many")
        << "one line too many" << true << reportOf(tooLarge, "The list file has more than 3 lines.");
}

void TestHostileLists::hostileListFilesAreRefusedWithAClearMessage()
{
    QFETCH(QString, kind);
    QFETCH(bool, smallLimits);
    QFETCH(QString, report);
    QTemporaryDir dir;
    const QString file = dir.filePath("list.lum");
    if (!makeListFile(kind, file))
        QSKIP("this machine cannot make that kind of file");
    CatalogueFixture fixture;
    ImageCollection images;
    images.Add("/old.jpg");
    catalogue::ImageListModel box{images};
    platform::FileDialogState cdlMain;
    fixture.dialogs.answerMessage(No);
    fixture.dialogs.answerMessage(Ok);
    fixture.dialogs.answerMessage(Ok);
    const ListFileLimits limits = smallLimits ? ListFileLimits{1024, 3, 16} : ListFileLimits{};
    catalogue::OpenList(file, cdlMain, images, fixture.context, limits);
    QCOMPARE(fixture.dialogs.messageTexts(), (QStringList{"Clear existing main file list?", report, file}));
    // Nothing of a refused file enters the list.
    QCOMPARE(testsupport::rowsOf(box), QStringList{"/old.jpg"});
    QCOMPARE(images.Count(), 1);
    QVERIFY(!basUI::IsBusyCursorOn());
}

void TestHostileLists::listAtTheLimitsOpens()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("list.lum");
    QVERIFY(makeListFile("lines at the limits", file));
    CatalogueFixture fixture;
    ImageCollection images;
    catalogue::ImageListModel box{images};
    platform::FileDialogState cdlMain;
    catalogue::OpenList(file, cdlMain, images, fixture.context, ListFileLimits{36, 3, 16});
    QCOMPARE(testsupport::rowsOf(box), (QStringList{"/a.jpg", QString(16, QLatin1Char('x')), "/c.jpg"}));
    QVERIFY(fixture.dialogs.asked().isEmpty());
}

void TestHostileLists::namesWithLineBreaksAreLeftOutAndNamed()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("saved.lum");
    CatalogueFixture fixture;
    QStringList lines{"/p/a.jpg", "/p/two\nlines.jpg", "/p/b.jpg", "/p/cr\r.jpg"};
    for (int i = 0; i < 11; ++i)
        lines << QStringLiteral("/q/%1\n.jpg").arg(i);
    const ImageCollection box = testsupport::listOf(lines);
    platform::FileDialogState cdlMain;
    fixture.dialogs.answerSaveFile(file);
    fixture.dialogs.answerMessage(Ok);
    catalogue::SaveList(box, cdlMain, dir.path(), fixture.dialogs, fixture.fileSystem);
    QCOMPARE(testsupport::readBytes(file), QByteArray("/p/a.jpg\r\n/p/b.jpg\r\n"));
    QCOMPARE(fixture.dialogs.asked().size(), 2);
    const auto& message = fixture.dialogs.asked().last();
    QCOMPARE(message.style, platform::mb::OkOnly | platform::mb::Exclamation);
    const QStringList shown = message.text.split("\r\n");
    QCOMPARE(shown.first(), "Not saved, since a name with a line break cannot be one line of a list file:");
    QCOMPARE(shown.mid(2, 3),
             (QStringList{QString::fromUtf8("/p/two\u21b5lines.jpg"), QString::fromUtf8("/p/cr\u21b5.jpg"),
                          QString::fromUtf8("/q/0\u21b5.jpg")}));
    QCOMPARE(shown.last(), "and 3 more");
}

void TestHostileLists::linesNoFileCanHaveAreLeftOutAndCounted_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    const QByteArray longest = '/' + QByteArray(4095, 'p');
    QTest::newRow("not text") << QByteArray("/a.jpg\r\n/caf\xe9.jpg\r\n/b.jpg\r\n")
                              << "1 line of the list file was left out: it is not text in the system's "
                                 "encoding, or longer than a path can be.";
    QTest::newRow("not text, and longer than a path")
        << QByteArray("/a.jpg\r\n/caf\xe9.jpg\r\n" + longest + "x\r\n/b.jpg")
        << "2 lines of the list file were left out: they are not text in the system's encoding, or longer "
           "than a path can be.";
    QTest::newRow("as long as a path can be")
        << QByteArray("/a.jpg\r\n" + longest + "\r\n/b.jpg") << QString();
}

void TestHostileLists::linesNoFileCanHaveAreLeftOutAndCounted()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString file = dir.filePath("list.lum");
    QVERIFY(testsupport::writeBytes(file, content));
    CatalogueFixture fixture;
    ImageCollection images;
    catalogue::ImageListModel box{images};
    platform::FileDialogState cdlMain;
    if (!message.isEmpty())
        fixture.dialogs.answerMessage(Ok);
    catalogue::OpenList(file, cdlMain, images, fixture.context);
    QCOMPARE(testsupport::rowsOf(box).first(), "/a.jpg");
    QCOMPARE(testsupport::rowsOf(box).last(), "/b.jpg");
    QCOMPARE(box.rowCount(), message.isEmpty() ? 3 : 2);
    QCOMPARE(fixture.dialogs.messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty())
        QCOMPARE(fixture.dialogs.asked().first().style, platform::mb::OkOnly | platform::mb::Exclamation);
}

#include "tst_hostilelists.moc"

LUMARINE_REGISTER_TEST(TestHostileLists)
