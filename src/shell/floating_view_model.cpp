#include "shell/floating_view_model.h"

#include "engine/notification_names.h"
#include "platform/main_queue.h"
#include "platform/notification_center.h"
#include "shell/floating_window.h"
#include "shell/floating_window_provider.h"

namespace brindlemoor {

FloatingViewModel::FloatingViewModel()
{
    auto& center = NotificationCenter::defaultCenter();
    targetObservation_ = center.observe(std::string(notification_names::manualDictationTargetChanged),
                                        [this](const Notification&) { toggle.set(!toggle.get()); });
    std::weak_ptr<int> alive = alive_;
    recordingObservation_ =
        center.observe(std::string(notification_names::didChangeRecordingStatus), [this, alive](const Notification& note) {
            auto entry = note.userInfo.find(std::string(notification_names::isRecordingKey));
            if (entry == note.userInfo.end() || !std::holds_alternative<bool>(entry->second))
                return;
            bool recording = std::get<bool>(entry->second);
            MainQueue::main().post([this, alive, recording] {
                if (!alive.expired())
                    isRecording.set(recording);
            });
        });
}

void FloatingViewModel::closeWindow()
{
    if (isClosing_)
        return;
    isClosing_ = true;
    if (windowProvider_ && windowProvider_->window() && windowProvider_->window()->level() == FloatingWindow::kFloatingLevel)
        windowProvider_->toggleFloating();
    std::weak_ptr<int> alive = alive_;
    MainQueue::main().post([this, alive] {
        if (alive.expired())
            return;
        if (windowProvider_ && windowProvider_->window())
            windowProvider_->window()->orderOut();
        isClosing_ = false;
    });
}

} // namespace brindlemoor
