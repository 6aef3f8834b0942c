#pragma once

#include <QCoreApplication>
#include <QString>

#include <optional>
#include <utility>

namespace vellora {

// What an attempt came to: it worked, or it did not, and then why, twice: in the user's words (in their
// language, for a message box or the command line's one line) and as the reason for the log.
class [[nodiscard]] Outcome
{
public:
    Outcome() = default; // it worked
    // A failure always says something, so that it can never pass for success.
    static Outcome failure(QString text, QString reason = {})
    {
        Outcome outcome;
        outcome.m_failed = true;
        outcome.m_text =
            text.isEmpty() ? QCoreApplication::translate("Surface", "onbekende fout") : std::move(text);
        outcome.m_reason = std::move(reason);
        return outcome;
    }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    // Empty when it worked.
    const QString &text() const { return m_text; }
    // What went wrong in the program's own terms; the text when nothing more is known.
    const QString &reason() const { return m_reason.isEmpty() ? m_text : m_reason; }

private:
    bool m_failed = false;
    QString m_text;
    QString m_reason;
};

// A value, or the failure that left none.
template <typename T>
class [[nodiscard]] Result
{
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Outcome failure) : m_outcome(failure.ok() ? Outcome::failure({}) : std::move(failure)) {}

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const T &operator*() const { return *m_value; }
    T &operator*() { return *m_value; }
    const T *operator->() const { return &*m_value; }
    T *operator->() { return &*m_value; }
    const Outcome &outcome() const { return m_outcome; }
    std::optional<T> toOptional() && { return std::move(m_value); }
    // For readers to whom a failure is only the absence of a value (a null picture, an empty record).
    T value_or(T fallback) const & { return m_value ? *m_value : std::move(fallback); }
    T value_or(T fallback) && { return m_value ? std::move(*m_value) : std::move(fallback); }

private:
    std::optional<T> m_value;
    Outcome m_outcome;
};

} // namespace vellora
