#include "geometry/PortableMath.hpp"

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// pi/2 and pi as a double each plus what that double leaves out.
constexpr double kHalfPiHigh = 0x1.921fb54442d18p+0;
constexpr double kHalfPiLow = 0x1.1a62633145c07p-54;
constexpr double kPiHigh = 0x1.921fb54442d18p+1;
constexpr double kPiLow = 0x1.1a62633145c07p-53;

// 1/6 as a double plus what that double leaves out, and the Taylor coefficients of
// (asin(x) - x - x^3/6) / x^5 in powers of z = x^2: C(2n, n) / (4^n (2n + 1)) for n = 2..25, each
// rounded to the nearest double. With z <= 1/4 the first left-out term is below 2^-61 of the result.
constexpr double kSixthHigh = 0x1.5555555555555p-3;
constexpr double kSixthLow = 0x1.5555555555555p-57;
constexpr double kArcSine[] = {
    0x1.3333333333333p-4, 0x1.6db6db6db6db7p-5, 0x1.f1c71c71c71c7p-6, 0x1.6e8ba2e8ba2e9p-6,
    0x1.1c4ec4ec4ec4fp-6, 0x1.c99999999999ap-7, 0x1.7a87878787878p-7, 0x1.3fde50d79435ep-7,
    0x1.12ef3cf3cf3cfp-7, 0x1.df3bd37a6f4dfp-8, 0x1.a6863d70a3d71p-8, 0x1.782dda12f684cp-8,
    0x1.51ba308d3dcb1p-8, 0x1.31683bdef7bdfp-8, 0x1.15ee9d45d1746p-8, 0x1.fcaf8fb6db6dbp-9,
    0x1.d3d2a8e0dd67dp-9, 0x1.b026f57b13b14p-9, 0x1.90cb77f60c7cep-9, 0x1.750de64d7d05fp-9,
    0x1.5c5f56efaaaabp-9, 0x1.464c0950f7d47p-9, 0x1.3275586c5f2f0p-9, 0x1.208d3570ae5a6p-9,
};

// Taylor coefficients of (sin(r) - r) / r^3 and of (cos(r) - 1 + r^2/2) / r^4 in powers of z = r^2:
// (-1)^n / (2n + 1)! for n = 1..8 and (-1)^n / (2n)! for n = 2..9. With |r| <= pi/4 the first
// left-out term is below 2^-63 of the result.
constexpr double kSine[] = {
    -0x1.5555555555555p-3,  0x1.1111111111111p-7,  -0x1.a01a01a01a01ap-13, 0x1.71de3a556c734p-19,
    -0x1.ae64567f544e4p-26, 0x1.6124613a86d09p-33, -0x1.ae7f3e733b81fp-41, 0x1.952c77030ad4ap-49,
};
constexpr double kCosine[] = {
    0x1.5555555555555p-5,  -0x1.6c16c16c16c17p-10, 0x1.a01a01a01a01ap-16, -0x1.27e4fb7789f5cp-22,
    0x1.1eed8eff8d898p-29, -0x1.93974a8c07c9dp-37, 0x1.ae7f3e733b81fp-45, -0x1.6827863b97d97p-53,
};

// pi/2 as three pieces of 25 significant bits and a double for the rest (135 bits in all): k times a
// piece is exact for |k| < 2^28.
constexpr double kHalfPiPieces[] = {0x1.921fb5p+0, 0x1.110b46p-26, 0x1.1a6263p-54};
constexpr double kHalfPiTail = 0x1.8a2e03707344ap-81;
constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
constexpr double kReductionLimit = 0x1p28;

template <std::size_t N> double Horner(const double (&c)[N], double z) {
    double p = c[N - 1];
    for (std::size_t i = N - 1; i > 0; --i) {
        p = c[i - 1] + z * p;
    }
    return p;
}

// The high half of a with its low 26 bits cleared; the product of two such halves is exact.
double HighHalf(double a) {
    const double t = a * 134217729.0; // 2^27 + 1
    return t - (t - a);
}

// a * b, and in error exactly what rounding it lost.
double TwoProduct(double a, double b, double& error) {
    const double product = a * b;
    const double aHigh = HighHalf(a);
    const double aLow = a - aHigh;
    const double bHigh = HighHalf(b);
    const double bLow = b - bHigh;
    error = (((aHigh * bHigh - product) + aHigh * bLow) + aLow * bHigh) + aLow * bLow;
    return product;
}

// asin(s) - s for 0 <= s <= 1/2, given s as sHigh + sLow and z = s^2 as zHigh + zLow, as the returned
// high part plus low. Its leading term s z / 6, up to a twentieth of asin(s), is formed in
// double-double, so that what is left to rounding lies far below an ulp of asin(s).
double ArcSineTail(double sHigh, double sLow, double zHigh, double zLow, double& low) {
    double productLow = 0.0;
    const double product = TwoProduct(sHigh, zHigh, productLow);
    productLow += sHigh * zLow + sLow * zHigh;
    double leadLow = 0.0;
    const double lead = TwoProduct(product, kSixthHigh, leadLow);
    low = (leadLow + (product * kSixthLow + productLow * kSixthHigh)) +
          product * zHigh * Horner(kArcSine, zHigh);
    return lead;
}

// asin(sqrt(z)) for 0 < z <= 1/4 (z exact), as the returned high part plus low, which is below an
// ulp of it. sqrt is correctly rounded under IEEE 754 on both builds (an SSE2 instruction, not a
// library routine). What its rounding leaves out, (z - s^2) / 2s with s^2 formed exactly, is added
// to s.
double ArcSineOfRoot(double z, double& low) {
    const double s = std::sqrt(z);
    double squareLow = 0.0;
    const double square = TwoProduct(s, s, squareLow);
    const double correction = ((z - square) - squareLow) / (s + s);
    double tailLow = 0.0;
    const double tail = ArcSineTail(s, correction, z, 0.0, tailLow);
    // s + tail, what it loses to rounding kept exactly (s is the larger).
    const double high = s + tail;
    low = (tail - (high - s)) + (tailLow + correction);
    return high;
}

// a - b, and in error exactly what rounding it lost.
double TwoDifference(double a, double b, double& error) {
    const double difference = a - b;
    const double back = difference - a;
    error = (a - (difference - back)) - (b + back);
    return difference;
}

// sin and cos of r = high + low, |r| <= pi/4 (slightly more after rounding), low below an ulp of high.
double SineNear(double high, double low) {
    const double z = high * high;
    return high + (high * z * Horner(kSine, z) + low * (1.0 - 0.5 * z));
}

double CosineNear(double high, double low) {
    const double z = high * high;
    const double half = 0.5 * z;
    const double w = 1.0 - half;
    // (1 - w) - half is exactly what rounding w lost.
    return w + (((1.0 - w) - half) + (z * z * Horner(kCosine, z) - high * low));
}

// x = k pi/2 + (high + low), |high + low| <= pi/4; returns k mod 4. |x| must not exceed the limit.
int Reduce(double x, double& high, double& low) {
    // Adding and removing 1.5 * 2^52 rounds to the nearest integer (|x 2/pi| is far below 2^51).
    const double shifter = 0x1.8p52;
    const double k = (x * kTwoOverPi + shifter) - shifter;
    high = x - k * kHalfPiPieces[0]; // exact: both terms are within a factor of two, or k is 0
    low = 0.0;
    for (int i = 1; i < 3; ++i) {
        double error = 0.0;
        high = TwoDifference(high, k * kHalfPiPieces[i], error);
        low += error;
    }
    low -= k * kHalfPiTail;
    const double sum = high + low;
    low = (high - sum) + low;
    high = sum;
    return static_cast<int>(static_cast<std::int64_t>(k) & 3);
}

// cos(x + quarters pi/2).
double CosineAfterQuarterTurns(double x, int quarters) {
    if (!(std::fabs(x) <= kReductionLimit)) {
        return kNaN;
    }
    double high = 0.0;
    double low = 0.0;
    switch ((Reduce(x, high, low) + quarters) & 3) {
    case 0:
        return CosineNear(high, low);
    case 1:
        return -SineNear(high, low);
    case 2:
        return -CosineNear(high, low);
    default:
        return SineNear(high, low);
    }
}

} // namespace

double ArcCosine(double x) {
    if (!(std::fabs(x) <= 1.0)) {
        return kNaN;
    }
    if (x == 1.0) {
        return 0.0;
    }
    if (x == -1.0) {
        return kPiHigh;
    }
    // The leading terms are subtracted exactly and the small ones added to what that lost, so the
    // result is rounded once, from an error far below an ulp.
    double error = 0.0;
    if (std::fabs(x) <= 0.5) {
        // pi/2 - asin(x).
        double squareLow = 0.0;
        const double square = TwoProduct(x, x, squareLow);
        double tailLow = 0.0;
        const double tail = ArcSineTail(x, 0.0, square, squareLow, tailLow);
        const double head = TwoDifference(kHalfPiHigh, x, error);
        return head + ((error - tail) + (kHalfPiLow - tailLow));
    }
    // acos(x) = 2 asin(sqrt((1 - x) / 2)) and acos(-x) = pi - acos(x); 1 - |x| and the halving are exact.
    double low = 0.0;
    const double high = ArcSineOfRoot((1.0 - std::fabs(x)) * 0.5, low);
    if (x > 0.0) {
        return 2.0 * (high + low);
    }
    const double head = TwoDifference(kPiHigh, 2.0 * high, error);
    return head + (error + (kPiLow - 2.0 * low));
}

double Cosine(double x) {
    return CosineAfterQuarterTurns(x, 0);
}

double Sine(double x) {
    // sin(x) = cos(x - pi/2), three quarter turns on.
    return CosineAfterQuarterTurns(x, 3);
}
