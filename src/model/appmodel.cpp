#include "model/appmodel.h"

namespace {
std::function<clsIPAddy*()>& source()
{
    static std::function<clsIPAddy*()> s;
    return s;
}
} // namespace

std::function<clsIPAddy*()> setAppModelSource(std::function<clsIPAddy*()> s)
{
    auto previous = std::move(source());
    source() = std::move(s);
    return previous;
}

clsIPAddy* AppModel()
{
    return source() ? source()() : nullptr;
}
