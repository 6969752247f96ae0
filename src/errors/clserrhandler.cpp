#include "errors/clserrhandler.h"

#include "errors/apphooks.h"
#include "platform/appinfo.h"
#include "platform/messagebox.h"
#include "platform/runtimeerror.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

using namespace platform;

namespace {
constexpr std::string_view CRLF = "\r\n";
// The variant type code of an object reference.
constexpr int vbObject = 9;

// Local date and time as the C library's locale writes them: short date, blank, long time.
std::string currentTimeText()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char text[128];
    const size_t n = std::strftime(text, sizeof(text), "%x %X", &local);
    return std::string(text, n);
}

std::string cut(const std::string& s, size_t n)
{
    return s.size() <= n ? s : s.substr(0, n);
}

std::string fileNameOf(const std::string& path)
{
    const size_t sep = path.find_last_of("\\/");
    return sep == std::string::npos ? path : path.substr(sep + 1);
}
} // namespace

clsErrHandler::clsErrHandler() : procStack_(103) {}

void clsErrHandler::Destination(ErrorLogDestination value)
{
    if (auto* rs = std::get_if<ErrorLogRecordsetRef>(&value); rs && !*rs)
        Raise(errnum::Framework, "Invalid object type: " + std::to_string(vbObject));
    destination_ = std::move(value);
}

void clsErrHandler::MaxProcStackItems(short n)
{
    maxProcStackItems_ = n;
    const int upper = int(n) + 2;
    // On failure the old stack and its limit stay in use.
    if (upper > 32767)
        Raise(errnum::Overflow);
    if (upper < 0)
        Raise(errnum::SubscriptOutOfRange);
    procStack_.assign(size_t(upper) + 1, std::string_view());
    beyondLimit_.clear();
    slotLimit_ = n;
}

void clsErrHandler::TraceExecution(bool v)
{
    try {
        traceExecution_ = v;
        if (!v)
            return;
        // The system's separator keeps the file inside the program's folder.
        traceFile_ = AppPath() + pathSeparator() + "trace.log";
        switch (trace_.openEmpty(traceFile_)) {
        case FileStatus::Ok: break;
        case FileStatus::PathNotFound: Raise(errnum::PathNotFound);
        default: Raise(errnum::PathFileAccessError);
        }
    } catch (const RuntimeError& e) {
        MsgBox("Error: " + std::to_string(e.number()) + ". " + e.description(), vbOKOnly, "TraceExecution");
    }
}

int clsErrHandler::spareSlot() const
{
    const int spare = slotLimit_ + 1;
    return spare >= 1 && size_t(spare) < procStack_.size() ? spare : -1;
}

void clsErrHandler::pushBeyondLimit(std::string_view strProc)
{
    // Beyond the limit the innermost name stays visible in the first spare
    // slot, so that a report still names the failing procedure.
    beyondLimit_.emplace_back(strProc);
    if (const int spare = spareSlot(); spare >= 0)
        procStack_[size_t(spare)] = strProc;
}

void clsErrHandler::popBeyondLimit()
{
    if (!beyondLimit_.empty())
        beyondLimit_.pop_back();
    if (const int spare = spareSlot(); spare >= 0)
        procStack_[size_t(spare)] = beyondLimit_.empty() ? std::string_view() : beyondLimit_.back();
}

void clsErrHandler::trace(std::string_view strProc)
{
    // Tracing without an open file (switching on failed) writes nothing rather
    // than failing every procedure of the program.
    if (trace_.isOpen() && !trace_.append(strProc, CRLF))
        Raise(errnum::PathFileAccessError);
}

void clsErrHandler::Clear()
{
    errNumber_ = 0;
    errLine_ = 0;
    errDescription_.clear();
    errProc_.clear();
}

std::string_view clsErrHandler::failingProc() const
{
    if (stackDepth_ <= slotLimit_)
        return procStack_[size_t(stackDepth_)];
    return beyondLimit_.empty() ? std::string_view() : beyondLimit_.back();
}

std::string clsErrHandler::StackListing() const
{
    std::string out;
    for (size_t i = 0; i < procStack_.size(); ++i) {
        if (procStack_[i].empty())
            continue;
        if (i < 10)
            out += '0';
        out += std::to_string(i);
        out.append(2 * i, ' ');
        out += procStack_[i];
        out += CRLF;
    }
    return out;
}

std::vector<std::string> clsErrHandler::AdditionalInformation()
{
    const AppInfo& a = App();
    std::error_code ec;
    std::filesystem::path cwd = std::filesystem::current_path(ec);
    return {"Current Directory: " + cwd.make_preferred().u8string(),
            "App Title: " + a.title,
            "App CompanyName: " + a.companyName,
            "App Major: " + std::to_string(a.major),
            "App Minor: " + std::to_string(a.minor),
            "App Revision: " + std::to_string(a.revision),
            "App Path: " + AppPath(),
            "App ProductName: " + a.productName};
}

std::string clsErrHandler::resolveDestinationPath(const std::string& destination)
{
    if (hasDriveLetters())
        return destination;
    const bool drivePath =
        destination.size() >= 3 &&
        ((destination[0] >= 'A' && destination[0] <= 'Z') || (destination[0] >= 'a' && destination[0] <= 'z')) &&
        destination[1] == ':' && (destination[2] == '\\' || destination[2] == '/');
    if (drivePath) {
        std::error_code ec;
        std::string temp = std::filesystem::temp_directory_path(ec).u8string();
        if (ec || temp.empty())
            temp = "/tmp";
        while (temp.size() > 1 && temp.back() == '/')
            temp.pop_back();
        return temp + '/' + fileNameOf(destination);
    }
    std::string path = destination;
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
}

std::string clsErrHandler::reportText() const
{
    std::string r;
    auto line = [&r](std::string_view a, std::string_view b = {}) {
        r += a;
        r += b;
        r += CRLF;
    };
    line(appTitle_, " Application Error Information");
    line(std::string(36, '='));
    line("Current Time   : ", currentTimeText());
    line("Error String   : ", cut(errDescription_, 255));
    line("Error Number   : ", std::to_string(errNumber_));
    line("Error Line     : ", std::to_string(errLine_));
    line("Error Procedure: ", failingProc());
    line({});
    line("Procedure Stack");
    line(std::string(15, '-'));
    r += StackListing();
    line({});
    if (!currentOperation_.empty())
        line("Current Operation: ", currentOperation_);
    line({});
    line("Open Windows");
    line(std::string(12, '-'));
    if (const errors::AppHooks* hooks = errors::appHooks())
        for (const errors::OpenWindow& w : hooks->openWindows())
            line(w.name, " (" + w.caption + ")");
    line({});
    if (includeExpandedInfo_) {
        line({});
        line("Additional Information");
        line(std::string(22, '-'));
        for (const std::string& info : AdditionalInformation())
            line(info);
    }
    return r;
}

// The report always lands: in the destination's file, else in the user's
// state folder, else on standard error.
void clsErrHandler::writeReportFile(const std::string& destination)
{
    const std::string report = reportText();
    const std::string path = resolveDestinationPath(destination);
    if (replaceFile(path, report) == FileStatus::Ok) {
        reportPath_ = path;
        return;
    }
    if (const std::string folder = userStateFolder(); !folder.empty()) {
        const std::string fallback = folder + pathSeparator() + fileNameOf(path);
        if (fallback != path && replaceFile(fallback, report) == FileStatus::Ok) {
            reportPath_ = fallback;
            reportDisplaced_ = true;
            return;
        }
    }
    std::fwrite(report.data(), 1, report.size(), stderr);
    std::fflush(stderr);
}

void clsErrHandler::writeReportRow(ErrorLogRecordset& rs) const
{
    try {
        rs.AddNew();
        rs.SetField("ErrorDate", std::chrono::system_clock::now());
        rs.SetField("ErrorString", cut(errDescription_, 255));
        rs.SetField("ErrorNumber", std::int32_t(errNumber_));
        rs.SetField("ErrorLine", std::int32_t(errLine_));
        rs.SetField("ErrorProc", std::string(failingProc()));
        std::string callStack = StackListing();
        if (!currentOperation_.empty())
            callStack += std::string(CRLF) + "Current Operation: " + currentOperation_;
        rs.SetField("CallStack", callStack);
        if (includeExpandedInfo_) {
            std::string info;
            for (const std::string& l : AdditionalInformation())
                info += (info.empty() ? "" : std::string(CRLF)) + l;
            rs.SetField("AdditionalInfo", info);
        }
        rs.Update();
    } catch (...) {
        Raise(errnum::Framework, "Error opening recordset: ", "CErr");
    }
}

void clsErrHandler::HandleError()
{
    const ErrObject& e = Err();
    errNumber_ = e.Number;
    errLine_ = e.Line;
    errDescription_ = e.Description;
    errProc_ = failingProc();
    if (appTitle_.empty())
        appTitle_ = App().title;
    reportPath_.clear();
    reportDisplaced_ = false;

    bool cancel = false;
    if (BeforeHandlerCalled)
        BeforeHandlerCalled(cancel);
    if (!cancel) {
        try {
            if (auto* file = std::get_if<std::string>(&destination_))
                writeReportFile(*file);
            else if (auto& rs = std::get<ErrorLogRecordsetRef>(destination_))
                writeReportRow(*rs);
        } catch (...) {
            // Writing the report is best effort: a failure abandons the rest of it.
        }
        if (displayMsgOnError_ && reportErrors_) {
            Beep();
            std::string text = "The following error has occurred in procedure: " + std::string(CRLF) + errProc_ +
                               " on line " + std::to_string(errLine_) + std::string(CRLF) + "Error (" +
                               std::to_string(errNumber_) + ") " + errDescription_;
            if (!currentOperation_.empty())
                text += std::string(CRLF) + "Current Operation: " + currentOperation_;
            MsgBox(text, vbCritical | vbOKOnly, appTitle_);
        }
        if (AfterHandlerCalled)
            AfterHandlerCalled();
    }
    if (reportErrors_)
        ShowUnexpectedError();
}

bool clsErrHandler::ClearLog()
{
    try {
        if (auto* file = std::get_if<std::string>(&destination_)) {
            // Also a report that had to go to the user's state folder.
            const std::string path = resolveDestinationPath(*file);
            removeOwnFile(path);
            if (const std::string folder = userStateFolder(false); !folder.empty())
                if (const std::string fallback = folder + pathSeparator() + fileNameOf(path); fallback != path)
                    removeOwnFile(fallback);
        } else if (auto& rs = std::get<ErrorLogRecordsetRef>(destination_)) {
            if (rs->RecordCount() > 0) {
                rs->MoveFirst();
                while (!rs->IsEOF()) {
                    rs->Delete();
                    rs->MoveNext();
                }
            }
        }
        return true;
    } catch (...) {
        return false;
    }
}

// The handler is never destroyed: it has to outlast every object that still
// runs procedures while the process ends.
clsErrHandler* errors::detail::errHandler = nullptr;

clsErrHandler& errors::detail::createErrHandler()
{
    return gErrHandlerRenew();
}

clsErrHandler& gErrHandlerRenew()
{
    std::unique_ptr<clsErrHandler> previous(errors::detail::errHandler);
    errors::detail::errHandler = new clsErrHandler;
    return *errors::detail::errHandler;
}
