// Prints how fast recordings are converted to 16 kHz, and how long after the end of speech the
// speech detector answers the converted recording's location (a private PulseAudio server plays
// read speech into a FIFO microphone).
#include "engine/sound_file.h"
#include "engine/speech_detector.h"
#include "engine/wav_kit.h"
#include "fakes/captured_log.h"
#include "fakes/captured_output.h"
#include "fakes/real_time_main_queue.h"
#include "librivox.h"
#include "pipe_writer.h"
#include "platform/linux/pulseaudio/pulse_audio_engine.h"
#include "private_pulse_audio.h"
#include "support/temporary_folder.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <future>
#include <random>
#include <stdexcept>
#include <vector>

using namespace brindlemoor;
using namespace std::chrono_literals;

namespace {

double secondsSince(std::chrono::steady_clock::time_point start, std::chrono::steady_clock::time_point end)
{
    return std::chrono::duration<double>(end - start).count();
}

void benchmarkConversion(const std::filesystem::path& folder)
{
    constexpr int kRate = 44100;
    constexpr int kSeconds = 60;
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    const auto input = folder / "audio.wav";
    {
        SoundFile file(input, SFM_WRITE, info);
        std::mt19937 noise(1);
        std::normal_distribution<float> sample(0.0f, 0.1f);
        std::vector<float> samples(kRate * kSeconds);
        for (auto& value : samples)
            value = std::clamp(sample(noise), -1.0f, 1.0f);
        sf_writef_float(file.get(), samples.data(), static_cast<sf_count_t>(samples.size()));
    }
    constexpr int kRuns = 5;
    const auto start = std::chrono::steady_clock::now();
    for (int run = 0; run < kRuns; ++run)
        WavKit::convertWavTo16kHz(input, folder / "converted-audio.wav");
    const double elapsed = secondsSince(start, std::chrono::steady_clock::now());
    std::printf("conversion 44.1 kHz WAV -> 16 kHz CAF: %.0f seconds of audio per second (%d x %d s in %.3f s)\n",
                kRuns * kSeconds / elapsed, kRuns, kSeconds, elapsed);
}

void benchmarkEndOfSpeech(const std::filesystem::path& folder)
{
    testing::PrivatePulseAudio server;
    const auto microphone = server.addDefaultMicrophone();
    if (!microphone)
        throw std::runtime_error("the private PulseAudio server did not start with a FIFO microphone");
    fakes::RealTimeMainQueue queue;
    fakes::CapturedOutput quiet;
    fakes::CapturedLog log;
    AppState appState;
    SpeechDetector detector(PulseAudioEngine::factory(), appState, folder);
    const auto sentence = testing::librivoxRecording("sense_and_sensibility_01_austen_64kb-0920");

    // Speech ends with the last 256-sample block above -40 dB, as the detector hears it.
    const auto samples = testing::readSamples(sentence.path);
    if (!samples)
        throw std::runtime_error("cannot read " + sentence.path.string());
    const auto& speech = *samples;
    std::size_t lastSpeechSample = 0;
    for (std::size_t block = 0; block + 256 <= speech.size(); block += 256) {
        double squares = 0;
        for (std::size_t i = block; i < block + 256; ++i)
            squares += (speech[i] / 32768.0) * (speech[i] / 32768.0);
        if (20 * std::log10(std::sqrt(squares / 256)) > SpeechDetector::kLevelThreshold)
            lastSpeechSample = block + 255;
    }

    std::vector<double> latencies;
    for (int run = 0; run < 3; ++run) {
        auto answer = std::async(std::launch::async, [&] { return detector.listen(); });
        testing::PipeWriter writer(*microphone);
        writer.enqueueSilence(0.5);
        writer.enqueueSpeech(speech, lastSpeechSample);
        const auto ready = [&] { return answer.wait_for(0s) == std::future_status::ready; };
        const auto giveUp = std::chrono::steady_clock::now() + 30s;
        while (!ready() && std::chrono::steady_clock::now() < giveUp)
            queue.runUntil(ready, 20ms);
        const auto answered = std::chrono::steady_clock::now();
        const auto location = ready() ? answer.get() : std::nullopt;
        const auto ended = writer.speechEnded();
        if (!location || !ended) {
            std::printf("end of speech -> converted file: no recording (is PulseAudio working?)\n");
            detector.cancel();
            return;
        }
        latencies.push_back(secondsSince(*ended, answered));
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("end of speech -> converted file location: median %.3f s (min %.3f, max %.3f; includes the "
                "0.2 s quiet delay)\n",
                latencies[1], latencies.front(), latencies.back());
}

} // namespace

int main()
{
    const testing::TemporaryFolder folder("brindlemoor-file-loop-benchmark");
    std::FILE* converterMessages = std::freopen("/dev/null", "w", stderr);
    benchmarkConversion(folder.path());
    try {
        benchmarkEndOfSpeech(folder.path());
    } catch (const std::exception& error) {
        std::printf("end of speech -> converted file: not measured: %s\n", error.what());
    }
    if (converterMessages)
        std::fclose(converterMessages);
    return 0;
}
