#include "platform/linux/pocketsphinx/sound_file_reader.h"

#include "platform/speech_recognition_service.h"

#include <sndfile.h>

#include <vector>

namespace brindlemoor {

std::unique_ptr<SoundFileReader> SoundFileReader::open(const std::filesystem::path& path, PlatformError& error)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file || info.channels <= 0 || info.samplerate <= 0) {
        error = PlatformError{kSpeechRecognitionErrorDomain, static_cast<int>(SpeechRecognitionErrorCode::audioFileUnreadable),
                              "The audio file " + path.string() + " could not be read: " + sf_strerror(file)};
        if (file)
            sf_close(file);
        return nullptr;
    }
    AudioFormat format{static_cast<double>(info.samplerate), static_cast<std::uint32_t>(info.channels)};
    return std::unique_ptr<SoundFileReader>(new SoundFileReader(file, format));
}

SoundFileReader::~SoundFileReader()
{
    sf_close(file_);
}

std::optional<AudioPcmBuffer> SoundFileReader::read(std::uint32_t frames)
{
    std::vector<float> samples(static_cast<std::size_t>(frames) * format_.channelCount);
    sf_count_t got = sf_readf_float(file_, samples.data(), frames);
    if (got <= 0)
        return std::nullopt;
    samples.resize(static_cast<std::size_t>(got) * format_.channelCount);
    return AudioPcmBuffer(format_, static_cast<std::uint32_t>(got), std::move(samples));
}

} // namespace brindlemoor
