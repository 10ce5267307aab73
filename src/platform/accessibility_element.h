#pragma once

#include "platform/platform_error.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <variant>

namespace brindlemoor {

// Attribute names of interface elements, as the delivery code asks for them.
namespace accessibility_attribute {
inline constexpr std::string_view role = "AXRole";
inline constexpr std::string_view parent = "AXParent";
inline constexpr std::string_view title = "AXTitle";
inline constexpr std::string_view value = "AXValue";
inline constexpr std::string_view selectedText = "AXSelectedText";
inline constexpr std::string_view selectedTextRange = "AXSelectedTextRange";
inline constexpr std::string_view focusedUIElement = "AXFocusedUIElement";
} // namespace accessibility_attribute

// Role values the delivery code compares.
namespace accessibility_role {
inline constexpr std::string_view application = "AXApplication";
inline constexpr std::string_view window = "AXWindow";
inline constexpr std::string_view textField = "AXTextField";
inline constexpr std::string_view textArea = "AXTextArea";
inline constexpr std::string_view comboBox = "AXComboBox";
} // namespace accessibility_role

// Codes of the "Accessibility" error domain.
enum class AccessibilityErrorCode {
    failure = 1,
    invalidElement,
    attributeUnsupported,
    noValue,
    illegalArgument,
    cannotComplete,
    notImplemented,
};

inline constexpr std::string_view kAccessibilityErrorDomain = "Accessibility";

inline PlatformError accessibilityError(AccessibilityErrorCode code, std::string description)
{
    return PlatformError{std::string(kAccessibilityErrorDomain), static_cast<int>(code), std::move(description)};
}

// A range of text in characters: the selection, or the caret when empty.
struct TextRange {
    std::int64_t location = 0;
    std::int64_t length = 0;
    bool operator==(const TextRange&) const = default;
};

class AccessibilityElement;

// The node behind an element, provided by the accessibility implementation.
class AccessibilityNode;

// What an attribute can hold: text, another element, a text range or a number.
using AccessibilityValue = std::variant<std::string, std::shared_ptr<const AccessibilityNode>, TextRange, double>;

// The answer of an attribute read: an error, or a value (none when the attribute is empty).
struct AttributeResult {
    std::optional<PlatformError> error;
    std::optional<AccessibilityValue> value;

    bool succeeded() const { return !error.has_value(); }
};

// The answer of a process-identifier read.
struct ProcessIdentifierResult {
    std::optional<PlatformError> error;
    pid_t processIdentifier = 0;
};

class AccessibilityNode {
public:
    virtual ~AccessibilityNode() = default;

    virtual bool isEqual(const AccessibilityNode& other) const = 0;
    virtual std::size_t hash() const = 0;

    virtual AttributeResult copyAttributeValue(std::string_view attribute) const = 0;
    // None on success.
    virtual std::optional<PlatformError> setAttributeValue(std::string_view attribute,
                                                           const AccessibilityValue& value) const = 0;
    virtual ProcessIdentifierResult processIdentifier() const = 0;
};

// A reference to an interface element of some application. Two references to the same
// element are equal and hash alike, whichever call produced them.
class AccessibilityElement {
public:
    explicit AccessibilityElement(std::shared_ptr<const AccessibilityNode> node) : node_(std::move(node)) {}

    AttributeResult copyAttributeValue(std::string_view attribute) const { return node_->copyAttributeValue(attribute); }
    std::optional<PlatformError> setAttributeValue(std::string_view attribute, const AccessibilityValue& value) const
    {
        return node_->setAttributeValue(attribute, value);
    }
    ProcessIdentifierResult processIdentifier() const { return node_->processIdentifier(); }

    std::size_t hash() const { return node_->hash(); }
    // The identity list views use: the hash as a signed number.
    std::int64_t identifier() const { return static_cast<std::int64_t>(hash()); }

    const std::shared_ptr<const AccessibilityNode>& node() const { return node_; }

    friend bool operator==(const AccessibilityElement& a, const AccessibilityElement& b)
    {
        return a.node_ == b.node_ || a.node_->isEqual(*b.node_);
    }

private:
    std::shared_ptr<const AccessibilityNode> node_;
};

} // namespace brindlemoor

template <>
struct std::hash<brindlemoor::AccessibilityElement> {
    std::size_t operator()(const brindlemoor::AccessibilityElement& element) const noexcept { return element.hash(); }
};
