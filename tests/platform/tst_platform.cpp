#include "platform/apperror.h"
#include "platform/basui.h"
#include "platform/dialogs.h"
#include "platform/inipath.h"
#include "platform/twips.h"
#include "platform/volumes.h"
#include "support/scripteddialogs.h"
#include "support/testmain.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

using namespace platform;

class TestPlatform : public QObject {
    Q_OBJECT

private slots:
    void errnoMapsToClassicNumber_data();
    void errnoMapsToClassicNumber();
    void errorCarriesItsStandardDescription();
    void reportErrorShowsNumberAndDescription();
    void busyCursorIsNotCounted();
    void twipsAreFifteenToAPixel();
    void driveKindFollowsFileSystemAndMountPlace_data();
    void driveKindFollowsFileSystemAndMountPlace();
    void volumesStartWithRootAndSkipPseudoFileSystems();
    void iniPathIsTheUsersUnlessAPortableCopy_data();
    void iniPathIsTheUsersUnlessAPortableCopy();
    void classicFilterBecomesQtFilter();
};

void TestPlatform::errnoMapsToClassicNumber_data()
{
    QTest::addColumn<int>("errnoValue");
    QTest::addColumn<bool>("folderMissing");
    QTest::addColumn<int>("number");
    QTest::newRow("missing file") << ENOENT << false << 53;
    QTest::newRow("missing folder on the way") << ENOENT << true << 76;
    QTest::newRow("not a folder") << ENOTDIR << false << 76;
    QTest::newRow("exists") << EEXIST << false << 58;
    QTest::newRow("no space") << ENOSPC << false << 61;
    QTest::newRow("quota") << EDQUOT << false << 61;
    QTest::newRow("access") << EACCES << false << 70;
    QTest::newRow("not permitted") << EPERM << false << 70;
    QTest::newRow("read-only medium") << EROFS << false << 75;
    QTest::newRow("busy") << EBUSY << false << 75;
    QTest::newRow("is a folder") << EISDIR << false << 75;
    QTest::newRow("input/output") << EIO << false << 71;
    QTest::newRow("no device") << ENXIO << false << 71;
    QTest::newRow("no such device") << ENODEV << false << 71;
    QTest::newRow("no medium") << ENOMEDIUM << false << 71;
    QTest::newRow("name too long") << ENAMETOOLONG << false << 52;
    QTest::newRow("invalid name") << EINVAL << false << 52;
}

void TestPlatform::errnoMapsToClassicNumber()
{
    QFETCH(int, errnoValue);
    QFETCH(bool, folderMissing);
    QFETCH(int, number);
    QCOMPARE(errorNumberForErrno(errnoValue, folderMissing ? MissingPart::Folder : MissingPart::File),
             number);
}

void TestPlatform::errorCarriesItsStandardDescription()
{
    QCOMPARE(AppError(53).description(), QStringLiteral("File not found"));
    QCOMPARE(AppError(457).description(),
             QStringLiteral("This key is already associated with an element of this collection"));
    QCOMPARE(AppError(70, QStringLiteral("custom")).description(), QStringLiteral("custom"));
    QCOMPARE(QByteArray(AppError(76).what()), QByteArray("76: Path not found"));
}

void TestPlatform::reportErrorShowsNumberAndDescription()
{
    testsupport::ScriptedDialogs dialogs;
    dialogs.answerMessage(mb::Ok);
    basUI::ReportError(dialogs, AppError(383));
    QCOMPARE(dialogs.asked().size(), 1);
    const auto& asked = dialogs.asked().first();
    QCOMPARE(asked.text,
             QStringLiteral(
                 "An error has occurred!\r\n\r\nError: 383\r\nDescription: 'Text' property is read-only"));
    QCOMPARE(asked.style, 32);
    QCOMPARE(asked.title, QStringLiteral("Lumarine"));
}

void TestPlatform::busyCursorIsNotCounted()
{
    QVERIFY(!basUI::IsBusyCursorOn());
    basUI::BusyCursorOn();
    basUI::BusyCursorOn();
    basUI::BusyCursorOn();
    QVERIFY(basUI::IsBusyCursorOn());
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    basUI::BusyCursorOff();
    QVERIFY(!basUI::IsBusyCursorOn());
    basUI::BusyCursorOff();
    QVERIFY(!basUI::IsBusyCursorOn());
}

void TestPlatform::twipsAreFifteenToAPixel()
{
    QCOMPARE(twips::fromPixels(800.0), 12000.0);
    QCOMPARE(twips::toPixels(9000.0), 600.0);
    QCOMPARE(twips::toPixels(QRectF(330, 450, 11340, 8100)), QRectF(22, 30, 756, 540));
}

void TestPlatform::driveKindFollowsFileSystemAndMountPlace_data()
{
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QString>("mountPoint");
    QTest::addColumn<int>("kind");
    QTest::newRow("root ext4") << QByteArray("ext4") << "/" << int(DriveType::Fixed);
    QTest::newRow("home btrfs") << QByteArray("btrfs") << "/home" << int(DriveType::Fixed);
    QTest::newRow("usb stick") << QByteArray("vfat") << "/media/user/STICK" << int(DriveType::Removable);
    QTest::newRow("udisks mount") << QByteArray("exfat") << "/run/media/user/CARD"
                                  << int(DriveType::Removable);
    QTest::newRow("nfs share") << QByteArray("nfs4") << "/srv/photos" << int(DriveType::Network);
    QTest::newRow("samba share") << QByteArray("cifs") << "/mnt/nas" << int(DriveType::Network);
    QTest::newRow("dvd") << QByteArray("iso9660") << "/media/cdrom" << int(DriveType::CdRom);
    QTest::newRow("blu-ray") << QByteArray("udf") << "/media/bd" << int(DriveType::CdRom);
}

void TestPlatform::driveKindFollowsFileSystemAndMountPlace()
{
    QFETCH(QByteArray, type);
    QFETCH(QString, mountPoint);
    QFETCH(int, kind);
    QCOMPARE(int(driveTypeFor(type, mountPoint)), kind);
}

void TestPlatform::volumesStartWithRootAndSkipPseudoFileSystems()
{
    const QList<Volume> volumes = systemVolumes();
    QVERIFY(!volumes.isEmpty());
    QCOMPARE(volumes.first().root, QStringLiteral("/"));
    for (const Volume& volume : volumes) {
        QVERIFY2(volume.root != QLatin1String("/proc") && volume.root != QLatin1String("/sys"),
                 qPrintable(volume.root));
    }
}

void TestPlatform::iniPathIsTheUsersUnlessAPortableCopy_data()
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

void TestPlatform::iniPathIsTheUsersUnlessAPortableCopy()
{
    QFETCH(QString, environment);
    QFETCH(bool, portableFile);
    QFETCH(bool, writable);
    QFETCH(QString, expected);
    QTemporaryDir program;
    const QString beside = program.filePath("lumarine.ini");
    if (portableFile)
        QVERIFY(QFile(beside).open(QIODevice::WriteOnly));
    qputenv("LUMARINE_INI", environment.toUtf8());
    const QString user = "/home/user/.config/lumarine";
    // Root may write anything: a file that cannot be written is told, not made.
    const QString path = writable
                             ? resolveIniPath(program.path(), user)
                             : resolveIniPath(program.path(), user, [](const QString&) { return false; });
    qunsetenv("LUMARINE_INI");
    QCOMPARE(path, expected == "program" ? beside : expected == "user" ? user + "/lumarine.ini" : expected);
    QVERIFY(QFileInfo::exists(beside) == portableFile);
}

void TestPlatform::classicFilterBecomesQtFilter()
{
    QCOMPARE(qtNameFilter("Lumarine files (*.lum)|*.lum"), QStringLiteral("Lumarine files (*.lum)"));
    QCOMPARE(qtNameFilter("JPG Files|*.jpg;*.jpeg|All|*"),
             QStringLiteral("JPG Files (*.jpg *.jpeg);;All (*)"));
}

LUMARINE_REGISTER_TEST(TestPlatform)
#include "tst_platform.moc"
