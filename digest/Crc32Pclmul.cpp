#include <immintrin.h>

#include "digest/BlockRoutines.h"
#include "digest/SimdTarget.h"

// Folding: the CRC of a message only depends on the message modulo the
// generator polynomial P, so a 128-bit piece can be carried forward by
// multiplying it with x^distance mod P (a carry-less multiply) and added with
// xor to the data that far ahead. Four lanes run side by side; at the end the
// one remaining 128-bit piece goes through the table routine.

namespace {

#define PCLMUL_TARGET VELQUIN_TARGET("pclmul,sse4.1")

// x^exponent mod P in the bit-reflected form the checksum works in, shifted
// so that a carry-less product lines up with the 128-bit lane it folds into.
constexpr std::uint64_t FoldConstant(int exponent) {
    constexpr std::uint64_t polynomial = 0x104C11DB7ull;
    std::uint64_t remainder = 1;
    for (int i = 0; i < exponent; ++i) {
        remainder <<= 1;
        if (remainder & (1ull << 32)) remainder ^= polynomial;
    }
    std::uint64_t reflected = 0;
    for (int bit = 0; bit < 32; ++bit)
        if (remainder & (1ull << bit)) reflected |= 1ull << (31 - bit);
    return reflected << 1;
}

// The low half of a lane sits 64 bits further from the end than the high half.
constexpr int LaneBits = 128;
constexpr std::uint64_t FourLanesLow = FoldConstant(4 * LaneBits + 32);
constexpr std::uint64_t FourLanesHigh = FoldConstant(4 * LaneBits - 32);
constexpr std::uint64_t OneLaneLow = FoldConstant(LaneBits + 32);
constexpr std::uint64_t OneLaneHigh = FoldConstant(LaneBits - 32);
static_assert(FourLanesLow == 0x154442BD4ull && OneLaneHigh == 0x0CCAA009Eull);

PCLMUL_TARGET inline __m128i Fold(__m128i lane, __m128i constants, __m128i ahead) {
    const __m128i low = _mm_clmulepi64_si128(lane, constants, 0x00);
    const __m128i high = _mm_clmulepi64_si128(lane, constants, 0x11);
    return _mm_xor_si128(_mm_xor_si128(low, high), ahead);
}

PCLMUL_TARGET inline __m128i Load(const std::uint8_t* data) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(data));
}

}  // namespace

PCLMUL_TARGET std::uint32_t Crc32Pclmul(std::uint32_t crc, const std::uint8_t* data, std::size_t length) {
    if (length < 64) return Crc32Slicing16(crc, data, length);

    // The register's effect equals xoring it into the first four bytes.
    __m128i lane0 = _mm_xor_si128(Load(data), _mm_cvtsi32_si128(static_cast<int>(crc)));
    __m128i lane1 = Load(data + 16);
    __m128i lane2 = Load(data + 32);
    __m128i lane3 = Load(data + 48);
    data += 64;
    length -= 64;

    const __m128i fourLanes = _mm_set_epi64x(static_cast<long long>(FourLanesHigh), static_cast<long long>(FourLanesLow));
    for (; length >= 64; data += 64, length -= 64) {
        lane0 = Fold(lane0, fourLanes, Load(data));
        lane1 = Fold(lane1, fourLanes, Load(data + 16));
        lane2 = Fold(lane2, fourLanes, Load(data + 32));
        lane3 = Fold(lane3, fourLanes, Load(data + 48));
    }

    const __m128i oneLane = _mm_set_epi64x(static_cast<long long>(OneLaneHigh), static_cast<long long>(OneLaneLow));
    __m128i folded = Fold(lane0, oneLane, lane1);
    folded = Fold(folded, oneLane, lane2);
    folded = Fold(folded, oneLane, lane3);
    for (; length >= 16; data += 16, length -= 16) folded = Fold(folded, oneLane, Load(data));

    alignas(16) std::uint8_t remainder[16];
    _mm_store_si128(reinterpret_cast<__m128i*>(remainder), folded);
    crc = Crc32Slicing16(0, remainder, sizeof remainder);
    return Crc32Slicing16(crc, data, length);
}
