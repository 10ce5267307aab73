#include "ai_service/models/audio_transcription_result.h"

namespace brindlemoor {

void AudioTranscriptionResult::encode(KeyedEncoder& encoder) const
{
    encoder.encode("text", text);
}

AudioTranscriptionResult AudioTranscriptionResult::decode(const KeyedDecoder& decoder)
{
    return {decoder.decode<std::string>("text")};
}

} // namespace brindlemoor
