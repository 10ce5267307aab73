#pragma once

#include <cstdint>
#include <string>

namespace brindlemoor {

// A 32-bit code spelt as four characters, first character in the most significant byte
// ('lpcm', 'caff'): how audio formats, file types and many statuses are named.
constexpr std::uint32_t fourCharCode(const char (&text)[5])
{
    return (static_cast<std::uint32_t>(static_cast<unsigned char>(text[0])) << 24)
        | (static_cast<std::uint32_t>(static_cast<unsigned char>(text[1])) << 16)
        | (static_cast<std::uint32_t>(static_cast<unsigned char>(text[2])) << 8)
        | static_cast<std::uint32_t>(static_cast<unsigned char>(text[3]));
}

// The four characters in big-endian order.
inline std::string fourCharText(std::uint32_t code)
{
    return {static_cast<char>(code >> 24), static_cast<char>(code >> 16), static_cast<char>(code >> 8),
            static_cast<char>(code)};
}

} // namespace brindlemoor
