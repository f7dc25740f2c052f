// The engine's one entry: reads a skin file and attaches it to the calling
// thread's windows. 0 means attached; anything else means nothing changed.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "skin/SkinFormat.h"
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

// The whole file, if it can be read and is no larger than any skin can be.
bool ReadSkinFile(const char* path, std::vector<std::uint8_t>& bytes) {
  FileHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > static_cast<LONGLONG>(kSkinMaxFileSize))
    return false;
  bytes.resize(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  return ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
         read == bytes.size();
}

}  // namespace

extern "C" int WINAPI SkinH_AttachEx(const char* skinPath, const char* key) {
  if (!skinPath) return kUnreadable;
  std::vector<std::uint8_t> bytes;
  if (!ReadSkinFile(skinPath, bytes)) return kUnreadable;
  auto skin = DecodeSkin(bytes, key ? key : "");
  if (!skin) return kInvalid;
  return AttachSkinToThread(*skin) ? kAttached : kNoHook;
}
