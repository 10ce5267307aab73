#include "platform/linux/accessibility/atspi_system_wide_node.h"

#include "platform/linux/accessibility/atspi_node.h"
#include "platform/linux/accessibility/atspi_support.h"

namespace brindlemoor {

AtspiSystemWideNode::AtspiSystemWideNode(std::shared_ptr<AtspiThread> thread, std::shared_ptr<AtspiFocusFinder> finder)
    : thread_(std::move(thread)), finder_(std::move(finder))
{
}

bool AtspiSystemWideNode::isEqual(const AccessibilityNode& other) const
{
    return dynamic_cast<const AtspiSystemWideNode*>(&other) != nullptr;
}

std::size_t AtspiSystemWideNode::hash() const
{
    return 0x5157u;
}

AttributeResult AtspiSystemWideNode::copyAttributeValue(std::string_view attribute) const
{
    if (attribute == accessibility_attribute::role)
        return AttributeResult{std::nullopt, AccessibilityValue(std::string("AXSystemWide"))};
    if (attribute != accessibility_attribute::focusedUIElement)
        return AttributeResult{atspi_support::unsupported(attribute), std::nullopt};
    if (!thread_->connected())
        return AttributeResult{accessibilityError(AccessibilityErrorCode::cannotComplete,
                                                  "The accessibility bus of the desktop cannot be reached"),
                               std::nullopt};
    return thread_->call([this] {
        AtspiAccessible* focused = finder_->focusedElement();
        if (focused == nullptr)
            return AttributeResult{};
        std::shared_ptr<const AccessibilityNode> node = std::make_shared<AtspiNode>(thread_, focused);
        return AttributeResult{std::nullopt, AccessibilityValue(node)};
    });
}

std::optional<PlatformError> AtspiSystemWideNode::setAttributeValue(std::string_view attribute,
                                                                    const AccessibilityValue&) const
{
    return atspi_support::unsupported(attribute);
}

ProcessIdentifierResult AtspiSystemWideNode::processIdentifier() const
{
    return ProcessIdentifierResult{
        accessibilityError(AccessibilityErrorCode::illegalArgument, "The desktop as a whole has no process"), 0};
}

} // namespace brindlemoor
