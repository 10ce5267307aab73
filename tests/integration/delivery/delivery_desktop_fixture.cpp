#include "integration/delivery/delivery_desktop_fixture.h"

#include "delivery/focused_element.h"
#include "platform/main_queue.h"

#include <fstream>
#include <iterator>
#include <thread>

namespace brindlemoor::testing {

TestEditor::TestEditor(const std::string& program, const std::filesystem::path& report,
                       std::vector<std::string> arguments)
    : report_(report)
{
    arguments.insert(arguments.begin(), program);
    arguments.push_back("--report");
    arguments.push_back(report.string());
    process_ = std::make_unique<ChildProcess>(arguments);
}

std::optional<std::string> TestEditor::read(const std::string& which) const
{
    std::ifstream file(report_.string() + "." + which, std::ios::binary);
    if (!file)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

DeliveryDesktop::DeliveryDesktop(bool withWindowManager)
{
    auto missing = DesktopSession::missingPrograms(withWindowManager);
    if (!missing.empty()) {
        failure_ = "missing programs for the desktop test:";
        for (const auto& program : missing)
            failure_ += " " + program;
        return;
    }
    session_ = std::make_unique<DesktopSession>(withWindowManager);
    if (!session_->failure().empty()) {
        failure_ = session_->failure();
        return;
    }
    static int argc = 1;
    static char name[] = "delivery_integration_tests";
    static char* argv[] = {name, nullptr};
    application_ = std::make_unique<QGuiApplication>(argc, argv);
    queue_ = std::make_unique<QtMainQueue>();
    MainQueue::install(queue_.get());
    accessibility_ = std::make_unique<AtspiAccessibility>();
    if (!accessibility_->connected())
        failure_ = "the accessibility bus cannot be reached";
    workspace_ = std::make_unique<LinuxWorkspace>();
    keys_ = std::make_unique<XTestKeyboardEvents>();
    if (!keys_->connected())
        failure_ = "the X server lacks the XTest extension";
    pasteboard_ = std::make_unique<QtPasteboard>();
    Accessibility::install(accessibility_.get());
    Workspace::install(workspace_.get());
    KeyboardEvents::install(keys_.get());
    Pasteboard::install(pasteboard_.get());
}

DeliveryDesktop::~DeliveryDesktop()
{
    Pasteboard::install(nullptr);
    KeyboardEvents::install(nullptr);
    Workspace::install(nullptr);
    Accessibility::install(nullptr);
    pasteboard_.reset();
    keys_.reset();
    workspace_.reset();
    accessibility_.reset();
    MainQueue::install(nullptr);
    queue_.reset();
    application_.reset();
    session_.reset();
}

std::unique_ptr<TestEditor> DeliveryDesktop::start(const std::string& program, std::vector<std::string> arguments)
{
    auto path = std::filesystem::path(BRINDLEMOOR_TEST_PROGRAMS) / program;
    auto report = session_->directory() / ("report" + std::to_string(++reports_));
    return std::make_unique<TestEditor>(path.string(), report, std::move(arguments));
}

bool DeliveryDesktop::pumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return condition();
}

std::optional<AccessibilityElement> DeliveryDesktop::waitForFocusIn(pid_t pid)
{
    std::optional<AccessibilityElement> found;
    pumpUntil([&] {
        found = focusedElement();
        return found && found->processIdentifier().processIdentifier == pid;
    });
    if (found && found->processIdentifier().processIdentifier == pid)
        return found;
    return std::nullopt;
}

} // namespace brindlemoor::testing
