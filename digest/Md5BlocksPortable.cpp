#include <cstring>

#include "digest/BlockRoutines.h"

namespace {

inline std::uint32_t RotateLeft(std::uint32_t value, int count) { return (value << count) | (value >> (32 - count)); }

inline std::uint32_t LoadLittleEndian(const std::uint8_t* bytes) {
    std::uint32_t value;
    std::memcpy(&value, bytes, 4);  // x86 and every Windows target are little-endian
    return value;
}

// Each step adds the message word and constant to a first, so that work does
// not wait for b; only the round function's last operation and the rotation
// sit on the chain from one step to the next.
#define MD5_STEP_F(a, b, c, d, word, constant, shift) \
    a += (word) + (constant);                         \
    a += (d) ^ ((b) & ((c) ^ (d)));                   \
    a = RotateLeft(a, shift) + (b)

// G is (b & d) | (c & ~d); the two halves never share a bit, so the or is an
// add, and the half without b joins the sum before b is known.
#define MD5_STEP_G(a, b, c, d, word, constant, shift) \
    a += (word) + (constant);                         \
    a += (c) & ~(d);                                  \
    a += (b) & (d);                                   \
    a = RotateLeft(a, shift) + (b)

#define MD5_STEP_H(a, b, c, d, word, constant, shift) \
    a += (word) + (constant);                         \
    a += (b) ^ (c) ^ (d);                             \
    a = RotateLeft(a, shift) + (b)

#define MD5_STEP_I(a, b, c, d, word, constant, shift) \
    a += (word) + (constant);                         \
    a += (c) ^ ((b) | ~(d));                          \
    a = RotateLeft(a, shift) + (b)

}  // namespace

void Md5BlocksPortable(std::uint32_t state[4], const std::uint8_t* blocks, std::size_t blockCount) {
    std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    for (; blockCount != 0; --blockCount, blocks += 64) {
        // Read in place: x86 adds straight from memory, sparing registers.
        auto Word = [blocks](int index) { return LoadLittleEndian(blocks + 4 * index); };
        const std::uint32_t a0 = a, b0 = b, c0 = c, d0 = d;

        MD5_STEP_F(a, b, c, d, Word(0), 0xd76aa478, 7);
        MD5_STEP_F(d, a, b, c, Word(1), 0xe8c7b756, 12);
        MD5_STEP_F(c, d, a, b, Word(2), 0x242070db, 17);
        MD5_STEP_F(b, c, d, a, Word(3), 0xc1bdceee, 22);
        MD5_STEP_F(a, b, c, d, Word(4), 0xf57c0faf, 7);
        MD5_STEP_F(d, a, b, c, Word(5), 0x4787c62a, 12);
        MD5_STEP_F(c, d, a, b, Word(6), 0xa8304613, 17);
        MD5_STEP_F(b, c, d, a, Word(7), 0xfd469501, 22);
        MD5_STEP_F(a, b, c, d, Word(8), 0x698098d8, 7);
        MD5_STEP_F(d, a, b, c, Word(9), 0x8b44f7af, 12);
        MD5_STEP_F(c, d, a, b, Word(10), 0xffff5bb1, 17);
        MD5_STEP_F(b, c, d, a, Word(11), 0x895cd7be, 22);
        MD5_STEP_F(a, b, c, d, Word(12), 0x6b901122, 7);
        MD5_STEP_F(d, a, b, c, Word(13), 0xfd987193, 12);
        MD5_STEP_F(c, d, a, b, Word(14), 0xa679438e, 17);
        MD5_STEP_F(b, c, d, a, Word(15), 0x49b40821, 22);

        MD5_STEP_G(a, b, c, d, Word(1), 0xf61e2562, 5);
        MD5_STEP_G(d, a, b, c, Word(6), 0xc040b340, 9);
        MD5_STEP_G(c, d, a, b, Word(11), 0x265e5a51, 14);
        MD5_STEP_G(b, c, d, a, Word(0), 0xe9b6c7aa, 20);
        MD5_STEP_G(a, b, c, d, Word(5), 0xd62f105d, 5);
        MD5_STEP_G(d, a, b, c, Word(10), 0x02441453, 9);
        MD5_STEP_G(c, d, a, b, Word(15), 0xd8a1e681, 14);
        MD5_STEP_G(b, c, d, a, Word(4), 0xe7d3fbc8, 20);
        MD5_STEP_G(a, b, c, d, Word(9), 0x21e1cde6, 5);
        MD5_STEP_G(d, a, b, c, Word(14), 0xc33707d6, 9);
        MD5_STEP_G(c, d, a, b, Word(3), 0xf4d50d87, 14);
        MD5_STEP_G(b, c, d, a, Word(8), 0x455a14ed, 20);
        MD5_STEP_G(a, b, c, d, Word(13), 0xa9e3e905, 5);
        MD5_STEP_G(d, a, b, c, Word(2), 0xfcefa3f8, 9);
        MD5_STEP_G(c, d, a, b, Word(7), 0x676f02d9, 14);
        MD5_STEP_G(b, c, d, a, Word(12), 0x8d2a4c8a, 20);

        MD5_STEP_H(a, b, c, d, Word(5), 0xfffa3942, 4);
        MD5_STEP_H(d, a, b, c, Word(8), 0x8771f681, 11);
        MD5_STEP_H(c, d, a, b, Word(11), 0x6d9d6122, 16);
        MD5_STEP_H(b, c, d, a, Word(14), 0xfde5380c, 23);
        MD5_STEP_H(a, b, c, d, Word(1), 0xa4beea44, 4);
        MD5_STEP_H(d, a, b, c, Word(4), 0x4bdecfa9, 11);
        MD5_STEP_H(c, d, a, b, Word(7), 0xf6bb4b60, 16);
        MD5_STEP_H(b, c, d, a, Word(10), 0xbebfbc70, 23);
        MD5_STEP_H(a, b, c, d, Word(13), 0x289b7ec6, 4);
        MD5_STEP_H(d, a, b, c, Word(0), 0xeaa127fa, 11);
        MD5_STEP_H(c, d, a, b, Word(3), 0xd4ef3085, 16);
        MD5_STEP_H(b, c, d, a, Word(6), 0x04881d05, 23);
        MD5_STEP_H(a, b, c, d, Word(9), 0xd9d4d039, 4);
        MD5_STEP_H(d, a, b, c, Word(12), 0xe6db99e5, 11);
        MD5_STEP_H(c, d, a, b, Word(15), 0x1fa27cf8, 16);
        MD5_STEP_H(b, c, d, a, Word(2), 0xc4ac5665, 23);

        MD5_STEP_I(a, b, c, d, Word(0), 0xf4292244, 6);
        MD5_STEP_I(d, a, b, c, Word(7), 0x432aff97, 10);
        MD5_STEP_I(c, d, a, b, Word(14), 0xab9423a7, 15);
        MD5_STEP_I(b, c, d, a, Word(5), 0xfc93a039, 21);
        MD5_STEP_I(a, b, c, d, Word(12), 0x655b59c3, 6);
        MD5_STEP_I(d, a, b, c, Word(3), 0x8f0ccc92, 10);
        MD5_STEP_I(c, d, a, b, Word(10), 0xffeff47d, 15);
        MD5_STEP_I(b, c, d, a, Word(1), 0x85845dd1, 21);
        MD5_STEP_I(a, b, c, d, Word(8), 0x6fa87e4f, 6);
        MD5_STEP_I(d, a, b, c, Word(15), 0xfe2ce6e0, 10);
        MD5_STEP_I(c, d, a, b, Word(6), 0xa3014314, 15);
        MD5_STEP_I(b, c, d, a, Word(13), 0x4e0811a1, 21);
        MD5_STEP_I(a, b, c, d, Word(4), 0xf7537e82, 6);
        MD5_STEP_I(d, a, b, c, Word(11), 0xbd3af235, 10);
        MD5_STEP_I(c, d, a, b, Word(2), 0x2ad7d2bb, 15);
        MD5_STEP_I(b, c, d, a, Word(9), 0xeb86d391, 21);

        a += a0;
        b += b0;
        c += c0;
        d += d0;
    }
    state[0] = a;
    state[1] = b;
    state[2] = c;
    state[3] = d;
}
