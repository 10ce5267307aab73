#pragma once

#include <memory>

namespace brindlemoor {

// A heap-held value with value semantics, for records that nest in each other. Moving copies,
// so a moved-from box still holds a value.
template <typename T>
class Box {
public:
    Box(T value) : value_(std::make_unique<T>(std::move(value))) {}
    Box(const Box& other) : value_(std::make_unique<T>(*other.value_)) {}
    Box& operator=(const Box& other)
    {
        if (this != &other) {
            value_ = std::make_unique<T>(*other.value_);
        }
        return *this;
    }
    ~Box() = default;

    const T& operator*() const { return *value_; }
    const T* operator->() const { return value_.get(); }

    friend bool operator==(const Box& lhs, const Box& rhs) { return *lhs.value_ == *rhs.value_; }

private:
    std::unique_ptr<T> value_;
};

} // namespace brindlemoor
