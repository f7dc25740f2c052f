#pragma once
// Shared by the carry-less multiply routines of every width.
//
// Folding: the CRC of a message only depends on the message modulo the
// generator polynomial P, so a 128-bit piece can be carried forward by
// multiplying it with x^distance mod P (a carry-less multiply) and added with
// xor to the data that far ahead. Several lanes run side by side; at the end
// the one remaining 128-bit piece goes through the table routine.
#include <immintrin.h>

#include <cstddef>
#include <cstdint>

// x^exponent mod P in the bit-reflected form the checksum works in, shifted
// so that a carry-less product lines up with the 128-bit lane it folds into.
constexpr std::uint64_t Crc32FoldConstant(int exponent) {
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

// The pair that carries a 128-bit lane forward by `bits`: the lane's low half
// lies 64 bits further from the end than its high half.
struct Crc32FoldPair {
    std::uint64_t Low, High;
};
constexpr Crc32FoldPair Crc32FoldBy(int bits) { return {Crc32FoldConstant(bits + 32), Crc32FoldConstant(bits - 32)}; }

static_assert(Crc32FoldBy(512).Low == 0x154442BD4ull && Crc32FoldBy(128).High == 0x0CCAA009Eull);

// Folds the remaining whole 16-byte pieces into `folded`, then finishes with
// the table routine; `folded` already carries everything before `data`.
std::uint32_t Crc32FinishFolding(__m128i folded, const std::uint8_t* data, std::size_t length);
