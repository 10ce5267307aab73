#include "engine/app_state.h"

namespace brindlemoor {

AppState& AppState::shared()
{
    static AppState state;
    return state;
}

bool AppState::isDictating()
{
    return isDictatingQueue_.sync([this] { return isDictating_.get(); });
}

void AppState::setIsDictating(bool value)
{
    isDictatingQueue_.sync([this, value] { isDictating_.set(value); });
}

Cancellable AppState::subscribeIsDictating(Published<bool>::Subscriber subscriber)
{
    return isDictating_.subscribe(std::move(subscriber));
}

std::string AppState::recognitionLocale() const
{
    return recognitionLocaleProvider_ ? recognitionLocaleProvider_() : std::string("en-US");
}

void AppState::setRecognitionLocaleProvider(std::function<std::string()> provider)
{
    recognitionLocaleProvider_ = std::move(provider);
}

} // namespace brindlemoor
