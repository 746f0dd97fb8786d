// The file system as the program sees it: none of its calls may block the
// program or lead it to a file nobody named.
#include "platform/apperror.h"
#include "platform/inipath.h"
#include "platform/naturalorder.h"
#include "support/testmain.h"

#include <QDirIterator>

#include <random>

#include <fcntl.h>
#include <unistd.h>

using namespace platform;
using testsupport::errorOf;

namespace {

QStringList namesOf(const QList<DirEntry>& entries)
{
    QStringList names;
    for (const DirEntry& entry : entries)
        names << entry.name + (entry.isFolder ? "/" : "");
    return names;
}

// Every file below root with its content: a temporary copy left behind shows.
Files filesBelow(const QString& root)
{
    Files found;
    for (QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
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
    void driveKinds()
    {
        // Unknown 0, Removable 1, Fixed 2, Network 3, CdRom 4.
        QString kinds;
        for (const QString mount : {"ext4 /", "vfat /media/u/STICK", "exfat /run/media/u/CARD", "xfs /mnt/x",
                                    "nfs4 /media/p", "udf /media/bd", "iso9660 /media/cd", " /x"})
            kinds += QString::number(
                int(driveTypeFor(mount.section(' ', 0, 0).toLatin1(), mount.section(' ', 1))));
        QCOMPARE(kinds, "21113440");
        const QList<Volume> volumes = systemVolumes();
        QCOMPARE(volumes.first().root, QStringLiteral("/"));
        for (const Volume& volume : volumes)
            QVERIFY2(volume.root != "/proc" && volume.root != "/sys", qPrintable(volume.root));
        // tmpfs holds stored files, but is no drive a user would pick.
        QCOMPARE(QList<bool>({isKernelFileSystem("sysfs"), isKernelFileSystem("tmpfs"),
                              isPseudoFileSystem("tmpfs"), isPseudoFileSystem("ext4")}),
                 QList<bool>({true, false, true, false}));
    }

    void iniPathIsTheUsersUnlessAPortableCopy()
    {
        QTemporaryDir dir;
        const QString user = dir.filePath("user/lumarine.ini");
        const auto resolved = [&](const char* environment, bool writable) {
            qputenv("LUMARINE_INI", environment);
            // Root may write anything: a file that cannot be written is told, not made.
            const QString path = resolveIniPath(dir.filePath("program"), dir.filePath("user"),
                                                [&](const QString&) { return writable; });
            qunsetenv("LUMARINE_INI");
            return path;
        };
        const QString noneBeside = resolved("", true);
        QVERIFY(testsupport::makeTree(dir.path(), {"program/lumarine.ini"}));
        QCOMPARE(QStringList({noneBeside, resolved("/somewhere/else.ini", true), resolved("", true),
                              resolved("", false)}),
                 QStringList({user, "/somewhere/else.ini", dir.filePath("program/lumarine.ini"), user}));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"program"});
        QCOMPARE(QList<bool>({canReplaceFile(dir.filePath("program/lumarine.ini")), canReplaceFile(user)}),
                 QList<bool>({true, false}));
    }

    void namesAreFilteredSortedJoinedAndChecked()
    {
        QCOMPARE(QStringList({qtNameFilter("Lumarine files (*.lum)|*.lum"),
                              qtNameFilter("JPG Files|*.jpg;*.jpeg|All|*")}),
                 QStringList({"Lumarine files (*.lum)", "JPG Files (*.jpg *.jpeg);;All (*)"}));
        QCOMPARE(QStringList({joinPath("/", "a"), joinPath("/mnt/data", "a"), joinPath("/mnt/data/", "a"),
                              fileNameOf("/a/b/c.jpg"), fileNameOf("c.jpg"), parentFolderOf("/a/b/c.jpg"),
                              parentFolderOf("/c.jpg"), parentFolderOf("c.jpg")}),
                 QStringList({"/a", "/mnt/data/a", "/mnt/data/a", "c.jpg", "c.jpg", "/a/b", "/", ""}));
        QList<int> numbers;
        for (const char* name : {"New Folder", "a..b", "", "a/b", ".", ".."})
            numbers << errorOf([&] { checkPlainName(name); });
        QCOMPARE(numbers, QList<int>({0, 0, 52, 52, 52, 52}));
        // Names equal but for case still have a fixed order.
        QVERIFY(naturalCompare("a", "A") == -naturalCompare("A", "a") && naturalCompare("a", "A") != 0);
        for (const QStringList& sorted :
             {QStringList{"a", "a1", "ab", "b", "B2", "C", "IMG_1", "IMG_2", "IMG_10",
                          "p99999999999999999999", "p100000000000000000000", QString(300, u'q'), "x9", "x010",
                          "x0011"},
              {"apple", "\u00e9lan", "Eve", "zoo"}}) {
            QStringList names(sorted.rbegin(), sorted.rend());
            naturalSort(names, [](const QString& name) { return name; });
            QStringList byLess(sorted.rbegin(), sorted.rend());
            std::sort(byLess.begin(), byLess.end(), naturalLess);
            QCOMPARE(names + byLess, sorted + sorted);
        }
        // Names of letters, digits and stops at random sort alike both ways.
        std::mt19937 random(7);
        QStringList names;
        for (int i = 0; i < 400; ++i) {
            names.append(QString());
            for (auto length = random() % 9; length > 0; --length)
                names.last() += QChar(u"aAb0 1_9-.Z"[random() % 11]);
        }
        QStringList byLess = names;
        std::sort(byLess.begin(), byLess.end(), naturalLess);
        naturalSort(names, [](const QString& name) { return name; });
        QCOMPARE(names, byLess);
    }

    void listingShowsWhatLinksNameAndLeavesOutTheRest()
    {
        QTemporaryDir dir;
        const testsupport::ContentsRemover remover{dir.path()}; // QDir cannot remove names that are no text
        QVERIFY(testsupport::makeTree(
            dir.path(), {"b.jpg", ".hidden.jpg", ".cache/", "sub/x.jpg", "a.txt", "c.JPEG", "d.jpg/"}));
        QVERIFY(testsupport::makeSpecialFile("fifo", dir.filePath("pipe.jpg")) &&
                testsupport::makeSpecialFile("dangling link", dir.filePath("broken.jpg")));
        QVERIFY(QFile::link(dir.filePath("sub"), dir.filePath("folderlink")) &&
                QFile::link(dir.filePath("sub/x.jpg"), dir.filePath("filelink.jpg")));
        // Not text in the system's encoding: both would decode to the same
        // text, which names neither of them.
        QVERIFY(touchRaw(dir.path(), "caf\xe9.jpg") && touchRaw(dir.path(), "caf\xff.jpg") &&
                touchRaw(dir.path(), "caf\xc3\xa9.jpg"));
        LocalFileSystem fs;
        const QString cafe = QString::fromUtf8("café.jpg");
        QCOMPARE(namesOf(fs.list(dir.path())) + QStringList{"|"} +
                     namesOf(fs.list(dir.path(), {true, FileMatch::None})) + QStringList{"|"} +
                     namesOf(fs.list(dir.path(), {false, FileMatch::Jpeg})) +
                     namesOf(fs.list(dir.filePath("x/"))) + namesOf(fs.list(dir.filePath("b.jpg/"))),
                 (QStringList{"a.txt", "b.jpg", "c.JPEG", cafe, "d.jpg/", "filelink.jpg", "folderlink/",
                              "sub/", "|", "d.jpg/", "folderlink/", "sub/", "|", "b.jpg", "c.JPEG", cafe,
                              "filelink.jpg"}));
    }

    // A name of 255 bytes leaves no room for the copy's temporary suffix.
    void copyAndRenameArriveWholeOrNotAtAll()
    {
        // operation|from|to|number; what succeeds leaves the picture at "to"
        QStringList rows{"copy|a.jpg|two\nlines.jpg|0", "copy|a.jpg|b.jpg|58",      "replace|a.jpg|b.jpg|0",
                         "copy|gone.jpg|c.jpg|53",      "copy|a.jpg|none/c.jpg|76", "rename|a.jpg|c.jpg|0",
                         "rename|a.jpg|b.jpg|58",       "rename|a.jpg|a.jpg|58"};
        rows << "copy|a.jpg|" + QString(125, QChar(0xe9)) + "x.jpg|0";
        for (const QString& text : rows) {
            const QStringList row = text.split('|');
            QTemporaryDir dir;
            QVERIFY(testsupport::writeBytes(dir.filePath("a.jpg"), "picture") &&
                    testsupport::writeBytes(dir.filePath("b.jpg"), "other"));
            LocalFileSystem fs;
            const QString from = dir.filePath(row[1]), to = dir.filePath(row[2]);
            const int number = errorOf([&] {
                if (row[0] == "rename")
                    fs.rename(from, to);
                else
                    fs.copyFile(from, to, row[0] == "replace" ? CopyMode::Replace : CopyMode::KeepExisting);
            });
            Files after{{"a.jpg", "picture"}, {"b.jpg", "other"}};
            if (number == 0 && row[0] == "rename")
                after.remove(row[1]);
            if (number == 0)
                after.insert(row[2], "picture");
            QCOMPARE(std::pair(number, filesBelow(dir.path())), std::pair(row[3].toInt(), after));
        }
    }

    void writeCreateRemoveAppendAndReadToALimit()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("list.lum");
        QVERIFY(testsupport::writeBytes(path, "a much longer old content\r\n"));
        LocalFileSystem fs;
        fs.writeFile(path, "new\r\n");
        fs.appendFile(path, "two\r\n");
        fs.createFolder(dir.filePath("new"));
        QCOMPARE(std::tuple(filesBelow(dir.path()), fs.readFile(path, 10),
                            fs.attributes(dir.filePath("new")) & attr::Directory),
                 std::tuple(Files{{"list.lum", "new\r\ntwo\r\n"}}, QByteArray("new\r\ntwo\r\n"),
                            int(attr::Directory)));
        QList<int> numbers{errorOf([&] { fs.writeFile(dir.filePath("list.lum/inner.lum"), "x"); }),
                           errorOf([&] { fs.writeFile(dir.filePath("missing/inner.lum"), "x"); }),
                           errorOf([&] { fs.readFile(path, 9); }),
                           errorOf([&] { fs.removeFile(path); }),
                           errorOf([&] { fs.removeFile(path); }),
                           errorOf([&] { fs.attributes(path); }),
                           errorOf([&] { fs.createFolder(dir.filePath("new")); }),
                           errorOf([&] { fs.createFolder(dir.filePath("missing/new")); })};
        // Far larger than memory allows, yet nothing is read: the file is sparse.
        QVERIFY(testsupport::makeSpecialFile("1 GB", path));
        numbers << errorOf([&] { fs.readFile(path, 1 << 20); });
        QCOMPARE(numbers, QList<int>({76, 76, err::OutOfMemory, 0, 53, 53, 58, 76, err::OutOfMemory}));
    }
};

LUMARINE_REGISTER_TEST(TestFileSystem)
#include "tst_filesystem.moc"
