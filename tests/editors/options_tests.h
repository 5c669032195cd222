// The optional features, power level and service mode tests share one
// executable; each file registers its test class with `main`.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace options_tests {

using MakeTest = std::function<std::unique_ptr<QObject>()>;
std::vector<MakeTest>& testClasses();

template <typename T> struct Register {
    Register() {
        testClasses().push_back([] { return std::make_unique<T>(); });
    }
};

} // namespace options_tests

#define TQ_REGISTER_OPTIONS_TEST(Class)                                                            \
    static const options_tests::Register<Class> registered##Class
