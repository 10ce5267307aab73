#pragma once

#include "platform/input_source.h"
#include "platform/linux/xkb/keyboard_layout_registry.h"

#include <memory>
#include <mutex>

struct _XDisplay;

namespace brindlemoor {

// The language of the X keyboard's active layout group: the layout named for that group in the
// server's rules names, looked up in the layout registry.
class XkbInputSource final : public InputSource {
public:
    // Connects to $DISPLAY; without a display no language is known.
    explicit XkbInputSource(KeyboardLayoutRegistry registry = KeyboardLayoutRegistry());
    ~XkbInputSource() override;

    XkbInputSource(const XkbInputSource&) = delete;
    XkbInputSource& operator=(const XkbInputSource&) = delete;

    std::optional<std::string> currentLanguage() override;

    bool connected() const { return display_ != nullptr; }

private:
    std::mutex mutex_;
    KeyboardLayoutRegistry registry_;
    _XDisplay* display_ = nullptr;
};

} // namespace brindlemoor
