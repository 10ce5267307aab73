#include "platform/user_defaults.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace brindlemoor {
namespace {
std::atomic<UserDefaults*> installed{nullptr};
}

UserDefaults& UserDefaults::standard()
{
    UserDefaults* defaults = installed.load(std::memory_order_acquire);
    if (defaults == nullptr) {
        std::fputs("Brindlemoor: the user defaults are used before they were installed\n", stderr);
        std::abort();
    }
    return *defaults;
}

void UserDefaults::install(UserDefaults* defaults)
{
    installed.store(defaults, std::memory_order_release);
}

} // namespace brindlemoor
