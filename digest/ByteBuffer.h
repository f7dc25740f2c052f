#pragma once
#include <cstdint>
#include <vector>

// A counted run of bytes; an empty buffer has length 0 and may have no storage.
using ByteBuffer = std::vector<std::uint8_t>;
