// The outcome of an operation that can fail with a reason the user is shown.
// Implements: Result<T> (a value or a reason), Result<> (success or a reason), Failure.
// Leaves out: error codes, exceptions; a reason is a sentence for people, not for programs.
#pragma once

#include <cassert>
#include <optional>
#include <string>
#include <utility>

// Why an operation failed, as the user reads it: "cannot load "h.txt": it is a folder".
struct Failure {
    std::string reason;
};

template <typename T = void> class [[nodiscard]] Result {
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Failure failure) : m_reason(std::move(failure.reason)) {}

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const std::string& reason() const { return m_reason; }

    const T& value() const&
    {
        assert(ok());
        return *m_value;
    }
    T& value() &
    {
        assert(ok());
        return *m_value;
    }
    T&& value() &&
    {
        assert(ok());
        return std::move(*m_value);
    }

private:
    std::optional<T> m_value;
    std::string m_reason;
};

template <> class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure) : m_ok(false), m_reason(std::move(failure.reason)) {}
    static Result Success() { return {}; }

    bool ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    const std::string& reason() const { return m_reason; }

private:
    bool m_ok = true;
    std::string m_reason;
};
