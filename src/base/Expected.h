#pragma once

#include <optional>
#include <utility>
#include <variant>

namespace vrel {

template <class E>
struct Unexpected {
    E Error;
};
template <class E>
Unexpected(E) -> Unexpected<E>;

// Either a value or the reason there is none; the project's way of reporting failures as values.
template <class T, class E>
class Expected {
public:
    Expected(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Expected(Unexpected<E> failure) : state_(std::in_place_index<1>, std::move(failure.Error)) {}

    bool has_value() const { return state_.index() == 0; }
    explicit operator bool() const { return has_value(); }

    T& value() { return std::get<0>(state_); }
    const T& value() const { return std::get<0>(state_); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }

    const E& error() const { return std::get<1>(state_); }

private:
    std::variant<T, E> state_;
};

// Success with nothing to hand back, or the reason it failed: `if (!result)` means it failed.
template <class E>
class Expected<void, E> {
public:
    Expected() = default;
    Expected(Unexpected<E> failure) : failure_(std::move(failure.Error)) {}

    bool has_value() const { return !failure_.has_value(); }
    explicit operator bool() const { return has_value(); }

    const E& error() const { return *failure_; }

private:
    std::optional<E> failure_;
};

}  // namespace vrel
