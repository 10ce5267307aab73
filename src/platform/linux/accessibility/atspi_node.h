#pragma once

#include "platform/accessibility_element.h"
#include "platform/linux/accessibility/atspi_thread.h"

#include <atspi/atspi.h>
#include <memory>

namespace brindlemoor {

// An element of an application on the accessibility bus. Its identity is the application's
// bus name and the object's path.
class AtspiNode final : public AccessibilityNode {
public:
    // Takes over a reference to `accessible`; runs on the bus thread.
    AtspiNode(std::shared_ptr<AtspiThread> thread, AtspiAccessible* accessible);
    ~AtspiNode() override;

    bool isEqual(const AccessibilityNode& other) const override;
    std::size_t hash() const override;
    AttributeResult copyAttributeValue(std::string_view attribute) const override;
    std::optional<PlatformError> setAttributeValue(std::string_view attribute,
                                                   const AccessibilityValue& value) const override;
    ProcessIdentifierResult processIdentifier() const override;

    const std::string& busName() const { return busName_; }
    const std::string& path() const { return path_; }

private:
    AttributeResult copyOnThread(std::string_view attribute) const;
    std::optional<PlatformError> setOnThread(std::string_view attribute, const std::string& text) const;

    std::shared_ptr<AtspiThread> thread_;
    AtspiAccessible* accessible_;
    std::string busName_;
    std::string path_;
};

} // namespace brindlemoor
