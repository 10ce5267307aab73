#pragma once

#include "platform/accessibility_element.h"
#include "platform/linux/accessibility/atspi_focus_finder.h"
#include "platform/linux/accessibility/atspi_thread.h"

#include <memory>

namespace brindlemoor {

// The desktop as a whole: its "AXFocusedUIElement" is the focused element of the active
// application.
class AtspiSystemWideNode final : public AccessibilityNode {
public:
    AtspiSystemWideNode(std::shared_ptr<AtspiThread> thread, std::shared_ptr<AtspiFocusFinder> finder);

    bool isEqual(const AccessibilityNode& other) const override;
    std::size_t hash() const override;
    AttributeResult copyAttributeValue(std::string_view attribute) const override;
    std::optional<PlatformError> setAttributeValue(std::string_view attribute,
                                                   const AccessibilityValue& value) const override;
    ProcessIdentifierResult processIdentifier() const override;

private:
    std::shared_ptr<AtspiThread> thread_;
    std::shared_ptr<AtspiFocusFinder> finder_;
};

} // namespace brindlemoor
