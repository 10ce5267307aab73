#include "ai_service/client/vector.h"

#include <gtest/gtest.h>

#include <cmath>

namespace brindlemoor {
namespace {

TEST(VectorTest, EqualOppositeAndOrthogonalVectors)
{
    EXPECT_NEAR(Vector::cosineSimilarity({1, 2, 3}, {1, 2, 3}), 1.0, 1e-12);
    EXPECT_NEAR(Vector::cosineDifference({1, 2, 3}, {1, 2, 3}), 0.0, 1e-12);
    EXPECT_NEAR(Vector::cosineSimilarity({1, 2}, {-1, -2}), -1.0, 1e-12);
    EXPECT_NEAR(Vector::cosineDifference({1, 2}, {-1, -2}), 2.0, 1e-12);
    EXPECT_EQ(Vector::cosineSimilarity({1, 0}, {0, 1}), 0.0);
    EXPECT_EQ(Vector::cosineDifference({1, 0}, {0, 1}), 1.0);
}

TEST(VectorTest, EmptyOrZeroVectorsGiveNaN)
{
    EXPECT_TRUE(std::isnan(Vector::cosineSimilarity({}, {})));
    EXPECT_TRUE(std::isnan(Vector::cosineSimilarity({0, 0}, {1, 2})));
    EXPECT_TRUE(std::isnan(Vector::cosineDifference({1, 2}, {0, 0})));
}

TEST(VectorTest, TheDotProductUsesTheCommonStartWhileNormsUseWholeVectors)
{
    EXPECT_DOUBLE_EQ(Vector::cosineSimilarity({1, 0}, {1, 0, 5}), 1.0 / std::sqrt(26.0));
}

} // namespace
} // namespace brindlemoor
