#pragma once
#include "platform/desktopshell.h"

#include <QString>

// Hands documents, folders, programs, web and mail addresses to the shell and
// remembers the process of the last document or program launch.
//
// Every launch returns -1 when the shell accepted the request, otherwise the
// shell's refusal code (0 to 32). The operations do not register on the
// procedure stack: a run-time error inside one is shown as "Error: <n>.
// <description>" titled with the operation's name, and the operation returns 0.
class CShellExecute {
public:
    explicit CShellExecute(platform::Shell& shell = platform::desktopShell());

    // True while the process of the last LaunchDocument or LaunchProgram runs.
    bool StillExecuting();

    long Explore(long lnghWnd, const QString& strFolder, int eShowStyle = platform::swShowDefault);
    long LaunchDocument(long lnghWnd, const QString& strDocument, const QString& strStartIn,
                        int eShowStyle = platform::swShowDefault);
    long LaunchEmail(long lnghWnd, const QString& strAddress, int eShowStyle = platform::swShowDefault);
    long LaunchFolder(long lnghWnd, const QString& strFolder, int eShowStyle = platform::swShowDefault);
    long LaunchProgram(long lnghWnd, const QString& strProgram, const QString& strParameters = QString(),
                       const QString& strStartIn = QString(), int eShowStyle = platform::swShowDefault);
    long LaunchURL(long lnghWnd, const QString& strURL, int eShowStyle = platform::swShowDefault);
    long PrintDocument(long lnghWnd, const QString& strDocument);

    // The shell's instance result and the process of the last document or
    // program launch; both 0 after any other launch.
    long InstApp() const { return lngInstApp; }
    qint64 Process() const { return lngProcess; }

private:
    long simpleLaunch(const QString& operation, long hWnd, const QString& verb, const QString& file, int show);
    long extendedLaunch(const QString& operation, long hWnd, const QString& file, const QString& parameters,
                        const QString& directory, int show);

    platform::Shell& shell_;
    long lngInstApp = 0;
    qint64 lngProcess = 0;
};

// The one launcher of the program, created on first use.
CShellExecute& SharedShell();
