#pragma once

#include "engine/transcribe_protocol.h"

namespace brindlemoor {

// Answers empty text at once, without reading the file.
class DummyTranscriber final : public TranscribeProtocol {
public:
    TranscriptionResult transcribe(const std::filesystem::path&) override { return std::string(); }
};

} // namespace brindlemoor
