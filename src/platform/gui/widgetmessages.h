#pragma once
#include "platform/messagebox.h"

namespace platform {

// Message boxes as real dialogs, for the running program.
class WidgetMessages : public MessageSink {
public:
    int show(const std::string& text, int style, const std::string& title) override;
    void beep() override;
};

// Installs the real dialogs and the active-window answers of the window layer.
void installWidgetPlatform();

} // namespace platform
