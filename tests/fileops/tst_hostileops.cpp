// The image commands on paths a list file may name that are no pictures a
// command can read: none may wait on the file or lose one.
#include "opsfixture.h"
#include "support/jpegfixtures.h"
#include "support/testmain.h"
#include "support/tree.h"

#include "fileops/imagemenu.h"
#include "platform/basui.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QTest>

using namespace platform;

class TestHostileOps : public QObject {
    Q_OBJECT

private slots:
    void specialFilesAreRefusedNotWaitedFor_data();
    void specialFilesAreRefusedNotWaitedFor();
    void nameWithALineBreakIsNotAddedToASavedList();
    void clipboardKeepsTheLoadersBounds_data();
    void clipboardKeepsTheLoadersBounds();
};

void TestHostileOps::specialFilesAreRefusedNotWaitedFor_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("number");
    const int copy = fileops::entry::CopyFile;
    const int clipboard = fileops::entry::CopyToClipboard;
    QTest::newRow("FIFO copied") << "fifo" << copy << 75;
    QTest::newRow("FIFO to the clipboard") << "fifo" << clipboard << 75;
    QTest::newRow("device copied") << "device" << copy << 75;
    QTest::newRow("device to the clipboard") << "device" << clipboard << 75;
    QTest::newRow("folder copied") << "folder" << copy << 75;
    QTest::newRow("dangling link copied") << "dangling link" << copy << 53;
    QTest::newRow("dangling link to the clipboard") << "dangling link" << clipboard << 53;
}

void TestHostileOps::specialFilesAreRefusedNotWaitedFor()
{
    QFETCH(QString, kind);
    QFETCH(int, command);
    QFETCH(int, number);
    OpsFixture f;
    const QString image = f.path("special.jpg");
    if (!testsupport::makeSpecialFile(kind, image))
        QSKIP("this machine cannot make that kind of file");
    f.list(image);
    f.state.ContextImage = image;
    if (command == fileops::entry::CopyFile)
        f.dialogs.answerSaveFile(f.path("copy.jpg"));
    f.dialogs.answerMessage(mb::Ok);
    QAction entry;
    auto ops = f.ops();
    fileops::RunImageCommand(ops, {&entry}, command, nullptr, false);
    QCOMPARE(f.dialogs.messageTexts().size(), 1);
    QVERIFY2(f.dialogs.messageTexts().first().contains(QStringLiteral("Error: %1\r\n").arg(number)),
             qPrintable(f.dialogs.messageTexts().first()));
    QVERIFY(!QFileInfo::exists(f.path("copy.jpg")));
    QCOMPARE(f.rows(f.lstImages), QStringList{image});
    QVERIFY(!basUI::IsBusyCursorOn());
}

void TestHostileOps::nameWithALineBreakIsNotAddedToASavedList()
{
    OpsFixture f;
    const QString list = f.put("saved.lum", "/p/a.jpg\r\n");
    f.dialogs.answerMessage(mb::Ok);
    auto ops = f.ops();
    fileops::AddToSavedList(ops, "/p/two\nlines.jpg");
    QCOMPARE(f.dialogs.messageTexts(),
             QStringList{"This image's name holds a line break, so it cannot be added to a list file."});
    QCOMPARE(f.dialogs.asked().first().style, mb::OkOnly + mb::Exclamation);
    // No file was asked for, and the list is as it was.
    QVERIFY(f.dialogs.fileDialogs.isEmpty());
    QCOMPARE(f.files().value("saved.lum"), QByteArray("/p/a.jpg\r\n"));
}

void TestHostileOps::clipboardKeepsTheLoadersBounds_data()
{
    using namespace testsupport;
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("number");
    QTest::newRow("header claiming 65500 x 65500")
        << withClaimedSize(jpegBytes(QSize(64, 48)), QSize(65500, 65500)) << 481;
    QTest::newRow("progressive, thousands of scans")
        << withLastScanRepeated(jpegBytes(QSize(64, 48), true), 3000) << 481;
    QTest::newRow("a whole picture") << jpegBytes(QSize(64, 48)) << 0;
}

void TestHostileOps::clipboardKeepsTheLoadersBounds()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, number);
    OpsFixture f;
    f.state.ContextImage = f.put("a.jpg", bytes);
    if (number != 0)
        f.dialogs.answerMessage(mb::Ok);
    QAction entry;
    auto ops = f.ops();
    fileops::RunImageCommand(ops, {&entry}, fileops::entry::CopyToClipboard, nullptr, false);
    if (number == 0) {
        QVERIFY(f.dialogs.asked().isEmpty());
        QCOMPARE(qvariant_cast<QImage>(QGuiApplication::clipboard()->mimeData()->imageData()).size(),
                 QSize(64, 48));
    } else {
        QCOMPARE(f.dialogs.messageTexts().size(), 1);
        QVERIFY(f.dialogs.messageTexts().first().contains(QStringLiteral("Error: %1\r\n").arg(number)));
    }
}

#include "tst_hostileops.moc"

LUMARINE_REGISTER_TEST(TestHostileOps)
