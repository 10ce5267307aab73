#pragma once

#include "platform/main_queue.h"
#include "platform/notification_center.h"
#include "platform/passthrough_subject.h"

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace brindlemoor {

// The first language of the installed keyboard input source; none without one.
std::optional<std::string> currentInputSourceLanguage();

// Follows the keyboard's language once a second; a change ends the live recogniser's pass so
// the next one listens in the new language.
class InputMethodLanguageManager {
public:
    using LanguageReader = std::function<std::optional<std::string>()>;

    // Created on first use, polling the installed input source on the main queue.
    static InputMethodLanguageManager& shared();

    InputMethodLanguageManager(MainQueue& mainQueue, LanguageReader readLanguage,
                               NotificationCenter& center = NotificationCenter::defaultCenter());
    InputMethodLanguageManager(const InputMethodLanguageManager&) = delete;
    InputMethodLanguageManager& operator=(const InputMethodLanguageManager&) = delete;

    // The language seen at the last poll.
    std::optional<std::string> currentLanguage() const;

    // Sends every changed language.
    PassthroughSubject<std::optional<std::string>>& inputMethodLanguagePublisher() { return publisher_; }

    // The poll.
    void checkInputLanguage();

private:
    void scheduleTick();

    MainQueue& mainQueue_;
    LanguageReader readLanguage_;
    NotificationCenter& center_;
    mutable std::mutex mutex_;
    std::optional<std::string> currentLanguage_;
    PassthroughSubject<std::optional<std::string>> publisher_;
    // The timer holds the manager weakly: ticks stop when it goes.
    std::shared_ptr<int> lifetime_ = std::make_shared<int>(0);
};

} // namespace brindlemoor
