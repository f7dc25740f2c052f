#include <array>
#include <cstring>

#include "digest/BlockRoutines.h"

namespace {

// Table k gives the effect of a byte followed by k zero bytes, so several
// bytes are looked up independently and the results combined with xor.
using SlicingTables = std::array<std::array<std::uint32_t, 256>, 16>;

constexpr SlicingTables MakeSlicingTables() {
    constexpr std::uint32_t reflectedPolynomial = 0xEDB88320u;
    SlicingTables tables{};
    for (std::uint32_t byte = 0; byte < 256; ++byte) {
        std::uint32_t crc = byte;
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ ((crc & 1) ? reflectedPolynomial : 0);
        tables[0][byte] = crc;
    }
    for (int k = 1; k < 16; ++k)
        for (int byte = 0; byte < 256; ++byte)
            tables[k][byte] = (tables[k - 1][byte] >> 8) ^ tables[0][tables[k - 1][byte] & 0xFF];
    return tables;
}

constexpr SlicingTables Tables = MakeSlicingTables();

inline std::uint32_t LoadLittleEndian(const std::uint8_t* bytes) {
    std::uint32_t value;
    std::memcpy(&value, bytes, 4);
    return value;
}

inline std::uint32_t LookUpWord(std::uint32_t word, int firstTable) {
    return Tables[firstTable + 3][word & 0xFF] ^ Tables[firstTable + 2][(word >> 8) & 0xFF] ^
           Tables[firstTable + 1][(word >> 16) & 0xFF] ^ Tables[firstTable][word >> 24];
}

std::uint32_t Crc32Bytewise(std::uint32_t crc, const std::uint8_t* data, std::size_t length) {
    for (; length != 0; --length) crc = (crc >> 8) ^ Tables[0][(crc ^ *data++) & 0xFF];
    return crc;
}

}  // namespace

std::uint32_t Crc32Slicing8(std::uint32_t crc, const std::uint8_t* data, std::size_t length) {
    for (; length >= 8; length -= 8, data += 8) {
        crc = LookUpWord(LoadLittleEndian(data) ^ crc, 4) ^ LookUpWord(LoadLittleEndian(data + 4), 0);
    }
    return Crc32Bytewise(crc, data, length);
}

std::uint32_t Crc32Slicing16(std::uint32_t crc, const std::uint8_t* data, std::size_t length) {
    for (; length >= 16; length -= 16, data += 16) {
        crc = LookUpWord(LoadLittleEndian(data) ^ crc, 12) ^ LookUpWord(LoadLittleEndian(data + 4), 8) ^
              LookUpWord(LoadLittleEndian(data + 8), 4) ^ LookUpWord(LoadLittleEndian(data + 12), 0);
    }
    return Crc32Slicing8(crc, data, length);
}
