// Start-up and shutdown tests: a window-less frmMain stands in for the real
// one, settings live in the test's folder, and the clock is fake.
#include "app/clsapp.h"
#include "app/gui/sessionend.h"
#include "errors/procedure.h"
#include "platform/clock.h"
#include "platform/forms.h"
#include "platform/gui/formbase.h"
#include "platform/messagebox.h"
#include "platform/registry.h"
#include "platform/runtimeerror.h"
#include "settings/formsettings.h"
#include "testsupport.h"
#include "util/fakeform.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <memory>

using namespace platform;

class AppTest : public FrameworkTest {
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        handler->DisplayMsgOnError(false);
        previousFactory = platform::Forms::registerFactory(QStringLiteral("frmMain"), [this] {
            main = std::make_unique<FakeForm>(QStringLiteral("frmMain"));
            return main.get();
        });
    }
    void TearDown() override
    {
        gApp.reset();
        main.reset();
        platform::Forms::registerFactory(QStringLiteral("frmMain"), previousFactory);
        FrameworkTest::TearDown();
    }
    // The main window as the program would have it after start-up.
    FakeForm& startedMain()
    {
        gApp = std::make_unique<clsApp>();
        gApp->Start();
        EXPECT_TRUE(main);
        return *main;
    }

    platform::FakeClock clock;
    std::unique_ptr<FakeForm> main;
    platform::Forms::Factory previousFactory;
};

namespace {
// A main window that remembers why it was asked to close and stays open.
class RecordingMain : public platform::FormBase {
public:
    RecordingMain() : platform::FormBase(QStringLiteral("frmMain"), platform::bsFixedSingle) {}
    std::vector<int> modes;

protected:
    void Form_QueryUnload(bool& cancel, int unloadMode) override
    {
        modes.push_back(unloadMode);
        cancel = true;
    }
};

// Shows every box as a real modal dialog, raising a signal once it is up.
class ModalBoxWithSignal : public platform::MessageSink {
public:
    explicit ModalBoxWithSignal(int sig) : sig_(sig), previous_(platform::setMessageSink(this)) {}
    ~ModalBoxWithSignal() override { platform::setMessageSink(previous_); }
    int show(const std::string& text, int, const std::string&) override
    {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Unexpected Error"), QString::fromStdString(text));
        ++shown;
        QTimer::singleShot(0, [this] { std::raise(sig_); });
        QTimer::singleShot(5000, &box, &QDialog::reject); // never blocks the suite
        box.exec();
        return platform::vbYes;
    }
    void beep() override {}

    int shown = 0;

private:
    int sig_;
    platform::MessageSink* previous_;
};
} // namespace

class Shutdown : public AppTest {};

// Main shows the main window; shutting down saves and unloads it, releases
// the application and ends, leaving no trace. A follow-up program is started
// directly, without a shell; a missing one is explained unless silent, any
// other failure to start it is an unexpected error. The process ends either way.
TEST_F(Shutdown, MainShowsTheMainWindowAndShutdownStartsAnyFollowUpProgramAndEnds)
{
    writeFile(QStringLiteral("readme.txt"));
    const QString touch = QStandardPaths::findExecutable(QStringLiteral("touch"));
    ASSERT_FALSE(touch.isEmpty());
    const struct {
        QString commandLine;
        bool silent;
        const char* description; // of the missing program; nullptr: none shown
        long error;              // handled as unexpected
    } cases[] = {
        {QString(), false, nullptr, 0},
        {path(QStringLiteral("absent/setup")) + QStringLiteral(" /repair"), false, "Path not found", 0},
        {QStringLiteral("quillmark-no-such-program --upgrade"), false, "File not found", 0},
        {path(QStringLiteral("absent/setup")), true, nullptr, 0},
        {touch + QLatin1Char(' ') + path(QStringLiteral("a;touch \"")) + path(QStringLiteral("b c\"")), false, nullptr,
         0},
        {path(QStringLiteral("readme.txt")), false, nullptr, errnum::PermissionDenied},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.commandLine.toStdString());
        messages.shown.clear();
        Main();
        handler = &gErrHandler(); // Main made a new one
        ASSERT_TRUE(gApp && main);
        EXPECT_EQ(gApp->StartTime(), clock.now());
        EXPECT_THROW(AppShutdown(std::nullopt, c.commandLine, c.silent), ProcessEnded);
        EXPECT_EQ(main->log,
                  (QStringList{QStringLiteral("Show"), QStringLiteral("SaveSettings"), QStringLiteral("Unload")}));
        EXPECT_FALSE(gApp);
        EXPECT_EQ(handler->ErrNumber(), c.error);
        EXPECT_EQ(QFile::exists(path(QStringLiteral("error.log"))), c.error != 0);
        ASSERT_EQ(messages.shown.size(), c.description || c.error ? 1u : 0u);
        if (c.description) {
            EXPECT_EQ(messages.shown[0].text,
                      "There was a problem running the Upgrade or Repair.\r\n\r\nError: " + std::string(c.description) +
                          "\r\n\r\nCommand Line:\r\n" + c.commandLine.toStdString() +
                          "\r\n\r\nPlease notify your system administrator.");
        }
    }
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("trace.log"))));
    // Through a shell the touch row would have made "a" and "b".
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(path(QStringLiteral("b c"))); }, 10000));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("a;touch"))));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("a"))));
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
        handler->ProgramEnding(false); // each a run of its own
        FakeForm& frm = startedMain(); // still the last row's window if it failed to unload
        frm.onCall = nullptr;
        r.spoil(frm);
        messages.shown.clear();
        messages.replies.assign(5, vbNo);
        try {
            errors::Procedure("frmMain.UpdateForm()", [] { Raise(errnum::Overflow); });
            ADD_FAILURE() << "went on";
        } catch (const ProcessEnded& e) {
            EXPECT_EQ(e.exitCode, 0);
        }
        EXPECT_EQ(messages.shown.size(), 1u);
        EXPECT_FALSE(gApp);
        QFile report(path(QStringLiteral("error.log")));
        ASSERT_TRUE(report.open(QIODevice::ReadOnly));
        EXPECT_TRUE(report.readAll().contains(r.lastError));
    }
}

class SessionEnding : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        // The end is recorded, and a box still showing is closed, before the
        // ender unwinds to the event loop that delivered the signal.
        platform::setProcessEnder([this](int code) {
            ends.push_back(code);
            if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                box->done(0);
            throw platform::ProcessEnded{code};
        });
    }
    std::vector<int> ends;
};

TEST_F(SessionEnding, TerminationSignalsEndTheProgramInEveryStateWithoutABox)
{
    enum State { Idle, CloseErrorBox, ModalDialog };
    const struct {
        const char* what;
        State state;
        int sig;
        bool writable;
    } cases[] = {
        {"idle", Idle, SIGTERM, true},
        {"idle, settings unwritable", Idle, SIGINT, false},
        {"the close's failed save showing its box", CloseErrorBox, SIGTERM, false},
        {"a modal dialog showing", ModalDialog, SIGINT, true},
    };
    writeFile(QStringLiteral("blocker")); // a file where a folder is needed
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ends.clear();
        QFile::remove(path(QStringLiteral("error.log")));
        QFile::remove(path(QStringLiteral("settings.ini")));
        platform::setSettingsFileOverride(
            path(c.writable ? QStringLiteral("settings.ini") : QStringLiteral("blocker/settings.ini")));
        SessionEnd watcher;
        FakeForm& frm = startedMain();
        frm.top = 3000;
        frm.onCall = [&frm](const QString&) {
            utFormSettingsSave(frm);
            return true;
        };
        if (c.state == Idle) {
            std::raise(c.sig);
            EXPECT_TRUE(QTest::qWaitFor([this] { return !ends.empty(); }, 5000));
        } else {
            ModalBoxWithSignal box(c.sig);
            if (c.state == CloseErrorBox)
                utFormSettingsSave(frm); // as the close box does: its failure shows the box
            else
                box.show("a dialog", platform::vbOKOnly, "");
            EXPECT_EQ(box.shown, 1); // the box that was up; none on the way out
        }
        ASSERT_FALSE(ends.empty());
        EXPECT_EQ(ends.front(), 0); // the orderly way out
        EXPECT_FALSE(gApp);
        EXPECT_TRUE(frm.unloaded);
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_EQ(QFile::exists(path(QStringLiteral("error.log"))), !c.writable); // logged instead
        QFile saved(path(QStringLiteral("settings.ini")));
        EXPECT_EQ(saved.open(QIODevice::ReadOnly) && saved.readAll().contains("frmMain_Top=REG_DWORD:3000"),
                  c.writable);
    }
}

TEST_F(SessionEnding, ASecondSignalEndsAtOnceWhileTheFirstIsHeldUp)
{
    // The first request's way out is held up in an event loop of its own.
    SessionEnd watcher([this](int) {
        std::raise(SIGINT);
        EXPECT_TRUE(QTest::qWaitFor([this] { return !ends.empty(); }, 5000));
    });
    std::raise(SIGTERM);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !ends.empty(); }, 5000));
    EXPECT_EQ(ends, std::vector<int>{128 + SIGINT});
}

TEST_F(SessionEnding, CloseForAsksTheMainWindowThenEndsTheProgramAnyway)
{
    auto frm = std::make_unique<RecordingMain>(); // refuses even the program's own unload
    gApp = std::make_unique<clsApp>();
    EXPECT_THROW(SessionEnd::closeFor(platform::vbAppWindows), platform::ProcessEnded);
    EXPECT_EQ(frm->modes, (std::vector<int>{platform::vbAppWindows, platform::vbFormCode}));
    EXPECT_FALSE(gApp);
}
