#include "options_tests.h"

#include <QApplication>
#include <QTest>

namespace options_tests {
std::vector<MakeTest>& testClasses() {
    static std::vector<MakeTest> classes;
    return classes;
}
} // namespace options_tests

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int failures = 0;
    for (const auto& make : options_tests::testClasses()) {
        auto test = make();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
