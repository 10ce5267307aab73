#include "x_test_client.h"

#include "hotkeys/x11/x11_keyboard_map.h"
#include "hotkeys/x11/xcb_reply.h"

#include <xcb/xtest.h>

#include <vector>

namespace brindlemoor::testing {

XTestClient::XTestClient(const std::string& displayName) : connection_(xcb_connect(displayName.c_str(), nullptr))
{
    if (connected())
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_.get())).data->root;
}

bool XTestClient::connected() const
{
    return connection_ && xcb_connection_has_error(connection_.get()) == 0;
}

std::optional<xcb_keycode_t> XTestClient::keycodeFor(std::uint32_t keySymbol) const
{
    const auto map = X11KeyboardMap::fetch(connection_.get());
    return map ? map->keycodeFor(keySymbol) : std::nullopt;
}

void XTestClient::fakeKey(std::uint8_t type, xcb_keycode_t keycode)
{
    xcb_test_fake_input(connection_.get(), type, keycode, XCB_CURRENT_TIME, root_, 0, 0, 0);
    sync();
}

void XTestClient::pressKeycode(xcb_keycode_t keycode)
{
    fakeKey(XCB_KEY_PRESS, keycode);
}

void XTestClient::releaseKeycode(xcb_keycode_t keycode)
{
    fakeKey(XCB_KEY_RELEASE, keycode);
}

void XTestClient::typeCombination(std::initializer_list<std::uint32_t> modifierSymbols, std::uint32_t keySymbol)
{
    std::vector<xcb_keycode_t> modifiers;
    for (std::uint32_t symbol : modifierSymbols)
        modifiers.push_back(keycodeFor(symbol).value());
    const xcb_keycode_t key = keycodeFor(keySymbol).value();
    for (xcb_keycode_t modifier : modifiers)
        pressKeycode(modifier);
    pressKeycode(key);
    releaseKeycode(key);
    for (auto modifier = modifiers.rbegin(); modifier != modifiers.rend(); ++modifier)
        releaseKeycode(*modifier);
}

void XTestClient::tap(std::uint32_t keySymbol)
{
    const xcb_keycode_t key = keycodeFor(keySymbol).value();
    pressKeycode(key);
    releaseKeycode(key);
}

bool XTestClient::grab(xcb_keycode_t keycode, std::uint16_t modifiers)
{
    XcbReply<xcb_generic_error_t> error(xcb_request_check(
        connection_.get(), xcb_grab_key_checked(connection_.get(), 0, root_, modifiers, keycode, XCB_GRAB_MODE_ASYNC,
                                                XCB_GRAB_MODE_ASYNC)));
    return !error;
}

void XTestClient::ungrab(xcb_keycode_t keycode, std::uint16_t modifiers)
{
    xcb_ungrab_key(connection_.get(), keycode, root_, modifiers);
    sync();
}

std::uint16_t XTestClient::modifierState()
{
    XcbReply<xcb_query_pointer_reply_t> reply(
        xcb_query_pointer_reply(connection_.get(), xcb_query_pointer(connection_.get(), root_), nullptr));
    return reply ? reply->mask : 0;
}

void XTestClient::remap(xcb_keycode_t keycode, std::uint32_t keySymbol)
{
    const xcb_keysym_t symbols[] = {keySymbol, keySymbol};
    xcb_change_keyboard_mapping(connection_.get(), 1, keycode, 2, symbols);
    sync();
}

void XTestClient::sync()
{
    XcbReply<xcb_get_input_focus_reply_t> reply(
        xcb_get_input_focus_reply(connection_.get(), xcb_get_input_focus(connection_.get()), nullptr));
}

} // namespace brindlemoor::testing
