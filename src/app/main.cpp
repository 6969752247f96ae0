// Thin entry point: everything lives in the libraries.
#include "app/modmain.h"
#include "cli/report.h"

#include <QApplication>

int main(int argc, char** argv)
{
    // The terminal report needs no display: it runs before any window exists.
    if (cli::IsReportCommandLine(argc, argv))
        return cli::ReportMain(argc, argv);
    QApplication app(argc, argv);
    Main();
    return app.exec();
}
