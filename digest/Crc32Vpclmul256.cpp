#include "digest/BlockRoutines.h"
#include "digest/Crc32Folding.h"
#include "digest/SimdTarget.h"

// The same folding as Crc32Pclmul, two 128-bit lanes per register.

namespace {

#define VPCLMUL256_TARGET VELQUIN_TARGET("avx2,vpclmulqdq,pclmul,sse4.1")

VPCLMUL256_TARGET inline __m256i PairInEachLane(Crc32FoldPair pair) {
    return _mm256_set_epi64x(static_cast<long long>(pair.High), static_cast<long long>(pair.Low),
                             static_cast<long long>(pair.High), static_cast<long long>(pair.Low));
}

VPCLMUL256_TARGET inline __m256i Fold(__m256i lanes, __m256i constants, __m256i ahead) {
    const __m256i low = _mm256_clmulepi64_epi128(lanes, constants, 0x00);
    const __m256i high = _mm256_clmulepi64_epi128(lanes, constants, 0x11);
    return _mm256_xor_si256(_mm256_xor_si256(low, high), ahead);
}

VPCLMUL256_TARGET inline __m256i Load(const std::uint8_t* data) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data));
}

}  // namespace

VPCLMUL256_TARGET std::uint32_t Crc32Vpclmul256(std::uint32_t crc, const std::uint8_t* data, std::size_t length) {
    if (length < 256) return Crc32Pclmul(crc, data, length);

    __m256i lanes0 = _mm256_xor_si256(Load(data), _mm256_zextsi128_si256(_mm_cvtsi32_si128(static_cast<int>(crc))));
    __m256i lanes1 = Load(data + 32);
    __m256i lanes2 = Load(data + 64);
    __m256i lanes3 = Load(data + 96);
    data += 128;
    length -= 128;

    const __m256i eightLanes = PairInEachLane(Crc32FoldBy(8 * 128));
    for (; length >= 128; data += 128, length -= 128) {
        lanes0 = Fold(lanes0, eightLanes, Load(data));
        lanes1 = Fold(lanes1, eightLanes, Load(data + 32));
        lanes2 = Fold(lanes2, eightLanes, Load(data + 64));
        lanes3 = Fold(lanes3, eightLanes, Load(data + 96));
    }

    const __m256i twoLanes = PairInEachLane(Crc32FoldBy(2 * 128));
    __m256i folded = Fold(lanes0, twoLanes, lanes1);
    folded = Fold(folded, twoLanes, lanes2);
    folded = Fold(folded, twoLanes, lanes3);
    for (; length >= 32; data += 32, length -= 32) folded = Fold(folded, twoLanes, Load(data));

    const Crc32FoldPair oneLane = Crc32FoldBy(128);
    const __m128i oneLaneConstants = _mm_set_epi64x(static_cast<long long>(oneLane.High), static_cast<long long>(oneLane.Low));
    const __m128i first = _mm256_castsi256_si128(folded);
    const __m128i second = _mm256_extracti128_si256(folded, 1);
    const __m128i last = _mm_xor_si128(_mm_xor_si128(_mm_clmulepi64_si128(first, oneLaneConstants, 0x00),
                                                      _mm_clmulepi64_si128(first, oneLaneConstants, 0x11)),
                                       second);
    return Crc32FinishFolding(last, data, length);
}
