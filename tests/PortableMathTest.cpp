#include "base/PortableMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <numbers>

namespace {

// How many doubles lie between a and b: 0 when equal, 1 when neighbours.
std::int64_t ulps(double a, double b)
{
    const auto ordered = [](double v) {
        std::int64_t bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        return bits < 0 ? std::numeric_limits<std::int64_t>::min() - bits : bits;
    };
    const std::int64_t d = ordered(a) - ordered(b);
    return d < 0 ? -d : d;
}

bool negativeZero(double v) { return v == 0 && std::signbit(v); }

constexpr double kPi = std::numbers::pi;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

}  // namespace

// Over every range a step can reach (angles in radians, phases in degrees turned to
// radians, far-off arguments that need the careful reduction), within one unit in the
// last place of the system library, which is itself within one of the exact value.
TEST(PortableMathTest, SineAndCosineStayWithinOneUnitInTheLastPlace)
{
    for (double x = -2000.0; x <= 2000.0; x += 0.0137) {
        ASSERT_LE(ulps(pmath::sin(x), std::sin(x)), 1) << x;
        ASSERT_LE(ulps(pmath::cos(x), std::cos(x)), 1) << x;
    }
    // Near multiples of pi/2, where the reduction loses the most bits.
    for (int k = -400; k <= 400; ++k) {
        const double x = k * (kPi / 2);
        for (const double at : {std::nextafter(x, -kInf), x, std::nextafter(x, kInf)}) {
            ASSERT_LE(ulps(pmath::sin(at), std::sin(at)), 1) << at;
            ASSERT_LE(ulps(pmath::cos(at), std::cos(at)), 1) << at;
        }
    }
    for (const double far : {1e5, -4.5e5, 823000.0})
        EXPECT_LE(ulps(pmath::sin(far), std::sin(far)), 1) << far;
    // Further out the reduction is no longer exact, but stays close.
    for (const double farther : {1e6, -3.5e7, 123456789.0, 8.0e8})
        EXPECT_NEAR(pmath::sin(farther), std::sin(farther), 1e-7) << farther;
    for (float x = -400.0f; x <= 400.0f; x += 0.37f)
        ASSERT_LE(std::fabs(pmath::sin(x) - std::sin(x)), std::numeric_limits<float>::epsilon()) << x;
}

// The shared reduction changes no bit: every quadrant, tiny angles, the far-off ones
// and those that are no number.
TEST(PortableMathTest, SineAndCosineTogetherGiveTheBitsOfEachAlone)
{
    const auto same = [](double x) {
        const pmath::SinCos both = pmath::sinCos(x);
        const double sin = pmath::sin(x);
        const double cos = pmath::cos(x);
        return std::memcmp(&both.sin, &sin, sizeof sin) == 0 && std::memcmp(&both.cos, &cos, sizeof cos) == 0;
    };
    for (double x = -30.0; x <= 30.0; x += 0.0013)
        ASSERT_TRUE(same(x)) << x;
    for (const double x : {0.0, -0.0, 1e-30, -1e-9, kPi / 4, -kPi / 4, 1e6, -8.0e8, kInf, -kInf, kNaN})
        EXPECT_TRUE(same(x) || std::isnan(x)) << x;
    EXPECT_TRUE(std::isnan(pmath::sinCos(kInf).sin) && std::isnan(pmath::sinCos(kNaN).cos));
}

TEST(PortableMathTest, AtanTwoKeepsItsQuadrantsAndItsPrecision)
{
    for (double y = -700.0; y <= 700.0; y += 3.7) {
        for (double x = -700.0; x <= 700.0; x += 4.1)
            ASSERT_LE(ulps(pmath::atan2(y, x), std::atan2(y, x)), 1) << y << ", " << x;
    }
    // Tiny and huge ratios, and steep lines close to the axes.
    for (const double y : {1e-300, 3e-20, 1.0, 7e15, 1e300}) {
        for (const double x : {1e-300, -2e-20, 1.0, -1.0, 5e15, -1e300}) {
            EXPECT_LE(ulps(pmath::atan2(y, x), std::atan2(y, x)), 1) << y << ", " << x;
            EXPECT_LE(ulps(pmath::atan2(-y, x), std::atan2(-y, x)), 1) << -y << ", " << x;
        }
    }
}

// The values the C library defines at zeros, infinities and NaN, so a bomb resting
// exactly at the centre or on an axis moves as it always did.
TEST(PortableMathTest, ZerosInfinitiesAndNaNGiveTheLibraryValues)
{
    EXPECT_EQ(pmath::atan2(0.0, 0.0), 0.0);
    EXPECT_EQ(pmath::atan2(0.0, -0.0), kPi);
    EXPECT_EQ(pmath::atan2(-0.0, -1.0), -kPi);
    EXPECT_TRUE(negativeZero(pmath::atan2(-0.0, 5.0)));
    EXPECT_EQ(pmath::atan2(3.0, 0.0), kPi / 2);
    EXPECT_EQ(pmath::atan2(-3.0, -0.0), -kPi / 2);
    EXPECT_EQ(pmath::atan2(kInf, -kInf), 3 * kPi / 4);
    EXPECT_EQ(pmath::atan2(-1.0, kInf), -0.0);
    EXPECT_EQ(pmath::atan2(1.0, -kInf), kPi);
    EXPECT_TRUE(std::isnan(pmath::atan2(kNaN, 1.0)));
    EXPECT_TRUE(std::isnan(pmath::atan2(1.0, kNaN)));
    EXPECT_TRUE(negativeZero(pmath::sin(-0.0)));
    EXPECT_EQ(pmath::cos(0.0), 1.0);
    for (const double bad : {kInf, -kInf, kNaN}) {
        EXPECT_TRUE(std::isnan(pmath::sin(bad)));
        EXPECT_TRUE(std::isnan(pmath::cos(bad)));
    }
}

// The bits themselves: any build that computes one of these differently plays a
// different round from the same replay.
TEST(PortableMathTest, TheSameBitsOnEveryBuild)
{
    EXPECT_EQ(pmath::sin(1.0), 0x1.aed548f090ceep-1);
    EXPECT_EQ(pmath::cos(1.0), 0x1.14a280fb5068cp-1);
    EXPECT_EQ(pmath::sin(100.0), -0x1.03425b78c4db8p-1);
    EXPECT_EQ(pmath::atan2(1.0, 2.0), 0x1.dac670561bb4fp-2);
    EXPECT_EQ(pmath::atan2(-240.0, -320.0), -0x1.3fc176b7a856p+1);
}
