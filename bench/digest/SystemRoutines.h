#pragma once
#include <cstdint>
#include <memory>
#include <string>

// A digest fed chunk by chunk, ours or the system's, as the benchmark drives it.
class ChunkDigest {
public:
    virtual ~ChunkDigest() = default;
    virtual void Reset() = 0;
    virtual void Update(const std::uint8_t* data, std::uint32_t length) = 0;
    virtual std::wstring FinishText() = 0;
};

// Windows' own routines, for reference.
std::unique_ptr<ChunkDigest> MakeSystemMd5();
std::unique_ptr<ChunkDigest> MakeSystemSha1();
std::unique_ptr<ChunkDigest> MakeSystemCrc32();
