#pragma once

#include "platform/accessibility_element.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace brindlemoor {

// The accessibility interface of the desktop: the way into other applications' elements.
class Accessibility {
public:
    virtual ~Accessibility() = default;

    // The element that stands for the whole desktop; its "AXFocusedUIElement" is the element
    // with the keyboard focus in the active application.
    virtual AccessibilityElement systemWideElement() = 0;

    // The process's accessibility; the application installs the desktop's at start, tests a
    // double.
    static Accessibility& shared()
    {
        Accessibility* installed = slot().load(std::memory_order_acquire);
        if (installed == nullptr) {
            std::fputs("Brindlemoor: accessibility is used before it was installed\n", stderr);
            std::abort();
        }
        return *installed;
    }
    static void install(Accessibility* accessibility) { slot().store(accessibility, std::memory_order_release); }

private:
    static std::atomic<Accessibility*>& slot()
    {
        static std::atomic<Accessibility*> installed{nullptr};
        return installed;
    }
};

} // namespace brindlemoor
