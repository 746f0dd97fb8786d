#include "platform/apperror.h"
#include "settings/profile.h"
#include "settings/settingsfile.h"
#include "support/testmain.h"

class TestProfile : public QObject {
    Q_OBJECT

private slots:
    void valuesAreFoundAndWrittenInPlace()
    {
        const QByteArray file =
            "; comment\r\n[ PATHS ]\r\n BASE = /photos \r\nEMPTY=\r\nEQ=a=b\r\n[Settings]\r\n"
            "DELAY=5\r\n[SETTINGS]\r\nDELAY=6\r\n[LONG]\r\nk=" +
            QString(120, QChar(0xe9)).toUtf8();
        QStringList values;
        for (const char* asked : {"PATHS/BASE", "paths/empty", "PATHS/EQ", "SETTINGS/DELAY", "OTHER/DELAY",
                                  "PATHS/DELAY", "LONG/k"})
            values << profile::readValue(file, QString(asked).section('/', 0, 0),
                                         QString(asked).section('/', 1), "NONE");
        QCOMPARE(values, QStringList({"/photos", "", "a=b", "5", "NONE", "NONE", QString(99, QChar(0xe9))}));
        const QByteArray other =
            "; my notes \t\r\n[Other]\r\nUnknown = keep me  \r\nnokey line\r\n[SETTINGS]\r\n";
        // before, section, key, value, after
        const QList<std::array<QByteArray, 5>> writes{
            {"", "Settings", "ShowButtonNames", "True", "[Settings]\nShowButtonNames=True\n"},
            {"[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n", "a", "z", "3", "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n"},
            {"[A]\nKey = old\nother=1\n", "A", "KEY", "new", "[A]\nKEY=new\nother=1\n"},
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

    // Files the program never wrote (garbage, too large, no regular file)
    // read as if there were none, without waiting on them, and are replaced
    // whole by the first write, without a temporary file left beside them.
    void unwrittenFilesReadAsNone()
    {
        for (const QString kind : {"random bytes", "1 GB", "fifo", "folder"}) {
            QTemporaryDir dir;
            const QString path = dir.filePath("lumarine.ini");
            QVERIFY(testsupport::makeSpecialFile(kind, path, "[PATHS]\nBASE=/p\n"));
            QStringList failures;
            settings::SettingsFile file(path,
                                        [&](const platform::AppError& e) { failures << e.description(); });
            const QString base = file.ReadSetting("PATHS", "BASE");
            file.WriteSetting("Settings", "ShowButtonNames", "True");
            const bool writable = kind != "folder";
            QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                     QStringList{"lumarine.ini"});
            QCOMPARE(failures.size(), writable ? 0 : 1);
            for (const QString& failure : failures)
                QVERIFY(failure.startsWith("The settings could not be written to " + path + ": "));
            QCOMPARE(
                QStringList({base, settings::SettingsFile(path).ReadSetting("Settings", "ShowButtonNames")}),
                QStringList({"", writable ? "True" : ""}));
        }
    }
};

LUMARINE_REGISTER_TEST(TestProfile)
#include "tst_profile.moc"
