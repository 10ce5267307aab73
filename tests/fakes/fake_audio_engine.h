#pragma once

#include "platform/audio_engine.h"

#include <deque>
#include <memory>
#include <optional>
#include <vector>

namespace brindlemoor::fakes {

// What a fake engine was asked to do; outlives the engine, which the recogniser may release.
struct FakeAudioEngineRecord {
    AudioFormat format{48000, 1};
    std::optional<PlatformError> startError;
    // Scripted answers of `start` across engines, in order; then `startError`.
    std::shared_ptr<std::deque<std::optional<PlatformError>>> startScript;
    std::optional<std::uint32_t> tapBufferSize;
    AudioEngine::TapBlock tap;
    bool running = false;
    bool released = false;
    int startCount = 0, stopCount = 0, resetCount = 0, removeTapCount = 0;

    // Calls the tap as the engine's thread would.
    void deliver(const AudioPcmBuffer& buffer)
    {
        if (tap && running)
            tap(buffer);
    }
};

class FakeAudioEngine final : public AudioEngine {
public:
    explicit FakeAudioEngine(std::shared_ptr<FakeAudioEngineRecord> record) : record_(std::move(record)) {}
    ~FakeAudioEngine() override
    {
        record_->released = true;
        record_->running = false;
    }

    AudioFormat inputFormat() override { return record_->format; }
    void installTap(std::uint32_t bufferSize, AudioFormat, TapBlock block) override
    {
        record_->tapBufferSize = bufferSize;
        record_->tap = std::move(block);
    }
    void removeTap() override
    {
        ++record_->removeTapCount;
        record_->tap = nullptr;
    }
    std::optional<PlatformError> start() override
    {
        ++record_->startCount;
        if (record_->startScript && !record_->startScript->empty()) {
            auto answer = record_->startScript->front();
            record_->startScript->pop_front();
            if (answer)
                return answer;
        } else if (record_->startError)
            return record_->startError;
        record_->running = true;
        return std::nullopt;
    }
    void stop() override
    {
        ++record_->stopCount;
        record_->running = false;
    }
    void reset() override
    {
        ++record_->resetCount;
        record_->running = false;
    }

private:
    std::shared_ptr<FakeAudioEngineRecord> record_;
};

// Makes fake engines and keeps the record of each, in order.
class FakeAudioEngines {
public:
    AudioEngineFactory factory()
    {
        return [this] {
            auto record = std::make_shared<FakeAudioEngineRecord>();
            record->format = format;
            record->startError = startError;
            record->startScript = startScript;
            records.push_back(record);
            return std::make_unique<FakeAudioEngine>(record);
        };
    }
    std::shared_ptr<FakeAudioEngineRecord> last() const { return records.empty() ? nullptr : records.back(); }

    AudioFormat format{48000, 1};
    std::optional<PlatformError> startError;
    std::shared_ptr<std::deque<std::optional<PlatformError>>> startScript =
        std::make_shared<std::deque<std::optional<PlatformError>>>();
    std::vector<std::shared_ptr<FakeAudioEngineRecord>> records;
};

} // namespace brindlemoor::fakes
