#include "app/apptest.h"
#include "app/gui/sessionend.h"
#include "platform/gui/formbase.h"
#include "settings/formsettings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <csignal>

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
        open = &box;
        ++shown;
        QTimer::singleShot(0, [this] { std::raise(sig_); });
        QTimer::singleShot(5000, &box, &QDialog::reject); // never blocks the suite
        box.exec();
        open = nullptr;
        return platform::vbYes;
    }
    void beep() override {}

    QPointer<QMessageBox> open;
    int shown = 0;

private:
    int sig_;
    platform::MessageSink* previous_;
};
} // namespace

class SessionEnding : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        // The end is recorded, and a box still showing is closed, before the
        // ender unwinds to the event loop that delivered the signal.
        platform::setProcessEnder([this](int code) {
            ends.push_back(code);
            if (modal && modal->open)
                modal->open->done(0);
            throw platform::ProcessEnded{code};
        });
    }
    void waitForEnd()
    {
        QElapsedTimer t;
        t.start();
        while (ends.empty() && t.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    std::vector<int> ends;
    ModalBoxWithSignal* modal = nullptr;
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
            waitForEnd();
        } else {
            ModalBoxWithSignal box(c.sig);
            modal = &box;
            if (c.state == CloseErrorBox)
                utFormSettingsSave(frm); // as the close box does: its failure shows the box
            else
                box.show("a dialog", platform::vbOKOnly, "");
            modal = nullptr;
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
        waitForEnd();
    });
    std::raise(SIGTERM);
    waitForEnd();
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
