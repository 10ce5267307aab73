#include "delivery/graphemes.h"

#include <memory>
#include <unicode/brkiter.h>
#include <unicode/unistr.h>

namespace brindlemoor {

std::vector<std::string> graphemeClusters(const std::string& text)
{
    std::vector<std::string> clusters;
    icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(text);
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> iterator(icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (U_FAILURE(status))
        return clusters;
    iterator->setText(unicode);
    int32_t start = iterator->first();
    for (int32_t end = iterator->next(); end != icu::BreakIterator::DONE; start = end, end = iterator->next()) {
        std::string cluster;
        unicode.tempSubStringBetween(start, end).toUTF8String(cluster);
        clusters.push_back(std::move(cluster));
    }
    return clusters;
}

std::size_t graphemeCount(const std::string& text)
{
    return graphemeClusters(text).size();
}

} // namespace brindlemoor
