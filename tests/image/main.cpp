#include "test_registry.h"

#include <QCoreApplication>
#include <QTest>

namespace testing {
std::vector<std::function<std::unique_ptr<QObject>()>>& testClasses() {
    static std::vector<std::function<std::unique_ptr<QObject>()>> classes;
    return classes;
}
} // namespace testing

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int failures = 0;
    for (const auto& make : testing::testClasses()) {
        auto test = make();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
