#pragma once

#include "delivery/insertion_ordered_set.h"
#include "platform/accessibility_element.h"
#include "platform/serial_queue.h"

#include <cstdint>

namespace brindlemoor {

// The text fields of other applications that recently had the keyboard focus, newest last.
// Its operations run one at a time on the manager's own queue and return when done; they may
// be called from any thread except from inside another of its operations. `removeStale` asks
// the desktop about every entry, so callers on the main thread hand it to a worker.
class ElementsManager {
public:
    using Elements = InsertionOrderedSet<AccessibilityElement>;

    ElementsManager();
    ElementsManager(const ElementsManager&) = delete;
    ElementsManager& operator=(const ElementsManager&) = delete;

    Elements elements();
    void setElements(Elements elements);

    // Appends a field not yet present; past `maximumCount` entries the front one goes.
    void addElement(const AccessibilityElement& element, std::int64_t maximumCount);
    // Moves a present field to offset 0; the others keep their order.
    void moveToFront(const AccessibilityElement& element);
    // Drops the fields whose application has gone.
    void removeStale();

private:
    SerialQueue queue_{"ElementsManager"};
    Elements elements_;
};

} // namespace brindlemoor
