#pragma once
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <new>
#include <variant>
#include <vector>

class QFile;

// Where a report goes when the destination is a record set: one row per
// report. The database wrappers provide the implementation.
class ErrorLogRecordset {
public:
    virtual ~ErrorLogRecordset() = default;
    virtual void AddNew() = 0;
    virtual void SetField(const QString& name, const QVariant& value) = 0;
    virtual void Update() = 0;
    virtual int RecordCount() = 0;
    virtual void MoveFirst() = 0;
    virtual void Delete() = 0;
    virtual void MoveNext() = 0;
    virtual bool IsEOF() = 0;
};
using ErrorLogRecordsetRef = std::shared_ptr<ErrorLogRecordset>;
Q_DECLARE_METATYPE(ErrorLogRecordsetRef)

// The procedure stack, trace log and error handler of the program.
class clsErrHandler {
public:
    clsErrHandler();
    ~clsErrHandler();
    clsErrHandler(const clsErrHandler&) = delete;
    clsErrHandler& operator=(const clsErrHandler&) = delete;

    // A text (file name) or a record set reference (ErrorLogRecordsetRef).
    QVariant Destination() const;
    void Destination(const QVariant& value);

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
    // Entered and left by every procedure: the common case stays inline.
    void Pop()
    {
        // One unsigned compare for 1 <= depth <= slotLimit_.
        if (unsigned(stackDepth_ - 1) < unsigned(popLimit_)) {
            // Replaced rather than cleared: clearing reads back the text the
            // matching Push has only just stored, which stalls the processor.
            QString& slot = procStack_[size_t(stackDepth_)];
            slot.~QString();
            new (&slot) QString();
            --stackDepth_;
        } else {
            popSlow();
        }
    }
    void Push(const QString& strProc)
    {
        if (stackDepth_ < pushLimit_) {
            ++stackDepth_;
            // Slots above the depth are always null (Pop leaves them so), so
            // the name is copied in without releasing anything first.
            QString& slot = procStack_[size_t(stackDepth_)];
            Q_ASSERT(slot.isNull());
            new (&slot) QString(strProc);
        } else {
            pushSlow(strProc);
        }
    }
    QStringList CurrentStack() const;
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
    const QString& ErrDescription() const { return errDescription_; }
    const QString& ErrProc() const { return errProc_; }
    const QString& AppTitle() const { return appTitle_; }
    void AppTitle(const QString& v) { appTitle_ = v; }
    const QString& CurrentOperation() const { return currentOperation_; }
    void CurrentOperation(const QString& v) { currentOperation_ = v; }
    short StackDepth() const { return short(stackDepth_); }

    // The stack listing of a report: "01  name" lines, each ended by CR LF.
    QString StackListing() const;
    // The eight lines of the "Additional Information" block, without line ends.
    static QStringList AdditionalInformation();
    // The file a text destination names on this system ("C:\ERRORS.TXT" maps to
    // ERRORS.TXT in the temporary folder where there are no drive letters).
    static QString resolveDestinationPath(const QString& destination);

private:
    void pushSlow(const QString& strProc);
    void popSlow();
    int spareSlot() const;
    QString failingProc() const;
    void writeReportFile(const QString& path) const;
    void writeReportRow(ErrorLogRecordset& rs) const;

    short maxProcStackItems_ = 100;
    bool includeExpandedInfo_ = true;
    bool displayMsgOnError_ = true;
    long errNumber_ = 0;
    long errLine_ = 0;
    QString errDescription_;
    QString errProc_;
    QString appTitle_;
    std::variant<QString, ErrorLogRecordsetRef> destination_{QStringLiteral("C:\\ERRORS.TXT")};
    QString currentOperation_;
    bool traceExecution_ = false;
    std::vector<QString> procStack_;
    int stackDepth_ = 0; // 0 to 32767, as a 16-bit counter would allow
    // The deepest depth that has a slot of its own: MaxProcStackItems, or the
    // old limit while a failed MaxProcStackItems write left the old stack.
    int slotLimit_ = 100;
    // What the inline Push and Pop compare with: the slot limit (never below
    // 0), and for Push 0 while tracing, which sends every Push the slow way.
    int pushLimit_ = 100;
    int popLimit_ = 100;
    void updateFastLimits()
    {
        popLimit_ = slotLimit_ > 0 ? slotLimit_ : 0;
        pushLimit_ = traceExecution_ ? 0 : popLimit_;
    }
    // Names entered beyond slotLimit_, innermost last; the first spare slot
    // shows the innermost one.
    std::vector<QString> beyondLimit_;
    QString traceFile_;
    std::unique_ptr<QFile> traceStream_;
    bool reportErrors_ = true;
};
