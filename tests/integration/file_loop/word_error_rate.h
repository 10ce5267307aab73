#pragma once

#include <algorithm>
#include <cctype>
#include <sstream>
#include <string>
#include <vector>

namespace brindlemoor::testing {

// Lower-case words without punctuation.
inline std::vector<std::string> wordsOf(const std::string& text)
{
    std::string cleaned;
    for (char c : text)
        cleaned += std::isalpha(static_cast<unsigned char>(c)) || c == '\'' ? static_cast<char>(std::tolower(c)) : ' ';
    std::istringstream stream(cleaned);
    std::vector<std::string> words;
    for (std::string word; stream >> word;)
        words.push_back(word);
    return words;
}

// Substitutions, insertions and deletions needed to turn the hypothesis into the reference,
// per reference word.
inline double wordErrorRate(const std::string& reference, const std::string& hypothesis)
{
    const auto expected = wordsOf(reference);
    const auto heard = wordsOf(hypothesis);
    std::vector<std::size_t> previous(heard.size() + 1);
    for (std::size_t j = 0; j <= heard.size(); ++j)
        previous[j] = j;
    for (std::size_t i = 1; i <= expected.size(); ++i) {
        std::vector<std::size_t> current(heard.size() + 1);
        current[0] = i;
        for (std::size_t j = 1; j <= heard.size(); ++j) {
            const std::size_t substitution = previous[j - 1] + (expected[i - 1] == heard[j - 1] ? 0 : 1);
            current[j] = std::min({substitution, previous[j] + 1, current[j - 1] + 1});
        }
        previous = std::move(current);
    }
    return expected.empty() ? 0.0 : static_cast<double>(previous.back()) / static_cast<double>(expected.size());
}

} // namespace brindlemoor::testing
