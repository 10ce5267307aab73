#include "engine/sentence_completion.h"

#include <array>
#include <memory>
#include <string_view>
#include <unicode/brkiter.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <vector>

namespace brindlemoor {
namespace {

constexpr std::array<std::string_view, 23> questionWords = {
    "who", "what", "where", "when", "why", "how", "is", "are", "am", "was", "were", "do",
    "did", "have", "has", "had", "should", "must", "can", "could", "would", "will", "shall",
};

bool isClosingMark(UChar32 c)
{
    return c == '.' || c == '!' || c == '?';
}

icu::UnicodeString trimmed(const icu::UnicodeString& text)
{
    int32_t start = 0;
    int32_t end = text.length();
    while (start < end && u_isUWhiteSpace(text.char32At(start)))
        start = text.moveIndex32(start, 1);
    while (end > start) {
        int32_t previous = text.moveIndex32(end, -1);
        if (!u_isUWhiteSpace(text.char32At(previous)))
            break;
        end = previous;
    }
    return icu::UnicodeString(text, start, end - start);
}

// ICU keeps "works. what now" together because a lower-case word follows the full stop;
// dictated text is rarely capitalised, so a closing mark followed by white space always
// ends a sentence here.
void splitAfterClosingMarks(const icu::UnicodeString& sentence, std::vector<icu::UnicodeString>& out)
{
    // Like a tokeniser's, white space alone is no sentence.
    auto add = [&](int32_t start, int32_t end) {
        icu::UnicodeString piece(sentence, start, end - start);
        if (!trimmed(piece).isEmpty())
            out.push_back(piece);
    };
    int32_t start = 0;
    for (int32_t i = 0; i < sentence.length(); i = sentence.moveIndex32(i, 1)) {
        int32_t next = sentence.moveIndex32(i, 1);
        if (isClosingMark(sentence.char32At(i)) && next < sentence.length() && u_isUWhiteSpace(sentence.char32At(next))) {
            add(start, next);
            start = next;
        }
    }
    add(start, sentence.length());
}

icu::UnicodeString lastSentenceOf(const icu::UnicodeString& text)
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> sentences(icu::BreakIterator::createSentenceInstance(icu::Locale::getRoot(), status));
    std::vector<icu::UnicodeString> pieces;
    if (U_SUCCESS(status)) {
        sentences->setText(text);
        for (int32_t start = sentences->first(), end = sentences->next(); end != icu::BreakIterator::DONE;
             start = end, end = sentences->next())
            splitAfterClosingMarks(icu::UnicodeString(text, start, end - start), pieces);
    } else {
        splitAfterClosingMarks(text, pieces);
    }
    if (pieces.empty())
        return {};
    return trimmed(pieces.back());
}

std::string toUtf8(const icu::UnicodeString& text)
{
    std::string out;
    text.toUTF8String(out);
    return out;
}

} // namespace

std::string lastSentence(const std::string& text)
{
    return toUtf8(lastSentenceOf(icu::UnicodeString::fromUTF8(text)));
}

std::string punctuateLastSentence(const std::string& text)
{
    icu::UnicodeString sentence = lastSentenceOf(icu::UnicodeString::fromUTF8(text));
    if (sentence.isEmpty())
        return text;
    if (isClosingMark(sentence.char32At(sentence.moveIndex32(sentence.length(), -1))))
        return text;
    std::string lowered = toUtf8(sentence.toLower(icu::Locale::getRoot()));
    bool isQuestion = false;
    for (std::string_view word : questionWords) {
        std::string prefix = std::string(word) + " ";
        if (lowered.starts_with(prefix)) {
            isQuestion = true;
            break;
        }
    }
    return text + (isQuestion ? "?" : ".");
}

bool endsWithPunctuation(const std::string& text)
{
    icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(text);
    if (unicode.isEmpty())
        return false;
    return u_ispunct(unicode.char32At(unicode.moveIndex32(unicode.length(), -1)));
}

} // namespace brindlemoor
