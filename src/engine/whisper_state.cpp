#include "engine/whisper_state.h"

#include "engine/decode_wave_file.h"
#include "engine/whisper_error.h"
#include "platform/standard_output.h"

#include <cstdlib>
#include <sstream>
#include <system_error>
#include <vector>

namespace brindlemoor {
namespace {

std::vector<std::filesystem::path> dataDirectories()
{
    std::vector<std::filesystem::path> directories;
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    if (dataHome && *dataHome)
        directories.emplace_back(dataHome);
    else if (home && *home)
        directories.push_back(std::filesystem::path(home) / ".local/share");
    const char* dataDirs = std::getenv("XDG_DATA_DIRS");
    std::istringstream list(dataDirs && *dataDirs ? dataDirs : "/usr/local/share:/usr/share");
    for (std::string directory; std::getline(list, directory, ':');) {
        if (!directory.empty())
            directories.emplace_back(directory);
    }
    return directories;
}

} // namespace

std::optional<std::filesystem::path> WhisperState::defaultModelUrl()
{
    for (const auto& directory : dataDirectories()) {
        auto candidate = directory / "brindlemoor" / kModelFileName;
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error))
            return candidate;
    }
    return std::nullopt;
}

WhisperState::WhisperState(std::optional<std::filesystem::path> modelUrl, WhisperEngine::Loader loader,
                           WhisperContext::ProcessorCount processorCount)
    : modelUrl_(std::move(modelUrl)), loader_(std::move(loader)), processorCount_(std::move(processorCount))
{
    try {
        loadModel();
        canTranscribe.set(true);
        isModelLoaded.set(true);
    } catch (const WhisperError& error) {
        StandardOutput::printLine(error.localizedDescription());
        appendToLog(error.localizedDescription() + "\n");
    }
}

void WhisperState::appendToLog(const std::string& line)
{
    std::lock_guard lock(logMutex_);
    messageLog.set(messageLog.get() + line);
}

void WhisperState::loadModel()
{
    appendToLog("Loading model...\n");
    if (!modelUrl_) {
        appendToLog("Could not locate model\n");
        return;
    }
    whisperContext_ = WhisperContext::createContext(*modelUrl_, loader_, processorCount_);
    appendToLog("Loaded model " + modelUrl_->filename().string() + "\n");
}

std::string WhisperState::transcribe(const std::filesystem::path& url, const std::string& language,
                                     const std::string& prompt)
{
    {
        std::lock_guard lock(gateMutex_);
        if (!canTranscribe.get() || !whisperContext_)
            return "";
        canTranscribe.set(false);
    }
    std::string text;
    try {
        const auto samples = decodeWaveFile(url);
        whisperContext_->fullTranscribe(samples, language, prompt);
        text = whisperContext_->transcriptionText();
    } catch (const std::system_error& error) {
        StandardOutput::printLine(error.what());
    }
    canTranscribe.set(true);
    return text;
}

void WhisperState::audioRecorderEncodeErrorDidOccur(const std::optional<PlatformError>& error)
{
    if (error) {
        StandardOutput::printLine(error->localizedDescription());
        appendToLog(error->localizedDescription() + "\n");
    }
    isRecording.set(false);
}

void WhisperState::audioRecorderDidFinishRecording(bool)
{
    isRecording.set(false);
}

} // namespace brindlemoor
