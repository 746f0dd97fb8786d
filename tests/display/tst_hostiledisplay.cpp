// A show over pictures that changed after the list was made: deleted, or
// replaced by a FIFO, a device, a folder, text, or a JPEG built to exhaust
// the decoder. Each gets its failure's reaction, and the show goes on.
#include "displayfixture.h"
#include "support/testmain.h"

#include "support/jpegfixtures.h"

#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QTest>

using testsupport::DisplayFixture;

namespace {

// Puts what a row names where the picture was. False when this machine
// cannot make it.
bool replace(const QString& path, const QString& by)
{
    using namespace testsupport;
    if (!QFile::remove(path))
        return false;
    if (by == "nothing")
        return true;
    if (by == "text")
        return writeBytes(path, "no picture at all\n");
    if (by == "a huge header")
        return writeBytes(path, withClaimedSize(jpegBytes(QSize(64, 48)), QSize(65500, 65500)));
    if (by == "thousands of scans")
        return writeBytes(path, withLastScanRepeated(jpegBytes(QSize(64, 48), true), 3000));
    if (by == "a larger picture")
        return writeJpeg(path, QSize(240, 180));
    return makeSpecialFile(by, path);
}

} // namespace

class TestHostileDisplay : public QObject {
    Q_OBJECT

private slots:
    void replacedPictureGetsItsFailuresReaction_data();
    void replacedPictureGetsItsFailuresReaction();
};

void TestHostileDisplay::replacedPictureGetsItsFailuresReaction_data()
{
    QTest::addColumn<QString>("by");
    QTest::addColumn<bool>("whileDecoding");
    // What the picture box shows for the replaced picture: nothing (the
    // screen stays black), the last picture again, or the new picture.
    QTest::addColumn<QString>("shown");
    for (const bool whileDecoding : {false, true}) {
        const char* when = whileDecoding ? ", after its decode began" : ", before the show";
        const QList<std::pair<const char*, const char*>> rows{
            {"deleted", "nothing"},
            {"dangling link", "dangling link"},
            {"FIFO", "fifo"},
            {"device", "device"},
            {"folder", "folder"},
            {"text", "text"},
            {"header claiming 65500 x 65500", "a huge header"},
            {"progressive, thousands of scans", "thousands of scans"},
        };
        for (const auto& [name, by] : rows) {
            const bool gone = QByteArray(by) == "nothing" || QByteArray(by) == "dangling link";
            QTest::addRow("%s%s", name, when)
                << QString(by) << whileDecoding << QString(gone ? "black" : "last");
        }
    }
    QTest::newRow("another picture, before the show")
        << QString("a larger picture") << false << QString("new");
    QTest::newRow("another picture, after its decode began")
        << QString("a larger picture") << true << QString("new");
}

void TestHostileDisplay::replacedPictureGetsItsFailuresReaction()
{
    QFETCH(QString, by);
    QFETCH(bool, whileDecoding);
    QFETCH(QString, shown);
    DisplayFixture f(3);
    if (!whileDecoding && !replace(f.path(2), by))
        QSKIP("this machine cannot make that kind of file");
    f.standardShow(0);
    const QSize first = f.window->imgMain->size();
    if (whileDecoding) {
        // The decode begun a tick ahead has read the picture as it was.
        QTRY_VERIFY(f.window->sequence().aheadDone());
        QCOMPARE(f.loader.loadsOf(f.path(2)), 1);
    }
    if (whileDecoding && !replace(f.path(2), by))
        QSKIP("this machine cannot make that kind of file");
    f.window->tim1_Timer();
    QCOMPARE(f.window->imgMain->toolTip(), f.path(2));
    QCOMPARE(f.window->imgMain->isVisible(), shown != "black");
    if (shown == "last")
        QCOMPARE(f.window->imgMain->size(), first);
    if (shown == "new")
        QCOMPARE(f.window->imgMain->size(), first * 2);
    QVERIFY(f.dialogs.asked().isEmpty());
    QVERIFY(!QGuiApplication::overrideCursor());
    // The show goes on with the next picture.
    f.window->tim1_Timer();
    QCOMPARE(f.window->imgMain->toolTip(), f.path(3));
    QVERIFY(f.window->imgMain->isVisible());
}

#include "tst_hostiledisplay.moc"

LUMARINE_REGISTER_TEST(TestHostileDisplay)
