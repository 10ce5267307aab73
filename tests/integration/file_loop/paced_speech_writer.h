#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace brindlemoor::testing {

// Plays a recording into a FIFO microphone at real-time pace, in 100 ms pieces: silence first,
// then the recording, then silence until it is stopped. The microphone has no clock of its own,
// so the silence is written too.
class PacedSpeechWriter {
public:
    // `lastSpeechSample`: the recording's last sample that counts as speech (its last, by default).
    PacedSpeechWriter(const std::filesystem::path& microphone, std::vector<short> speech,
                      std::chrono::milliseconds leadingSilence, std::optional<std::size_t> lastSpeechSample = {});
    ~PacedSpeechWriter();

    PacedSpeechWriter(const PacedSpeechWriter&) = delete;
    PacedSpeechWriter& operator=(const PacedSpeechWriter&) = delete;

    // When the piece holding the last speech sample went out (the FIFO hands it on at once).
    std::optional<std::chrono::steady_clock::time_point> speechEnded();

    // The 16 kHz mono samples of a recording (throws when it cannot be read).
    static std::vector<short> readRecording(const std::filesystem::path& path);

private:
    void run(std::filesystem::path microphone, std::chrono::milliseconds leadingSilence);
    // Waits while the FIFO is full; false when the server has gone or the writer is stopping.
    bool writeAll(int fifo, const short* samples, std::size_t bytes);

    std::vector<short> speech_;
    std::size_t lastSpeechSample_;
    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::optional<std::chrono::steady_clock::time_point> speechEnded_;
    std::thread thread_;
};

} // namespace brindlemoor::testing
