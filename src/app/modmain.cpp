#include "app/modmain.h"

#include "app/clsapp.h"
#include "errors/clserrhandler.h"
#include "errors/procedure.h"
#include "platform/appinfo.h"
#include "platform/commandline.h"
#include "platform/forms.h"
#include "platform/messagebox.h"
#include "platform/process.h"
#include "platform/qtstrings.h"
#include "platform/runtimeerror.h"
#include "util/formutils.h"
#include "util/modutils.h"

using namespace platform;

std::unique_ptr<clsApp> gApp;

namespace {
const QString CRLF = QStringLiteral("\r\n");
} // namespace

void Main()
{
    InstallAppServices();
    clsErrHandler& eh = gErrHandlerRenew();
    eh.Destination(stdstr(utPathBackslashAdd(qstr(AppPath())) + QStringLiteral("error.log")));
    eh.DisplayMsgOnError(false);
    eh.IncludeExpandedInfo(true);
    eh.MaxProcStackItems(50);
    eh.TraceExecution(false);

    errors::Procedure("Main", [] {
        gApp = std::make_unique<clsApp>();
        gApp->Start();
    });
}

void AppShutdown(std::optional<int> unloadMode, const QString& commandLine, bool silent)
{
    clsErrHandler& eh = gErrHandler();
    eh.Push("AppShutdown()");
    bool windowsUnloaded = false;
    try {
        // AllowExit can only refuse while the application object exists.
        if (unloadMode.has_value() && gApp && !gApp->AllowExit() && *unloadMode == 0) {
            if (Form* main = Forms::load(QStringLiteral("frmMain")))
                main->Show(false);
            MsgBox(QStringLiteral("You are not permitted to exit.") + CRLF + CRLF +
                       QStringLiteral("The system administrator has disabled this option."),
                   vbCritical | vbOKOnly, qstr(App().title));
            eh.Pop();
            return;
        }
        utFormsUnloadAll();
        windowsUnloaded = true;
        gApp.reset();
        if (!commandLine.isEmpty()) {
            try {
                StartCommandLine(commandLine);
            } catch (const RuntimeError& e) {
                if (e.number() != errnum::FileNotFound && e.number() != errnum::PathNotFound)
                    throw;
                if (!silent)
                    MsgBox(QStringLiteral("There was a problem running the Upgrade or Repair.") + CRLF + CRLF +
                               QStringLiteral("Error: ") + qstr(e.description()) + CRLF + CRLF +
                               QStringLiteral("Command Line:") + CRLF + commandLine + CRLF + CRLF +
                               QStringLiteral("Please notify your system administrator."),
                           vbCritical | vbOKOnly, qstr(App().title));
            }
        }
    } catch (const ProcessEnded&) {
        throw;
    } catch (...) {
        errors::reportCurrentException(std::current_exception());
        // Once the windows are gone there is nothing to return to: the report
        // has been made, and the process still ends rather than lingering
        // without a window.
        if (!windowsUnloaded) {
            eh.Pop();
            return;
        }
    }
    eh.Pop();
    EndProcess(0);
}
