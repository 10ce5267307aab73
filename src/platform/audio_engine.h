#pragma once

#include "platform/audio_buffer.h"
#include "platform/platform_error.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace brindlemoor {

// Errors of `AudioEngine::start` (domain `kAudioEngineErrorDomain`).
inline constexpr const char* kAudioEngineErrorDomain = "AudioEngine";
enum class AudioEngineErrorCode : int {
    noServer = 1,       // no sound server to talk to
    noInputDevice = 2,  // no audio input (monitors of outputs do not count)
    streamFailed = 3,   // the server refused the capture stream
};

// Captures the default audio input. A tap on the input receives the audio in buffers of the
// asked frame count on the engine's own thread, from `start` until `stop`, `reset` or
// `removeTap`. Releasing the engine releases everything it holds.
class AudioEngine {
public:
    using TapBlock = std::function<void(const AudioPcmBuffer& buffer)>;

    virtual ~AudioEngine() = default;

    // The input's format: the default input's sample rate and channel count, zero when there
    // is no input.
    virtual AudioFormat inputFormat() = 0;
    // One tap at a time; installing another replaces it.
    virtual void installTap(std::uint32_t bufferSize, AudioFormat format, TapBlock block) = 0;
    // Once it returns, the tap block is not called again.
    virtual void removeTap() = 0;

    virtual std::optional<PlatformError> start() = 0;
    virtual void stop() = 0;
    // Drops audio held for a tap that was not delivered yet, and stops capturing.
    virtual void reset() = 0;
};

// Makes a new engine; the live recogniser takes a fresh one for every pass.
using AudioEngineFactory = std::function<std::unique_ptr<AudioEngine>()>;

} // namespace brindlemoor
