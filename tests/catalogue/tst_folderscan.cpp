// The search of a folder tree for pictures, in the order a user expects,
// through folders that cannot be read, as its labels follow it.
#include "catalogue/folderscan.h"
#include "catalogue/imagelistmodel.h"
#include "fixtures.h"

#include <QMutex>

using catalogue::ImageCollection, platform::mb::No, platform::mb::Ok, platform::mb::Yes;
using testsupport::below, testsupport::CatalogueFixture, testsupport::itemsOf;

namespace {

class OneThreadFileSystem final : public platform::LocalFileSystem {
    bool listsConcurrently() const override { return false; }
};

// Remembers what it was asked to list, from any thread.
class ListingFileSystem final : public platform::LocalFileSystem {
public:
    QList<platform::DirEntry> list(const QString& folder, platform::ListFilter filter) override
    {
        mutex.lock();
        listed << folder;
        mutex.unlock();
        return LocalFileSystem::list(folder, filter);
    }
    QMutex mutex;
    QStringList listed;
};

// All a search of the tree shows: the list, the labels, the messages.
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
    return itemsOf(images) + fixture.labels.statuses + fixture.labels.counts + fixture.dialogs.messageTexts();
}

// The search's base, the pacer's step, what the search found and put on the
// labels; "@" stands for the test's folder with its final separator.
struct SearchRow {
    QString base;
    qint64 step;
    QStringList found, statuses, counts;
    QString failing = {};
    int number = 0;
    QString stoppedIn = {};
    testsupport::FsCall call = testsupport::FsCall::List;
};

} // namespace

class TestFolderScan : public QObject {
    Q_OBJECT

private slots:
    void searchFollowedOnItsLabels_data()
    {
        QTest::addColumn<SearchRow>("row");
        const QStringList all{"/earlier.jpg", "@a/deep/w.jpg", "@a/x.jpg", "@b/y.jpg", "@z.jpg"};
        const QStringList paced{"Searching @", "Searching @a/", "Searching @a/deep/", "Searching @b/",
                                "Ready."};
        const QStringList ready{"Ready."};
        const QStringList allButDeep{"/earlier.jpg", "@a/x.jpg", "@b/y.jpg", "@z.jpg"};
        const QStringList allButB{"/earlier.jpg", "@a/deep/w.jpg", "@a/x.jpg", "@z.jpg"};
        const QStringList stopped{"Searching @", "Searching @a/", "Searching @a/deep/", "Search stopped"};
        // A folder's own "Ready." waits for the end of the whole search; a
        // folder whose failure is reported is named on the status line.
        QTest::newRow("paced") << SearchRow{"", 50, all, paced, {"2", "3", "4", "5"}};
        QTest::newRow("labels current at the end") << SearchRow{"", 0, all, ready, {"5"}};
        QTest::newRow("missing base") << SearchRow{"/missing", 0, {"/earlier.jpg"}, ready, {}};
        QTest::newRow("bad name deep down")
            << SearchRow{"", 0, allButDeep, {"Searching @a/deep/", "Ready."}, {"4"}, "a/deep/", 52};
        QTest::newRow("folder gone before it is entered")
            << SearchRow{"", 0, allButDeep, ready, {"4"}, "a/deep", 53, {}, testsupport::FsCall::Identity};
        // A failed base leaves its own "Searching" on the status line.
        QTest::newRow("base itself") << SearchRow{"", 0, {"/earlier.jpg"}, {"Searching @"}, {}, "", 52};
        QTest::newRow("stopped deep down")
            << SearchRow{"", 50, allButB, stopped, {"2", "3", "4"}, {}, 0, "@a/deep/"};
    }
    void searchFollowedOnItsLabels()
    {
        QFETCH(SearchRow, row);
        QTemporaryDir dir;
        const QString base = dir.path() + "/";
        QVERIFY(testsupport::makeTree(dir.path(), {"a/x.jpg", "a/deep/w.jpg", "b/y.jpg", "z.jpg"}));
        QVERIFY(QFile::link(dir.path(), base + "a/up")); // the base is not entered again
        CatalogueFixture fixture(row.step);
        if (row.number)
            fixture.fileSystem.failAlways(row.call, row.number, base + row.failing);
        fixture.context.stopRequested = [&] {
            return !row.stoppedIn.isEmpty() &&
                   fixture.labels.statuses.contains(below(base, {"Searching " + row.stoppedIn}).first());
        };
        fixture.dialogs.acceptAllMessages();
        ImageCollection images = testsupport::listOf({"/earlier.jpg"});
        QCOMPARE(catalogue::SearchFolder(dir.path() + row.base, images, fixture.context),
                 row.stoppedIn.isEmpty());
        QCOMPARE(itemsOf(images), below(base, row.found));
        for (const QString& path : itemsOf(images)) // keys made in parts, found whole
            QVERIFY(images.Contains(path.toUpper()));
        QCOMPARE(fixture.labels.statuses, below(base, row.statuses));
        QCOMPARE(fixture.labels.counts, row.counts);
        QVERIFY(row.step ? fixture.yields >= 3 : fixture.yields == 0);
        QCOMPARE(fixture.dialogs.messageTexts(),
                 row.number == 52 ? QStringList{"Can't read from " + base + row.failing} : QStringList{});
        QVERIFY(row.number != 52 || fixture.dialogs.asked().first().style == platform::mb::Information);
    }

    void countAnsweredYesOrNo()
    {
        QTemporaryDir dir;
        QVERIFY(testsupport::makeTree(dir.path(), {"a/y.jpg", "z.jpg"}));
        CatalogueFixture fixture;
        OneThreadFileSystem oneThread; // lists nothing ahead
        catalogue::Context context{fixture.dialogs, oneThread, fixture.pacer, fixture.labels};
        ImageCollection images = testsupport::listOf({"/elsewhere.jpg"});
        catalogue::ImageListModel box{images};
        fixture.dialogs.answerMessage(Ok);
        catalogue::Count("", images, context);
        QStringList lists;
        for (int answer : {No, No, Yes}) {
            fixture.dialogs.answerMessage(answer);
            catalogue::Count(dir.path(), images, context);
            lists << testsupport::rowsOf(box).join(' ');
            QVERIFY(testsupport::makeTree(dir.path(), {"a/x.jpg"}));
        }
        // A second search meets known images; new ones in the same folders
        // still count, and none shows twice.
        QCOMPARE(lists, below(dir.path() + "/",
                              {"/elsewhere.jpg @a/y.jpg @z.jpg", "/elsewhere.jpg @a/y.jpg @z.jpg @a/x.jpg",
                               "@a/x.jpg @a/y.jpg @z.jpg"}));
        QCOMPARE(fixture.dialogs.messageTexts(), QStringList{"You must select a base to count from."} +
                                                     QStringList(3, "Clear current list?"));
        QCOMPARE(fixture.dialogs.asked().last().style, platform::mb::YesNo | platform::mb::Question);
        QCOMPARE(fixture.labels.counts.last(), "3");
        // A search that finds nothing still shows the count of the list it cleared.
        fixture.dialogs.answerMessage(Yes);
        catalogue::Count(dir.filePath("a/none"), images, context);
        QCOMPARE(fixture.labels.counts.last(), "0");
        QVERIFY(fixture.labels.busyAtCounts.last() && !basUI::IsBusyCursorOn());
    }

    // Folders listed ahead on worker threads change nothing of what the walk
    // alone finds, says and asks, through links, loops and failures.
    void listingAheadChangesNothing()
    {
        QTemporaryDir dir;
        QStringList wide;
        for (int i = 0; i < 40; ++i)
            for (const char* leaf : {"/a/1.jpg", "/b/c/2.jpg", "/3.jpg"})
                wide << QStringLiteral("f%1").arg(i) + leaf;
        QVERIFY(testsupport::makeTree(dir.path(), wide));
        // Pairs of a link and what it points at: loops, and folders reached twice.
        const QStringList links{"f0/up", ".",       "f1/self", "f1",        "f2/next",
                                "f3",    "f9/back", "f4/b",    "f5/b/c/up", "f5"};
        for (qsizetype i = 0; i < links.size(); i += 2)
            QVERIFY(QFile::link(dir.filePath(links[i + 1]), dir.filePath(links[i])));
        const QList<std::pair<QStringList, int>> failures{
            {{}, 0},
            {{"f3/b/", "f7/", "f5/b/c/up/a/"}, 70},
            {{"f2/a/", "f30/b/c/"}, platform::err::BadFileName}};
        for (const auto& [unreadable, number] : failures) {
            OneThreadFileSystem alone;
            const QStringList expected = scan(dir.path(), alone, unreadable, number);
            QVERIFY(expected.size() > 80);
            ListingFileSystem threaded;
            // Repeated, since the workers' timing differs from run to run.
            for (int run = 0; run < 5; ++run)
                QCOMPARE(scan(dir.path(), threaded, unreadable, number), expected);
            // Folders alone are listed ahead: a file would cost a failed open.
            for (const QString& folder : threaded.listed)
                QVERIFY2(QFileInfo(folder).isDir(), qPrintable(folder));
        }
    }
};

LUMARINE_REGISTER_TEST(TestFolderScan)
#include "tst_folderscan.moc"
