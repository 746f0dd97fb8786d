// The search of a folder tree for pictures, in the order a user expects,
// through folders that change or defy it: special files, odd names, link
// loops, a folder that goes while the tree is read, paths longer than the
// system takes; and the listing ahead on several threads, which must change
// nothing of what the walk alone finds, says and asks.
#include "catalogue/folderscan.h"
#include "catalogue/imagelistmodel.h"
#include "fixtures.h"
#include "platform/basui.h"
#include "support/modelrows.h"
#include "support/testmain.h"
#include "support/tree.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using catalogue::ImageCollection;
using platform::mb::No;
using platform::mb::Ok;
using platform::mb::Yes;
using testsupport::below;
using testsupport::CatalogueFixture;
using testsupport::itemsOf;

namespace {

// Lists a temporary folder as if it were the root volume, and removes a
// folder right after the listing that named it, as another program might.
class RootedFileSystem final : public platform::LocalFileSystem {
public:
    QString root, listedFolder, removed;
    QStringList listed;

    QList<platform::DirEntry> list(const QString& folder, platform::ListFilter filter) override
    {
        listed << folder;
        QList<platform::DirEntry> entries = LocalFileSystem::list(root + folder, filter);
        if (folder == listedFolder)
            QDir(removed).removeRecursively();
        return entries;
    }
    platform::FileId identity(const QString& path) override { return LocalFileSystem::identity(root + path); }
    bool isPseudoFolder(const QString&) override { return false; }
};

class OneThreadFileSystem final : public platform::LocalFileSystem {
public:
    bool listsConcurrently() const override { return false; }
};

// Makes each entry of a tree: "link|name|target" a link, "not text|name" a
// file whose name is not text, "kind|name" a special file of that kind, any
// other as makeTree does.
bool makeEntries(const QString& root, const QStringList& entries)
{
    for (const QString& entry : entries) {
        const QString kind = entry.section('|', 0, 0), name = root + "/" + entry.section('|', 1, 1);
        const int raw =
            kind == "not text" ? ::creat((QFile::encodeName(name) + "\xe9.jpg").constData(), 0600) : -1;
        const bool made = !entry.contains('|') ? testsupport::makeTree(root, {entry})
                          : kind == "link"     ? QFile::link(root + "/" + entry.section('|', 2), name)
                          : kind == "not text" ? raw >= 0 && ::close(raw) == 0
                                               : testsupport::makeSpecialFile(kind, name);
        if (!made)
            return false;
    }
    return true;
}

QStringList under(const QString& base, QStringList paths)
{
    for (QString& path : paths)
        path.prepend(base);
    return paths;
}

// Makes `depth` nested folders of 200-byte names below base, each holding
// one image, by descriptor: a path that long cannot be made whole.
bool makeDeepTree(const QString& base, int depth)
{
    int fd = ::open(QFile::encodeName(base).constData(), O_RDONLY | O_DIRECTORY);
    const QByteArray name(200, 'd');
    for (int level = 0; level < depth && fd >= 0; ++level) {
        const int image = ::openat(fd, "i.jpg", O_WRONLY | O_CREAT, 0600);
        if (image < 0 || ::close(image) != 0 || ::mkdirat(fd, name.constData(), 0700) != 0)
            return false;
        const int inner = ::openat(fd, name.constData(), O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = inner;
    }
    return fd >= 0 && ::close(fd) == 0;
}

// A paced search of root with folders failing to list: what it found
// (relative to root), said and asked.
QStringList scan(const QString& root, platform::FileSystem& inner, const QStringList& unreadable, int number)
{
    CatalogueFixture fixture(50);
    testsupport::FailingFileSystem fileSystem(inner);
    for (const QString& folder : unreadable)
        fileSystem.failAlways(testsupport::FsCall::List, number, root + "/" + folder);
    fixture.dialogs.acceptAllMessages();
    catalogue::Context context{fixture.dialogs, fileSystem, fixture.pacer, fixture.labels};
    ImageCollection images;
    catalogue::SearchFolder(root, images, context);
    return itemsOf(images).replaceInStrings(root, "") + fixture.labels.statuses + fixture.labels.counts +
           fixture.dialogs.messageTexts();
}

// The search's base below the test's folder, the pacer's step, and what the
// search found and put on the labels; "@" stands for the test's folder with
// its final separator.
struct SearchRow {
    QString base;
    qint64 step;
    QStringList found, statuses, counts;
    QString failing = {};
    int number = 0;
    QString stoppedIn = {};
};

} // namespace

class TestFolderScan : public QObject {
    Q_OBJECT

private slots:
    void imagesComeSubFoldersFirstInListingOrder_data()
    {
        QTest::addColumn<QStringList>("tree");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("whole tree before the next, numbers by value")
            << QStringList{"b.jpg",     "a/a.jpg",  "a/b/d.jpg", "a/b/c.jpg", "c/e.jpg",
                           "img10.jpg", "IMG1.jpg", "img2.jpg",  "d10/a.jpg", "d9/a.jpg"}
            << QStringList{"a/b/c.jpg", "a/b/d.jpg", "a/a.jpg",  "c/e.jpg",  "d9/a.jpg",
                           "d10/a.jpg", "b.jpg",     "IMG1.jpg", "img2.jpg", "img10.jpg"};
        QTest::newRow("both endings, any case; hidden entries")
            << QStringList{"X.JPG",  "y.jpeg",   "Z.JpEg", "w.png",    "v.jpg.txt", "xjpg",        "x.jpe",
                           "x.jpgg", ".h/x.jpg", ".y.jpg", "a/.z.jpg", "a/k.jpg",   "f.jpg/in.jpg"}
            << QStringList{"a/k.jpg", "f.jpg/in.jpg", "X.JPG", "y.jpeg", "Z.JpEg"};
        QTest::newRow("odd names, as they are")
            << QStringList{"1/a\nb.jpg", "2/a\rb.jpg", "3/-n.jpg", "4/ 'a' \"b\" .jpg",
                           "5/" + QString(251, 'x') + ".jpg"}
            << QStringList{"1/a\nb.jpg", "2/a\rb.jpg", "3/-n.jpg", "4/ 'a' \"b\" .jpg",
                           "5/" + QString(251, 'x') + ".jpg"};
        QTest::newRow("special files named .jpg")
            << QStringList{"real.jpg",     "fifo|fifo.jpg",    "dangling link|link.jpg",
                           "not text|caf", "folder|empty.jpg", "device|device.jpg"}
            << QStringList{"real.jpg"};
        // b is entered once, by its own name; its second name comes later.
        QTest::newRow("links followed, loops end")
            << QStringList{"a/x.jpg",       "b/y.jpg",  "link|a/up|",
                           "link|a/self|a", "link|c|b", "link|alias.jpg|b/y.jpg"}
            << QStringList{"a/x.jpg", "b/y.jpg", "alias.jpg"};
    }
    void imagesComeSubFoldersFirstInListingOrder()
    {
        QFETCH(QStringList, tree);
        QFETCH(QStringList, found);
        QTemporaryDir dir;
        const testsupport::ContentsRemover remover{dir.path()};
        QVERIFY(makeEntries(dir.path(), tree));
        CatalogueFixture fixture;
        ImageCollection images;
        catalogue::SearchFolder(dir.path(), images, fixture.context);
        QCOMPARE(itemsOf(images), under(dir.path() + "/", found));
        for (const QString& image : images)
            QVERIFY(QFile::exists(image));
    }

    // A search of a tree with a folder that fails to list (52 is reported,
    // the others not) or a Stop pressed while the status line names a folder.
    void searchFollowedOnItsLabels_data()
    {
        QTest::addColumn<SearchRow>("row");
        const QStringList all{"/earlier.jpg", "@a/deep/w.jpg", "@a/x.jpg", "@b/y.jpg", "@z.jpg"};
        const QStringList paced{"Searching @", "Searching @a/", "Searching @a/deep/", "Searching @b/",
                                "Ready."};
        const QStringList allButA{"/earlier.jpg", "@b/y.jpg", "@z.jpg"}, ready{"Ready."};
        // A folder's own "Ready." waits for the end of the whole search; a
        // folder whose failure is reported is named on the status line.
        QTest::newRow("paced") << SearchRow{"", 50, all, paced, {"2", "3", "4", "5"}};
        QTest::newRow("paced, final separator") << SearchRow{"/", 50, all, paced, {"2", "3", "4", "5"}};
        QTest::newRow("labels current at the end") << SearchRow{"", 0, all, ready, {"5"}};
        QTest::newRow("missing base") << SearchRow{"/missing", 0, {"/earlier.jpg"}, ready, {}};
        QTest::newRow("bad name deep down") << SearchRow{"",
                                                         0,
                                                         {"/earlier.jpg", "@a/x.jpg", "@b/y.jpg", "@z.jpg"},
                                                         {"Searching @a/deep/", "Ready."},
                                                         {"4"},
                                                         "a/deep/",
                                                         52};
        QTest::newRow("bad name") << SearchRow{"", 0, allButA, {"Searching @a/", "Ready."}, {"3"}, "a/", 52};
        QTest::newRow("disk not ready") << SearchRow{"", 0, allButA, ready, {"3"}, "a/", 71};
        QTest::newRow("permission") << SearchRow{"", 0, allButA, ready, {"3"}, "a/", 70};
        // A failed base leaves its own "Searching" on the status line.
        QTest::newRow("base itself") << SearchRow{"", 0, {"/earlier.jpg"}, {"Searching @"}, {}, "", 52};
        QTest::newRow("stopped in the base") << SearchRow{
            "", 50, {"/earlier.jpg", "@z.jpg"}, {"Searching @", "Search stopped"}, {"2"}, {}, 0, "@"};
        QTest::newRow("stopped deep down")
            << SearchRow{"",
                         50,
                         {"/earlier.jpg", "@a/deep/w.jpg", "@a/x.jpg", "@z.jpg"},
                         {"Searching @", "Searching @a/", "Searching @a/deep/", "Search stopped"},
                         {"2", "3", "4"},
                         {},
                         0,
                         "@a/deep/"};
    }
    void searchFollowedOnItsLabels()
    {
        QFETCH(SearchRow, row);
        QTemporaryDir dir;
        const QString base = dir.path() + "/";
        QVERIFY(testsupport::makeTree(dir.path(), {"a/x.jpg", "a/deep/w.jpg", "b/y.jpg", "z.jpg"}));
        CatalogueFixture fixture(row.step);
        if (row.number)
            fixture.fileSystem.failAlways(testsupport::FsCall::List, row.number, base + row.failing);
        fixture.context.stopRequested = [&] {
            return !row.stoppedIn.isEmpty() &&
                   fixture.labels.statuses.contains(below(base, {"Searching " + row.stoppedIn}).first());
        };
        fixture.dialogs.acceptAllMessages();
        ImageCollection images = testsupport::listOf({"/earlier.jpg"});
        QCOMPARE(catalogue::SearchFolder(dir.path() + row.base, images, fixture.context),
                 row.stoppedIn.isEmpty());
        QCOMPARE(itemsOf(images), below(base, row.found));
        QCOMPARE(fixture.labels.statuses, below(base, row.statuses));
        QCOMPARE(fixture.labels.counts, row.counts);
        QVERIFY(row.step ? fixture.yields >= 3 : fixture.yields == 0);
        QCOMPARE(fixture.dialogs.messageTexts(),
                 row.number == 52 ? QStringList{"Can't read from " + base + row.failing} : QStringList{});
        QVERIFY(row.number != 52 || fixture.dialogs.asked().first().style == platform::mb::Information);
    }

    // The root volume gives single separators; a folder removed by another
    // program during the search is passed over without a word.
    void rootVolumeWithAFolderRemovedDuringTheSearch()
    {
        QTemporaryDir dir;
        QVERIFY(testsupport::makeTree(dir.path(), {"a/x.jpg", "b/y.jpg", "b/c/z.jpg", "top.jpg"}));
        RootedFileSystem fileSystem;
        fileSystem.root = dir.path();
        fileSystem.listedFolder = "/";
        fileSystem.removed = dir.filePath("b");
        CatalogueFixture fixture;
        catalogue::Context context{fixture.dialogs, fileSystem, fixture.pacer, fixture.labels};
        ImageCollection images;
        catalogue::SearchFolder("/", images, context);
        QCOMPARE(itemsOf(images), (QStringList{"/a/x.jpg", "/top.jpg"}));
        QCOMPARE(fileSystem.listed, (QStringList{"/", "/a/", "/b/"}));
        QVERIFY(fixture.dialogs.asked().isEmpty());
        QCOMPARE(fixture.labels.statuses.last(), "Ready.");
    }

    void pathsBeyondTheSystemLimitAreNamedOnce()
    {
        QTemporaryDir dir;
        const testsupport::ContentsRemover remover{dir.path()};
        // 25 levels of 201 bytes pass the 4096 bytes a path may hold.
        QVERIFY(makeDeepTree(dir.path(), 25));
        CatalogueFixture fixture;
        fixture.dialogs.answerMessage(Ok);
        ImageCollection images;
        catalogue::SearchFolder(dir.path(), images, fixture.context);
        QCOMPARE(fixture.dialogs.asked().size(), 1);
        const QString message = fixture.dialogs.asked().first().text;
        QVERIFY(message.startsWith("Can't read from " + dir.path() + "/"));
        const qsizetype unreadable = QFile::encodeName(message.mid(16)).size();
        QVERIFY2(unreadable > 4096 - 1 && unreadable <= 4096 + 201, qPrintable(QString::number(unreadable)));
        // Every image above that folder is found, deepest first.
        QVERIFY(images.Count() > 15);
        for (const QString& image : images)
            QVERIFY(QFile::encodeName(image).size() < 4096);
        QCOMPARE(images.Item(images.Count()), dir.filePath("i.jpg"));
        QCOMPARE(fixture.labels.statuses.last(), "Ready.");
    }

    void countAnsweredYesOrNo_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("yes starts afresh") << int(Yes) << QStringList{"@a/x.jpg", "@a/y.jpg", "@z.jpg"};
        // The second search meets known images; new ones in the same folders
        // still count, and none shows twice.
        QTest::newRow("no adds the new ones")
            << int(No) << QStringList{"/elsewhere.jpg", "@a/y.jpg", "@z.jpg", "@a/x.jpg"};
    }
    void countAnsweredYesOrNo()
    {
        QFETCH(int, answer);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        QVERIFY(testsupport::makeTree(dir.path(), {"a/y.jpg", "z.jpg"}));
        CatalogueFixture fixture;
        ImageCollection images = testsupport::listOf({"/elsewhere.jpg"});
        catalogue::ImageListModel box{images};
        fixture.dialogs.answerMessage(Ok);
        catalogue::Count("", images, fixture.context);
        fixture.dialogs.answerMessage(No);
        catalogue::Count(dir.path(), images, fixture.context);
        QVERIFY(testsupport::makeTree(dir.path(), {"a/x.jpg"}));
        fixture.dialogs.answerMessage(answer);
        catalogue::Count(dir.path(), images, fixture.context);
        QCOMPARE(fixture.dialogs.messageTexts(), (QStringList{"You must select a base to count from.",
                                                              "Clear current list?", "Clear current list?"}));
        QCOMPARE(fixture.dialogs.asked().last().style, platform::mb::YesNo | platform::mb::Question);
        QCOMPARE(testsupport::rowsOf(box), below(dir.path() + "/", expected));
        QCOMPARE(fixture.labels.counts.last(), QString::number(expected.size()));
        QVERIFY(fixture.labels.busyAtCounts.last() && !basUI::IsBusyCursorOn());
    }

    void baseComboListsVolumes()
    {
        testsupport::FailingFileSystem fileSystem;
        QCOMPARE(catalogue::BaseComboEntries(fileSystem).value(0), QStringLiteral("/"));
        fileSystem.failOnce(testsupport::FsCall::Volumes, 71);
        QCOMPARE(testsupport::errorOf([&] { catalogue::BaseComboEntries(fileSystem); }), 71);
    }

    void listingAheadChangesNothing_data()
    {
        QTest::addColumn<QStringList>("links"); // pairs: link, what it points at
        QTest::addColumn<QStringList>("unreadable");
        QTest::addColumn<int>("number");
        QTest::newRow("links and loops")
            << QStringList{"f0/up", ".", "f1/self", "f1", "f2/next", "f3", "f9/back", "f4/b"} << QStringList{}
            << 0;
        QTest::newRow("folders that cannot be read")
            << QStringList{"f5/b/c/up", "f5"} << QStringList{"f3/b/", "f7/", "f5/b/c/up/a/"} << 70;
        QTest::newRow("names too long to read")
            << QStringList{} << QStringList{"f2/a/", "f30/b/c/"} << platform::err::BadFileName;
    }
    void listingAheadChangesNothing()
    {
        QFETCH(QStringList, links);
        QFETCH(QStringList, unreadable);
        QFETCH(int, number);
        QTemporaryDir dir;
        QStringList wide;
        for (int i = 0; i < 40; ++i)
            for (const char* leaf : {"/a/1.jpg", "/b/c/2.jpg", "/3.jpg"})
                wide << QStringLiteral("f%1").arg(i) + leaf;
        QVERIFY(testsupport::makeTree(dir.path(), wide));
        for (qsizetype i = 0; i + 1 < links.size(); i += 2)
            QVERIFY(QFile::link(dir.filePath(links[i + 1]), dir.filePath(links[i])));
        OneThreadFileSystem alone;
        const QStringList expected = scan(dir.path(), alone, unreadable, number);
        QVERIFY(expected.size() > 80);
        platform::LocalFileSystem threaded;
        // Repeated, since the workers' timing differs from run to run.
        for (int run = 0; run < 5; ++run)
            QCOMPARE(scan(dir.path(), threaded, unreadable, number), expected);
    }
};

LUMARINE_REGISTER_TEST(TestFolderScan)
#include "tst_folderscan.moc"
