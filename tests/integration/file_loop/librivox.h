#pragma once

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace brindlemoor::testing {

// Read speech with its transcript, from the pocketsphinx-testdata package.
struct LibrivoxSentence {
    std::filesystem::path recording;
    std::string reference;

    static LibrivoxSentence named(const std::string& id)
    {
        const std::filesystem::path folder = "/usr/share/pocketsphinx/test/data/librivox";
        std::ifstream transcription(folder / "transcription");
        if (!transcription)
            throw std::runtime_error("the LibriVox test recordings are missing: install pocketsphinx-testdata");
        for (std::string line; std::getline(transcription, line);) {
            if (line.find("(" + id + ")") == std::string::npos)
                continue;
            const auto begin = line.find("<s>") + 3;
            return {folder / (id + ".wav"), line.substr(begin, line.find("</s>") - begin)};
        }
        throw std::runtime_error("no transcript for " + id);
    }
};

} // namespace brindlemoor::testing
