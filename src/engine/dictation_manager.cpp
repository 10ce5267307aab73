#include "engine/dictation_manager.h"

#include "engine/duration_text.h"
#include "platform/main_queue.h"
#include "platform/standard_output.h"

#include <uuid/uuid.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace brindlemoor {
namespace {

std::string newUuidText()
{
    uuid_t uuid;
    uuid_generate_random(uuid);
    char text[37];
    uuid_unparse_upper(uuid, text);
    return text;
}

std::string trimmedSpacesAndTabs(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

DictationManager::DictationManager(AppState& appState, Services services)
    : appState_(appState), services_(std::move(services))
{
    if (services_.captureDevices) {
        deviceMonitor_ = std::make_unique<AudioDeviceMonitor>(*services_.captureDevices);
        deviceMonitor_->startMonitoring();
    }
}

DictationManager::~DictationManager()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    services_.speechDetector->cancel();
    if (loopThread_.joinable())
        loopThread_.join();
    std::lock_guard lock(tasksMutex_);
    for (auto& task : transcriptionTasks_)
        task->thread.join();
}

void DictationManager::startLoop()
{
    std::lock_guard lock(mutex_);
    if (loopThread_.joinable() || stopping_)
        return;
    loopThread_ = std::thread([this] { loop(); });
}

void DictationManager::insertText(const std::string& text)
{
    if (services_.textInserter)
        services_.textInserter->insertText(text);
}

void DictationManager::audioInputDeviceDidChange()
{
    StandardOutput::printLine("device: audioInputDeviceDidChange: start");
    AppState* appState = &appState_;
    MainQueue::main().post([appState] {
        appState->setIsDictating(false);
        MainQueue::main().postAfter(std::chrono::seconds(1),
                                    [] { StandardOutput::printLine("device: audioInputDeviceDidChange: end"); });
    });
}

void DictationManager::sleep(std::chrono::nanoseconds duration)
{
    if (services_.sleep) {
        services_.sleep(duration);
        return;
    }
    std::unique_lock lock(mutex_);
    wake_.wait_for(lock, duration, [this] { return stopping_; });
}

void DictationManager::loop()
{
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            if (stopping_)
                return;
        }
        if (appState_.isDictating())
            runDictationCycle();
        else
            sleep(kFlagPollInterval);
    }
}

void DictationManager::runDictationCycle()
{
    Clock& clock = *services_.clock;
    auto start = clock.now();
    const auto location = services_.speechDetector->listen();
    benchmark_.info("time = %s, listen", durationText(clock.now() - start));
    if (!location) {
        // No audio input: try again a little later instead of spinning.
        sleep(kInputRetryDelay);
        return;
    }
    start = clock.now();
    startTranscriptionTask(*location);
    benchmark_.info("time = %s, transcribe (async)", durationText(clock.now() - start));
}

void DictationManager::startTranscriptionTask(const std::filesystem::path& url)
{
    const auto copy = copyToTemporaryFile(url);
    pruneFinishedTasks();
    auto task = std::make_unique<TranscriptionTask>();
    TranscriptionTask* started = task.get();
    std::lock_guard lock(tasksMutex_);
    transcriptionTasks_.push_back(std::move(task));
    started->thread = std::thread([this, copy, started] {
        transcribeSync(copy);
        started->finished = true;
    });
}

// Finished tasks are joined and dropped, so the list holds only running ones.
void DictationManager::pruneFinishedTasks()
{
    std::lock_guard lock(tasksMutex_);
    for (auto it = transcriptionTasks_.begin(); it != transcriptionTasks_.end();) {
        if ((*it)->finished) {
            (*it)->thread.join();
            it = transcriptionTasks_.erase(it);
        } else {
            ++it;
        }
    }
}

std::size_t DictationManager::runningTranscriptionCount()
{
    pruneFinishedTasks();
    std::lock_guard lock(tasksMutex_);
    return transcriptionTasks_.size();
}

void DictationManager::transcribeSync(const std::filesystem::path& url)
{
    Clock& clock = *services_.clock;
    const auto start = clock.now();
    transcribe(url);
    benchmark_.info("time = %s, transcribe (sync)", durationText(clock.now() - start));
}

void DictationManager::transcribe(const std::filesystem::path& url)
{
    const auto result = services_.transcriptionService->transcribe(url);
    if (const auto* error = std::get_if<PlatformError>(&result)) {
        StandardOutput::printLine("Transcription failed: " + error->localizedDescription());
        return;
    }
    // The loop drives the recording indicator only; its text goes nowhere.
    trimmedSpacesAndTabs(std::get<std::string>(result));
}

std::filesystem::path DictationManager::copyToTemporaryFile(const std::filesystem::path& url)
{
    std::string extension = url.extension().string();
    if (!extension.empty())
        extension.erase(0, 1);
    const auto copy = services_.temporaryDirectory / (newUuidText() + "." + extension);

    std::ifstream input(url, std::ios::binary);
    if (!input) {
        StandardOutput::printLine("Error while copying file: The file \"" + url.filename().string()
                                  + "\" couldn't be opened because there is no such file.");
        return url;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(input), std::istreambuf_iterator<char>()};
    std::ofstream output(copy, std::ios::binary | std::ios::trunc);
    output.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    output.close();
    if (!output) {
        StandardOutput::printLine("Error while copying file: The file \"" + copy.filename().string()
                                  + "\" couldn't be saved in the folder \"" + services_.temporaryDirectory.string()
                                  + "\".");
        return url;
    }
    return copy;
}

} // namespace brindlemoor
