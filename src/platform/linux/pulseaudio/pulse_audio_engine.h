#pragma once

#include "platform/audio_engine.h"

#include <memory>
#include <mutex>
#include <vector>

struct pa_stream;

namespace brindlemoor {

class PulseConnection;

// Captures the default input through a record stream of its own connection; the tap runs on
// that connection's event thread.
class PulseAudioEngine final : public AudioEngine {
public:
    PulseAudioEngine();
    ~PulseAudioEngine() override;

    AudioFormat inputFormat() override;
    void installTap(std::uint32_t bufferSize, AudioFormat format, TapBlock block) override;
    void removeTap() override;
    std::optional<PlatformError> start() override;
    void stop() override;
    void reset() override;

    // The factory the live recogniser is given on Linux.
    static AudioEngineFactory factory();

private:
    struct Tap {
        std::uint32_t bufferSize = 0;
        AudioFormat format;
        TapBlock block;
    };

    std::optional<PlatformError> connectIfNeeded();
    void disconnectStream();
    void readAvailable(pa_stream* stream);
    static void streamReadable(pa_stream* stream, std::size_t bytes, void* userdata);
    static void streamStateChanged(pa_stream* stream, void* userdata);

    std::unique_ptr<PulseConnection> connection_;
    pa_stream* stream_ = nullptr;    // with the connection's lock held
    std::optional<Tap> tap_;         // with the connection's lock held, or `tapMutex_` before connecting
    std::mutex tapMutex_;
    std::vector<float> accumulated_;  // event thread
    AudioFormat streamFormat_;
};

} // namespace brindlemoor
