#pragma once

#include "platform/audio_engine.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <vector>

namespace brindlemoor::testing {

// What the test scripts for every engine the detector makes, and what those engines saw.
struct ScriptedAudioInput {
    AudioFormat format{44100, 1};
    std::optional<PlatformError> startError;
    bool refuseTap = false;

    std::mutex mutex;
    std::condition_variable changed;
    AudioEngine::TapBlock tap;
    std::uint32_t tapBufferSize = 0;
    int enginesMade = 0;
    int stops = 0;
    int resets = 0;
    bool running = false;

    // Blocks until an engine is running with a tap; the wait ends on an event, not on time.
    void waitUntilRunning()
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [this] { return running && tap; });
    }

    // Delivers a buffer as the engine's thread would.
    void deliver(const AudioPcmBuffer& buffer)
    {
        AudioEngine::TapBlock block;
        {
            std::lock_guard lock(mutex);
            block = tap;
        }
        if (block)
            block(buffer);
    }
};

class ScriptedAudioEngine final : public AudioEngine {
public:
    explicit ScriptedAudioEngine(ScriptedAudioInput& input) : input_(input) {}

    AudioFormat inputFormat() override { return input_.format; }
    void installTap(std::uint32_t bufferSize, AudioFormat, TapBlock block) override
    {
        if (input_.refuseTap)
            throw std::invalid_argument("the input has no channels");
        std::lock_guard lock(input_.mutex);
        input_.tap = std::move(block);
        input_.tapBufferSize = bufferSize;
    }
    void removeTap() override
    {
        std::lock_guard lock(input_.mutex);
        input_.tap = nullptr;
    }
    std::optional<PlatformError> start() override
    {
        if (input_.startError)
            return input_.startError;
        std::lock_guard lock(input_.mutex);
        input_.running = true;
        input_.changed.notify_all();
        return std::nullopt;
    }
    void stop() override
    {
        std::lock_guard lock(input_.mutex);
        input_.running = false;
        ++input_.stops;
    }
    void reset() override
    {
        std::lock_guard lock(input_.mutex);
        ++input_.resets;
    }

    static AudioEngineFactory factory(ScriptedAudioInput& input)
    {
        return [&input] {
            std::lock_guard lock(input.mutex);
            ++input.enginesMade;
            return std::make_unique<ScriptedAudioEngine>(input);
        };
    }

private:
    ScriptedAudioInput& input_;
};

// A buffer of `frames` mono samples, all of one value.
inline AudioPcmBuffer constantBuffer(float value, std::uint32_t frames = 256, double rate = 44100)
{
    return AudioPcmBuffer(AudioFormat{rate, 1}, frames, std::vector<float>(frames, value));
}

} // namespace brindlemoor::testing
