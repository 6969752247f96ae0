#include "app/apptest.h"
#include "app/gui/sessionend.h"
#include "platform/gui/formbase.h"

#include <QApplication>
#include <QElapsedTimer>

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
} // namespace

class SessionEnding : public AppTest {};

TEST_F(SessionEnding, TerminationSignalsArriveAsTaskManagerCloses)
{
    std::vector<int> requests;
    {
        SessionEnd watcher([&](int mode) { requests.push_back(mode); });
        for (int sig : {SIGTERM, SIGINT}) {
            std::raise(sig);
            QElapsedTimer t;
            t.start();
            const size_t before = requests.size();
            while (requests.size() == before && t.elapsed() < 5000)
                QApplication::processEvents(QEventLoop::AllEvents, 50);
        }
    }
    EXPECT_EQ(requests, (std::vector<int>{platform::vbAppTaskManager, platform::vbAppTaskManager}));
}

TEST_F(SessionEnding, CloseForAsksTheMainWindowThenEndsTheProgramAnyway)
{
    auto frm = std::make_unique<RecordingMain>(); // refuses even the program's own unload
    gApp = std::make_unique<clsApp>();
    EXPECT_THROW(SessionEnd::closeFor(platform::vbAppWindows), platform::ProcessEnded);
    EXPECT_EQ(frm->modes, (std::vector<int>{platform::vbAppWindows, platform::vbFormCode}));
    EXPECT_FALSE(gApp);
    frm.reset();

    // Without a main window the shutdown runs directly.
    gApp = std::make_unique<clsApp>();
    EXPECT_THROW(SessionEnd::closeFor(platform::vbAppTaskManager), platform::ProcessEnded);
    EXPECT_FALSE(gApp);
}
