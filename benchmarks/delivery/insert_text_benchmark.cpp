// Time from handing a sentence to delivery until the target application holds it, for the
// paste into the active application and for each insertion strategy into a chosen field.
#include "delivery/insertion_strategies.h"
#include "engine/text_inserter.h"
#include "fakes/in_memory_user_defaults.h"
#include "integration/delivery/delivery_desktop_fixture.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

using namespace brindlemoor;
using namespace brindlemoor::testing;

namespace {

constexpr int kRounds = 10;

bool endsWith(const std::optional<std::string>& text, const std::string& suffix)
{
    return text && text->size() >= suffix.size() && text->compare(text->size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Runs `deliver` with a fresh sentence each round and waits until `read` ends with it.
bool measure(DeliveryDesktop& desktop, const char* label, const std::function<void(const std::string&)>& deliver,
             const std::function<std::optional<std::string>()>& read)
{
    std::vector<double> milliseconds;
    for (int round = 0; round < kRounds; ++round) {
        std::string sentence = " Sentence " + std::to_string(round) + " of " + label + ".";
        auto start = std::chrono::steady_clock::now();
        deliver(sentence);
        if (!desktop.pumpUntil([&] { return endsWith(read(), sentence); })) {
            std::printf("%-28s the text never arrived (round %d)\n", label, round);
            return false;
        }
        milliseconds.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf("%-28s min %7.1f ms   median %7.1f ms   max %7.1f ms   (%d rounds)\n", label, milliseconds.front(),
                milliseconds[milliseconds.size() / 2], milliseconds.back(), kRounds);
    return true;
}

} // namespace

int main()
{
    DeliveryDesktop desktop;
    if (!desktop.failure().empty()) {
        std::printf("cannot run: %s\n", desktop.failure().c_str());
        return 1;
    }
    fakes::InMemoryUserDefaults defaults;
    NotificationCenter center;
    MainMenuViewModel model(defaults, center);
    TextInserter inserter(model);

    auto editor = desktop.start("delivery_test_editor", {"--focus", "view"});
    std::optional<AccessibilityElement> view = desktop.waitForFocusIn(editor->pid());
    if (!view) {
        std::printf("cannot run: the test application never got the focus\n");
        return 1;
    }
    std::printf("insertText until the text is in a GTK 3 text view, on a private Xvfb desktop:\n");
    bool ok = measure(desktop, "active application (paste)", [&](const std::string& s) { inserter.insertText(s); },
                      [&] { return editor->viewText(); });

    auto other = desktop.start("delivery_test_other", {});
    if (!desktop.waitForFocusIn(other->pid())) {
        std::printf("cannot run: the second application never got the focus\n");
        return 1;
    }
    model.isDictatingToActiveApp = false;
    model.setSelectedDictationTarget(*view);
    ok = measure(desktop, "insertAtSelection", [&](const std::string& s) { inserter.insertText(s); },
                 [&] { return editor->viewText(); }) && ok;
    ok = measure(desktop, "appendToValue", [&](const std::string& s) { appendToValue(*view, s); },
                 [&] { return editor->viewText(); }) && ok;
    ok = measure(desktop, "pasteText (and focus back)", [&](const std::string& s) { pasteText(*view, s); },
                 [&] { return editor->viewText(); }) && ok;
    return ok ? 0 : 1;
}
