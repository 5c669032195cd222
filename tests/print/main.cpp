#include "support/test_registry.h"

#include <QApplication>

int main(int argc, char** argv) {
    return testing::runRegisteredTests<QApplication>(argc, argv);
}
