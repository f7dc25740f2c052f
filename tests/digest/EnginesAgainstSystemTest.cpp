// Every routine, forced in turn, against Windows' own digests on random data.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <random>
#include <vector>

#include "SystemDigests.h"
#include "digest/Crc32Accumulator.h"
#include "digest/DigestEngines.h"
#include "digest/DigestText.h"
#include "digest/Md5Accumulator.h"
#include "digest/Sha1Accumulator.h"

namespace {

using DigestRoutine = std::function<std::wstring(const std::uint8_t*, std::size_t)>;

template <typename Accumulator>
std::wstring OurDigest(const std::uint8_t* data, std::size_t length) {
    Accumulator accumulator;
    accumulator.Reset();
    accumulator.UpdateFromAddress(data, static_cast<std::uint32_t>(length));
    accumulator.Finish();
    return accumulator.ResultText();
}

std::wstring SystemCrc32Text(const std::uint8_t* data, std::size_t length) {
    return UnsignedToHexText(SystemCrc32(data, length));
}

struct Engine {
    std::string Name;
    std::function<bool()> Select;  // false when this processor lacks it
    DigestRoutine Ours;
    DigestRoutine System;
};

void PrintTo(const Engine& engine, std::ostream* out) { *out << engine.Name; }

std::vector<Engine> AllEngines() {
    std::vector<Engine> engines;
    for (Md5Engine engine : AllMd5Engines)
        engines.push_back({std::string("md5_") + EngineName(engine), [engine] { return SelectEngine(engine); },
                           OurDigest<Md5Accumulator>, SystemMd5Text});
    for (Sha1Engine engine : AllSha1Engines)
        engines.push_back({std::string("sha1_") + EngineName(engine), [engine] { return SelectEngine(engine); },
                           OurDigest<Sha1Accumulator>, SystemSha1Text});
    for (Crc32Engine engine : AllCrc32Engines)
        engines.push_back({std::string("crc32_") + EngineName(engine), [engine] { return SelectEngine(engine); },
                           OurDigest<Crc32Accumulator>, SystemCrc32Text});
    return engines;
}

struct ThreadJob {
    const Engine* Tested;
    const std::uint8_t* Data;
    std::wstring Digest;
};

DWORD WINAPI DigestOnThread(void* parameter) {
    ThreadJob& job = *static_cast<ThreadJob*>(parameter);
    job.Digest = job.Tested->Ours(job.Data, 100000);
    return 0;
}

class EngineAgainstSystem : public testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!GetParam().Select()) GTEST_SKIP() << GetParam().Name << " cannot run on this processor";
        std::mt19937 generator(42);
        // Room for the longest message at any of the start offsets used.
        random.resize((3u << 20) + 64);
        for (auto& byte : random) byte = static_cast<std::uint8_t>(generator());
    }
    void TearDown() override { SelectBestEngines(); }

    void ExpectSameAsSystem(std::size_t offset, std::size_t length) {
        const std::uint8_t* data = random.data() + offset;
        ASSERT_EQ(GetParam().Ours(data, length), GetParam().System(data, length))
            << "length " << length << " at offset " << offset;
    }

    ByteBuffer random;
};

TEST_P(EngineAgainstSystem, EveryShortLengthAtUnalignedStarts) {
    for (std::size_t length = 0; length <= 300; ++length) ExpectSameAsSystem(1 + length % 15, length);
}

TEST_P(EngineAgainstSystem, LongMessages) {
    for (std::size_t length : {4096u + 17u, (1u << 20) + 3u, 3u << 20}) ExpectSameAsSystem(length % 13, length);
}

TEST_P(EngineAgainstSystem, RunsOnAThreadTheSystemStarted) {
    // Windows starts threads on a stack aligned to 4 bytes only; vector
    // spills that assume 16 would fault there.
    ThreadJob job{&GetParam(), random.data() + 3, L""};
    HANDLE thread = CreateThread(nullptr, 0, DigestOnThread, &job, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    ASSERT_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
    CloseHandle(thread);
    EXPECT_EQ(job.Digest, GetParam().System(random.data() + 3, 100000));
}

INSTANTIATE_TEST_SUITE_P(AllEngines, EngineAgainstSystem, testing::ValuesIn(AllEngines()),
                         [](const testing::TestParamInfo<Engine>& info) {
                             std::string name = info.param.Name;
                             for (char& c : name)
                                 if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

}  // namespace
