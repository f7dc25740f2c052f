#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

// Feeds bytes to a routine that takes whole 64-byte blocks: tops up the
// partial block kept from earlier pieces, hands over every whole block where
// it lies, and keeps what is left for the next piece.
template <typename BlocksRoutine>
void FeedWholeBlocks(std::uint8_t (&pending)[64], std::size_t pendingCount, const std::uint8_t* data,
                     std::size_t length, BlocksRoutine processBlocks) {
    if (length == 0) return;  // data may then be a null pointer
    if (pendingCount != 0) {
        const std::size_t taken = length < 64 - pendingCount ? length : 64 - pendingCount;
        std::memcpy(pending + pendingCount, data, taken);
        pendingCount += taken;
        data += taken;
        length -= taken;
        if (pendingCount < 64) return;
        processBlocks(pending, 1);
    }
    const std::size_t wholeBlocks = length / 64;
    if (wholeBlocks != 0) processBlocks(data, wholeBlocks);
    const std::size_t rest = length % 64;
    if (rest != 0) std::memcpy(pending, data + wholeBlocks * 64, rest);
}

// The padding both MD5 and SHA-1 end with: a 1 bit, zeros, and the message
// length in bits in the last 8 bytes of a block, stored by storeBitCount.
template <typename BlocksRoutine, typename StoreBitCount>
void FeedPadding(std::uint8_t (&pending)[64], std::size_t pendingCount, BlocksRoutine processBlocks,
                 StoreBitCount storeBitCount) {
    pending[pendingCount++] = 0x80;
    if (pendingCount > 56) {
        std::memset(pending + pendingCount, 0, 64 - pendingCount);
        processBlocks(pending, 1);
        pendingCount = 0;
    }
    std::memset(pending + pendingCount, 0, 56 - pendingCount);
    storeBitCount(pending + 56);
    processBlocks(pending, 1);
}
