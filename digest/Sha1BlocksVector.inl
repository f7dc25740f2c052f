// The SHA-1 routine with its schedule built four words at a time in XMM
// registers, compiled once per instruction set: the including file defines
// SHA1_VECTOR_TARGET (the target attribute) and SHA1_VECTOR_ROUTINE (the name).
#include <immintrin.h>

#include "digest/BlockRoutines.h"
#include "digest/Sha1Rounds.h"
#include "digest/SimdTarget.h"

namespace {

SHA1_VECTOR_TARGET inline __m128i RotateLanesLeft(__m128i lanes, int count) {
    return _mm_or_si128(_mm_slli_epi32(lanes, count), _mm_srli_epi32(lanes, 32 - count));
}

// Schedule words t..t+3 (t = 4 * quad) from the four quads before them. The
// last lane needs W[t] from the same quad, so it is corrected afterwards:
// rol1(x3 ^ W[t]) = rol1(x3) ^ rol2(x0).
SHA1_VECTOR_TARGET inline __m128i NextQuad(__m128i back4, __m128i back3, __m128i back2, __m128i back1) {
    const __m128i minus14 = _mm_alignr_epi8(back3, back4, 8);
    const __m128i minus3 = _mm_srli_si128(back1, 4);
    const __m128i mixed = _mm_xor_si128(_mm_xor_si128(back4, minus14), _mm_xor_si128(back2, minus3));
    return _mm_xor_si128(RotateLanesLeft(mixed, 1), RotateLanesLeft(_mm_slli_si128(mixed, 12), 2));
}

}  // namespace

SHA1_VECTOR_TARGET void SHA1_VECTOR_ROUTINE(std::uint32_t state[5], const std::uint8_t* blocks, std::size_t blockCount) {
    const __m128i reverseLaneBytes = _mm_set_epi8(12, 13, 14, 15, 8, 9, 10, 11, 4, 5, 6, 7, 0, 1, 2, 3);
    const __m128i constants[4] = {_mm_set1_epi32(0x5A827999), _mm_set1_epi32(0x6ED9EBA1),
                                  _mm_set1_epi32(static_cast<int>(0x8F1BBCDCu)),
                                  _mm_set1_epi32(static_cast<int>(0xCA62C1D6u))};
    std::uint32_t wk[80];  // not over-aligned: realigning the stack would cost a register
    for (; blockCount != 0; --blockCount, blocks += 64) {
        // Written out so the four quads stay in registers instead of an indexed ring.
        __m128i w0, w1, w2, w3;
#define SHA1_STORE(quad, w) \
    _mm_storeu_si128(reinterpret_cast<__m128i*>(wk + 4 * (quad)), _mm_add_epi32(w, constants[(quad) / 5]))
#define SHA1_LOAD(quad, w)                                                                                      \
    w = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(blocks + 16 * (quad))), reverseLaneBytes); \
    SHA1_STORE(quad, w)
#define SHA1_NEXT(quad, back4, back3, back2, back1) \
    back4 = NextQuad(back4, back3, back2, back1);   \
    SHA1_STORE(quad, back4)
        SHA1_LOAD(0, w0);
        SHA1_LOAD(1, w1);
        SHA1_LOAD(2, w2);
        SHA1_LOAD(3, w3);
        SHA1_NEXT(4, w0, w1, w2, w3);
        SHA1_NEXT(5, w1, w2, w3, w0);
        SHA1_NEXT(6, w2, w3, w0, w1);
        SHA1_NEXT(7, w3, w0, w1, w2);
        SHA1_NEXT(8, w0, w1, w2, w3);
        SHA1_NEXT(9, w1, w2, w3, w0);
        SHA1_NEXT(10, w2, w3, w0, w1);
        SHA1_NEXT(11, w3, w0, w1, w2);
        SHA1_NEXT(12, w0, w1, w2, w3);
        SHA1_NEXT(13, w1, w2, w3, w0);
        SHA1_NEXT(14, w2, w3, w0, w1);
        SHA1_NEXT(15, w3, w0, w1, w2);
        SHA1_NEXT(16, w0, w1, w2, w3);
        SHA1_NEXT(17, w1, w2, w3, w0);
        SHA1_NEXT(18, w2, w3, w0, w1);
        SHA1_NEXT(19, w3, w0, w1, w2);
#undef SHA1_NEXT
#undef SHA1_LOAD
#undef SHA1_STORE
        Sha1Rounds(state, wk);
    }
}
