#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <unordered_set>
#include <vector>

namespace brindlemoor {

// A set that keeps its entries in the order they were put in. Membership follows the
// element's own equality and hash; offset 0 is the front.
template <typename T, typename Hash = std::hash<T>>
class InsertionOrderedSet {
public:
    InsertionOrderedSet() = default;
    explicit InsertionOrderedSet(const std::vector<T>& entries)
    {
        for (const T& entry : entries)
            append(entry);
    }

    bool contains(const T& value) const { return members_.count(value) != 0; }
    std::size_t size() const { return order_.size(); }
    bool empty() const { return order_.empty(); }

    // False when it is already present; its place does not change then.
    bool append(const T& value)
    {
        if (!members_.insert(value).second)
            return false;
        order_.push_back(value);
        return true;
    }

    std::optional<std::size_t> firstIndex(const T& value) const
    {
        if (!contains(value))
            return std::nullopt;
        for (std::size_t index = 0; index < order_.size(); ++index)
            if (order_[index] == value)
                return index;
        return std::nullopt;
    }

    void removeAt(std::size_t index)
    {
        members_.erase(order_[index]);
        order_.erase(order_.begin() + static_cast<std::ptrdiff_t>(index));
    }

    const T& operator[](std::size_t index) const { return order_[index]; }
    const std::vector<T>& entries() const { return order_; }
    auto begin() const { return order_.begin(); }
    auto end() const { return order_.end(); }

private:
    std::vector<T> order_;
    std::unordered_set<T, Hash> members_;
};

} // namespace brindlemoor
