#include "SystemRoutines.h"

#include <windows.h>
#include <wincrypt.h>

#include "digest/DigestText.h"
#include "digest/Md5Accumulator.h"

namespace {

void* SystemRoutine(const wchar_t* library, const char* name) {
    HMODULE module = LoadLibraryW(library);
    return module ? reinterpret_cast<void*>(GetProcAddress(module, name)) : nullptr;
}

class SystemMd5 : public ChunkDigest {
    using ContextRoutine = void(WINAPI*)(Md5Context*);
    using UpdateRoutine = void(WINAPI*)(Md5Context*, const unsigned char*, unsigned int);
    ContextRoutine init = reinterpret_cast<ContextRoutine>(SystemRoutine(L"cryptdll.dll", "MD5Init"));
    UpdateRoutine update = reinterpret_cast<UpdateRoutine>(SystemRoutine(L"cryptdll.dll", "MD5Update"));
    ContextRoutine final = reinterpret_cast<ContextRoutine>(SystemRoutine(L"cryptdll.dll", "MD5Final"));
    Md5Context context{};

public:
    void Reset() override { init(&context); }
    void Update(const std::uint8_t* data, std::uint32_t length) override { update(&context, data, length); }
    std::wstring FinishText() override {
        final(&context);
        return BytesToHexText(context.Digest, sizeof context.Digest, true);
    }
};

class SystemSha1 : public ChunkDigest {
    HCRYPTPROV provider = 0;
    HCRYPTHASH hash = 0;

public:
    SystemSha1() { CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT); }
    ~SystemSha1() override {
        if (hash) CryptDestroyHash(hash);
        if (provider) CryptReleaseContext(provider, 0);
    }
    void Reset() override {
        if (hash) CryptDestroyHash(hash);
        hash = 0;
        CryptCreateHash(provider, CALG_SHA1, 0, 0, &hash);
    }
    void Update(const std::uint8_t* data, std::uint32_t length) override { CryptHashData(hash, data, length, 0); }
    std::wstring FinishText() override {
        std::uint8_t value[20] = {};
        DWORD valueLength = sizeof value;
        if (!CryptGetHashParam(hash, HP_HASHVAL, value, &valueLength, 0)) return L"";
        return BytesToHexText(value, valueLength, true);
    }
};

class SystemCrc32 : public ChunkDigest {
    using ComputeRoutine = DWORD(WINAPI*)(DWORD, const BYTE*, INT);
    ComputeRoutine compute = reinterpret_cast<ComputeRoutine>(SystemRoutine(L"ntdll.dll", "RtlComputeCrc32"));
    DWORD crc = 0;

public:
    void Reset() override { crc = 0; }
    void Update(const std::uint8_t* data, std::uint32_t length) override { crc = compute(crc, data, INT(length)); }
    std::wstring FinishText() override { return UnsignedToHexText(crc); }
};

}  // namespace

std::unique_ptr<ChunkDigest> MakeSystemMd5() { return std::make_unique<SystemMd5>(); }
std::unique_ptr<ChunkDigest> MakeSystemSha1() { return std::make_unique<SystemSha1>(); }
std::unique_ptr<ChunkDigest> MakeSystemCrc32() { return std::make_unique<SystemCrc32>(); }
