// Copy, rename, remove and append: what is on disk after each, success or
// failure, down to the temporary copy that must never be left behind.
#include "platform/apperror.h"
#include "platform/filesystem.h"
#include "support/failingfilesystem.h"
#include "support/testmain.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

using namespace platform;
using testsupport::errorOf;
using Files = QMap<QString, QByteArray>;

namespace {

struct Folder {
    QTemporaryDir dir;
    QString put(const QString& name, const QByteArray& bytes)
    {
        QFile file(dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return file.fileName();
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    Files files() const
    {
        Files found;
        QDirIterator it(dir.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            file.open(QIODevice::ReadOnly);
            found.insert(QDir(dir.path()).relativeFilePath(file.fileName()), file.readAll());
        }
        return found;
    }
};

} // namespace

class TestFileOperations : public QObject {
    Q_OBJECT

private slots:
    void copyArrivesWholeOrNotAtAll_data();
    void copyArrivesWholeOrNotAtAll();
    void renameNeverReplaces_data();
    void renameNeverReplaces();
    void removeAndAppend();
    void pathParts_data();
    void pathParts();
};

void TestFileOperations::copyArrivesWholeOrNotAtAll_data()
{
    QTest::addColumn<QString>("to");
    QTest::addColumn<bool>("replace");
    QTest::addColumn<int>("number");
    QTest::addColumn<Files>("after");
    const Files before{{"a.jpg", "picture"}, {"b.jpg", "other"}};
    QTest::newRow("new name") << "c.jpg" << false << 0
                              << Files{{"a.jpg", "picture"}, {"b.jpg", "other"}, {"c.jpg", "picture"}};
    QTest::newRow("taken name kept") << "b.jpg" << false << 58 << before;
    QTest::newRow("taken name replaced")
        << "b.jpg" << true << 0 << Files{{"a.jpg", "picture"}, {"b.jpg", "picture"}};
    QTest::newRow("missing source") << "c.jpg" << false << 53 << before;
    QTest::newRow("missing folder") << "none/c.jpg" << false << 76 << before;
}

void TestFileOperations::copyArrivesWholeOrNotAtAll()
{
    QFETCH(QString, to);
    QFETCH(bool, replace);
    QFETCH(int, number);
    QFETCH(Files, after);
    Folder f;
    f.put("a.jpg", "picture");
    f.put("b.jpg", "other");
    const QString from =
        QTest::currentDataTag() == QLatin1String("missing source") ? f.path("gone.jpg") : f.path("a.jpg");
    LocalFileSystem fs;
    QCOMPARE(
        errorOf([&] { fs.copyFile(from, f.path(to), replace ? CopyMode::Replace : CopyMode::KeepExisting); }),
        number);
    // Hidden files count too: a temporary copy left behind would show here.
    QCOMPARE(f.files(), after);
}

void TestFileOperations::renameNeverReplaces_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<int>("number");
    QTest::addColumn<Files>("after");
    QTest::newRow("free name") << "a.jpg"
                               << "c.jpg" << 0 << Files{{"c.jpg", "picture"}, {"b.jpg", "other"}};
    QTest::newRow("taken name") << "a.jpg"
                                << "b.jpg" << 58 << Files{{"a.jpg", "picture"}, {"b.jpg", "other"}};
    QTest::newRow("onto itself") << "a.jpg"
                                 << "a.jpg" << 58 << Files{{"a.jpg", "picture"}, {"b.jpg", "other"}};
    QTest::newRow("missing file") << "gone.jpg"
                                  << "c.jpg" << 53 << Files{{"a.jpg", "picture"}, {"b.jpg", "other"}};
}

void TestFileOperations::renameNeverReplaces()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(int, number);
    QFETCH(Files, after);
    Folder f;
    f.put("a.jpg", "picture");
    f.put("b.jpg", "other");
    LocalFileSystem fs;
    QCOMPARE(errorOf([&] { fs.rename(f.path(from), f.path(to)); }), number);
    QCOMPARE(f.files(), after);
}

void TestFileOperations::removeAndAppend()
{
    Folder f;
    LocalFileSystem fs;
    fs.appendFile(f.path("list.lum"), "one\r\n");
    fs.appendFile(f.path("list.lum"), "two\r\n");
    QCOMPARE(f.files(), (Files{{"list.lum", "one\r\ntwo\r\n"}}));
    fs.removeFile(f.path("list.lum"));
    QVERIFY(f.files().isEmpty());
    QCOMPARE(errorOf([&] { fs.removeFile(f.path("list.lum")); }), 53);
}

void TestFileOperations::pathParts_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::newRow("nested") << "/a/b/c.jpg"
                            << "c.jpg"
                            << "/a/b";
    QTest::newRow("at the root") << "/c.jpg"
                                 << "c.jpg"
                                 << "/";
    QTest::newRow("bare name") << "c.jpg"
                               << "c.jpg" << QString();
}

void TestFileOperations::pathParts()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QCOMPARE(fileNameOf(path), name);
    QCOMPARE(parentFolderOf(path), parent);
}

LUMARINE_REGISTER_TEST(TestFileOperations)
#include "tst_fileoperations.moc"
