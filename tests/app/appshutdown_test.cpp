#include "app/apptest.h"
#include "errors/procedure.h"
#include "platform/messagebox.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

using namespace platform;

namespace {
class NoExitApp : public clsApp {
public:
    bool AllowExit() const override { return false; }
};

QString upgradeMessage(const QString& description, const QString& commandLine)
{
    return QStringLiteral("There was a problem running the Upgrade or Repair.\r\n\r\nError: ") + description +
           QStringLiteral("\r\n\r\nCommand Line:\r\n") + commandLine +
           QStringLiteral("\r\n\r\nPlease notify your system administrator.");
}
} // namespace

class Shutdown : public AppTest {};

TEST_F(Shutdown, UnloadsSavesReleasesAndEnds)
{
    FakeForm& frm = startedMain();
    FakeForm other(QStringLiteral("frmClassHelp"));
    frm.onCall = [&](const QString&) { return !other.unloaded; }; // saved while the others are gone already
    EXPECT_THROW(AppShutdown(std::nullopt, QString(), false), ProcessEnded);
    EXPECT_EQ(frm.log, (QStringList{QStringLiteral("Show"), QStringLiteral("SaveSettings"), QStringLiteral("Unload")}));
    EXPECT_TRUE(other.unloaded);
    EXPECT_FALSE(gApp);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Shutdown, MissingFollowUpProgramIsReportedUnlessSilentAndTheProcessStillEnds)
{
    const struct {
        QString commandLine;
        bool silent;
        const char* description; // nullptr: no message
    } cases[] = {
        {path(QStringLiteral("absent/setup")) + QStringLiteral(" /repair"), false, "Path not found"},
        {QStringLiteral("quillmark-no-such-program --upgrade"), false, "File not found"},
        {path(QStringLiteral("absent/setup")), true, nullptr},
    };
    for (const auto& c : cases) {
        messages.shown.clear();
        startedMain();
        EXPECT_THROW(AppShutdown(std::nullopt, c.commandLine, c.silent), ProcessEnded) << qPrintable(c.commandLine);
        EXPECT_FALSE(gApp);
        ASSERT_EQ(messages.shown.size(), c.description ? 1u : 0u) << qPrintable(c.commandLine);
        if (c.description) {
            EXPECT_EQ(messages.shown[0].text,
                      upgradeMessage(QString::fromLatin1(c.description), c.commandLine).toStdString());
        }
    }
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("error.log"))));
}

TEST_F(Shutdown, FollowUpProgramStartsDirectlyWithoutAShell)
{
    const QString touch = QStandardPaths::findExecutable(QStringLiteral("touch"));
    if (touch.isEmpty())
        GTEST_SKIP() << "no touch program";
    startedMain();
    // Through a shell this would create "a" and "b"; started directly, touch
    // receives the two texts as they are.
    const QString commandLine = touch + QLatin1Char(' ') + path(QStringLiteral("a")) + QStringLiteral(";touch ") +
                                QLatin1Char('"') + path(QStringLiteral("b c")) + QLatin1Char('"');
    EXPECT_THROW(AppShutdown(std::nullopt, commandLine, false), ProcessEnded);
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(path(QStringLiteral("b c"))) && waited.elapsed() < 10000)
        QThread::msleep(20);
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("b c"))));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("a;touch"))));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("a"))));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Shutdown, OtherStartFailuresAreReportedAndStillEndTheProcess)
{
    writeFile(QStringLiteral("readme.txt"));
    startedMain();
    EXPECT_THROW(AppShutdown(std::nullopt, path(QStringLiteral("readme.txt")), false), ProcessEnded);
    EXPECT_EQ(handler->ErrNumber(), errnum::PermissionDenied);
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(Shutdown, RefusedExitFromACloseBoxKeepsTheProgramRunning)
{
    gApp = std::make_unique<NoExitApp>();
    EXPECT_NO_THROW(AppShutdown(0, QString(), false));
    ASSERT_TRUE(gApp && main);
    EXPECT_TRUE(main->visible);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "You are not permitted to exit.\r\n\r\nThe system administrator has disabled "
                                      "this option.");

    // Other ways out are not refused.
    messages.shown.clear();
    EXPECT_THROW(AppShutdown(2, QString(), false), ProcessEnded);
    gApp = std::make_unique<NoExitApp>();
    EXPECT_THROW(AppShutdown(std::nullopt, QString(), false), ProcessEnded);
    EXPECT_TRUE(messages.shown.empty());
}

// "No" to every box: the program ends, also when its shutdown fails, and a
// failure on the way out is written to the report without a second question.
TEST_F(Shutdown, DecliningToContinueAfterAnErrorEndsTheProgram)
{
    const struct {
        const char* what;
        std::function<void(FakeForm&)> spoil;
        const char* lastError; // in the report
    } rows[] = {
        {"clean shutdown", [](FakeForm&) {}, "Error Number   : 6\r\n"},
        {"saving fails", [](FakeForm& f) { f.onCall = [](const QString&) -> bool { Raise(errnum::DiskFull); }; },
         "Error Number   : 61\r\n"},
        {"unloading fails", [](FakeForm& f) { f.onUnload = [] { Raise(errnum::PermissionDenied); }; },
         "Error Number   : 70\r\n"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        handler = &gErrHandlerRenew();
        handler->Destination(path(QStringLiteral("error.log")).toStdString());
        handler->DisplayMsgOnError(false);
        FakeForm& frm = startedMain();
        FakeForm other(QStringLiteral("frmClassHelp"));
        frm.onCall = [](const QString&) { return true; };
        r.spoil(frm);
        messages.shown.clear();
        messages.replies.assign(5, vbNo);
        bool continued = false;
        try {
            errors::Procedure("frmMain.UpdateForm()", [] { Raise(errnum::Overflow); });
            continued = true;
        } catch (const ProcessEnded& e) {
            EXPECT_EQ(e.exitCode, 0);
        }
        EXPECT_FALSE(continued);
        EXPECT_EQ(messages.shown.size(), 1u);
        EXPECT_TRUE(other.unloaded);
        EXPECT_FALSE(gApp);
        QFile report(path(QStringLiteral("error.log")));
        ASSERT_TRUE(report.open(QIODevice::ReadOnly));
        EXPECT_TRUE(report.readAll().contains(r.lastError));
        frm.onUnload = nullptr;
        if (!frm.unloaded)
            frm.Unload();
    }
}
