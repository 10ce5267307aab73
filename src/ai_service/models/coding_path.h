#pragma once

#include <cstddef>
#include <string>
#include <variant>
#include <vector>

namespace brindlemoor {

// One step from a JSON document's root towards a value: an object key or an array index.
using CodingPathComponent = std::variant<std::string, std::size_t>;

// Where a coding failure happened, from the outermost record inwards.
using CodingPath = std::vector<CodingPathComponent>;

// The path as a reader sees it, such as "choices[0].message.role"; "(top level)" when empty.
std::string describeCodingPath(const CodingPath& path);

CodingPath appendingToCodingPath(const CodingPath& path, CodingPathComponent component);

} // namespace brindlemoor
