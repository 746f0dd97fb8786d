#include "platform/apperror.h"
#include "platform/filesystem.h"
#include "platform/naturalorder.h"
#include "support/failingfilesystem.h"
#include "support/testmain.h"
#include "support/tree.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace platform;
using testsupport::errorOf;

namespace {

QStringList namesOf(const QList<DirEntry>& entries)
{
    QStringList names;
    for (const DirEntry& entry : entries)
        names << (entry.isFolder ? entry.name + QLatin1Char('/') : entry.name);
    return names;
}

} // namespace

class TestFileSystem : public QObject {
    Q_OBJECT

private slots:
    void listingLeavesOutHiddenAndSpecialEntries();
    void listingFollowsLinksToWhatTheyName();
    void listingFilterChoosesFoldersAndFiles_data();
    void listingFilterChoosesFoldersAndFiles();
    void jpegPatternCoversBothEndingsInAnyCase_data();
    void jpegPatternCoversBothEndingsInAnyCase();
    void naturalOrderIgnoresCaseAndReadsNumbers_data();
    void naturalOrderIgnoresCaseAndReadsNumbers();
    void asciiNamesOrderAsTheCollatorOrdersThem();
    void missingFolderListsAsEmpty();
    void readFailuresKeepTheirClassicNumbers_data();
    void readFailuresKeepTheirClassicNumbers();
    void writeReplacesWholeFileOrLeavesItAlone();
    void createFolderRefusesExistingAndOrphans();
    void identityIsTheSameThroughALink();
    void plainNamesOnly_data();
    void plainNamesOnly();
    void joiningARootGivesOneSeparator_data();
    void joiningARootGivesOneSeparator();
    void kernelFileSystemsAreNotStoredFiles();
};

void TestFileSystem::listingLeavesOutHiddenAndSpecialEntries()
{
    QTemporaryDir dir;
    QVERIFY(testsupport::makeTree(dir.path(), {"b.jpg", ".hidden.jpg", ".cache/", "sub/", "a.txt"}));
    const QByteArray fifo = QFile::encodeName(dir.filePath("pipe.jpg"));
    QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
    QVERIFY(QFile::link(dir.filePath("nowhere"), dir.filePath("broken.jpg")));
    LocalFileSystem fs;
    QCOMPARE(namesOf(fs.list(dir.path())), (QStringList{"a.txt", "b.jpg", "sub/"}));
}

void TestFileSystem::listingFollowsLinksToWhatTheyName()
{
    QTemporaryDir dir;
    QVERIFY(testsupport::makeTree(dir.path(), {"real/", "real/x.jpg"}));
    QVERIFY(QFile::link(dir.filePath("real"), dir.filePath("folderlink")));
    QVERIFY(QFile::link(dir.filePath("real/x.jpg"), dir.filePath("filelink.jpg")));
    LocalFileSystem fs;
    QCOMPARE(namesOf(fs.list(dir.path())), (QStringList{"filelink.jpg", "folderlink/", "real/"}));
}

void TestFileSystem::listingFilterChoosesFoldersAndFiles_data()
{
    QTest::addColumn<bool>("folders");
    QTest::addColumn<int>("files");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("everything") << true << int(FileMatch::All)
                                << QStringList{"a.JPEG", "b.txt", "c.jpg", "d/", "e.jpg/"};
    QTest::newRow("folders only") << true << int(FileMatch::None) << QStringList{"d/", "e.jpg/"};
    // A folder named like an image is still only a folder.
    QTest::newRow("images only") << false << int(FileMatch::Jpeg) << QStringList{"a.JPEG", "c.jpg"};
    QTest::newRow("folders and images")
        << true << int(FileMatch::Jpeg) << QStringList{"a.JPEG", "c.jpg", "d/", "e.jpg/"};
}

void TestFileSystem::listingFilterChoosesFoldersAndFiles()
{
    QFETCH(bool, folders);
    QFETCH(int, files);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    QVERIFY(testsupport::makeTree(dir.path(), {"a.JPEG", "b.txt", "c.jpg", "d/", "e.jpg/"}));
    LocalFileSystem fs;
    QCOMPARE(namesOf(fs.list(dir.path(), {folders, FileMatch(files)})), expected);
}

void TestFileSystem::jpegPatternCoversBothEndingsInAnyCase_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("matches");
    QTest::newRow("jpg") << QByteArray("x.jpg") << true;
    QTest::newRow("JPG") << QByteArray("X.JPG") << true;
    QTest::newRow("jpeg") << QByteArray("x.jpeg") << true;
    QTest::newRow("mixed jpeg") << QByteArray("x.JpEg") << true;
    QTest::newRow("only the ending") << QByteArray(".jpg") << true;
    QTest::newRow("jpg inside") << QByteArray("x.jpg.txt") << false;
    QTest::newRow("no dot") << QByteArray("xjpg") << false;
    QTest::newRow("jpe") << QByteArray("x.jpe") << false;
    QTest::newRow("jpgg") << QByteArray("x.jpgg") << false;
}

void TestFileSystem::jpegPatternCoversBothEndingsInAnyCase()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, matches);
    QCOMPARE(matchesJpeg(name), matches);
}

void TestFileSystem::naturalOrderIgnoresCaseAndReadsNumbers_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("sorted");
    QTest::newRow("numbers by value")
        << QStringList{"IMG_10", "IMG_2", "IMG_1"} << QStringList{"IMG_1", "IMG_2", "IMG_10"};
    QTest::newRow("case does not count")
        << QStringList{"b", "C", "a", "B2"} << QStringList{"a", "b", "B2", "C"};
    QTest::newRow("leading zeros") << QStringList{"x010", "x9", "x0011"}
                                   << QStringList{"x9", "x010", "x0011"};
    QTest::newRow("prefix first") << QStringList{"ab", "a", "a1"} << QStringList{"a", "a1", "ab"};
    QTest::newRow("accents beside their letters")
        << QStringList{"zoo.jpg", "\u00e9lan.jpg", "Eve.jpg", "apple.jpg"}
        << QStringList{"apple.jpg", "\u00e9lan.jpg", "Eve.jpg", "zoo.jpg"};
    QTest::newRow("long numbers") << QStringList{"p99999999999999999999", "p100000000000000000000"}
                                  << QStringList{"p99999999999999999999", "p100000000000000000000"};
}

void TestFileSystem::naturalOrderIgnoresCaseAndReadsNumbers()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, sorted);
    QStringList compared = names;
    std::sort(compared.begin(), compared.end(), naturalLess);
    QCOMPARE(compared, sorted);
    platform::naturalSort(names, [](const QString& name) { return name; });
    QCOMPARE(names, sorted);
    // Names equal but for case still have a fixed order.
    QVERIFY(naturalCompare("a", "A") != 0);
    QCOMPARE(naturalCompare("a", "A"), -naturalCompare("A", "a"));
}

void TestFileSystem::asciiNamesOrderAsTheCollatorOrdersThem()
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
    for (int pair = 0; pair < 20000; ++pair) {
        const QString a = name();
        const QString b = name();
        QVERIFY(naturalOrderIsQuick(a));
        QVERIFY2((naturalCompare(a, b) > 0) - (naturalCompare(a, b) < 0) ==
                     (collatedCompare(a, b) > 0) - (collatedCompare(a, b) < 0),
                 qPrintable(a + QLatin1String(" | ") + b));
    }
}

void TestFileSystem::missingFolderListsAsEmpty()
{
    QTemporaryDir dir;
    QVERIFY(testsupport::makeTree(dir.path(), {"file.jpg"}));
    LocalFileSystem fs;
    QVERIFY(fs.list(dir.filePath("missing/")).isEmpty());
    QVERIFY(fs.list(dir.filePath("file.jpg/")).isEmpty());
}

void TestFileSystem::readFailuresKeepTheirClassicNumbers_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("number");
    QTest::newRow("missing file") << "missing.lum" << 53;
    QTest::newRow("missing folder") << "nofolder/list.lum" << 76;
    QTest::newRow("a folder") << "folder" << 75;
    QTest::newRow("through a file") << "plain.lum/list.lum" << 76;
}

void TestFileSystem::readFailuresKeepTheirClassicNumbers()
{
    QFETCH(QString, path);
    QFETCH(int, number);
    QTemporaryDir dir;
    QVERIFY(testsupport::makeTree(dir.path(), {"folder/", "plain.lum"}));
    LocalFileSystem fs;
    QCOMPARE(errorOf([&] { fs.readFile(dir.filePath(path)); }), number);
    QCOMPARE(fs.readFile(dir.filePath("plain.lum")), QByteArray("x"));
}

void TestFileSystem::writeReplacesWholeFileOrLeavesItAlone()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("list.lum");
    QVERIFY(testsupport::writeBytes(path, "a much longer old content\r\n"));
    LocalFileSystem fs;
    fs.writeFile(path, "new\r\n");
    QCOMPARE(testsupport::readBytes(path), QByteArray("new\r\n"));

    QCOMPARE(errorOf([&] { fs.writeFile(dir.filePath("list.lum/inner.lum"), "x"); }), 76);
    QCOMPARE(errorOf([&] { fs.writeFile(dir.filePath("missing/inner.lum"), "x"); }), 76);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{"list.lum"});
}

void TestFileSystem::createFolderRefusesExistingAndOrphans()
{
    QTemporaryDir dir;
    LocalFileSystem fs;
    fs.createFolder(dir.filePath("new"));
    QCOMPARE(fs.attributes(dir.filePath("new")) & attr::Directory, attr::Directory);
    QCOMPARE(errorOf([&] { fs.createFolder(dir.filePath("new")); }), 58);
    QCOMPARE(errorOf([&] { fs.createFolder(dir.filePath("missing/new")); }), 76);
    QCOMPARE(errorOf([&] { fs.attributes(dir.filePath("gone.jpg")); }), 53);
}

void TestFileSystem::identityIsTheSameThroughALink()
{
    QTemporaryDir dir;
    QVERIFY(testsupport::makeTree(dir.path(), {"real/", "other/"}));
    QVERIFY(QFile::link(dir.filePath("real"), dir.filePath("link")));
    LocalFileSystem fs;
    QCOMPARE(fs.identity(dir.filePath("link")), fs.identity(dir.filePath("real")));
    QVERIFY(!(fs.identity(dir.filePath("other")) == fs.identity(dir.filePath("real"))));
    QVERIFY(!fs.isPseudoFolder(dir.path()));
}

void TestFileSystem::plainNamesOnly_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("number");
    QTest::newRow("plain") << "New Folder" << 0;
    QTest::newRow("dots inside") << "a..b" << 0;
    QTest::newRow("empty") << "" << 52;
    QTest::newRow("separator") << "a/b" << 52;
    QTest::newRow("dot") << "." << 52;
    QTest::newRow("dot dot") << ".." << 52;
}

void TestFileSystem::plainNamesOnly()
{
    QFETCH(QString, name);
    QFETCH(int, number);
    QCOMPARE(errorOf([&] { checkPlainName(name); }), number);
}

void TestFileSystem::joiningARootGivesOneSeparator_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("joined");
    QTest::newRow("root") << "/"
                          << "/a";
    QTest::newRow("mount point") << "/mnt/data"
                                 << "/mnt/data/a";
    QTest::newRow("final separator") << "/mnt/data/"
                                     << "/mnt/data/a";
}

void TestFileSystem::joiningARootGivesOneSeparator()
{
    QFETCH(QString, folder);
    QFETCH(QString, joined);
    QCOMPARE(joinPath(folder, "a"), joined);
}

void TestFileSystem::kernelFileSystemsAreNotStoredFiles()
{
    // tmpfs and overlay hold stored files, but no drive a user would pick.
    for (const char* type : {"proc", "sysfs", "devtmpfs", "cgroup2"})
        QVERIFY2(isKernelFileSystem(type) && isPseudoFileSystem(type), type);
    for (const char* type : {"tmpfs", "overlay"})
        QVERIFY2(!isKernelFileSystem(type) && isPseudoFileSystem(type), type);
    for (const char* type : {"ext4", "btrfs", "nfs4"})
        QVERIFY2(!isKernelFileSystem(type) && !isPseudoFileSystem(type), type);
}

LUMARINE_REGISTER_TEST(TestFileSystem)
#include "tst_filesystem.moc"
