// The streaming contract every accumulator keeps: pieces, copies, Reset.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "digest/Crc32Accumulator.h"
#include "digest/Md5Accumulator.h"
#include "digest/Sha1Accumulator.h"

namespace {

ByteBuffer RandomBytes(std::size_t count, unsigned seed) {
    std::mt19937 generator(seed);
    ByteBuffer bytes(count);
    for (auto& byte : bytes) byte = static_cast<std::uint8_t>(generator());
    return bytes;
}

template <typename Accumulator>
std::wstring DigestInOnePiece(const ByteBuffer& bytes) {
    Accumulator accumulator;
    accumulator.Reset();
    accumulator.UpdateFromBytes(bytes, static_cast<std::uint32_t>(bytes.size()));
    accumulator.Finish();
    return accumulator.ResultText();
}

template <typename Accumulator>
class AccumulatorContract : public testing::Test {};

using Accumulators = testing::Types<Md5Accumulator, Sha1Accumulator, Crc32Accumulator>;
TYPED_TEST_SUITE(AccumulatorContract, Accumulators);

TYPED_TEST(AccumulatorContract, PiecesOfAnySizeGiveTheDigestOfTheWhole) {
    // Sizes straddle the 64-byte block in every way; the last is the report's chunk.
    const std::uint32_t pieceSizes[] = {0, 1, 63, 64, 65, 0, 7, 127, 128, 129, 3, 1000, 5u << 20, 13};
    std::size_t total = 0;
    for (std::uint32_t size : pieceSizes) total += size;
    const ByteBuffer bytes = RandomBytes(total, 1);

    TypeParam accumulator;
    accumulator.Reset();
    const std::uint8_t* next = bytes.data();
    for (std::uint32_t size : pieceSizes) {
        accumulator.UpdateFromAddress(next, size);
        next += size;
    }
    accumulator.Finish();
    EXPECT_EQ(accumulator.ResultText(), DigestInOnePiece<TypeParam>(bytes));
}

TYPED_TEST(AccumulatorContract, TextIsEmptyUntilFinishAndAgainAfterReset) {
    TypeParam accumulator;
    EXPECT_EQ(accumulator.ResultText(), L"");
    accumulator.Reset();
    accumulator.UpdateFromBytes(RandomBytes(10, 2), 10);
    EXPECT_EQ(accumulator.ResultText(), L"");
    accumulator.Finish();
    EXPECT_NE(accumulator.ResultText(), L"");
    accumulator.Reset();
    EXPECT_EQ(accumulator.ResultText(), L"");
}

TYPED_TEST(AccumulatorContract, ResetAfterFinishStartsAnUnrelatedDigest) {
    const ByteBuffer first = RandomBytes(100, 3), second = RandomBytes(37, 4);
    TypeParam accumulator;
    accumulator.Reset();
    accumulator.UpdateFromBytes(first, 100);
    accumulator.Finish();
    accumulator.Reset();
    accumulator.UpdateFromBytes(second, 37);
    accumulator.Finish();
    EXPECT_EQ(accumulator.ResultText(), DigestInOnePiece<TypeParam>(second));
}

TYPED_TEST(AccumulatorContract, CopyTakenBetweenUpdatesGoesItsOwnWay) {
    const ByteBuffer head = RandomBytes(70, 5), tail = RandomBytes(90, 6), other = RandomBytes(90, 7);
    ByteBuffer whole = head;
    whole.insert(whole.end(), tail.begin(), tail.end());
    ByteBuffer divergent = head;
    divergent.insert(divergent.end(), other.begin(), other.end());

    TypeParam source;
    source.Reset();
    source.UpdateFromBytes(head, 70);
    TypeParam copy(source);
    TypeParam sameTail(source);
    source.UpdateFromBytes(tail, 90);
    copy.UpdateFromBytes(other, 90);
    sameTail.UpdateFromBytes(tail, 90);
    source.Finish();
    copy.Finish();
    sameTail.Finish();
    EXPECT_EQ(source.ResultText(), DigestInOnePiece<TypeParam>(whole));
    EXPECT_EQ(sameTail.ResultText(), source.ResultText());
    EXPECT_EQ(copy.ResultText(), DigestInOnePiece<TypeParam>(divergent));
}

TEST(Md5Accumulator, TextIs32UpperCaseHexDigits) {
    const std::wstring text = DigestInOnePiece<Md5Accumulator>(RandomBytes(1234, 8));
    EXPECT_EQ(text.size(), 32u);
    EXPECT_EQ(text.find_first_not_of(L"0123456789ABCDEF"), std::wstring::npos) << text;
}

TEST(Md5Accumulator, EmptyUpdateLeavesTheContextAsItWas) {
    Md5Accumulator md5;
    md5.Reset();
    md5.UpdateFromBytes(RandomBytes(30, 9), 30);
    const Md5Context before = md5.Context;
    md5.UpdateFromBytes(ByteBuffer{}, 0);
    EXPECT_EQ(std::memcmp(&before, &md5.Context, sizeof before), 0);
}

TEST(Md5Accumulator, DigestOfBytesLeavesItsAccumulatorUntouched) {
    Md5Accumulator md5;
    md5.Reset();
    md5.UpdateFromBytes(RandomBytes(30, 10), 30);
    md5.Finish();
    const Md5Accumulator before(md5);
    EXPECT_EQ(md5.DigestOfBytes(ByteBuffer{}), L"D41D8CD98F00B204E9800998ECF8427E");
    EXPECT_EQ(std::memcmp(&before.Context, &md5.Context, sizeof before.Context), 0);
    EXPECT_EQ(md5.DigestText, before.DigestText);
}

}  // namespace
