#include "digest/DigestText.h"

#include "digest/Crc32Accumulator.h"
#include "digest/Sha1Accumulator.h"

namespace {

constexpr wchar_t HexDigits[] = L"0123456789ABCDEF";

}  // namespace

std::wstring BytesToHexText(const std::uint8_t* bytes, std::size_t count, bool compact) {
    std::wstring text;
    if (count == 0) return text;
    text.reserve(compact ? 2 * count : 3 * count - 1);
    for (std::size_t i = 0; i < count; ++i) {
        if (!compact && i != 0) text += L' ';
        text += HexDigits[bytes[i] >> 4];
        text += HexDigits[bytes[i] & 0xF];
    }
    return text;
}

std::wstring BytesToHexText(const ByteBuffer& bytes, bool compact) {
    return BytesToHexText(bytes.data(), bytes.size(), compact);
}

std::wstring UnsignedToHexText(std::uint32_t value) {
    wchar_t digits[8];
    int count = 0;
    do {
        digits[count++] = HexDigits[value & 0xF];
        value >>= 4;
    } while (value != 0);
    std::wstring text;
    while (count != 0) text += digits[--count];
    return text;
}

std::wstring Sha1OfBytes(const ByteBuffer& bytes) {
    Sha1Accumulator sha1;
    sha1.Reset();
    sha1.UpdateFromBytes(bytes, static_cast<std::uint32_t>(bytes.size()));
    sha1.Finish();
    return sha1.ResultText();
}

std::wstring Crc32Text(const ByteBuffer& bytes) {
    Crc32Accumulator crc32;
    crc32.Reset();
    crc32.UpdateFromBytes(bytes, static_cast<std::uint32_t>(bytes.size()));
    crc32.Finish();
    return crc32.ResultText();
}
