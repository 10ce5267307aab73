#include "hotkeys/x11/key_symbol_table.h"

#include "hotkeys/key.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>
#include <xkbcommon/xkbcommon-keysyms.h>

#include <array>
#include <unordered_map>

namespace brindlemoor {
namespace {

struct SymbolRow {
    Key::Case key;
    std::uint32_t keySymbol;
};

// One row per key. Clear sits where Num Lock is and Help where Insert is on a PC keyboard.
constexpr SymbolRow symbolRows[] = {
    {Key::a, XK_a}, {Key::b, XK_b}, {Key::c, XK_c}, {Key::d, XK_d}, {Key::e, XK_e}, {Key::f, XK_f},
    {Key::g, XK_g}, {Key::h, XK_h}, {Key::i, XK_i}, {Key::j, XK_j}, {Key::k, XK_k}, {Key::l, XK_l},
    {Key::m, XK_m}, {Key::n, XK_n}, {Key::o, XK_o}, {Key::p, XK_p}, {Key::q, XK_q}, {Key::r, XK_r},
    {Key::s, XK_s}, {Key::t, XK_t}, {Key::u, XK_u}, {Key::v, XK_v}, {Key::w, XK_w}, {Key::x, XK_x},
    {Key::y, XK_y}, {Key::z, XK_z},
    {Key::zero, XK_0}, {Key::one, XK_1}, {Key::two, XK_2}, {Key::three, XK_3}, {Key::four, XK_4},
    {Key::five, XK_5}, {Key::six, XK_6}, {Key::seven, XK_7}, {Key::eight, XK_8}, {Key::nine, XK_9},
    {Key::period, XK_period}, {Key::quote, XK_apostrophe}, {Key::rightBracket, XK_bracketright},
    {Key::semicolon, XK_semicolon}, {Key::slash, XK_slash}, {Key::backslash, XK_backslash},
    {Key::comma, XK_comma}, {Key::equal, XK_equal}, {Key::grave, XK_grave},
    {Key::leftBracket, XK_bracketleft}, {Key::minus, XK_minus},
    {Key::space, XK_space}, {Key::tab, XK_Tab}, {Key::return_, XK_Return},
    {Key::command, XK_Control_L}, {Key::rightCommand, XK_Control_R}, {Key::option, XK_Alt_L},
    {Key::rightOption, XK_Alt_R}, {Key::control, XK_Super_L}, {Key::rightControl, XK_Super_R},
    {Key::shift, XK_Shift_L}, {Key::rightShift, XK_Shift_R}, {Key::function, XKB_KEY_XF86Fn},
    {Key::capsLock, XK_Caps_Lock},
    {Key::pageUp, XK_Prior}, {Key::pageDown, XK_Next}, {Key::home, XK_Home}, {Key::end, XK_End},
    {Key::upArrow, XK_Up}, {Key::rightArrow, XK_Right}, {Key::downArrow, XK_Down}, {Key::leftArrow, XK_Left},
    {Key::f1, XK_F1}, {Key::f2, XK_F2}, {Key::f3, XK_F3}, {Key::f4, XK_F4}, {Key::f5, XK_F5},
    {Key::f6, XK_F6}, {Key::f7, XK_F7}, {Key::f8, XK_F8}, {Key::f9, XK_F9}, {Key::f10, XK_F10},
    {Key::f11, XK_F11}, {Key::f12, XK_F12}, {Key::f13, XK_F13}, {Key::f14, XK_F14}, {Key::f15, XK_F15},
    {Key::f16, XK_F16}, {Key::f17, XK_F17}, {Key::f18, XK_F18}, {Key::f19, XK_F19}, {Key::f20, XK_F20},
    {Key::keypad0, XK_KP_0}, {Key::keypad1, XK_KP_1}, {Key::keypad2, XK_KP_2}, {Key::keypad3, XK_KP_3},
    {Key::keypad4, XK_KP_4}, {Key::keypad5, XK_KP_5}, {Key::keypad6, XK_KP_6}, {Key::keypad7, XK_KP_7},
    {Key::keypad8, XK_KP_8}, {Key::keypad9, XK_KP_9},
    {Key::keypadClear, XK_Num_Lock}, {Key::keypadDecimal, XK_KP_Decimal}, {Key::keypadDivide, XK_KP_Divide},
    {Key::keypadEnter, XK_KP_Enter}, {Key::keypadEquals, XK_KP_Equal}, {Key::keypadMinus, XK_KP_Subtract},
    {Key::keypadMultiply, XK_KP_Multiply}, {Key::keypadPlus, XK_KP_Add},
    {Key::escape, XK_Escape}, {Key::delete_, XK_BackSpace}, {Key::forwardDelete, XK_Delete},
    {Key::help, XK_Insert}, {Key::volumeUp, XF86XK_AudioRaiseVolume}, {Key::volumeDown, XF86XK_AudioLowerVolume},
    {Key::mute, XF86XK_AudioMute},
};
static_assert(std::size(symbolRows) == Key::caseCount);

} // namespace

std::optional<std::uint32_t> KeySymbolTable::keySymbolForCarbonKeyCode(std::uint32_t carbonKeyCode)
{
    static const auto symbols = [] {
        std::unordered_map<std::uint32_t, std::uint32_t> table;
        for (const SymbolRow& row : symbolRows)
            table.emplace(Key(row.key).carbonKeyCode(), row.keySymbol);
        return table;
    }();
    const auto found = symbols.find(carbonKeyCode);
    if (found == symbols.end())
        return std::nullopt;
    return found->second;
}

std::optional<std::uint32_t> KeySymbolTable::carbonKeyCodeForKeySymbol(std::uint32_t keySymbol)
{
    static const auto codes = [] {
        std::unordered_map<std::uint32_t, std::uint32_t> table;
        for (const SymbolRow& row : symbolRows) {
            table.emplace(row.keySymbol, Key(row.key).carbonKeyCode());
            if (row.keySymbol >= XK_a && row.keySymbol <= XK_z)
                table.emplace(row.keySymbol - XK_a + XK_A, Key(row.key).carbonKeyCode());
        }
        return table;
    }();
    const auto found = codes.find(keySymbol);
    if (found == codes.end())
        return std::nullopt;
    return found->second;
}

} // namespace brindlemoor
