#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// The digests as Windows' own routines compute them, as upper-case hex text
// in the forms the program writes; an independent check of our routines.
std::wstring SystemMd5Text(const std::uint8_t* data, std::size_t length);

// cryptdll's own MD5 routines, which work on the record Md5Context lays out.
struct Md5Context;
struct SystemMd5Routines {
    void(__stdcall* Init)(Md5Context*);
    void(__stdcall* Update)(Md5Context*, const unsigned char*, unsigned int);
    void(__stdcall* Final)(Md5Context*);
};
const SystemMd5Routines& SystemMd5();
std::wstring SystemSha1Text(const std::uint8_t* data, std::size_t length);
std::uint32_t SystemCrc32(const std::uint8_t* data, std::size_t length);
