#include "ui/appmodel.h"

namespace ui {

namespace {
std::function<clsIPAddy*()>& source()
{
    static std::function<clsIPAddy*()> s;
    return s;
}
} // namespace

std::function<clsIPAddy*()> setModelSource(std::function<clsIPAddy*()> s)
{
    auto previous = std::move(source());
    source() = std::move(s);
    return previous;
}

clsIPAddy* appModel()
{
    return source() ? source()() : nullptr;
}

} // namespace ui
