// The packed memory file: what is packed, the "ZIP!" form, and what a broken
// packed buffer loads.
#include <gtest/gtest.h>

#include <algorithm>

#include "XTPZipMemFile.h"
#include "support/packed_bytes.h"

#include <stdlib.h>
#include <string.h>

#include <vector>

namespace
{
using testsupport::Packed;
using testsupport::Unpacked;

std::vector<BYTE> Incompressible(size_t n)
{
    std::vector<BYTE> data(n);
    unsigned int seed = 12345;
    for (auto& b : data)
    {
        seed = seed * 1103515245u + 12345u;
        b = (BYTE)(seed >> 16);
    }
    return data;
}
} // namespace

TEST(ZipMemFileTest, SmallOrIncompressibleDataStaysRaw)
{
    std::vector<BYTE> zeros19(19, 0);
    EXPECT_EQ(zeros19, Packed(zeros19)) << "below 20 bytes nothing is packed";

    std::vector<BYTE> noise20 = Incompressible(20);
    EXPECT_EQ(noise20, Packed(noise20)) << "zlib cannot make it smaller";
    EXPECT_EQ(noise20, Unpacked(noise20));

    EXPECT_TRUE(Packed(std::vector<BYTE>()).empty());
}

TEST(ZipMemFileTest, ThousandZerosArePackedBehindTheHeaderAndComeBack)
{
    std::vector<BYTE> zeros(1000, 0);
    std::vector<BYTE> packed = Packed(zeros);
    ASSERT_GT(packed.size(), 10u);
    EXPECT_LT(packed.size(), zeros.size());
    EXPECT_EQ(0, memcmp(packed.data(), "ZIP!", 4));
    EXPECT_EQ(0xE8, packed[4]);
    EXPECT_EQ(0x03, packed[5]);
    EXPECT_EQ(0x00, packed[6]);
    EXPECT_EQ(0x00, packed[7]);
    EXPECT_EQ(0x78, packed[8]) << "a zlib stream with its header";

    EXPECT_EQ(zeros, Unpacked(packed));
}

TEST(ZipMemFileTest, DamagedPackedDataKeepsWhatUnpackedBeforeTheDamage)
{
    std::vector<BYTE> text(3000);
    for (size_t i = 0; i < text.size(); i++)
        text[i] = (BYTE)("abcabd"[i % 6] + (i / 97) % 7);
    std::vector<BYTE> packed = Packed(text);
    ASSERT_EQ(0, memcmp(packed.data(), "ZIP!", 4));
    auto isStart = [&text](const std::vector<BYTE>& data) {
        return data.size() <= text.size() && std::equal(data.begin(), data.end(), text.begin());
    };

    // A truncated stream gives a true start of the data, shorter than all.
    std::vector<BYTE> truncated(packed.begin(), packed.begin() + packed.size() / 2);
    std::vector<BYTE> out = Unpacked(truncated);
    EXPECT_TRUE(isStart(out)) << "a truncated stream";
    EXPECT_LT(out.size(), text.size());

    // A stated length one byte short keeps that many bytes; one 256 bytes
    // long keeps all there is.
    std::vector<BYTE> shorter = packed;
    shorter[4] = (BYTE)(shorter[4] - 1);
    out = Unpacked(shorter);
    EXPECT_EQ(text.size() - 1, out.size());
    EXPECT_TRUE(isStart(out));
    std::vector<BYTE> longer = packed;
    longer[5] = (BYTE)(longer[5] + 1);
    EXPECT_EQ(text, Unpacked(longer));

    std::vector<BYTE> huge = packed;
    huge[4] = huge[5] = huge[6] = huge[7] = 0xFF;   // 4 GB: refused before any allocation
    EXPECT_TRUE(Unpacked(huge).empty());

    // Only the stream's checksum damaged: every byte is there.
    std::vector<BYTE> checksum = packed;
    checksum[packed.size() - 3] ^= 0x5A;
    EXPECT_EQ(text, Unpacked(checksum));

    // A flipped bit in the middle: what comes back starts as the data did.
    std::vector<BYTE> flipped = packed;
    flipped[packed.size() / 2] ^= 0x10;
    out = Unpacked(flipped);
    size_t nSame = 0;
    while (nSame < out.size() && out[nSame] == text[nSame])
        nSame++;
    EXPECT_GT(nSame, 0u);

    // Twelve bytes are the least that counts as packed; shorter is raw data.
    std::vector<BYTE> header11 = {'Z', 'I', 'P', '!', 3, 0, 0, 0, 1, 2, 3};
    EXPECT_EQ(header11, Unpacked(header11));

    // The file says whether the data unpacked whole, so that a caller keeps
    // what did not.
    auto isDamaged = [](const std::vector<BYTE>& data) {
        CXTPZipMemFile file(const_cast<BYTE*>(data.data()), (UINT)data.size());
        return file.IsDamaged() != FALSE;
    };
    EXPECT_FALSE(isDamaged(packed));
    EXPECT_FALSE(isDamaged(header11));
    EXPECT_FALSE(isDamaged(text));
    const std::vector<BYTE>* apDamaged[] = {&truncated, &shorter, &longer, &huge, &checksum, &flipped};
    for (size_t i = 0; i < sizeof(apDamaged) / sizeof(apDamaged[0]); i++)
        EXPECT_TRUE(isDamaged(*apDamaged[i])) << i;
}

TEST(ZipMemFileTest, AttachCompressedFreesTheSourceOnlyWhenAsked)
{
    std::vector<BYTE> zeros(500, 0);
    std::vector<BYTE> packed = Packed(zeros);
    BYTE* pOwned = (BYTE*)malloc(packed.size());
    memcpy(pOwned, packed.data(), packed.size());
    {
        CXTPZipMemFile file;
        file.AttachCompressed(pOwned, (DWORD)packed.size(), TRUE);   // frees pOwned
        EXPECT_EQ(500u, file.GetLength());
    }

    BYTE* pRaw = (BYTE*)malloc(30);
    memset(pRaw, 7, 30);
    {
        CXTPZipMemFile file;
        file.AttachCompressed(pRaw, 30, TRUE);   // raw data: owned and freed by the file
        BYTE b = 0;
        EXPECT_EQ(1u, file.Read(&b, 1));
        EXPECT_EQ(7, b);
    }
}

TEST(ZipMemFileTest, LoadFromFileReadsAPackedFileAndRefusesAMissingOne)
{
    char szDir[MAX_PATH], szPath[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szDir);
    ::GetTempFileNameA(szDir, "zmf", 0, szPath);

    std::vector<BYTE> zeros(2000, 0);
    std::vector<BYTE> packed = Packed(zeros);
    FILE* f = fopen(szPath, "wb");
    ASSERT_TRUE(f != NULL);
    fwrite(packed.data(), 1, packed.size(), f);
    fclose(f);

    CXTPZipMemFile file;
    ASSERT_TRUE(file.LoadFromFile(szPath));
    EXPECT_EQ(2000u, file.GetLength());
    ::DeleteFileA(szPath);

    CXTPZipMemFile missing;
    EXPECT_FALSE(missing.LoadFromFile(szPath));

    CXTPZipMemFile named;
    bool bThrown = false;
    try
    {
        named.SetFilePath(NULL);
    }
    catch (CException* e)
    {
        bThrown = e->IsKindOf(RUNTIME_CLASS(CInvalidArgException)) != FALSE;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}
