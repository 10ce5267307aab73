#include "platform/linux/pocketsphinx/pocketsphinx_model.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>
#include <system_error>

namespace brindlemoor {
namespace fs = std::filesystem;

namespace {

std::string normalisedLocale(const std::string& identifier)
{
    std::string result;
    for (char c : identifier) {
        if (c == '.' || c == '@')
            break;
        result += c == '_' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return result;
}

bool endsWith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::vector<fs::path> sortedEntries(const fs::path& directory)
{
    std::vector<fs::path> entries;
    std::error_code error;
    for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error))
        entries.push_back(it->path());
    std::sort(entries.begin(), entries.end());
    return entries;
}

std::optional<fs::path> acousticModelIn(const fs::path& directory)
{
    std::error_code error;
    const auto named = directory / directory.filename();
    if (fs::exists(named / "mdef", error))
        return named;
    for (const auto& entry : sortedEntries(directory))
        if (fs::is_directory(entry, error) && fs::exists(entry / "mdef", error))
            return entry;
    return std::nullopt;
}

std::optional<fs::path> languageModelIn(const fs::path& directory)
{
    std::error_code error;
    const std::string name = directory.filename().string();
    for (const char* suffix : {".lm.bin", ".lm", ".lm.dmp"})
        if (fs::is_regular_file(directory / (name + suffix), error))
            return directory / (name + suffix);
    for (const auto& entry : sortedEntries(directory)) {
        const std::string file = entry.filename().string();
        // Phone-loop models decode phones, not words.
        if (file.find("phone") == std::string::npos && (endsWith(file, ".lm.bin") || endsWith(file, ".lm")))
            return entry;
    }
    return std::nullopt;
}

std::optional<fs::path> dictionaryIn(const fs::path& directory)
{
    for (const auto& entry : sortedEntries(directory))
        if (endsWith(entry.filename().string(), ".dict"))
            return entry;
    return std::nullopt;
}

std::optional<PocketSphinxModel> modelIn(const fs::path& directory)
{
    auto acoustic = acousticModelIn(directory);
    auto language = languageModelIn(directory);
    auto dictionary = dictionaryIn(directory);
    if (!acoustic || !language || !dictionary)
        return std::nullopt;
    return PocketSphinxModel{directory, *acoustic, *language, *dictionary};
}

} // namespace

std::optional<PocketSphinxModel> PocketSphinxModel::find(const std::string& localeIdentifier,
                                                         const std::vector<fs::path>& roots)
{
    const std::string locale = normalisedLocale(localeIdentifier);
    if (locale.empty())
        return std::nullopt;
    const std::string language = locale.substr(0, locale.find('-'));
    for (const auto& root : roots)
        if (auto model = modelIn(root / locale))
            return model;
    for (const auto& root : roots)
        for (const auto& entry : sortedEntries(root)) {
            const std::string name = entry.filename().string();
            if (name == language || name.rfind(language + "-", 0) == 0)
                if (auto model = modelIn(entry))
                    return model;
        }
    return std::nullopt;
}

std::vector<fs::path> PocketSphinxModel::defaultRoots()
{
    std::vector<fs::path> roots;
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    if (dataHome && *dataHome)
        roots.push_back(fs::path(dataHome) / "brindlemoor" / "pocketsphinx");
    else if (home && *home)
        roots.push_back(fs::path(home) / ".local" / "share" / "brindlemoor" / "pocketsphinx");
    const char* dataDirs = std::getenv("XDG_DATA_DIRS");
    std::istringstream dirs(dataDirs && *dataDirs ? dataDirs : "/usr/local/share:/usr/share");
    for (std::string dir; std::getline(dirs, dir, ':');)
        if (!dir.empty())
            roots.push_back(fs::path(dir) / "brindlemoor" / "pocketsphinx");
    roots.push_back("/usr/share/pocketsphinx/model");
    return roots;
}

} // namespace brindlemoor
