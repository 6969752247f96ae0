// The question after an unexpected error, and the application hooks it ends
// the program through.
#include "errors/apphooks.h"
#include "errors/clserrhandler.h"
#include "errors/procedure.h"
#include "platform/appinfo.h"
#include "platform/messagebox.h"
#include "platform/process.h"

#include <cstdio>

using namespace platform;

namespace {
constexpr std::string_view CRLF = "\r\n";

errors::AppHooks*& installedHooks()
{
    static errors::AppHooks* hooks = nullptr;
    return hooks;
}

// A text for one line of a terminal: control characters escaped, long texts cut.
std::string oneLine(const std::string& s)
{
    static const char hex[] = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < s.size() && i < 255; ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c == '\\') {
            out += "\\\\";
        } else if (c < 0x20 || c == 0x7f) {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += char(c);
        }
    }
    if (s.size() > 255)
        out += "...";
    return out;
}

// No window to ask in: say why on standard error and end with a failure.
[[noreturn]] void endInTerminal(const clsErrHandler& eh)
{
    std::string program = App().title;
    for (char& c : program)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    std::string text = program + ": unexpected error " + std::to_string(eh.ErrNumber()) + ": " +
                       oneLine(eh.ErrDescription()) + " in " + oneLine(eh.ErrProc()) + "\n";
    if (!eh.ReportPath().empty())
        text += program + ": the error report was saved to: " + oneLine(eh.ReportPath()) + "\n";
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
    EndProcess(1);
}

std::string questionText(const clsErrHandler& eh)
{
    std::string text = "There has been an unexpected error. This may cause loss of data and/or program instability" +
                       std::string(CRLF) + std::string(CRLF) +
                       "Please report these details to the support line:" + std::string(CRLF) +
                       std::to_string(eh.ErrNumber()) + ": " + eh.ErrDescription() + std::string(CRLF) + eh.ErrProc() +
                       std::string(CRLF);
    if (!eh.CurrentOperation().empty())
        text += "Operation: " + eh.CurrentOperation() + std::string(CRLF);
    text += CRLF;
    text += "Do you wish to continue? (Note: If you select No, the program will terminate, and you will lose any data "
            "you may have changed)";
    if (eh.ReportDisplaced() && !eh.ReportPath().empty())
        text += std::string(CRLF) + std::string(CRLF) + "The error report was saved to: " + eh.ReportPath();
    return text;
}
} // namespace

errors::AppHooks* errors::setAppHooks(AppHooks* hooks)
{
    AppHooks* previous = installedHooks();
    installedHooks() = hooks;
    return previous;
}

errors::AppHooks* errors::appHooks()
{
    return installedHooks();
}

void ShowUnexpectedError()
{
    clsErrHandler& eh = gErrHandler();
    // Once the user has chosen to end, errors on the way out are in the
    // report; asking again could only loop.
    if (eh.ProgramEnding())
        return;
    errors::AppHooks* hooks = errors::appHooks();
    if (!hooks)
        endInTerminal(eh);
    int answer = vbYes;
    try {
        answer = MsgBox(questionText(eh), vbYesNo | vbExclamation, "Unexpected Error");
    } catch (const ProcessEnded&) {
        throw;
    } catch (...) {
        try {
            MsgBox("There has been a serious internal error. The program will now exit.", vbCritical | vbOKOnly,
                   "Serious Error");
        } catch (const ProcessEnded&) {
            throw;
        } catch (...) {
        }
        EndProcess(1);
    }
    if (answer != vbNo)
        return;
    eh.ProgramEnding(true);
    try {
        hooks->shutdown();
    } catch (const ProcessEnded&) {
        throw;
    } catch (...) {
        errors::reportCurrentException(std::current_exception());
    }
    EndProcess(0);
}
