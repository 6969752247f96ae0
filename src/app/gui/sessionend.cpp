#include "app/gui/sessionend.h"

#include "app/modmain.h"
#include "platform/forms.h"
#include "platform/gui/formbase.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

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
struct sigaction previousTerm;
struct sigaction previousInt;

extern "C" void onTerminationSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[0], &byte, 1);
}
#endif
} // namespace

SessionEnd::SessionEnd(Action action, QObject* parent) : QObject(parent), action_(std::move(action))
{
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(app, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager&) { action_(platform::vbAppWindows); });
#ifdef Q_OS_UNIX
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    notifier_ = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        [[maybe_unused]] const ssize_t n = ::read(signalPipe[1], &byte, 1);
        action_(platform::vbAppTaskManager);
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

void SessionEnd::closeFor(int unloadMode)
{
    if (auto* main = dynamic_cast<platform::FormBase*>(platform::Forms::find(QStringLiteral("frmMain"))))
        main->RequestUnload(unloadMode);
    AppShutdown(unloadMode, QString(), false);
}
