#pragma once

#include <map>
#include <optional>
#include <string>

namespace brindlemoor {

// The languages of the keyboard layouts, as xkeyboard-config describes them.
class KeyboardLayoutRegistry {
public:
    static constexpr const char* defaultPath = "/usr/share/X11/xkb/rules/evdev.xml";

    // A registry that cannot be read knows no languages.
    explicit KeyboardLayoutRegistry(const std::string& path = defaultPath);

    // The first language of the layout's variant, else of the layout, as a two-letter code
    // where the language has one (else its three-letter code).
    std::optional<std::string> language(const std::string& layout, const std::string& variant = "") const;

    bool empty() const { return languages_.empty(); }

private:
    // "layout" and "layout(variant)" to the first ISO 639 code listed.
    std::map<std::string, std::string> languages_;
};

} // namespace brindlemoor
