// Thin entry point: everything lives in the libraries.
#include "app/modmain.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Main();
    return app.exec();
}
