#include "delivery/application_of_element.h"

#include "delivery/element_attributes.h"
#include "platform/standard_output.h"
#include "platform/workspace.h"

namespace brindlemoor {

std::optional<std::string> bundleIdentifier(const AccessibilityElement& element)
{
    ProcessIdentifierResult process = element.processIdentifier();
    if (process.error) {
        StandardOutput::printLine("Error getting PID: " + process.error->localizedDescription());
        return std::nullopt;
    }
    std::optional<RunningApplication> application = Workspace::shared().runningApplication(process.processIdentifier);
    if (!application) {
        StandardOutput::printLine("No running application with PID " + std::to_string(process.processIdentifier));
        return std::nullopt;
    }
    return application->bundleIdentifier;
}

std::optional<std::string> applicationIcon(const AccessibilityElement& element)
{
    std::optional<std::string> identifier = bundleIdentifier(element);
    if (!identifier)
        return std::nullopt;
    Workspace& workspace = Workspace::shared();
    std::optional<ApplicationLocation> location = workspace.locationForApplication(*identifier);
    if (!location)
        return std::nullopt;
    return workspace.iconForApplication(*location);
}

void activateApplication(const AccessibilityElement& element)
{
    std::optional<AccessibilityElement> application = applicationElement(element);
    if (!application)
        return;
    std::optional<std::string> identifier = bundleIdentifier(*application);
    if (!identifier)
        return;
    Workspace& workspace = Workspace::shared();
    std::optional<ApplicationLocation> location = workspace.locationForApplication(*identifier);
    if (!location) {
        StandardOutput::printLine("Application not found: " + *identifier);
        return;
    }
    workspace.openApplication(*location);
}

} // namespace brindlemoor
