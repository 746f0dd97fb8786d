// Start-up and shutdown: which settings the window shows, what the settings
// file holds afterwards, and the errors that start-up reports.
#include "mainwindowfixture.h"
#include "support/testmain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void storedValuesLoad_data()
    {
        QTest::addColumn<QByteArray>("stored"); // after the first-start record; null: no file yet
        QTest::addColumn<QString>("shown");     // base|delay|random|thumbnail size|preview|toolbar names
        QTest::newRow("first start") << QByteArray() << "|3||Small||names";
        QTest::newRow("lower-case true: random off, preview and names on")
            << QByteArray("RANDOM=true\nTNPREVIEW=true\nShowButtonNames=true\n") << "|3||Small|preview|names";
        QTest::newRow("exact True") << QByteArray("RANDOM=True\n") << "|3|random|Small||";
        QTest::newRow("empty delay") << QByteArray("DELAY=\n") << "|3||Small||";
        QTest::newRow("delay not numeric") << QByteArray("DELAY=soon\n") << "|soon||Small||";
        QTest::newRow("size in other case") << QByteArray("TNSIZE=lArGe\n") << "|3||Large||";
        QTest::newRow("preview as number") << QByteArray("TNPREVIEW=-1\n") << "|3||Small|preview|";
        QTest::newRow("base NONE") << QByteArray("[PATHS]\nBASE=NONE\n") << "|3||Small||";
        QTest::newRow("base") << QByteArray("[PATHS]\nBASE=/srv/p\n") << "/srv/p|3||Small||";
        QTest::newRow("base of 120 characters")
            << QByteArray("[PATHS]\nBASE=" + QByteArray(120, 'b') + "\n") << QString(99, 'b') + "|3||Small||";
    }
    void storedValuesLoad()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, shown);
        MainWindowFixture f;
        const bool firstStart = stored.isNull();
        if (firstStart)
            f.window->Form_Load(QString());
        else
            f.load({}, stored);
        QVERIFY(f.dialogs.asked().isEmpty());
        auto* base = f.child<QComboBox>("txtBase");
        auto* size = f.child<QComboBox>("cboTNSize");
        const bool random = f.child<QCheckBox>("chkRandom")->isChecked();
        const bool names = f.child<QCheckBox>("chkShowNames")->isChecked();
        QCOMPARE(
            QStringList({base->currentText(), f.child<QLineEdit>("txtDelay")->text(), random ? "random" : "",
                         size->currentText(), f.state.ThumbPreview ? "preview" : "", names ? "names" : ""})
                .join('|'),
            shown);
        QCOMPARE(f.state.RandomShow, random);
        QCOMPARE(f.state.ThumbSize, size->currentText());
        QCOMPARE(f.captionsShown(), names);
        // The volumes are offered below the text the settings put there.
        QCOMPARE(base->itemText(0), QStringLiteral("/"));
        // Only the first start opens the manual and records itself.
        QCOMPARE(f.launcher.documents.size(), firstStart ? 1 : 0);
        QVERIFY(!firstStart || f.launcher.documents.first().endsWith(QLatin1String("/lumarine.html")));
        if (firstStart)
            QCOMPARE(f.readIni(), QByteArray("[Settings]\nFirstStart=Done\nShowButtonNames=True\n"));
    }

    void valueTheControlsCannotTakeIsReportedOnce_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("thumbSize");
        QTest::newRow("unknown size")
            << QByteArray("TNSIZE=Huge\nTNPREVIEW=True\nShowButtonNames=True\n") << 383 << "Huge";
        QTest::newRow("preview not a Boolean")
            << QByteArray("TNPREVIEW=maybe\nShowButtonNames=True\n") << 13 << "Small";
    }
    void valueTheControlsCannotTakeIsReportedOnce()
    {
        QFETCH(QByteArray, stored);
        QFETCH(int, number);
        QFETCH(QString, thumbSize);
        MainWindowFixture f;
        f.dialogs.answerMessage(platform::mb::Ok);
        f.load({}, "DELAY=9\n" + stored);
        QCOMPARE(f.dialogs.asked().size(), 1);
        QVERIFY(f.dialogs.asked().first().text.startsWith(
            QStringLiteral("An error has occurred!\r\n\r\nError: %1\r\n").arg(number)));
        // The steps before the failing one ran; the later ones did not.
        QCOMPARE(f.child<QLineEdit>("txtDelay")->text(), QStringLiteral("9"));
        QCOMPARE(f.state.ThumbSize, thumbSize);
        QVERIFY(!f.state.ThumbPreview);
        QVERIFY(!f.child<QCheckBox>("chkShowNames")->isChecked());
        QVERIFY(f.captionsShown());
    }

    void settingsThatCannotBeWrittenAreReportedOnce_data()
    {
        QTest::addColumn<bool>("fromStart"); // the first-start record fails already
        QTest::addColumn<bool>("captions");  // the toolbar-caption write fails before the exit
        QTest::newRow("first-start record") << true << false;
        QTest::newRow("toolbar captions") << false << true;
        QTest::newRow("at exit") << false << false;
    }
    void settingsThatCannotBeWrittenAreReportedOnce()
    {
        QFETCH(bool, fromStart);
        QFETCH(bool, captions);
        MainWindowFixture f;
        // A folder where the file should be: no write can succeed, even as root.
        const auto breakFile = [&f] { QVERIFY(QFile::remove(f.iniPath()) && QDir().mkdir(f.iniPath())); };
        f.writeIni("[Settings]\nFirstStart=Done\n");
        if (fromStart)
            breakFile();
        f.dialogs.answerMessage(platform::mb::Ok);
        f.window->Form_Load(QString());
        if (!fromStart)
            breakFile();
        if (captions)
            f.child<QCheckBox>("chkShowNames")->click();
        f.window->close();
        QCOMPARE(f.programEnded, 1);
        QCOMPARE(f.dialogs.asked().size(), 1);
        const QString said = f.dialogs.asked().first().text;
        QVERIFY2(said.startsWith("An error has occurred!\r\n\r\nError: ") && said.contains(f.iniPath()),
                 qPrintable(said));
    }

    void everyWayOfClosingSavesEverySetting_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("Exit button") << "cmdClose";
        QTest::newRow("File, Exit") << "mnuFileSub_7";
        QTest::newRow("close box") << "";
    }
    void everyWayOfClosingSavesEverySetting()
    {
        QFETCH(QString, way);
        MainWindowFixture f;
        f.window->Form_Load(QString());
        f.window->show();
        f.child<QComboBox>("txtBase")->setCurrentText("/home/user/Pictures");
        f.child<QLineEdit>("txtDelay")->setText("12");
        f.child<QComboBox>("cboTNSize")->setCurrentIndex(2);
        QCOMPARE(f.state.ThumbSize, QStringLiteral("Large"));
        auto* random = f.child<QCheckBox>("chkRandom");
        for (bool ticked : {true, false, true}) {
            random->click();
            QCOMPARE(f.state.RandomShow, ticked);
        }
        // Nothing is written before the program ends.
        QVERIFY(!f.readIni().contains("RANDOM"));
        if (way == "cmdClose")
            QTest::mouseClick(f.child<QPushButton>(way), Qt::LeftButton);
        else if (!way.isEmpty())
            f.action(way)->trigger();
        else
            f.window->close();
        QCOMPARE(f.programEnded, 1);
        QCOMPARE(f.readIni(),
                 QByteArray("[Settings]\nFirstStart=Done\nShowButtonNames=True\nRANDOM=True\n"
                            "DELAY=12\nTNSIZE=Large\nTNPREVIEW=False\n[PATHS]\nBASE=/home/user/Pictures\n"));
    }
};

LUMARINE_REGISTER_TEST(TestStartup)

#include "tst_startup.moc"
