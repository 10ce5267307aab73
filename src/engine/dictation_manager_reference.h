#pragma once

#include <string>

namespace brindlemoor {

// Where settled dictation text is handed on: the dictation manager's insertion entry.
class TextInsertionEntry {
public:
    virtual ~TextInsertionEntry() = default;
    // Main thread only.
    virtual void insertText(const std::string& text) = 0;
};

// The process-wide dictation manager: empty until the last launch step creates it.
TextInsertionEntry* dictationManager();
void setDictationManager(TextInsertionEntry* manager);

} // namespace brindlemoor
