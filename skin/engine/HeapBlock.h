#pragma once
#include <windows.h>

#include <cstddef>

// A block of the process heap, freed with its owner. The engine allocates
// through the system rather than the C++ runtime, which it does not carry.
class HeapBlock {
 public:
  explicit HeapBlock(std::size_t size)
      : data_(HeapAlloc(GetProcessHeap(), 0, size)), size_(data_ ? size : 0) {}
  ~HeapBlock() {
    if (data_) HeapFree(GetProcessHeap(), 0, data_);
  }
  HeapBlock(const HeapBlock&) = delete;
  HeapBlock& operator=(const HeapBlock&) = delete;

  explicit operator bool() const { return data_ != nullptr; }
  void* data() const { return data_; }
  std::size_t size() const { return size_; }

 private:
  void* data_;
  std::size_t size_;
};
