#pragma once

#include <string>

namespace brindlemoor {

// The last sentence of a text, trimmed of white space; "" when there is none.
std::string lastSentence(const std::string& text);

// The text followed by "?" or "." when its last sentence has no closing mark; "?" when that
// sentence opens with an English question word.
std::string punctuateLastSentence(const std::string& text);

// Whether the text's last character is Unicode punctuation.
bool endsWithPunctuation(const std::string& text);

} // namespace brindlemoor
