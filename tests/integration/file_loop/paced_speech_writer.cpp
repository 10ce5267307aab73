#include "paced_speech_writer.h"

#include <sndfile.h>

#include <fcntl.h>
#include <poll.h>
#include <cerrno>
#include <stdexcept>
#include <unistd.h>

namespace brindlemoor::testing {
namespace {

constexpr std::size_t kPieceSamples = 1600;  // 100 ms at 16 kHz

} // namespace

bool PacedSpeechWriter::writeAll(int fifo, const short* samples, std::size_t bytes)
{
    const auto* data = reinterpret_cast<const char*>(samples);
    while (bytes > 0 && !stopping_) {
        const ssize_t written = write(fifo, data, bytes);
        if (written > 0) {
            data += written;
            bytes -= static_cast<std::size_t>(written);
        } else if (written < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        } else {
            pollfd ready{fifo, POLLOUT, 0};
            poll(&ready, 1, 100);
        }
    }
    return bytes == 0;
}

std::vector<short> PacedSpeechWriter::readRecording(const std::filesystem::path& path)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr)
        throw std::runtime_error("cannot read " + path.string() + ": install pocketsphinx-testdata");
    std::vector<short> samples(static_cast<std::size_t>(info.frames * info.channels));
    sf_read_short(file, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(file);
    if (info.samplerate != 16000 || info.channels != 1)
        throw std::runtime_error(path.string() + " is not 16 kHz mono");
    return samples;
}

PacedSpeechWriter::PacedSpeechWriter(const std::filesystem::path& microphone, std::vector<short> speech,
                                     std::chrono::milliseconds leadingSilence, std::optional<std::size_t> lastSpeechSample)
    : speech_(std::move(speech)), lastSpeechSample_(lastSpeechSample.value_or(speech_.size() - 1))
{
    thread_ = std::thread([this, microphone, leadingSilence] { run(microphone, leadingSilence); });
}

PacedSpeechWriter::~PacedSpeechWriter()
{
    stopping_ = true;
    thread_.join();
}

std::optional<std::chrono::steady_clock::time_point> PacedSpeechWriter::speechEnded()
{
    std::lock_guard lock(mutex_);
    return speechEnded_;
}

void PacedSpeechWriter::run(std::filesystem::path microphone, std::chrono::milliseconds leadingSilence)
{
    // Non-blocking, so that a server that stops reading cannot keep the writer from stopping.
    const int fifo = open(microphone.c_str(), O_WRONLY | O_NONBLOCK);
    if (fifo < 0)
        return;
    std::vector<short> timeline(static_cast<std::size_t>(leadingSilence.count()) * 16, 0);
    const std::size_t lastSpeech = timeline.size() + lastSpeechSample_;
    timeline.insert(timeline.end(), speech_.begin(), speech_.end());
    const std::size_t speechEnd = timeline.size();

    auto due = std::chrono::steady_clock::now();
    const std::vector<short> silence(kPieceSamples, 0);
    for (std::size_t offset = 0; !stopping_; offset += kPieceSamples) {
        const short* piece = silence.data();
        std::size_t count = kPieceSamples;
        if (offset < speechEnd) {
            piece = timeline.data() + offset;
            count = std::min(kPieceSamples, speechEnd - offset);
        }
        if (!writeAll(fifo, piece, count * sizeof(short)))
            break;
        if (offset <= lastSpeech && lastSpeech < offset + count) {
            std::lock_guard lock(mutex_);
            speechEnded_ = std::chrono::steady_clock::now();
        }
        due += std::chrono::microseconds(count * 1000000 / 16000);
        std::this_thread::sleep_until(due);
    }
    close(fifo);
}

} // namespace brindlemoor::testing
