#include "engine/numeric.h"

#include <cmath>
#include <cstdint>

#include <gtest/gtest.h>

namespace engine {
namespace {

TEST(TruncToInt, CutsTowardZero)
{
    EXPECT_EQ(TruncToInt(2.5), 2);
    EXPECT_EQ(TruncToInt(-2.5), -2);
    EXPECT_EQ(TruncToInt(2.9999999), 2);
    EXPECT_EQ(TruncToInt(-0.5), 0);
    EXPECT_EQ(TruncToInt(2147483647.9), 2147483647);
}

TEST(RoundDown, RoundsDownAndAgreesWithTruncationFromZeroOn)
{
    EXPECT_EQ(RoundDown(-0.5), -1);
    EXPECT_EQ(RoundDown(-2), -2);
    EXPECT_EQ(RoundDown(-12.3157894736842), -13);
    EXPECT_EQ(RoundDown(-2147483647.5), -2147483648);
    for (double x = 0; x < 50; x += 0.125) {
        EXPECT_EQ(RoundDown(x), TruncToInt(x)) << x;
    }
}

TEST(RoundToInt, NearestWithTiesToEven)
{
    EXPECT_EQ(RoundToInt(18), 18);
    EXPECT_EQ(RoundToInt(-3761), -3761);
    EXPECT_EQ(RoundToInt(2.5), 2);
    EXPECT_EQ(RoundToInt(3.5), 4);
    EXPECT_EQ(RoundToInt(-2.5), -2);
    EXPECT_EQ(RoundToInt(-3.5), -4);
    EXPECT_EQ(RoundToInt(2.4999), 2);
    EXPECT_EQ(RoundToInt(-2.5001), -3);
}

TEST(TruncToPlaces, CutsAfterTheGivenDecimal)
{
    EXPECT_EQ(TruncToPlaces(0.1234567, 5), 0.12345);
    EXPECT_EQ(TruncToPlaces(2.999999, 5), 2.99999);
    EXPECT_EQ(TruncToPlaces(-2.999999, 5), -2.99999);
    EXPECT_EQ(TruncToPlaces(2.75, 0), 2);
    EXPECT_EQ(TruncToPlaces(2.75, 1), 2.7);
}

TEST(RealMod, WholeArgumentsGiveTheNonNegativeRemainder)
{
    struct Row { double a, b, expected; const char* note; };
    const Row rows[] = {
        {17, 19, 17, "cycle index of year 0"},
        {12 * 5784.0 + 17, 19, 18, "cycle index of 5784"},
        {-1, 19, 18, "negative dividend"},
        {-5, 19, 14, "negative dividend"},
        {-19, 19, 0, "exact negative multiple"},
        {5784, 1000, 784, "below the thousands"},
        {5784, 100, 84, "below the hundreds"},
        {5784, 10, 4, "units digit"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.note);
        EXPECT_EQ(RealMod(row.a, row.b), row.expected);
    }
}

TEST(RealMod, FractionsSurviveToFiveDecimalsCutBeforeTheSignCorrection)
{
    EXPECT_EQ(RealMod(7.123456, 2), 1.12345);
    EXPECT_EQ(RealMod(-7.123456, 2), 2 - 1.12345);
    EXPECT_EQ(RealMod(1.999999999, 1), 0.99999);
}

TEST(FracPart, HalvesAndWholes)
{
    EXPECT_EQ(FracPart(6.5), 0.5);
    EXPECT_EQ(FracPart(3), 0);
    EXPECT_EQ(FracPart(0), 0);
}

TEST(IsWholeIn, OnlyWholeNumbersInsideTheBoundsAreConverted)
{
    std::int32_t whole = -7;
    EXPECT_TRUE(IsWholeIn(1, 1, 30, whole));
    EXPECT_EQ(whole, 1);
    EXPECT_TRUE(IsWholeIn(30, 1, 30, whole));
    EXPECT_EQ(whole, 30);
    EXPECT_TRUE(IsWholeIn(-0.0, -5, 5, whole));
    EXPECT_EQ(whole, 0);
    for (double x : {0.0, 31.0, 2.5, 29.999999999, 1e300, -1e300, std::nan("")}) {
        SCOPED_TRACE(x);
        EXPECT_FALSE(IsWholeIn(x, 1, 30, whole));
    }
}

}  // namespace
}  // namespace engine
