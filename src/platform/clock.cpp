#include "platform/clock.h"

namespace platform {

namespace {
Clock& current()
{
    static Clock c;
    return c;
}
} // namespace

QDateTime Now()
{
    return current() ? current()() : QDateTime::currentDateTime();
}

Clock setClock(Clock clock)
{
    Clock old = std::move(current());
    current() = std::move(clock);
    return old;
}

FakeClock::FakeClock(QDateTime start) : now_(std::move(start))
{
    previous_ = setClock([this] { return now_; });
}

FakeClock::~FakeClock()
{
    setClock(std::move(previous_));
}

} // namespace platform
