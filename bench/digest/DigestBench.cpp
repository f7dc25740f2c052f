// Hashes one file in 5 MiB chunks with every digest routine this processor
// can run, and prints one line per routine:
//   <digest> <routine> <MB/s with reading> <MB/s hashing only> <digest text>
// MB is 10^6 bytes. Usage: digest_bench <file> [passes] [md5|sha1|crc32]
#include <windows.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "SystemRoutines.h"
#include "digest/Crc32Accumulator.h"
#include "digest/DigestEngines.h"
#include "digest/Md5Accumulator.h"
#include "digest/Sha1Accumulator.h"

namespace {

constexpr DWORD ChunkSize = 5u << 20;  // what the report job reads at a time

template <typename Accumulator>
class OurDigest : public ChunkDigest {
    Accumulator accumulator;

public:
    void Reset() override { accumulator.Reset(); }
    void Update(const std::uint8_t* data, std::uint32_t length) override { accumulator.UpdateFromAddress(data, length); }
    std::wstring FinishText() override {
        accumulator.Finish();
        return accumulator.ResultText();
    }
};

struct BenchCase {
    const char* Digest;
    std::string Routine;
    std::function<bool()> Select;
    std::function<std::unique_ptr<ChunkDigest>()> Make;
};

std::vector<BenchCase> AllCases() {
    std::vector<BenchCase> cases;
    for (Md5Engine engine : AllMd5Engines)
        cases.push_back({"md5", EngineName(engine), [engine] { return SelectEngine(engine); },
                         [] { return std::make_unique<OurDigest<Md5Accumulator>>(); }});
    cases.push_back({"md5", "system", [] { return true; }, MakeSystemMd5});
    for (Sha1Engine engine : AllSha1Engines)
        cases.push_back({"sha1", EngineName(engine), [engine] { return SelectEngine(engine); },
                         [] { return std::make_unique<OurDigest<Sha1Accumulator>>(); }});
    cases.push_back({"sha1", "system", [] { return true; }, MakeSystemSha1});
    for (Crc32Engine engine : AllCrc32Engines)
        cases.push_back({"crc32", EngineName(engine), [engine] { return SelectEngine(engine); },
                         [] { return std::make_unique<OurDigest<Crc32Accumulator>>(); }});
    cases.push_back({"crc32", "system", [] { return true; }, MakeSystemCrc32});
    return cases;
}

class Stopwatch {
    LARGE_INTEGER frequency{}, start{};

public:
    Stopwatch() {
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
    }
    double Seconds() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return double(now.QuadPart - start.QuadPart) / double(frequency.QuadPart);
    }
};

struct PassResult {
    double TotalSeconds = 0, HashSeconds = 0;
    unsigned long long Bytes = 0;
    std::wstring Text;
};

PassResult HashFile(HANDLE file, ChunkDigest& digest, std::vector<std::uint8_t>& chunk) {
    PassResult result;
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    const Stopwatch total;
    digest.Reset();
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file, chunk.data(), ChunkSize, &read, nullptr) || read == 0) break;
        const Stopwatch hashing;
        digest.Update(chunk.data(), read);
        result.HashSeconds += hashing.Seconds();
        result.Bytes += read;
    }
    result.Text = digest.FinishText();
    result.TotalSeconds = total.Seconds();
    return result;
}

double MegabytesPerSecond(unsigned long long bytes, double seconds) { return seconds > 0 ? bytes / seconds / 1e6 : 0; }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: digest_bench <file> [passes]\n");
        return 2;
    }
    const int passes = argc > 2 ? std::atoi(argv[2]) : 3;
    const std::string onlyDigest = argc > 3 ? argv[3] : "";
    HANDLE file = CreateFileA(argv[1], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    std::vector<std::uint8_t> chunk(ChunkSize);
    for (const BenchCase& benchCase : AllCases()) {
        if (!onlyDigest.empty() && onlyDigest != benchCase.Digest) continue;
        if (!benchCase.Select()) {
            std::printf("%s %s unavailable\n", benchCase.Digest, benchCase.Routine.c_str());
            continue;
        }
        // Best of several passes: the machine is shared and the first pass may still fault pages in.
        PassResult best;
        for (int pass = 0; pass < passes; ++pass) {
            std::unique_ptr<ChunkDigest> digest = benchCase.Make();
            PassResult result = HashFile(file, *digest, chunk);
            if (pass == 0 || result.TotalSeconds < best.TotalSeconds) best.TotalSeconds = result.TotalSeconds;
            if (pass == 0 || result.HashSeconds < best.HashSeconds) best.HashSeconds = result.HashSeconds;
            best.Bytes = result.Bytes;
            best.Text = result.Text;
        }
        std::printf("%s %s %.0f %.0f %ls\n", benchCase.Digest, benchCase.Routine.c_str(),
                    MegabytesPerSecond(best.Bytes, best.TotalSeconds), MegabytesPerSecond(best.Bytes, best.HashSeconds),
                    best.Text.c_str());
        std::fflush(stdout);
    }
    SelectBestEngines();
    CloseHandle(file);
    return 0;
}
