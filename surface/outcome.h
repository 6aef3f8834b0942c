#pragma once

#include <QCoreApplication>
#include <QString>

#include <optional>
#include <utility>

namespace vellora {

// What an attempt came to: it worked, it was called off, or it failed, and then why, twice: in the user's
// words (in their language, for a message box or the command line's one line) and as the reason for the
// log. A failure also says how far the attempt got, for readers that frame their message by it.
class [[nodiscard]] Outcome
{
public:
    enum class Failure
    {
        None,       // it worked
        CalledOff,  // the user stopped it; nothing to tell them
        Refused,    // asked before anything was touched, and refused
        NotMade,    // what was to be made could not be
        NotWritten, // made, but not written; whatever had the name still has it
        Unreached,  // a device it went to (a printer) failed; the log keeps why
    };

    Outcome() = default; // it worked
    // A failure always says something, so that it can never pass for success.
    static Outcome failure(QString text, QString reason = {}, Failure how = Failure::NotMade)
    {
        Outcome outcome;
        outcome.m_how = how == Failure::None ? Failure::NotMade : how;
        outcome.m_text =
            text.isEmpty() ? QCoreApplication::translate("Surface", "onbekende fout") : std::move(text);
        outcome.m_reason = std::move(reason);
        return outcome;
    }
    static Outcome refusal(QString text, QString reason = {})
    {
        return failure(std::move(text), std::move(reason), Failure::Refused);
    }
    static Outcome calledOff()
    {
        Outcome outcome;
        outcome.m_how = Failure::CalledOff;
        return outcome;
    }
    // The same failure, told as one that came later: a refusal met while writing is a failure to write.
    Outcome as(Failure how) const
    {
        Outcome outcome = *this;
        if (!ok() && !isCalledOff() && how != Failure::None && how != Failure::CalledOff)
            outcome.m_how = how;
        return outcome;
    }

    bool ok() const { return m_how == Failure::None; }
    explicit operator bool() const { return ok(); }
    bool isCalledOff() const { return m_how == Failure::CalledOff; }
    Failure how() const { return m_how; }
    // Empty when it worked or was called off.
    const QString &text() const { return m_text; }
    // What went wrong in the program's own terms; the text when nothing more is known.
    const QString &reason() const { return m_reason.isEmpty() ? m_text : m_reason; }

private:
    Failure m_how = Failure::None;
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
    static Result calledOff() { return Result(Outcome::calledOff()); }

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
