#include "engine/speech_detector.h"

#include "engine/duration_text.h"
#include "engine/notification_names.h"
#include "engine/resampler.h"
#include "engine/sound_file.h"
#include "engine/wav_kit.h"
#include "platform/main_queue.h"
#include "platform/notification_center.h"
#include "platform/standard_output.h"

#include <cmath>
#include <future>
#include <vector>

namespace brindlemoor {

SpeechDetector::SpeechDetector(AudioEngineFactory makeEngine, AppState& appState,
                               std::filesystem::path temporaryDirectory, Clock& clock)
    : makeEngine_(std::move(makeEngine)), appState_(appState), temporaryDirectory_(std::move(temporaryDirectory)),
      clock_(clock)
{
    timerGate_->detector = this;
}

SpeechDetector::~SpeechDetector()
{
    {
        std::lock_guard lock(timerGate_->mutex);
        timerGate_->detector = nullptr;
    }
    audioBufferQueue_.sync([this] { audioEngine_.reset(); });
}

std::optional<std::filesystem::path> SpeechDetector::listen()
{
    log_.info("listen: start");
    std::promise<std::optional<std::filesystem::path>> answer;
    auto answered = answer.get_future();
    audioBufferQueue_.sync([&] {
        if (cancelled_) {
            answer.set_value(std::nullopt);
            return;
        }
        audioEngine_ = makeEngine_();
        ++listenId_;
        listening_ = true;
        startFailed_ = false;
        // Registered before any buffer can arrive, so that every kind of stop ends this call.
        listenCompletion_ = [&answer](std::optional<std::filesystem::path> location) {
            answer.set_value(std::move(location));
        };
        installTap(listenId_);
        if (listening_)
            startEngine();
    });
    auto location = answered.get();
    benchmark_.info("listen: end");
    return location;
}

void SpeechDetector::cancel()
{
    audioBufferQueue_.sync([this] {
        cancelled_ = true;
        startFailed_ = true;
        stopRecording();
    });
}

void SpeechDetector::installTap(std::uint64_t listenId)
{
    AudioFormat format = audioEngine_->inputFormat();
    if (format.sampleRate == 0 || format.channelCount == 0)
        audioEngine_->reset();
    try {
        audioEngine_->installTap(kTapBufferSize, format, [this, listenId](const AudioPcmBuffer& buffer) {
            audioBufferQueue_.async([this, listenId, buffer] { processBuffer(listenId, buffer); });
        });
    } catch (const std::exception& refusal) {
        log_.error("Audio engine start error: %s", refusal.what());
        startFailed_ = true;
        stopRecording();
    }
}

void SpeechDetector::startEngine()
{
    if (auto error = audioEngine_->start()) {
        log_.error("Audio engine start error: %s", error->localizedDescription());
        startFailed_ = true;
        stopRecording();
    }
}

float SpeechDetector::audioLevelDecibels(const AudioPcmBuffer& buffer)
{
    if (!buffer.hasFloatChannelData())
        return -120.0f;
    float sumOfSquares = 0;
    for (std::uint32_t frame = 0; frame < buffer.frameLength(); ++frame) {
        const float sample = buffer.sample(0, frame);
        sumOfSquares += sample * sample;
    }
    const float rms = std::sqrt(sumOfSquares / static_cast<float>(buffer.frameLength()));
    return 20.0f * std::log10(rms);
}

void SpeechDetector::processBuffer(std::uint64_t listenId, const AudioPcmBuffer& buffer)
{
    // Buffers still queued from a listen that has ended belong to nobody.
    if (listenId != listenId_ || !listening_)
        return;
    if (!isRecording_ && recordedBuffers_.size() >= kBuffersKeptBeforeSpeech)
        recordedBuffers_.pop_front();
    recordedBuffers_.push_back(buffer);

    const float level = audioLevelDecibels(buffer);
    if (level > -120.0f)
        StandardOutput::print("_");
    updateRecordingState(level);

    if (!appState_.isDictating())
        stopRecording();
}

void SpeechDetector::updateRecordingState(float level)
{
    if (level > kLevelThreshold) {
        if (!isRecording_) {
            log_.info("record: start");
            setRecording(true);
        }
        cancelStopTimer();
    } else if (isRecording_ && !isStopTimerRunning_) {
        scheduleStopTimer();
    }
}

void SpeechDetector::setRecording(bool flag)
{
    if (flag == isRecording_)
        return;
    isRecording_ = flag;
    NotificationCenter::defaultCenter().post(std::string(notification_names::didChangeRecordingStatus),
                                             {{std::string(notification_names::isRecordingKey), flag}});
}

void SpeechDetector::scheduleStopTimer()
{
    isStopTimerRunning_ = true;
    const std::uint64_t timerId = ++stopTimerId_;
    std::weak_ptr<TimerGate> gate = timerGate_;
    MainQueue::main().postAfter(kQuietDelay, [gate, timerId] {
        auto alive = gate.lock();
        if (!alive)
            return;
        std::lock_guard lock(alive->mutex);
        if (SpeechDetector* detector = alive->detector)
            detector->audioBufferQueue_.async([detector, timerId] { detector->stopTimerFired(timerId); });
    });
}

void SpeechDetector::cancelStopTimer()
{
    ++stopTimerId_;
    isStopTimerRunning_ = false;
}

void SpeechDetector::stopTimerFired(std::uint64_t timerId)
{
    if (timerId != stopTimerId_)
        return;
    stopRecording();
    isStopTimerRunning_ = false;
    benchmark_.info("stop recording");
}

void SpeechDetector::stopRecording()
{
    if (!listening_)
        return;
    listening_ = false;
    audioEngine_->stop();
    audioEngine_->removeTap();
    // An input that never started recorded nothing: the last utterance's files stay as they are.
    if (startFailed_)
        recordedBuffers_.clear();
    else
        writeRecording();
    setRecording(false);
    if (auto completion = std::exchange(listenCompletion_, nullptr))
        finishListening(completion);
    cancelStopTimer();
    log_.info("record: stop");
}

void SpeechDetector::writeRecording()
{
    // One mono track of every buffer in order, brought to the recording's rate whatever the
    // input delivered.
    std::vector<float> mono;
    double inputRate = kRecordingSampleRate;
    for (const auto& buffer : recordedBuffers_) {
        if (!buffer.hasFloatChannelData() || buffer.channelCount() == 0)
            continue;
        inputRate = buffer.format().sampleRate;
        for (std::uint32_t frame = 0; frame < buffer.frameLength(); ++frame) {
            float sum = 0;
            for (std::uint32_t channel = 0; channel < buffer.channelCount(); ++channel)
                sum += buffer.sample(channel, frame);
            mono.push_back(sum / static_cast<float>(buffer.channelCount()));
        }
    }
    recordedBuffers_.clear();
    if (inputRate > 0 && inputRate != kRecordingSampleRate)
        mono = Resampler::convert(mono, inputRate, kRecordingSampleRate, 1);

    SF_INFO info{};
    info.samplerate = static_cast<int>(kRecordingSampleRate);
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SoundFile file(recordingFileURL(), SFM_WRITE, info);
    if (!file)
        return;
    sf_command(file.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);
    sf_writef_float(file.get(), mono.data(), static_cast<sf_count_t>(mono.size()));
}

void SpeechDetector::finishListening(const Completion& completion)
{
    if (startFailed_) {
        completion(std::nullopt);
        return;
    }
    const auto start = clock_.now();
    WavKit::convertWavTo16kHz(recordingFileURL(), convertedFileURL());
    benchmark_.info("listen: stop");
    completion(convertedFileURL());
    benchmark_.info("time = %s, converted", durationText(clock_.now() - start));
}

} // namespace brindlemoor
