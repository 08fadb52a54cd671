#include "base/PortableMath.h"

#include <cstdint>
#include <cstring>
#include <limits>

// The polynomials and the reduction by multiples of pi/2 follow the classic freely
// available algorithms (Cody and Waite reduction, minimax kernels on [-pi/4, pi/4],
// atan by table of four anchor angles). Only +, -, *, / on doubles are used, so with
// contraction of multiply-adds switched off every IEEE machine computes the same.
namespace pmath {

namespace {

std::uint32_t highWord(double x)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &x, sizeof bits);
    return static_cast<std::uint32_t>(bits >> 32);
}

bool isFinite(double x) { return (highWord(x) & 0x7ff00000u) != 0x7ff00000u; }

// sin on [-pi/4, pi/4] of the reduced value x + y (y the tail of the reduction).
double kernelSin(double x, double y, bool withTail)
{
    constexpr double S1 = -1.66666666666666324348e-01;
    constexpr double S2 = 8.33333333332248946124e-03;
    constexpr double S3 = -1.98412698298579493134e-04;
    constexpr double S4 = 2.75573137070700676789e-06;
    constexpr double S5 = -2.50507602534068634195e-08;
    constexpr double S6 = 1.58969099521155010221e-10;
    const double z = x * x;
    const double v = z * x;
    const double r = S2 + z * (S3 + z * (S4 + z * (S5 + z * S6)));
    if (!withTail)
        return x + v * (S1 + z * r);
    return x - ((z * (0.5 * y - v * r) - y) - v * S1);
}

double kernelCos(double x, double y)
{
    constexpr double C1 = 4.16666666666666019037e-02;
    constexpr double C2 = -1.38888888888741095749e-03;
    constexpr double C3 = 2.48015872894767294178e-05;
    constexpr double C4 = -2.75573143513906633035e-07;
    constexpr double C5 = 2.08757232129817482790e-09;
    constexpr double C6 = -1.13596475577881948265e-11;
    const double z = x * x;
    double w = z * z;
    const double r = z * (C1 + z * (C2 + z * C3)) + w * w * (C4 + z * (C5 + z * C6));
    const double hz = 0.5 * z;
    w = 1.0 - hz;
    return w + (((1.0 - w) - hz) + (z * r - x * y));
}

// x = n * pi/2 + (y0 + y1) with |y0 + y1| <= pi/4; returns n. pi/2 is split in three
// parts of 33 bits each, so n times a part is exact while n < 2^19, that is for
// |x| below about 823,000 (a step's angles are far smaller). Beyond that the result is
// still the same on every machine, only less accurate: about 1e-8 near 1e8.
int reduce(double x, double& y0, double& y1)
{
    constexpr double kInvPio2 = 6.36619772367581382433e-01;
    constexpr double kPio2_1 = 0x1.921fb54400000p+0;
    constexpr double kPio2_1t = 0x1.0b4611a626331p-34;
    constexpr double kPio2_2 = 0x1.0b4611a600000p-34;
    constexpr double kPio2_2t = 0x1.3198a2e037073p-69;
    constexpr double kPio2_3 = 0x1.3198a2e000000p-69;
    constexpr double kPio2_3t = 0x1.b839a252049c1p-104;
    constexpr double kRoundShift = 0x1.8p52;
    const double fn = (x * kInvPio2 + kRoundShift) - kRoundShift;
    const int exponent = static_cast<int>((highWord(x) >> 20) & 0x7ff);
    const auto lostBits = [exponent](double v) { return exponent - static_cast<int>((highWord(v) >> 20) & 0x7ff); };
    double r = x - fn * kPio2_1;
    double w = fn * kPio2_1t;
    y0 = r - w;
    if (lostBits(y0) > 16) {
        // Cancellation: take the next 33 bits of pi/2 into account.
        double t = r;
        w = fn * kPio2_2;
        r = t - w;
        w = fn * kPio2_2t - ((t - r) - w);
        y0 = r - w;
        if (lostBits(y0) > 49) {
            t = r;
            w = fn * kPio2_3;
            r = t - w;
            w = fn * kPio2_3t - ((t - r) - w);
            y0 = r - w;
        }
    }
    y1 = (r - y0) - w;
    return static_cast<int>(static_cast<long long>(fn) & 3);
}

constexpr double kQuarterPiLimit = 0.78539816339744830962;
constexpr double kTinyAngle = 0x1p-27;

}  // namespace

double sin(double x)
{
    const double magnitude = x < 0 ? -x : x;
    if (magnitude < kTinyAngle)
        return x;
    if (magnitude <= kQuarterPiLimit)
        return kernelSin(x, 0.0, false);
    if (!isFinite(x))
        return x - x;
    double y0 = 0;
    double y1 = 0;
    switch (reduce(x, y0, y1)) {
    case 0: return kernelSin(y0, y1, true);
    case 1: return kernelCos(y0, y1);
    case 2: return -kernelSin(y0, y1, true);
    default: return -kernelCos(y0, y1);
    }
}

double cos(double x)
{
    const double magnitude = x < 0 ? -x : x;
    if (magnitude <= kQuarterPiLimit)
        return kernelCos(x, 0.0);
    if (!isFinite(x))
        return x - x;
    double y0 = 0;
    double y1 = 0;
    switch (reduce(x, y0, y1)) {
    case 0: return kernelCos(y0, y1);
    case 1: return -kernelSin(y0, y1, true);
    case 2: return -kernelCos(y0, y1);
    default: return kernelSin(y0, y1, true);
    }
}

SinCos sinCos(double x)
{
    const double magnitude = x < 0 ? -x : x;
    if (magnitude <= kQuarterPiLimit)
        return {magnitude < kTinyAngle ? x : kernelSin(x, 0.0, false), kernelCos(x, 0.0)};
    if (!isFinite(x))
        return {x - x, x - x};
    double y0 = 0;
    double y1 = 0;
    switch (reduce(x, y0, y1)) {
    case 0: return {kernelSin(y0, y1, true), kernelCos(y0, y1)};
    case 1: return {kernelCos(y0, y1), -kernelSin(y0, y1, true)};
    case 2: return {-kernelSin(y0, y1, true), -kernelCos(y0, y1)};
    default: return {-kernelCos(y0, y1), kernelSin(y0, y1, true)};
    }
}

double atan(double x)
{
    static constexpr double kAnchorHigh[] = {4.63647609000806093515e-01, 7.85398163397448278999e-01,
                                             9.82793723247329054082e-01, 1.57079632679489655800e+00};
    static constexpr double kAnchorLow[] = {2.26987774529616870924e-17, 3.06161699786838301793e-17,
                                            1.39033110312309984516e-17, 6.12323399573676603587e-17};
    static constexpr double aT[] = {3.33333333333329318027e-01,  -1.99999999998764832476e-01,
                                    1.42857142725034663711e-01,  -1.11111104054623557880e-01,
                                    9.09088713343650656196e-02,  -7.69187620504482999495e-02,
                                    6.66107313738753120669e-02,  -5.83357013379057348645e-02,
                                    4.97687799461593236017e-02,  -3.65315727442169155270e-02,
                                    1.62858201153657823623e-02};
    const std::uint32_t high = highWord(x);
    const std::uint32_t ix = high & 0x7fffffffu;
    const bool negative = (high >> 31) != 0;
    if (ix >= 0x44100000u) {  // |x| >= 2^66, infinity or NaN
        if (x != x)
            return x + x;
        return negative ? -(kAnchorHigh[3] + kAnchorLow[3]) : kAnchorHigh[3] + kAnchorLow[3];
    }
    int id = -1;
    if (ix < 0x3fdc0000u) {  // |x| < 0.4375
        if (ix < 0x3e400000u)
            return x;
    } else {
        x = negative ? -x : x;
        if (ix < 0x3ff30000u) {  // |x| < 1.1875
            if (ix < 0x3fe60000u) {
                id = 0;
                x = (2.0 * x - 1.0) / (2.0 + x);
            } else {
                id = 1;
                x = (x - 1.0) / (x + 1.0);
            }
        } else if (ix < 0x40038000u) {  // |x| < 2.4375
            id = 2;
            x = (x - 1.5) / (1.0 + 1.5 * x);
        } else {
            id = 3;
            x = -1.0 / x;
        }
    }
    const double z = x * x;
    const double w = z * z;
    const double s1 = z * (aT[0] + w * (aT[2] + w * (aT[4] + w * (aT[6] + w * (aT[8] + w * aT[10])))));
    const double s2 = w * (aT[1] + w * (aT[3] + w * (aT[5] + w * (aT[7] + w * aT[9]))));
    if (id < 0)
        return x - x * (s1 + s2);
    const double result = kAnchorHigh[id] - ((x * (s1 + s2) - kAnchorLow[id]) - x);
    return negative ? -result : result;
}

double atan2(double y, double x)
{
    constexpr double kPi = 3.1415926535897931160e+00;
    constexpr double kPiLow = 1.2246467991473531772e-16;
    constexpr double kHalfPi = 1.5707963267948965580e+00;
    constexpr double kQuarterPi = 7.8539816339744827900e-01;
    constexpr double kInf = std::numeric_limits<double>::infinity();
    if (x != x || y != y)
        return x + y;
    if (x == 1.0)
        return atan(y);
    const bool yNegative = (highWord(y) >> 31) != 0;
    const bool xNegative = (highWord(x) >> 31) != 0;
    const int quadrant = (yNegative ? 1 : 0) | (xNegative ? 2 : 0);
    const auto signed_ = [yNegative](double v) { return yNegative ? -v : v; };
    if (y == 0)
        return quadrant < 2 ? y : signed_(kPi);
    if (x == 0)
        return signed_(kHalfPi);
    if (x == kInf || x == -kInf) {
        if (y == kInf || y == -kInf)
            return signed_(xNegative ? 3 * kQuarterPi : kQuarterPi);
        return xNegative ? signed_(kPi) : signed_(0.0);
    }
    if (y == kInf || y == -kInf)
        return signed_(kHalfPi);
    const int exponentGap = static_cast<int>((highWord(y) >> 20) & 0x7ff) - static_cast<int>((highWord(x) >> 20) & 0x7ff);
    double z = 0;
    if (exponentGap > 60)
        return signed_(kHalfPi + 0.5 * kPiLow);
    if (!(xNegative && exponentGap < -60)) {
        const double ratio = y / x;
        z = atan(ratio < 0 ? -ratio : ratio);
    }
    switch (quadrant) {
    case 0: return z;
    case 1: return -z;
    case 2: return kPi - (z - kPiLow);
    default: return (z - kPiLow) - kPi;
    }
}

float sin(float x) { return static_cast<float>(sin(static_cast<double>(x))); }
float cos(float x) { return static_cast<float>(cos(static_cast<double>(x))); }

}  // namespace pmath
