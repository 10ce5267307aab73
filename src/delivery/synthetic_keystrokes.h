#pragma once

#include <string>

namespace brindlemoor {

// Posts the paste keystroke (Command+V in the key tables' terms) to the focused application.
void sendPasteKeystroke();

// Types every character of the text that the key tables have a key for, in order; the others
// are skipped.
void typeString(const std::string& text);

} // namespace brindlemoor
