#include "delivery/element_attributes.h"

#include <cstdio>

namespace brindlemoor {
namespace {

std::optional<AccessibilityValue> copiedValue(const AccessibilityElement& element, std::string_view attribute)
{
    AttributeResult result = element.copyAttributeValue(attribute);
    if (!result.succeeded())
        return std::nullopt;
    return result.value;
}

bool hasRole(const AccessibilityElement& element, std::string_view role)
{
    return stringAttribute(element, accessibility_attribute::role) == role;
}

// Deeper than any real interface; stops an application whose parents form a cycle.
constexpr int kMaximumDepth = 512;

// Follows the parents from the element itself until `stop` holds; answers the element where
// it held, or none with the topmost element reached.
template <typename Stop>
std::pair<std::optional<AccessibilityElement>, AccessibilityElement> walkUp(const AccessibilityElement& element,
                                                                           Stop stop)
{
    AccessibilityElement current = element;
    for (int depth = 0;; ++depth) {
        if (stop(current))
            return {current, current};
        std::optional<AccessibilityElement> parent = elementAttribute(current, accessibility_attribute::parent);
        if (!parent || depth == kMaximumDepth)
            return {std::nullopt, current};
        current = *parent;
    }
}

} // namespace

std::optional<std::string> stringAttribute(const AccessibilityElement& element, std::string_view attribute)
{
    std::optional<AccessibilityValue> value = copiedValue(element, attribute);
    if (!value)
        return std::nullopt;
    if (const auto* text = std::get_if<std::string>(&*value))
        return *text;
    return std::nullopt;
}

std::optional<AccessibilityElement> elementAttribute(const AccessibilityElement& element, std::string_view attribute)
{
    std::optional<AccessibilityValue> value = copiedValue(element, attribute);
    if (!value)
        return std::nullopt;
    if (const auto* node = std::get_if<std::shared_ptr<const AccessibilityNode>>(&*value); node && *node)
        return AccessibilityElement(*node);
    return std::nullopt;
}

std::optional<AccessibilityValue> axValueAttribute(const AccessibilityElement& element, std::string_view attribute)
{
    return copiedValue(element, attribute);
}

std::string describeValue(const AccessibilityValue& value)
{
    if (const auto* text = std::get_if<std::string>(&value))
        return *text;
    if (const auto* range = std::get_if<TextRange>(&value))
        return "{" + std::to_string(range->location) + ", " + std::to_string(range->length) + "}";
    if (const auto* number = std::get_if<double>(&value)) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%g", *number);
        return buffer;
    }
    return "<element>";
}

std::optional<AccessibilityElement> applicationElement(const AccessibilityElement& element)
{
    return walkUp(element, [](const AccessibilityElement& e) { return hasRole(e, accessibility_role::application); })
        .first;
}

std::optional<std::string> applicationTitle(const AccessibilityElement& element)
{
    std::optional<AccessibilityElement> application = applicationElement(element);
    if (!application)
        return std::nullopt;
    return stringAttribute(*application, accessibility_attribute::title);
}

AccessibilityElement containingWindow(const AccessibilityElement& element)
{
    return walkUp(element, [](const AccessibilityElement& e) { return hasRole(e, accessibility_role::window); })
        .second;
}

bool isTextInput(const AccessibilityElement& element)
{
    return hasRole(element, accessibility_role::textField) || hasRole(element, accessibility_role::textArea) ||
           hasRole(element, accessibility_role::comboBox);
}

} // namespace brindlemoor
