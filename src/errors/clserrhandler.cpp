#include "errors/clserrhandler.h"

#include "app/modmain.h"
#include "platform/appinfo.h"
#include "platform/forms.h"
#include "platform/messagebox.h"
#include "platform/runtimeerror.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QStandardPaths>

using namespace platform;

namespace {
const QString CRLF = QStringLiteral("\r\n");

// The variant type code of a value, as the framework numbers value kinds.
int varTypeOf(const QVariant& v)
{
    if (!v.isValid())
        return 0; // Empty
    switch (v.userType()) {
    case QMetaType::Nullptr: return 1;
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar: return 2;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong: return 3;
    case QMetaType::Float: return 4;
    case QMetaType::Double: return 5;
    case QMetaType::QDate:
    case QMetaType::QTime:
    case QMetaType::QDateTime: return 7;
    case QMetaType::QString: return 8;
    case QMetaType::Bool: return 11;
    case QMetaType::UChar: return 17;
    case QMetaType::LongLong:
    case QMetaType::ULongLong: return 20;
    case QMetaType::QByteArray: return 8209; // byte array
    default: return 9;                       // any other object
    }
}
// The locale's long time without the time zone: the report's time is local
// time, as a desktop's general date shows it.
QString longTimeFormat(const QLocale& loc)
{
    const QString format = loc.timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar ch = format.at(i);
        if (ch == QLatin1Char('\'')) {
            quoted = !quoted;
        } else if (!quoted && ch == QLatin1Char('t')) {
            while (!out.isEmpty() && out.back().isSpace())
                out.chop(1);
            continue;
        }
        out += ch;
    }
    return out.trimmed();
}
} // namespace

clsErrHandler::clsErrHandler() : procStack_(103) {}

clsErrHandler::~clsErrHandler()
{
    if (traceExecution_ && traceStream_)
        traceStream_->close();
}

QVariant clsErrHandler::Destination() const
{
    if (auto* s = std::get_if<QString>(&destination_))
        return *s;
    return QVariant::fromValue(std::get<ErrorLogRecordsetRef>(destination_));
}

void clsErrHandler::Destination(const QVariant& value)
{
    if (value.userType() == QMetaType::QString) {
        destination_ = value.toString();
        return;
    }
    if (value.userType() == qMetaTypeId<ErrorLogRecordsetRef>()) {
        auto rs = value.value<ErrorLogRecordsetRef>();
        if (rs) {
            destination_ = rs;
            return;
        }
    }
    Raise(errnum::Framework, QStringLiteral("Invalid object type: ") + QString::number(varTypeOf(value)));
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
    procStack_.assign(size_t(upper) + 1, QString());
    beyondLimit_.clear();
    slotLimit_ = n;
    updateFastLimits();
}

void clsErrHandler::TraceExecution(bool v)
{
    try {
        traceExecution_ = v;
        updateFastLimits();
        if (!v)
            return;
        // The system's separator keeps the file inside the program's folder.
        traceFile_ = AppPath() + QDir::separator() + QStringLiteral("trace.log");
        QFile::remove(traceFile_);
        traceStream_ = std::make_unique<QFile>(traceFile_);
        if (!traceStream_->open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
            const long number = traceStream_->error() == QFileDevice::OpenError && !QFileInfo(traceFile_).dir().exists()
                                    ? errnum::PathNotFound
                                    : errnum::PathFileAccessError;
            traceStream_.reset();
            Raise(number);
        }
    } catch (const RuntimeError& e) {
        MsgBox(QStringLiteral("Error: ") + QString::number(e.number()) + QStringLiteral(". ") + e.description(),
               vbOKOnly, QStringLiteral("TraceExecution"));
    }
}

int clsErrHandler::spareSlot() const
{
    const int spare = slotLimit_ + 1;
    return spare >= 1 && size_t(spare) < procStack_.size() ? spare : -1;
}

void clsErrHandler::pushSlow(const QString& strProc)
{
    if (stackDepth_ == 32767)
        Raise(errnum::Overflow);
    ++stackDepth_;
    if (stackDepth_ <= slotLimit_) {
        procStack_[size_t(stackDepth_)] = strProc;
    } else {
        // Beyond the limit the innermost name stays visible in the first spare
        // slot, so that a report still names the failing procedure.
        beyondLimit_.push_back(strProc);
        if (const int spare = spareSlot(); spare >= 0)
            procStack_[size_t(spare)] = strProc;
    }
    // Tracing without an open file (switching on failed) writes nothing rather
    // than failing every procedure of the program.
    if (traceExecution_ && traceStream_) {
        QByteArray line = strProc.toLocal8Bit();
        line.append("\r\n", 2);
        if (traceStream_->write(line) != line.size())
            Raise(errnum::PathFileAccessError);
    }
}

void clsErrHandler::popSlow()
{
    if (stackDepth_ >= 1 && stackDepth_ <= slotLimit_) {
        procStack_[size_t(stackDepth_)].clear();
    } else if (stackDepth_ > slotLimit_) {
        if (!beyondLimit_.empty())
            beyondLimit_.pop_back();
        if (const int spare = spareSlot(); spare >= 0)
            procStack_[size_t(spare)] = beyondLimit_.empty() ? QString() : beyondLimit_.back();
    }
    --stackDepth_;
    if (stackDepth_ < 0)
        stackDepth_ = 0;
}

QStringList clsErrHandler::CurrentStack() const
{
    QStringList out;
    out.reserve(int(procStack_.size()));
    for (const QString& s : procStack_)
        out.append(s);
    return out;
}

void clsErrHandler::Clear()
{
    errNumber_ = 0;
    errLine_ = 0;
    errDescription_.clear();
    errProc_.clear();
}

QString clsErrHandler::failingProc() const
{
    if (stackDepth_ <= slotLimit_)
        return procStack_[size_t(stackDepth_)];
    return beyondLimit_.empty() ? QString() : beyondLimit_.back();
}

QString clsErrHandler::StackListing() const
{
    QString out;
    for (size_t i = 0; i < procStack_.size(); ++i) {
        if (procStack_[i].isEmpty())
            continue;
        out += QStringLiteral("%1").arg(int(i), 2, 10, QLatin1Char('0'));
        out += QString(int(2 * i), QLatin1Char(' '));
        out += procStack_[i];
        out += CRLF;
    }
    return out;
}

QStringList clsErrHandler::AdditionalInformation()
{
    const AppInfo& a = App();
    return {QStringLiteral("Current Directory: ") + QDir::toNativeSeparators(QDir::currentPath()),
            QStringLiteral("App Title: ") + a.title,
            QStringLiteral("App CompanyName: ") + a.companyName,
            QStringLiteral("App Major: ") + QString::number(a.major),
            QStringLiteral("App Minor: ") + QString::number(a.minor),
            QStringLiteral("App Revision: ") + QString::number(a.revision),
            QStringLiteral("App Path: ") + AppPath(),
            QStringLiteral("App ProductName: ") + a.productName};
}

QString clsErrHandler::resolveDestinationPath(const QString& destination)
{
    if (hasDriveLetters())
        return destination;
    static const QRegularExpression drivePath(QStringLiteral("^[A-Za-z]:[\\\\/]"));
    if (drivePath.match(destination).hasMatch()) {
        const QString name = destination.section(QRegularExpression(QStringLiteral("[\\\\/]")), -1);
        return QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation)).filePath(name);
    }
    return QString(destination).replace(QLatin1Char('\\'), QLatin1Char('/'));
}

void clsErrHandler::writeReportFile(const QString& destination) const
{
    const QString path = resolveDestinationPath(destination);
    QFile::remove(path);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return; // nothing can be written: no report, no message

    const QLocale loc = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    QString r;
    r += appTitle_ + QStringLiteral(" Application Error Information") + CRLF;
    r += QString(36, QLatin1Char('=')) + CRLF;
    r += QStringLiteral("Current Time   : ") + loc.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
         loc.toString(now.time(), longTimeFormat(loc)) + CRLF;
    r += QStringLiteral("Error String   : ") + errDescription_.left(255) + CRLF;
    r += QStringLiteral("Error Number   : ") + QString::number(errNumber_) + CRLF;
    r += QStringLiteral("Error Line     : ") + QString::number(errLine_) + CRLF;
    r += QStringLiteral("Error Procedure: ") + failingProc() + CRLF;
    r += CRLF;
    r += QStringLiteral("Procedure Stack") + CRLF;
    r += QString(15, QLatin1Char('-')) + CRLF;
    r += StackListing();
    r += CRLF;
    if (!currentOperation_.isEmpty())
        r += QStringLiteral("Current Operation: ") + currentOperation_ + CRLF;
    r += CRLF;
    r += QStringLiteral("Open Windows") + CRLF;
    r += QString(12, QLatin1Char('-')) + CRLF;
    for (const Form* form : Forms::loaded())
        r += form->Name() + QStringLiteral(" (") + form->Caption() + QStringLiteral(")") + CRLF;
    r += CRLF;
    if (includeExpandedInfo_) {
        r += CRLF;
        r += QStringLiteral("Additional Information") + CRLF;
        r += QString(22, QLatin1Char('-')) + CRLF;
        for (const QString& line : AdditionalInformation())
            r += line + CRLF;
    }
    const QByteArray bytes = r.toLocal8Bit();
    if (f.write(bytes) != bytes.size()) {
        // A full disk: leave nothing half-written behind.
        f.close();
        f.remove();
    }
}

void clsErrHandler::writeReportRow(ErrorLogRecordset& rs) const
{
    try {
        rs.AddNew();
        rs.SetField(QStringLiteral("ErrorDate"), QDateTime::currentDateTime());
        rs.SetField(QStringLiteral("ErrorString"), errDescription_.left(255));
        rs.SetField(QStringLiteral("ErrorNumber"), qint32(errNumber_));
        rs.SetField(QStringLiteral("ErrorLine"), qint32(errLine_));
        rs.SetField(QStringLiteral("ErrorProc"), failingProc());
        QString callStack = StackListing();
        if (!currentOperation_.isEmpty())
            callStack += CRLF + QStringLiteral("Current Operation: ") + currentOperation_;
        rs.SetField(QStringLiteral("CallStack"), callStack);
        if (includeExpandedInfo_)
            rs.SetField(QStringLiteral("AdditionalInfo"), AdditionalInformation().join(CRLF));
        rs.Update();
    } catch (...) {
        Raise(errnum::Framework, QStringLiteral("Error opening recordset: "), QStringLiteral("CErr"));
    }
}

void clsErrHandler::HandleError()
{
    const ErrObject& e = Err();
    errNumber_ = e.Number;
    errLine_ = e.Line;
    errDescription_ = e.Description;
    errProc_ = failingProc();
    if (appTitle_.isEmpty())
        appTitle_ = App().title;

    bool cancel = false;
    if (BeforeHandlerCalled)
        BeforeHandlerCalled(cancel);
    if (!cancel) {
        try {
            if (auto* file = std::get_if<QString>(&destination_))
                writeReportFile(*file);
            else if (auto& rs = std::get<ErrorLogRecordsetRef>(destination_))
                writeReportRow(*rs);
        } catch (...) {
            // Writing the report is best effort: a failure abandons the rest of it.
        }
        if (displayMsgOnError_ && reportErrors_) {
            Beep();
            QString text = QStringLiteral("The following error has occurred in procedure: ") + CRLF + errProc_ +
                           QStringLiteral(" on line ") + QString::number(errLine_) + CRLF + QStringLiteral("Error (") +
                           QString::number(errNumber_) + QStringLiteral(") ") + errDescription_;
            if (!currentOperation_.isEmpty())
                text += CRLF + QStringLiteral("Current Operation: ") + currentOperation_;
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
        if (auto* file = std::get_if<QString>(&destination_)) {
            QFile::remove(resolveDestinationPath(*file));
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
