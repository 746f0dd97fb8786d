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
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("delay");
        QTest::addColumn<bool>("random");
        QTest::addColumn<QString>("thumbSize");
        QTest::addColumn<bool>("preview");
        QTest::addColumn<bool>("names");
        QTest::newRow("first start: defaults, names shown") << QByteArray() << ""
                                                            << "3" << false << "Small" << false << true;
        QTest::newRow("lower-case true: random off, preview and names on")
            << QByteArray("RANDOM=true\nTNPREVIEW=true\nShowButtonNames=true\n") << ""
            << "3" << false << "Small" << true << true;
        QTest::newRow("exact True ticks random") << QByteArray("RANDOM=True\n") << ""
                                                 << "3" << true << "Small" << false << false;
        QTest::newRow("empty delay") << QByteArray("DELAY=\n") << ""
                                     << "3" << false << "Small" << false << false;
        QTest::newRow("delay not numeric loads unchanged") << QByteArray("DELAY=soon\n") << ""
                                                           << "soon" << false << "Small" << false << false;
        QTest::newRow("size in other case selects the item") << QByteArray("TNSIZE=lArGe\n") << ""
                                                             << "3" << false << "Large" << false << false;
        QTest::newRow("preview as number") << QByteArray("TNPREVIEW=-1\n") << ""
                                           << "3" << false << "Small" << true << false;
        QTest::newRow("base NONE") << QByteArray("[PATHS]\nBASE=NONE\n") << ""
                                   << "3" << false << "Small" << false << false;
        QTest::newRow("stored base") << QByteArray("[PATHS]\nBASE=/srv/pictures\n") << "/srv/pictures"
                                     << "3" << false << "Small" << false << false;
        QTest::newRow("base of 120 characters")
            << QByteArray("[PATHS]\nBASE=" + QByteArray(120, 'b') + "\n") << QString(99, 'b') << "3" << false
            << "Small" << false << false;
    }
    void storedValuesLoad()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, base);
        QFETCH(QString, delay);
        QFETCH(bool, random);
        QFETCH(QString, thumbSize);
        QFETCH(bool, preview);
        QFETCH(bool, names);
        MainWindowFixture f;
        const bool firstStart = stored.isNull();
        if (firstStart)
            f.window->Form_Load(QString());
        else
            f.load({}, stored);
        QVERIFY(f.dialogs.asked().isEmpty());
        auto* baseBox = f.child<QComboBox>("txtBase");
        QCOMPARE(baseBox->currentText(), base);
        // The volumes are offered below the text the settings put there.
        QCOMPARE(baseBox->itemText(0), QStringLiteral("/"));
        QCOMPARE(f.child<QLineEdit>("txtDelay")->text(), delay);
        QCOMPARE(f.child<QCheckBox>("chkRandom")->isChecked(), random);
        QCOMPARE(f.state.RandomShow, random);
        QCOMPARE(f.child<QComboBox>("cboTNSize")->currentText(), thumbSize);
        QCOMPARE(f.state.ThumbSize, thumbSize);
        QCOMPARE(f.state.ThumbPreview, preview);
        QCOMPARE(f.child<QCheckBox>("chkShowNames")->isChecked(), names);
        QCOMPARE(f.captionsShown(), names);
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
        f.child<QCheckBox>("chkRandom")->setChecked(true);
        if (way == "cmdClose")
            QTest::mouseClick(f.child<QPushButton>(way), Qt::LeftButton);
        else if (!way.isEmpty())
            f.action(way)->trigger();
        else
            f.window->close();
        QCOMPARE(f.programEnded, 1);
        QCOMPARE(f.readIni(),
                 QByteArray("[Settings]\nFirstStart=Done\nShowButtonNames=True\nRANDOM=True\n"
                            "DELAY=12\nTNSIZE=Small\nTNPREVIEW=False\n[PATHS]\nBASE=/home/user/Pictures\n"));
    }
};

LUMARINE_REGISTER_TEST(TestStartup)

#include "tst_startup.moc"
