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
    void readFindsValue_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const QByteArray& content, const char* section, const char* key,
                            const QString& expected) {
            QTest::newRow(name) << content << QString(section) << QString(key) << expected;
        };
        const QByteArray file = "; comment\r\n[PATHS]\r\nBASE = /photos \r\n[Settings]\r\nDELAY=5\r\n";
        row("plain", file, "PATHS", "BASE", "/photos");
        row("section case ignored", file, "paths", "base", "/photos");
        row("other section", file, "SETTINGS", "DELAY", "5");
        row("missing key", file, "SETTINGS", "TNSIZE", "NONE");
        row("missing section", file, "OTHER", "DELAY", "NONE");
        row("key of another section", file, "PATHS", "DELAY", "NONE");
        row("LF line ends, no final line end", "[A]\nk=v", "A", "k", "v");
        row("empty value", "[A]\nk=\n", "A", "k", "");
        row("equals inside value", "[A]\nk=a=b\n", "A", "k", "a=b");
        row("blank header padding", "[ A ]\n k =v\n", "a", "K", "v");
        row("first of two sections", "[A]\nk=1\n[A]\nk=2\n", "A", "k", "1");
        row("long value cut to 99", "[A]\nk=" + QByteArray(120, 'x') + "\n", "A", "k", QString(99, 'x'));
        row("utf-8 counts characters", "[A]\nk=" + QString(120, QChar(0xe9)).toUtf8(), "A", "k",
            QString(99, QChar(0xe9)));
        row("empty file", {}, "A", "k", "NONE");
    }
    void readFindsValue()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QCOMPARE(profile::readValue(content, section, key, "NONE"), expected);
    }

    void writePlacesKeysAndSections_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        const auto row = [](const char* name, const QByteArray& before, const char* section, const char* key,
                            const QString& value, const QByteArray& after) {
            QTest::newRow(name) << before << QString(section) << QString(key) << value << after;
        };
        row("new file", {}, "Settings", "ShowButtonNames", "True", "[Settings]\nShowButtonNames=True\n");
        row("new key at end of its section, before blank lines", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n", "a", "z",
            "3", "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n");
        row("existing key replaced, case of the write", "[A]\nKey = old\nother=1\n", "A", "KEY", "new",
            "[A]\nKEY=new\nother=1\n");
        row("new section at end of file, keeps CR LF", "[A]\r\nx=1\r\n", "PATHS", "BASE", "/p",
            "[A]\r\nx=1\r\n[PATHS]\r\nBASE=/p\r\n");
        row("file without final line end", "[A]\nx=1", "B", "y", "2", "[A]\nx=1\n[B]\ny=2\n");
        row("key into last section without final line end", "[A]\nx=1", "A", "y", "2", "[A]\nx=1\ny=2");
        row("same section in other case", "[Settings]\nShowButtonNames=True\n", "SETTINGS", "RANDOM", "False",
            "[Settings]\nShowButtonNames=True\nRANDOM=False\n");
        row("a CR ending the last line stays part of it", "[A]\nx=1\r", "B", "y", "2",
            "[A]\nx=1\r\r\n[B]\ny=2\n");
        row("lone CR is not a line end", "[A]\rk=1\r", "A", "k", "2", "[A]\rk=1\r\r\nk=2");
        row("value with a line break stays on one line", "[A]\n", "A", "k", "x\n[B]\ny=1",
            "[A]\nk=x [B] y=1\n");
        row("non-ASCII value as UTF-8, empty value", "[P]\nBASE=\n", "p", "base", "/ü/写真",
            "[P]\nbase=/\xc3\xbc/\xe5\x86\x99\xe7\x9c\x9f\n");
        row("other lines keep every byte",
            "; my notes \t\r\n[Other]\r\nUnknown = keep me  \r\nnokey line\r\n[SETTINGS]\r\nDELAY=3\r\n  ; "
            "in\r\n\r\n"
            "[Tail]\nlf=only\n",
            "Settings", "DELAY", "7",
            "; my notes \t\r\n[Other]\r\nUnknown = keep me  \r\nnokey line\r\n[SETTINGS]\r\nDELAY=7\r\n  ; "
            "in\r\n\r\n"
            "[Tail]\nlf=only\n");
    }
    void writePlacesKeysAndSections()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        QCOMPARE(profile::writeValue(before, section, key, value), after);
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
        QCOMPARE(file.ReadSetting("PATHS", "BASE"), QString());
        QCOMPARE(file.ReadSetting("PATHS", "OTHER"), QStringLiteral("x"));
        // Changed behind the program's back: the copy read at first stays.
        QVERIFY(testsupport::writeBytes(path, "[PATHS]\nOTHER=elsewhere\n"));
        QCOMPARE(file.ReadSetting("PATHS", "OTHER"), QStringLiteral("x"));
    }

    // Files the program never wrote load as if there were none, without
    // waiting on them; the first start's own write is then what is read.
    void unwrittenFilesGiveEveryDefault_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<bool>("writable");
        const qint64 standard = settings::SettingsFile::MaxFileBytes;
        QTest::newRow("random bytes") << "random bytes" << standard << true;
        QTest::newRow("1 GB, settings first") << "1 GB" << standard << true;
        QTest::newRow("real settings past a small limit") << "file" << qint64(64) << true;
        QTest::newRow("FIFO") << "fifo" << standard << true;
        QTest::newRow("device") << "device" << standard << true;
        QTest::newRow("folder") << "folder" << standard << false;
    }
    void unwrittenFilesGiveEveryDefault()
    {
        QFETCH(QString, kind);
        QFETCH(qint64, limit);
        QFETCH(bool, writable);
        QTemporaryDir dir;
        const QString path = dir.filePath("lumarine.ini");
        if (!testsupport::makeSpecialFile(kind, path, RealSettings))
            QSKIP("this machine cannot make that kind of file");
        QStringList failures;
        settings::SettingsFile file(
            path, [&](const platform::AppError& e) { failures << e.description(); }, limit);
        FakeView view;
        settings::LoadSettings(file, view);
        QCOMPARE(QStringList({view.base, view.delay, view.thumbSize}), QStringList({"", "3", "Small"}));
        QCOMPARE(view.random || view.preview, false);
        QCOMPARE(view.names, writable);
        QCOMPARE(settings::SettingsFile(path).ReadSetting("Settings", "ShowButtonNames"),
                 writable ? "True" : "");
        QCOMPARE(failures.isEmpty(), writable);
        for (const QString& failure : failures)
            QVERIFY2(failure.startsWith("The settings could not be written to " + path + ": "),
                     qPrintable(failure));
    }

    void booleanConversion_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected"); // 0, 1, or -1 for a type mismatch
        const QList<std::pair<const char*, int>> rows{{"", 0},  {"True", 1}, {"true", 1}, {"FALSE", 0},
                                                      {"0", 0}, {"-1", 1},   {"0.5", 1},  {"yes", -1}};
        for (const auto& [text, expected] : rows)
            QTest::newRow(text) << QString(text) << expected;
    }
    void booleanConversion()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(testsupport::errorOf([&] { QCOMPARE(int(settings::toBoolean(text)), expected); }),
                 expected < 0 ? 13 : 0);
    }
};

LUMARINE_REGISTER_TEST(TestProfile)
#include "tst_profile.moc"
