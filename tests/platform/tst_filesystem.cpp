// The file system as the program sees it: listings, reads, writes, copies,
// errors and their texts, and the files a user's folders may hold that are
// not what their names promise. None may block the program or lead it to a
// file nobody named.
#include "platform/apperror.h"
#include "platform/basui.h"
#include "platform/dialogs.h"
#include "platform/filesystem.h"
#include "platform/inipath.h"
#include "platform/naturalorder.h"
#include "platform/volumes.h"
#include "support/failingfilesystem.h"
#include "support/scripteddialogs.h"
#include "support/testmain.h"
#include "support/tree.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QMap>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

using namespace platform;
using testsupport::errorOf;
using Files = QMap<QString, QByteArray>;

namespace {

QStringList namesOf(const QList<DirEntry>& entries)
{
    QStringList names;
    for (const DirEntry& entry : entries)
        names << (entry.isFolder ? entry.name + QLatin1Char('/') : entry.name);
    return names;
}

// Every file below root, hidden ones too, with its content: a temporary copy
// left behind would show here.
Files filesBelow(const QString& root)
{
    Files found;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        found.insert(QDir(root).relativeFilePath(path), testsupport::readBytes(path));
    }
    return found;
}

bool touchRaw(const QString& folder, const QByteArray& name)
{
    const int fd = ::open((QFile::encodeName(folder) + '/' + name).constData(), O_WRONLY | O_CREAT, 0600);
    return fd >= 0 && ::close(fd) == 0;
}

} // namespace

class TestFileSystem : public QObject {
    Q_OBJECT

private slots:
    void errorsAreReportedWithTheirTexts()
    {
        QCOMPARE(AppError(53).description(), QStringLiteral("File not found"));
        QCOMPARE(AppError(457).description(),
                 QStringLiteral("This key is already associated with an element of this collection"));
        QCOMPARE(AppError(70, QStringLiteral("custom")).description(), QStringLiteral("custom"));
        QCOMPARE(QByteArray(AppError(76).what()), QByteArray("76: Path not found"));
        testsupport::ScriptedDialogs dialogs;
        dialogs.answerMessage(mb::Ok);
        basUI::ReportError(dialogs, AppError(383));
        QCOMPARE(
            dialogs.messageTexts(),
            QStringList{
                "An error has occurred!\r\n\r\nError: 383\r\nDescription: 'Text' property is read-only"});
        QCOMPARE(dialogs.asked().first().style, mb::Question);
        QCOMPARE(dialogs.asked().first().title, QStringLiteral("Lumarine"));
    }

    void busyCursorIsNotCounted()
    {
        basUI::BusyCursorOn();
        basUI::BusyCursorOn();
        QVERIFY(basUI::IsBusyCursorOn());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        basUI::BusyCursorOff();
        QVERIFY(!basUI::IsBusyCursorOn());
        basUI::BusyCursorOff();
        QVERIFY(!basUI::IsBusyCursorOn());
    }

    void driveKindFollowsFileSystemAndMountPlace_data()
    {
        QTest::addColumn<QByteArray>("type");
        QTest::addColumn<QString>("mountPoint");
        QTest::addColumn<int>("kind");
        QTest::newRow("root ext4") << QByteArray("ext4") << "/" << int(DriveType::Fixed);
        QTest::newRow("usb stick") << QByteArray("vfat") << "/media/user/STICK" << int(DriveType::Removable);
        QTest::newRow("udisks") << QByteArray("exfat") << "/run/media/u/CARD" << int(DriveType::Removable);
        QTest::newRow("nfs share") << QByteArray("nfs4") << "/srv/photos" << int(DriveType::Network);
        QTest::newRow("samba share") << QByteArray("cifs") << "/mnt/nas" << int(DriveType::Network);
        QTest::newRow("dvd") << QByteArray("iso9660") << "/media/cdrom" << int(DriveType::CdRom);
        QTest::newRow("blu-ray") << QByteArray("udf") << "/media/bd" << int(DriveType::CdRom);
    }
    void driveKindFollowsFileSystemAndMountPlace()
    {
        QFETCH(QByteArray, type);
        QFETCH(QString, mountPoint);
        QFETCH(int, kind);
        QCOMPARE(int(driveTypeFor(type, mountPoint)), kind);
    }

    void volumesStartWithRootAndSkipPseudoFileSystems()
    {
        const QList<Volume> volumes = systemVolumes();
        QVERIFY(!volumes.isEmpty());
        QCOMPARE(volumes.first().root, QStringLiteral("/"));
        for (const Volume& volume : volumes)
            QVERIFY2(volume.root != "/proc" && volume.root != "/sys", qPrintable(volume.root));
        // tmpfs and overlay hold stored files, but no drive a user would pick.
        for (const char* type : {"proc", "sysfs", "devtmpfs", "cgroup2"})
            QVERIFY2(isKernelFileSystem(type) && isPseudoFileSystem(type), type);
        for (const char* type : {"tmpfs", "overlay"})
            QVERIFY2(!isKernelFileSystem(type) && isPseudoFileSystem(type), type);
        QVERIFY(!isKernelFileSystem("ext4") && !isPseudoFileSystem("ext4"));
    }

    void iniPathIsTheUsersUnlessAPortableCopy_data()
    {
        QTest::addColumn<QString>("environment");
        QTest::addColumn<bool>("portableFile"); // a lumarine.ini already beside the program
        QTest::addColumn<bool>("writable");     // false: it cannot be replaced
        QTest::addColumn<QString>("expected");  // "program", "user" or the path named
        QTest::newRow("named outright") << "/somewhere/else.ini" << true << true << "/somewhere/else.ini";
        QTest::newRow("portable copy") << "" << true << true << "program";
        QTest::newRow("portable copy not writable") << "" << true << false << "user";
        QTest::newRow("none beside the program") << "" << false << true << "user";
    }
    void iniPathIsTheUsersUnlessAPortableCopy()
    {
        QFETCH(QString, environment);
        QFETCH(bool, portableFile);
        QFETCH(bool, writable);
        QFETCH(QString, expected);
        QTemporaryDir program;
        const QString beside = program.filePath("lumarine.ini");
        QVERIFY(!portableFile || testsupport::writeBytes(beside, {}));
        qputenv("LUMARINE_INI", environment.toUtf8());
        const QString user = "/home/user/.config/lumarine";
        // Root may write anything: a file that cannot be written is told, not made.
        const QString path = resolveIniPath(program.path(), user, [&](const QString&) { return writable; });
        qunsetenv("LUMARINE_INI");
        QCOMPARE(path, expected == "program" ? beside
                       : expected == "user"  ? user + "/lumarine.ini"
                                             : expected);
        QCOMPARE(QFileInfo::exists(beside), portableFile);
    }

    void classicFilterBecomesQtFilter()
    {
        QCOMPARE(qtNameFilter("Lumarine files (*.lum)|*.lum"), QStringLiteral("Lumarine files (*.lum)"));
        QCOMPARE(qtNameFilter("JPG Files|*.jpg;*.jpeg|All|*"),
                 QStringLiteral("JPG Files (*.jpg *.jpeg);;All (*)"));
    }

    void listingShowsWhatLinksNameAndLeavesOutTheRest()
    {
        QTemporaryDir dir;
        const testsupport::ContentsRemover remover{dir.path()};
        QVERIFY(testsupport::makeTree(dir.path(), {"b.jpg", ".hidden.jpg", ".cache/", "sub/x.jpg", "a.txt"}));
        QVERIFY(testsupport::makeSpecialFile("fifo", dir.filePath("pipe.jpg")));
        QVERIFY(testsupport::makeSpecialFile("dangling link", dir.filePath("broken.jpg")));
        QVERIFY(QFile::link(dir.filePath("sub"), dir.filePath("folderlink")));
        QVERIFY(QFile::link(dir.filePath("sub/x.jpg"), dir.filePath("filelink.jpg")));
        // Not text in the system's encoding: both would decode to the same
        // text, which names neither of them.
        QVERIFY(touchRaw(dir.path(), "caf\xe9.jpg") && touchRaw(dir.path(), "caf\xff.jpg"));
        QVERIFY(touchRaw(dir.path(), "caf\xc3\xa9.jpg"));
        LocalFileSystem fs;
        QCOMPARE(namesOf(fs.list(dir.path())), (QStringList{"a.txt", "b.jpg", QString::fromUtf8("café.jpg"),
                                                            "filelink.jpg", "folderlink/", "sub/"}));
        QVERIFY(fs.list(dir.filePath("missing/")).isEmpty());
        QVERIFY(fs.list(dir.filePath("b.jpg/")).isEmpty());
    }

    void listingFilterChoosesFoldersAndFiles_data()
    {
        QTest::addColumn<bool>("folders");
        QTest::addColumn<int>("files");
        QTest::addColumn<QStringList>("expected");
        const QStringList all{"a.JPEG", "b.txt", "c.jpg", "d/", "e.jpg/"};
        QTest::newRow("everything") << true << int(FileMatch::All) << all;
        QTest::newRow("folders only") << true << int(FileMatch::None) << QStringList{"d/", "e.jpg/"};
        // A folder named like an image is still only a folder.
        QTest::newRow("images only") << false << int(FileMatch::Jpeg) << QStringList{"a.JPEG", "c.jpg"};
        QTest::newRow("folders and images")
            << true << int(FileMatch::Jpeg) << QStringList{"a.JPEG", "c.jpg", "d/", "e.jpg/"};
    }
    void listingFilterChoosesFoldersAndFiles()
    {
        QFETCH(bool, folders);
        QFETCH(int, files);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        QVERIFY(testsupport::makeTree(dir.path(), {"a.JPEG", "b.txt", "c.jpg", "d/", "e.jpg/"}));
        QCOMPARE(namesOf(LocalFileSystem().list(dir.path(), {folders, FileMatch(files)})), expected);
    }

    void naturalOrderIgnoresCaseAndReadsNumbers_data()
    {
        QTest::addColumn<QStringList>("sorted");
        QTest::newRow("numbers by value") << QStringList{"IMG_1", "IMG_2", "IMG_10"};
        QTest::newRow("case does not count") << QStringList{"a", "b", "B2", "C"};
        QTest::newRow("leading zeros") << QStringList{"x9", "x010", "x0011"};
        QTest::newRow("prefix first") << QStringList{"a", "a1", "ab"};
        QTest::newRow("accents beside their letters") << QStringList{"apple", "\u00e9lan", "Eve", "zoo"};
        QTest::newRow("long numbers") << QStringList{"p99999999999999999999", "p100000000000000000000"};
    }
    void naturalOrderIgnoresCaseAndReadsNumbers()
    {
        QFETCH(QStringList, sorted);
        QStringList names(sorted.rbegin(), sorted.rend());
        std::sort(names.begin(), names.end(), naturalLess);
        QCOMPARE(names, sorted);
        names = QStringList(sorted.rbegin(), sorted.rend());
        naturalSort(names, [](const QString& name) { return name; });
        QCOMPARE(names, sorted);
        // Names equal but for case still have a fixed order.
        QVERIFY(naturalCompare("a", "A") != 0);
        QCOMPARE(naturalCompare("a", "A"), -naturalCompare("A", "a"));
    }

    void asciiNamesOrderAsTheCollatorOrdersThem()
    {
        // The quick road for ASCII names must agree with the collator on every
        // pair, or a folder's order would depend on which names it holds.
        QRandomGenerator random(7);
        const QString characters = QStringLiteral("aAbBzZ _-.,;!~()[]{}@#&+=$^'`0123456789");
        const auto name = [&] {
            QString made;
            for (int length = 1 + random.bounded(6); length > 0; --length)
                made += characters[random.bounded(int(characters.size()))];
            return made;
        };
        const auto sign = [](int value) { return (value > 0) - (value < 0); };
        for (int pair = 0; pair < 20000; ++pair) {
            const QString a = name();
            const QString b = name();
            QVERIFY(naturalOrderIsQuick(a));
            QVERIFY2(sign(naturalCompare(a, b)) == sign(collatedCompare(a, b)), qPrintable(a + " | " + b));
        }
    }

    // Each kind of file at a path, through each call: read, copy from and
    // append to it. Nothing is ever copied from what is not a regular file.
    void filesThatAreNoRegularFileAreRefusedWithoutBlocking_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("read");
        QTest::addColumn<int>("copied");
        QTest::addColumn<int>("appended");
        // A FIFO with no reader cannot be opened for writing without waiting.
        QTest::newRow("FIFO") << "fifo"
                              << "special.jpg" << 75 << 75 << 71;
        QTest::newRow("folder") << "folder"
                                << "special.jpg" << 75 << 75 << 75;
        QTest::newRow("device") << "device"
                                << "special.jpg" << 75 << 75 << 75;
        QTest::newRow("dangling link") << "dangling link"
                                       << "special.jpg" << 53 << 53 << 0;
        QTest::newRow("missing file") << "none"
                                      << "special.jpg" << 53 << 53 << 0;
        QTest::newRow("missing folder") << "none"
                                        << "none/special.jpg" << 76 << 76 << 76;
        QTest::newRow("file in a folder's place") << "none"
                                                  << "plain.lum/special.jpg" << 76 << 76 << 76;
    }
    void filesThatAreNoRegularFileAreRefusedWithoutBlocking()
    {
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(int, read);
        QFETCH(int, copied);
        QFETCH(int, appended);
        QTemporaryDir dir;
        QVERIFY(testsupport::makeTree(dir.path(), {"plain.lum"}));
        const QString path = dir.filePath(name);
        if (kind != "none" && !testsupport::makeSpecialFile(kind, path))
            QSKIP("this machine cannot make that kind of file");
        LocalFileSystem fs;
        QCOMPARE(errorOf([&] { fs.readFile(path); }), read);
        QCOMPARE(errorOf([&] { fs.copyFile(path, dir.filePath("copy.jpg"), CopyMode::Replace); }), copied);
        QVERIFY(!QFileInfo::exists(dir.filePath("copy.jpg")));
        QCOMPARE(errorOf([&] { fs.appendFile(path, "line\r\n"); }), appended);
        QCOMPARE(fs.readFile(dir.filePath("plain.lum")), QByteArray("x"));
    }

    void readStopsAtItsLimit()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("list.lum");
        QVERIFY(testsupport::writeBytes(path, QByteArray(100, 'a')));
        LocalFileSystem fs;
        QCOMPARE(fs.readFile(path, 100).size(), 100);
        QCOMPARE(errorOf([&] { fs.readFile(path, 99); }), err::OutOfMemory);
        // Far larger than memory allows, yet nothing is read: the file is sparse.
        QVERIFY(testsupport::makeSpecialFile("1 GB", path));
        QCOMPARE(errorOf([&] { fs.readFile(path, 1 << 20); }), err::OutOfMemory);
    }

    void unusualNamesAreListedAndCopied_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("a newline") << "two\nlines.jpg";
        QTest::newRow("a carriage return") << "two\rlines.jpg";
        QTest::newRow("a leading dash") << "-rf.jpg";
        QTest::newRow("255 bytes") << QString(251, QLatin1Char('n')) + ".jpg";
        QTest::newRow("255 bytes of two-byte letters") << QString(125, QChar(0xe9)) + "x.jpg";
    }
    void unusualNamesAreListedAndCopied()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        QVERIFY(testsupport::makeTree(dir.path(), {"to/", name}, "picture"));
        LocalFileSystem fs;
        QCOMPARE(namesOf(fs.list(dir.path(), {false, FileMatch::Jpeg})), QStringList{name});
        fs.copyFile(dir.filePath(name), joinPath(dir.filePath("to"), name), CopyMode::KeepExisting);
        QCOMPARE(filesBelow(dir.filePath("to")), (Files{{name, "picture"}}));
    }

    void copyAndRenameArriveWholeOrNotAtAll_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("number");
        QTest::addColumn<Files>("after");
        const Files before{{"a.jpg", "picture"}, {"b.jpg", "other"}};
        const auto row = [](const char* name, const char* operation, const char* from, const char* to,
                            int number, const Files& after) {
            QTest::newRow(name) << QString(operation) << QString(from) << QString(to) << number << after;
        };
        row("copy to a new name", "copy", "a.jpg", "c.jpg", 0,
            {{"a.jpg", "picture"}, {"b.jpg", "other"}, {"c.jpg", "picture"}});
        row("copy keeps a taken name", "copy", "a.jpg", "b.jpg", 58, before);
        row("copy replaces a taken name", "replace", "a.jpg", "b.jpg", 0,
            {{"a.jpg", "picture"}, {"b.jpg", "picture"}});
        row("copy of a missing file", "copy", "gone.jpg", "c.jpg", 53, before);
        row("copy into a missing folder", "copy", "a.jpg", "none/c.jpg", 76, before);
        row("rename to a free name", "rename", "a.jpg", "c.jpg", 0,
            {{"c.jpg", "picture"}, {"b.jpg", "other"}});
        row("rename to a taken name", "rename", "a.jpg", "b.jpg", 58, before);
        row("rename onto itself", "rename", "a.jpg", "a.jpg", 58, before);
        row("rename of a missing file", "rename", "gone.jpg", "c.jpg", 53, before);
    }
    void copyAndRenameArriveWholeOrNotAtAll()
    {
        QFETCH(QString, operation);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(int, number);
        QFETCH(Files, after);
        QTemporaryDir dir;
        QVERIFY(testsupport::makeTree(dir.path(), {"a.jpg"}, "picture") &&
                testsupport::makeTree(dir.path(), {"b.jpg"}, "other"));
        LocalFileSystem fs;
        const QString source = dir.filePath(from);
        const QString target = dir.filePath(to);
        QCOMPARE(errorOf([&] {
                     if (operation == "rename")
                         fs.rename(source, target);
                     else
                         fs.copyFile(source, target,
                                     operation == "replace" ? CopyMode::Replace : CopyMode::KeepExisting);
                 }),
                 number);
        QCOMPARE(filesBelow(dir.path()), after);
    }

    void writeCreateRemoveAndAppend()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("list.lum");
        QVERIFY(testsupport::writeBytes(path, "a much longer old content\r\n"));
        LocalFileSystem fs;
        fs.writeFile(path, "new\r\n");
        QCOMPARE(errorOf([&] { fs.writeFile(dir.filePath("list.lum/inner.lum"), "x"); }), 76);
        QCOMPARE(errorOf([&] { fs.writeFile(dir.filePath("missing/inner.lum"), "x"); }), 76);
        fs.appendFile(path, "two\r\n");
        QCOMPARE(filesBelow(dir.path()), (Files{{"list.lum", "new\r\ntwo\r\n"}}));
        fs.removeFile(path);
        QCOMPARE(errorOf([&] { fs.removeFile(path); }), 53);
        QCOMPARE(errorOf([&] { fs.attributes(path); }), 53);
        fs.createFolder(dir.filePath("new"));
        QCOMPARE(fs.attributes(dir.filePath("new")) & attr::Directory, attr::Directory);
        QCOMPARE(errorOf([&] { fs.createFolder(dir.filePath("new")); }), 58);
        QCOMPARE(errorOf([&] { fs.createFolder(dir.filePath("missing/new")); }), 76);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"new"});
    }

    void plainNamesOnly_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("number");
        QTest::newRow("plain") << "New Folder" << 0;
        QTest::newRow("dots inside") << "a..b" << 0;
        for (const char* name : {"", "a/b", ".", ".."})
            QTest::addRow("\"%s\"", name) << QString(name) << 52;
    }
    void plainNamesOnly()
    {
        QFETCH(QString, name);
        QFETCH(int, number);
        QCOMPARE(errorOf([&] { checkPlainName(name); }), number);
    }

    void pathsAreJoinedAndSplitAtOneSeparator()
    {
        QCOMPARE(QStringList({joinPath("/", "a"), joinPath("/mnt/data", "a"), joinPath("/mnt/data/", "a")}),
                 QStringList({"/a", "/mnt/data/a", "/mnt/data/a"}));
        QCOMPARE(QStringList({fileNameOf("/a/b/c.jpg"), fileNameOf("/c.jpg"), fileNameOf("c.jpg")}),
                 QStringList({"c.jpg", "c.jpg", "c.jpg"}));
        QCOMPARE(
            QStringList({parentFolderOf("/a/b/c.jpg"), parentFolderOf("/c.jpg"), parentFolderOf("c.jpg")}),
            QStringList({"/a/b", "/", ""}));
    }
};

LUMARINE_REGISTER_TEST(TestFileSystem)
#include "tst_filesystem.moc"
