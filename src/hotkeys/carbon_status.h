#pragma once

#include <cstdint>

namespace brindlemoor {

// The answer of a hot-key layer call or of an event handler, with the hot-key numbers' values.
using OSStatus = std::int32_t;

namespace carbon {

inline constexpr OSStatus noErr = 0;
inline constexpr OSStatus paramErr = -50;
inline constexpr OSStatus eventInternalErr = -9868;
inline constexpr OSStatus eventParameterNotFoundErr = -9870;
inline constexpr OSStatus eventNotHandledErr = -9874;
inline constexpr OSStatus eventHotKeyExistsErr = -9878;

} // namespace carbon
} // namespace brindlemoor
