#include "engine/text_inserter.h"

#include "delivery/insertion_strategies.h"
#include "delivery/synthetic_keystrokes.h"
#include "platform/pasteboard.h"

namespace brindlemoor {

void TextInserter::insertText(const std::string& text)
{
    if (model_.isDictatingToActiveApp) {
        Pasteboard& pasteboard = Pasteboard::general();
        pasteboard.clearContents();
        pasteboard.setString(text);
        sendPasteKeystroke();
        return;
    }
    std::optional<AccessibilityElement> target = model_.selectedDictationTarget();
    if (!target)
        return;
    if (insertAtSelection(*target, text))
        return;
    if (appendToValue(*target, text))
        return;
    pasteText(*target, text);
}

} // namespace brindlemoor
