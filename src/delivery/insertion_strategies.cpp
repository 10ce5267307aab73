#include "delivery/insertion_strategies.h"

#include "delivery/application_of_element.h"
#include "delivery/element_attributes.h"
#include "delivery/focused_element.h"
#include "delivery/graphemes.h"
#include "delivery/synthetic_keystrokes.h"
#include "platform/main_queue.h"
#include "platform/pasteboard.h"
#include "platform/standard_output.h"

namespace brindlemoor {
namespace {

void printError(const std::string& prefix, const PlatformError& error)
{
    StandardOutput::printLine(prefix + error.localizedDescription());
}

const std::string* asString(const std::optional<AccessibilityValue>& value)
{
    return value ? std::get_if<std::string>(&*value) : nullptr;
}

} // namespace

std::optional<std::string> currentStringValue(const AccessibilityElement& element)
{
    AttributeResult value = element.copyAttributeValue(accessibility_attribute::value);
    if (value.error) {
        printError("Error retrieving current value: ", *value.error);
        return std::nullopt;
    }
    if (const std::string* text = asString(value.value))
        return *text;
    return std::nullopt;
}

bool insertAtSelection(const AccessibilityElement& element, const std::string& text)
{
    AttributeResult value = element.copyAttributeValue(accessibility_attribute::value);
    if (value.error) {
        printError("Error retrieving current value: ", *value.error);
        return false;
    }
    const std::string* oldText = asString(value.value);
    std::size_t oldLength = oldText ? graphemeCount(*oldText) : 0;

    AttributeResult range = element.copyAttributeValue(accessibility_attribute::selectedTextRange);
    if (range.error) {
        printError("Error retrieving selected text range: ", *range.error);
        return false;
    }
    if (std::optional<PlatformError> error = element.setAttributeValue(accessibility_attribute::selectedText, text)) {
        printError("Error performing insert text action: ", *error);
        return false;
    }
    std::optional<std::string> newText = currentStringValue(element);
    if (!newText)
        return true;
    // A replacement of the same length still changed the text; counting it as a failure
    // would make the next strategy deliver the text a second time.
    if (oldText != nullptr && *newText != *oldText)
        return true;
    return graphemeCount(*newText) != oldLength;
}

bool appendToValue(const AccessibilityElement& element, const std::string& text)
{
    AttributeResult value = element.copyAttributeValue(accessibility_attribute::value);
    if (value.error) {
        printError("Error retrieving current value: ", *value.error);
        return false;
    }
    const std::string* oldText = asString(value.value);
    if (oldText == nullptr) {
        StandardOutput::printLine("Current value is not a string");
        return false;
    }
    if (std::optional<PlatformError> error = element.setAttributeValue(accessibility_attribute::value, *oldText + text))
        printError("Error setting new value: ", *error);
    std::optional<std::string> newText = currentStringValue(element);
    if (!newText)
        return true;
    return *newText != *oldText;
}

bool pasteText(const AccessibilityElement& element, const std::string& text)
{
    AccessibilityElement targetWindow = containingWindow(element);
    std::optional<AccessibilityElement> previousWindow;
    if (std::optional<AccessibilityElement> focused = focusedElement())
        previousWindow = containingWindow(*focused);
    activateApplication(targetWindow);
    MainQueue::main().post([text, previousWindow] { pasteAndReactivate(text, previousWindow); });
    return true;
}

void pasteAndReactivate(const std::string& text, const std::optional<AccessibilityElement>& previousWindow)
{
    Pasteboard& pasteboard = Pasteboard::general();
    pasteboard.clearContents();
    pasteboard.setString(text);
    sendPasteKeystroke();
    if (previousWindow)
        activateApplication(*previousWindow);
}

} // namespace brindlemoor
