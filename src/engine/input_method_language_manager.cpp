#include "engine/input_method_language_manager.h"

#include "engine/notification_names.h"
#include "platform/input_source.h"

#include <chrono>

namespace brindlemoor {

std::optional<std::string> currentInputSourceLanguage()
{
    InputSource* source = InputSource::current();
    return source != nullptr ? source->currentLanguage() : std::nullopt;
}

InputMethodLanguageManager& InputMethodLanguageManager::shared()
{
    static InputMethodLanguageManager manager(MainQueue::main(), currentInputSourceLanguage);
    return manager;
}

InputMethodLanguageManager::InputMethodLanguageManager(MainQueue& mainQueue, LanguageReader readLanguage,
                                                       NotificationCenter& center)
    : mainQueue_(mainQueue), readLanguage_(std::move(readLanguage)), center_(center)
{
    scheduleTick();
}

void InputMethodLanguageManager::scheduleTick()
{
    std::weak_ptr<int> alive = lifetime_;
    mainQueue_.postAfter(std::chrono::seconds(1), [this, alive] {
        if (alive.expired())
            return;
        mainQueue_.post([this, alive] {
            if (!alive.expired())
                checkInputLanguage();
        });
        scheduleTick();
    });
}

std::optional<std::string> InputMethodLanguageManager::currentLanguage() const
{
    std::lock_guard lock(mutex_);
    return currentLanguage_;
}

void InputMethodLanguageManager::checkInputLanguage()
{
    std::optional<std::string> language = readLanguage_();
    {
        std::lock_guard lock(mutex_);
        if (language == currentLanguage_)
            return;
        currentLanguage_ = language;
    }
    publisher_.send(language);
    center_.post(std::string(notification_names::stopLiveSpeechRecognizer));
}

} // namespace brindlemoor
