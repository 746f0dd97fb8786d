// The main of a test program made of several test classes. Compiled into
// each such program, so that it makes the application its libraries need.
#include "support/testmain.h"

#include <QFile>
#include <QTemporaryDir>

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
    for (const auto& [name, below] : {std::pair("HOME", ""),
                                      {"XDG_CONFIG_HOME", "/.config"},
                                      {"XDG_CACHE_HOME", "/.cache"},
                                      {"XDG_DATA_HOME", "/.local/share"},
                                      {"XDG_STATE_HOME", "/.local/state"}})
        qputenv(name, root + below);
    // Widget tests measure text; fixed DPI keeps them independent of the
    // offscreen screen's own.
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi, true);
    TestApplication application(argc, argv);
    int failures = 0;
    for (const testsupport::TestRun& run : testsupport::registeredTests())
        failures += run(argc, argv);
    return failures;
}
