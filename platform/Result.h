// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace Orvane
{

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
    Value& value() & { return *std::get_if<0>(&m_state); }
    const Value& value() const& { return *std::get_if<0>(&m_state); }
    // From a temporary the value is moved out, so nothing refers into a result that is gone.
    Value value() && { return std::move(*std::get_if<0>(&m_state)); }
    Value* operator->() { return &value(); }
    const Value* operator->() const { return &value(); }

    // The reason; only when !ok().
    const Error& error() const& { return *std::get_if<1>(&m_state); }
    Error error() && { return std::move(*std::get_if<1>(&m_state)); }

private:
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
    const Error& error() const& { return *m_error; }
    Error error() && { return std::move(*m_error); }

private:
    std::optional<Error> m_error;
};

// The platform layer's results carry their reasons as UTF-8 text.
template <typename Value> using PlatformResult = Expected<Value, std::string>;

} // namespace Orvane
