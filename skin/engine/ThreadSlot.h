#pragma once
#include <windows.h>

// One pointer per thread, in a slot of the system's thread-local storage. The
// engine keeps its per-thread state here rather than in thread_local
// variables, which mingw emulates with a runtime of its own that would
// outweigh the rest of the library.
template <typename Pointer>
class ThreadSlot {
 public:
  ThreadSlot() : index_(TlsAlloc()) {}
  ~ThreadSlot() {
    if (index_ != TLS_OUT_OF_INDEXES) TlsFree(index_);
  }
  ThreadSlot(const ThreadSlot&) = delete;
  ThreadSlot& operator=(const ThreadSlot&) = delete;

  // Null on a thread that has set nothing, or when the system had no slot to give.
  Pointer get() const { return index_ == TLS_OUT_OF_INDEXES ? nullptr : static_cast<Pointer>(TlsGetValue(index_)); }
  bool set(Pointer value) { return index_ != TLS_OUT_OF_INDEXES && TlsSetValue(index_, value); }

 private:
  DWORD index_;
};
