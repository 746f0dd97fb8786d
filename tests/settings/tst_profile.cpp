#include "platform/apperror.h"
#include "settings/loadsave.h"
#include "settings/profile.h"
#include "settings/settingsfile.h"
#include "support/testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestProfile : public QObject {
    Q_OBJECT

private slots:
    void readFindsValue_data();
    void readFindsValue();
    void writePlacesKeysAndSections_data();
    void writePlacesKeysAndSections();
    void writeKeepsOtherBytes();
    void writeThenReadGivesValueBack_data();
    void writeThenReadGivesValueBack();
    void readSettingTurnsSentinelIntoEmpty();
    void writeSettingCreatesFileAndReplacesItWhole();
    void failedWriteIsPassedOnWithTheFile();
    void booleanConversion_data();
    void booleanConversion();
};

void TestProfile::readFindsValue_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    const QByteArray file =
        "; comment\r\n[PATHS]\r\nBASE = /photos \r\n[Settings]\r\nDELAY=5\r\nRANDOM=True\r\n";
    QTest::newRow("plain") << file << "PATHS"
                           << "BASE"
                           << "/photos";
    QTest::newRow("section case ignored") << file << "paths"
                                          << "base"
                                          << "/photos";
    QTest::newRow("other section") << file << "SETTINGS"
                                   << "DELAY"
                                   << "5";
    QTest::newRow("missing key") << file << "SETTINGS"
                                 << "TNSIZE"
                                 << "NONE";
    QTest::newRow("missing section") << file << "OTHER"
                                     << "DELAY"
                                     << "NONE";
    QTest::newRow("key of another section") << file << "PATHS"
                                            << "DELAY"
                                            << "NONE";
    QTest::newRow("LF line ends") << QByteArray("[A]\nk=v\n") << "A"
                                  << "k"
                                  << "v";
    QTest::newRow("no final line end") << QByteArray("[A]\nk=v") << "A"
                                       << "k"
                                       << "v";
    QTest::newRow("empty value") << QByteArray("[A]\nk=\n") << "A"
                                 << "k"
                                 << "";
    QTest::newRow("equals inside value") << QByteArray("[A]\nk=a=b\n") << "A"
                                         << "k"
                                         << "a=b";
    QTest::newRow("blank header padding") << QByteArray("[ A ]\n k =v\n") << "a"
                                          << "K"
                                          << "v";
    QTest::newRow("first of two sections") << QByteArray("[A]\nk=1\n[A]\nk=2\n") << "A"
                                           << "k"
                                           << "1";
    QTest::newRow("long value cut to 99") << QByteArray("[A]\nk=" + QByteArray(120, 'x') + "\n") << "A"
                                          << "k" << QString(99, 'x');
    QTest::newRow("utf-8 counts characters")
        << QByteArray("[A]\nk=" + QString(120, QChar(0xe9)).toUtf8() + "\n") << "A"
        << "k" << QString(99, QChar(0xe9));
    QTest::newRow("empty file") << QByteArray() << "A"
                                << "k"
                                << "NONE";
}

void TestProfile::readFindsValue()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QCOMPARE(profile::readValue(content, section, key, "NONE"), expected);
}

void TestProfile::writePlacesKeysAndSections_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("new file") << QByteArray() << "Settings"
                              << "ShowButtonNames"
                              << "True" << QByteArray("[Settings]\nShowButtonNames=True\n");
    QTest::newRow("new key at end of its section, before blank lines")
        << QByteArray("[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n") << "a"
        << "z"
        << "3" << QByteArray("[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n");
    QTest::newRow("existing key replaced, case of the write")
        << QByteArray("[A]\nKey = old\nother=1\n") << "A"
        << "KEY"
        << "new" << QByteArray("[A]\nKEY=new\nother=1\n");
    QTest::newRow("new section at end of file, keeps CR LF")
        << QByteArray("[A]\r\nx=1\r\n") << "PATHS"
        << "BASE"
        << "/p" << QByteArray("[A]\r\nx=1\r\n[PATHS]\r\nBASE=/p\r\n");
    QTest::newRow("file without final line end") << QByteArray("[A]\nx=1") << "B"
                                                 << "y"
                                                 << "2" << QByteArray("[A]\nx=1\n[B]\ny=2\n");
    QTest::newRow("key into last section without final line end") << QByteArray("[A]\nx=1") << "A"
                                                                  << "y"
                                                                  << "2" << QByteArray("[A]\nx=1\ny=2");
    QTest::newRow("same section in other case")
        << QByteArray("[Settings]\nShowButtonNames=True\n") << "SETTINGS"
        << "RANDOM"
        << "False" << QByteArray("[Settings]\nShowButtonNames=True\nRANDOM=False\n");
    QTest::newRow("a CR ending the last line stays part of it")
        << QByteArray("[A]\nx=1\r") << "B"
        << "y"
        << "2" << QByteArray("[A]\nx=1\r\r\n[B]\ny=2\n");
    QTest::newRow("lone CR is not a line end") << QByteArray("[A]\rk=1\r") << "A"
                                               << "k"
                                               << "2" << QByteArray("[A]\rk=1\r\r\nk=2");
    QTest::newRow("value with a line break stays on one line")
        << QByteArray("[A]\n") << "A"
        << "k"
        << "x\n[B]\ny=1" << QByteArray("[A]\nk=x [B] y=1\n");
}

void TestProfile::writePlacesKeysAndSections()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    QCOMPARE(profile::writeValue(before, section, key, value), after);
}

void TestProfile::writeKeepsOtherBytes()
{
    const QByteArray before = "; my notes \t\r\n[Other]\r\nUnknown = keep me  \r\nnokey line\r\n"
                              "[SETTINGS]\r\nDELAY=3\r\n  ; inside\r\n\r\n[Tail]\nlf=only\n";
    const QByteArray after = profile::writeValue(before, "Settings", "DELAY", "7");
    QByteArray expected = before;
    expected.replace("DELAY=3", "DELAY=7");
    QCOMPARE(after, expected);
}

void TestProfile::writeThenReadGivesValueBack_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("path") << "/home/user/Pictures";
    QTest::newRow("non-ASCII") << QString::fromUtf8("/home/ünïcødé/写真");
    QTest::newRow("with equals and brackets") << "a=[b]";
    QTest::newRow("empty") << "";
}

void TestProfile::writeThenReadGivesValueBack()
{
    QFETCH(QString, value);
    const QByteArray before = "[PATHS]\nBASE=old\n[SETTINGS]\nDELAY=3\n";
    const QByteArray after = profile::writeValue(before, "paths", "base", value);
    QCOMPARE(profile::readValue(after, "PATHS", "BASE", "NONE"), value);
    QCOMPARE(profile::readValue(after, "SETTINGS", "DELAY", "NONE"), QStringLiteral("3"));
}

void TestProfile::readSettingTurnsSentinelIntoEmpty()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("lumarine.ini");
    settings::SettingsFile file(path);
    QCOMPARE(file.ReadSetting("PATHS", "BASE"), QString());
    QFile raw(path);
    QVERIFY(raw.open(QIODevice::WriteOnly));
    raw.write("[PATHS]\nBASE=NONE\nOTHER=  x  \n");
    raw.close();
    // A settings file is read once; a new one sees the file as it is now.
    settings::SettingsFile written(path);
    QCOMPARE(written.ReadSetting("PATHS", "BASE"), QString());
    QCOMPARE(written.ReadSetting("PATHS", "OTHER"), QStringLiteral("x"));
}

void TestProfile::writeSettingCreatesFileAndReplacesItWhole()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sub/lumarine.ini");
    settings::SettingsFile file(path);
    file.WriteSetting("Settings", "ShowButtonNames", "True");
    file.WriteSetting("SETTINGS", "DELAY", "4");
    QFile raw(path);
    QVERIFY(raw.open(QIODevice::ReadOnly));
    QCOMPARE(raw.readAll(), QByteArray("[Settings]\nShowButtonNames=True\nDELAY=4\n"));
    // No temporary file is left beside it.
    QCOMPARE(QDir(dir.filePath("sub")).entryList(QDir::Files | QDir::Hidden), QStringList{"lumarine.ini"});
}

void TestProfile::failedWriteIsPassedOnWithTheFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("lumarine.ini");
    // A folder stands where the file should be: the write cannot succeed.
    QVERIFY(QDir(dir.path()).mkdir("lumarine.ini"));
    QStringList failures;
    settings::SettingsFile file(path,
                                [&](const platform::AppError& error) { failures << error.description(); });
    file.WriteSetting("A", "k", "v");
    QCOMPARE(failures.size(), 1);
    QVERIFY2(failures.first().startsWith("The settings could not be written to " + path + ": "),
             qPrintable(failures.first()));
    QCOMPARE(file.ReadSetting("A", "k"), QString());
}

void TestProfile::booleanConversion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected"); // 0, 1, or -1 for a type mismatch
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("True") << "True" << 1;
    QTest::newRow("lower true") << "true" << 1;
    QTest::newRow("FALSE") << "FALSE" << 0;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("minus one") << "-1" << 1;
    QTest::newRow("fraction") << "0.5" << 1;
    QTest::newRow("word") << "yes" << -1;
}

void TestProfile::booleanConversion()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    try {
        QCOMPARE(int(settings::toBoolean(text)), expected);
    } catch (const platform::AppError& error) {
        QCOMPARE(expected, -1);
        QCOMPARE(error.number(), 13);
    }
}

LUMARINE_REGISTER_TEST(TestProfile)
#include "tst_profile.moc"
