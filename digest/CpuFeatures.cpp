#include "digest/CpuFeatures.h"

#include <windows.h>

#include <cstdint>

#if defined(_MSC_VER) && !defined(__clang__)
#include <intrin.h>
#else
#include <cpuid.h>
#endif

namespace {

struct CpuidResult {
    std::uint32_t Eax = 0, Ebx = 0, Ecx = 0, Edx = 0;
};

std::uint32_t HighestCpuidLeaf() {
#if defined(_MSC_VER) && !defined(__clang__)
    int registers[4];
    __cpuid(registers, 0);
    return static_cast<std::uint32_t>(registers[0]);
#else
    // Also tells whether the processor has CPUID at all (0 if not).
    return __get_cpuid_max(0, nullptr);
#endif
}

CpuidResult Cpuid(std::uint32_t leaf, std::uint32_t subleaf) {
    CpuidResult result;
#if defined(_MSC_VER) && !defined(__clang__)
    int registers[4];
    __cpuidex(registers, static_cast<int>(leaf), static_cast<int>(subleaf));
    result = {std::uint32_t(registers[0]), std::uint32_t(registers[1]), std::uint32_t(registers[2]),
              std::uint32_t(registers[3])};
#else
    __cpuid_count(leaf, subleaf, result.Eax, result.Ebx, result.Ecx, result.Edx);
#endif
    return result;
}

// Only valid once CPUID has reported OSXSAVE.
std::uint64_t ReadExtendedControlRegister0() {
#if defined(_MSC_VER) && !defined(__clang__)
    return _xgetbv(0);
#else
    std::uint32_t low, high;
    __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
    return (std::uint64_t(high) << 32) | low;
#endif
}

bool Bit(std::uint32_t value, int bit) { return (value >> bit) & 1; }

CpuFeatures Detect() {
    CpuFeatures features;
    const std::uint32_t highestLeaf = HighestCpuidLeaf();
    if (highestLeaf < 1) return features;
    const CpuidResult leaf1 = Cpuid(1, 0);
    // The processor having SSE says nothing of whether the system saves the
    // XMM registers on a thread switch; Windows answers that.
    const bool systemSavesXmm = IsProcessorFeaturePresent(PF_XMMI64_INSTRUCTIONS_AVAILABLE) != FALSE;
    features.Sse2 = Bit(leaf1.Edx, 26) && systemSavesXmm;
    features.Ssse3 = features.Sse2 && Bit(leaf1.Ecx, 9);
    features.Sse41 = features.Ssse3 && Bit(leaf1.Ecx, 19);
    features.Pclmul = features.Sse2 && Bit(leaf1.Ecx, 1);
    // AVX registers are only safe when the system saves them on a thread
    // switch, which XCR0 tells; the processor bits alone are not enough.
    std::uint64_t savedState = 0;
    if (Bit(leaf1.Ecx, 27)) savedState = ReadExtendedControlRegister0();  // OSXSAVE
    features.Avx = features.Sse41 && Bit(leaf1.Ecx, 28) && (savedState & 0x6) == 0x6;  // XMM and YMM
    const bool systemSavesZmm = (savedState & 0xE6) == 0xE6;  // and opmask and both ZMM halves
    if (highestLeaf >= 7) {
        const CpuidResult leaf7 = Cpuid(7, 0);
        features.ShaExtensions = features.Sse41 && Bit(leaf7.Ebx, 29);
        features.Avx2 = features.Avx && Bit(leaf7.Ebx, 5);
        features.Bmi = Bit(leaf7.Ebx, 3) && Bit(leaf7.Ebx, 8);
        features.Avx512 = features.Avx2 && systemSavesZmm && Bit(leaf7.Ebx, 16) && Bit(leaf7.Ebx, 31);
        features.Vpclmul = features.Avx && features.Pclmul && Bit(leaf7.Ecx, 10);
    }
    return features;
}

}  // namespace

const CpuFeatures& TheCpuFeatures() {
    static const CpuFeatures features = Detect();
    return features;
}
