#pragma once

#include <array>
#include <concepts>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace brindlemoor {

// Each string-valued enumeration specialises this with `table`: every case with its wire
// string, in declaration order.
template <typename E>
struct WireStrings;

template <typename E>
concept WireStringEnum = std::is_enum_v<E> && requires {
    { WireStrings<E>::table.size() } -> std::convertible_to<std::size_t>;
};

template <WireStringEnum E>
constexpr std::string_view wireString(E value)
{
    for (const auto& [candidate, text] : WireStrings<E>::table) {
        if (candidate == value) {
            return text;
        }
    }
    return {};
}

// Exact, case-sensitive match; none for any other string.
template <WireStringEnum E>
constexpr std::optional<E> fromWireString(std::string_view text)
{
    for (const auto& [candidate, wire] : WireStrings<E>::table) {
        if (wire == text) {
            return candidate;
        }
    }
    return std::nullopt;
}

// Every case, in declaration order.
template <WireStringEnum E>
constexpr auto allCases()
{
    std::array<E, WireStrings<E>::table.size()> cases{};
    for (std::size_t index = 0; index < cases.size(); ++index) {
        cases[index] = WireStrings<E>::table[index].first;
    }
    return cases;
}

// Hashes a case as its wire string, so equal strings hash alike whatever the enumeration.
template <WireStringEnum E>
struct WireStringHash {
    std::size_t operator()(E value) const { return std::hash<std::string_view>{}(wireString(value)); }
};

} // namespace brindlemoor
