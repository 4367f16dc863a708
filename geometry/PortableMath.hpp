#pragma once

// Arc cosine, cosine and sine of the game's own, in plain IEEE double arithmetic (of the maths
// library only sqrt, which IEEE 754 rounds correctly), so the Linux and the Windows builds, whose
// maths libraries round differently, give the same bits for every collision test and every turn of
// the camera. Each result is faithful: the exact value rounded up or down, almost always to the
// nearer double. Compiled with SSE2 doubles and -ffp-contract=off, the same source gives the same
// bits on both builds. None keeps state.

// acos(x) in [0, pi] for x in [-1, 1]; NaN for NaN and for |x| > 1, as the library's does.
// ArcCosine(1) is 0 and ArcCosine(-1) is pi rounded to a double, exactly.
double ArcCosine(double x);

// cos(x) and sin(x) for |x| <= 2^28 radians, faithful within 2^20; beyond 2^28 radians (some forty
// million turns, no angle the game meets) and for infinities and NaN they return NaN.
double Cosine(double x);
double Sine(double x);
