#pragma once
#include <cstddef>
#include <cstdint>

// The block routines behind the accumulators. The best one the processor can
// run is chosen at first use; tests and benchmarks may select another.

// Processes blockCount whole 64-byte blocks into the four MD5 chaining words.
using Md5BlocksRoutine = void (*)(std::uint32_t state[4], const std::uint8_t* blocks, std::size_t blockCount);
// Processes blockCount whole 64-byte blocks into the five SHA-1 chaining words.
using Sha1BlocksRoutine = void (*)(std::uint32_t state[5], const std::uint8_t* blocks, std::size_t blockCount);
// Advances a CRC-32 register (already inverted, as the checksum keeps it) over length bytes.
using Crc32Routine = std::uint32_t (*)(std::uint32_t crc, const std::uint8_t* data, std::size_t length);

enum class Md5Engine { Portable };
enum class Sha1Engine { Portable, Ssse3, Avx2, ShaExtensions };
enum class Crc32Engine { Slicing8, Slicing16, Pclmul, Vpclmul256, Vpclmul512 };

inline constexpr Md5Engine AllMd5Engines[] = {Md5Engine::Portable};
inline constexpr Sha1Engine AllSha1Engines[] = {Sha1Engine::Portable, Sha1Engine::Ssse3, Sha1Engine::Avx2,
                                                Sha1Engine::ShaExtensions};
inline constexpr Crc32Engine AllCrc32Engines[] = {Crc32Engine::Slicing8, Crc32Engine::Slicing16, Crc32Engine::Pclmul,
                                                  Crc32Engine::Vpclmul256, Crc32Engine::Vpclmul512};

const char* EngineName(Md5Engine engine);
const char* EngineName(Sha1Engine engine);
const char* EngineName(Crc32Engine engine);

// Whether this processor and system can run the engine.
bool IsEngineAvailable(Md5Engine engine);
bool IsEngineAvailable(Sha1Engine engine);
bool IsEngineAvailable(Crc32Engine engine);

// Makes the engine the one every accumulator uses from now on; false, and no
// change, when it cannot run here. Not for use while another thread hashes.
bool SelectEngine(Md5Engine engine);
bool SelectEngine(Sha1Engine engine);
bool SelectEngine(Crc32Engine engine);
// Returns to the automatic choice.
void SelectBestEngines();

Md5Engine ActiveMd5Engine();
Sha1Engine ActiveSha1Engine();
Crc32Engine ActiveCrc32Engine();

Md5BlocksRoutine ActiveMd5Blocks();
Sha1BlocksRoutine ActiveSha1Blocks();
Crc32Routine ActiveCrc32();
