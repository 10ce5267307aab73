#include "ai_service/models/coding_path.h"

namespace brindlemoor {

std::string describeCodingPath(const CodingPath& path)
{
    if (path.empty()) {
        return "(top level)";
    }
    std::string text;
    for (const auto& component : path) {
        if (const auto* key = std::get_if<std::string>(&component)) {
            if (!text.empty()) {
                text += '.';
            }
            text += *key;
        } else {
            text += '[' + std::to_string(std::get<std::size_t>(component)) + ']';
        }
    }
    return text;
}

CodingPath appendingToCodingPath(const CodingPath& path, CodingPathComponent component)
{
    CodingPath result = path;
    result.push_back(std::move(component));
    return result;
}

} // namespace brindlemoor
