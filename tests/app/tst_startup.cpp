// Start-up and shutdown: which settings the window shows, what the settings
// file holds afterwards, and the errors that start-up reports.
#include "mainwindowfixture.h"

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void storedValuesLoad_data()
    {
        QTest::addColumn<QByteArray>("stored"); // after the first-start record; null: no file yet
        // base|delay|random|size box|thumbnail size|preview|toolbar names
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("error"); // the one reported; the steps after it do not run
        QTest::newRow("first start") << QByteArray() << "|3||Small|Small||names" << 0;
        QTest::newRow("lower-case true: random off, preview and names on")
            << QByteArray("RANDOM=true\nTNPREVIEW=true\nShowButtonNames=true\n")
            << "|3||Small|Small|preview|names" << 0;
        QTest::newRow("exact True, size in other case, base of 120 characters")
            << QByteArray("RANDOM=True\nDELAY=soon\nTNSIZE=lArGe\n[PATHS]\nBASE=" + QByteArray(120, 'b') +
                          "\n")
            << QString(99, 'b') + "|soon|random|Large|Large||" << 0;
        QTest::newRow("unknown size")
            << QByteArray("DELAY=9\nTNSIZE=Huge\nTNPREVIEW=True\nShowButtonNames=True\n")
            << "|9||Small|Huge||" << 383;
        QTest::newRow("preview not a Boolean")
            << QByteArray("DELAY=9\nTNPREVIEW=maybe\nShowButtonNames=True\n") << "|9||Small|Small||" << 13;
    }
    void storedValuesLoad()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, shown);
        QFETCH(int, error);
        MainWindowFixture f;
        f.dialogs.acceptAllMessages();
        const bool firstStart = stored.isNull();
        if (firstStart)
            f.window->Form_Load({});
        else
            f.load(stored);
        auto* base = f.child<QComboBox>("txtBase");
        const bool random = f.child<QCheckBox>("chkRandom")->isChecked();
        const bool names = f.child<QCheckBox>("chkShowNames")->isChecked();
        QCOMPARE(QStringList({base->currentText(), f.child<QLineEdit>("txtDelay")->text(),
                              random ? "random" : "", f.child<QComboBox>("cboTNSize")->currentText(),
                              f.state.ThumbSize, f.state.ThumbPreview ? "preview" : "", names ? "names" : ""})
                     .join('|'),
                 shown);
        QCOMPARE(f.state.RandomShow, random);
        // The toolbar is built with its captions; only the names step takes them away.
        QCOMPARE(f.captionsShown(), names || error);
        const QString said = f.dialogs.messageTexts().join('|');
        QVERIFY2(error ? said.startsWith(QString("An error has occurred!\r\n\r\nError: %1\r\n").arg(error))
                       : said.isEmpty(),
                 qPrintable(said));
        // The volumes are offered below the text the settings put there.
        QCOMPARE(base->itemText(0), QStringLiteral("/"));
        // Only the first start opens the manual and records itself.
        QCOMPARE(f.launcher.documents.replaceInStrings(QRegularExpression(".*/"), ""),
                 firstStart ? QStringList{"lumarine.html"} : QStringList{});
        if (firstStart)
            QCOMPARE(f.readIni(), QByteArray("[Settings]\nFirstStart=Done\nShowButtonNames=True\n"));
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
        f.window->Form_Load({});
        if (!fromStart)
            breakFile();
        if (captions)
            f.child<QCheckBox>("chkShowNames")->click();
        f.window->close();
        QCOMPARE(std::pair(f.programEnded, f.dialogs.asked().size()), std::pair(1, qsizetype(1)));
        const QString said = f.dialogs.asked().first().text;
        QVERIFY2(said.startsWith("An error has occurred!\r\n\r\nError: ") && said.contains(f.iniPath()),
                 qPrintable(said));
    }

    void closingSavesEverySetting()
    {
        MainWindowFixture f;
        f.window->Form_Load({});
        f.window->show();
        f.child<QComboBox>("txtBase")->setCurrentText("/home/user/Pictures");
        f.child<QLineEdit>("txtDelay")->setText("12");
        f.child<QComboBox>("cboTNSize")->setCurrentIndex(2);
        f.child<QCheckBox>("chkRandom")->click();
        QVERIFY(f.state.RandomShow);
        // Nothing is written before the program ends.
        QVERIFY(!f.readIni().contains("RANDOM"));
        QTest::mouseClick(f.child<QPushButton>("cmdClose"), Qt::LeftButton);
        QCOMPARE(f.programEnded, 1);
        QCOMPARE(f.readIni(),
                 QByteArray("[Settings]\nFirstStart=Done\nShowButtonNames=True\nRANDOM=True\nDELAY=12\n"
                            "TNSIZE=Large\nTNPREVIEW=False\n[PATHS]\nBASE=/home/user/Pictures\n"));
    }
};

LUMARINE_REGISTER_TEST(TestStartup)

#include "tst_startup.moc"
