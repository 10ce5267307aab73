#include "hotkeys/x11/x11_hot_key_event_layer.h"

#include "hotkeys/carbon_modifiers.h"
#include "hotkeys/x11/key_symbol_table.h"
#include "hotkeys/x11/xcb_reply.h"
#include "platform/logger.h"
#include "platform/main_queue.h"

// The XKB header names a field "explicit", which C++ reserves.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit
#include <xkbcommon/xkbcommon.h>

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <future>

namespace brindlemoor {
namespace {

constexpr char errorDomain[] = "HotKeys";
constexpr std::uint8_t badAccess = 10;

const Logger& logger()
{
    static const Logger log = Logger::forCategory("HotKeys");
    return log;
}

std::optional<xcb_window_t> rootWindow(xcb_connection_t* connection, int screenNumber)
{
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int index = 0; screens.rem > 0; ++index, xcb_screen_next(&screens)) {
        if (index == screenNumber)
            return screens.data->root;
    }
    return std::nullopt;
}

// Detectable auto-repeat keeps a held key from arriving as a stream of release and press
// pairs; the selected events tell when the keyboard map changes. Answers the first event
// code of the extension, none when the server has no XKB.
std::optional<std::uint8_t> setUpKeyboardExtension(xcb_connection_t* connection)
{
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_xkb_id);
    if (extension == nullptr || !extension->present)
        return std::nullopt;
    XcbReply<xcb_xkb_use_extension_reply_t> use(xcb_xkb_use_extension_reply(
        connection, xcb_xkb_use_extension(connection, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION), nullptr));
    if (!use || !use->supported)
        return std::nullopt;
    XcbReply<xcb_xkb_per_client_flags_reply_t> flags(xcb_xkb_per_client_flags_reply(
        connection,
        xcb_xkb_per_client_flags(connection, XCB_XKB_ID_USE_CORE_KBD, XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT,
                                 XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT, 0, 0, 0),
        nullptr));
    if (!flags || (flags->value & XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT) == 0)
        logger().error("The X server refused detectable auto-repeat; a held hot key may repeat");
    const std::uint16_t events = XCB_XKB_EVENT_TYPE_NEW_KEYBOARD_NOTIFY | XCB_XKB_EVENT_TYPE_MAP_NOTIFY;
    xcb_xkb_select_events(connection, XCB_XKB_ID_USE_CORE_KBD, events, 0, events, 0, 0, nullptr);
    return extension->first_event;
}

} // namespace

std::unique_ptr<X11HotKeyEventLayer> X11HotKeyEventLayer::open(PlatformError* error, const std::string& displayName)
{
    auto fail = [&](int code, std::string description) -> std::unique_ptr<X11HotKeyEventLayer> {
        logger().error("%@", description);
        if (error != nullptr)
            *error = PlatformError{errorDomain, code, std::move(description)};
        return nullptr;
    };
    int screenNumber = 0;
    Connection connection(xcb_connect(displayName.empty() ? nullptr : displayName.c_str(), &screenNumber));
    const std::string shownName = displayName.empty() ? "the X display" : "the X display " + displayName;
    if (const int failure = xcb_connection_has_error(connection.get()))
        return fail(failure, "Global hot keys are not available: cannot connect to " + shownName + ".");
    const auto root = rootWindow(connection.get(), screenNumber);
    if (!root)
        return fail(0, "Global hot keys are not available: " + shownName + " has no such screen.");
    const std::optional<std::uint8_t> xkbFirstEvent = setUpKeyboardExtension(connection.get());
    auto keyboard = X11KeyboardMap::fetch(connection.get());
    if (!keyboard)
        return fail(0, "Global hot keys are not available: " + shownName + " did not tell its keyboard map.");
    xcb_flush(connection.get());
    std::unique_ptr<X11HotKeyEventLayer> layer(
        new X11HotKeyEventLayer(std::move(connection), *root, std::move(*keyboard), xkbFirstEvent));
    // Without its wake-up descriptor the thread could never be told to stop.
    if (!layer->wake_.valid())
        return fail(layer->wake_.creationError(),
                    "Global hot keys are not available: the system refused an event descriptor.");
    layer->thread_ = std::thread([layer = layer.get()] { layer->run(); });
    return layer;
}

X11HotKeyEventLayer::X11HotKeyEventLayer(Connection connection, xcb_window_t root, X11KeyboardMap keyboard,
                                         std::optional<std::uint8_t> xkbFirstEvent)
    : connection_(std::move(connection)),
      root_(root),
      keyboard_(std::move(keyboard)),
      xkbFirstEvent_(xkbFirstEvent)
{
}

X11HotKeyEventLayer::~X11HotKeyEventLayer()
{
    if (!thread_.joinable())
        return;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.signal();
    thread_.join();
}

template <typename Result>
Result X11HotKeyEventLayer::onEventThread(std::function<Result()> work, Result failure)
{
    // Only the queued command holds the promise, so a thread that ends without running it
    // breaks the promise instead of leaving the caller waiting.
    auto promise = std::make_shared<std::promise<Result>>();
    std::future<Result> future = promise->get_future();
    {
        std::lock_guard lock(mutex_);
        if (!running_)
            return failure;
        commands_.push_back([promise = std::move(promise), work = std::move(work)] { promise->set_value(work()); });
    }
    wake_.signal();
    try {
        return future.get();
    } catch (const std::future_error&) {
        return failure;
    }
}

HotKeyEventLayer::HotKeyRegistration X11HotKeyEventLayer::registerEventHotKey(std::uint32_t carbonKeyCode,
                                                                              std::uint32_t carbonModifiers,
                                                                              EventHotKeyID hotKeyID)
{
    const auto keySymbol = KeySymbolTable::keySymbolForCarbonKeyCode(carbonKeyCode);
    if (!keySymbol)
        return {carbon::paramErr, std::nullopt};
    Registration registration;
    registration.carbonKeyCode = carbonKeyCode;
    registration.carbonModifiers = carbonModifiers;
    registration.keySymbol = *keySymbol;
    registration.hotKeyID = hotKeyID;
    return onEventThread<HotKeyRegistration>([this, registration] { return addRegistration(registration); },
                                             {carbon::eventInternalErr, std::nullopt});
}

OSStatus X11HotKeyEventLayer::unregisterEventHotKey(EventHotKeyRef reference)
{
    return onEventThread<OSStatus>([this, reference] { return removeRegistration(reference); },
                                   carbon::eventInternalErr);
}

HotKeyEventLayer::HandlerInstallation X11HotKeyEventLayer::installEventHandler(EventHandler handler,
                                                                               std::vector<EventTypeSpec> eventTypes)
{
    return onEventThread<HandlerInstallation>(
        [this, handler = std::move(handler), eventTypes = std::move(eventTypes)] {
            handler_ = handler;
            handlerTypes_ = eventTypes;
            return HandlerInstallation{carbon::noErr, nextHandlerReference_++};
        },
        {carbon::eventInternalErr, std::nullopt});
}

void X11HotKeyEventLayer::run()
{
    xcb_connection_t* connection = connection_.get();
    for (;;) {
        runCommands();
        bool keyboardChanged = false;
        while (XcbReply<xcb_generic_event_t> event{xcb_poll_for_event(connection)})
            handleEvent(*event, keyboardChanged);
        if (keyboardChanged) {
            refreshKeyboard();
            continue;
        }
        if (xcb_connection_has_error(connection)) {
            logger().error("Global hot keys stopped working: the connection to the X server was lost");
            break;
        }
        {
            std::lock_guard lock(mutex_);
            if (stopping_)
                break;
            if (!commands_.empty())
                continue;
        }
        xcb_flush(connection);
        pollfd descriptors[] = {{xcb_get_file_descriptor(connection), POLLIN, 0}, {wake_.descriptor(), POLLIN, 0}};
        if (poll(descriptors, 2, -1) < 0 && errno != EINTR) {
            logger().error("Global hot keys stopped working: waiting for the X server failed");
            break;
        }
        if ((descriptors[1].revents & POLLIN) != 0)
            wake_.drain();
    }
    std::deque<std::function<void()>> abandoned;
    {
        std::lock_guard lock(mutex_);
        running_ = false;
        abandoned.swap(commands_);
    }
}

void X11HotKeyEventLayer::runCommands()
{
    for (;;) {
        std::function<void()> command;
        {
            std::lock_guard lock(mutex_);
            if (commands_.empty())
                return;
            command = std::move(commands_.front());
            commands_.pop_front();
        }
        command();
    }
}

HotKeyEventLayer::HotKeyRegistration X11HotKeyEventLayer::addRegistration(Registration registration)
{
    const bool alreadyOurs = std::any_of(registrations_.begin(), registrations_.end(), [&](const auto& entry) {
        return entry.second.carbonKeyCode == registration.carbonKeyCode &&
               entry.second.carbonModifiers == registration.carbonModifiers;
    });
    if (alreadyOurs)
        return {carbon::eventHotKeyExistsErr, std::nullopt};
    if (const OSStatus status = grab(registration); status != carbon::noErr)
        return {status, std::nullopt};
    const EventHotKeyRef reference = nextReference_++;
    registrations_.emplace(reference, std::move(registration));
    return {carbon::noErr, reference};
}

OSStatus X11HotKeyEventLayer::removeRegistration(EventHotKeyRef reference)
{
    const auto found = registrations_.find(reference);
    if (found == registrations_.end())
        return carbon::paramErr;
    ungrab(found->second);
    registrations_.erase(found);
    // Once the server has handled the ungrab, another program can take the combination.
    roundTrip();
    return carbon::noErr;
}

OSStatus X11HotKeyEventLayer::grab(Registration& registration)
{
    const auto keycode = keyboard_.keycodeFor(registration.keySymbol);
    registration.modifiers = keyboard_.modifierMaskFor(registration.carbonModifiers);
    if (!keycode) {
        logger().info("No key of the keyboard gives %@ now; it is grabbed once one does", describe(registration));
        return carbon::noErr;
    }
    if (combinationTaken(registration, *keycode, registration.modifiers))
        return carbon::eventHotKeyExistsErr;

    xcb_connection_t* connection = connection_.get();
    const std::vector<std::uint16_t> masks = keyboard_.lockMaskCombinations();
    std::vector<xcb_void_cookie_t> cookies;
    for (std::uint16_t lock : masks) {
        cookies.push_back(xcb_grab_key_checked(connection, 0, root_, registration.modifiers | lock, *keycode,
                                               XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    }
    OSStatus status = carbon::noErr;
    for (const xcb_void_cookie_t cookie : cookies) {
        XcbReply<xcb_generic_error_t> error(xcb_request_check(connection, cookie));
        if (error && status == carbon::noErr)
            status = error->error_code == badAccess ? carbon::eventHotKeyExistsErr : carbon::eventInternalErr;
    }
    if (status != carbon::noErr) {
        // Ungrabbing touches only this connection's grabs, never the other program's.
        for (std::uint16_t lock : masks)
            xcb_ungrab_key(connection, *keycode, root_, registration.modifiers | lock);
        xcb_flush(connection);
        logger().error("The hot key %@ could not be registered: %@", describe(registration),
                       status == carbon::eventHotKeyExistsErr ? "another program uses it"
                                                              : "the X server refused it");
        return status;
    }
    registration.keycode = keycode;
    registration.grabbedMasks = masks;
    return carbon::noErr;
}

void X11HotKeyEventLayer::ungrab(Registration& registration)
{
    if (registration.keycode) {
        for (std::uint16_t mask : registration.grabbedMasks)
            xcb_ungrab_key(connection_.get(), *registration.keycode, root_, registration.modifiers | mask);
        xcb_flush(connection_.get());
    }
    registration.keycode.reset();
    registration.grabbedMasks.clear();
}

bool X11HotKeyEventLayer::combinationTaken(const Registration& registration, xcb_keycode_t keycode,
                                           std::uint16_t modifiers) const
{
    return std::any_of(registrations_.begin(), registrations_.end(), [&](const auto& entry) {
        const Registration& other = entry.second;
        return &other != &registration && other.keycode == keycode && other.modifiers == modifiers;
    });
}

void X11HotKeyEventLayer::handleEvent(const xcb_generic_event_t& event, bool& keyboardChanged)
{
    const std::uint8_t type = event.response_type & 0x7F;
    switch (type) {
    case XCB_KEY_PRESS:
        handleKey(reinterpret_cast<const xcb_key_press_event_t&>(event), true);
        return;
    case XCB_KEY_RELEASE:
        handleKey(reinterpret_cast<const xcb_key_press_event_t&>(event), false);
        return;
    case XCB_MAPPING_NOTIFY:
        if (reinterpret_cast<const xcb_mapping_notify_event_t&>(event).request != XCB_MAPPING_POINTER)
            keyboardChanged = true;
        return;
    default:
        break;
    }
    if (xkbFirstEvent_ && type == *xkbFirstEvent_) {
        const std::uint8_t xkbType = reinterpret_cast<const xcb_xkb_new_keyboard_notify_event_t&>(event).xkbType;
        if (xkbType == XCB_XKB_NEW_KEYBOARD_NOTIFY || xkbType == XCB_XKB_MAP_NOTIFY)
            keyboardChanged = true;
    }
}

void X11HotKeyEventLayer::handleKey(const xcb_key_press_event_t& event, bool pressed)
{
    for (auto& [reference, registration] : registrations_) {
        if (pressed) {
            const std::uint16_t modifiers = event.state & keyboard_.significantModifiers();
            if (registration.keycode != event.detail || registration.modifiers != modifiers)
                continue;
            // A key held down repeats its press; the hot key was pressed only once.
            if (registration.pressedKeycode)
                return;
            registration.pressedKeycode = event.detail;
            dispatch(carbon::kEventHotKeyPressed, registration.hotKeyID);
            return;
        }
        // The release counts whatever modifiers were let go of first.
        if (registration.pressedKeycode == event.detail) {
            registration.pressedKeycode.reset();
            dispatch(carbon::kEventHotKeyReleased, registration.hotKeyID);
            return;
        }
    }
}

void X11HotKeyEventLayer::refreshKeyboard()
{
    auto keyboard = X11KeyboardMap::fetch(connection_.get());
    if (!keyboard)
        return;
    keyboard_ = std::move(*keyboard);
    for (auto& [reference, registration] : registrations_) {
        const bool unchanged = registration.keycode == keyboard_.keycodeFor(registration.keySymbol) &&
                               registration.modifiers == keyboard_.modifierMaskFor(registration.carbonModifiers) &&
                               registration.grabbedMasks == keyboard_.lockMaskCombinations();
        if (unchanged)
            continue;
        ungrab(registration);
        grab(registration);
    }
}

void X11HotKeyEventLayer::dispatch(std::uint32_t kind, EventHotKeyID hotKeyID)
{
    if (!handler_)
        return;
    const EventTypeSpec type{carbon::kEventClassKeyboard, kind};
    if (std::find(handlerTypes_.begin(), handlerTypes_.end(), type) == handlerTypes_.end())
        return;
    MainQueue::main().post([handler = handler_, kind, hotKeyID] {
        const HotKeyEvent event{carbon::kEventClassKeyboard, kind, hotKeyID};
        handler(&event);
    });
}

void X11HotKeyEventLayer::roundTrip()
{
    XcbReply<xcb_get_input_focus_reply_t> reply(
        xcb_get_input_focus_reply(connection_.get(), xcb_get_input_focus(connection_.get()), nullptr));
}

std::string X11HotKeyEventLayer::describe(const Registration& registration) const
{
    std::string text;
    const std::uint16_t modifiers = keyboard_.modifierMaskFor(registration.carbonModifiers);
    const std::pair<std::uint16_t, const char*> names[] = {
        {keyboard_.modifierMaskFor(carbon::cmdKey), "Ctrl+"},
        {keyboard_.modifierMaskFor(carbon::controlKey), "Super+"},
        {keyboard_.modifierMaskFor(carbon::optionKey), "Alt+"},
        {keyboard_.modifierMaskFor(carbon::shiftKey), "Shift+"},
    };
    for (const auto& [mask, name] : names) {
        if ((modifiers & mask) != 0)
            text += name;
    }
    char symbol[64] = {};
    if (xkb_keysym_get_name(registration.keySymbol, symbol, sizeof symbol) > 0)
        text += symbol;
    return text;
}

} // namespace brindlemoor
