#include "ReportTestSupport.h"

#include <wincrypt.h>

#include <cstdio>

RecordingOutput::RecordingOutput() : changed_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
RecordingOutput::~RecordingOutput() { CloseHandle(changed_); }

void RecordingOutput::AppendToReport(const std::wstring& text)
{
    {
        std::lock_guard guard(lock_);
        appended_.push_back(text);
        if (text == L"\r\n") ++entries_;
    }
    SetEvent(changed_);
}

void RecordingOutput::SetProgress(int position)
{
    if (onProgress) onProgress(position);
    std::lock_guard guard(lock_);
    positions_.push_back(position);
}

bool RecordingOutput::WaitForEntries(int count, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        {
            std::lock_guard guard(lock_);
            if (entries_ >= count) return true;
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return false;
        WaitForSingleObject(changed_, static_cast<DWORD>(deadline - now));
    }
}

std::vector<std::wstring> RecordingOutput::Appended()
{
    std::lock_guard guard(lock_);
    return appended_;
}

std::vector<int> RecordingOutput::Positions()
{
    std::lock_guard guard(lock_);
    return positions_;
}

ScratchFolder::ScratchFolder()
{
    static int made = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + L"velquin-report-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++made);
    CreateDirectoryW(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder()
{
    for (const std::wstring& file : files_) DeleteFileW(file.c_str());
    RemoveDirectoryW(path_.c_str());
}

std::wstring ScratchFolder::Write(const std::wstring& name, const std::vector<std::uint8_t>& content)
{
    const std::wstring path = path_ + L"\\" + name;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    if (!content.empty()) WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    files_.push_back(path);
    return path;
}

std::vector<std::uint8_t> PatternBytes(std::size_t length)
{
    std::vector<std::uint8_t> bytes(length);
    std::uint32_t state = 0x9E3779B9u;
    for (std::uint8_t& byte : bytes) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(state >> 24);
    }
    return bytes;
}

namespace {

std::wstring UpperHex(const BYTE* bytes, DWORD length)
{
    std::wstring text;
    wchar_t pair[3];
    for (DWORD i = 0; i < length; ++i) {
        swprintf(pair, 3, L"%02X", bytes[i]);
        text += pair;
    }
    return text;
}

std::wstring CryptoApiDigest(ALG_ID algorithm, const std::vector<std::uint8_t>& bytes)
{
    HCRYPTPROV provider = 0;
    HCRYPTHASH hash = 0;
    BYTE value[64];
    DWORD length = sizeof value;
    CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT);
    CryptCreateHash(provider, algorithm, 0, 0, &hash);
    CryptHashData(hash, bytes.data(), static_cast<DWORD>(bytes.size()), 0);
    CryptGetHashParam(hash, HP_HASHVAL, value, &length, 0);
    CryptDestroyHash(hash);
    CryptReleaseContext(provider, 0);
    return UpperHex(value, length);
}

}  // namespace

std::wstring SystemMd5(const std::vector<std::uint8_t>& bytes) { return CryptoApiDigest(CALG_MD5, bytes); }
std::wstring SystemSha1(const std::vector<std::uint8_t>& bytes) { return CryptoApiDigest(CALG_SHA1, bytes); }

std::wstring SystemCrc32(const std::vector<std::uint8_t>& bytes)
{
    using Crc32Routine = DWORD(WINAPI*)(DWORD, const BYTE*, INT);
    auto crc32 = reinterpret_cast<Crc32Routine>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlComputeCrc32")));
    wchar_t text[9];
    swprintf(text, 9, L"%X", crc32(0, bytes.data(), static_cast<INT>(bytes.size())));
    return text;
}

FILETIME UtcFileTime(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    SYSTEMTIME fields{year, month, 0, day, hour, minute, second, 0};
    FILETIME stamp{};
    SystemTimeToFileTime(&fields, &stamp);
    return stamp;
}
