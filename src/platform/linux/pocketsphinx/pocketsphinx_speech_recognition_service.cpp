#include "platform/linux/pocketsphinx/pocketsphinx_speech_recognition_service.h"

#include "platform/linux/pocketsphinx/decoder_pool.h"
#include "platform/linux/pocketsphinx/pocketsphinx_recognizer.h"
#include "platform/linux/pocketsphinx/recognition_workers.h"

namespace brindlemoor {

PocketSphinxSpeechRecognitionService::PocketSphinxSpeechRecognitionService(std::vector<std::filesystem::path> modelRoots)
    : modelRoots_(std::move(modelRoots)), workers_(std::make_shared<RecognitionWorkers>())
{
}

PocketSphinxSpeechRecognitionService::~PocketSphinxSpeechRecognitionService() = default;

std::vector<std::filesystem::path> PocketSphinxSpeechRecognitionService::defaultModelRoots()
{
    return PocketSphinxModel::defaultRoots();
}

SpeechRecognizerAuthorizationStatus PocketSphinxSpeechRecognitionService::authorizationStatus() const
{
    return SpeechRecognizerAuthorizationStatus::authorized;
}

void PocketSphinxSpeechRecognitionService::requestAuthorization(
    std::function<void(SpeechRecognizerAuthorizationStatus)> answer)
{
    answer(SpeechRecognizerAuthorizationStatus::authorized);
}

std::shared_ptr<LocaleRecognizer> PocketSphinxSpeechRecognitionService::recognizer(const std::string& localeIdentifier)
{
    auto pool = poolFor(localeIdentifier, true);
    if (!pool)
        return nullptr;
    return std::make_shared<PocketSphinxRecognizer>(localeIdentifier, std::move(pool), workers_);
}

void PocketSphinxSpeechRecognitionService::preload(const std::string& localeIdentifier)
{
    if (auto pool = poolFor(localeIdentifier, false)) {
        PlatformError ignored;
        pool->release(pool->acquire(ignored));
    }
}

std::shared_ptr<DecoderPool> PocketSphinxSpeechRecognitionService::poolFor(const std::string& localeIdentifier,
                                                                           bool warmUp)
{
    auto model = PocketSphinxModel::find(localeIdentifier, modelRoots_);
    if (!model)
        return nullptr;
    std::lock_guard lock(mutex_);
    auto& pool = pools_[model->directory];
    if (!pool) {
        pool = std::make_shared<DecoderPool>(*model);
        if (!warmUp)
            return pool;
        // Loading takes most of a second: start it now rather than when the first words come.
        workers_->start(nullptr, [pool] {
            PlatformError ignored;
            pool->release(pool->acquire(ignored));
        });
    }
    return pool;
}

} // namespace brindlemoor
