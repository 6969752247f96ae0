#include "app/modmain.h"

#include "app/clsapp.h"
#include "errors/clserrhandler.h"
#include "errors/procedure.h"
#include "platform/appinfo.h"
#include "platform/forms.h"
#include "platform/messagebox.h"
#include "platform/process.h"
#include "util/modutils.h"

using namespace platform;

std::unique_ptr<clsApp> gApp;

namespace {
std::unique_ptr<clsErrHandler>& handlerSlot()
{
    static std::unique_ptr<clsErrHandler> h;
    return h;
}
const QString CRLF = QStringLiteral("\r\n");
} // namespace

clsErrHandler& gErrHandler()
{
    auto& h = handlerSlot();
    if (!h)
        h = std::make_unique<clsErrHandler>();
    return *h;
}

clsErrHandler& gErrHandlerRenew()
{
    handlerSlot() = std::make_unique<clsErrHandler>();
    return *handlerSlot();
}

void Main()
{
    clsErrHandler& eh = gErrHandlerRenew();
    eh.Destination(utPathBackslashAdd(AppPath()) + QStringLiteral("error.log"));
    eh.DisplayMsgOnError(false);
    eh.IncludeExpandedInfo(true);
    eh.MaxProcStackItems(50);
    eh.TraceExecution(false);

    errors::Procedure(QStringLiteral("Main"), [] {
        gApp = std::make_unique<clsApp>();
        gApp->Start();
    });
}

void AppShutdown(std::optional<int> unloadMode, const QString& commandLine, bool silent)
{
    (void)unloadMode;
    (void)commandLine;
    (void)silent;
    errors::Procedure(QStringLiteral("AppShutdown()"), [] {
        // Unload from the most recently loaded window down.
        while (!Forms::loaded().empty())
            Forms::loaded().back()->Unload();
        gApp.reset();
    });
    EndProcess(0);
}

void ShowUnexpectedError()
{
    try {
        const clsErrHandler& eh = gErrHandler();
        QString text =
            QStringLiteral(
                "There has been an unexpected error. This may cause loss of data and/or program instability") +
            CRLF + CRLF + QStringLiteral("Please report these details to the support line:") + CRLF +
            QString::number(eh.ErrNumber()) + QStringLiteral(": ") + eh.ErrDescription() + CRLF + eh.ErrProc() + CRLF;
        if (!eh.CurrentOperation().isEmpty())
            text += QStringLiteral("Operation: ") + eh.CurrentOperation() + CRLF;
        text += CRLF;
        text += QStringLiteral("Do you wish to continue? (Note: If you select No, the program will terminate, and you "
                               "will lose any data you may have changed)");
        if (MsgBox(text, vbYesNo | vbExclamation, QStringLiteral("Unexpected Error")) == vbNo) {
            AppShutdown(std::nullopt, QString(), false);
            EndProcess(0);
        }
    } catch (const ProcessEnded&) {
        throw;
    } catch (...) {
        MsgBox(QStringLiteral("There has been a serious internal error. The program will now exit."),
               vbCritical | vbOKOnly, QStringLiteral("Serious Error"));
        EndProcess(1);
    }
}
