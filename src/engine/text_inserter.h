#pragma once

#include "engine/dictation_manager_reference.h"
#include "engine/main_menu_view_model.h"

namespace brindlemoor {

// Hands finished dictation text to its target: the frontmost application by the clipboard and
// the paste keystroke, or the chosen text field through the insertion strategies. The
// dictation manager offers it as its insertion entry.
class TextInserter final : public TextInsertionEntry {
public:
    explicit TextInserter(MainMenuViewModel& model = MainMenuViewModel::shared()) : model_(model) {}

    // Main thread only; runs to completion there.
    void insertText(const std::string& text) override;

private:
    MainMenuViewModel& model_;
};

} // namespace brindlemoor
