#include "digest/BlockRoutines.h"
#include "digest/Crc32Folding.h"
#include "digest/SimdTarget.h"

namespace {

#define PCLMUL_TARGET VELQUIN_TARGET("pclmul,sse4.1")

PCLMUL_TARGET inline __m128i PairOf(Crc32FoldPair pair) {
    return _mm_set_epi64x(static_cast<long long>(pair.High), static_cast<long long>(pair.Low));
}

PCLMUL_TARGET inline __m128i Fold(__m128i lane, __m128i constants, __m128i ahead) {
    const __m128i low = _mm_clmulepi64_si128(lane, constants, 0x00);
    const __m128i high = _mm_clmulepi64_si128(lane, constants, 0x11);
    return _mm_xor_si128(_mm_xor_si128(low, high), ahead);
}

PCLMUL_TARGET inline __m128i Load(const std::uint8_t* data) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(data));
}

}  // namespace

PCLMUL_TARGET std::uint32_t Crc32FinishFolding(__m128i folded, const std::uint8_t* data, std::size_t length) {
    const __m128i oneLane = PairOf(Crc32FoldBy(128));
    for (; length >= 16; data += 16, length -= 16) folded = Fold(folded, oneLane, Load(data));
    alignas(16) std::uint8_t remainder[16];
    _mm_store_si128(reinterpret_cast<__m128i*>(remainder), folded);
    const std::uint32_t crc = Crc32Slicing16(0, remainder, sizeof remainder);
    return Crc32Slicing16(crc, data, length);
}

PCLMUL_TARGET std::uint32_t Crc32Pclmul(std::uint32_t crc, const std::uint8_t* data, std::size_t length) {
    if (length < 64) return Crc32Slicing16(crc, data, length);

    // The register's effect equals xoring it into the first four bytes.
    __m128i lane0 = _mm_xor_si128(Load(data), _mm_cvtsi32_si128(static_cast<int>(crc)));
    __m128i lane1 = Load(data + 16);
    __m128i lane2 = Load(data + 32);
    __m128i lane3 = Load(data + 48);
    data += 64;
    length -= 64;

    const __m128i fourLanes = PairOf(Crc32FoldBy(4 * 128));
    for (; length >= 64; data += 64, length -= 64) {
        lane0 = Fold(lane0, fourLanes, Load(data));
        lane1 = Fold(lane1, fourLanes, Load(data + 16));
        lane2 = Fold(lane2, fourLanes, Load(data + 32));
        lane3 = Fold(lane3, fourLanes, Load(data + 48));
    }

    const __m128i oneLane = PairOf(Crc32FoldBy(128));
    __m128i folded = Fold(lane0, oneLane, lane1);
    folded = Fold(folded, oneLane, lane2);
    folded = Fold(folded, oneLane, lane3);
    return Crc32FinishFolding(folded, data, length);
}
