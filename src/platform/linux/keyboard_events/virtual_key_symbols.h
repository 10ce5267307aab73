#pragma once

#include <X11/X.h>
#include <cstdint>
#include <optional>

namespace brindlemoor {

// The X key symbol for a virtual key code of the ANSI layout; none for a key X has no name for.
// Command becomes Control, Control becomes Super and Option becomes Alt, as everywhere on
// this desktop; the Help key is the Insert key at its place.
std::optional<KeySym> keySymbolForVirtualKey(std::uint16_t virtualKey);

} // namespace brindlemoor
