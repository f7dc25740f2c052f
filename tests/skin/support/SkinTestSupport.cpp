#include "support/SkinTestSupport.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <thread>

Skin DistinctTestSkin() {
  Skin skin;
  skin.name = "test";
  for (std::size_t i = 0; i < kSkinColorCount; ++i)
    skin.colors[i] = RGB(20 + 9 * i, 200 - 7 * i, 90 + 5 * i);
  skin.metrics[static_cast<std::size_t>(SkinMetric::ProgressBlock)] = 6;
  skin.metrics[static_cast<std::size_t>(SkinMetric::ProgressGap)] = 3;
  return skin;
}

namespace {

void PutU16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value) {
  bytes[at] = static_cast<std::uint8_t>(value);
  bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}
void PutU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  PutU16(bytes, at, static_cast<std::uint16_t>(value));
  PutU16(bytes, at + 2, static_cast<std::uint16_t>(value >> 16));
}
// Keeps the size and checksum right after a change, so that only the change is wrong.
std::vector<std::uint8_t> Resealed(std::vector<std::uint8_t> bytes) {
  PutU32(bytes, 8, static_cast<std::uint32_t>(bytes.size()));
  PutU32(bytes, 12, SkinCrc32(std::span(bytes).subspan(kSkinHeaderSize)));
  return bytes;
}

}  // namespace

std::vector<BadSkinFile> BadSkinFiles() {
  const std::vector<std::uint8_t> good = *EncodeSkin(DistinctTestSkin());
  const std::size_t firstEntry = kSkinHeaderSize;             // the name, 4 + 4 bytes
  const std::size_t firstColor = firstEntry + 8;              // id, length, 4 bytes of colour
  auto changed = [&](auto change) {
    std::vector<std::uint8_t> bytes = good;
    change(bytes);
    return bytes;
  };
  std::vector<BadSkinFile> files = {
      {"empty", {}, ""},
      {"wrong magic", changed([](auto& b) { b[1] = 's'; }), ""},
      {"header only", {good.begin(), good.begin() + kSkinHeaderSize}, ""},
      {"cut inside an entry", {good.begin(), good.end() - 3}, ""},
      {"cut inside the header", {good.begin(), good.begin() + 10}, ""},
      {"later version", Resealed(changed([](auto& b) { PutU16(b, 4, 2); })), ""},
      {"size field larger than the file", changed([](auto& b) { PutU32(b, 8, 0xFFFFFFF0); }), ""},
      {"one byte flipped", changed([](auto& b) { b[40] ^= 0x10; }), ""},
      {"entry length past the end", Resealed(changed([&](auto& b) { PutU16(b, firstColor + 2, 0xFFFF); })), ""},
      {"unknown entry", Resealed(changed([&](auto& b) { PutU16(b, firstColor, 0x0777); })), ""},
      {"entry given twice", Resealed(changed([&](auto& b) { PutU16(b, firstColor + 8, 0x0100); })), ""},
      {"colour out of range", Resealed(changed([&](auto& b) { b[firstColor + 7] = 1; })), ""},
      {"metric out of range", Resealed(changed([](auto& b) { PutU16(b, b.size() - 2, 999); })), ""},
      {"too many entries", Resealed(changed([](auto& b) { PutU16(b, 6, 200); })), ""},
      {"bytes after the last entry", Resealed(changed([](auto& b) { b.push_back(0); })), ""},
      {"absurdly large", Resealed(changed([](auto& b) { b.resize(kSkinMaxFileSize + 1); })), ""},
      {"another skin's key", good, "win8"},
  };
  return files;
}

std::string ReadTextFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> ReadBinaryFile(const std::wstring& path) {
  std::vector<std::uint8_t> bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  bytes.resize(GetFileSize(file, nullptr));
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  bytes.resize(read);
  CloseHandle(file);
  return bytes;
}

bool WriteBinaryFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size();
  CloseHandle(file);
  return ok;
}

namespace {

std::wstring TempFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  return std::wstring(temp) + L"velquin-skin-" + std::to_wstring(GetCurrentProcessId());
}

}  // namespace

std::wstring TempFilePath(const std::wstring& name) {
  std::wstring folder = TempFolder();
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder + L"\\" + name;
}

void RemoveTempFiles() {
  std::wstring folder = TempFolder();
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs, HWND dialog) {
  DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (dialog && IsDialogMessageW(dialog, &message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (done()) return true;
    DWORD elapsed = GetTickCount() - start;
    if (elapsed >= timeoutMs) return false;
    // Wakes for the next message; the short cap re-checks conditions that
    // change without one (a file, another process).
    MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(timeoutMs - elapsed, 20), QS_ALLINPUT);
  }
}

void RunOnFreshThread(const std::function<void()>& body) { std::thread(body).join(); }

COLORREF ClientPixel(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  COLORREF color = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return color;
}

COLORREF FramePixel(HWND window, int x, int y) {
  HDC dc = GetWindowDC(window);
  COLORREF color = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return color;
}

COLORREF ScreenPixel(POINT at) {
  HDC dc = GetDC(nullptr);
  COLORREF color = GetPixel(dc, at.x, at.y);
  ReleaseDC(nullptr, dc);
  return color;
}
