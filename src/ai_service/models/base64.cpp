#include "ai_service/models/base64.h"

#include <array>

namespace brindlemoor {
namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::array<int, 256> makeReverseTable()
{
    std::array<int, 256> table{};
    table.fill(-1);
    for (std::size_t index = 0; index < kAlphabet.size(); ++index) {
        table[static_cast<unsigned char>(kAlphabet[index])] = static_cast<int>(index);
    }
    return table;
}

constexpr std::array<int, 256> kReverse = makeReverseTable();

} // namespace

std::string base64Encoded(const std::vector<std::uint8_t>& bytes)
{
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t index = 0;
    for (; index + 3 <= bytes.size(); index += 3) {
        const std::uint32_t group = (bytes[index] << 16) | (bytes[index + 1] << 8) | bytes[index + 2];
        text += kAlphabet[(group >> 18) & 63];
        text += kAlphabet[(group >> 12) & 63];
        text += kAlphabet[(group >> 6) & 63];
        text += kAlphabet[group & 63];
    }
    const std::size_t remaining = bytes.size() - index;
    if (remaining > 0) {
        std::uint32_t group = bytes[index] << 16;
        if (remaining == 2) {
            group |= bytes[index + 1] << 8;
        }
        text += kAlphabet[(group >> 18) & 63];
        text += kAlphabet[(group >> 12) & 63];
        text += remaining == 2 ? kAlphabet[(group >> 6) & 63] : '=';
        text += '=';
    }
    return text;
}

std::optional<std::vector<std::uint8_t>> base64Decoded(std::string_view text)
{
    if (text.size() % 4 != 0) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() / 4 * 3);
    for (std::size_t index = 0; index < text.size(); index += 4) {
        const bool last = index + 4 == text.size();
        std::array<int, 4> sextets{};
        int padding = 0;
        for (std::size_t offset = 0; offset < 4; ++offset) {
            const char character = text[index + offset];
            if (character == '=' && last && offset >= 2) {
                ++padding;
                sextets[offset] = 0;
                continue;
            }
            if (padding > 0) {
                return std::nullopt;
            }
            sextets[offset] = kReverse[static_cast<unsigned char>(character)];
            if (sextets[offset] < 0) {
                return std::nullopt;
            }
        }
        const std::uint32_t group = (sextets[0] << 18) | (sextets[1] << 12) | (sextets[2] << 6) | sextets[3];
        bytes.push_back(static_cast<std::uint8_t>(group >> 16));
        if (padding < 2) {
            bytes.push_back(static_cast<std::uint8_t>(group >> 8));
        }
        if (padding < 1) {
            bytes.push_back(static_cast<std::uint8_t>(group));
        }
    }
    return bytes;
}

} // namespace brindlemoor
