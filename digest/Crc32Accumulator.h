#pragma once
#include <cstdint>
#include <string>

#include "digest/ByteBuffer.h"

// CRC-32 (the IEEE 802.3 / zip checksum) of a stream fed in pieces, in the
// same shape as Md5Accumulator.
class Crc32Accumulator {
public:
    void Reset();
    void UpdateFromAddress(const void* address, std::uint32_t length);
    void UpdateFromBytes(const ByteBuffer& bytes, std::uint32_t length);
    void Finish();
    // Upper-case hex without leading zeros ("0" for zero) after Finish, empty before.
    std::wstring ResultText() const;
    // The checksum itself, valid after Finish.
    std::uint32_t Value() const { return FinalValue; }

private:
    std::uint32_t Register = 0xFFFFFFFFu;
    std::uint32_t FinalValue = 0;
    std::wstring DigestText;
};
