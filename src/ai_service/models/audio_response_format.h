#pragma once

#include "ai_service/models/wire_strings.h"

namespace brindlemoor {

// The reply format asked of the transcription and translation operations.
enum class AudioResponseFormat { json, text, verboseJson, srt, vtt };

template <>
struct WireStrings<AudioResponseFormat> {
    using E = AudioResponseFormat;
    static constexpr std::array<std::pair<E, std::string_view>, 5> table{{
        {E::json, "json"},
        {E::text, "text"},
        {E::verboseJson, "verbose_json"},
        {E::srt, "srt"},
        {E::vtt, "vtt"},
    }};
};

} // namespace brindlemoor
