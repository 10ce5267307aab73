#pragma once

#include "librivox.h"  // the recordings these rates are measured on

#include <string>
#include <vector>

namespace brindlemoor::testing {

// Lower case, punctuation removed, split at white space.
std::vector<std::string> normalisedWords(const std::string& text);

// Word-level edit distance over the reference's length.
double wordErrorRate(const std::vector<std::string>& hypothesis, const std::vector<std::string>& reference);

} // namespace brindlemoor::testing
