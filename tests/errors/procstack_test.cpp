#include "errors/procedure.h"
#include "platform/runtimeerror.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>

namespace {

class ProcStackTest : public FrameworkTest {
protected:
    QByteArray traceBytes() const
    {
        QFile f(path(QStringLiteral("trace.log")));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    static QStringList nonEmpty(const QStringList& stack)
    {
        QStringList out;
        for (int i = 0; i < stack.size(); ++i)
            if (!stack[i].isEmpty())
                out << QString::number(i) + QLatin1Char('=') + stack[i];
        return out;
    }
};

TEST_F(ProcStackTest, SizeFollowsTheLimit)
{
    EXPECT_EQ(handler->MaxProcStackItems(), 100);
    QStringList stack = handler->CurrentStack();
    EXPECT_EQ(stack.size(), 103);
    EXPECT_TRUE(nonEmpty(stack).isEmpty());

    handler->MaxProcStackItems(50);
    EXPECT_EQ(handler->CurrentStack().size(), 53);

    handler->Pop(); // on an empty stack: stays empty
    EXPECT_EQ(handler->StackDepth(), 0);
    handler->Push(QStringLiteral("A"));
    handler->Push(QStringLiteral("B"));
    handler->Pop();
    EXPECT_EQ(handler->StackDepth(), 1);
    EXPECT_EQ(nonEmpty(handler->CurrentStack()), QStringList{QStringLiteral("1=A")});

    // Re-creating the stack discards the names but keeps the depth.
    handler->MaxProcStackItems(10);
    EXPECT_EQ(handler->CurrentStack().size(), 13);
    EXPECT_TRUE(nonEmpty(handler->CurrentStack()).isEmpty());
    EXPECT_EQ(handler->StackDepth(), 1);
}

TEST_F(ProcStackTest, PushPastTheLimitNeverFailsAndPopsStillMatch)
{
    handler->MaxProcStackItems(3);
    for (int i = 1; i <= 10; ++i) {
        handler->Push(QStringLiteral("P%1").arg(i));
        // The innermost name beyond the limit shows in the first spare slot.
        const QStringList stack = handler->CurrentStack();
        ASSERT_EQ(stack.size(), 6);
        EXPECT_EQ(stack[qMin(i, 4)], QStringLiteral("P%1").arg(i));
        EXPECT_EQ(stack[5], QString());
    }
    EXPECT_EQ(handler->StackDepth(), 10);

    // An error this deep names the procedure that failed.
    handler->ReportErrors(false);
    platform::Err().set(platform::RuntimeError(platform::errnum::Overflow));
    handler->HandleError();
    EXPECT_EQ(handler->ErrProc(), QStringLiteral("P10"));
    EXPECT_EQ(handler->StackListing(), QStringLiteral("01  P1\r\n02    P2\r\n03      P3\r\n04        P10\r\n"));

    for (int i = 10; i >= 1; --i) {
        const QStringList stack = handler->CurrentStack();
        EXPECT_EQ(stack[qMin(i, 4)], QStringLiteral("P%1").arg(i));
        handler->Pop();
    }
    EXPECT_EQ(handler->StackDepth(), 0);
    EXPECT_TRUE(nonEmpty(handler->CurrentStack()).isEmpty());
}

TEST_F(ProcStackTest, DepthStopsAtTheSixteenBitLimit)
{
    for (int i = 0; i < 32767; ++i)
        handler->Push(QStringLiteral("P"));
    try {
        handler->Push(QStringLiteral("Q"));
        FAIL() << "no overflow";
    } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(e.number(), platform::errnum::Overflow);
    }
    EXPECT_EQ(handler->StackDepth(), 32767);
    for (int i = 0; i < 32767; ++i)
        handler->Pop();
    EXPECT_EQ(handler->StackDepth(), 0);
    EXPECT_TRUE(nonEmpty(handler->CurrentStack()).isEmpty());
}

TEST_F(ProcStackTest, ALimitTooLargeIsAnOverflowAndTheOldStackStays)
{
    try {
        handler->MaxProcStackItems(32766);
        FAIL() << "no overflow";
    } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(e.number(), platform::errnum::Overflow);
    }
    EXPECT_EQ(handler->MaxProcStackItems(), 32766);
    EXPECT_EQ(handler->CurrentStack().size(), 103);
    for (int i = 0; i < 200; ++i)
        handler->Push(QStringLiteral("P"));
    for (int i = 0; i < 200; ++i)
        handler->Pop();
    EXPECT_EQ(handler->StackDepth(), 0);
    EXPECT_TRUE(nonEmpty(handler->CurrentStack()).isEmpty());
}

TEST_F(ProcStackTest, TraceHoldsOneLinePerPush)
{
    handler->TraceExecution(true);
    EXPECT_TRUE(handler->TraceExecution());
    EXPECT_EQ(traceBytes(), QByteArray());
    handler->Push(QStringLiteral("A"));
    handler->Push(QStringLiteral("B"));
    handler->Pop();
    handler->Pop();
    EXPECT_EQ(traceBytes(), QByteArray("A\r\nB\r\n"));

    handler->TraceExecution(false);
    handler->Push(QStringLiteral("C"));
    handler->Pop();
    EXPECT_EQ(traceBytes(), QByteArray("A\r\nB\r\n"));

    // Switching on again starts a new file.
    handler->TraceExecution(true);
    EXPECT_EQ(traceBytes(), QByteArray());
    errors::Procedure(QStringLiteral("frmMain.txtIP_GotFocus()"),
                      [] { errors::Procedure(QStringLiteral("utHighlight()"), [] {}); });
    EXPECT_EQ(traceBytes(), QByteArray("frmMain.txtIP_GotFocus()\r\nutHighlight()\r\n"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ProcStackTest, TracingThatCannotStartIsShownAndPushesGoOn)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    ASSERT_TRUE(QDir(path(QStringLiteral("folder"))).mkdir(QStringLiteral("trace.log")));
    const std::pair<QString, const char*> rows[] = {
        {path(QStringLiteral("missing")), "Error: 76. Path not found"},
        // trace.log is a folder: neither deleted nor opened.
        {path(QStringLiteral("folder")), "Error: 75. Path/File access error"},
    };
    for (const auto& [programFolder, message] : rows) {
        SCOPED_TRACE(message);
        messages.shown.clear();
        platform::setAppPathOverride(programFolder);
        handler->TraceExecution(true);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, QLatin1String(message));
        EXPECT_EQ(messages.shown[0].style, platform::vbOKOnly);
        EXPECT_EQ(messages.shown[0].title, QStringLiteral("TraceExecution"));
        EXPECT_TRUE(handler->TraceExecution());

        messages.shown.clear();
        int ran = 0;
        errors::Procedure(QStringLiteral("Outer()"),
                          [&] { errors::Procedure(QStringLiteral("Inner()"), [&] { ++ran; }); });
        EXPECT_EQ(ran, 1);
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_FALSE(handler->IsError());
        EXPECT_EQ(handler->StackDepth(), 0);
        handler->TraceExecution(false);
    }
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("missing"))));
}

} // namespace
