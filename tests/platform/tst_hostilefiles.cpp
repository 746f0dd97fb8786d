// Files a user's folders may hold that are not what their names promise: a
// FIFO, a device, a folder, a dangling link, names that are not text. None
// may block the program or lead it to a file nobody named.
#include "platform/apperror.h"
#include "platform/filesystem.h"
#include "support/failingfilesystem.h"
#include "support/testmain.h"
#include "support/tree.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;
using testsupport::errorOf;

namespace {

QByteArray rawName(const QString& folder, const QByteArray& name)
{
    return QFile::encodeName(folder) + '/' + name;
}

bool touchRaw(const QByteArray& path)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    return fd >= 0 && ::close(fd) == 0;
}

} // namespace

class TestHostileFiles : public QObject {
    Q_OBJECT

private slots:
    void specialFilesAreRefusedWithoutBlocking_data();
    void specialFilesAreRefusedWithoutBlocking();
    void readStopsAtItsLimit();
    void listingLeavesOutNamesThatAreNotText();
    void unusualNamesAreListedAndCopied_data();
    void unusualNamesAreListedAndCopied();
};

void TestHostileFiles::specialFilesAreRefusedWithoutBlocking_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("read");
    QTest::addColumn<int>("copied");
    QTest::addColumn<int>("appended");
    // A FIFO with no reader cannot be opened for writing without waiting.
    QTest::newRow("FIFO") << "fifo" << 75 << 75 << 71;
    QTest::newRow("folder") << "folder" << 75 << 75 << 75;
    QTest::newRow("device") << "device" << 75 << 75 << 75;
    QTest::newRow("dangling link") << "dangling link" << 53 << 53 << 0;
}

void TestHostileFiles::specialFilesAreRefusedWithoutBlocking()
{
    QFETCH(QString, kind);
    QFETCH(int, read);
    QFETCH(int, copied);
    QFETCH(int, appended);
    QTemporaryDir dir;
    const QString path = dir.filePath("special.jpg");
    if (!testsupport::makeSpecialFile(kind, path))
        QSKIP("this machine cannot make that kind of file");
    LocalFileSystem fs;
    QCOMPARE(errorOf([&] { fs.readFile(path); }), read);
    QCOMPARE(errorOf([&] { fs.copyFile(path, dir.filePath("copy.jpg"), CopyMode::Replace); }), copied);
    QVERIFY(!QFileInfo::exists(dir.filePath("copy.jpg")));
    QCOMPARE(errorOf([&] { fs.appendFile(path, "line\r\n"); }), appended);
}

void TestHostileFiles::readStopsAtItsLimit()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("list.lum");
    QVERIFY(testsupport::writeBytes(path, QByteArray(100, 'a')));
    LocalFileSystem fs;
    QCOMPARE(fs.readFile(path, 100).size(), 100);
    QCOMPARE(errorOf([&] { fs.readFile(path, 99); }), err::OutOfMemory);
    // Far larger than memory allows, yet nothing is read: the file is sparse.
    QFile huge(dir.filePath("huge.lum"));
    QVERIFY(huge.open(QIODevice::WriteOnly));
    QVERIFY(huge.resize(qint64(1) << 30));
    huge.close();
    QCOMPARE(errorOf([&] { fs.readFile(huge.fileName(), 1 << 20); }), err::OutOfMemory);
}

void TestHostileFiles::listingLeavesOutNamesThatAreNotText()
{
    QTemporaryDir dir;
    const testsupport::ContentsRemover remover{dir.path()};
    // Both would decode to the same text, which names neither of them.
    QVERIFY(touchRaw(rawName(dir.path(), "caf\xe9.jpg")));
    QVERIFY(touchRaw(rawName(dir.path(), "caf\xff.jpg")));
    QVERIFY(touchRaw(rawName(dir.path(), "caf\xc3\xa9.jpg")));
    LocalFileSystem fs;
    const QList<DirEntry> entries = fs.list(dir.path());
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries.first().name, QString::fromUtf8("caf\xc3\xa9.jpg"));
}

void TestHostileFiles::unusualNamesAreListedAndCopied_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("a newline") << "two\nlines.jpg";
    QTest::newRow("a carriage return") << "two\rlines.jpg";
    QTest::newRow("a leading dash") << "-rf.jpg";
    QTest::newRow("255 bytes") << QString(251, QLatin1Char('n')) + ".jpg";
    QTest::newRow("255 bytes of two-byte letters") << QString(125, QChar(0xe9)) + "x.jpg";
}

void TestHostileFiles::unusualNamesAreListedAndCopied()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("to"));
    QVERIFY(testsupport::writeBytes(dir.filePath(name), "picture"));
    LocalFileSystem fs;
    const QList<DirEntry> entries = fs.list(dir.path(), {false, FileMatch::Jpeg});
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries.first().name, name);
    const QString copy = joinPath(dir.filePath("to"), name);
    fs.copyFile(dir.filePath(name), copy, CopyMode::KeepExisting);
    QCOMPARE(testsupport::readBytes(copy), QByteArray("picture"));
    QCOMPARE(QDir(dir.filePath("to")).entryList(QDir::Files | QDir::Hidden), QStringList{name});
}

#include "tst_hostilefiles.moc"

LUMARINE_REGISTER_TEST(TestHostileFiles)
