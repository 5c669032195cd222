#include "support/test_registry.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    return testing::runRegisteredTests<QCoreApplication>(argc, argv);
}
