#include "platform/linux/accessibility/atspi_focus_finder.h"

#include "platform/linux/accessibility/atspi_support.h"

#include <deque>

namespace brindlemoor {
namespace {

using atspi_support::GObjectRef;
using atspi_support::hasState;

// Bounds the search of one window, so a huge document cannot stall dictation.
constexpr int kMaximumVisited = 4000;

GObjectRef<AtspiAccessible> child(AtspiAccessible* parent, int index)
{
    return GObjectRef<AtspiAccessible>(atspi_accessible_get_child_at_index(parent, index, nullptr));
}

int childCount(AtspiAccessible* parent)
{
    return atspi_accessible_get_child_count(parent, nullptr);
}

// Asks the window for its focused descendant in one call where the application can, else walks
// the showing part of its tree.
AtspiAccessible* focusedDescendant(AtspiAccessible* window)
{
    if (GObjectRef<AtspiCollection> collection{atspi_accessible_get_collection_iface(window)}) {
        GObjectRef<AtspiStateSet> states(atspi_state_set_new(nullptr));
        atspi_state_set_add(states.get(), ATSPI_STATE_FOCUSED);
        GObjectRef<AtspiMatchRule> rule(atspi_match_rule_new(states.get(), ATSPI_Collection_MATCH_ALL, nullptr,
                                                             ATSPI_Collection_MATCH_NONE, nullptr,
                                                             ATSPI_Collection_MATCH_NONE, nullptr,
                                                             ATSPI_Collection_MATCH_NONE, FALSE));
        GError* error = nullptr;
        GArray* matches = atspi_collection_get_matches(collection.get(), rule.get(), ATSPI_Collection_SORT_ORDER_CANONICAL,
                                                       1, TRUE, &error);
        if (error != nullptr)
            g_error_free(error);
        AtspiAccessible* found = nullptr;
        if (matches != nullptr) {
            for (guint i = 0; i < matches->len; ++i) {
                AtspiAccessible* match = g_array_index(matches, AtspiAccessible*, i);
                if (found == nullptr)
                    found = match;
                else
                    g_object_unref(match);
            }
            g_array_free(matches, TRUE);
        }
        if (found != nullptr)
            return found;
    }
    std::deque<GObjectRef<AtspiAccessible>> pending;
    pending.emplace_back(GObjectRef<AtspiAccessible>(static_cast<AtspiAccessible*>(g_object_ref(window))));
    for (int visited = 0; !pending.empty() && visited < kMaximumVisited; ++visited) {
        GObjectRef<AtspiAccessible> current = std::move(pending.front());
        pending.pop_front();
        GObjectRef<AtspiStateSet> states(atspi_accessible_get_state_set(current.get()));
        if (!states)
            continue;
        if (current.get() != window && atspi_state_set_contains(states.get(), ATSPI_STATE_FOCUSED))
            return current.release();
        if (current.get() != window && !atspi_state_set_contains(states.get(), ATSPI_STATE_SHOWING))
            continue;
        int count = childCount(current.get());
        for (int index = 0; index < count; ++index)
            if (auto next = child(current.get(), index))
                pending.push_back(std::move(next));
    }
    return nullptr;
}

} // namespace

AtspiFocusFinder::AtspiFocusFinder(pid_t ownProcess) : ownProcess_(ownProcess) {}

AtspiFocusFinder::~AtspiFocusFinder()
{
    if (lastFocused_ != nullptr)
        g_object_unref(lastFocused_);
}

AtspiAccessible* AtspiFocusFinder::focusedElement()
{
    if (lastFocused_ != nullptr && hasState(lastFocused_, ATSPI_STATE_FOCUSED))
        return static_cast<AtspiAccessible*>(g_object_ref(lastFocused_));
    GObjectRef<AtspiAccessible> desktop(atspi_get_desktop(0));
    if (!desktop)
        return remember(nullptr);
    int applications = childCount(desktop.get());
    for (int index = 0; index < applications; ++index) {
        GObjectRef<AtspiAccessible> application = child(desktop.get(), index);
        if (!application)
            continue;
        // Our own windows answer on our main thread, which may be the one waiting here.
        if (static_cast<pid_t>(atspi_accessible_get_process_id(application.get(), nullptr)) == ownProcess_)
            continue;
        if (AtspiAccessible* focused = focusedElementIn(application.get()))
            return remember(focused);
    }
    return remember(nullptr);
}

AtspiAccessible* AtspiFocusFinder::focusedElementIn(AtspiAccessible* application)
{
    int windows = childCount(application);
    for (int index = 0; index < windows; ++index) {
        GObjectRef<AtspiAccessible> window = child(application, index);
        if (window && hasState(window.get(), ATSPI_STATE_ACTIVE))
            if (AtspiAccessible* focused = focusedDescendant(window.get()))
                return focused;
    }
    return nullptr;
}

AtspiAccessible* AtspiFocusFinder::remember(AtspiAccessible* focused)
{
    if (lastFocused_ != nullptr)
        g_object_unref(lastFocused_);
    lastFocused_ = focused != nullptr ? static_cast<AtspiAccessible*>(g_object_ref(focused)) : nullptr;
    return focused;
}

} // namespace brindlemoor
