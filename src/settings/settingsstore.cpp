#include "settings/settingsstore.h"

namespace {
std::function<clsRegSettings*()>& source()
{
    static std::function<clsRegSettings*()> s;
    return s;
}
} // namespace

std::function<clsRegSettings*()> setSettingsStoreSource(std::function<clsRegSettings*()> s)
{
    auto previous = std::move(source());
    source() = std::move(s);
    return previous;
}

clsRegSettings* AppSettingsStore()
{
    return source() ? source()() : nullptr;
}
