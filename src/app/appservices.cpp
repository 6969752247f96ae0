// What the layers below the application need of it, installed explicitly at
// start rather than by static initialisation, so that nothing below src/app
// names the application.
#include "app/clsapp.h"
#include "app/modmain.h"
#include "errors/apphooks.h"
#include "model/appmodel.h"
#include "platform/forms.h"
#include "platform/qtstrings.h"
#include "settings/settingsstore.h"
#include "util/appshutdown.h"

namespace {

class ApplicationHooks : public errors::AppHooks {
public:
    std::vector<errors::OpenWindow> openWindows() const override
    {
        std::vector<errors::OpenWindow> out;
        for (const platform::Form* f : platform::Forms::loaded())
            out.push_back({platform::stdstr(f->Name()), platform::stdstr(f->Caption())});
        return out;
    }
    void shutdown() override { AppShutdown(std::nullopt, QString(), false); }
    std::optional<std::chrono::system_clock::time_point> startTime() const override
    {
        if (!gApp || !gApp->StartTime().isValid())
            return std::nullopt;
        return std::chrono::system_clock::time_point(std::chrono::milliseconds(gApp->StartTime().toMSecsSinceEpoch()));
    }
};

} // namespace

void InstallAppServices()
{
    static ApplicationHooks hooks;
    errors::setAppHooks(&hooks);
    setAppShutdownHandler(&AppShutdown);
    setSettingsStoreSource([]() -> clsRegSettings* { return gApp ? gApp->RegSettings.get() : nullptr; });
    setAppModelSource([]() -> clsIPAddy* { return gApp ? gApp->IPAddy.get() : nullptr; });
}
