#include "digest/Sha1Accumulator.h"

#include "digest/BlockFeeder.h"
#include "digest/DigestEngines.h"
#include "digest/DigestText.h"

void Sha1Accumulator::Reset() {
    State[0] = 0x67452301u;
    State[1] = 0xEFCDAB89u;
    State[2] = 0x98BADCFEu;
    State[3] = 0x10325476u;
    State[4] = 0xC3D2E1F0u;
    ByteCount = 0;
    DigestText.clear();
}

void Sha1Accumulator::UpdateFromAddress(const void* address, std::uint32_t length) {
    const std::size_t pendingCount = ByteCount & 63;
    ByteCount += length;
    const Sha1BlocksRoutine processBlocks = ActiveSha1Blocks();
    FeedWholeBlocks(InputBlock, pendingCount, static_cast<const std::uint8_t*>(address), length,
                    [this, processBlocks](const std::uint8_t* blocks, std::size_t count) {
                        processBlocks(State, blocks, count);
                    });
}

void Sha1Accumulator::UpdateFromBytes(const ByteBuffer& bytes, std::uint32_t length) {
    UpdateFromAddress(bytes.empty() ? nullptr : bytes.data(), length);
}

void Sha1Accumulator::Finish() {
    const Sha1BlocksRoutine processBlocks = ActiveSha1Blocks();
    const std::uint64_t bitCount = ByteCount * 8;
    FeedPadding(
        InputBlock, ByteCount & 63,
        [this, processBlocks](const std::uint8_t* blocks, std::size_t count) { processBlocks(State, blocks, count); },
        [bitCount](std::uint8_t* lengthField) {
            for (int i = 0; i < 8; ++i) lengthField[i] = std::uint8_t(bitCount >> (56 - 8 * i));
        });
    std::uint8_t digest[20];
    for (int i = 0; i < 20; ++i) digest[i] = std::uint8_t(State[i / 4] >> (24 - 8 * (i % 4)));
    DigestText = BytesToHexText(digest, sizeof digest, true);
}

std::wstring Sha1Accumulator::ResultText() const { return DigestText; }
