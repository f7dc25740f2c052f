#pragma once

// What the processor offers and the system saves on a thread switch, read once.
struct CpuFeatures {
    bool Sse2 = false;
    bool Ssse3 = false;
    bool Sse41 = false;
    bool Pclmul = false;
    bool ShaExtensions = false;
    bool Avx = false;  // only with the system's consent through xgetbv
    bool Avx2 = false;
    bool Bmi = false;  // BMI1 and BMI2
    bool Avx512 = false;  // F and VL, with the system saving the ZMM state
    bool Vpclmul = false;  // carry-less multiply on YMM/ZMM registers
};

const CpuFeatures& TheCpuFeatures();
