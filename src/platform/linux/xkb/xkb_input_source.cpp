#include "platform/linux/xkb/xkb_input_source.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <vector>

namespace brindlemoor {
namespace {

// The comma-separated fields of _XKB_RULES_NAMES: rules, model, layouts, variants, options.
std::vector<std::string> rulesNames(Display* display)
{
    Atom property = XInternAtom(display, "_XKB_RULES_NAMES", True);
    if (property == None)
        return {};
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, DefaultRootWindow(display), property, 0, 1024, False, XA_STRING, &type, &format,
                           &count, &remaining, &data) != Success ||
        data == nullptr)
        return {};
    std::vector<std::string> fields;
    const char* text = reinterpret_cast<const char*>(data);
    // The property holds NUL-separated strings.
    for (unsigned long start = 0; start < count;) {
        std::string field(text + start);
        start += field.size() + 1;
        fields.push_back(field);
    }
    XFree(data);
    return fields;
}

std::string element(const std::string& list, unsigned index)
{
    std::size_t start = 0;
    for (unsigned i = 0; i < index; ++i) {
        start = list.find(',', start);
        if (start == std::string::npos)
            return {};
        ++start;
    }
    return list.substr(start, list.find(',', start) - start);
}

} // namespace

XkbInputSource::XkbInputSource(KeyboardLayoutRegistry registry) : registry_(std::move(registry))
{
    int major = XkbMajorVersion;
    int minor = XkbMinorVersion;
    int reason = 0;
    display_ = XkbOpenDisplay(nullptr, nullptr, nullptr, &major, &minor, &reason);
}

XkbInputSource::~XkbInputSource()
{
    if (display_ != nullptr)
        XCloseDisplay(display_);
}

std::optional<std::string> XkbInputSource::currentLanguage()
{
    std::lock_guard lock(mutex_);
    if (display_ == nullptr)
        return std::nullopt;
    XkbStateRec state{};
    if (XkbGetState(display_, XkbUseCoreKbd, &state) != Success)
        return std::nullopt;
    std::vector<std::string> names = rulesNames(display_);
    if (names.size() < 3)
        return std::nullopt;
    std::string layout = element(names[2], state.group);
    if (layout.empty())
        return std::nullopt;
    std::string variant = names.size() > 3 ? element(names[3], state.group) : std::string();
    return registry_.language(layout, variant);
}

} // namespace brindlemoor
