#include "word_error_rate.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

namespace brindlemoor::testing {

namespace {
const std::filesystem::path kLibrivox = "/usr/share/pocketsphinx/test/data/librivox";
}

std::vector<std::string> normalisedWords(const std::string& text)
{
    std::string cleaned;
    for (unsigned char c : text)
        cleaned += std::ispunct(c) && c != '\'' ? ' ' : static_cast<char>(std::tolower(c));
    std::istringstream stream(cleaned);
    std::vector<std::string> words;
    for (std::string word; stream >> word;)
        words.push_back(word);
    return words;
}

double wordErrorRate(const std::vector<std::string>& hypothesis, const std::vector<std::string>& reference)
{
    std::vector<std::size_t> previous(hypothesis.size() + 1), current(hypothesis.size() + 1);
    for (std::size_t j = 0; j <= hypothesis.size(); ++j)
        previous[j] = j;
    for (std::size_t i = 1; i <= reference.size(); ++i) {
        current[0] = i;
        for (std::size_t j = 1; j <= hypothesis.size(); ++j)
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1,
                                   previous[j - 1] + (reference[i - 1] == hypothesis[j - 1] ? 0 : 1)});
        std::swap(previous, current);
    }
    return reference.empty() ? 0.0 : static_cast<double>(previous[hypothesis.size()]) / reference.size();
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
