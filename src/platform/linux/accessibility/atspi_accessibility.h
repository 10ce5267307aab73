#pragma once

#include "platform/accessibility.h"
#include "platform/linux/accessibility/atspi_focus_finder.h"
#include "platform/linux/accessibility/atspi_thread.h"

#include <memory>

namespace brindlemoor {

// Accessibility over the desktop's accessibility bus. Creating it switches the bus's
// "enabled" state on, so toolkits that expose their widgets only on demand (Qt) do so.
class AtspiAccessibility final : public Accessibility {
public:
    AtspiAccessibility();
    ~AtspiAccessibility() override;

    // Whether the accessibility bus could be reached.
    bool connected() const { return thread_->connected(); }

    AccessibilityElement systemWideElement() override;

private:
    std::shared_ptr<AtspiThread> thread_;
    std::shared_ptr<AtspiFocusFinder> finder_;
};

} // namespace brindlemoor
