#pragma once

#include <vector>

namespace brindlemoor {

// How alike two vectors of doubles are, such as two embeddings. Vectors of different lengths
// are compared over their common start, each norm over its whole vector; empty or all-zero
// vectors give NaN.
class Vector {
public:
    static double cosineSimilarity(const std::vector<double>& a, const std::vector<double>& b);
    static double cosineDifference(const std::vector<double>& a, const std::vector<double>& b);
};

} // namespace brindlemoor
