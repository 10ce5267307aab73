#include "platform/linux/keyboard_events/virtual_key_symbols.h"

#include <X11/keysym.h>
#include <map>

namespace brindlemoor {

std::optional<KeySym> keySymbolForVirtualKey(std::uint16_t virtualKey)
{
    static const std::map<std::uint16_t, KeySym> table = {
        {0x00, XK_a}, {0x0B, XK_b}, {0x08, XK_c}, {0x02, XK_d}, {0x0E, XK_e}, {0x03, XK_f}, {0x05, XK_g},
        {0x04, XK_h}, {0x22, XK_i}, {0x26, XK_j}, {0x28, XK_k}, {0x25, XK_l}, {0x2E, XK_m}, {0x2D, XK_n},
        {0x1F, XK_o}, {0x23, XK_p}, {0x0C, XK_q}, {0x0F, XK_r}, {0x01, XK_s}, {0x11, XK_t}, {0x20, XK_u},
        {0x09, XK_v}, {0x0D, XK_w}, {0x07, XK_x}, {0x10, XK_y}, {0x06, XK_z},
        {0x1D, XK_0}, {0x12, XK_1}, {0x13, XK_2}, {0x14, XK_3}, {0x15, XK_4}, {0x17, XK_5}, {0x16, XK_6},
        {0x1A, XK_7}, {0x1C, XK_8}, {0x19, XK_9},
        {0x2F, XK_period}, {0x2B, XK_comma},
        {0x45, XK_KP_Add}, {0x4E, XK_KP_Subtract}, {0x51, XK_KP_Equal}, {0x43, XK_KP_Multiply},
        {0x4B, XK_KP_Divide}, {0x4C, XK_KP_Enter},
        {0x7A, XK_F1}, {0x78, XK_F2}, {0x63, XK_F3}, {0x76, XK_F4}, {0x60, XK_F5}, {0x61, XK_F6},
        {0x62, XK_F7}, {0x64, XK_F8}, {0x65, XK_F9}, {0x6D, XK_F10}, {0x67, XK_F11}, {0x6F, XK_F12},
        {0x7E, XK_Up}, {0x7D, XK_Down}, {0x7B, XK_Left}, {0x7C, XK_Right},
        {0x73, XK_Home}, {0x77, XK_End}, {0x79, XK_Next}, {0x74, XK_Prior},
        {0x24, XK_Return}, {0x33, XK_BackSpace}, {0x30, XK_Tab}, {0x31, XK_space}, {0x35, XK_Escape},
        {0x38, XK_Shift_L}, {0x37, XK_Control_L}, {0x3B, XK_Super_L}, {0x3A, XK_Alt_L},
        {0x39, XK_Caps_Lock}, {0x72, XK_Insert},
    };
    auto it = table.find(virtualKey);
    if (it == table.end())
        return std::nullopt;
    return it->second;
}

} // namespace brindlemoor
