#include "delivery/elements_manager.h"

#include "delivery/application_of_element.h"

#include <algorithm>

namespace brindlemoor {

ElementsManager::ElementsManager() = default;

ElementsManager::Elements ElementsManager::elements()
{
    return queue_.sync([this] { return elements_; });
}

void ElementsManager::setElements(Elements elements)
{
    queue_.sync([this, &elements] { elements_ = std::move(elements); });
}

void ElementsManager::addElement(const AccessibilityElement& element, std::int64_t maximumCount)
{
    queue_.sync([&] {
        if (!elements_.append(element))
            return;
        if (static_cast<std::int64_t>(elements_.size()) > maximumCount)
            elements_.removeAt(0);
    });
}

void ElementsManager::moveToFront(const AccessibilityElement& element)
{
    queue_.sync([&] {
        std::optional<std::size_t> index = elements_.firstIndex(element);
        if (!index)
            return;
        std::vector<AccessibilityElement> reordered = elements_.entries();
        std::rotate(reordered.begin(), reordered.begin() + static_cast<std::ptrdiff_t>(*index),
                    reordered.begin() + static_cast<std::ptrdiff_t>(*index) + 1);
        elements_ = Elements(reordered);
    });
}

void ElementsManager::removeStale()
{
    queue_.sync([this] {
        std::vector<AccessibilityElement> kept;
        for (const AccessibilityElement& element : elements_)
            if (bundleIdentifier(element))
                kept.push_back(element);
        elements_ = Elements(kept);
    });
}

} // namespace brindlemoor
