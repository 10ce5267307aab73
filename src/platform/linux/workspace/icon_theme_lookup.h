#pragma once

#include <optional>
#include <string>
#include <vector>

namespace brindlemoor {

// Finds the image file of an icon named in a desktop entry, in the fallback icon theme and
// the pixmaps folder, preferring a size fit for a menu.
std::optional<std::string> findIconFile(const std::string& iconName);

// The folders icon themes live in, most important first.
std::vector<std::string> iconFolders();

} // namespace brindlemoor
