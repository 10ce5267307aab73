#include "platform/linux/accessibility/atspi_accessibility.h"

#include "platform/linux/accessibility/atspi_system_wide_node.h"

#include <gio/gio.h>
#include <unistd.h>

namespace brindlemoor {
namespace {

void enableAccessibilityBus()
{
    GDBusConnection* session = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (session == nullptr)
        return;
    GVariant* reply = g_dbus_connection_call_sync(
        session, "org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
        g_variant_new("(ssv)", "org.a11y.Status", "IsEnabled", g_variant_new_boolean(TRUE)), nullptr,
        G_DBUS_CALL_FLAGS_NONE, 2000, nullptr, nullptr);
    if (reply != nullptr)
        g_variant_unref(reply);
    g_object_unref(session);
}

} // namespace

AtspiAccessibility::AtspiAccessibility()
{
    enableAccessibilityBus();
    thread_ = std::make_shared<AtspiThread>();
    std::shared_ptr<AtspiThread> thread = thread_;
    finder_ = std::shared_ptr<AtspiFocusFinder>(new AtspiFocusFinder(getpid()), [thread](AtspiFocusFinder* finder) {
        thread->post([finder] { delete finder; });
    });
}

AtspiAccessibility::~AtspiAccessibility() = default;

AccessibilityElement AtspiAccessibility::systemWideElement()
{
    return AccessibilityElement(std::make_shared<AtspiSystemWideNode>(thread_, finder_));
}

} // namespace brindlemoor
