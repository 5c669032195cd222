#include "support/run_registered_tests.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    return testing::runRegisteredTests<QCoreApplication>(argc, argv);
}
