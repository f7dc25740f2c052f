#include "digest/DigestEngines.h"

#include "digest/BlockRoutines.h"
#include "digest/CpuFeatures.h"

namespace {

struct ActiveEngines {
    Md5Engine Md5 = Md5Engine::Portable;
    Sha1Engine Sha1 = Sha1Engine::Portable;
    Crc32Engine Crc32 = Crc32Engine::Slicing16;
    Md5BlocksRoutine Md5Blocks = Md5BlocksPortable;
    Sha1BlocksRoutine Sha1Blocks = Sha1BlocksPortable;
    Crc32Routine Crc32Update = Crc32Slicing16;
};

Md5BlocksRoutine RoutineOf(Md5Engine) { return Md5BlocksPortable; }

Sha1BlocksRoutine RoutineOf(Sha1Engine engine) {
    switch (engine) {
    case Sha1Engine::Ssse3: return Sha1BlocksSsse3;
    case Sha1Engine::Avx2: return Sha1BlocksAvx2;
    case Sha1Engine::ShaExtensions: return Sha1BlocksShaExtensions;
    case Sha1Engine::Portable: break;
    }
    return Sha1BlocksPortable;
}

Crc32Routine RoutineOf(Crc32Engine engine) {
    switch (engine) {
    case Crc32Engine::Slicing8: return Crc32Slicing8;
    case Crc32Engine::Pclmul: return Crc32Pclmul;
    case Crc32Engine::Vpclmul256: return Crc32Vpclmul256;
    case Crc32Engine::Vpclmul512: return Crc32Vpclmul512;
    case Crc32Engine::Slicing16: break;
    }
    return Crc32Slicing16;
}

// The fastest first; the last of each list runs everywhere.
constexpr Sha1Engine Sha1Preference[] = {Sha1Engine::ShaExtensions, Sha1Engine::Avx2, Sha1Engine::Ssse3,
                                          Sha1Engine::Portable};
constexpr Crc32Engine Crc32Preference[] = {Crc32Engine::Vpclmul512, Crc32Engine::Vpclmul256, Crc32Engine::Pclmul,
                                           Crc32Engine::Slicing16};

template <typename Engine, std::size_t Count>
Engine FirstAvailable(const Engine (&preference)[Count]) {
    for (Engine engine : preference)
        if (IsEngineAvailable(engine)) return engine;
    return preference[Count - 1];
}

ActiveEngines BestEngines() {
    ActiveEngines best;
    best.Sha1 = FirstAvailable(Sha1Preference);
    best.Sha1Blocks = RoutineOf(best.Sha1);
    best.Crc32 = FirstAvailable(Crc32Preference);
    best.Crc32Update = RoutineOf(best.Crc32);
    return best;
}

ActiveEngines& Active() {
    static ActiveEngines engines = BestEngines();
    return engines;
}

}  // namespace

const char* EngineName(Md5Engine) { return "portable"; }

const char* EngineName(Sha1Engine engine) {
    switch (engine) {
    case Sha1Engine::Portable: return "portable";
    case Sha1Engine::Ssse3: return "ssse3";
    case Sha1Engine::Avx2: return "avx2-bmi2";
    case Sha1Engine::ShaExtensions: return "sha-ni";
    }
    return "?";
}

const char* EngineName(Crc32Engine engine) {
    switch (engine) {
    case Crc32Engine::Slicing8: return "slicing-by-8";
    case Crc32Engine::Slicing16: return "slicing-by-16";
    case Crc32Engine::Pclmul: return "pclmulqdq";
    case Crc32Engine::Vpclmul256: return "vpclmulqdq-avx2";
    case Crc32Engine::Vpclmul512: return "vpclmulqdq-avx512";
    }
    return "?";
}

bool IsEngineAvailable(Md5Engine) { return true; }

bool IsEngineAvailable(Sha1Engine engine) {
    switch (engine) {
    case Sha1Engine::Portable: return true;
    case Sha1Engine::Ssse3: return TheCpuFeatures().Ssse3;
    case Sha1Engine::Avx2: return TheCpuFeatures().Avx2 && TheCpuFeatures().Bmi;
    case Sha1Engine::ShaExtensions: return TheCpuFeatures().ShaExtensions;
    }
    return false;
}

bool IsEngineAvailable(Crc32Engine engine) {
    switch (engine) {
    case Crc32Engine::Slicing8:
    case Crc32Engine::Slicing16: return true;
    case Crc32Engine::Pclmul: return TheCpuFeatures().Pclmul && TheCpuFeatures().Sse41;
    case Crc32Engine::Vpclmul256: return TheCpuFeatures().Vpclmul && TheCpuFeatures().Avx2;
    case Crc32Engine::Vpclmul512: return TheCpuFeatures().Vpclmul && TheCpuFeatures().Avx512;
    }
    return false;
}

bool SelectEngine(Md5Engine engine) {
    Active().Md5 = engine;
    Active().Md5Blocks = RoutineOf(engine);
    return true;
}

bool SelectEngine(Sha1Engine engine) {
    if (!IsEngineAvailable(engine)) return false;
    Active().Sha1 = engine;
    Active().Sha1Blocks = RoutineOf(engine);
    return true;
}

bool SelectEngine(Crc32Engine engine) {
    if (!IsEngineAvailable(engine)) return false;
    Active().Crc32 = engine;
    Active().Crc32Update = RoutineOf(engine);
    return true;
}

void SelectBestEngines() { Active() = BestEngines(); }

Md5Engine ActiveMd5Engine() { return Active().Md5; }
Sha1Engine ActiveSha1Engine() { return Active().Sha1; }
Crc32Engine ActiveCrc32Engine() { return Active().Crc32; }

Md5BlocksRoutine ActiveMd5Blocks() { return Active().Md5Blocks; }
Sha1BlocksRoutine ActiveSha1Blocks() { return Active().Sha1Blocks; }
Crc32Routine ActiveCrc32() { return Active().Crc32Update; }
