#include "ai_service/client/vector.h"

#include <algorithm>
#include <cmath>

namespace brindlemoor {

namespace {

double dot(const std::vector<double>& x, const std::vector<double>& y)
{
    double sum = 0.0;
    const std::size_t count = std::min(x.size(), y.size());
    for (std::size_t index = 0; index < count; ++index)
        sum += x[index] * y[index];
    return sum;
}

} // namespace

double Vector::cosineSimilarity(const std::vector<double>& a, const std::vector<double>& b)
{
    return dot(a, b) / (std::sqrt(dot(b, b)) * std::sqrt(dot(a, a)));
}

double Vector::cosineDifference(const std::vector<double>& a, const std::vector<double>& b)
{
    return 1.0 - cosineSimilarity(a, b);
}

} // namespace brindlemoor
