// Speed and resource figures of live recognition over the LibriVox recordings of
// pocketsphinx-testdata: the recogniser's real-time factor, the word error rate, the time from
// the end of a request's audio to its final result, and the CPU the process uses while a pass
// listens to ten seconds of silence.

#include "engine/live_speech_recognizer.h"
#include "fakes/real_time_main_queue.h"
#include "fakes/recording_settings_opener.h"
#include "fakes/scripted_alert_presenter.h"
#include "pipe_writer.h"
#include "platform/linux/pocketsphinx/pocketsphinx_speech_recognition_service.h"
#include "platform/linux/pulseaudio/pulse_audio_engine.h"
#include "private_pulse_audio.h"
#include "word_error_rate.h"

#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

using namespace brindlemoor;
using namespace std::chrono_literals;

namespace {

double seconds(std::chrono::steady_clock::duration duration)
{
    return std::chrono::duration<double>(duration).count();
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

std::vector<AudioPcmBuffer> buffersOf(const std::vector<std::int16_t>& samples)
{
    std::vector<AudioPcmBuffer> buffers;
    for (std::size_t at = 0; at < samples.size(); at += 512) {
        const std::size_t count = std::min<std::size_t>(512, samples.size() - at);
        std::vector<float> chunk(count);
        for (std::size_t i = 0; i < count; ++i)
            chunk[i] = samples[at + i] / 32768.0f;
        buffers.emplace_back(AudioFormat{16000, 1}, static_cast<std::uint32_t>(count), std::move(chunk));
    }
    return buffers;
}

// Decodes every recording from its file, one after the other, as fast as the recogniser goes.
void realTimeFactorAndWordErrorRate(fakes::RealTimeMainQueue& queue, PocketSphinxSpeechRecognitionService& speech,
                                    const std::vector<testing::Recording>& recordings)
{
    double audio = 0, processing = 0;
    std::string heard, reference;
    for (const auto& recording : recordings) {
        audio += testing::readSamples(recording.path).value_or(std::vector<std::int16_t>{}).size() / 16000.0;
        std::optional<std::string> text;
        const auto started = std::chrono::steady_clock::now();
        auto task = speech.recognizer("en-US")->recognitionTask(
            std::make_shared<FileRecognitionRequest>(recording.path),
            [&](const std::optional<SpeechRecognitionResult>& result, const std::optional<PlatformError>&) {
                text = result ? result->bestTranscription.formattedString : "";
            });
        queue.runUntil([&] { return text.has_value(); }, 60s);
        processing += seconds(std::chrono::steady_clock::now() - started);
        heard += text.value_or("") + " ";
        reference += recording.reference + " ";
    }
    std::printf("real-time factor (decoding files): %.3f (%.1f s of audio in %.2f s)\n", processing / audio, audio,
                processing);
    std::printf("word error rate (files): %.1f%%\n",
                100 * testing::wordErrorRate(testing::normalisedWords(heard), testing::normalisedWords(reference)));
}

// Feeds each recording at real-time pace, as a microphone would, then ends the request's audio
// and measures how long its final result takes.
void endOfAudioToFinalResult(fakes::RealTimeMainQueue& queue, PocketSphinxSpeechRecognitionService& speech,
                             const std::vector<testing::Recording>& recordings)
{
    double total = 0, longest = 0;
    for (const auto& recording : recordings) {
        auto request = std::make_shared<AudioBufferRecognitionRequest>();
        request->shouldReportPartialResults = true;
        std::optional<std::chrono::steady_clock::time_point> settled;
        auto task = speech.recognizer("en-US")->recognitionTask(
            request, [&](const std::optional<SpeechRecognitionResult>& result, const std::optional<PlatformError>& error) {
                if (error || (result && result->isFinal))
                    settled = std::chrono::steady_clock::now();
            });
        std::atomic<bool> fed{false};
        std::chrono::steady_clock::time_point ended;
        std::thread feeder([&, buffers = buffersOf(testing::readSamples(recording.path).value_or(
                                  std::vector<std::int16_t>{}))] {
            auto next = std::chrono::steady_clock::now();
            for (const auto& buffer : buffers) {
                std::this_thread::sleep_until(next);
                request->append(buffer);
                next += std::chrono::microseconds(512 * 1000000 / 16000);
            }
            ended = std::chrono::steady_clock::now();
            request->endAudio();
            fed = true;
        });
        queue.runUntil([&] { return fed && settled.has_value(); }, 60s);
        feeder.join();
        const double latency = settled ? seconds(*settled - ended) : 0;
        total += latency;
        longest = std::max(longest, latency);
    }
    std::printf("end of audio to final result: mean %.0f ms, longest %.0f ms\n", 1000 * total / recordings.size(),
                1000 * longest);
}

// A pass listening to a microphone that hears nothing.
void cpuWhileListeningToSilence(fakes::RealTimeMainQueue& queue, PocketSphinxSpeechRecognitionService& speech)
{
    testing::PrivatePulseAudio pulse;
    const auto fifo = pulse.addDefaultMicrophone();
    if (!fifo) {
        std::printf("CPU while listening to silence: not measured (no private PulseAudio)\n");
        return;
    }
    testing::PipeWriter microphone(*fifo);
    fakes::ScriptedAlertPresenter alerts;
    fakes::RecordingSettingsOpener settings;
    LiveSpeechRecognizer recognizer(speech, PulseAudioEngine::factory(), alerts, settings, queue);
    recognizer.getLocale = [] { return std::string("en-US"); };
    recognizer.start();
    queue.runFor(1s);
    const double cpuBefore = cpuSeconds();
    const auto wallBefore = std::chrono::steady_clock::now();
    queue.runFor(10s);
    const double cpu = cpuSeconds() - cpuBefore;
    const double wall = seconds(std::chrono::steady_clock::now() - wallBefore);
    std::printf("CPU while a pass listens to 10 s of silence: %.1f%% of one core (%.2f s CPU in %.1f s)\n",
                100 * cpu / wall, cpu, wall);
    recognizer.stop();
    queue.runFor(500ms);
}

} // namespace

int main()
{
    auto recordings = testing::librivoxRecordings();
    if (recordings.size() != 5) {
        std::fprintf(stderr, "the LibriVox recordings of pocketsphinx-testdata are missing\n");
        return 1;
    }
    fakes::RealTimeMainQueue queue;
    PocketSphinxSpeechRecognitionService speech;
    const auto loadStarted = std::chrono::steady_clock::now();
    speech.preload("en-US");
    std::printf("model load: %.2f s\n", seconds(std::chrono::steady_clock::now() - loadStarted));
    realTimeFactorAndWordErrorRate(queue, speech, recordings);
    endOfAudioToFinalResult(queue, speech, recordings);
    cpuWhileListeningToSilence(queue, speech);
    return 0;
}
