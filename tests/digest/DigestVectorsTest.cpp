// Published digests of fixed messages, and the text forms of the values.
#include <gtest/gtest.h>

#include <string>

#include "digest/Crc32Accumulator.h"
#include "digest/DigestText.h"
#include "digest/Md5Accumulator.h"
#include "digest/Sha1Accumulator.h"

namespace {

ByteBuffer BytesOf(const std::string& text) { return ByteBuffer(text.begin(), text.end()); }

struct KnownDigest {
    std::string Message;
    const wchar_t* Digest;
};

TEST(DigestVectors, Md5MatchesTheRfc1321Suite) {
    const KnownDigest cases[] = {
        {"", L"D41D8CD98F00B204E9800998ECF8427E"},
        {"a", L"0CC175B9C0F1B6A831C399E269772661"},
        {"abc", L"900150983CD24FB0D6963F7D28E17F72"},
        {"message digest", L"F96B697D7CB7938D525A2F31AAF161D0"},
        {"abcdefghijklmnopqrstuvwxyz", L"C3FCD3D76192E4007DFB496CCA67E13B"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", L"D174AB98D277D9F5A5611C2C9F419D9F"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         L"57EDF4A22BE3C955AC49DA2E2107B67A"},
    };
    Md5Accumulator md5;
    for (const KnownDigest& known : cases) {
        EXPECT_EQ(md5.DigestOfBytes(BytesOf(known.Message)), known.Digest) << '"' << known.Message << '"';
    }
}

TEST(DigestVectors, Sha1MatchesTheFips180Examples) {
    const KnownDigest cases[] = {
        {"", L"DA39A3EE5E6B4B0D3255BFEF95601890AFD80709"},
        {"abc", L"A9993E364706816ABA3E25717850C26C9CD0D89D"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", L"84983E441C3BD26EBAAE4AA1F95129E5E54670F1"},
        {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu",
         L"A49B2446A02C645BF419F995B67091253A04A259"},
        {std::string(1000000, 'a'), L"34AA973CD4C4DAA4F61EEB2BDBAD27316534016F"},
    };
    for (const KnownDigest& known : cases) {
        EXPECT_EQ(Sha1OfBytes(BytesOf(known.Message)), known.Digest) << known.Message.substr(0, 20);
    }
}

TEST(DigestVectors, Crc32TextIsUnsignedHexWithoutLeadingZeros) {
    // The four-byte messages are chosen to give the checksum beside them.
    const struct {
        ByteBuffer Message;
        const wchar_t* Text;
    } cases[] = {
        {BytesOf("123456789"), L"CBF43926"},
        {{}, L"0"},
        {{0x9D, 0x0A, 0xD9, 0x6D}, L"0"},
        {{0xDC, 0x0C, 0xA8, 0xB6}, L"1"},
        {{0x03, 0x45, 0x95, 0xAF}, L"FFFFFFF"},
        {{0x4E, 0x85, 0xEC, 0x36}, L"80000000"},
        {{0xFF, 0xFF, 0xFF, 0xFF}, L"FFFFFFFF"},
    };
    for (const auto& known : cases) {
        EXPECT_EQ(Crc32Text(known.Message), known.Text) << testing::PrintToString(known.Message);
    }
}

TEST(DigestVectors, HexTextHasTwoDigitsPerByteAndNoTrailingBlank) {
    const ByteBuffer bytes = {0x00, 0x0A, 0xFF, 0x10};
    EXPECT_EQ(BytesToHexText(bytes, true), L"000AFF10");
    EXPECT_EQ(BytesToHexText(bytes, false), L"00 0A FF 10");
    EXPECT_EQ(BytesToHexText(bytes), L"00 0A FF 10");
    EXPECT_EQ(BytesToHexText(ByteBuffer{0x0A}), L"0A");
    EXPECT_EQ(BytesToHexText(ByteBuffer{}, true), L"");
    EXPECT_EQ(BytesToHexText(ByteBuffer{}, false), L"");
}

}  // namespace
