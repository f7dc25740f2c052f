#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "report/ReportOutput.h"

constexpr std::uint32_t ReportChunkSize = 5'242'880;

struct DigestPassResult {
    bool wholeFileRead = false;
    std::wstring md5;
    std::wstring sha1;
    std::wstring crc32;
};

// The progress bar's position after `total` of `size` bytes: the quotient
// first, then scaled and truncated, so 29 chunks of a 500 MiB file show 28.
int ProgressPosition(std::uint64_t total, std::uint64_t size);

// One pass over an open file from its first byte, in chunks of
// ReportChunkSize, feeding every chunk to MD5, SHA-1 and CRC-32 and moving
// the progress after each. It ends when `size` bytes have been read or a read
// yields nothing; the file was read whole only in the first case.
DigestPassResult RunDigestPass(HANDLE file, std::uint64_t size, ReportOutput& progress);
