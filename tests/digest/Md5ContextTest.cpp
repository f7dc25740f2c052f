// The accumulator's context is the system's MD5 record, field for field.
#include <gtest/gtest.h>

#include <random>

#include "SystemDigests.h"
#include "digest/DigestText.h"
#include "digest/Md5Accumulator.h"

namespace {

ByteBuffer RandomBytes(std::size_t count) {
    std::mt19937 generator(11);
    ByteBuffer bytes(count);
    for (auto& byte : bytes) byte = static_cast<std::uint8_t>(generator());
    return bytes;
}

TEST(Md5Context, SystemRoutinesCarryOnFromOurContext) {
    // 100 bytes leave a partial block, so the bit count, the chaining words and
    // the pending bytes must all sit where the system expects them.
    const ByteBuffer bytes = RandomBytes(250);
    Md5Accumulator md5;
    md5.Reset();
    md5.UpdateFromBytes(bytes, 100);
    Md5Context context = md5.Context;
    SystemMd5().Update(&context, bytes.data() + 100, 150);
    SystemMd5().Final(&context);
    EXPECT_EQ(BytesToHexText(context.Digest, sizeof context.Digest, true), md5.DigestOfBytes(bytes));
}

TEST(Md5Context, BitCountCarriesIntoItsHighWordPast512MiB) {
    // 2^32 bits is 512 MiB: a lost carry changes the length in the padding.
    const ByteBuffer piece = RandomBytes((16u << 20) + 5);
    const int pieces = 33;
    Md5Accumulator md5;
    md5.Reset();
    Md5Context system{};
    SystemMd5().Init(&system);
    for (int i = 0; i < pieces; ++i) {
        md5.UpdateFromBytes(piece, static_cast<std::uint32_t>(piece.size()));
        SystemMd5().Update(&system, piece.data(), static_cast<unsigned int>(piece.size()));
    }
    EXPECT_EQ(md5.Context.BitCount[1], system.BitCount[1]);
    md5.Finish();
    SystemMd5().Final(&system);
    EXPECT_EQ(md5.ResultText(), BytesToHexText(system.Digest, sizeof system.Digest, true));
}

}  // namespace
