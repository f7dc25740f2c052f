#include "app/AttachSkin.h"

#include <windows.h>

#include <span>
#include <string>

#include "app/FatalError.h"

namespace {

// Fixed texts: the program does not ask the system where its Windows folder is.
constexpr wchar_t kLibraryPath[] = L"C:\\Windows\\jedata.dll";
constexpr wchar_t kSkinFilePath[] = L"C:\\Windows\\win8.she";
constexpr char kSkinFilePathA[] = "C:\\Windows\\win8.she";
constexpr wchar_t kLibraryName[] = L"jedata.dll";
constexpr char kEntryName[] = "SkinH_AttachEx";

using SkinAttachEx = int(WINAPI*)(const char* skinPath, const char* key);

// One of the two blocks the build stores in the program as RCDATA.
std::span<const BYTE> EmbeddedBlock(const wchar_t* name) {
  HRSRC found = FindResourceW(nullptr, name, MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return {};
  return {static_cast<const BYTE*>(bytes), SizeofResource(nullptr, found)};
}

// Creates or empties the file and writes the block. No sharing while it is
// open. Whatever fails, the file that stands there stays and the attach goes
// on: a second running copy has the library loaded and cannot replace it.
void WriteBlock(const wchar_t* path, std::span<const BYTE> block) {
  HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &written, nullptr);
  CloseHandle(file);
}

std::wstring ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  DWORD length;
  while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) == path.size())
    path.resize(path.size() * 2);
  path.resize(length);
  return path.substr(0, path.find_last_of(L'\\') + 1);
}

// The copy beside the program wins over the one just written.
HMODULE LoadSkinLibrary() {
  HMODULE library = LoadLibraryW((ProgramFolder() + kLibraryName).c_str());
  return library ? library : LoadLibraryW(kLibraryName);
}

}  // namespace

void AttachSkin() {
  WriteBlock(kLibraryPath, EmbeddedBlock(L"SkinLibraryImage"));
  WriteBlock(kSkinFilePath, EmbeddedBlock(L"SkinFileData"));
  HMODULE library = LoadSkinLibrary();
  FARPROC entry = library ? GetProcAddress(library, kEntryName) : nullptr;
  auto attach = reinterpret_cast<SkinAttachEx>(reinterpret_cast<void*>(entry));
  if (!attach) FatalError(L"找不到 jedata.dll 中的 SkinH_AttachEx");
  // The engine's result is not looked at: without a skin the program works as before.
  attach(kSkinFilePathA, "");
}
