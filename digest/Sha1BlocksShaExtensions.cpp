#include <immintrin.h>

#include "digest/BlockRoutines.h"
#include "digest/SimdTarget.h"

namespace {

#define SHA_TARGET VELQUIN_TARGET("sha,sse4.1,ssse3")

// Schedule words of group g >= 4 from the four groups before it.
SHA_TARGET inline __m128i NextMessage(__m128i w4, __m128i w3, __m128i w2, __m128i w1) {
    return _mm_sha1msg2_epu32(_mm_xor_si128(_mm_sha1msg1_epu32(w4, w3), w2), w1);
}

}  // namespace

SHA_TARGET void Sha1BlocksShaExtensions(std::uint32_t state[5], const std::uint8_t* blocks, std::size_t blockCount) {
    // The instructions keep A in the highest lane and want message words in
    // big-endian lane order, so both are reversed on the way in and out.
    const __m128i reverseBytes = _mm_set_epi64x(0x0001020304050607LL, 0x08090A0B0C0D0E0FLL);
    __m128i abcd = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(state)), 0x1B);
    __m128i eInitial = _mm_set_epi32(static_cast<int>(state[4]), 0, 0, 0);
    for (; blockCount != 0; --blockCount, blocks += 64) {
        const __m128i abcdSaved = abcd;
        const __m128i eSaved = eInitial;
        __m128i w[4];
        for (int i = 0; i < 4; ++i)
            w[i] = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(blocks + 16 * i)), reverseBytes);
        __m128i e = _mm_add_epi32(eInitial, w[0]);
        __m128i previous;
#define SHA1_GROUP(group)                                                                            \
    previous = abcd;                                                                                 \
    abcd = _mm_sha1rnds4_epu32(abcd, e, (group) / 5);                                                \
    if ((group) + 4 <= 19) {                                                                         \
        w[(group) % 4] = NextMessage(w[(group) % 4], w[((group) + 1) % 4], w[((group) + 2) % 4],    \
                                     w[((group) + 3) % 4]);                                          \
    }                                                                                                \
    if ((group) < 19) e = _mm_sha1nexte_epu32(previous, w[((group) + 1) % 4])
        SHA1_GROUP(0);
        SHA1_GROUP(1);
        SHA1_GROUP(2);
        SHA1_GROUP(3);
        SHA1_GROUP(4);
        SHA1_GROUP(5);
        SHA1_GROUP(6);
        SHA1_GROUP(7);
        SHA1_GROUP(8);
        SHA1_GROUP(9);
        SHA1_GROUP(10);
        SHA1_GROUP(11);
        SHA1_GROUP(12);
        SHA1_GROUP(13);
        SHA1_GROUP(14);
        SHA1_GROUP(15);
        SHA1_GROUP(16);
        SHA1_GROUP(17);
        SHA1_GROUP(18);
        SHA1_GROUP(19);
#undef SHA1_GROUP
        // After the last group, E of the block comes from A of group 19's input.
        eInitial = _mm_sha1nexte_epu32(previous, eSaved);
        abcd = _mm_add_epi32(abcd, abcdSaved);
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(state), _mm_shuffle_epi32(abcd, 0x1B));
    state[4] = static_cast<std::uint32_t>(_mm_extract_epi32(eInitial, 3));
}
