#pragma once

#include "platform/audio_buffer.h"
#include "platform/platform_error.h"

#include <filesystem>
#include <memory>
#include <optional>

struct sf_private_tag;

namespace brindlemoor {

// Reads an audio file (WAV, CAF, AIFF, FLAC...) as float buffers in the file's own format.
class SoundFileReader {
public:
    // nullptr (and the reason in `error`) when the file cannot be read.
    static std::unique_ptr<SoundFileReader> open(const std::filesystem::path& path, PlatformError& error);
    ~SoundFileReader();

    SoundFileReader(const SoundFileReader&) = delete;
    SoundFileReader& operator=(const SoundFileReader&) = delete;

    AudioFormat format() const { return format_; }
    // Up to `frames` frames; nothing at the end of the file.
    std::optional<AudioPcmBuffer> read(std::uint32_t frames);

private:
    SoundFileReader(sf_private_tag* file, AudioFormat format) : file_(file), format_(format) {}

    sf_private_tag* file_;
    AudioFormat format_;
};

} // namespace brindlemoor
