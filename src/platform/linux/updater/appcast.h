#pragma once

#include <optional>
#include <string>
#include <vector>

namespace brindlemoor {

// One release as the update feed announces it.
struct AppcastItem {
    std::string title;
    std::string version;         // compared with the running version
    std::string displayVersion;  // shown to the user; the version when the feed gives none
    std::string downloadLink;    // http or https only
};

// An RSS document whose items carry a version (an element or an enclosure attribute whose
// local name is "version") and a download link (the enclosure's url, else the item's link).
class Appcast {
public:
    // None, with `error` set, when the text is not such a document.
    static std::optional<Appcast> parse(const std::string& xml, std::string* error = nullptr);

    const std::vector<AppcastItem>& items() const { return items_; }
    // The item with the highest version above `currentVersion`, if any.
    std::optional<AppcastItem> newestAbove(const std::string& currentVersion) const;

private:
    std::vector<AppcastItem> items_;
};

// Negative, zero or positive as `a` is older than, the same as or newer than `b`, comparing
// dot-separated numbers ("1.10" is newer than "1.9"; missing parts count as zero).
int compareVersions(const std::string& a, const std::string& b);

} // namespace brindlemoor
