#include <QApplication>

int runBandSelectionTests(int argc, char** argv);
int runChannelTableTests(int argc, char** argv);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int failures = runBandSelectionTests(argc, argv) + runChannelTableTests(argc, argv);
    return failures == 0 ? 0 : 1;
}
