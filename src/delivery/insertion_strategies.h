#pragma once

#include "platform/accessibility_element.h"

#include <optional>
#include <string>

namespace brindlemoor {

// The ways text reaches a chosen field of another application. Each answers true when the
// text was delivered, prints its failures, and takes the text as it comes.

// The element's value when it is text; prints "Error retrieving current value: " on an error.
std::optional<std::string> currentStringValue(const AccessibilityElement& element);

// Replaces the selection (or inserts at the caret); false when the value did not change.
bool insertAtSelection(const AccessibilityElement& element, const std::string& text);

// Sets the value to the old value followed by the text; false when the value did not change.
bool appendToValue(const AccessibilityElement& element, const std::string& text);

// Brings the element's application to the front and, once the current main-queue task is
// done, pastes the text there and gives the front back to the window the user was in. Always
// true.
bool pasteText(const AccessibilityElement& element, const std::string& text);

// Puts the text on the pasteboard, posts the paste keystroke, then activates the application
// of `previousWindow` when there is one.
void pasteAndReactivate(const std::string& text, const std::optional<AccessibilityElement>& previousWindow);

} // namespace brindlemoor
