// Settings files the program never wrote: random bytes, one far too large,
// special files. Each loads as if there were none, without waiting on it.
#include "settings/loadsave.h"
#include "settings/settingsfile.h"
#include "support/testmain.h"
#include "support/tree.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The controls and values LoadSettings fills, as plain members.
class FakeView final : public settings::SettingsView {
public:
    QString base = "unset";
    QString delay = "unset";
    bool random = true;
    QString thumbSize = "unset";
    bool preview = true;
    bool names = true;

    QString baseText() const override { return base; }
    void setBaseText(const QString& text) override { base = text; }
    QString delayText() const override { return delay; }
    void setDelayText(const QString& text) override { delay = text; }
    bool randomTicked() const override { return random; }
    void setRandomTicked(bool ticked) override { random = ticked; }
    QString thumbSizeText() const override { return thumbSize; }
    void setThumbSizeText(const QString& text) override { thumbSize = text; }
    void setShowNamesTicked(bool) override {}
    void ShowButtonNames(bool shown) override { names = shown; }
    void setThumbSize(const QString&) override {}
    bool thumbPreview() const override { return preview; }
    void setThumbPreview(bool value) override { preview = value; }
    void openHelp() override {}
};

QByteArray randomBytes(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(7);
    generator.fillRange(reinterpret_cast<quint32*>(bytes.data()), size / 4);
    return bytes;
}

const QByteArray RealSettings =
    "[PATHS]\r\nBASE=/photos\r\n[SETTINGS]\r\nDELAY=9\r\nRANDOM=True\r\n"
    "TNSIZE=Large\r\nTNPREVIEW=True\r\nShowButtonNames=False\r\nFirstStart=Done\r\n";

bool makeSettingsFile(const QString& kind, const QString& path)
{
    if (kind == "random")
        return testsupport::writeBytes(path, randomBytes(1 << 16));
    if (kind == "100 MB") {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(RealSettings) > 0 && file.resize(100 << 20);
    }
    if (kind == "larger than the limit")
        return testsupport::writeBytes(path, RealSettings);
    return testsupport::makeSpecialFile(kind, path);
}

} // namespace

class TestHostileSettings : public QObject {
    Q_OBJECT

private slots:
    void unwrittenFilesGiveEveryDefault_data();
    void unwrittenFilesGiveEveryDefault();
    void fileIsReadOnceForAllValues();
};

void TestHostileSettings::unwrittenFilesGiveEveryDefault_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<qint64>("limit");
    const qint64 standard = settings::SettingsFile::MaxFileBytes;
    QTest::newRow("random bytes") << "random" << standard;
    QTest::newRow("100 MB, settings first") << "100 MB" << standard;
    QTest::newRow("real settings past a small limit") << "larger than the limit" << qint64(64);
    QTest::newRow("FIFO") << "fifo" << standard;
    QTest::newRow("device") << "device" << standard;
}

void TestHostileSettings::unwrittenFilesGiveEveryDefault()
{
    QFETCH(QString, kind);
    QFETCH(qint64, limit);
    QTemporaryDir dir;
    const QString path = dir.filePath("lumarine.ini");
    if (!makeSettingsFile(kind, path))
        QSKIP("this machine cannot make that kind of file");
    settings::SettingsFile file(path, {}, limit);
    FakeView view;
    settings::LoadSettings(file, view);
    QCOMPARE(view.base, QString());
    QCOMPARE(view.delay, "3");
    QCOMPARE(view.random, false);
    QCOMPARE(view.thumbSize, "Small");
    QCOMPARE(view.preview, false);
    // The first start's own write is what the view then reads.
    QCOMPARE(view.names, true);
    settings::SettingsFile reread(path);
    QCOMPARE(reread.ReadSetting("Settings", "ShowButtonNames"), "True");
}

void TestHostileSettings::fileIsReadOnceForAllValues()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("lumarine.ini");
    QVERIFY(testsupport::writeBytes(path, RealSettings));
    settings::SettingsFile file(path);
    QCOMPARE(file.ReadSetting("PATHS", "BASE"), "/photos");
    // Changed behind the program's back: the copy read at first stays.
    QVERIFY(testsupport::writeBytes(path, "[PATHS]\r\nBASE=/elsewhere\r\n"));
    QCOMPARE(file.ReadSetting("PATHS", "BASE"), "/photos");
    file.WriteSetting("SETTINGS", "DELAY", "4");
    QCOMPARE(file.ReadSetting("SETTINGS", "DELAY"), "4");
    QCOMPARE(settings::SettingsFile(path).ReadSetting("SETTINGS", "TNSIZE"), "Large");
}

#include "tst_hostilesettings.moc"

LUMARINE_REGISTER_TEST(TestHostileSettings)
