#include "app/clsapp.h"

#include "data/clsdataenginedao.h"
#include "errors/procedure.h"
#include "model/clsipaddy.h"
#include "platform/clock.h"
#include "platform/forms.h"
#include "platform/runtimeerror.h"
#include "settings/clsregsettings.h"

using errors::Procedure;

clsApp::clsApp()
{
    Procedure("clsApp.Class_Initialize()", [&] {
        RegSettings = std::make_unique<clsRegSettings>();
        DataEngine = std::make_unique<clsDataEngineDAO>();
        IPAddy = std::make_unique<clsIPAddy>();
        Settings_App_Load();
    });
}

clsApp::~clsApp()
{
    Procedure("clsApp.Class_Terminate()", [&] {
        Settings_App_Save();
        IPAddy.reset();
        DataEngine.reset();
        RegSettings.reset();
    });
}

void clsApp::Start()
{
    Procedure("clsApp.Start()", [&] {
        startTime_ = platform::Now();
        platform::Form* main = platform::Forms::load(QStringLiteral("frmMain"));
        if (!main)
            platform::Raise(platform::errnum::ObjectRequired);
        main->Show(false);
    });
}

void clsApp::Settings_App_Save()
{
    Procedure("clsApp.Settings_App_Save()", [] {});
}

void clsApp::Settings_App_Load()
{
    Procedure("clsApp.Settings_App_Load()", [] {});
}
