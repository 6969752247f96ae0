#pragma once
#include "platform/privatefile.h"
#include "platform/runtimeerror.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// Where a report goes when the destination is a record set: one row per
// report. The database wrappers provide the implementation.
class ErrorLogRecordset {
public:
    using Value = std::variant<std::string, std::int32_t, std::chrono::system_clock::time_point>;
    virtual ~ErrorLogRecordset() = default;
    virtual void AddNew() = 0;
    virtual void SetField(const std::string& name, const Value& value) = 0;
    virtual void Update() = 0;
    virtual int RecordCount() = 0;
    virtual void MoveFirst() = 0;
    virtual void Delete() = 0;
    virtual void MoveNext() = 0;
    virtual bool IsEOF() = 0;
};
using ErrorLogRecordsetRef = std::shared_ptr<ErrorLogRecordset>;
// A file name (UTF-8) or a record set.
using ErrorLogDestination = std::variant<std::string, ErrorLogRecordsetRef>;

// The procedure stack, trace log and error handler of the program.
class clsErrHandler {
public:
    clsErrHandler();
    clsErrHandler(const clsErrHandler&) = delete;
    clsErrHandler& operator=(const clsErrHandler&) = delete;

    const ErrorLogDestination& Destination() const { return destination_; }
    // An empty record set reference is refused (error -2147220504).
    void Destination(ErrorLogDestination value);

    bool DisplayMsgOnError() const { return displayMsgOnError_; }
    void DisplayMsgOnError(bool v) { displayMsgOnError_ = v; }
    bool IncludeExpandedInfo() const { return includeExpandedInfo_; }
    void IncludeExpandedInfo(bool v) { includeExpandedInfo_ = v; }
    short MaxProcStackItems() const { return maxProcStackItems_; }
    void MaxProcStackItems(short n);
    bool TraceExecution() const { return traceExecution_; }
    void TraceExecution(bool v);

    bool ClearLog();
    // Handles the current error (platform::Err()).
    void HandleError();
    // Entered and left by every procedure. The stack keeps a view of the
    // name, which must live until the matching Pop: Procedure pops on every
    // way out, and its names are literals.
    void Pop()
    {
        if (stackDepth_ >= 1 && stackDepth_ <= slotLimit_)
            procStack_[size_t(stackDepth_)] = {};
        else if (stackDepth_ > slotLimit_)
            popBeyondLimit();
        if (stackDepth_ > 0)
            --stackDepth_;
    }
    void Push(std::string_view strProc)
    {
        if (stackDepth_ == 32767)
            platform::Raise(platform::errnum::Overflow);
        ++stackDepth_;
        if (stackDepth_ <= slotLimit_)
            procStack_[size_t(stackDepth_)] = strProc;
        else
            pushBeyondLimit(strProc);
        if (traceExecution_)
            trace(strProc);
    }
    // A copy of every slot, empty ones included.
    std::vector<std::string> CurrentStack() const { return {procStack_.begin(), procStack_.end()}; }
    bool IsError() const { return errNumber_ != 0; }
    void Clear();
    bool ReportErrors() const { return reportErrors_; }
    void ReportErrors(bool state) { reportErrors_ = state; }

    // Events raised by HandleError. A listener of the first may set cancel.
    std::function<void(bool& cancel)> BeforeHandlerCalled;
    std::function<void()> AfterHandlerCalled;

    // Accessors for the program's own modules.
    long ErrNumber() const { return errNumber_; }
    long ErrLine() const { return errLine_; }
    const std::string& ErrDescription() const { return errDescription_; }
    const std::string& ErrProc() const { return errProc_; }
    const std::string& AppTitle() const { return appTitle_; }
    void AppTitle(std::string v) { appTitle_ = std::move(v); }
    const std::string& CurrentOperation() const { return currentOperation_; }
    void CurrentOperation(std::string v) { currentOperation_ = std::move(v); }
    short StackDepth() const { return short(stackDepth_); }
    // The file the last report went to: the destination's, or the user's state
    // folder when that could not be written; "" when it went nowhere or to
    // standard error.
    const std::string& ReportPath() const { return reportPath_; }
    bool ReportDisplaced() const { return reportDisplaced_; }
    // Set once the user has chosen to end the program: later errors are
    // reported, never asked about.
    bool ProgramEnding() const { return programEnding_; }
    void ProgramEnding(bool v) { programEnding_ = v; }

    // The stack listing of a report: "01  name" lines, each ended by CR LF.
    std::string StackListing() const;
    // The eight lines of the "Additional Information" block, without line ends.
    static std::vector<std::string> AdditionalInformation();
    // The file a text destination names on this system ("C:\ERRORS.TXT" maps to
    // ERRORS.TXT in the temporary folder where there are no drive letters).
    static std::string resolveDestinationPath(const std::string& destination);

private:
    void pushBeyondLimit(std::string_view strProc);
    void popBeyondLimit();
    void trace(std::string_view strProc);
    int spareSlot() const;
    std::string_view failingProc() const;
    std::string reportText() const;
    void writeReportFile(const std::string& destination);
    void writeReportRow(ErrorLogRecordset& rs) const;

    short maxProcStackItems_ = 100;
    bool includeExpandedInfo_ = true;
    bool displayMsgOnError_ = true;
    long errNumber_ = 0;
    long errLine_ = 0;
    std::string errDescription_;
    std::string errProc_;
    std::string appTitle_;
    ErrorLogDestination destination_{std::string("C:\\ERRORS.TXT")};
    std::string currentOperation_;
    bool traceExecution_ = false;
    // Views of the names (see Push). Copying each name in cost more than the
    // rest of a window refresh's reads.
    std::vector<std::string_view> procStack_;
    int stackDepth_ = 0; // 0 to 32767, as a 16-bit counter would allow
    // The deepest depth that has a slot of its own: MaxProcStackItems, or the
    // old limit while a failed MaxProcStackItems write left the old stack.
    int slotLimit_ = 100;
    // Names entered beyond slotLimit_, innermost last; the first spare slot
    // shows the innermost one.
    std::vector<std::string_view> beyondLimit_;
    std::string traceFile_;
    platform::AppendFile trace_;
    bool reportErrors_ = true;
    std::string reportPath_;
    bool reportDisplaced_ = false;
    bool programEnding_ = false;
};

namespace errors::detail {
extern clsErrHandler* errHandler;
clsErrHandler& createErrHandler();
} // namespace errors::detail

// The one error handler, created on first use with the class defaults. Every
// procedure asks for it on entry and exit, so the lookup stays inline.
inline clsErrHandler& gErrHandler()
{
    return errors::detail::errHandler ? *errors::detail::errHandler : errors::detail::createErrHandler();
}
// Replaces the error handler by a fresh one (start-up; tests).
clsErrHandler& gErrHandlerRenew();

// The "Unexpected Error" question after a handled error: Yes goes on, No ends
// the program through the application's shutdown. Without an application (a
// terminal run) the reason goes to standard error and the process ends with 1.
void ShowUnexpectedError();
