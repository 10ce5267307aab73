#include "platform/linux/logind/logind_sleep_events.h"

#include "platform/logger.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <systemd/sd-bus.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace brindlemoor {

struct LogindSleepEvents::Observers {
    struct Entry {
        std::function<void()> willSleep;
        std::function<void()> didWake;
    };
    std::mutex mutex;
    std::uint64_t next = 0;
    std::map<std::uint64_t, Entry> entries;
};

namespace {

struct BusDeleter {
    void operator()(sd_bus* bus) const { sd_bus_flush_close_unref(bus); }
};
struct SlotDeleter {
    void operator()(sd_bus_slot* slot) const { sd_bus_slot_unref(slot); }
};

} // namespace

LogindSleepEvents::LogindSleepEvents(MainQueue& mainQueue)
    : mainQueue_(mainQueue), observers_(std::make_shared<Observers>()),
      stopEvent_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    std::promise<void> ready;
    auto subscribed = ready.get_future();
    thread_ = std::thread([this, &ready] { listen(&ready); });
    // The match is in place before the constructor returns, so no signal after it is missed.
    subscribed.wait();
}

LogindSleepEvents::~LogindSleepEvents()
{
    const std::uint64_t one = 1;
    if (stopEvent_ >= 0 && write(stopEvent_, &one, sizeof one) < 0)
        Logger::forCategory("LogindSleepEvents").error("Could not stop the sleep listener: %s", std::strerror(errno));
    thread_.join();
    if (stopEvent_ >= 0)
        close(stopEvent_);
}

Cancellable LogindSleepEvents::observe(std::function<void()> willSleep, std::function<void()> didWake)
{
    std::lock_guard lock(observers_->mutex);
    auto id = observers_->next++;
    observers_->entries[id] = {std::move(willSleep), std::move(didWake)};
    std::weak_ptr<Observers> weak = observers_;
    return Cancellable([weak, id] {
        if (auto observers = weak.lock()) {
            std::lock_guard lock(observers->mutex);
            observers->entries.erase(id);
        }
    });
}

void LogindSleepEvents::listen(std::promise<void>* ready)
{
    Logger logger = Logger::forCategory("LogindSleepEvents");
    sd_bus* rawBus = nullptr;
    int result = sd_bus_open_system(&rawBus);
    std::unique_ptr<sd_bus, BusDeleter> bus(rawBus);
    sd_bus_slot* rawSlot = nullptr;
    if (result >= 0)
        result = sd_bus_match_signal(bus.get(), &rawSlot, "org.freedesktop.login1", "/org/freedesktop/login1",
                                     "org.freedesktop.login1.Manager", "PrepareForSleep",
                                     [](sd_bus_message* message, void* userdata, sd_bus_error* error) {
                                         return signalReceived(message, userdata, error);
                                     },
                                     this);
    std::unique_ptr<sd_bus_slot, SlotDeleter> slot(rawSlot);
    if (result < 0) {
        logger.error("Sleep and wake cannot be followed: %s", std::strerror(-result));
        ready->set_value();
        return;
    }
    listening_ = true;
    ready->set_value();

    for (;;) {
        do {
            result = sd_bus_process(bus.get(), nullptr);
        } while (result > 0);
        if (result < 0) {
            logger.error("The system bus connection was lost: %s", std::strerror(-result));
            break;
        }
        pollfd fds[2] = {{sd_bus_get_fd(bus.get()), static_cast<short>(sd_bus_get_events(bus.get())), 0},
                         {stopEvent_, POLLIN, 0}};
        std::uint64_t timeoutUsec = 0;
        int timeout = -1;
        if (sd_bus_get_timeout(bus.get(), &timeoutUsec) > 0 && timeoutUsec != UINT64_MAX) {
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            const std::uint64_t nowUsec = std::uint64_t(now.tv_sec) * 1000000 + std::uint64_t(now.tv_nsec) / 1000;
            timeout = timeoutUsec > nowUsec ? static_cast<int>((timeoutUsec - nowUsec + 999) / 1000) : 0;
        }
        if (poll(fds, 2, timeout) < 0 && errno != EINTR)
            break;
        if (fds[1].revents & POLLIN)
            break;
    }
    listening_ = false;
}

int LogindSleepEvents::signalReceived(sd_bus_message* message, void* userdata, void*)
{
    int sleeping = 0;
    if (sd_bus_message_read(message, "b", &sleeping) >= 0)
        static_cast<LogindSleepEvents*>(userdata)->prepareForSleep(sleeping != 0);
    return 0;
}

void LogindSleepEvents::prepareForSleep(bool sleeping)
{
    std::weak_ptr<Observers> weak = observers_;
    mainQueue_.post([weak, sleeping] {
        auto observers = weak.lock();
        if (!observers)
            return;
        std::vector<std::function<void()>> handlers;
        {
            std::lock_guard lock(observers->mutex);
            for (const auto& [id, entry] : observers->entries)
                handlers.push_back(sleeping ? entry.willSleep : entry.didWake);
        }
        for (const auto& handler : handlers)
            if (handler)
                handler();
    });
}

} // namespace brindlemoor
