#include "support/run_registered_tests.h"

#include <QApplication>

int main(int argc, char** argv) {
    return testing::runRegisteredTests<QApplication>(argc, argv);
}
