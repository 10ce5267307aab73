#pragma once

#include "platform/published.h"
#include "platform/serial_queue.h"

#include <functional>
#include <string>

namespace brindlemoor {

// The one shared record of what the application is doing.
class AppState {
public:
    static AppState& shared();

    // The floating window is shown.
    Published<bool> isFloating{true};
    // The last sentence of the latest recognition result, trimmed.
    Published<std::string> transcript{std::string()};

    // The dictating flag, read and written only through `isDictatingQueue`.
    bool isDictating();
    void setIsDictating(bool value);
    // Announces every write of the dictating flag.
    [[nodiscard]] Cancellable subscribeIsDictating(Published<bool>::Subscriber subscriber);

    // The locale of live recognition, computed afresh at every read.
    std::string recognitionLocale() const;
    // Set once by whoever owns the language preference and the keyboard language.
    void setRecognitionLocaleProvider(std::function<std::string()> provider);

    AppState() = default;  // public so tests can use a fresh state
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

private:
    SerialQueue isDictatingQueue_{"com.qz.brindlemoor.appstate.isfloating"};
    Published<bool> isDictating_{true};
    std::function<std::string()> recognitionLocaleProvider_;
};

} // namespace brindlemoor
