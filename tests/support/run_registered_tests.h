// The main of a test program: runs the test classes its files registered.
//
// ctest may split a program's slow test functions off into entries of
// their own, so that their waits (a radio's silence, a 9600-baud transfer)
// pass side by side: TQ_TEST_ONLY names the functions such an entry runs,
// TQ_TEST_EXCEPT those the program's main entry leaves to them (both
// comma-separated). A name no class has is a failure, so a renamed test
// cannot drop out of the run unseen.
#pragma once

#include "support/test_registry.h"

#include <QMetaMethod>
#include <QSet>
#include <cstdio>

namespace testing {

// The test functions Qt Test would run of a class: its private slots
// without arguments, less the fixtures and the data functions.
inline QStringList testFunctionsOf(const QMetaObject& meta) {
    static const QSet<QByteArray> fixtures{"initTestCase", "initTestCase_data",
                                           "cleanupTestCase", "init", "cleanup"};
    QStringList functions;
    for (int i = 0; i < meta.methodCount(); ++i) {
        const QMetaMethod method = meta.method(i);
        if (method.methodType() != QMetaMethod::Slot || method.access() != QMetaMethod::Private ||
            method.parameterCount() != 0 || method.name().endsWith("_data") ||
            fixtures.contains(method.name()))
            continue;
        functions << QString::fromLatin1(method.name());
    }
    return functions;
}

inline QStringList namesFromEnvironment(const char* variable) {
    return qEnvironmentVariable(variable).split(',', Qt::SkipEmptyParts);
}

// Runs every registered class, or the functions the environment selects;
// the application type is the executable's (QCoreApplication for the core,
// QApplication for windows).
template <typename Application> int runRegisteredTests(int argc, char** argv) {
    Application app(argc, argv);
    const QStringList only = namesFromEnvironment("TQ_TEST_ONLY");
    const QStringList except = namesFromEnvironment("TQ_TEST_EXCEPT");
    QSet<QString> named(only.begin(), only.end());
    named.unite(QSet<QString>(except.begin(), except.end()));

    int failures = 0;
    for (const auto& make : testClasses()) {
        auto test = make();
        QStringList arguments = QCoreApplication::arguments();
        if (!only.isEmpty() || !except.isEmpty()) {
            QStringList chosen;
            for (const QString& function : testFunctionsOf(*test->metaObject())) {
                named.remove(function);
                if (only.isEmpty() ? !except.contains(function) : only.contains(function))
                    chosen << function;
            }
            if (chosen.isEmpty())
                continue;
            arguments << chosen;
        }
        failures += QTest::qExec(test.get(), arguments);
    }
    for (const QString& missing : named) {
        std::fprintf(stderr, "no test function %s in this program\n", qPrintable(missing));
        ++failures;
    }
    return failures == 0 ? 0 : 1;
}

} // namespace testing
