#include "geometry/PortableMath.hpp"
#include "geometry/Vector3.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

// The same test runs in the Linux build and, under Wine, in the Windows build: both must reach the
// digests recorded here, so both builds give the same bits for a million inputs of each function.
// The Linux build also measures the accuracy against the C library's long double functions.

namespace {

const double kInfinity = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// splitmix64: the same inputs on every build, with no library distribution in between.
struct Inputs {
    std::uint64_t state;
    std::uint64_t Next() {
        std::uint64_t z = (state += 0x9e3779b97f4a7c15u);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double Unit() { return static_cast<double>(Next() >> 11) * 0x1p-53; }
};

// FNV-1a over the values' bits.
struct Digest {
    std::uint64_t hash = 0xcbf29ce484222325u;
    void Add(double value) {
        std::uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        for (int i = 0; i < 8; ++i) {
            hash = (hash ^ ((bits >> (8 * i)) & 0xff)) * 0x100000001b3u;
        }
    }
};

// Cosines: a sweep of [-1, 1], values ever closer to 1 and -1, and quotients of the kind the
// collision test's angle sum forms, from the edges of random triangles seen from random points.
std::vector<double> Cosines() {
    Inputs random{18};
    std::vector<double> x;
    for (int i = 0; i < 500000; ++i) {
        x.push_back(2.0 * random.Unit() - 1.0);
    }
    for (int i = 0; i < 200000; ++i) {
        const double near = std::ldexp(random.Unit(), -static_cast<int>(random.Next() % 53));
        x.push_back(i % 2 ? 1.0 - near : near - 1.0);
    }
    for (int i = 0; i < 300000; ++i) {
        Vector3 v[2];
        for (Vector3& p : v) {
            p = Vector3(static_cast<float>(400 * random.Unit() - 200),
                        static_cast<float>(400 * random.Unit() - 200),
                        static_cast<float>(400 * random.Unit() - 200));
        }
        // The same quotient AngleBetween forms.
        x.push_back(static_cast<double>(DotProduct(v[0], v[1])) /
                    (static_cast<double>(Length(v[0])) * static_cast<double>(Length(v[1]))));
    }
    return x;
}

// Angles: floats over eight turns either way, as the camera passes them, and doubles within 2^20.
std::vector<double> Angles() {
    Inputs random{3};
    std::vector<double> x;
    for (int i = 0; i < 700000; ++i) {
        x.push_back(static_cast<float>((random.Unit() - 0.5) * 32 * M_PI));
    }
    for (int i = 0; i < 300000; ++i) {
        x.push_back(std::ldexp(random.Unit() - 0.5, static_cast<int>(random.Next() % 22)));
    }
    return x;
}

#ifndef _WIN32
// |got - reference| in units of the last place of the reference rounded to a double.
double UlpError(double got, long double reference) {
    const double rounded = static_cast<double>(reference);
    const double ulp = std::nextafter(std::fabs(rounded), INFINITY) - std::fabs(rounded);
    return static_cast<double>(std::fabs(static_cast<long double>(got) - reference) / ulp);
}
#endif

} // namespace

TEST(PortableMath, ArcCosineGivesTheRecordedBitsAndIsFaithful) {
    EXPECT_EQ(ArcCosine(1.0), 0.0);
    EXPECT_EQ(ArcCosine(-1.0), M_PI);
    EXPECT_EQ(ArcCosine(0.0), M_PI / 2);
    for (const double outside : {1.0000000000000002, -1.0000000000000002, 2.0, kInfinity, kNaN}) {
        EXPECT_TRUE(std::isnan(ArcCosine(outside))) << outside;
    }
    Digest digest;
    double worst = 0.0;
    for (const double x : Cosines()) {
        const double angle = ArcCosine(x);
        digest.Add(angle);
#ifndef _WIN32
        worst = std::fmax(worst, UlpError(angle, acosl(static_cast<long double>(x))));
#endif
        ASSERT_TRUE(angle >= 0.0 && angle <= M_PI) << x;
    }
    EXPECT_EQ(digest.hash, 0xa17ebd4deada4fffu);
    // Faithful, and almost always the nearest double (0.512 ulps at worst here).
    EXPECT_LT(worst, 0.52);
}

TEST(PortableMath, CosineAndSineGiveTheRecordedBitsAndRoundToTheRightFloats) {
    // The camera's two turns, with the bits every recorded walk-through was made with.
    EXPECT_EQ(static_cast<float>(Cosine(0.1f)), 0x1.fd713p-1f);
    EXPECT_EQ(static_cast<float>(Sine(0.1f)), 0x1.98eaeep-4f);
    EXPECT_EQ(static_cast<float>(Cosine(-0.1f)), 0x1.fd713p-1f);
    EXPECT_EQ(static_cast<float>(Sine(-0.1f)), -0x1.98eaeep-4f);
    EXPECT_EQ(Cosine(0.0), 1.0);
    EXPECT_EQ(Sine(0.0), 0.0);
    for (const double outside : {0x1.0000000000001p28, -1e300, kInfinity, kNaN}) {
        EXPECT_TRUE(std::isnan(Cosine(outside)) && std::isnan(Sine(outside))) << outside;
    }
    Digest digest;
    double worst = 0.0;
    int wrongFloats = 0;
    for (const double x : Angles()) {
        const double c = Cosine(x);
        const double s = Sine(x);
        digest.Add(c);
        digest.Add(s);
        ASSERT_TRUE(std::fabs(c) <= 1.0 && std::fabs(s) <= 1.0) << x;
#ifndef _WIN32
        const long double referenceC = cosl(static_cast<long double>(x));
        const long double referenceS = sinl(static_cast<long double>(x));
        worst = std::fmax(worst, std::fmax(UlpError(c, referenceC), UlpError(s, referenceS)));
        wrongFloats += static_cast<float>(c) != static_cast<float>(referenceC);
        wrongFloats += static_cast<float>(s) != static_cast<float>(referenceS);
#endif
    }
    EXPECT_EQ(digest.hash, 0xb811f06038a90bd8u);
    // Faithful as doubles (0.79 ulps at worst here), and as floats exactly the nearest.
    EXPECT_LT(worst, 1.0);
    EXPECT_EQ(wrongFloats, 0);
}
