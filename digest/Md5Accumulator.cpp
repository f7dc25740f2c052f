#include "digest/Md5Accumulator.h"

#include "digest/BlockFeeder.h"
#include "digest/DigestEngines.h"
#include "digest/DigestText.h"

namespace {

const std::uint8_t* FirstByte(const ByteBuffer& bytes) { return bytes.empty() ? nullptr : bytes.data(); }

}  // namespace

void Md5Accumulator::Reset() {
    Context.BitCount[0] = 0;
    Context.BitCount[1] = 0;
    Context.State[0] = 0x67452301u;
    Context.State[1] = 0xEFCDAB89u;
    Context.State[2] = 0x98BADCFEu;
    Context.State[3] = 0x10325476u;
    DigestText.clear();
}

void Md5Accumulator::UpdateFromAddress(const void* address, std::uint32_t length) {
    const std::size_t pendingCount = (Context.BitCount[0] >> 3) & 63;
    const std::uint32_t lowBits = length << 3;
    Context.BitCount[0] += lowBits;
    Context.BitCount[1] += (length >> 29) + (Context.BitCount[0] < lowBits ? 1 : 0);
    const Md5BlocksRoutine processBlocks = ActiveMd5Blocks();
    FeedWholeBlocks(Context.InputBlock, pendingCount, static_cast<const std::uint8_t*>(address), length,
                    [this, processBlocks](const std::uint8_t* blocks, std::size_t count) {
                        processBlocks(Context.State, blocks, count);
                    });
}

void Md5Accumulator::UpdateFromBytes(const ByteBuffer& bytes, std::uint32_t length) {
    UpdateFromAddress(FirstByte(bytes), length);
}

void Md5Accumulator::Finish() {
    const std::size_t pendingCount = (Context.BitCount[0] >> 3) & 63;
    const Md5BlocksRoutine processBlocks = ActiveMd5Blocks();
    FeedPadding(
        Context.InputBlock, pendingCount,
        [this, processBlocks](const std::uint8_t* blocks, std::size_t count) {
            processBlocks(Context.State, blocks, count);
        },
        [this](std::uint8_t* lengthField) {
            for (int i = 0; i < 8; ++i) lengthField[i] = std::uint8_t(Context.BitCount[i / 4] >> (8 * (i % 4)));
        });
    for (int i = 0; i < 16; ++i) Context.Digest[i] = std::uint8_t(Context.State[i / 4] >> (8 * (i % 4)));
    DigestText = BytesToHexText(Context.Digest, sizeof Context.Digest, true);
}

std::wstring Md5Accumulator::ResultText() const { return DigestText; }

std::wstring Md5Accumulator::DigestOfBytes(const ByteBuffer& bytes) const {
    Md5Accumulator fresh;
    fresh.Reset();
    fresh.UpdateFromBytes(bytes, static_cast<std::uint32_t>(bytes.size()));
    fresh.Finish();
    return fresh.ResultText();
}
