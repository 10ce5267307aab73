#include "pipe_writer.h"

#include <fcntl.h>
#include <unistd.h>

namespace brindlemoor::testing {

namespace {
constexpr std::size_t kChunk = 1600;  // 100 ms at 16 kHz
}

PipeWriter::PipeWriter(std::filesystem::path fifo) : fifo_(std::move(fifo)), thread_([this] { run(); }) {}

PipeWriter::~PipeWriter()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void PipeWriter::enqueue(const std::vector<std::int16_t>& samples)
{
    std::lock_guard lock(mutex_);
    queued_.insert(queued_.end(), samples.begin(), samples.end());
}

void PipeWriter::enqueueSilence(double seconds)
{
    enqueue(std::vector<std::int16_t>(static_cast<std::size_t>(seconds * 16000), 0));
}

void PipeWriter::enqueueSpeech(const std::vector<std::int16_t>& samples, std::size_t lastSpeechSample)
{
    std::lock_guard lock(mutex_);
    lastSpeechSample_ = taken_ + queued_.size() + lastSpeechSample;
    speechEnded_.reset();
    queued_.insert(queued_.end(), samples.begin(), samples.end());
}

bool PipeWriter::drained()
{
    std::lock_guard lock(mutex_);
    return queued_.empty();
}

std::optional<std::chrono::steady_clock::time_point> PipeWriter::speechEnded()
{
    std::lock_guard lock(mutex_);
    return speechEnded_;
}

void PipeWriter::run()
{
    // Non-blocking, so a source that stopped reading cannot hang the test.
    int fd = open(fifo_.c_str(), O_WRONLY | O_NONBLOCK);
    auto next = std::chrono::steady_clock::now();
    std::vector<std::int16_t> chunk(kChunk);
    for (;;) {
        bool endsSpeech = false;
        {
            std::unique_lock lock(mutex_);
            if (wake_.wait_until(lock, next, [this] { return stopping_; }))
                break;
            const std::size_t first = taken_;
            for (std::size_t i = 0; i < kChunk; ++i) {
                if (queued_.empty()) {
                    chunk[i] = 0;
                } else {
                    chunk[i] = queued_.front();
                    queued_.pop_front();
                    ++taken_;
                }
            }
            endsSpeech = lastSpeechSample_ && first <= *lastSpeechSample_ && *lastSpeechSample_ < taken_;
        }
        // A full FIFO drops the chunk, as a microphone nobody listens to would. A chunk is below
        // the pipe's atomic write size, so it goes out whole or not at all.
        const auto bytes = static_cast<ssize_t>(chunk.size() * sizeof(std::int16_t));
        if (fd >= 0 && write(fd, chunk.data(), static_cast<std::size_t>(bytes)) == bytes && endsSpeech) {
            std::lock_guard lock(mutex_);
            speechEnded_ = std::chrono::steady_clock::now();
        }
        next += std::chrono::milliseconds(100);
    }
    if (fd >= 0)
        close(fd);
}

} // namespace brindlemoor::testing
