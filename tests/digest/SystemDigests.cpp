#include "SystemDigests.h"

#include <windows.h>
#include <wincrypt.h>

#include <gtest/gtest.h>

#include "digest/DigestText.h"
#include "digest/Md5Accumulator.h"

namespace {

template <typename Routine>
Routine SystemRoutine(const wchar_t* library, const char* name) {
    HMODULE module = LoadLibraryW(library);
    EXPECT_NE(module, nullptr) << "cannot load " << name;
    auto routine = reinterpret_cast<Routine>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    EXPECT_NE(routine, nullptr) << "cannot find " << name;
    return routine;
}

// Wine's CryptHashData gives a wrong SHA-1 for one call of 512 MiB or more.
constexpr std::size_t CryptoApiPiece = 64u << 20;

}  // namespace

const SystemMd5Routines& SystemMd5() {
    static const SystemMd5Routines routines = {
        SystemRoutine<decltype(SystemMd5Routines::Init)>(L"cryptdll.dll", "MD5Init"),
        SystemRoutine<decltype(SystemMd5Routines::Update)>(L"cryptdll.dll", "MD5Update"),
        SystemRoutine<decltype(SystemMd5Routines::Final)>(L"cryptdll.dll", "MD5Final"),
    };
    return routines;
}

std::wstring SystemMd5Text(const std::uint8_t* data, std::size_t length) {
    Md5Context context{};
    SystemMd5().Init(&context);
    SystemMd5().Update(&context, data, static_cast<unsigned int>(length));
    SystemMd5().Final(&context);
    return BytesToHexText(context.Digest, sizeof context.Digest, true);
}

std::wstring SystemSha1Text(const std::uint8_t* data, std::size_t length) {
    // One provider for the whole run: acquiring one takes milliseconds.
    static const HCRYPTPROV provider = [] {
        HCRYPTPROV acquired = 0;
        EXPECT_TRUE(CryptAcquireContextW(&acquired, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT));
        return acquired;
    }();
    HCRYPTHASH hash = 0;
    EXPECT_TRUE(CryptCreateHash(provider, CALG_SHA1, 0, 0, &hash));
    do {
        const std::size_t piece = length < CryptoApiPiece ? length : CryptoApiPiece;
        EXPECT_TRUE(CryptHashData(hash, data, static_cast<DWORD>(piece), 0));
        data += piece;
        length -= piece;
    } while (length != 0);
    std::uint8_t value[20] = {};
    DWORD valueLength = sizeof value;
    EXPECT_TRUE(CryptGetHashParam(hash, HP_HASHVAL, value, &valueLength, 0));
    CryptDestroyHash(hash);
    return BytesToHexText(value, valueLength, true);
}

std::uint32_t SystemCrc32(const std::uint8_t* data, std::size_t length) {
    using Crc32Routine = DWORD(WINAPI*)(DWORD, const BYTE*, INT);
    static const auto compute = SystemRoutine<Crc32Routine>(L"ntdll.dll", "RtlComputeCrc32");
    return compute(0, data, static_cast<INT>(length));
}
