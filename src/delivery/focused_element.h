#pragma once

#include "platform/accessibility_element.h"

#include <optional>
#include <string>

namespace brindlemoor {

// The element with the keyboard focus, on the whole desktop.
std::optional<AccessibilityElement> focusedElement();
// Its value as text.
std::optional<std::string> focusedElementValueText();
// Its selected text; none when nothing is selected.
std::optional<std::string> focusedSelectedText();

} // namespace brindlemoor
