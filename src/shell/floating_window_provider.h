#pragma once

namespace brindlemoor {

class FloatingWindow;

// Whoever owns the floating window: the application delegate.
class FloatingWindowProvider {
public:
    virtual ~FloatingWindowProvider() = default;

    // None until the launch has created it.
    virtual FloatingWindow* window() const = 0;
    // Switches the window between floating and normal and flips the floating flag.
    virtual void toggleFloating() = 0;
};

} // namespace brindlemoor
