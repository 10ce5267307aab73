// Prints how long an X key press takes to reach a hot key's handler on the main queue, and
// the CPU time the library uses while nothing is pressed.

#include "hotkeys/hot_key.h"
#include "hotkeys/x11/x11_hot_key_event_layer.h"
#include "support/child_process.h"
#include "support/xvfb_display.h"
#include "thread_main_queue.h"
#include "x_test_client.h"

#include <X11/keysym.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <mutex>
#include <thread>
#include <vector>

using namespace brindlemoor;
using SteadyClock = std::chrono::steady_clock;

namespace {

constexpr int pressCount = 300;
constexpr auto idlePeriod = std::chrono::seconds(5);

struct Usage {
    double cpuSeconds = 0;
    long timeSlices = 0;
};

// CPU time and times scheduled of every thread but the caller, to the nanosecond.
Usage otherThreadsUsage()
{
    Usage usage;
    const std::string self = std::to_string(gettid());
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        if (task.path().filename() == self)
            continue;
        std::ifstream schedstat(task.path() / "schedstat");
        long long onCpuNanoseconds = 0, waitingNanoseconds = 0, slices = 0;
        if (schedstat >> onCpuNanoseconds >> waitingNanoseconds >> slices) {
            usage.cpuSeconds += static_cast<double>(onCpuNanoseconds) / 1e9;
            usage.timeSlices += static_cast<long>(slices);
        }
    }
    return usage;
}

double percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}

} // namespace

int main()
{
    if (!testing::haveProgram("Xvfb")) {
        std::fprintf(stderr, "Xvfb is not installed (package xvfb)\n");
        return 1;
    }
    testing::XvfbDisplay display;
    if (!display.ready()) {
        std::fprintf(stderr, "Xvfb did not start\n");
        return 1;
    }
    testing::ThreadMainQueue queue;
    testing::XTestClient client(display.name());
    PlatformError error;
    auto layer = X11HotKeyEventLayer::open(&error, display.name());
    if (!layer || !client.connected()) {
        std::fprintf(stderr, "%s\n", layer ? "cannot connect the typing client" : error.description.c_str());
        return 1;
    }
    HotKeyEventLayer::install(layer.get());

    std::mutex mutex;
    std::condition_variable handled;
    int handledCount = 0;
    SteadyClock::time_point handledAt;
    auto hotKey = queue.sync([&] {
        return std::make_unique<HotKey>(Key::one, ModifierFlags::command, [&] {
            std::lock_guard lock(mutex);
            handledAt = SteadyClock::now();
            ++handledCount;
            handled.notify_all();
        });
    });

    const xcb_keycode_t control = client.keycodeFor(XK_Control_L).value();
    const xcb_keycode_t one = client.keycodeFor(XK_1).value();
    std::vector<double> latencies;
    for (int press = 1; press <= pressCount; ++press) {
        client.pressKeycode(control);
        const SteadyClock::time_point sentAt = SteadyClock::now();
        client.pressKeycode(one);
        std::unique_lock lock(mutex);
        if (!handled.wait_for(lock, std::chrono::seconds(5), [&] { return handledCount == press; })) {
            std::fprintf(stderr, "press %d never reached the handler\n", press);
            return 1;
        }
        latencies.push_back(std::chrono::duration<double, std::micro>(handledAt - sentAt).count());
        lock.unlock();
        client.releaseKeycode(one);
        client.releaseKeycode(control);
    }
    std::printf("press to handler (%d presses): median %.0f us, 90th percentile %.0f us, worst %.0f us\n",
                pressCount, percentile(latencies, 0.5), percentile(latencies, 0.9), percentile(latencies, 1.0));

    // Nothing pressed, the event thread and the main queue waiting: any CPU time or wake-up
    // is polling. The last release is given a moment to be handled first.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const Usage before = otherThreadsUsage();
    std::this_thread::sleep_for(idlePeriod);
    const Usage after = otherThreadsUsage();
    const double idleSeconds = std::chrono::duration<double>(idlePeriod).count();
    const double idleCpu = after.cpuSeconds - before.cpuSeconds;
    std::printf("while idle for %.0f s (event thread and main queue): CPU %.6f s (%.4f%%), %ld wake-ups\n",
                idleSeconds, idleCpu, 100.0 * idleCpu / idleSeconds, after.timeSlices - before.timeSlices);

    queue.sync([&] {
        hotKey.reset();
        return 0;
    });
    return 0;
}
