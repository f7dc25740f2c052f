#include "report/ChunkRing.h"

ChunkRing::ChunkRing(std::uint32_t chunkSize) : chunkSize_(chunkSize)
{
    // Whole pages of their own: the buffers are given back to the system
    // after every job instead of lingering in the heap.
    memory_ = static_cast<std::byte*>(
        VirtualAlloc(nullptr, static_cast<SIZE_T>(chunkSize) * Slots, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    free_ = CreateSemaphoreW(nullptr, Slots, Slots, nullptr);
    filled_ = CreateSemaphoreW(nullptr, 0, Slots, nullptr);
}

ChunkRing::~ChunkRing()
{
    if (memory_ != nullptr) VirtualFree(memory_, 0, MEM_RELEASE);
    if (free_ != nullptr) CloseHandle(free_);
    if (filled_ != nullptr) CloseHandle(filled_);
}

int ChunkRing::WaitForFreeSlot()
{
    WaitForSingleObject(free_, INFINITE);
    const int slot = nextToFill_;
    nextToFill_ = (nextToFill_ + 1) % Slots;
    return slot;
}

void ChunkRing::Publish(int slot, Chunk chunk)
{
    chunks_[slot] = chunk;
    ReleaseSemaphore(filled_, 1, nullptr);
}

int ChunkRing::WaitForFilledSlot(Chunk& chunk)
{
    WaitForSingleObject(filled_, INFINITE);
    const int slot = nextToDrain_;
    nextToDrain_ = (nextToDrain_ + 1) % Slots;
    chunk = chunks_[slot];
    return slot;
}

void ChunkRing::ReleaseDrained()
{
    ReleaseSemaphore(free_, 1, nullptr);
}
