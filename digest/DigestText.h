#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "digest/ByteBuffer.h"

// SHA-1 of the whole buffer as 40 upper-case hex characters.
std::wstring Sha1OfBytes(const ByteBuffer& bytes);

// CRC-32 of the whole buffer as upper-case hex without leading zeros.
std::wstring Crc32Text(const ByteBuffer& bytes);

// Two upper-case hex characters per byte; single blanks between them unless compact.
std::wstring BytesToHexText(const ByteBuffer& bytes, bool compact = false);

// The same forms for bytes that are not in a ByteBuffer.
std::wstring BytesToHexText(const std::uint8_t* bytes, std::size_t count, bool compact);
std::wstring UnsignedToHexText(std::uint32_t value);
