#include "hotkeys/x11/wake_event.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace brindlemoor {

WakeEvent::WakeEvent() : descriptor_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    if (descriptor_ < 0)
        creationError_ = errno;
}

WakeEvent::~WakeEvent()
{
    if (descriptor_ >= 0)
        close(descriptor_);
}

void WakeEvent::signal()
{
    const std::uint64_t one = 1;
    // A full counter already wakes the reader, so a failed write loses nothing.
    [[maybe_unused]] const ssize_t written = write(descriptor_, &one, sizeof one);
}

void WakeEvent::drain()
{
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t bytes = read(descriptor_, &count, sizeof count);
}

} // namespace brindlemoor
