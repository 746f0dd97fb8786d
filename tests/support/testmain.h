#pragma once

// What every test program shares: Qt Test, temporary folders and files, and
// the test doubles and builders of tests/support.
#include "support/failingfilesystem.h"
#include "support/jpegfixtures.h"
#include "support/scripteddialogs.h"

#include <QTest>

#include <functional>
#include <vector>

// Files by name, with their bytes.
using Files = QMap<QString, QByteArray>;

namespace testsupport {

// What a list box shows: the display text of each row of its model.
inline QStringList rowsOf(const QAbstractItemModel& model)
{
    QStringList shown;
    for (int row = 0; row < model.rowCount(); ++row)
        shown << model.index(row, 0).data().toString();
    return shown;
}

// Lets one test program run several test classes: each registers itself, and
// the shared main runs them all and counts their failures.
using TestRun = std::function<int(int, char**)>;
std::vector<TestRun>& registeredTests();

template <typename TestClass> struct RegisterTest {
    RegisterTest()
    {
        registeredTests().push_back([](int argc, char** argv) {
            TestClass test;
            return QTest::qExec(&test, argc, argv);
        });
    }
};

} // namespace testsupport

#define LUMARINE_REGISTER_TEST(TestClass)                                                                    \
    static const testsupport::RegisterTest<TestClass> registered##TestClass;
