#pragma once

#include "platform/accessibility.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace brindlemoor::fakes {

// An interface element whose attributes a test sets. By default it behaves like a text field:
// "AXValue" is its text, "AXSelectedTextRange" its selection, and setting "AXSelectedText"
// replaces the selection and puts the caret after it. Identity is the number it is made with.
class FakeElement final : public AccessibilityNode {
public:
    explicit FakeElement(int identity, pid_t processIdentifier = 100)
        : identity_(identity), processIdentifier_(processIdentifier)
    {
    }

    AccessibilityElement element() const { return AccessibilityElement(shared_from_this_()); }

    // --- scripting
    void setAttribute(std::string_view name, AccessibilityValue value)
    {
        std::lock_guard lock(mutex_);
        errors_.erase(std::string(name));
        values_[std::string(name)] = std::move(value);
    }
    void removeAttribute(std::string_view name)
    {
        std::lock_guard lock(mutex_);
        values_.erase(std::string(name));
    }
    void setParent(const std::shared_ptr<FakeElement>& parent)
    {
        setAttribute(accessibility_attribute::parent, std::shared_ptr<const AccessibilityNode>(parent));
    }
    void setRole(std::string_view role) { setAttribute(accessibility_attribute::role, std::string(role)); }
    void setText(std::string text, TextRange selection)
    {
        setAttribute(accessibility_attribute::value, std::move(text));
        setAttribute(accessibility_attribute::selectedTextRange, selection);
    }
    // Reads of the attribute fail with this error.
    void failReads(std::string_view name, PlatformError error)
    {
        std::lock_guard lock(mutex_);
        errors_[std::string(name)] = std::move(error);
    }
    // Writes of the attribute answer this error; `applyAnyway` still makes the change.
    void failWrites(std::string_view name, PlatformError error, bool applyAnyway = false)
    {
        std::lock_guard lock(mutex_);
        writeErrors_[std::string(name)] = {std::move(error), applyAnyway};
    }
    void failProcessIdentifier(PlatformError error)
    {
        std::lock_guard lock(mutex_);
        processError_ = std::move(error);
    }
    // The attributes written, in order.
    std::vector<std::string> writes() const
    {
        std::lock_guard lock(mutex_);
        return writes_;
    }
    std::optional<std::string> text() const
    {
        std::lock_guard lock(mutex_);
        auto it = values_.find(std::string(accessibility_attribute::value));
        if (it == values_.end())
            return std::nullopt;
        if (const auto* text = std::get_if<std::string>(&it->second))
            return *text;
        return std::nullopt;
    }

    // --- AccessibilityNode
    bool isEqual(const AccessibilityNode& other) const override
    {
        const auto* fake = dynamic_cast<const FakeElement*>(&other);
        return fake != nullptr && fake->identity_ == identity_;
    }
    std::size_t hash() const override { return std::hash<int>{}(identity_); }

    AttributeResult copyAttributeValue(std::string_view attribute) const override
    {
        std::lock_guard lock(mutex_);
        if (auto error = errors_.find(std::string(attribute)); error != errors_.end())
            return AttributeResult{error->second, std::nullopt};
        if (attribute == accessibility_attribute::selectedText) {
            auto text = values_.find(std::string(accessibility_attribute::value));
            auto range = values_.find(std::string(accessibility_attribute::selectedTextRange));
            if (text != values_.end() && range != values_.end())
                if (const auto* string = std::get_if<std::string>(&text->second))
                    if (const auto* selection = std::get_if<TextRange>(&range->second))
                        return AttributeResult{std::nullopt,
                                               AccessibilityValue(string->substr(static_cast<std::size_t>(selection->location),
                                                                                 static_cast<std::size_t>(selection->length)))};
        }
        auto it = values_.find(std::string(attribute));
        if (it == values_.end())
            return AttributeResult{};
        return AttributeResult{std::nullopt, it->second};
    }

    std::optional<PlatformError> setAttributeValue(std::string_view attribute,
                                                   const AccessibilityValue& value) const override
    {
        std::lock_guard lock(mutex_);
        writes_.push_back(std::string(attribute));
        std::optional<PlatformError> error;
        if (auto it = writeErrors_.find(std::string(attribute)); it != writeErrors_.end()) {
            error = it->second.first;
            if (!it->second.second)
                return error;
        }
        if (attribute == accessibility_attribute::selectedText) {
            auto range = values_.find(std::string(accessibility_attribute::selectedTextRange));
            auto text = values_.find(std::string(accessibility_attribute::value));
            const auto* inserted = std::get_if<std::string>(&value);
            if (range == values_.end() || inserted == nullptr)
                return accessibilityError(AccessibilityErrorCode::attributeUnsupported, "no selection");
            auto selection = std::get<TextRange>(range->second);
            if (text != values_.end())
                if (auto* string = std::get_if<std::string>(&text->second))
                    string->replace(static_cast<std::size_t>(selection.location),
                                    static_cast<std::size_t>(selection.length), *inserted);
            range->second = TextRange{selection.location + static_cast<std::int64_t>(inserted->size()), 0};
            return error;
        }
        values_[std::string(attribute)] = value;
        return error;
    }

    ProcessIdentifierResult processIdentifier() const override
    {
        std::lock_guard lock(mutex_);
        if (processError_)
            return ProcessIdentifierResult{processError_, 0};
        return ProcessIdentifierResult{std::nullopt, processIdentifier_};
    }

    void setSelf(const std::shared_ptr<FakeElement>& self) { self_ = self; }

private:
    std::shared_ptr<const AccessibilityNode> shared_from_this_() const { return self_.lock(); }

    int identity_;
    pid_t processIdentifier_;
    mutable std::mutex mutex_;
    mutable std::map<std::string, AccessibilityValue> values_;
    std::map<std::string, PlatformError> errors_;
    std::map<std::string, std::pair<PlatformError, bool>> writeErrors_;
    std::optional<PlatformError> processError_;
    mutable std::vector<std::string> writes_;
    std::weak_ptr<FakeElement> self_;
};

// The desktop as a test scripts it: which element has the focus. Installs itself while it
// lives.
class FakeAccessibility final : public Accessibility {
public:
    FakeAccessibility() : systemWide_(std::make_shared<FakeElement>(-1)) { Accessibility::install(this); }
    ~FakeAccessibility() override { Accessibility::install(nullptr); }

    AccessibilityElement systemWideElement() override { return AccessibilityElement(systemWide_); }

    void setFocused(const std::shared_ptr<FakeElement>& element)
    {
        if (element)
            systemWide_->setAttribute(accessibility_attribute::focusedUIElement,
                                      std::shared_ptr<const AccessibilityNode>(element));
        else
            systemWide_->removeAttribute(accessibility_attribute::focusedUIElement);
    }

private:
    std::shared_ptr<FakeElement> systemWide_;
};

// A fake element that can hand out references to itself.
inline std::shared_ptr<FakeElement> makeFakeElement(int identity, pid_t processIdentifier = 100)
{
    auto element = std::make_shared<FakeElement>(identity, processIdentifier);
    element->setSelf(element);
    return element;
}

} // namespace brindlemoor::fakes
