#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

// Chunk buffers handed round between the thread that reads and the thread
// that hashes last, so the next chunk is read while one is hashed. The filler
// writes the slots in turn and the drainer takes them in the same order; the
// two semaphores count the free and the filled slots.
class ChunkRing {
public:
    // Two are enough while reading a chunk costs less than hashing one; a
    // third bought no speed here and costs 5 MiB of working set.
    static constexpr int Slots = 2;

    struct Chunk {
        std::uint32_t length = 0;
        bool last = false;
    };

    explicit ChunkRing(std::uint32_t chunkSize);
    ~ChunkRing();
    ChunkRing(const ChunkRing&) = delete;
    ChunkRing& operator=(const ChunkRing&) = delete;

    bool Usable() const { return memory_ != nullptr && free_ != nullptr && filled_ != nullptr; }
    std::byte* Buffer(int slot) const { return memory_ + static_cast<std::size_t>(slot) * chunkSize_; }

    // The filler: waits for a free slot, and publishes it once filled.
    int WaitForFreeSlot();
    void Publish(int slot, Chunk chunk);
    // The drainer: waits for the next filled slot, and frees it once used.
    int WaitForFilledSlot(Chunk& chunk);
    void ReleaseDrained();

private:
    std::uint32_t chunkSize_;
    std::byte* memory_ = nullptr;
    HANDLE free_ = nullptr;
    HANDLE filled_ = nullptr;
    Chunk chunks_[Slots];
    int nextToFill_ = 0;
    int nextToDrain_ = 0;
};
