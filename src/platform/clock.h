#pragma once
#include <QDateTime>
#include <functional>

namespace platform {

// The current local date and time. Everything that measures elapsed time asks
// here, so tests can move time forward without waiting.
QDateTime Now();

using Clock = std::function<QDateTime()>;
// Installs a clock (an empty one restores the system clock) and returns the previous one.
Clock setClock(Clock clock);

// A clock that stands still until told to move; installed for its lifetime.
class FakeClock {
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2024, 1, 1), QTime(12, 0)));
    ~FakeClock();
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    QDateTime now() const { return now_; }
    void set(const QDateTime& t) { now_ = t; }
    void advanceMs(qint64 ms) { now_ = now_.addMSecs(ms); }
    void advance(qint64 seconds) { now_ = now_.addSecs(seconds); }

private:
    QDateTime now_;
    Clock previous_;
};

} // namespace platform
