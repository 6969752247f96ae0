#pragma once
#include <QString>

namespace platform {

// Show-window codes the launch operations take.
enum ShowCode : int { swHide = 0, swShowNormal = 1, swShowDefault = 10 };

// What a launch reports: a value above 32 for an accepted request, otherwise
// one of these refusal codes.
namespace shellcode {
constexpr long OutOfResources = 0;
constexpr long FileNotFound = 2;
constexpr long PathNotFound = 3;
constexpr long AccessDenied = 5;
constexpr long NoAssociation = 31;
constexpr long Accepted = 42;
} // namespace shellcode

// Exit code reported for a process that has not ended yet.
constexpr long StillActive = 259;

// Flags of the extended launch record.
constexpr unsigned long SeeMaskNoCloseProcess = 0x40; // report the started process
constexpr unsigned long SeeMaskDoEnvSubst = 0x200;    // expand %NAME% in the file name

// The extended launch record: the request, and what the launch reports back.
struct ShellExecuteInfo {
    unsigned long mask = 0;
    long hwnd = 0;
    QString verb;
    QString file;
    QString parameters;
    QString directory;
    int show = swShowDefault;
    long instApp = 0;   // out: above 32 when accepted, else the refusal code
    qint64 process = 0; // out: the started process, 0 when none was started
};

// The document launcher: verbs "open" (also no verb), "explore" and "print"
// on files, folders and addresses, and programs started with parameters.
class Shell {
public:
    virtual ~Shell();
    virtual long execute(long hwnd, const QString& verb, const QString& file, const QString& parameters,
                         const QString& directory, int show) = 0;
    // The success value is true when the request was accepted.
    virtual bool executeEx(ShellExecuteInfo& info) = 0;
    // False when the process cannot be queried (no process, or not ours).
    virtual bool exitCodeOfProcess(qint64 process, long* exitCode) = 0;
};

// The launcher of this desktop, built on desktopLauncher(): web and mail
// addresses, documents and folders go to their default handlers, programs
// are started directly with their parameters split as a command line would
// be (never through a shell), "print" goes to the system's print command.
Shell& desktopShell();

} // namespace platform
