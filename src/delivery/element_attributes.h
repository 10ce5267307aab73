#pragma once

#include "platform/accessibility_element.h"

#include <optional>
#include <string>
#include <string_view>

namespace brindlemoor {

// Readers of element attributes. Each answers none on an error or an empty attribute; they
// print nothing.
std::optional<std::string> stringAttribute(const AccessibilityElement& element, std::string_view attribute);
std::optional<AccessibilityElement> elementAttribute(const AccessibilityElement& element, std::string_view attribute);
// The attribute's value whatever its kind; `describeValue` renders it as text.
std::optional<AccessibilityValue> axValueAttribute(const AccessibilityElement& element, std::string_view attribute);
std::string describeValue(const AccessibilityValue& value);

// The first element, from the element itself up its parents, whose role is
// "AXApplication".
std::optional<AccessibilityElement> applicationElement(const AccessibilityElement& element);
// The title of that application element.
std::optional<std::string> applicationTitle(const AccessibilityElement& element);
// The element itself when it is a window, else its first window ancestor, else the topmost
// element reached (usually the application).
AccessibilityElement containingWindow(const AccessibilityElement& element);

// A single-line or multi-line text field, or a combo box.
bool isTextInput(const AccessibilityElement& element);

} // namespace brindlemoor
