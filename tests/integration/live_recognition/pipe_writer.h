#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

namespace brindlemoor::testing {

// Feeds a pipe source the way a microphone would: 100 ms of 16 kHz mono samples every 100 ms,
// the queued audio first and silence whenever nothing is queued.
class PipeWriter {
public:
    explicit PipeWriter(std::filesystem::path fifo);
    ~PipeWriter();

    void enqueue(const std::vector<std::int16_t>& samples);
    void enqueueSilence(double seconds);
    // Whether all queued audio has been written.
    bool drained();

private:
    void run();

    std::filesystem::path fifo_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::int16_t> queued_;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace brindlemoor::testing
