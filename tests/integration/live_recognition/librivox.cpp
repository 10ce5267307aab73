#include "librivox.h"

#include <sndfile.h>

#include <fstream>
#include <stdexcept>

namespace brindlemoor::testing {

namespace {
const std::filesystem::path kLibrivox = "/usr/share/pocketsphinx/test/data/librivox";
}

std::vector<Recording> librivoxRecordings()
{
    std::vector<Recording> recordings;
    std::ifstream transcription(kLibrivox / "transcription");
    for (std::string line; std::getline(transcription, line);) {
        auto open = line.rfind('(');
        auto close = line.rfind(')');
        if (open == std::string::npos || close == std::string::npos)
            continue;
        std::string id = line.substr(open + 1, close - open - 1);
        std::string text = line.substr(0, open);
        for (const char* marker : {"<s>", "</s>"})
            for (auto at = text.find(marker); at != std::string::npos; at = text.find(marker))
                text.erase(at, std::string(marker).size());
        recordings.push_back({kLibrivox / (id + ".wav"), text});
    }
    return recordings;
}

Recording librivoxRecording(const std::string& id)
{
    const auto recordings = librivoxRecordings();
    if (recordings.empty())
        throw std::runtime_error("the LibriVox test recordings are missing: install pocketsphinx-testdata");
    for (const auto& recording : recordings)
        if (recording.path.stem() == id)
            return recording;
    throw std::runtime_error("no LibriVox recording " + id + " in pocketsphinx-testdata");
}

std::optional<std::vector<std::int16_t>> readSamples(const std::filesystem::path& path)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
        return std::nullopt;
    std::vector<std::int16_t> samples(static_cast<std::size_t>(info.frames) * info.channels);
    sf_read_short(file, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(file);
    if (info.samplerate != 16000 || info.channels != 1)
        return std::nullopt;
    return samples;
}

} // namespace brindlemoor::testing
