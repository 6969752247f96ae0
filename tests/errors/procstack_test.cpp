#include "errors/procedure.h"
#include "platform/runtimeerror.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace {

class ProcStackTest : public FrameworkTest {
protected:
    QByteArray traceBytes() const
    {
        QFile f(path(QStringLiteral("trace.log")));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
};

TEST_F(ProcStackTest, PushPastTheLimitNeverFailsAndPopsStillMatch)
{
    handler->MaxProcStackItems(3);
    std::vector<std::string> names; // the stack keeps views of them
    for (int i = 1; i <= 10; ++i)
        names.push_back("P" + std::to_string(i));
    for (const std::string& name : names)
        handler->Push(name);
    // An error this deep names the procedure that failed, in the first spare slot.
    handler->ReportErrors(false);
    platform::Err().set(platform::RuntimeError(platform::errnum::Overflow));
    handler->HandleError();
    EXPECT_EQ(handler->ErrProc(), "P10");
    EXPECT_EQ(handler->StackListing(), "01  P1\r\n02    P2\r\n03      P3\r\n04        P10\r\n");

    for (int i = 10; i >= 1; --i) { // and each pop uncovers the one below
        EXPECT_EQ(handler->CurrentStack()[size_t(std::min(i, 4))], "P" + std::to_string(i));
        handler->Pop();
    }
    EXPECT_EQ(handler->StackDepth(), 0);
    EXPECT_EQ(handler->StackListing(), ""); // no name left behind
}

// Both limits are overflows that leave the stack usable as it was.
TEST_F(ProcStackTest, DepthAndSizeStopAtTheSixteenBitLimit)
{
    EXPECT_THROW(handler->MaxProcStackItems(32766), platform::RuntimeError);
    EXPECT_EQ(handler->CurrentStack().size(), 103u);
    for (int i = 0; i < 32767; ++i)
        handler->Push("P");
    try {
        handler->Push("Q");
        FAIL() << "no overflow";
    } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(e.number(), platform::errnum::Overflow);
    }
    EXPECT_EQ(handler->StackDepth(), 32767);
    for (int i = 0; i < 32767; ++i)
        handler->Pop();
    EXPECT_EQ(handler->StackDepth(), 0);
    EXPECT_EQ(handler->StackListing(), ""); // no name left behind
}

TEST_F(ProcStackTest, TraceHoldsOneLinePerPush)
{
    writeFile(QStringLiteral("trace.log"), "old run\r\n");
    handler->TraceExecution(true);
    EXPECT_EQ(traceBytes(), QByteArray());
    handler->Push("A");
    handler->Push("B");
    handler->Pop();
    handler->Pop();
    EXPECT_EQ(traceBytes(), QByteArray("A\r\nB\r\n"));

    handler->TraceExecution(false);
    handler->Push("C");
    handler->Pop();
    EXPECT_EQ(traceBytes(), QByteArray("A\r\nB\r\n"));

    QFile::remove(path(QStringLiteral("trace.log")));
    handler->TraceExecution(true);
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path(QStringLiteral("trace.log"))).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
}

// Whatever stands in the way, tracing reports it once and the program goes
// on; nothing outside the program's own trace file is touched.
TEST_F(ProcStackTest, TracingThatCannotStartIsShownAndPushesGoOn)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("folder/trace.log")));
    for (const char* name : {"link", "foreign", "pipe"})
        ASSERT_TRUE(QDir(dir.path()).mkdir(QLatin1String(name)));
    writeFile(QStringLiteral("victim"), "keep");
    ASSERT_TRUE(QFile::link(path(QStringLiteral("victim")), path(QStringLiteral("link/trace.log"))));
    writeFile(QStringLiteral("foreign/trace.log"), "keep");
    const bool chowned =
        ::chown(QFile::encodeName(path(QStringLiteral("foreign/trace.log"))).constData(), 65534, 65534) == 0;
    ASSERT_EQ(::mkfifo(QFile::encodeName(path(QStringLiteral("pipe/trace.log"))).constData(), 0600), 0);

    const std::pair<QString, const char*> rows[] = {
        {path(QStringLiteral("missing")), "Error: 76. Path not found"},
        {path(QStringLiteral("folder")), "Error: 75. Path/File access error"},
        {path(QStringLiteral("link")), "Error: 75. Path/File access error"},
        {path(QStringLiteral("foreign")), "Error: 75. Path/File access error"},
        {path(QStringLiteral("pipe")), "Error: 75. Path/File access error"},
    };
    for (const auto& [programFolder, message] : rows) {
        if (programFolder.endsWith(QStringLiteral("foreign")) && !chowned)
            continue; // only root can give a file away
        SCOPED_TRACE(programFolder.toStdString());
        messages.shown.clear();
        platform::setAppPathOverride(programFolder.toStdString());
        handler->TraceExecution(true);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, message);

        handler->Push("Outer()");
        handler->Pop();
        EXPECT_EQ(messages.shown.size(), 1u);
        handler->TraceExecution(false);
    }
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("missing"))));
    for (const char* name : {"victim", "foreign/trace.log"}) {
        QFile f(path(QLatin1String(name)));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), QByteArray("keep")) << name;
    }
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("link/trace.log"))).isSymLink());
}

} // namespace
