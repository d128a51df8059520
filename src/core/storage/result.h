#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace qv {

    // The outcome of an operation that can fail: success, or the text that tells the user why not.
    // Commands never throw across slots; they return one of these and the screen shows the text.
    class [[nodiscard]] Status
    {
    public:
        Status() = default;

        static Status failure(QString message)
        {
            Status s;
            s.m_failed = true;
            s.m_error = std::move(message);
            return s;
        }

        bool ok() const
        {
            return !m_failed;
        }
        explicit operator bool() const
        {
            return !m_failed;
        }
        const QString& error() const
        {
            return m_error;
        }

    private:
        bool m_failed = false;
        QString m_error;
    };

    // A value, or the text that tells why there is none.
    template <typename T> class [[nodiscard]] Result
    {
    public:
        Result(T value)
            : m_value(std::move(value))
        {
        }
        Result(Status failure)
            : m_error(failure.error())
        {
        }

        static Result failure(QString message)
        {
            return Result(Status::failure(std::move(message)));
        }

        bool ok() const
        {
            return m_value.has_value();
        }
        explicit operator bool() const
        {
            return m_value.has_value();
        }
        const QString& error() const
        {
            return m_error;
        }
        const T& value() const&
        {
            return *m_value;
        }
        T&& value() &&
        {
            return std::move(*m_value);
        }
        T valueOr(T fallback) const
        {
            return m_value ? *m_value : std::move(fallback);
        }
        Status status() const
        {
            return m_value ? Status() : Status::failure(m_error);
        }

    private:
        std::optional<T> m_value;
        QString m_error;
    };

} // namespace qv
