// Lets each test file of this executable register its test class; main runs
// them all (support/run_registered_tests.h).
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

} // namespace testing

#define TQ_REGISTER_TEST(Class) static const testing::Register<Class> registered##Class
