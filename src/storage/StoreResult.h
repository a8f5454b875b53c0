// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

namespace florelle {

// Why the diary could not be read or written. Every failure names the file,
// so that a message can say which file is in trouble.
struct StoreError {
    enum class Kind {
        unavailable, // the file or its folder could not be had
        damaged,     // not a database, or it fails its integrity check
        empty,       // a zero-length file where the diary should be
        readOnly,    // the file or its folder cannot be written
        busy,        // another program held the diary past the time-out
        full,        // the disk is full
        failed,      // any other failure of a statement
    };
    Kind kind = Kind::failed;
    std::string file;
    // SQLite's own words, for the log and the command line.
    std::string detail;

    // One English sentence for the log and the command line.
    std::string message() const;
};

// A value read from the diary, or why it could not be read. Like
// std::expected: a caller must look before it uses the value.
template <typename T> class [[nodiscard]] StoreResult {
public:
    StoreResult(T value) : state_(std::move(value)) {}
    StoreResult(StoreError error) : state_(std::move(error)) {}

    bool ok() const { return state_.index() == 0; }
    // Not for a read of a yes or no, where it would be mistaken for the answer.
    explicit operator bool() const requires(!std::is_same_v<T, bool>) { return ok(); }

    const T& value() const {
        if (!ok()) {
            throw std::runtime_error(error().message());
        }
        return std::get<0>(state_);
    }
    T& value() {
        if (!ok()) {
            throw std::runtime_error(error().message());
        }
        return std::get<0>(state_);
    }
    const T& operator*() const { return value(); }
    const T* operator->() const { return &value(); }
    const StoreError& error() const { return std::get<1>(state_); }

    // For what only shows a value: the fallback where the read failed.
    template <typename U> T value_or(U&& fallback) const {
        return ok() ? std::get<0>(state_) : static_cast<T>(std::forward<U>(fallback));
    }

    // A failed read equals no value.
    friend bool operator==(const StoreResult& result, const T& value) {
        return result.ok() && std::get<0>(result.state_) == value;
    }
    template <typename U> friend bool operator==(const StoreResult& result, const U& value) {
        return result.ok() && std::get<0>(result.state_) == value;
    }

    friend std::ostream& operator<<(std::ostream& out, const StoreResult& result) {
        if (!result.ok()) {
            return out << "(failed: " << result.error().message() << ")";
        }
        if constexpr (requires { out << std::get<0>(result.state_); }) {
            return out << std::get<0>(result.state_);
        } else {
            return out << "(a value)";
        }
    }

private:
    std::variant<T, StoreError> state_;
};

// Whether a write happened, and why not.
class [[nodiscard]] StoreStatus {
public:
    StoreStatus() = default;
    StoreStatus(StoreError error) : error_(std::move(error)), failed_(true) {}
    template <typename T> static StoreStatus of(const StoreResult<T>& result) {
        return result.ok() ? StoreStatus() : StoreStatus(result.error());
    }

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const StoreError& error() const { return error_; }

private:
    StoreError error_;
    bool failed_ = false;
};

// The first of several reads that failed, if any.
template <typename... Results> std::optional<StoreError> firstFailure(const Results&... results) {
    std::optional<StoreError> failure;
    ((failure || results.ok() || (failure = results.error(), true)), ...);
    return failure;
}

} // namespace florelle
