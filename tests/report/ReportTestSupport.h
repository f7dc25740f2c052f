#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "report/ReportOutput.h"

// Records what report jobs write, as the window would show it.
class RecordingOutput final : public ReportOutput {
public:
    RecordingOutput();
    ~RecordingOutput();

    void AppendToReport(const std::wstring& text) override;
    void SetProgress(int position) override;

    // Waits until `count` reports or failures have been closed by their
    // empty line.
    bool WaitForEntries(int count, DWORD timeoutMs = 30000);
    std::vector<std::wstring> Appended();
    std::vector<int> Positions();

    // Runs on the job's thread at every progress call, before it is recorded.
    std::function<void(int position)> onProgress;

private:
    std::mutex lock_;
    std::vector<std::wstring> appended_;
    std::vector<int> positions_;
    int entries_ = 0;
    HANDLE changed_;
};

// A folder of its own under the temporary folder, removed with its files.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    const std::wstring& Path() const { return path_; }
    // Writes a file of the given content and returns its full path.
    std::wstring Write(const std::wstring& name, const std::vector<std::uint8_t>& content);

private:
    std::wstring path_;
    std::vector<std::wstring> files_;
};

// Bytes that differ from chunk to chunk and from one length to the next.
std::vector<std::uint8_t> PatternBytes(std::size_t length);

// Digests computed by the system (CryptoAPI and ntdll), as upper-case hex;
// CRC-32 without leading zeros.
std::wstring SystemMd5(const std::vector<std::uint8_t>& bytes);
std::wstring SystemSha1(const std::vector<std::uint8_t>& bytes);
std::wstring SystemCrc32(const std::vector<std::uint8_t>& bytes);

FILETIME UtcFileTime(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second);
