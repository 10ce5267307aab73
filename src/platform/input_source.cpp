#include "platform/input_source.h"

#include <atomic>

namespace brindlemoor {
namespace {
std::atomic<InputSource*> installed{nullptr};
}

InputSource* InputSource::current()
{
    return installed.load(std::memory_order_acquire);
}

void InputSource::install(InputSource* source)
{
    installed.store(source, std::memory_order_release);
}

} // namespace brindlemoor
