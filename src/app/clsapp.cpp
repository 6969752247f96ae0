#include "app/clsapp.h"

#include "errors/procedure.h"
#include "model/clsipaddy.h"
#include "platform/forms.h"

using errors::Procedure;

clsApp::clsApp()
{
    Procedure(QStringLiteral("clsApp.Class_Initialize()"), [&] {
        IPAddy = std::make_unique<clsIPAddy>();
        Settings_App_Load();
    });
}

clsApp::~clsApp()
{
    Procedure(QStringLiteral("clsApp.Class_Terminate()"), [&] {
        Settings_App_Save();
        IPAddy.reset();
    });
}

void clsApp::Start()
{
    Procedure(QStringLiteral("clsApp.Start()"), [&] {
        startTime_ = QDateTime::currentDateTime();
        if (platform::Form* main = platform::Forms::load(QStringLiteral("frmMain")))
            main->Show(false);
    });
}

void clsApp::Settings_App_Save()
{
    Procedure(QStringLiteral("clsApp.Settings_App_Save()"), [] {});
}

void clsApp::Settings_App_Load()
{
    Procedure(QStringLiteral("clsApp.Settings_App_Load()"), [] {});
}
