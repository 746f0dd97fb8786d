#include "catalogue/folderscan.h"
#include "catalogue/imagecollection.h"
#include "fixtures.h"
#include "platform/basui.h"
#include "support/testmain.h"
#include "support/tree.h"

#include "catalogue/imagelistmodel.h"
#include "support/modelrows.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using catalogue::ImageCollection;
using platform::mb::No;
using platform::mb::Ok;
using platform::mb::Yes;
using testsupport::CatalogueFixture;

namespace {

QStringList itemsOf(const ImageCollection& images)
{
    return QStringList(images.begin(), images.end());
}

QStringList prefixed(const QString& base, const QStringList& paths)
{
    QStringList result;
    for (const QString& path : paths)
        result << base + path;
    return result;
}

// Lists a temporary folder as if it were the root volume, so that a scan of
// "/" can be watched without reading the machine's own root.
class RootedFileSystem final : public platform::LocalFileSystem {
public:
    explicit RootedFileSystem(QString root) : root_(std::move(root)) {}
    QStringList listed;

    QList<platform::DirEntry> list(const QString& folder, platform::ListFilter filter) override
    {
        listed << folder;
        return LocalFileSystem::list(root_ + folder, filter);
    }
    platform::FileId identity(const QString& path) override
    {
        return LocalFileSystem::identity(root_ + path);
    }
    bool isPseudoFolder(const QString&) override { return false; }

private:
    QString root_;
};

} // namespace

class TestFolderScan : public QObject {
    Q_OBJECT

private slots:
    void imagesComeSubFoldersFirstInListingOrder_data();
    void imagesComeSubFoldersFirstInListingOrder();
    void onlyFilesAndFoldersAreSearched();
    void linkLoopsEnd();
    void basePathGetsOneSeparator_data();
    void basePathGetsOneSeparator();
    void rootVolumeGivesSingleSeparators();
    void missingBaseAddsNothingAndIsReady();
    void failingFolderEndsOnlyItsOwnSearch_data();
    void failingFolderEndsOnlyItsOwnSearch();
    void stopEndsTheSearchAfterTheFolderBeingListed_data();
    void stopEndsTheSearchAfterTheFolderBeingListed();
    void labelsFollowTheSearch();
    void labelsAreCurrentWhenTheSearchEnds();
    void countWithoutBaseAsksNothing();
    void countAnsweredYesOrNo_data();
    void countAnsweredYesOrNo();
    void baseComboListsVolumes();
};

void TestFolderScan::imagesComeSubFoldersFirstInListingOrder_data()
{
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("a, b, then z") << QStringList{"z.jpg", "b/y.jpg", "a/x.jpg"}
                                  << QStringList{"a/x.jpg", "b/y.jpg", "z.jpg"};
    QTest::newRow("whole tree before the next")
        << QStringList{"b.jpg", "a/a.jpg", "a/b/d.jpg", "a/b/c.jpg", "c/e.jpg"}
        << QStringList{"a/b/c.jpg", "a/b/d.jpg", "a/a.jpg", "c/e.jpg", "b.jpg"};
    QTest::newRow("both endings, any case") << QStringList{"X.JPG", "y.jpeg", "Z.JpEg", "w.png", "v.jpg.txt"}
                                            << QStringList{"X.JPG", "y.jpeg", "Z.JpEg"};
    QTest::newRow("hidden entries") << QStringList{".h/x.jpg", ".y.jpg", "a/.z.jpg", "a/k.jpg"}
                                    << QStringList{"a/k.jpg"};
    QTest::newRow("numbers by value")
        << QStringList{"img10.jpg", "img2.jpg", "IMG1.jpg", "d10/a.jpg", "d9/a.jpg"}
        << QStringList{"d9/a.jpg", "d10/a.jpg", "IMG1.jpg", "img2.jpg", "img10.jpg"};
    QTest::newRow("folder named like an image") << QStringList{"f.jpg/in.jpg"} << QStringList{"f.jpg/in.jpg"};
}

void TestFolderScan::imagesComeSubFoldersFirstInListingOrder()
{
    QFETCH(QStringList, tree);
    QFETCH(QStringList, found);
    QTemporaryDir dir;
    QVERIFY(testsupport::makeTree(dir.path(), tree));
    CatalogueFixture fixture;
    ImageCollection images;
    catalogue::SearchFolder(dir.path(), images, fixture.context);
    QCOMPARE(itemsOf(images), prefixed(dir.path() + "/", found));
}

void TestFolderScan::onlyFilesAndFoldersAreSearched()
{
    QTemporaryDir dir;
    QVERIFY(testsupport::makeTree(dir.path(), {"real.jpg"}));
    QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("pipe.jpg")).constData(), 0600), 0);
    QVERIFY(QFile::link(dir.filePath("gone.jpg"), dir.filePath("broken.jpg")));
    QVERIFY(QFile::link(dir.filePath("real.jpg"), dir.filePath("alias.jpg")));
    CatalogueFixture fixture;
    ImageCollection images;
    catalogue::SearchFolder(dir.path(), images, fixture.context);
    QCOMPARE(itemsOf(images), prefixed(dir.path() + "/", {"alias.jpg", "real.jpg"}));
}

void TestFolderScan::linkLoopsEnd()
{
    QTemporaryDir dir;
    QVERIFY(testsupport::makeTree(dir.path(), {"a/x.jpg", "b/y.jpg"}));
    QVERIFY(QFile::link(dir.path(), dir.filePath("a/up")));
    QVERIFY(QFile::link(dir.filePath("a"), dir.filePath("a/self")));
    QVERIFY(QFile::link(dir.filePath("b"), dir.filePath("c")));
    CatalogueFixture fixture;
    ImageCollection images;
    catalogue::SearchFolder(dir.path(), images, fixture.context);
    // b is entered once, by its own name; its second name comes later.
    QCOMPARE(itemsOf(images), prefixed(dir.path() + "/", {"a/x.jpg", "b/y.jpg"}));
    QCOMPARE(fixture.labels.statuses.last(), QStringLiteral("Ready."));
}

void TestFolderScan::basePathGetsOneSeparator_data()
{
    QTest::addColumn<bool>("finalSeparator");
    QTest::newRow("without final separator") << false;
    QTest::newRow("with final separator") << true;
}

void TestFolderScan::basePathGetsOneSeparator()
{
    QFETCH(bool, finalSeparator);
    QTemporaryDir dir;
    QVERIFY(testsupport::makeTree(dir.path(), {"s/x.jpg", "y.jpg"}));
    CatalogueFixture fixture(50);
    ImageCollection images;
    catalogue::SearchFolder(finalSeparator ? dir.path() + "/" : dir.path(), images, fixture.context);
    QCOMPARE(itemsOf(images), prefixed(dir.path() + "/", {"s/x.jpg", "y.jpg"}));
    QCOMPARE(fixture.labels.statuses.first(), "Searching " + dir.path() + "/");
}

void TestFolderScan::rootVolumeGivesSingleSeparators()
{
    QTemporaryDir dir;
    QVERIFY(testsupport::makeTree(dir.path(), {"a/x.jpg", "y.jpg"}));
    RootedFileSystem fileSystem(dir.path());
    CatalogueFixture fixture;
    catalogue::Context context{fixture.dialogs, fileSystem, fixture.pacer, fixture.labels};
    ImageCollection images;
    catalogue::SearchFolder("/", images, context);
    QCOMPARE(itemsOf(images), (QStringList{"/a/x.jpg", "/y.jpg"}));
    QCOMPARE(fileSystem.listed, (QStringList{"/", "/a/"}));
}

void TestFolderScan::missingBaseAddsNothingAndIsReady()
{
    QTemporaryDir dir;
    CatalogueFixture fixture;
    ImageCollection images;
    catalogue::SearchFolder(dir.filePath("missing"), images, fixture.context);
    QVERIFY(images.isEmpty());
    QCOMPARE(fixture.labels.statuses, QStringList{"Ready."});
}

void TestFolderScan::failingFolderEndsOnlyItsOwnSearch_data()
{
    QTest::addColumn<QString>("failing");
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("message");
    QTest::addColumn<QStringList>("found");
    QTest::addColumn<QString>("status");
    const QStringList allButA{"b/y.jpg", "z.jpg"};
    QTest::newRow("bad name deep down")
        << "a/deep/" << 52 << true << QStringList{"a/x.jpg", "b/y.jpg", "z.jpg"} << "Ready.";
    QTest::newRow("bad name") << "a/" << 52 << true << allButA << "Ready.";
    QTest::newRow("disk not ready") << "a/" << 71 << false << allButA << "Ready.";
    QTest::newRow("permission") << "a/" << 70 << false << allButA << "Ready.";
    QTest::newRow("base itself") << "" << 52 << true << QStringList{} << "Searching ";
}

void TestFolderScan::failingFolderEndsOnlyItsOwnSearch()
{
    QFETCH(QString, failing);
    QFETCH(int, number);
    QFETCH(bool, message);
    QFETCH(QStringList, found);
    QFETCH(QString, status);
    QTemporaryDir dir;
    const QString base = dir.path() + "/";
    QVERIFY(testsupport::makeTree(dir.path(), {"a/x.jpg", "a/deep/w.jpg", "b/y.jpg", "z.jpg"}));
    CatalogueFixture fixture;
    fixture.fileSystem.failAlways(testsupport::FsCall::List, number, base + failing);
    if (message)
        fixture.dialogs.answerMessage(Ok);
    ImageCollection images;
    catalogue::SearchFolder(dir.path(), images, fixture.context);
    QCOMPARE(itemsOf(images), prefixed(base, found));
    QCOMPARE(fixture.dialogs.messageTexts(),
             message ? QStringList{"Can't read from " + base + failing} : QStringList{});
    if (message)
        QCOMPARE(fixture.dialogs.asked().first().style, platform::mb::Information);
    // A failed base leaves its own "Searching" on the status line.
    QCOMPARE(fixture.labels.statuses.last(), status == "Ready." ? status : status + base);
}

void TestFolderScan::stopEndsTheSearchAfterTheFolderBeingListed_data()
{
    QTest::addColumn<QString>("stoppedIn"); // the folder the status line names when Stop is pressed
    QTest::addColumn<QStringList>("found");
    QTest::newRow("in the base") << "" << QStringList{"z.jpg"};
    QTest::newRow("deep down") << "a/deep/" << QStringList{"a/deep/w.jpg", "a/x.jpg", "z.jpg"};
}

void TestFolderScan::stopEndsTheSearchAfterTheFolderBeingListed()
{
    QFETCH(QString, stoppedIn);
    QFETCH(QStringList, found);
    QTemporaryDir dir;
    const QString base = dir.path() + "/";
    QVERIFY(testsupport::makeTree(dir.path(), {"a/x.jpg", "a/deep/w.jpg", "b/y.jpg", "z.jpg"}));
    CatalogueFixture fixture(50);
    fixture.context.stopRequested = [&] {
        return fixture.labels.statuses.contains("Searching " + base + stoppedIn);
    };
    ImageCollection images;
    QVERIFY(!catalogue::SearchFolder(dir.path(), images, fixture.context));
    QCOMPARE(itemsOf(images), prefixed(base, found));
    QCOMPARE(fixture.labels.statuses.last(), QStringLiteral("Search stopped"));
    QCOMPARE(fixture.labels.counts.last(), QString::number(found.size()));
}

void TestFolderScan::labelsFollowTheSearch()
{
    QTemporaryDir dir;
    const QString base = dir.path() + "/";
    QVERIFY(testsupport::makeTree(dir.path(), {"a/x.jpg", "a/w.jpg", "z.jpg"}));
    CatalogueFixture fixture(50);
    ImageCollection images;
    catalogue::SearchFolder(dir.path(), images, fixture.context);
    // A folder's own "Ready." waits for the end of the whole search.
    QCOMPARE(fixture.labels.statuses,
             (QStringList{"Searching " + base, "Searching " + base + "a/", "Ready."}));
    QCOMPARE(fixture.labels.counts, (QStringList{"1", "2", "3"}));
    QVERIFY(fixture.yields >= 6);
}

void TestFolderScan::labelsAreCurrentWhenTheSearchEnds()
{
    QTemporaryDir dir;
    QVERIFY(testsupport::makeTree(dir.path(), {"a/x.jpg", "a/w.jpg", "z.jpg"}));
    CatalogueFixture fixture(0);
    ImageCollection images;
    images.Add("/earlier.jpg");
    catalogue::SearchFolder(dir.path(), images, fixture.context);
    QCOMPARE(fixture.labels.statuses, QStringList{"Ready."});
    QCOMPARE(fixture.labels.counts, QStringList{"4"});
    QCOMPARE(fixture.yields, 0);
}

void TestFolderScan::countWithoutBaseAsksNothing()
{
    CatalogueFixture fixture;
    ImageCollection images;
    images.Add("/kept.jpg");
    catalogue::ImageListModel box{images};
    fixture.dialogs.answerMessage(Ok);
    catalogue::Count("", images, fixture.context);
    QCOMPARE(fixture.dialogs.messageTexts(), QStringList{"You must select a base to count from."});
    QCOMPARE(itemsOf(images), QStringList{"/kept.jpg"});
    QCOMPARE(testsupport::rowsOf(box), QStringList{"/kept.jpg"});
    QVERIFY(!basUI::IsBusyCursorOn());
}

void TestFolderScan::countAnsweredYesOrNo_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("expected"); // "@" stands for the base folder
    QTest::newRow("yes starts afresh") << int(Yes) << QStringList{"@a/x.jpg", "@a/y.jpg", "@z.jpg"};
    // The second search meets known images; new ones in the same folders
    // still count, and none shows twice.
    QTest::newRow("no adds the new ones")
        << int(No) << QStringList{"/elsewhere.jpg", "@a/y.jpg", "@z.jpg", "@a/x.jpg"};
}

void TestFolderScan::countAnsweredYesOrNo()
{
    QFETCH(int, answer);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    const QString base = dir.path() + "/";
    QVERIFY(testsupport::makeTree(dir.path(), {"a/y.jpg", "z.jpg"}));
    CatalogueFixture fixture;
    ImageCollection images;
    images.Add("/elsewhere.jpg");
    catalogue::ImageListModel box{images};
    fixture.dialogs.answerMessage(No);
    catalogue::Count(dir.path(), images, fixture.context);
    QVERIFY(testsupport::makeTree(dir.path(), {"a/x.jpg"}));
    fixture.dialogs.answerMessage(answer);
    catalogue::Count(dir.path(), images, fixture.context);

    QCOMPARE(fixture.dialogs.messageTexts(), (QStringList{"Clear current list?", "Clear current list?"}));
    QCOMPARE(fixture.dialogs.asked().last().style, platform::mb::YesNo | platform::mb::Question);
    expected.replaceInStrings("@", base);
    QCOMPARE(itemsOf(images), expected);
    QCOMPARE(testsupport::rowsOf(box), expected);
    QCOMPARE(fixture.labels.counts.last(), QString::number(expected.size()));
    QVERIFY(!basUI::IsBusyCursorOn());
}

void TestFolderScan::baseComboListsVolumes()
{
    testsupport::FailingFileSystem fileSystem;
    const QStringList entries = catalogue::BaseComboEntries(fileSystem);
    QVERIFY(!entries.isEmpty());
    QCOMPARE(entries.first(), QStringLiteral("/"));
    fileSystem.failOnce(testsupport::FsCall::Volumes, 71);
    QCOMPARE(testsupport::errorOf([&] { catalogue::BaseComboEntries(fileSystem); }), 71);
}

LUMARINE_REGISTER_TEST(TestFolderScan)
#include "tst_folderscan.moc"
