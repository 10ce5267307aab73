#include "ai_service/models/audio_translation_result.h"

namespace brindlemoor {

void AudioTranslationResult::encode(KeyedEncoder& encoder) const
{
    encoder.encode("text", text);
}

AudioTranslationResult AudioTranslationResult::decode(const KeyedDecoder& decoder)
{
    return {decoder.decode<std::string>("text")};
}

} // namespace brindlemoor
