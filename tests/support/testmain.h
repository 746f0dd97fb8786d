#pragma once

#include <QTest>

#include <functional>
#include <vector>

// Lets one test program run several test classes: each registers itself, and
// the shared main runs them all and counts their failures.
namespace testsupport {

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
