// The main of a test program made of several test classes. Compiled into
// each such program, so that it makes the application its libraries need.
#include "support/testmain.h"

#ifdef QT_WIDGETS_LIB
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

namespace testsupport {

std::vector<TestRun>& registeredTests()
{
    static std::vector<TestRun> tests;
    return tests;
}

} // namespace testsupport

int main(int argc, char** argv)
{
    // Settings, caches and whatever else Qt or the program keeps below HOME go
    // to a folder of the run's own, never to the user's.
    const QTemporaryDir home;
    if (!home.isValid())
        return 1;
    const QByteArray root = QFile::encodeName(home.path());
    qputenv("HOME", root);
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
        qputenv(name, root + '/' + name);
    // Widget tests measure text; fixed DPI keeps them independent of the
    // offscreen screen's own.
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi, true);
    TestApplication application(argc, argv);
    int failures = 0;
    for (const testsupport::TestRun& run : testsupport::registeredTests())
        failures += run(argc, argv);
    return failures;
}
