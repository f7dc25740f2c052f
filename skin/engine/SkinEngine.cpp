// The engine's one entry: reads a skin file and attaches it to the calling
// thread's windows. 0 means attached; anything else means nothing changed.
#include <windows.h>

#include <cstdint>
#include <span>

#include "skin/SkinFormat.h"
#include "skin/engine/HeapBlock.h"
#include "skin/engine/ThreadSkin.h"

namespace {

enum AttachResult : int { kAttached = 0, kUnreadable = 1, kInvalid = 2, kNoHook = 3 };

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() { if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

// The size of a file that can be read and is no larger than any skin can be; -1 otherwise.
LONGLONG SkinFileSize(HANDLE file) {
  LARGE_INTEGER size;
  if (file == INVALID_HANDLE_VALUE || !GetFileSizeEx(file, &size) ||
      size.QuadPart > static_cast<LONGLONG>(kSkinMaxFileSize))
    return -1;
  return size.QuadPart;
}

bool ReadWhole(HANDLE file, HeapBlock& bytes) {
  DWORD read = 0;
  return ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size();
}

}  // namespace

extern "C" int WINAPI SkinH_AttachEx(const char* skinPath, const char* key) {
  if (!skinPath) return kUnreadable;
  FileHandle file(CreateFileA(skinPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  LONGLONG size = SkinFileSize(file.get());
  if (size < 0) return kUnreadable;
  HeapBlock bytes(static_cast<std::size_t>(size));
  if (!bytes || !ReadWhole(file.get(), bytes)) return kUnreadable;
  std::span<const std::uint8_t> skinFile(static_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  auto look = DecodeSkinLook(skinFile, key ? key : "");
  if (!look) return kInvalid;
  return AttachSkinToThread(*look) ? kAttached : kNoHook;
}
