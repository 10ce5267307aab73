#pragma once

#include "integration/delivery/desktop_session.h"
#include "platform/linux/accessibility/atspi_accessibility.h"
#include "platform/linux/keyboard_events/xtest_keyboard_events.h"
#include "platform/linux/workspace/linux_workspace.h"
#include "platform/qt/qt_main_queue.h"
#include "platform/qt/qt_pasteboard.h"

#include <QGuiApplication>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace brindlemoor::testing {

// One run of the small GTK editor, with what its entry and text view hold.
class TestEditor {
public:
    TestEditor(const std::string& program, const std::filesystem::path& report, std::vector<std::string> arguments);

    pid_t pid() const { return process_->pid(); }
    std::optional<std::string> entryText() const { return read("entry"); }
    std::optional<std::string> viewText() const { return read("view"); }

private:
    std::optional<std::string> read(const std::string& which) const;

    std::filesystem::path report_;
    std::unique_ptr<ChildProcess> process_;
};

// A private desktop with the real Linux layers installed: AT-SPI accessibility, the /proc and
// X11 workspace, XTest keys and the Qt clipboard on a Qt event loop (this thread).
class DeliveryDesktop {
public:
    explicit DeliveryDesktop(bool withWindowManager = true);
    ~DeliveryDesktop();

    // Empty when the desktop is usable; else why not.
    const std::string& failure() const { return failure_; }

    // Starts the editor ("delivery_test_editor") or the other program ("delivery_test_other").
    std::unique_ptr<TestEditor> start(const std::string& program, std::vector<std::string> arguments);

    // Runs the Qt event loop until the condition holds or the time is up.
    bool pumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(10));

    // Waits until the focused element belongs to the process.
    std::optional<AccessibilityElement> waitForFocusIn(pid_t pid);

private:
    std::unique_ptr<DesktopSession> session_;
    std::unique_ptr<QGuiApplication> application_;
    std::unique_ptr<QtMainQueue> queue_;
    std::unique_ptr<AtspiAccessibility> accessibility_;
    std::unique_ptr<LinuxWorkspace> workspace_;
    std::unique_ptr<XTestKeyboardEvents> keys_;
    std::unique_ptr<QtPasteboard> pasteboard_;
    int reports_ = 0;
    std::string failure_;
};

} // namespace brindlemoor::testing
