#pragma once

#include "platform/accessibility.h"
#include "platform/workspace.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace brindlemoor::testing {

// An element of a made-up application: attributes by name, a process, equality by identity.
class FakeNode final : public AccessibilityNode, public std::enable_shared_from_this<FakeNode> {
public:
    explicit FakeNode(pid_t process = 100) : process_(process) {}

    void set(std::string_view attribute, AccessibilityValue value)
    {
        std::lock_guard lock(mutex_);
        attributes_[std::string(attribute)] = std::move(value);
    }
    void clear(std::string_view attribute)
    {
        std::lock_guard lock(mutex_);
        attributes_.erase(std::string(attribute));
    }

    bool isEqual(const AccessibilityNode& other) const override { return this == &other; }
    std::size_t hash() const override { return std::hash<const void*>()(this); }
    AttributeResult copyAttributeValue(std::string_view attribute) const override
    {
        std::lock_guard lock(mutex_);
        auto found = attributes_.find(std::string(attribute));
        if (found == attributes_.end())
            return {accessibilityError(AccessibilityErrorCode::noValue, "no value"), std::nullopt};
        return {std::nullopt, found->second};
    }
    std::optional<PlatformError> setAttributeValue(std::string_view attribute, const AccessibilityValue& value) const override
    {
        std::lock_guard lock(mutex_);
        const_cast<FakeNode*>(this)->attributes_[std::string(attribute)] = value;
        return std::nullopt;
    }
    ProcessIdentifierResult processIdentifier() const override { return {std::nullopt, process_}; }

    AccessibilityElement element() { return AccessibilityElement(shared_from_this()); }

private:
    pid_t process_;
    mutable std::mutex mutex_;
    std::map<std::string, AccessibilityValue> attributes_;
};

// A desktop of made-up applications, each a window holding text fields. Installs itself as the
// process's accessibility and workspace while it lives.
class FakeDesktop final : public Accessibility, public Workspace {
public:
    FakeDesktop() : systemWide_(std::make_shared<FakeNode>(0))
    {
        Accessibility::install(this);
        Workspace::install(this);
    }
    ~FakeDesktop() override
    {
        Accessibility::install(nullptr);
        Workspace::install(nullptr);
    }

    // A text field in a window of an application; `role` decides whether it counts as text input.
    AccessibilityElement addField(pid_t process, const std::string& application, const std::string& window,
                                  std::string role = "AXTextField")
    {
        auto app = std::make_shared<FakeNode>(process);
        app->set("AXRole", std::string("AXApplication"));
        app->set("AXTitle", application);
        auto frame = std::make_shared<FakeNode>(process);
        frame->set("AXRole", std::string("AXWindow"));
        frame->set("AXTitle", window);
        frame->set("AXParent", std::shared_ptr<const AccessibilityNode>(app));
        auto field = std::make_shared<FakeNode>(process);
        field->set("AXRole", role);
        field->set("AXParent", std::shared_ptr<const AccessibilityNode>(frame));
        nodes_.insert(nodes_.end(), {app, frame, field});
        running_[process] = RunningApplication{process, application};
        return field->element();
    }
    void focus(const std::optional<AccessibilityElement>& element)
    {
        if (element)
            systemWide_->set("AXFocusedUIElement", element->node());
        else
            systemWide_->clear("AXFocusedUIElement");
    }
    void quit(pid_t process) { running_.erase(process); }

    AccessibilityElement systemWideElement() override { return systemWide_->element(); }

    std::optional<RunningApplication> runningApplication(pid_t process) override
    {
        auto found = running_.find(process);
        return found == running_.end() ? std::nullopt : std::optional(found->second);
    }
    std::optional<ApplicationLocation> locationForApplication(const std::string& identifier) override
    {
        return ApplicationLocation{identifier, "/usr/share/applications/" + identifier + ".desktop"};
    }
    std::optional<std::string> iconForApplication(const ApplicationLocation&) override { return std::nullopt; }
    void openApplication(const ApplicationLocation& location) override { opened.push_back(location.bundleIdentifier); }

    std::vector<std::string> opened;

private:
    std::shared_ptr<FakeNode> systemWide_;
    std::vector<std::shared_ptr<FakeNode>> nodes_;
    std::map<pid_t, RunningApplication> running_;
};

} // namespace brindlemoor::testing
