// Folders that change or defy the search: odd names, a folder that goes
// while the tree is read, paths longer than the system takes.
#include "catalogue/folderscan.h"
#include "catalogue/imagecollection.h"
#include "fixtures.h"
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
using platform::mb::Ok;
using testsupport::CatalogueFixture;

namespace {

QStringList itemsOf(const ImageCollection& images)
{
    return QStringList(images.begin(), images.end());
}

// Removes a folder right after the listing that named it, as another program
// might while the search is under way.
class VanishingFileSystem final : public platform::LocalFileSystem {
public:
    QString listedFolder;
    QString removed;

    QList<platform::DirEntry> list(const QString& folder, platform::ListFilter filter) override
    {
        QList<platform::DirEntry> entries = LocalFileSystem::list(folder, filter);
        if (folder == listedFolder)
            QDir(removed).removeRecursively();
        return entries;
    }
};

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

} // namespace

class TestHostileScan : public QObject {
    Q_OBJECT

private slots:
    void oddNamesAreFoundAsTheyAre_data();
    void oddNamesAreFoundAsTheyAre();
    void specialFilesNamedJpgAreLeftOut();
    void folderRemovedDuringTheSearchIsPassedOver();
    void pathsBeyondTheSystemLimitAreNamedOnce();
};

void TestHostileScan::oddNamesAreFoundAsTheyAre_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("a newline") << "a\nb.jpg";
    QTest::newRow("a carriage return") << "a\rb.jpg";
    QTest::newRow("a leading dash") << "-n.jpg";
    QTest::newRow("255 bytes") << QString(251, QLatin1Char('x')) + ".jpg";
    QTest::newRow("blanks and quotes") << " 'a' \"b\" .jpg";
}

void TestHostileScan::oddNamesAreFoundAsTheyAre()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    QVERIFY(testsupport::makeTree(dir.path(), {name}));
    CatalogueFixture fixture;
    ImageCollection images;
    catalogue::SearchFolder(dir.path(), images, fixture.context);
    QCOMPARE(itemsOf(images), QStringList{dir.filePath(name)});
    QVERIFY(QFile::exists(images.Item(1)));
}

void TestHostileScan::specialFilesNamedJpgAreLeftOut()
{
    QTemporaryDir dir;
    const testsupport::ContentsRemover remover{dir.path()};
    QVERIFY(testsupport::makeTree(dir.path(), {"real.jpg"}));
    const QByteArray base = QFile::encodeName(dir.path());
    // Not text in the system's encoding: no path the program can hold names it.
    const int fd = ::open((base + "/caf\xe9.jpg").constData(), O_WRONLY | O_CREAT, 0600);
    QVERIFY(fd >= 0);
    ::close(fd);
    const bool device = testsupport::makeSpecialFile("device", dir.filePath("device.jpg"));
    QVERIFY(testsupport::makeSpecialFile("fifo", dir.filePath("fifo.jpg")));
    QVERIFY(testsupport::makeSpecialFile("dangling link", dir.filePath("link.jpg")));
    CatalogueFixture fixture;
    ImageCollection images;
    catalogue::SearchFolder(dir.path(), images, fixture.context);
    QCOMPARE(itemsOf(images), QStringList{dir.filePath("real.jpg")});
    if (!device)
        QSKIP("no device node could be made here; the rest was checked");
}

void TestHostileScan::folderRemovedDuringTheSearchIsPassedOver()
{
    QTemporaryDir dir;
    QVERIFY(testsupport::makeTree(dir.path(), {"a/x.jpg", "b/y.jpg", "b/c/z.jpg", "top.jpg"}));
    CatalogueFixture fixture;
    VanishingFileSystem fileSystem;
    fileSystem.listedFolder = dir.path() + "/";
    fileSystem.removed = dir.filePath("b");
    catalogue::Context context{fixture.dialogs, fileSystem, fixture.pacer, fixture.labels};
    ImageCollection images;
    catalogue::SearchFolder(dir.path(), images, context);
    QCOMPARE(itemsOf(images), (QStringList{dir.filePath("a/x.jpg"), dir.filePath("top.jpg")}));
    QVERIFY(fixture.dialogs.asked().isEmpty());
    QCOMPARE(fixture.labels.statuses.last(), "Ready.");
}

void TestHostileScan::pathsBeyondTheSystemLimitAreNamedOnce()
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

#include "tst_hostilescan.moc"

LUMARINE_REGISTER_TEST(TestHostileScan)
