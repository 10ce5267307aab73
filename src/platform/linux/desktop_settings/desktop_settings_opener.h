#pragma once

#include "platform/settings_opener.h"

#include <optional>
#include <string>
#include <vector>

namespace brindlemoor {

// Linux has no privacy pane for the microphone or speech recognition that every desktop shares;
// the nearest is the desktop's sound settings, where the input device is chosen and unmuted.
// Opens the first known settings application found on the PATH, preferring the running
// desktop's own; does nothing when none is installed.
class DesktopSettingsOpener final : public SettingsOpener {
public:
    DesktopSettingsOpener();

    void open(SettingsPane pane) override;

    // The command that would be run, if any.
    std::optional<std::vector<std::string>> command(SettingsPane pane) const;

private:
    std::string desktop_;
};

} // namespace brindlemoor
