#include "shell/cshellexecute.h"

#include "platform/messagebox.h"
#include "platform/process.h"
#include "platform/qtstrings.h"
#include "platform/runtimeerror.h"

#include <exception>
#include <new>

using namespace platform;

namespace {

// The launcher's own trap: show the error titled with the operation, return 0.
template <typename Body> long guarded(const QString& operation, Body&& body)
{
    RuntimeError error(errnum::InternalError);
    try {
        return body();
    } catch (const ProcessEnded&) {
        throw;
    } catch (const RuntimeError& e) {
        error = e;
    } catch (const std::bad_alloc&) {
        error = RuntimeError(errnum::OutOfMemory);
    } catch (const std::exception& e) {
        error = RuntimeError(errnum::InternalError, errorDescription(errnum::InternalError) + ": " + e.what());
    } catch (...) {
    }
    MsgBox(QStringLiteral("Error: %1. %2").arg(error.number()).arg(qstr(error.description())), vbOKOnly, operation);
    return 0;
}

// Anything above 32 means the shell took the request.
long resultOf(long instApp)
{
    return instApp < 33 ? instApp : -1;
}

} // namespace

CShellExecute::CShellExecute(Shell& shell) : shell_(shell) {}

bool CShellExecute::StillExecuting()
{
    long exitCode = 0;
    return lngInstApp != 0 && shell_.exitCodeOfProcess(lngProcess, &exitCode) && exitCode == StillActive;
}

long CShellExecute::simpleLaunch(const QString& operation, long hWnd, const QString& verb, const QString& file,
                                 int show)
{
    lngInstApp = 0;
    lngProcess = 0;
    return guarded(operation, [&] { return resultOf(shell_.execute(hWnd, verb, file, QString(), QString(), show)); });
}

long CShellExecute::extendedLaunch(const QString& operation, long hWnd, const QString& file, const QString& parameters,
                                   const QString& directory, int show)
{
    lngInstApp = 0;
    lngProcess = 0;
    return guarded(operation, [&] {
        ShellExecuteInfo info;
        info.mask = SeeMaskNoCloseProcess | SeeMaskDoEnvSubst;
        info.hwnd = hWnd;
        info.verb = QStringLiteral("Open");
        info.file = file;
        info.parameters = parameters;
        info.directory = directory;
        info.show = show;
        shell_.executeEx(info);
        // Kept even for a refusal: StillExecuting then finds no process.
        lngInstApp = info.instApp;
        lngProcess = info.process;
        return resultOf(info.instApp);
    });
}

long CShellExecute::Explore(long lnghWnd, const QString& strFolder, int eShowStyle)
{
    return simpleLaunch(QStringLiteral("Explore"), lnghWnd, QStringLiteral("explore"), strFolder, eShowStyle);
}

long CShellExecute::LaunchDocument(long lnghWnd, const QString& strDocument, const QString& strStartIn, int eShowStyle)
{
    return extendedLaunch(QStringLiteral("LaunchDocument"), lnghWnd, strDocument, QString(), strStartIn, eShowStyle);
}

long CShellExecute::LaunchEmail(long lnghWnd, const QString& strAddress, int eShowStyle)
{
    return simpleLaunch(QStringLiteral("LaunchEmail"), lnghWnd, QString(), QStringLiteral("mailto:") + strAddress,
                        eShowStyle);
}

long CShellExecute::LaunchFolder(long lnghWnd, const QString& strFolder, int eShowStyle)
{
    return simpleLaunch(QStringLiteral("LaunchFolder"), lnghWnd, QStringLiteral("open"), strFolder, eShowStyle);
}

long CShellExecute::LaunchProgram(long lnghWnd, const QString& strProgram, const QString& strParameters,
                                  const QString& strStartIn, int eShowStyle)
{
    return extendedLaunch(QStringLiteral("LaunchProgram"), lnghWnd, strProgram, strParameters, strStartIn, eShowStyle);
}

long CShellExecute::LaunchURL(long lnghWnd, const QString& strURL, int eShowStyle)
{
    return simpleLaunch(QStringLiteral("LaunchURL"), lnghWnd, QString(), strURL, eShowStyle);
}

long CShellExecute::PrintDocument(long lnghWnd, const QString& strDocument)
{
    return simpleLaunch(QStringLiteral("PrintDocument"), lnghWnd, QStringLiteral("print"), strDocument, swHide);
}

CShellExecute& SharedShell()
{
    static CShellExecute shared;
    return shared;
}
