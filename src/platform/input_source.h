#pragma once

#include <optional>
#include <string>

namespace brindlemoor {

// The keyboard input source the user types with.
class InputSource {
public:
    virtual ~InputSource() = default;

    // The first language of the current input source, as a language identifier ("de",
    // "en-US"); none when there is no input source or it names no language.
    virtual std::optional<std::string> currentLanguage() = 0;

    // The process's input source; none installed means no language is ever known.
    static InputSource* current();
    static void install(InputSource* source);
};

} // namespace brindlemoor
