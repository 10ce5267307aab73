#include "platform/linux/pulseaudio/pulse_audio_engine.h"

#include "platform/bundle.h"
#include "platform/linux/pulseaudio/pulse_connection.h"

#include <pulse/pulseaudio.h>

#include <cstring>

namespace brindlemoor {

namespace {

PlatformError streamError(const std::string& detail)
{
    return PlatformError{kAudioEngineErrorDomain, static_cast<int>(AudioEngineErrorCode::streamFailed),
                         "The sound server did not let the microphone be recorded: " + detail};
}

} // namespace

PulseAudioEngine::PulseAudioEngine() = default;

PulseAudioEngine::~PulseAudioEngine()
{
    if (connection_) {
        PulseConnection::Lock lock(*connection_);
        disconnectStream();
        tap_.reset();
    }
}

AudioEngineFactory PulseAudioEngine::factory()
{
    return [] { return std::make_unique<PulseAudioEngine>(); };
}

std::optional<PlatformError> PulseAudioEngine::connectIfNeeded()
{
    if (connection_ && connection_->isAlive())
        return std::nullopt;
    PlatformError error;
    auto connection = PulseConnection::connect(std::string(kProductName), error);
    if (!connection)
        return error;
    if (connection_) {
        PulseConnection::Lock lock(*connection_);
        disconnectStream();
    }
    connection_ = std::move(connection);
    return std::nullopt;
}

AudioFormat PulseAudioEngine::inputFormat()
{
    if (connectIfNeeded())
        return AudioFormat{};
    PulseConnection::Lock lock(*connection_);
    auto input = connection_->defaultInput();
    return input ? input->format : AudioFormat{};
}

void PulseAudioEngine::installTap(std::uint32_t bufferSize, AudioFormat format, TapBlock block)
{
    Tap tap{bufferSize, format, std::move(block)};
    if (connection_) {
        PulseConnection::Lock lock(*connection_);
        tap_ = std::move(tap);
        accumulated_.clear();
    } else {
        std::lock_guard lock(tapMutex_);
        tap_ = std::move(tap);
    }
}

void PulseAudioEngine::removeTap()
{
    if (connection_) {
        PulseConnection::Lock lock(*connection_);
        tap_.reset();
        accumulated_.clear();
    } else {
        std::lock_guard lock(tapMutex_);
        tap_.reset();
    }
}

std::optional<PlatformError> PulseAudioEngine::start()
{
    if (auto error = connectIfNeeded())
        return error;
    PulseConnection::Lock lock(*connection_);
    if (stream_)
        return std::nullopt;
    auto input = connection_->defaultInput();
    if (!input)
        return noInputDeviceError();

    AudioFormat format = tap_ && tap_->format.sampleRate > 0 && tap_->format.channelCount > 0 ? tap_->format
                                                                                              : input->format;
    pa_sample_spec spec{PA_SAMPLE_FLOAT32NE, static_cast<std::uint32_t>(format.sampleRate),
                        static_cast<std::uint8_t>(format.channelCount)};
    if (!pa_sample_spec_valid(&spec))
        return noInputDeviceError();
    streamFormat_ = format;
    accumulated_.clear();

    stream_ = pa_stream_new(connection_->context(), "Dictation input", &spec, nullptr);
    if (!stream_)
        return streamError(pa_strerror(pa_context_errno(connection_->context())));
    pa_stream_set_state_callback(stream_, streamStateChanged, this);
    pa_stream_set_read_callback(stream_, streamReadable, this);

    // Fragments of one tap buffer keep the latency at a tap buffer instead of the default seconds.
    const std::uint32_t frames = tap_ && tap_->bufferSize > 0 ? tap_->bufferSize : 512;
    pa_buffer_attr attributes;
    std::memset(&attributes, 0xff, sizeof attributes);
    attributes.fragsize = static_cast<std::uint32_t>(frames * pa_frame_size(&spec));
    if (pa_stream_connect_record(stream_, input->name.c_str(), &attributes, PA_STREAM_ADJUST_LATENCY) < 0) {
        auto error = streamError(pa_strerror(pa_context_errno(connection_->context())));
        disconnectStream();
        return error;
    }
    for (;;) {
        pa_stream_state_t state = pa_stream_get_state(stream_);
        if (state == PA_STREAM_READY)
            return std::nullopt;
        if (!PA_STREAM_IS_GOOD(state)) {
            auto error = streamError(pa_strerror(pa_context_errno(connection_->context())));
            disconnectStream();
            return error;
        }
        pa_threaded_mainloop_wait(connection_->mainloop());
    }
}

void PulseAudioEngine::stop()
{
    if (!connection_)
        return;
    PulseConnection::Lock lock(*connection_);
    disconnectStream();
}

void PulseAudioEngine::reset()
{
    if (!connection_)
        return;
    PulseConnection::Lock lock(*connection_);
    disconnectStream();
    accumulated_.clear();
}

void PulseAudioEngine::disconnectStream()
{
    if (!stream_)
        return;
    pa_stream_set_read_callback(stream_, nullptr, nullptr);
    pa_stream_set_state_callback(stream_, nullptr, nullptr);
    pa_stream_disconnect(stream_);
    pa_stream_unref(stream_);
    stream_ = nullptr;
}

void PulseAudioEngine::streamStateChanged(pa_stream*, void* userdata)
{
    auto* engine = static_cast<PulseAudioEngine*>(userdata);
    engine->connection_->signal();
}

void PulseAudioEngine::streamReadable(pa_stream* stream, std::size_t, void* userdata)
{
    static_cast<PulseAudioEngine*>(userdata)->readAvailable(stream);
}

void PulseAudioEngine::readAvailable(pa_stream* stream)
{
    while (pa_stream_readable_size(stream) > 0) {
        const void* data = nullptr;
        std::size_t bytes = 0;
        if (pa_stream_peek(stream, &data, &bytes) < 0 || bytes == 0)
            return;
        if (data && tap_) {
            const auto* samples = static_cast<const float*>(data);
            accumulated_.insert(accumulated_.end(), samples, samples + bytes / sizeof(float));
        }
        pa_stream_drop(stream);
    }
    if (!tap_ || tap_->bufferSize == 0)
        return;
    const std::size_t samplesPerBuffer = static_cast<std::size_t>(tap_->bufferSize) * streamFormat_.channelCount;
    std::size_t offset = 0;
    while (tap_ && accumulated_.size() - offset >= samplesPerBuffer) {
        std::vector<float> samples(accumulated_.begin() + offset, accumulated_.begin() + offset + samplesPerBuffer);
        offset += samplesPerBuffer;
        tap_->block(AudioPcmBuffer(streamFormat_, tap_->bufferSize, std::move(samples)));
    }
    accumulated_.erase(accumulated_.begin(), accumulated_.begin() + offset);
}

} // namespace brindlemoor
