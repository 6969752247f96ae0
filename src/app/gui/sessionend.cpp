#include "app/gui/sessionend.h"

#include "app/modmain.h"
#include "platform/forms.h"
#include "platform/gui/formbase.h"
#include "platform/process.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {
#ifdef Q_OS_UNIX
// The signal handler may only write to a descriptor; the event loop reads the
// other end and does the work.
int signalPipe[2] = {-1, -1};
// Set by the handler, cleared when the event loop takes the signal.
volatile sig_atomic_t signalUnread = 0;
struct sigaction previousTerm;
struct sigaction previousInt;

extern "C" void onTerminationSignal(int sig)
{
    // The event loop has not taken the last request: it is held up outside
    // any loop, so this second one ends the process at once, as the signal's
    // default does.
    if (signalUnread) {
        ::signal(sig, SIG_DFL);
        ::raise(sig);
        return;
    }
    signalUnread = 1;
    const unsigned char byte = static_cast<unsigned char>(sig);
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[0], &byte, 1);
}
#endif
} // namespace

int SessionEnd::UnattendedMessages::show(const std::string& text, int style, const std::string& title)
{
    std::string line = text;
    for (size_t at; (at = line.find("\r\n")) != std::string::npos;)
        line.replace(at, 2, " ");
    std::fprintf(stderr, "%s: %s\n", title.c_str(), line.c_str());
    return platform::defaultAnswer(style);
}

SessionEnd::SessionEnd(Action action, QObject* parent) : QObject(parent), action_(std::move(action))
{
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(app, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager&) { action_(platform::vbAppWindows); });
#ifdef Q_OS_UNIX
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    signalUnread = 0;
    notifier_ = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        unsigned char byte = 0;
        [[maybe_unused]] const ssize_t n = ::read(signalPipe[1], &byte, 1);
        signalUnread = 0;
        try {
            terminationRequested(byte);
        } catch (const platform::ProcessEnded&) {
            // Only a test's process ender comes back: it must not unwind
            // through the toolkit's event loop, which may be a dialog's.
        }
    });
    struct sigaction sa = {};
    sa.sa_handler = onTerminationSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &sa, &previousTerm);
    sigaction(SIGINT, &sa, &previousInt);
#endif
}

SessionEnd::~SessionEnd()
{
    if (unattended_)
        platform::setMessageSink(previousSink_);
#ifdef Q_OS_UNIX
    if (notifier_) {
        sigaction(SIGTERM, &previousTerm, nullptr);
        sigaction(SIGINT, &previousInt, nullptr);
        delete notifier_;
        notifier_ = nullptr;
        ::close(signalPipe[0]);
        ::close(signalPipe[1]);
        signalPipe[0] = signalPipe[1] = -1;
    }
#endif
}

void SessionEnd::terminationRequested(int sig)
{
    // The first request is still under way, held up in a dialog or another
    // event loop: this one ends the process at once.
    if (unattended_)
        platform::EndProcess(128 + sig);
    // Nobody is there to answer a box on the way out: each goes to the error
    // output with its first answer (errors are still logged), so no box holds
    // the end up, whatever dialog is showing.
    unattended_ = true;
    previousSink_ = platform::setMessageSink(&unattendedMessages_);
    action_(platform::vbAppTaskManager);
}

void SessionEnd::closeFor(int unloadMode)
{
    if (auto* main = dynamic_cast<platform::FormBase*>(platform::Forms::find(QStringLiteral("frmMain"))))
        main->RequestUnload(unloadMode);
    AppShutdown(unloadMode, QString(), false);
}
