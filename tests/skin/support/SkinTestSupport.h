#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "skin/SkinFormat.h"

// A skin named "test" whose every colour differs from the others and from
// anything the system would paint, so a pixel tells which role painted it.
Skin DistinctTestSkin();

struct BadSkinFile {
  std::string what;
  std::vector<std::uint8_t> bytes;
  std::string key;
};
// Damaged, truncated and otherwise unacceptable variants of DistinctTestSkin's file.
std::vector<BadSkinFile> BadSkinFiles();

std::string ReadTextFile(const char* path);
std::vector<std::uint8_t> ReadBinaryFile(const std::wstring& path);
bool WriteBinaryFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes);
std::wstring TempFilePath(const std::wstring& name);  // in a folder of this process's own
void RemoveTempFiles();  // that folder with its files
std::wstring Widen(const std::string& text);

// Runs the message loop of the calling thread until done() holds or the time
// runs out; false on timeout. dialog, when given, gets IsDialogMessage.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs, HWND dialog = nullptr);

// Runs body on a thread of its own: a thread's skin stays with it for good.
void RunOnFreshThread(const std::function<void()>& body);

COLORREF ClientPixel(HWND window, int x, int y);  // from the window's client DC
COLORREF FramePixel(HWND window, int x, int y);   // from its whole-window DC
COLORREF ScreenPixel(POINT at);
