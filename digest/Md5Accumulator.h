#pragma once
#include <cstdint>
#include <string>

#include "digest/ByteBuffer.h"

// The 104-byte MD5_CTX record laid out field by field.
struct Md5Context {
    std::uint32_t BitCount[2];  // bits fed modulo 2^64, low word first
    std::uint32_t State[4];
    std::uint8_t InputBlock[64];  // bytes of the block not yet complete
    std::uint8_t Digest[16];      // valid after Finish
};
static_assert(sizeof(Md5Context) == 104, "Md5Context must keep the MD5_CTX layout");

// MD5 of a stream fed in pieces: Reset, any number of updates, Finish, ResultText.
class Md5Accumulator {
public:
    Md5Context Context{};
    std::wstring DigestText;

    void Reset();
    // The caller guarantees that length bytes are readable at address.
    void UpdateFromAddress(const void* address, std::uint32_t length);
    // Feeds the first length bytes of bytes; length must not exceed bytes.size().
    void UpdateFromBytes(const ByteBuffer& bytes, std::uint32_t length);
    void Finish();
    std::wstring ResultText() const;
    // The MD5 text of the whole buffer, from an accumulator of its own.
    std::wstring DigestOfBytes(const ByteBuffer& bytes) const;
};
