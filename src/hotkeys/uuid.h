#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace brindlemoor {

// A random (version 4) universally unique identifier.
class Uuid {
public:
    static Uuid random();

    // Upper-case hex in 8-4-4-4-12 groups.
    std::string string() const;

    friend bool operator==(const Uuid&, const Uuid&) = default;

private:
    Uuid() = default;

    std::array<std::uint8_t, 16> bytes_{};
};

} // namespace brindlemoor
