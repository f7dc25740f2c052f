#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// The digests as Windows' own routines compute them, as upper-case hex text
// in the forms the program writes; an independent check of our routines.
std::wstring SystemMd5Text(const std::uint8_t* data, std::size_t length);
std::wstring SystemSha1Text(const std::uint8_t* data, std::size_t length);
std::uint32_t SystemCrc32(const std::uint8_t* data, std::size_t length);
