#pragma once
// The end of the user's session and a termination request (SIGTERM, SIGINT)
// reach the main window as close requests with their reasons, 2 and 3, so the
// program saves its placement and ends through its one orderly way out.
// A termination request is served in whatever event loop runs, a modal
// dialog's included, and shows no boxes; a second one ends at once.
#include "platform/messagebox.h"

#include <QObject>
#include <functional>

class QSocketNotifier;

class SessionEnd : public QObject {
    Q_OBJECT
public:
    using Action = std::function<void(int unloadMode)>;
    explicit SessionEnd(Action action = &SessionEnd::closeFor, QObject* parent = nullptr);
    ~SessionEnd() override;
    SessionEnd(const SessionEnd&) = delete;
    SessionEnd& operator=(const SessionEnd&) = delete;

    // Closes the main window for that reason; when that does not end the
    // program (another window still showing, no main window), shuts down
    // directly, so a termination request never leaves a hidden program behind.
    static void closeFor(int unloadMode);

private:
    class UnattendedMessages : public platform::MessageSink {
    public:
        int show(const std::string& text, int style, const std::string& title) override;
        void beep() override {}
    };

    void terminationRequested(int sig);

    Action action_;
    QSocketNotifier* notifier_ = nullptr;
    bool unattended_ = false;
    UnattendedMessages unattendedMessages_;
    platform::MessageSink* previousSink_ = nullptr;
};
