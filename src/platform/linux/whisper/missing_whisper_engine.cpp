#include "platform/whisper_engine.h"

namespace brindlemoor {

// Built without the library: no model can be loaded.
std::unique_ptr<WhisperEngine> WhisperEngine::load(const std::filesystem::path&)
{
    return nullptr;
}

bool WhisperEngine::available()
{
    return false;
}

} // namespace brindlemoor
