#include "platform/apperror.h"
#include "settings/loadsave.h"
#include "settings/profile.h"
#include "settings/settingsfile.h"
#include "support/failingfilesystem.h"
#include "support/testmain.h"
#include "support/tree.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The controls and values LoadSettings fills, as plain members.
class FakeView final : public settings::SettingsView {
public:
    QString base = "unset", delay = "unset", thumbSize = "unset";
    bool random = true, preview = true, names = false;

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

const QByteArray RealSettings =
    "[PATHS]\r\nBASE=/photos\r\n[SETTINGS]\r\nDELAY=9\r\nRANDOM=True\r\n"
    "TNSIZE=Large\r\nTNPREVIEW=True\r\nShowButtonNames=False\r\nFirstStart=Done\r\n";

} // namespace

class TestProfile : public QObject {
    Q_OBJECT

private slots:
    void readFindsValue()
    {
        const QByteArray file = "; comment\r\n[PATHS]\r\nBASE = /photos \r\n[Settings]\r\nDELAY=5\r\n";
        const QList<std::tuple<QByteArray, const char*, const char*>> asked{
            {file, "PATHS", "BASE"},
            {file, "paths", "base"},
            {file, "SETTINGS", "DELAY"},
            {file, "SETTINGS", "TNSIZE"},
            {file, "OTHER", "DELAY"},
            {file, "PATHS", "DELAY"},
            {"[A]\nk=v", "A", "k"},
            {"[A]\nk=\n", "A", "k"},
            {"[A]\nk=a=b\n", "A", "k"},
            {"[ A ]\n k =v\n", "a", "K"},
            {"[A]\nk=1\n[A]\nk=2\n", "A", "k"},
            {"[A]\nk=" + QByteArray(120, 'x') + "\n", "A", "k"},
            {"[A]\nk=" + QString(120, QChar(0xe9)).toUtf8(), "A", "k"},
            {{}, "A", "k"}};
        QStringList values;
        for (const auto& [content, section, key] : asked)
            values << profile::readValue(content, section, key, "NONE");
        QCOMPARE(values, QStringList({"/photos", "/photos", "5", "NONE", "NONE", "NONE", "v", "", "a=b", "v",
                                      "1", QString(99, 'x'), QString(99, QChar(0xe9)), "NONE"}));
    }

    void writePlacesKeysAndSections()
    {
        const QByteArray other =
            "; my notes \t\r\n[Other]\r\nUnknown = keep me  \r\nnokey line\r\n[SETTINGS]\r\n";
        // before, section, key, value, after
        const QList<std::array<QByteArray, 5>> writes{
            {"", "Settings", "ShowButtonNames", "True", "[Settings]\nShowButtonNames=True\n"},
            {"[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n", "a", "z", "3", "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n"},
            {"[A]\nKey = old\nother=1\n", "A", "KEY", "new", "[A]\nKEY=new\nother=1\n"},
            {"[A]\r\nx=1\r\n", "PATHS", "BASE", "/p", "[A]\r\nx=1\r\n[PATHS]\r\nBASE=/p\r\n"},
            {"[A]\nx=1", "B", "y", "2", "[A]\nx=1\n[B]\ny=2\n"},
            {"[A]\nx=1", "A", "y", "2", "[A]\nx=1\ny=2"},
            {"[A]\nx=1\r", "B", "y", "2",
             "[A]\nx=1\r\r\n[B]\ny=2\n"}, // a CR ending the last line is part of it
            {"[A]\rk=1\r", "A", "k", "2", "[A]\rk=1\r\r\nk=2"},
            {"[A]\n", "A", "k", "x\n[B]\ny=1", "[A]\nk=x [B] y=1\n"},
            {"[P]\nBASE=\n", "p", "base", "/ü/写真", "[P]\nbase=/\xc3\xbc/\xe5\x86\x99\xe7\x9c\x9f\n"},
            {other + "DELAY=3\r\n  ; in\r\n\r\n[Tail]\nlf=only\n", "Settings", "DELAY", "7",
             other + "DELAY=7\r\n  ; in\r\n\r\n[Tail]\nlf=only\n"}};
        for (const auto& [before, section, key, value, after] : writes)
            QCOMPARE(profile::writeValue(before, section, key, QString::fromUtf8(value)), after);
    }

    void settingsFileIsReadOnceAndWrittenWhole()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("sub/lumarine.ini");
        settings::SettingsFile missing(path);
        QCOMPARE(missing.ReadSetting("PATHS", "BASE"), QString());
        missing.WriteSetting("Settings", "ShowButtonNames", "True");
        missing.WriteSetting("SETTINGS", "DELAY", "4");
        QCOMPARE(testsupport::readBytes(path), QByteArray("[Settings]\nShowButtonNames=True\nDELAY=4\n"));
        // No temporary file is left beside it.
        QCOMPARE(QDir(dir.filePath("sub")).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"lumarine.ini"});
        QVERIFY(testsupport::writeBytes(path, "[PATHS]\nBASE=NONE\nOTHER=  x  \n"));
        settings::SettingsFile file(path);
        const QStringList first{file.ReadSetting("PATHS", "BASE"), file.ReadSetting("PATHS", "OTHER")};
        // Changed behind the program's back: the copy read at first stays.
        QVERIFY(testsupport::writeBytes(path, "[PATHS]\nOTHER=elsewhere\n"));
        QCOMPARE(first + QStringList{file.ReadSetting("PATHS", "OTHER")}, QStringList({"", "x", "x"}));
    }

    // Files the program never wrote (garbage, too large, no regular file) load
    // as if there were none, without waiting on them; the first start's own
    // write is then what is read.
    void unwrittenFilesGiveEveryDefault_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"random bytes", "1 GB", "fifo", "folder"})
            QTest::newRow(kind) << QString(kind);
    }
    void unwrittenFilesGiveEveryDefault()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath("lumarine.ini");
        QVERIFY(testsupport::makeSpecialFile(kind, path, RealSettings));
        QStringList failures;
        settings::SettingsFile file(path, [&](const platform::AppError& e) { failures << e.description(); });
        FakeView view;
        settings::LoadSettings(file, view);
        QCOMPARE(QStringList({view.base, view.delay, view.thumbSize}), QStringList({"", "3", "Small"}));
        QCOMPARE(view.random || view.preview, false);
        const bool writable = kind != "folder";
        QCOMPARE(view.names, writable);
        QCOMPARE(settings::SettingsFile(path).ReadSetting("Settings", "ShowButtonNames"),
                 writable ? "True" : "");
        QCOMPARE(failures.size(), writable ? 0 : 2);
        for (const QString& failure : failures)
            QVERIFY2(failure.startsWith("The settings could not be written to " + path + ": "),
                     qPrintable(failure));
    }

    void booleanConversion()
    {
        QList<int> values; // the value, or minus the error number
        for (const char* text : {"", "True", "true", "FALSE", "0", "-1", "0.5", "yes"}) {
            int value = 0;
            const int error = testsupport::errorOf([&] { value = int(settings::toBoolean(text)); });
            values << (error != 0 ? -error : value);
        }
        QCOMPARE(values, QList<int>({0, 1, 1, 0, 0, 1, 1, -13}));
    }
};

LUMARINE_REGISTER_TEST(TestProfile)
#include "tst_profile.moc"
