#include "engine/dictation_manager_reference.h"

#include <atomic>

namespace brindlemoor {
namespace {
std::atomic<TextInsertionEntry*> reference{nullptr};
}

TextInsertionEntry* dictationManager()
{
    return reference.load(std::memory_order_acquire);
}

void setDictationManager(TextInsertionEntry* manager)
{
    reference.store(manager, std::memory_order_release);
}

} // namespace brindlemoor
