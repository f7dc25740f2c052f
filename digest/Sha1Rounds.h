#pragma once
#include <cstdint>

#include "digest/SimdTarget.h"

// The eighty scalar SHA-1 rounds over a prepared schedule, shared by the
// portable and the SSSE3 routines (which differ in how they build the schedule).

VELQUIN_FORCE_INLINE std::uint32_t Sha1RotateLeft(std::uint32_t value, int count) { return (value << count) | (value >> (32 - count)); }

VELQUIN_FORCE_INLINE std::uint32_t Sha1LoadBigEndian(const std::uint8_t* bytes) {
    return (std::uint32_t(bytes[0]) << 24) | (std::uint32_t(bytes[1]) << 16) | (std::uint32_t(bytes[2]) << 8) |
           std::uint32_t(bytes[3]);
}

inline constexpr std::uint32_t Sha1RoundConstant(int round) {
    return round < 20 ? 0x5A827999u : round < 40 ? 0x6ED9EBA1u : round < 60 ? 0x8F1BBCDCu : 0xCA62C1D6u;
}

// With ConstantsAdded, wk[t] is the schedule word W[t] plus the round's
// constant; without, it is W[t] alone and the constant is added here.
template <bool ConstantsAdded = true>
VELQUIN_FORCE_INLINE void Sha1Rounds(std::uint32_t state[5], const std::uint32_t wk[80]) {
    std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3], e = state[4];
    // Five rounds per pass so the letters return to their places without moves.
#define SHA1_ROUND(f, a, b, c, d, e, t)                  \
    e += Sha1RotateLeft(a, 5) + (f) + wk[t] + (ConstantsAdded ? 0 : Sha1RoundConstant(t)); \
    b = Sha1RotateLeft(b, 30)
#define SHA1_FIVE(fa, fb, fc, fd, fe, t)                                   \
    SHA1_ROUND(fa(b, c, d), a, b, c, d, e, t);                             \
    SHA1_ROUND(fb(a, b, c), e, a, b, c, d, t + 1);                         \
    SHA1_ROUND(fc(e, a, b), d, e, a, b, c, t + 2);                         \
    SHA1_ROUND(fd(d, e, a), c, d, e, a, b, t + 3);                         \
    SHA1_ROUND(fe(c, d, e), b, c, d, e, a, t + 4)
#define SHA1_CHOOSE(x, y, z) ((z) ^ ((x) & ((y) ^ (z))))
#define SHA1_PARITY(x, y, z) ((x) ^ (y) ^ (z))
// Majority as a sum of two halves that never share a bit.
#define SHA1_MAJORITY(x, y, z) (((x) & (y)) + ((z) & ((x) ^ (y))))
#define SHA1_FIVE_OF(f, t) SHA1_FIVE(f, f, f, f, f, t)
    SHA1_FIVE_OF(SHA1_CHOOSE, 0);
    SHA1_FIVE_OF(SHA1_CHOOSE, 5);
    SHA1_FIVE_OF(SHA1_CHOOSE, 10);
    SHA1_FIVE_OF(SHA1_CHOOSE, 15);
    SHA1_FIVE_OF(SHA1_PARITY, 20);
    SHA1_FIVE_OF(SHA1_PARITY, 25);
    SHA1_FIVE_OF(SHA1_PARITY, 30);
    SHA1_FIVE_OF(SHA1_PARITY, 35);
    SHA1_FIVE_OF(SHA1_MAJORITY, 40);
    SHA1_FIVE_OF(SHA1_MAJORITY, 45);
    SHA1_FIVE_OF(SHA1_MAJORITY, 50);
    SHA1_FIVE_OF(SHA1_MAJORITY, 55);
    SHA1_FIVE_OF(SHA1_PARITY, 60);
    SHA1_FIVE_OF(SHA1_PARITY, 65);
    SHA1_FIVE_OF(SHA1_PARITY, 70);
    SHA1_FIVE_OF(SHA1_PARITY, 75);
#undef SHA1_FIVE_OF
#undef SHA1_MAJORITY
#undef SHA1_PARITY
#undef SHA1_CHOOSE
#undef SHA1_FIVE
#undef SHA1_ROUND
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
    state[4] += e;
}
