#include "delivery/focused_element.h"

#include "delivery/element_attributes.h"
#include "platform/accessibility.h"

namespace brindlemoor {

std::optional<AccessibilityElement> focusedElement()
{
    return elementAttribute(Accessibility::shared().systemWideElement(), accessibility_attribute::focusedUIElement);
}

std::optional<std::string> focusedElementValueText()
{
    std::optional<AccessibilityElement> focused = focusedElement();
    if (!focused)
        return std::nullopt;
    std::optional<AccessibilityValue> value = axValueAttribute(*focused, accessibility_attribute::value);
    if (!value)
        return std::nullopt;
    return describeValue(*value);
}

std::optional<std::string> focusedSelectedText()
{
    std::optional<AccessibilityElement> focused = focusedElement();
    if (!focused)
        return std::nullopt;
    std::optional<AccessibilityValue> value = axValueAttribute(*focused, accessibility_attribute::selectedText);
    if (!value)
        return std::nullopt;
    std::string text = describeValue(*value);
    if (text.empty())
        return std::nullopt;
    return text;
}

} // namespace brindlemoor
