// Lets each test file of this executable register its test class; main runs them all.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace testing {

std::vector<std::function<std::unique_ptr<QObject>()>>& testClasses();

template <typename T> struct Register {
    Register() {
        testClasses().push_back([] { return std::make_unique<T>(); });
    }
};

} // namespace testing

#define TQ_REGISTER_TEST(Class) static const testing::Register<Class> registered##Class
