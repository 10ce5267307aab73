#pragma once

#include "platform/audio_buffer_recognition_request.h"
#include "platform/linux/pocketsphinx/decoder_pool.h"
#include "platform/main_queue.h"
#include "platform/speech_recognition_service.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>

namespace brindlemoor {

class MonoResampler;

// One recognition: audio goes to a decoder on a worker thread; results come back to the handler
// on the main queue. After `finish` or `cancel` at most one more callback is delivered, and
// after the final result or error none.
class PocketSphinxRecognitionTask final : public SpeechRecognitionTask,
                                          public AudioBufferRecognitionRequest::Consumer,
                                          public std::enable_shared_from_this<PocketSphinxRecognitionTask> {
public:
    PocketSphinxRecognitionTask(std::shared_ptr<DecoderPool> pool, RecognitionResultHandler handler,
                                bool reportPartialResults, MainQueue& mainQueue);
    ~PocketSphinxRecognitionTask() override;

    void finish() override;
    void cancel() override;

    void receive(const AudioPcmBuffer& buffer) override;
    void endOfAudio() override;

    // The worker's body for audio appended to a request.
    void runBuffers();
    // The worker's body for a file: its audio, then the end of the audio.
    void runFile(const std::filesystem::path& path);

    bool isCancelled() const { return cancelled_; }

private:
    void decode(std::unique_ptr<PocketSphinxDecoder>& decoder);
    void feed(PocketSphinxDecoder& decoder, const AudioPcmBuffer& buffer);
    void reportPartial(PocketSphinxDecoder& decoder);
    void deliver(std::optional<SpeechRecognitionResult> result, std::optional<PlatformError> error, bool last);

    std::shared_ptr<DecoderPool> pool_;
    RecognitionResultHandler handler_;  // touched on the main queue only
    const bool reportPartialResults_;
    MainQueue& mainQueue_;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<AudioPcmBuffer> pending_;
    bool audioEnded_ = false;

    std::atomic<bool> cancelled_{false};
    std::atomic<bool> finishing_{false};
    bool lastDelivered_ = false;  // main queue only

    std::unique_ptr<MonoResampler> resampler_;  // worker only
    std::string lastPartial_;
    double audioSincePartial_ = 0;
};

} // namespace brindlemoor
