// The least a Qt command-line program does: a QCoreApplication that starts
// and ends. What tq305 export and import are measured against.
#include <QCoreApplication>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    return 0;
}
