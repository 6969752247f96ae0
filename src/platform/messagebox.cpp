#include "platform/messagebox.h"

#include "platform/appinfo.h"

#include <cstdio>

namespace platform {

namespace {
// Without a window system (the terminal report) a box becomes a line on stderr.
class StderrSink : public MessageSink {
public:
    int show(const std::string& text, int style, const std::string& title) override
    {
        std::string line = title + ": ";
        for (size_t i = 0; i < text.size(); ++i) {
            if (text.compare(i, 2, "\r\n") == 0) {
                line += ' ';
                ++i;
            } else {
                line += text[i];
            }
        }
        line += '\n';
        std::fputs(line.c_str(), stderr);
        return defaultAnswer(style);
    }
    void beep() override {}
};

MessageSink*& current()
{
    static MessageSink* sink = nullptr;
    return sink;
}

MessageSink& active()
{
    static StderrSink fallback;
    return current() ? *current() : fallback;
}
} // namespace

int defaultAnswer(int style)
{
    switch (buttonsOf(style)) {
    case vbOKOnly:
    case vbOKCancel: return vbOK;
    case vbAbortRetryIgnore: return vbAbort;
    case vbYesNoCancel:
    case vbYesNo: return vbYes;
    case vbRetryCancel: return vbRetry;
    default: return vbOK;
    }
}

int MsgBox(const std::string& text, int style, const std::string& title)
{
    return active().show(text, style, title.empty() ? App().title : title);
}

void Beep()
{
    active().beep();
}

MessageSink* setMessageSink(MessageSink* sink)
{
    MessageSink* old = current();
    current() = sink;
    return old;
}

MessageSink* messageSink()
{
    return current();
}

ScriptedMessages::ScriptedMessages() : previous_(setMessageSink(this)) {}

ScriptedMessages::~ScriptedMessages()
{
    setMessageSink(previous_);
}

int ScriptedMessages::show(const std::string& text, int style, const std::string& title)
{
    shown.push_back({text, style, title});
    if (replies.empty())
        return defaultAnswer(style);
    int r = replies.front();
    replies.pop_front();
    return r;
}

} // namespace platform
