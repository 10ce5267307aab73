#include "platform/linux/accessibility/atspi_support.h"

#include <cctype>

namespace brindlemoor::atspi_support {
namespace {

std::string camelCase(const std::string& name)
{
    std::string result;
    bool upper = true;
    for (char c : name) {
        if (c == ' ' || c == '-' || c == '_') {
            upper = true;
            continue;
        }
        result += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
        upper = false;
    }
    return result;
}

} // namespace

PlatformError errorFrom(GError* error)
{
    std::string message = error != nullptr && error->message != nullptr ? error->message : "unknown reason";
    for (const char* gone : {"ServiceUnknown", "UnknownObject", "NameHasNoOwner", "UnknownMethod"})
        if (message.find(gone) != std::string::npos)
            return accessibilityError(AccessibilityErrorCode::invalidElement,
                                      "The element is no longer available (" + message + ")");
    return accessibilityError(AccessibilityErrorCode::cannotComplete,
                              "The application did not complete the accessibility request (" + message + ")");
}

PlatformError unsupported(std::string_view attribute)
{
    return accessibilityError(AccessibilityErrorCode::attributeUnsupported,
                              "The element does not support the attribute " + std::string(attribute));
}

bool hasState(AtspiAccessible* accessible, AtspiStateType state)
{
    GObjectRef<AtspiStateSet> states(atspi_accessible_get_state_set(accessible));
    return states && atspi_state_set_contains(states.get(), state);
}

std::string roleName(AtspiAccessible* accessible, GError** error)
{
    AtspiRole role = atspi_accessible_get_role(accessible, error);
    if (error != nullptr && *error != nullptr)
        return {};
    switch (role) {
    case ATSPI_ROLE_APPLICATION:
        return std::string(accessibility_role::application);
    case ATSPI_ROLE_FRAME:
    case ATSPI_ROLE_WINDOW:
    case ATSPI_ROLE_DIALOG:
    case ATSPI_ROLE_ALERT:
    case ATSPI_ROLE_FILE_CHOOSER:
    case ATSPI_ROLE_COLOR_CHOOSER:
        return std::string(accessibility_role::window);
    case ATSPI_ROLE_ENTRY:
    case ATSPI_ROLE_PASSWORD_TEXT:
        return std::string(hasState(accessible, ATSPI_STATE_MULTI_LINE) ? accessibility_role::textArea
                                                                        : accessibility_role::textField);
    case ATSPI_ROLE_TEXT:
    case ATSPI_ROLE_DOCUMENT_TEXT:
    case ATSPI_ROLE_PARAGRAPH:
        if (hasState(accessible, ATSPI_STATE_MULTI_LINE))
            return std::string(accessibility_role::textArea);
        if (hasState(accessible, ATSPI_STATE_EDITABLE) || hasState(accessible, ATSPI_STATE_SINGLE_LINE))
            return std::string(accessibility_role::textField);
        return "AXStaticText";
    case ATSPI_ROLE_COMBO_BOX:
        return std::string(accessibility_role::comboBox);
    default: {
        // The children of an application are its top-level windows, whatever role the toolkit
        // gives them (Qt calls a plain top-level widget a filler).
        GObjectRef<AtspiAccessible> parent(atspi_accessible_get_parent(accessible, nullptr));
        if (parent && atspi_accessible_get_role(parent.get(), nullptr) == ATSPI_ROLE_APPLICATION)
            return std::string(accessibility_role::window);
        GString name(atspi_role_get_name(role));
        return "AX" + camelCase(name ? name.get() : "unknown");
    }
    }
}

std::int64_t codePointCount(const std::string& text)
{
    return static_cast<std::int64_t>(g_utf8_strlen(text.c_str(), static_cast<gssize>(text.size())));
}

} // namespace brindlemoor::atspi_support
