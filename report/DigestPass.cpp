#include "report/DigestPass.h"

#include "digest/Crc32Accumulator.h"
#include "digest/Md5Accumulator.h"
#include "digest/Sha1Accumulator.h"
#include "report/ChunkRing.h"
#include "report/TrimWorkingSet.h"

namespace {

// The reading side of the pass: reads each chunk and feeds it to SHA-1 and
// CRC-32, so that the MD5 side, the slowest digest, only hashes.
class ChunkReader {
public:
    ChunkReader(HANDLE file, std::uint64_t size) : file_(file), size_(size)
    {
        sha1.Reset();
        crc32.Reset();
    }

    ChunkRing::Chunk ReadInto(std::byte* buffer)
    {
        TrimWorkingSet();
        DWORD length = 0;
        // A failed read counts as one that yields nothing: the pass ends
        // rather than trying the same read again.
        if (!ReadFile(file_, buffer, ReportChunkSize, &length, nullptr)) length = 0;
        total_ += length;
        sha1.UpdateFromAddress(buffer, length);
        crc32.UpdateFromAddress(buffer, length);
        return {length, length == 0 || total_ >= size_};
    }

    bool WholeFileRead() const { return total_ == size_; }

    Sha1Accumulator sha1;
    Crc32Accumulator crc32;

private:
    HANDLE file_;
    std::uint64_t size_;
    std::uint64_t total_ = 0;
};

// The MD5 side: hashes the chunks in order and moves the progress bar.
class Md5Side {
public:
    Md5Side(std::uint64_t size, ReportOutput& progress) : size_(size), progress_(progress) { md5.Reset(); }

    void Hash(const std::byte* buffer, std::uint32_t length)
    {
        total_ += length;
        progress_.SetProgress(ProgressPosition(total_, size_));
        md5.UpdateFromAddress(buffer, length);
    }

    Md5Accumulator md5;

private:
    std::uint64_t size_;
    std::uint64_t total_ = 0;
    ReportOutput& progress_;
};

struct Pipeline {
    ChunkRing& ring;
    ChunkReader& reader;
};

DWORD WINAPI FillRing(void* parameter)
{
    Pipeline& pipeline = *static_cast<Pipeline*>(parameter);
    for (;;) {
        const int slot = pipeline.ring.WaitForFreeSlot();
        const ChunkRing::Chunk chunk = pipeline.reader.ReadInto(pipeline.ring.Buffer(slot));
        pipeline.ring.Publish(slot, chunk);
        if (chunk.last) return 0;
    }
}

void DrainRing(ChunkRing& ring, Md5Side& md5Side)
{
    for (;;) {
        ChunkRing::Chunk chunk;
        const int slot = ring.WaitForFilledSlot(chunk);
        md5Side.Hash(ring.Buffer(slot), chunk.length);
        ring.ReleaseDrained();
        if (chunk.last) return;
    }
}

// Without a second thread the same steps run one after the other.
void RunOneAfterTheOther(ChunkRing& ring, ChunkReader& reader, Md5Side& md5Side)
{
    for (;;) {
        const ChunkRing::Chunk chunk = reader.ReadInto(ring.Buffer(0));
        md5Side.Hash(ring.Buffer(0), chunk.length);
        if (chunk.last) return;
    }
}

}  // namespace

int ProgressPosition(std::uint64_t total, std::uint64_t size)
{
    if (size == 0) return 0;
    // Stored to round the quotient to a double: the x87 unit would otherwise
    // keep its 80 bits, and 29 chunks of 500 MiB would show 29 instead of 28.
    volatile double quotient = static_cast<double>(total) / static_cast<double>(size);
    return static_cast<int>(quotient * 100.0);
}

DigestPassResult RunDigestPass(HANDLE file, std::uint64_t size, ReportOutput& progress)
{
    DigestPassResult result;
    ChunkRing ring(ReportChunkSize);
    if (!ring.Usable()) return result;

    ChunkReader reader(file, size);
    Md5Side md5Side(size, progress);
    Pipeline pipeline{ring, reader};
    if (HANDLE filler = CreateThread(nullptr, 0, FillRing, &pipeline, 0, nullptr)) {
        DrainRing(ring, md5Side);
        WaitForSingleObject(filler, INFINITE);
        CloseHandle(filler);
    } else {
        RunOneAfterTheOther(ring, reader, md5Side);
    }

    md5Side.md5.Finish();
    reader.sha1.Finish();
    reader.crc32.Finish();
    result.wholeFileRead = reader.WholeFileRead();
    result.md5 = md5Side.md5.ResultText();
    result.sha1 = reader.sha1.ResultText();
    result.crc32 = reader.crc32.ResultText();
    return result;
}
