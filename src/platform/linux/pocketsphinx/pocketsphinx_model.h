#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace brindlemoor {

// The files of one installed PocketSphinx language: acoustic model, language model, dictionary.
struct PocketSphinxModel {
    std::filesystem::path directory;
    std::filesystem::path acousticModel;
    std::filesystem::path languageModel;
    std::filesystem::path dictionary;

    // The model for a locale identifier ("en-US", "en_GB.UTF-8", "en"): the folder named like
    // the locale, else one of the same language. Roots are searched in order.
    static std::optional<PocketSphinxModel> find(const std::string& localeIdentifier,
                                                 const std::vector<std::filesystem::path>& roots);

    // The application's data folders (user's first), then the folder of Debian's models.
    static std::vector<std::filesystem::path> defaultRoots();
};

} // namespace brindlemoor
