#pragma once

// Errors at I/O and parse boundaries travel as values: a Result holds either a value or a
// message that names what went wrong (a file, a line). Nothing here throws.

#include <cassert>
#include <string>
#include <utility>
#include <variant>

namespace velko {

struct Error {
    std::string message;
};

template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::move(value)) {}      // NOLINT: implicit on purpose
    Result(Error error) : state_(std::move(error)) {}  // NOLINT: implicit on purpose

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() & {
        assert(ok());
        return std::get<0>(state_);
    }
    const T& value() const& {
        assert(ok());
        return std::get<0>(state_);
    }
    T&& value() && {
        assert(ok());
        return std::get<0>(std::move(state_));
    }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }

    const std::string& error() const {
        assert(!ok());
        return std::get<1>(state_).message;
    }

private:
    std::variant<T, Error> state_;
};

// For operations that return nothing but may fail.
struct Ok {};
using Status = Result<Ok>;

inline Error makeError(std::string message) {
    return Error{std::move(message)};
}

}  // namespace velko
