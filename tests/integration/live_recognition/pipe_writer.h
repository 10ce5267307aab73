#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace brindlemoor::testing {

// Feeds a pipe source the way a microphone would: 100 ms of 16 kHz mono samples every 100 ms,
// the queued audio first and silence whenever nothing is queued.
class PipeWriter {
public:
    explicit PipeWriter(std::filesystem::path fifo);
    ~PipeWriter();

    PipeWriter(const PipeWriter&) = delete;
    PipeWriter& operator=(const PipeWriter&) = delete;

    void enqueue(const std::vector<std::int16_t>& samples);
    void enqueueSilence(double seconds);
    // Queues speech whose last sample that counts as speech is `lastSpeechSample`; see speechEnded().
    void enqueueSpeech(const std::vector<std::int16_t>& samples, std::size_t lastSpeechSample);
    // Whether all queued audio has been written.
    bool drained();
    // When the chunk holding the last speech sample went out (the FIFO hands it on at once).
    std::optional<std::chrono::steady_clock::time_point> speechEnded();

private:
    void run();

    std::filesystem::path fifo_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::int16_t> queued_;
    std::size_t taken_ = 0;  // queued samples written so far
    std::optional<std::size_t> lastSpeechSample_;  // counted from the first sample ever queued
    std::optional<std::chrono::steady_clock::time_point> speechEnded_;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace brindlemoor::testing
