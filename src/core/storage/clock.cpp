#include "clock.h"

namespace qv {

    namespace {
        const SystemClock systemClock;
        const Clock* currentClock = &systemClock;
    } // namespace

    QDateTime SystemClock::now() const
    {
        return QDateTime::currentDateTime();
    }

    const Clock& Clock::current()
    {
        return *currentClock;
    }

    void Clock::setCurrent(const Clock* clock)
    {
        currentClock = clock ? clock : &systemClock;
    }

} // namespace qv
