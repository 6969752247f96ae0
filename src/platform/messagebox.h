#pragma once
#include <deque>
#include <string>
#include <vector>

namespace platform {

// Button sets and icons of the plain message box (combined by adding).
enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
};
// Result codes of the plain message box.
enum MsgBoxResult : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

constexpr int buttonsOf(int style)
{
    return style & 7;
}
constexpr int iconOf(int style)
{
    return style & 0x70;
}

// Where message boxes and beeps go. The window layer installs one with real
// dialogs; tests install ScriptedMessages so that nothing ever blocks.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual int show(const std::string& text, int style, const std::string& title) = 0;
    virtual void beep() = 0;
};

// Shows a message box (texts in UTF-8); an empty title means the application title.
int MsgBox(const std::string& text, int style = vbOKOnly, const std::string& title = {});
void Beep();

// Installs a sink (nullptr restores the default) and returns the previous one.
MessageSink* setMessageSink(MessageSink* sink);
MessageSink* messageSink();

// The first button of a style's set: what a box answers when nobody can be asked.
int defaultAnswer(int style);

// Answers boxes from a queue of replies (the first button when the queue is
// empty) and keeps a record of every box shown.
class ScriptedMessages : public MessageSink {
public:
    struct Shown {
        std::string text;
        int style;
        std::string title;
    };
    ScriptedMessages();
    ~ScriptedMessages() override;
    ScriptedMessages(const ScriptedMessages&) = delete;
    ScriptedMessages& operator=(const ScriptedMessages&) = delete;

    void answer(int reply) { replies.push_back(reply); }
    int show(const std::string& text, int style, const std::string& title) override;
    void beep() override { ++beeps; }

    std::deque<int> replies;
    std::vector<Shown> shown;
    int beeps = 0;

private:
    MessageSink* previous_;
};

} // namespace platform
