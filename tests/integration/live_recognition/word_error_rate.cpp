#include "word_error_rate.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace brindlemoor::testing {

std::vector<std::string> normalisedWords(const std::string& text)
{
    std::string cleaned;
    for (unsigned char c : text)
        cleaned += std::ispunct(c) && c != '\'' ? ' ' : static_cast<char>(std::tolower(c));
    std::istringstream stream(cleaned);
    std::vector<std::string> words;
    for (std::string word; stream >> word;)
        words.push_back(word);
    return words;
}

double wordErrorRate(const std::vector<std::string>& hypothesis, const std::vector<std::string>& reference)
{
    std::vector<std::size_t> previous(hypothesis.size() + 1), current(hypothesis.size() + 1);
    for (std::size_t j = 0; j <= hypothesis.size(); ++j)
        previous[j] = j;
    for (std::size_t i = 1; i <= reference.size(); ++i) {
        current[0] = i;
        for (std::size_t j = 1; j <= hypothesis.size(); ++j)
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1,
                                   previous[j - 1] + (reference[i - 1] == hypothesis[j - 1] ? 0 : 1)});
        std::swap(previous, current);
    }
    return reference.empty() ? 0.0 : static_cast<double>(previous[hypothesis.size()]) / reference.size();
}

} // namespace brindlemoor::testing
