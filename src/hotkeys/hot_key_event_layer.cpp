#include "hotkeys/hot_key_event_layer.h"

#include <atomic>

namespace brindlemoor {
namespace {
std::atomic<HotKeyEventLayer*> installedLayer{nullptr};
std::atomic<std::uint64_t> installations{0};
}

HotKeyEventLayer::~HotKeyEventLayer()
{
    HotKeyEventLayer* self = this;
    if (installedLayer.compare_exchange_strong(self, nullptr))
        installations.fetch_add(1);
}

HotKeyEventLayer* HotKeyEventLayer::installed()
{
    return installedLayer.load(std::memory_order_acquire);
}

void HotKeyEventLayer::install(HotKeyEventLayer* layer)
{
    installedLayer.store(layer, std::memory_order_release);
    installations.fetch_add(1);
}

std::uint64_t HotKeyEventLayer::installationNumber()
{
    return installations.load();
}

} // namespace brindlemoor
