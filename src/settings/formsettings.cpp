#include "settings/formsettings.h"

#include "errors/procedure.h"
#include "platform/forms.h"
#include "platform/runtimeerror.h"
#include "platform/screens.h"
#include "settings/clsregsettings.h"
#include "settings/settingsstore.h"

#include <cmath>
#include <limits>

using errors::Procedure;
using namespace platform;

namespace {
const QString Section = QStringLiteral("Startup");
constexpr int REG_DWORD = 4;

clsRegSettings& settings()
{
    clsRegSettings* store = AppSettingsStore();
    if (!store)
        Raise(errnum::ObjectRequired);
    return *store;
}

bool save(const Form& form, const char* suffix, int value)
{
    return settings().AppSetting(Section, form.Name() + QLatin1String(suffix), REG_DWORD, QVariant(), value);
}

// The stored number, or the current value when there is none or it is not a
// usable whole number (a hand-edited or damaged file).
int load(const Form& form, const char* suffix, int current)
{
    const QVariant v = settings().AppSetting(Section, form.Name() + QLatin1String(suffix), REG_DWORD, current);
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok || !std::isfinite(d) || d < double(std::numeric_limits<int>::min()) ||
        d > double(std::numeric_limits<int>::max()))
        return current;
    return int(std::lround(d));
}

bool isSizable(int borderStyle)
{
    switch (borderStyle) {
    case bsNone:
    case bsFixedSingle:
    case bsFixedDialog:
    case bsFixedToolWindow: return false;
    default: return true;
    }
}
} // namespace

void utFormSettingsSave(Form& form, std::optional<bool> saveSize)
{
    Procedure("utFormSettingsSave()", [&] {
        const bool withSize = saveSize.has_value() ? *saveSize : isSizable(form.BorderStyle());
        // Hidden first: a failure reported below shows over a window already
        // gone, and a shutdown answered there does not save it a second time.
        const int state = form.WindowState();
        if (form.Visible())
            form.Hide();
        const bool stored = save(form, "_WindowState", state);
        if (state != wsNormal)
            form.SetWindowState(wsNormal);
        // A store that refuses one value refuses the next: the first failure
        // is reported and the rest of the placement is not tried.
        if (stored && form.WindowState() == wsNormal) {
            const bool placed = save(form, "_Top", form.Top()) && save(form, "_Left", form.Left());
            if (placed && withSize && save(form, "_Width", form.Width()))
                save(form, "_Height", form.Height());
        }
        if (form.WindowState() != state)
            form.SetWindowState(state);
    });
}

void utFormSettingsLoad(Form& form)
{
    Procedure("utFormSettingsLoad()", [&] {
        if (!AppSettingsStore())
            return;
        form.SetWindowState(wsNormal);
        form.SetTop(load(form, "_Top", form.Top()));
        form.SetLeft(load(form, "_Left", form.Left()));
        form.SetWidth(load(form, "_Width", form.Width()));
        form.SetHeight(load(form, "_Height", form.Height()));

        // A placement saved on a screen that is gone, or partly off it (a
        // smaller resolution), stays stored, but the window comes back wholly
        // on the screen. A window not yet shown has no frame; the window
        // places itself again once the window system has framed it.
        const WindowRect saved{form.Left(), form.Top(), form.Width(), form.Height()};
        const WindowRect placed =
            PlaceOnScreen(saved, FrameMargins{}, AvailableScreens(), isSizable(form.BorderStyle()));
        if (!(placed == saved)) {
            if (placed.width != saved.width)
                form.SetWidth(placed.width);
            if (placed.height != saved.height)
                form.SetHeight(placed.height);
            form.SetLeft(placed.left);
            form.SetTop(placed.top);
        }

        if (load(form, "_WindowState", wsNormal) == wsMinimized)
            form.SetWindowState(wsNormal);
        else
            form.SetWindowState(load(form, "_WindowState", wsNormal));
    });
}
