#include "platform/linux/accessibility/atspi_node.h"

#include "platform/linux/accessibility/atspi_support.h"

#include <functional>

namespace brindlemoor {
namespace {

using atspi_support::GErrorPtr;
using atspi_support::GObjectRef;
using atspi_support::GString;
using atspi_support::errorFrom;
using atspi_support::unsupported;

AttributeResult failed(GError* error)
{
    GErrorPtr owner(error);
    return AttributeResult{errorFrom(error), std::nullopt};
}

template <typename T>
AttributeResult answer(T value)
{
    return AttributeResult{std::nullopt, AccessibilityValue(std::move(value))};
}

AttributeResult empty()
{
    return AttributeResult{};
}

// The whole text, or an error.
std::optional<std::string> wholeText(AtspiText* text, GError** error)
{
    gint count = atspi_text_get_character_count(text, error);
    if (*error != nullptr)
        return std::nullopt;
    GString contents(atspi_text_get_text(text, 0, count, error));
    if (*error != nullptr)
        return std::nullopt;
    return std::string(contents ? contents.get() : "");
}

// The selection, or the caret as an empty range; none only with an error.
std::optional<TextRange> selectionOrCaret(AtspiText* text, GError** error)
{
    gint selections = atspi_text_get_n_selections(text, error);
    if (*error != nullptr)
        return std::nullopt;
    if (selections > 0) {
        AtspiRange* range = atspi_text_get_selection(text, 0, error);
        if (*error != nullptr)
            return std::nullopt;
        if (range != nullptr) {
            TextRange result{range->start_offset, range->end_offset - range->start_offset};
            g_free(range);
            if (result.length > 0)
                return result;
        }
    }
    gint caret = atspi_text_get_caret_offset(text, error);
    if (*error != nullptr)
        return std::nullopt;
    return TextRange{caret, 0};
}

} // namespace

AtspiNode::AtspiNode(std::shared_ptr<AtspiThread> thread, AtspiAccessible* accessible)
    : thread_(std::move(thread)), accessible_(accessible)
{
    AtspiObject* object = ATSPI_OBJECT(accessible_);
    if (object->app != nullptr && object->app->bus_name != nullptr)
        busName_ = object->app->bus_name;
    if (object->path != nullptr)
        path_ = object->path;
}

AtspiNode::~AtspiNode()
{
    AtspiAccessible* accessible = accessible_;
    thread_->post([accessible] { g_object_unref(accessible); });
}

bool AtspiNode::isEqual(const AccessibilityNode& other) const
{
    const auto* node = dynamic_cast<const AtspiNode*>(&other);
    return node != nullptr && node->busName_ == busName_ && node->path_ == path_;
}

std::size_t AtspiNode::hash() const
{
    std::size_t seed = std::hash<std::string>{}(busName_);
    return seed ^ (std::hash<std::string>{}(path_) + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2));
}

AttributeResult AtspiNode::copyAttributeValue(std::string_view attribute) const
{
    return thread_->call([&] { return copyOnThread(attribute); });
}

std::optional<PlatformError> AtspiNode::setAttributeValue(std::string_view attribute,
                                                          const AccessibilityValue& value) const
{
    const auto* text = std::get_if<std::string>(&value);
    if (text == nullptr)
        return accessibilityError(AccessibilityErrorCode::illegalArgument,
                                  "Only text can be written to " + std::string(attribute));
    return thread_->call([&] { return setOnThread(attribute, *text); });
}

ProcessIdentifierResult AtspiNode::processIdentifier() const
{
    return thread_->call([&] {
        GError* error = nullptr;
        guint pid = atspi_accessible_get_process_id(accessible_, &error);
        if (error != nullptr) {
            GErrorPtr owner(error);
            return ProcessIdentifierResult{errorFrom(error), 0};
        }
        return ProcessIdentifierResult{std::nullopt, static_cast<pid_t>(pid)};
    });
}

AttributeResult AtspiNode::copyOnThread(std::string_view attribute) const
{
    GError* error = nullptr;
    if (attribute == accessibility_attribute::role) {
        std::string role = atspi_support::roleName(accessible_, &error);
        return error != nullptr ? failed(error) : answer(role);
    }
    if (attribute == accessibility_attribute::title) {
        GString name(atspi_accessible_get_name(accessible_, &error));
        return error != nullptr ? failed(error) : answer(std::string(name ? name.get() : ""));
    }
    if (attribute == accessibility_attribute::parent) {
        // An application is the top of its own tree, as the delivery code expects.
        AtspiRole role = atspi_accessible_get_role(accessible_, &error);
        if (error != nullptr)
            return failed(error);
        if (role == ATSPI_ROLE_APPLICATION)
            return empty();
        AtspiAccessible* parent = atspi_accessible_get_parent(accessible_, &error);
        if (error != nullptr)
            return failed(error);
        if (parent == nullptr)
            return empty();
        return answer(std::shared_ptr<const AccessibilityNode>(std::make_shared<AtspiNode>(thread_, parent)));
    }
    if (attribute == accessibility_attribute::value) {
        if (GObjectRef<AtspiText> text{atspi_accessible_get_text_iface(accessible_)}) {
            std::optional<std::string> contents = wholeText(text.get(), &error);
            return error != nullptr ? failed(error) : answer(*contents);
        }
        if (GObjectRef<AtspiValue> value{atspi_accessible_get_value_iface(accessible_)}) {
            double number = atspi_value_get_current_value(value.get(), &error);
            return error != nullptr ? failed(error) : answer(number);
        }
        return AttributeResult{unsupported(attribute), std::nullopt};
    }
    if (attribute == accessibility_attribute::selectedTextRange || attribute == accessibility_attribute::selectedText) {
        GObjectRef<AtspiText> text{atspi_accessible_get_text_iface(accessible_)};
        if (!text)
            return AttributeResult{unsupported(attribute), std::nullopt};
        std::optional<TextRange> range = selectionOrCaret(text.get(), &error);
        if (error != nullptr)
            return failed(error);
        if (attribute == accessibility_attribute::selectedTextRange)
            return answer(*range);
        GString selected(atspi_text_get_text(text.get(), static_cast<gint>(range->location),
                                             static_cast<gint>(range->location + range->length), &error));
        return error != nullptr ? failed(error) : answer(std::string(selected ? selected.get() : ""));
    }
    return AttributeResult{unsupported(attribute), std::nullopt};
}

std::optional<PlatformError> AtspiNode::setOnThread(std::string_view attribute, const std::string& text) const
{
    GObjectRef<AtspiEditableText> editable{atspi_accessible_get_editable_text_iface(accessible_)};
    if (!editable || (attribute != accessibility_attribute::value && attribute != accessibility_attribute::selectedText))
        return accessibilityError(AccessibilityErrorCode::attributeUnsupported,
                                  "The element's " + std::string(attribute) + " cannot be changed");
    GError* error = nullptr;
    if (attribute == accessibility_attribute::value) {
        atspi_editable_text_set_text_contents(editable.get(), text.c_str(), &error);
        if (error != nullptr) {
            GErrorPtr owner(error);
            return errorFrom(error);
        }
        return std::nullopt;
    }
    GObjectRef<AtspiText> textInterface{atspi_accessible_get_text_iface(accessible_)};
    if (!textInterface)
        return unsupported(accessibility_attribute::selectedTextRange);
    std::optional<TextRange> range = selectionOrCaret(textInterface.get(), &error);
    if (error == nullptr && range->length > 0)
        atspi_editable_text_delete_text(editable.get(), static_cast<gint>(range->location),
                                        static_cast<gint>(range->location + range->length), &error);
    if (error == nullptr && !text.empty())
        atspi_editable_text_insert_text(editable.get(), static_cast<gint>(range->location), text.c_str(),
                                        static_cast<gint>(text.size()), &error);
    // The caret goes after the inserted text, so the next sentence follows this one.
    if (error == nullptr)
        atspi_text_set_caret_offset(textInterface.get(),
                                    static_cast<gint>(range->location + atspi_support::codePointCount(text)), &error);
    if (error != nullptr) {
        GErrorPtr owner(error);
        return errorFrom(error);
    }
    return std::nullopt;
}

} // namespace brindlemoor
