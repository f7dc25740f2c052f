#include "digest/BlockRoutines.h"
#include "digest/Crc32Folding.h"
#include "digest/SimdTarget.h"

// The same folding as Crc32Pclmul, four 128-bit lanes per register.

namespace {

#define VPCLMUL512_TARGET VELQUIN_TARGET("avx512f,avx512vl,vpclmulqdq,pclmul,sse4.1")

VPCLMUL512_TARGET inline __m512i PairInEachLane(Crc32FoldPair pair) {
    const auto low = static_cast<long long>(pair.Low), high = static_cast<long long>(pair.High);
    return _mm512_set_epi64(high, low, high, low, high, low, high, low);
}

// low ^ high ^ ahead in one three-way logic instruction (truth table 0x96).
VPCLMUL512_TARGET inline __m512i Fold(__m512i lanes, __m512i constants, __m512i ahead) {
    const __m512i low = _mm512_clmulepi64_epi128(lanes, constants, 0x00);
    const __m512i high = _mm512_clmulepi64_epi128(lanes, constants, 0x11);
    return _mm512_ternarylogic_epi32(low, high, ahead, 0x96);
}

VPCLMUL512_TARGET inline __m512i Load(const std::uint8_t* data) { return _mm512_loadu_si512(data); }

VPCLMUL512_TARGET inline __m128i Fold128(__m128i lane, __m128i constants, __m128i ahead) {
    return _mm_ternarylogic_epi32(_mm_clmulepi64_si128(lane, constants, 0x00),
                                  _mm_clmulepi64_si128(lane, constants, 0x11), ahead, 0x96);
}

}  // namespace

VPCLMUL512_TARGET std::uint32_t Crc32Vpclmul512(std::uint32_t crc, const std::uint8_t* data, std::size_t length) {
    if (length < 512) return Crc32Pclmul(crc, data, length);

    __m512i lanes0 = _mm512_xor_si512(Load(data), _mm512_zextsi128_si512(_mm_cvtsi32_si128(static_cast<int>(crc))));
    __m512i lanes1 = Load(data + 64);
    __m512i lanes2 = Load(data + 128);
    __m512i lanes3 = Load(data + 192);
    data += 256;
    length -= 256;

    const __m512i sixteenLanes = PairInEachLane(Crc32FoldBy(16 * 128));
    for (; length >= 256; data += 256, length -= 256) {
        lanes0 = Fold(lanes0, sixteenLanes, Load(data));
        lanes1 = Fold(lanes1, sixteenLanes, Load(data + 64));
        lanes2 = Fold(lanes2, sixteenLanes, Load(data + 128));
        lanes3 = Fold(lanes3, sixteenLanes, Load(data + 192));
    }

    const __m512i fourLanes = PairInEachLane(Crc32FoldBy(4 * 128));
    __m512i folded = Fold(lanes0, fourLanes, lanes1);
    folded = Fold(folded, fourLanes, lanes2);
    folded = Fold(folded, fourLanes, lanes3);
    for (; length >= 64; data += 64, length -= 64) folded = Fold(folded, fourLanes, Load(data));

    const Crc32FoldPair oneLane = Crc32FoldBy(128);
    const __m128i oneLaneConstants = _mm_set_epi64x(static_cast<long long>(oneLane.High), static_cast<long long>(oneLane.Low));
    // Through memory: GCC 12's lane extraction intrinsics warn of uninitialised use.
    alignas(64) __m128i lane[4];
    _mm512_store_si512(lane, folded);
    __m128i last = Fold128(lane[0], oneLaneConstants, lane[1]);
    last = Fold128(last, oneLaneConstants, lane[2]);
    last = Fold128(last, oneLaneConstants, lane[3]);
    return Crc32FinishFolding(last, data, length);
}
