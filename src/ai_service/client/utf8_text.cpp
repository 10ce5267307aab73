#include "ai_service/client/utf8_text.h"

#include <cstdint>

namespace brindlemoor {

namespace {

// Length of the sequence a lead byte starts; 0 for a byte that cannot lead.
std::size_t sequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// Whether `next` may follow `lead` as the second byte (excludes overlongs, surrogates and
// code points beyond U+10FFFF).
bool validSecondByte(unsigned char lead, unsigned char next)
{
    if ((next & 0xC0) != 0x80)
        return false;
    if (lead == 0xE0)
        return next >= 0xA0;
    if (lead == 0xED)
        return next <= 0x9F;
    if (lead == 0xF0)
        return next >= 0x90;
    if (lead == 0xF4)
        return next <= 0x8F;
    return true;
}

bool isWhitespaceOrNewline(std::uint32_t c)
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680
        || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

std::uint32_t decodeAt(std::string_view text, std::size_t position, std::size_t length)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[position + i]); };
    switch (length) {
    case 1:
        return byte(0);
    case 2:
        return (byte(0) & 0x1Fu) << 6 | (byte(1) & 0x3Fu);
    case 3:
        return (byte(0) & 0x0Fu) << 12 | (byte(1) & 0x3Fu) << 6 | (byte(2) & 0x3Fu);
    default:
        return (byte(0) & 0x07u) << 18 | (byte(1) & 0x3Fu) << 12 | (byte(2) & 0x3Fu) << 6 | (byte(3) & 0x3Fu);
    }
}

// The start of the character that ends just before `end` (the text is valid UTF-8).
std::size_t previousCharacterStart(std::string_view text, std::size_t end)
{
    std::size_t start = end - 1;
    while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80)
        --start;
    return start;
}

} // namespace

std::optional<std::size_t> completeUtf8PrefixLength(std::string_view bytes)
{
    std::size_t position = 0;
    while (position < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[position]);
        const std::size_t length = sequenceLength(lead);
        if (length == 0)
            return std::nullopt;
        for (std::size_t i = 1; i < length; ++i) {
            if (position + i == bytes.size())
                return position;
            const auto next = static_cast<unsigned char>(bytes[position + i]);
            const bool valid = i == 1 ? validSecondByte(lead, next) : (next & 0xC0) == 0x80;
            if (!valid)
                return std::nullopt;
        }
        position += length;
    }
    return position;
}

std::string_view trimmingWhitespaceAndNewlines(std::string_view text)
{
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t length = sequenceLength(static_cast<unsigned char>(text[begin]));
        if (length == 0 || begin + length > text.size() || !isWhitespaceOrNewline(decodeAt(text, begin, length)))
            break;
        begin += length;
    }
    std::size_t end = text.size();
    while (end > begin) {
        const std::size_t start = previousCharacterStart(text, end);
        if (!isWhitespaceOrNewline(decodeAt(text, start, end - start)))
            break;
        end = start;
    }
    return text.substr(begin, end - begin);
}

} // namespace brindlemoor
