#include "digest/Crc32Accumulator.h"

#include "digest/DigestEngines.h"
#include "digest/DigestText.h"

void Crc32Accumulator::Reset() {
    Register = 0xFFFFFFFFu;
    FinalValue = 0;
    DigestText.clear();
}

void Crc32Accumulator::UpdateFromAddress(const void* address, std::uint32_t length) {
    if (length == 0) return;
    Register = ActiveCrc32()(Register, static_cast<const std::uint8_t*>(address), length);
}

void Crc32Accumulator::UpdateFromBytes(const ByteBuffer& bytes, std::uint32_t length) {
    UpdateFromAddress(bytes.empty() ? nullptr : bytes.data(), length);
}

void Crc32Accumulator::Finish() {
    FinalValue = Register ^ 0xFFFFFFFFu;
    DigestText = UnsignedToHexText(FinalValue);
}

std::wstring Crc32Accumulator::ResultText() const { return DigestText; }
