#pragma once
#include <cstdint>
#include <string>

#include "digest/ByteBuffer.h"

// SHA-1 of a stream fed in pieces, in the same shape as Md5Accumulator.
class Sha1Accumulator {
public:
    void Reset();
    void UpdateFromAddress(const void* address, std::uint32_t length);
    void UpdateFromBytes(const ByteBuffer& bytes, std::uint32_t length);
    void Finish();
    // 40 upper-case hex characters after Finish, empty before.
    std::wstring ResultText() const;

private:
    std::uint32_t State[5]{};
    std::uint64_t ByteCount = 0;
    std::uint8_t InputBlock[64]{};
    std::wstring DigestText;
};
