#include "platform/messagebox.h"

#include "platform/appinfo.h"

#include <cstdio>

namespace platform {

namespace {
// Without a window system (the terminal report) a box becomes a line on stderr.
class StderrSink : public MessageSink {
public:
    int show(const QString& text, int style, const QString& title) override
    {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title),
                     qPrintable(QString(text).replace(QLatin1String("\r\n"), QLatin1String(" "))));
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

int MsgBox(const QString& text, int style, const QString& title)
{
    return active().show(text, style, title.isEmpty() ? App().title : title);
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

int ScriptedMessages::show(const QString& text, int style, const QString& title)
{
    shown.push_back({text, style, title});
    if (replies.empty())
        return defaultAnswer(style);
    int r = replies.front();
    replies.pop_front();
    return r;
}

} // namespace platform
