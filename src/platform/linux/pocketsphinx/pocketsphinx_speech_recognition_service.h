#pragma once

#include "platform/speech_recognition_service.h"

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace brindlemoor {

class DecoderPool;
class RecognitionWorkers;

// Speech recognition with the PocketSphinx models installed on the machine. Linux asks no
// permission for it, so it is always authorised. Must outlive the tasks it starts.
class PocketSphinxSpeechRecognitionService final : public SpeechRecognitionService {
public:
    explicit PocketSphinxSpeechRecognitionService(
        std::vector<std::filesystem::path> modelRoots = defaultModelRoots());
    ~PocketSphinxSpeechRecognitionService() override;

    static std::vector<std::filesystem::path> defaultModelRoots();

    SpeechRecognizerAuthorizationStatus authorizationStatus() const override;
    void requestAuthorization(std::function<void(SpeechRecognizerAuthorizationStatus)> answer) override;
    std::shared_ptr<LocaleRecognizer> recognizer(const std::string& localeIdentifier) override;

    // Loads the locale's model ahead of its first task, so the first words are not kept waiting.
    void preload(const std::string& localeIdentifier);

private:
    std::shared_ptr<DecoderPool> poolFor(const std::string& localeIdentifier);

    std::vector<std::filesystem::path> modelRoots_;
    std::mutex mutex_;
    std::map<std::filesystem::path, std::shared_ptr<DecoderPool>> pools_;
    std::shared_ptr<RecognitionWorkers> workers_;
};

} // namespace brindlemoor
