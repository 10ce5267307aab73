#include "hotkeys/uuid.h"

#include <random>

namespace brindlemoor {

Uuid Uuid::random()
{
    thread_local std::random_device device;
    Uuid uuid;
    for (std::size_t index = 0; index < uuid.bytes_.size(); index += 4) {
        const std::uint32_t word = device();
        for (std::size_t byte = 0; byte < 4; ++byte)
            uuid.bytes_[index + byte] = static_cast<std::uint8_t>(word >> (8 * byte));
    }
    uuid.bytes_[6] = static_cast<std::uint8_t>((uuid.bytes_[6] & 0x0F) | 0x40);
    uuid.bytes_[8] = static_cast<std::uint8_t>((uuid.bytes_[8] & 0x3F) | 0x80);
    return uuid;
}

std::string Uuid::string() const
{
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    for (std::size_t index = 0; index < bytes_.size(); ++index) {
        if (index == 4 || index == 6 || index == 8 || index == 10)
            text += '-';
        text += digits[bytes_[index] >> 4];
        text += digits[bytes_[index] & 0x0F];
    }
    return text;
}

} // namespace brindlemoor
