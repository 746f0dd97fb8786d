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
    // Widget tests measure text; fixed DPI keeps them independent of the
    // offscreen screen's own.
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi, true);
    TestApplication application(argc, argv);
    int failures = 0;
    for (const testsupport::TestRun& run : testsupport::registeredTests())
        failures += run(argc, argv);
    return failures;
}
