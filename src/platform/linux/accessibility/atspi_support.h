#pragma once

#include "platform/accessibility_element.h"

#include <atspi/atspi.h>
#include <memory>
#include <string>

namespace brindlemoor::atspi_support {

// Owners of what the bus library hands out. Used on the bus thread only.
struct GObjectRelease {
    void operator()(gpointer object) const
    {
        if (object != nullptr)
            g_object_unref(object);
    }
};
template <typename T>
using GObjectRef = std::unique_ptr<T, GObjectRelease>;

struct GErrorRelease {
    void operator()(GError* error) const { g_error_free(error); }
};
using GErrorPtr = std::unique_ptr<GError, GErrorRelease>;

struct GFreeRelease {
    void operator()(gpointer memory) const { g_free(memory); }
};
using GString = std::unique_ptr<gchar, GFreeRelease>;

// The failure a bus call reported, worded for the user.
PlatformError errorFrom(GError* error);
PlatformError unsupported(std::string_view attribute);

bool hasState(AtspiAccessible* accessible, AtspiStateType state);

// The role name the delivery code compares ("AXTextField", ...).
std::string roleName(AtspiAccessible* accessible, GError** error);

// Offsets in the bus's text calls count characters (code points), not bytes.
std::int64_t codePointCount(const std::string& text);

} // namespace brindlemoor::atspi_support
