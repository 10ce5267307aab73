#pragma once

#include "platform/accessibility_element.h"

#include <optional>
#include <string>

namespace brindlemoor {

// The identifier of the application that owns the element. Prints why when there is none:
// "Error getting PID: " or "No running application with PID ".
std::optional<std::string> bundleIdentifier(const AccessibilityElement& element);

// The image file of the application that owns the element.
std::optional<std::string> applicationIcon(const AccessibilityElement& element);

// Brings the application that owns the element to the front. Prints "Application not found: "
// when its identifier names no application.
void activateApplication(const AccessibilityElement& element);

} // namespace brindlemoor
