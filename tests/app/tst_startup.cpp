// Start-up and shutdown: which settings the window shows, what the settings
// file holds afterwards, and the errors that start-up reports.
#include "mainwindowfixture.h"
#include "support/testmain.h"

#include "platform/dialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

namespace {

QStringList toolbarCaptions(const frmLumMain& window)
{
    QStringList captions;
    for (int i = 1; i < window.toolbarButtons.size(); ++i)
        captions << window.toolbarButtons[i]->text();
    return captions;
}

const QStringList ShownCaptions = {"New", "",        "Open", "Save",  "Copy", "",    "Browse",
                                   "",    "Preview", "All",  "Faves", "",     "Help"};

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void firstStartShowsDefaultsAndOpensHelp();
    void firstExitWritesEverySetting();
    void storedValuesLoad_data();
    void storedValuesLoad();
    void valueTheControlsCannotTakeIsReportedOnce_data();
    void valueTheControlsCannotTakeIsReportedOnce();
    void settingsThatCannotBeWrittenAreReportedOnce_data();
    void settingsThatCannotBeWrittenAreReportedOnce();
    void everyWayOfClosingSavesTheSettings_data();
    void everyWayOfClosingSavesTheSettings();
};

void TestStartup::firstStartShowsDefaultsAndOpensHelp()
{
    MainWindowFixture f;
    f.window->Form_Load(QString());
    frmLumMain& w = *f.window;
    QCOMPARE(w.txtBase->currentText(), QString());
    QCOMPARE(w.txtDelay->text(), QStringLiteral("3"));
    QVERIFY(!w.chkRandom->isChecked());
    QCOMPARE(w.cboTNSize->currentText(), QStringLiteral("Small"));
    QCOMPARE(f.state.ThumbSize, QStringLiteral("Small"));
    QVERIFY(w.chkShowNames->isChecked());
    QCOMPARE(toolbarCaptions(w), ShownCaptions);
    QCOMPARE(f.launcher.documents.size(), 1);
    QVERIFY(f.launcher.documents.first().endsWith(QLatin1String("/lumarine.html")));
    QVERIFY(f.dialogs.asked().isEmpty());
    QCOMPARE(f.readIni(), QByteArray("[Settings]\nFirstStart=Done\nShowButtonNames=True\n"));

    // The second start is not a first start.
    MainWindowFixture second;
    second.writeIni(f.readIni());
    second.window->Form_Load(QString());
    QVERIFY(second.launcher.documents.isEmpty());
}

void TestStartup::firstExitWritesEverySetting()
{
    MainWindowFixture f;
    f.window->Form_Load(QString());
    f.window->txtBase->setCurrentText("/home/user/Pictures");
    f.window->close();
    QCOMPARE(f.readIni(),
             QByteArray("[Settings]\nFirstStart=Done\nShowButtonNames=True\nRANDOM=False\n"
                        "DELAY=3\nTNSIZE=Small\nTNPREVIEW=False\n[PATHS]\nBASE=/home/user/Pictures\n"));
}

void TestStartup::storedValuesLoad_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("delay");
    QTest::addColumn<bool>("random");
    QTest::addColumn<QString>("thumbSize");
    QTest::addColumn<bool>("thumbPreview");
    QTest::addColumn<bool>("names");

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
    QTest::newRow("base of 120 characters") << QByteArray("[PATHS]\nBASE=" + QByteArray(120, 'b') + "\n")
                                            << QString(99, 'b') << "3" << false << "Small" << false << false;
}

void TestStartup::storedValuesLoad()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, base);
    QFETCH(QString, delay);
    QFETCH(bool, random);
    QFETCH(QString, thumbSize);
    QFETCH(bool, thumbPreview);
    QFETCH(bool, names);

    MainWindowFixture f;
    f.writeIni(MainWindowFixture::afterFirstStart(stored));
    f.window->Form_Load(QString());
    frmLumMain& w = *f.window;
    QVERIFY(f.dialogs.asked().isEmpty());
    QCOMPARE(w.txtBase->currentText(), base);
    QCOMPARE(w.txtDelay->text(), delay);
    QCOMPARE(w.chkRandom->isChecked(), random);
    QCOMPARE(f.state.RandomShow, random);
    QCOMPARE(w.cboTNSize->currentText(), thumbSize);
    QCOMPARE(f.state.ThumbSize, thumbSize);
    QCOMPARE(f.state.ThumbPreview, thumbPreview);
    QCOMPARE(w.chkShowNames->isChecked(), names);
    QCOMPARE(toolbarCaptions(w), names ? ShownCaptions : QStringList(13, QString()));
}

void TestStartup::valueTheControlsCannotTakeIsReportedOnce_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("thumbSize");
    QTest::newRow("unknown size") << QByteArray("TNSIZE=Huge\nTNPREVIEW=True\nShowButtonNames=True\n") << 383
                                  << "Huge";
    QTest::newRow("preview not a Boolean")
        << QByteArray("TNPREVIEW=maybe\nShowButtonNames=True\n") << 13 << "Small";
}

void TestStartup::valueTheControlsCannotTakeIsReportedOnce()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, number);
    QFETCH(QString, thumbSize);

    MainWindowFixture f;
    f.writeIni(MainWindowFixture::afterFirstStart("DELAY=9\n" + stored));
    f.dialogs.answerMessage(platform::mb::Ok);
    f.window->Form_Load(QString());
    QCOMPARE(f.dialogs.asked().size(), 1);
    QVERIFY(f.dialogs.asked().first().text.startsWith(
        QStringLiteral("An error has occurred!\r\n\r\nError: %1\r\n").arg(number)));
    // The steps before the failing one ran; the later ones did not.
    QCOMPARE(f.window->txtDelay->text(), QStringLiteral("9"));
    QCOMPARE(f.state.ThumbSize, thumbSize);
    QVERIFY(!f.state.ThumbPreview);
    QVERIFY(!f.window->chkShowNames->isChecked());
    QCOMPARE(toolbarCaptions(*f.window), ShownCaptions);
}

void TestStartup::settingsThatCannotBeWrittenAreReportedOnce_data()
{
    QTest::addColumn<bool>("fromStart"); // the first-start record fails already
    QTest::addColumn<bool>("captions");  // the toolbar-caption write fails before the exit
    QTest::newRow("first-start record") << true << false;
    QTest::newRow("toolbar captions") << false << true;
    QTest::newRow("at exit") << false << false;
}

void TestStartup::settingsThatCannotBeWrittenAreReportedOnce()
{
    QFETCH(bool, fromStart);
    QFETCH(bool, captions);
    MainWindowFixture f;
    // A folder where the file should be: no write can succeed, even as root.
    const auto breakFile = [&f] { QVERIFY(QFile::remove(f.iniPath()) && QDir().mkdir(f.iniPath())); };
    f.writeIni(MainWindowFixture::afterFirstStart());
    if (fromStart)
        breakFile();
    f.dialogs.answerMessage(platform::mb::Ok);
    f.window->Form_Load(QString());
    if (!fromStart)
        breakFile();
    if (captions)
        f.window->chkShowNames->click();
    f.window->close();
    QCOMPARE(f.programEnded, 1);
    QCOMPARE(f.dialogs.asked().size(), 1);
    QVERIFY2(f.dialogs.asked().first().text.startsWith("An error has occurred!\r\n\r\nError: ") &&
                 f.dialogs.asked().first().text.contains(f.iniPath()),
             qPrintable(f.dialogs.asked().first().text));
}

void TestStartup::everyWayOfClosingSavesTheSettings_data()
{
    QTest::addColumn<int>("way");
    QTest::newRow("Exit button") << 0;
    QTest::newRow("File, Exit") << 1;
    QTest::newRow("close box") << 2;
}

void TestStartup::everyWayOfClosingSavesTheSettings()
{
    QFETCH(int, way);
    MainWindowFixture f;
    f.writeIni(MainWindowFixture::afterFirstStart());
    f.window->Form_Load(QString());
    f.window->show();
    f.window->txtDelay->setText("12");
    f.window->chkRandom->setChecked(true);
    switch (way) {
    case 0:
        QTest::mouseClick(f.window->cmdClose, Qt::LeftButton);
        break;
    case 1:
        f.window->mnuFileSub[7]->trigger();
        break;
    default:
        f.window->close();
        break;
    }
    QCOMPARE(f.programEnded, 1);
    const QByteArray saved = f.readIni();
    QVERIFY2(saved.contains("DELAY=12\n") && saved.contains("RANDOM=True\n"), saved.constData());
}

LUMARINE_REGISTER_TEST(TestStartup)

#include "tst_startup.moc"
