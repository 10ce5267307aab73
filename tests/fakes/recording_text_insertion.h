#pragma once

#include "engine/dictation_manager_reference.h"

#include <string>
#include <vector>

namespace brindlemoor::fakes {

// Keeps every text handed on for insertion, in order. Main thread only, as the entry is.
class RecordingTextInsertion final : public TextInsertionEntry {
public:
    void insertText(const std::string& text) override { texts.push_back(text); }

    std::vector<std::string> texts;
};

} // namespace brindlemoor::fakes
