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
// permission for it, so it is always authorised. A language's model starts loading in the
// background when its first recogniser is made. Must outlive the tasks it starts.
class PocketSphinxSpeechRecognitionService final : public SpeechRecognitionService {
public:
    explicit PocketSphinxSpeechRecognitionService(
        std::vector<std::filesystem::path> modelRoots = defaultModelRoots());
    ~PocketSphinxSpeechRecognitionService() override;

    static std::vector<std::filesystem::path> defaultModelRoots();

    SpeechRecognizerAuthorizationStatus authorizationStatus() const override;
    void requestAuthorization(std::function<void(SpeechRecognizerAuthorizationStatus)> answer) override;
    std::shared_ptr<LocaleRecognizer> recognizer(const std::string& localeIdentifier) override;

    // Loads the locale's model now, on the caller's thread.
    void preload(const std::string& localeIdentifier);

private:
    // `warmUp`: a new pool starts loading a decoder in the background.
    std::shared_ptr<DecoderPool> poolFor(const std::string& localeIdentifier, bool warmUp);

    std::vector<std::filesystem::path> modelRoots_;
    std::mutex mutex_;
    std::map<std::filesystem::path, std::shared_ptr<DecoderPool>> pools_;
    std::shared_ptr<RecognitionWorkers> workers_;
};

} // namespace brindlemoor
