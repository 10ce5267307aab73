#include "hotkeys/hot_key_event_layer.h"

#include <atomic>

namespace brindlemoor {
namespace {
std::atomic<HotKeyEventLayer*> installedLayer{nullptr};
}

HotKeyEventLayer::~HotKeyEventLayer()
{
    HotKeyEventLayer* self = this;
    installedLayer.compare_exchange_strong(self, nullptr);
}

HotKeyEventLayer* HotKeyEventLayer::installed()
{
    return installedLayer.load(std::memory_order_acquire);
}

void HotKeyEventLayer::install(HotKeyEventLayer* layer)
{
    installedLayer.store(layer, std::memory_order_release);
}

} // namespace brindlemoor
