// Lets each test file of this executable register its test class; main runs them all.
#pragma once

#include "support/function_time_limit.h"

#include <QObject>
#include <QTest>
#include <functional>
#include <memory>
#include <vector>

namespace testing {

inline std::vector<std::function<std::unique_ptr<QObject>()>>& testClasses() {
    static std::vector<std::function<std::unique_ptr<QObject>()>> classes;
    return classes;
}

template <typename T> struct Register {
    Register() {
        testClasses().push_back([] { return std::make_unique<T>(); });
    }
};

// Runs every registered class; the application type is the executable's
// (QCoreApplication for the core, QApplication for windows).
template <typename Application> int runRegisteredTests(int argc, char** argv) {
    Application app(argc, argv);
    int failures = 0;
    for (const auto& make : testClasses()) {
        auto test = make();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}

} // namespace testing

#define TQ_REGISTER_TEST(Class) static const testing::Register<Class> registered##Class
