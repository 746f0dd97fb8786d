// A scan lists folders on several threads ahead of its walk; what it finds,
// says and asks must stay exactly what the walk alone gives.
#include "catalogue/folderscan.h"
#include "fixtures.h"
#include "support/testmain.h"
#include "support/tree.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

class OneThreadFileSystem final : public platform::LocalFileSystem {
public:
    bool listsConcurrently() const override { return false; }
};

struct ScanRecord {
    QStringList images, statuses, counts, messages;
    bool operator==(const ScanRecord&) const = default;
};

ScanRecord scan(const QString& root, platform::FileSystem& inner, const QStringList& unreadable, int number)
{
    testsupport::ScriptedDialogs dialogs;
    dialogs.acceptAllMessages();
    testsupport::FailingFileSystem fileSystem(inner);
    for (const QString& folder : unreadable)
        fileSystem.failAlways(testsupport::FsCall::List, number, root + "/" + folder);
    testsupport::RecordingLabels labels;
    qint64 now = 0;
    platform::Pacer pacer([&now] { return now += 50; }, [] {});
    catalogue::Context context{dialogs, fileSystem, pacer, labels};
    catalogue::ImageCollection images;
    catalogue::SearchFolder(root, images, context);
    ScanRecord record{{}, labels.statuses, labels.counts, dialogs.messageTexts()};
    for (const QString& image : images)
        record.images << image.mid(root.size());
    return record;
}

} // namespace

class TestScanOrder : public QObject {
    Q_OBJECT

private slots:
    void listingAheadChangesNothing_data()
    {
        QTest::addColumn<QStringList>("tree");
        QTest::addColumn<QStringList>("links"); // pairs: link, what it points at
        QTest::addColumn<QStringList>("unreadable");
        QTest::addColumn<int>("number");
        QStringList wide;
        for (int i = 0; i < 40; ++i)
            for (const char* leaf : {"/a/1.jpg", "/b/c/2.jpg", "/3.jpg"})
                wide << QStringLiteral("f%1").arg(i) + leaf;
        QTest::newRow("wide and deep") << wide << QStringList{} << QStringList{} << 0;
        QTest::newRow("links and loops")
            << wide << QStringList{"f0/up", ".", "f1/self", "f1", "f2/next", "f3", "f9/back", "f4/b"}
            << QStringList{} << 0;
        QTest::newRow("folders that cannot be read")
            << wide << QStringList{"f5/b/c/up", "f5"} << QStringList{"f3/b/", "f7/", "f5/b/c/up/a/"} << 70;
        QTest::newRow("names too long to read")
            << wide << QStringList{} << QStringList{"f2/a/", "f30/b/c/"} << platform::err::BadFileName;
    }

    void listingAheadChangesNothing()
    {
        QFETCH(QStringList, tree);
        QFETCH(QStringList, links);
        QFETCH(QStringList, unreadable);
        QFETCH(int, number);
        QTemporaryDir dir;
        QVERIFY(testsupport::makeTree(dir.path(), tree));
        for (qsizetype i = 0; i + 1 < links.size(); i += 2)
            QVERIFY(QFile::link(dir.filePath(links[i + 1]), dir.filePath(links[i])));
        OneThreadFileSystem alone;
        const ScanRecord expected = scan(dir.path(), alone, unreadable, number);
        QVERIFY(expected.images.size() > 40);
        platform::LocalFileSystem threaded;
        // Repeated, since the workers' timing differs from run to run.
        for (int run = 0; run < 5; ++run) {
            const ScanRecord got = scan(dir.path(), threaded, unreadable, number);
            QCOMPARE(got.images, expected.images);
            QCOMPARE(got.statuses, expected.statuses);
            QCOMPARE(got.counts, expected.counts);
            QCOMPARE(got.messages, expected.messages);
        }
    }
};

LUMARINE_REGISTER_TEST(TestScanOrder)
#include "tst_scanorder.moc"
