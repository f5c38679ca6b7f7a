#include <QApplication>

#include "app/CAnalyzerApp.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    theApp.InitInstance();
    return 0;
}
