#pragma once

#include "platform/settings_opener.h"

#include <vector>

namespace brindlemoor::fakes {

// Remembers which settings were opened.
class RecordingSettingsOpener final : public SettingsOpener {
public:
    void open(SettingsPane pane) override { opened.push_back(pane); }

    std::vector<SettingsPane> opened;
};

} // namespace brindlemoor::fakes
