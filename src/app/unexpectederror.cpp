// The error handler's instance and the box it raises for an unexpected error:
// what every procedure needs, kept apart from the application object so the
// terminal report starts without the libraries behind it.
#include "app/modmain.h"

#include "errors/clserrhandler.h"
#include "platform/messagebox.h"
#include "platform/process.h"

using namespace platform;

namespace {
const QString CRLF = QStringLiteral("\r\n");
} // namespace

// The handler is never destroyed: it has to outlast every object that still
// runs procedures while the process ends.
clsErrHandler* detail::errHandler = nullptr;
void (*detail::shutdownAfterUnexpectedError)() = nullptr;

clsErrHandler& detail::createErrHandler()
{
    return gErrHandlerRenew();
}

clsErrHandler& gErrHandlerRenew()
{
    std::unique_ptr<clsErrHandler> previous(detail::errHandler);
    detail::errHandler = new clsErrHandler;
    return *detail::errHandler;
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
            if (detail::shutdownAfterUnexpectedError)
                detail::shutdownAfterUnexpectedError();
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
