#include "platform/linux/pocketsphinx/pocketsphinx_recognition_task.h"

#include "platform/linux/pocketsphinx/mono_resampler.h"
#include "platform/linux/pocketsphinx/sound_file_reader.h"

namespace brindlemoor {

namespace {

// How much audio passes between two looks at the partial hypothesis.
constexpr double kPartialResultInterval = 0.1;

PlatformError noSpeechError()
{
    return PlatformError{kSpeechRecognitionErrorDomain, static_cast<int>(SpeechRecognitionErrorCode::noSpeech),
                         "No speech detected"};
}

} // namespace

PocketSphinxRecognitionTask::PocketSphinxRecognitionTask(std::shared_ptr<DecoderPool> pool,
                                                         RecognitionResultHandler handler, bool reportPartialResults,
                                                         MainQueue& mainQueue)
    : pool_(std::move(pool)), handler_(std::move(handler)), reportPartialResults_(reportPartialResults),
      mainQueue_(mainQueue)
{
}

PocketSphinxRecognitionTask::~PocketSphinxRecognitionTask() = default;

void PocketSphinxRecognitionTask::finish()
{
    finishing_ = true;
    endOfAudio();
}

void PocketSphinxRecognitionTask::cancel()
{
    cancelled_ = true;
    std::lock_guard lock(mutex_);
    pending_.clear();
    wake_.notify_all();
}

void PocketSphinxRecognitionTask::receive(const AudioPcmBuffer& buffer)
{
    std::lock_guard lock(mutex_);
    if (audioEnded_ || cancelled_)
        return;
    pending_.push_back(buffer);
    wake_.notify_all();
}

void PocketSphinxRecognitionTask::endOfAudio()
{
    std::lock_guard lock(mutex_);
    audioEnded_ = true;
    wake_.notify_all();
}

void PocketSphinxRecognitionTask::runBuffers()
{
    PlatformError error;
    auto decoder = pool_->acquire(error);
    if (!decoder) {
        deliver(std::nullopt, error, true);
        return;
    }
    decode(decoder);
    pool_->release(std::move(decoder));
}

void PocketSphinxRecognitionTask::runFile(const std::filesystem::path& path)
{
    PlatformError error;
    auto reader = SoundFileReader::open(path, error);
    if (!reader) {
        deliver(std::nullopt, error, true);
        return;
    }
    while (!cancelled_) {
        auto buffer = reader->read(4096);
        if (!buffer)
            break;
        receive(*buffer);
    }
    endOfAudio();
    runBuffers();
}

void PocketSphinxRecognitionTask::decode(std::unique_ptr<PocketSphinxDecoder>& decoder)
{
    decoder->startUtterance();
    for (;;) {
        std::deque<AudioPcmBuffer> batch;
        bool ended = false;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return cancelled_ || audioEnded_ || !pending_.empty(); });
            if (cancelled_)
                break;
            batch.swap(pending_);
            ended = audioEnded_;
        }
        for (const auto& buffer : batch) {
            if (cancelled_)
                break;
            feed(*decoder, buffer);
        }
        if (cancelled_)
            break;
        if (!ended) {
            if (reportPartialResults_ && audioSincePartial_ >= kPartialResultInterval)
                reportPartial(*decoder);
            continue;
        }
        if (resampler_) {
            auto rest = resampler_->flush();
            decoder->process(rest.data(), rest.size());
        }
        Transcription heard = decoder->endUtterance();
        if (heard.segments.empty())
            deliver(std::nullopt, noSpeechError(), true);
        else
            deliver(SpeechRecognitionResult{true, std::move(heard)}, std::nullopt, true);
        return;
    }
    decoder->abandonUtterance();
}

void PocketSphinxRecognitionTask::feed(PocketSphinxDecoder& decoder, const AudioPcmBuffer& buffer)
{
    if (!buffer.hasFloatChannelData() || buffer.format().sampleRate <= 0 || buffer.frameLength() == 0)
        return;
    if (!resampler_ || resampler_->inputRate() != buffer.format().sampleRate)
        resampler_ = std::make_unique<MonoResampler>(buffer.format().sampleRate, PocketSphinxDecoder::kSampleRate);
    auto samples = resampler_->process(buffer.interleavedSamples().data(), buffer.frameLength(), buffer.channelCount());
    decoder.process(samples.data(), samples.size());
    audioSincePartial_ += buffer.frameLength() / buffer.format().sampleRate;
}

void PocketSphinxRecognitionTask::reportPartial(PocketSphinxDecoder& decoder)
{
    audioSincePartial_ = 0;
    Transcription heard = decoder.hypothesis();
    // Only a change is news: a repeated result would look like fresh speech to the silence rule.
    if (heard.segments.empty() || heard.formattedString == lastPartial_)
        return;
    lastPartial_ = heard.formattedString;
    deliver(SpeechRecognitionResult{false, std::move(heard)}, std::nullopt, false);
}

void PocketSphinxRecognitionTask::deliver(std::optional<SpeechRecognitionResult> result,
                                          std::optional<PlatformError> error, bool last)
{
    auto self = shared_from_this();
    mainQueue_.post([self, result = std::move(result), error = std::move(error), last] {
        if (self->cancelled_ || self->lastDelivered_ || (!last && self->finishing_))
            return;
        if (last)
            self->lastDelivered_ = true;
        auto handler = last ? std::move(self->handler_) : self->handler_;
        if (handler)
            handler(result, error);
    });
}

} // namespace brindlemoor
