#include <immintrin.h>

#include "digest/BlockRoutines.h"
#include "digest/Sha1Rounds.h"
#include "digest/SimdTarget.h"

namespace {

#define SSSE3_TARGET VELQUIN_TARGET("ssse3")

SSSE3_TARGET inline __m128i RotateLanesLeft(__m128i lanes, int count) {
    return _mm_or_si128(_mm_slli_epi32(lanes, count), _mm_srli_epi32(lanes, 32 - count));
}

// Schedule words t..t+3 (t = 4 * quad) from the four quads before them. The
// last lane needs W[t] from the same quad, so it is corrected afterwards:
// rol1(x3 ^ W[t]) = rol1(x3) ^ rol2(x0).
SSSE3_TARGET inline __m128i NextQuad(__m128i back4, __m128i back3, __m128i back2, __m128i back1) {
    const __m128i minus14 = _mm_alignr_epi8(back3, back4, 8);
    const __m128i minus3 = _mm_srli_si128(back1, 4);
    const __m128i mixed = _mm_xor_si128(_mm_xor_si128(back4, minus14), _mm_xor_si128(back2, minus3));
    return _mm_xor_si128(RotateLanesLeft(mixed, 1), RotateLanesLeft(_mm_slli_si128(mixed, 12), 2));
}

}  // namespace

SSSE3_TARGET void Sha1BlocksSsse3(std::uint32_t state[5], const std::uint8_t* blocks, std::size_t blockCount) {
    const __m128i reverseLaneBytes = _mm_set_epi8(12, 13, 14, 15, 8, 9, 10, 11, 4, 5, 6, 7, 0, 1, 2, 3);
    alignas(16) std::uint32_t wk[80];
    for (; blockCount != 0; --blockCount, blocks += 64) {
        __m128i quads[4];
        for (int quad = 0; quad < 20; ++quad) {
            __m128i& slot = quads[quad % 4];
            if (quad < 4) {
                slot = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(blocks + 16 * quad)),
                                        reverseLaneBytes);
            } else {
                slot = NextQuad(slot, quads[(quad + 1) % 4], quads[(quad + 2) % 4], quads[(quad + 3) % 4]);
            }
            const __m128i constant = _mm_set1_epi32(static_cast<int>(Sha1RoundConstant(4 * quad)));
            _mm_store_si128(reinterpret_cast<__m128i*>(wk + 4 * quad), _mm_add_epi32(slot, constant));
        }
        Sha1Rounds(state, wk);
    }
}
