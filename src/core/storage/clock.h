#pragma once

#include <QDate>
#include <QDateTime>

namespace qv {

    // Every "today" the program shows or writes (the date label, "Printed:", archive names) comes from
    // a Clock, so tests can fix the date.
    class Clock
    {
    public:
        virtual ~Clock() = default;
        virtual QDateTime now() const = 0;
        QDate today() const
        {
            return now().date();
        }

        // The clock the program uses; tests replace it with setCurrent().
        static const Clock& current();
        static void setCurrent(const Clock* clock);
    };

    class SystemClock : public Clock
    {
    public:
        QDateTime now() const override;
    };

    class FixedClock : public Clock
    {
    public:
        explicit FixedClock(QDateTime when)
            : m_when(std::move(when))
        {
        }
        QDateTime now() const override
        {
            return m_when;
        }
        void set(QDateTime when)
        {
            m_when = std::move(when);
        }

    private:
        QDateTime m_when;
    };

} // namespace qv
