// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace Orvane
{

// A result asked for what it does not hold: a fault in the caller, stopped here with a message in every build
// rather than read through a null pointer.
[[noreturn]] inline void resultMisused(const char* what)
{
    std::fprintf(stderr, "Orvane: %s\n", what);
    std::fflush(stderr);
    std::abort();
}

// Why something failed, handed to a result: `return Failure(text);`.
template <typename Error> struct Failure
{
    explicit Failure(Error error) : error(std::move(error)) {}
    Error error;
};

// What a reader or writer gives back: its value, or the reason it has none (naming the file and what went wrong).
// The two are never both there, so a caller cannot use a value that was never read.
template <typename Value, typename Error> class [[nodiscard]] Expected
{
public:
    Expected(Value value) : m_state(std::in_place_index<0>, std::move(value)) {}
    template <typename Reason>
    Expected(Failure<Reason> failure) : m_state(std::in_place_index<1>, Error(std::move(failure.error)))
    {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    // The value; only when ok().
    Value& value() & { return *checkedValue(); }
    const Value& value() const& { return *checkedValue(); }
    // From a temporary the value is moved out, so nothing refers into a result that is gone.
    Value value() && { return std::move(*checkedValue()); }
    Value* operator->() { return checkedValue(); }
    const Value* operator->() const { return checkedValue(); }

    // The reason; only when !ok().
    const Error& error() const& { return *checkedError(); }
    Error error() && { return std::move(*checkedError()); }

private:
    Value* checkedValue()
    {
        if (!ok())
            resultMisused("the value of a failed result was used");
        return std::get_if<0>(&m_state);
    }
    const Value* checkedValue() const { return const_cast<Expected*>(this)->checkedValue(); }
    const Error* checkedError() const
    {
        if (ok())
            resultMisused("the reason of a result that succeeded was used");
        return std::get_if<1>(&m_state);
    }

    std::variant<Value, Error> m_state;
};

// A step that gives nothing back but may fail.
template <typename Error> class [[nodiscard]] Expected<void, Error>
{
public:
    Expected() = default;
    template <typename Reason> Expected(Failure<Reason> failure) : m_error(Error(std::move(failure.error))) {}

    bool ok() const { return !m_error.has_value(); }
    explicit operator bool() const { return ok(); }
    const Error& error() const& { return checkedError(); }
    Error error() && { return std::move(checkedError()); }

private:
    const Error& checkedError() const
    {
        if (ok())
            resultMisused("the reason of a result that succeeded was used");
        return *m_error;
    }

    std::optional<Error> m_error;
};

// The platform layer's results carry their reasons as UTF-8 text.
template <typename Value> using PlatformResult = Expected<Value, std::string>;

} // namespace Orvane
