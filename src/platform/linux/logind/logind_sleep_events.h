#pragma once

#include "platform/main_queue.h"
#include "platform/system_sleep_events.h"

#include <atomic>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

struct sd_bus;
struct sd_bus_message;

namespace brindlemoor {

// logind's "PrepareForSleep" signal: true before the system sleeps, false once it has woken.
// Listens on a thread of its own; observers are called on the main queue. Without a system bus
// (or logind) no events come.
class LogindSleepEvents final : public SystemSleepEvents {
public:
    explicit LogindSleepEvents(MainQueue& mainQueue = MainQueue::main());
    ~LogindSleepEvents() override;

    LogindSleepEvents(const LogindSleepEvents&) = delete;
    LogindSleepEvents& operator=(const LogindSleepEvents&) = delete;

    Cancellable observe(std::function<void()> willSleep, std::function<void()> didWake) override;

    // Whether the signal is being listened to.
    bool isListening() const { return listening_; }

private:
    struct Observers;

    void listen(std::promise<void>* ready);
    void prepareForSleep(bool sleeping);
    static int signalReceived(sd_bus_message* message, void* userdata, void* error);

    MainQueue& mainQueue_;
    std::shared_ptr<Observers> observers_;
    std::atomic<bool> listening_{false};
    int stopEvent_ = -1;
    std::thread thread_;
};

} // namespace brindlemoor
