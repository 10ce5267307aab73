#include "engine/decode_wave_file.h"

#include "engine/sound_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <system_error>

namespace brindlemoor {
namespace {

float scaled(std::int16_t sample)
{
    return std::clamp(static_cast<float>(sample) / 32767.0f, -1.0f, 1.0f);
}

std::vector<float> readAudioFile(SoundFile& file)
{
    const int channels = file.info().channels;
    std::vector<float> samples;
    samples.reserve(static_cast<std::size_t>(std::max<sf_count_t>(file.info().frames, 0)));
    std::vector<short> block(4096 * static_cast<std::size_t>(channels));
    sf_count_t read;
    while ((read = sf_readf_short(file.get(), block.data(), 4096)) > 0) {
        for (sf_count_t frame = 0; frame < read; ++frame)
            samples.push_back(scaled(block[static_cast<std::size_t>(frame * channels)]));
    }
    return samples;
}

std::vector<float> readRawSamples(const std::filesystem::path& url)
{
    std::ifstream stream(url, std::ios::binary);
    if (!stream)
        throw std::system_error(errno != 0 ? errno : EIO, std::generic_category(), "The file " + url.filename().string() + " could not be read");
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    std::vector<float> samples;
    for (std::size_t offset = 44; offset + 1 < bytes.size(); offset += 2)
        samples.push_back(scaled(static_cast<std::int16_t>(bytes[offset] | (bytes[offset + 1] << 8))));
    return samples;
}

} // namespace

std::vector<float> decodeWaveFile(const std::filesystem::path& url)
{
    SoundFile file(url, SFM_READ);
    if (file)
        return readAudioFile(file);
    return readRawSamples(url);
}

} // namespace brindlemoor
