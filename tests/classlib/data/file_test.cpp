// Files: CFile on disk, CStdioFile text mode, CMemFile buffers and
// CSharedFile global memory.  Disk tests work in a private temporary folder
// and remove it afterwards.
#include <afx.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class FileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char szTemp[MAX_PATH];
        ASSERT_NE(0u, GetTempPathA(MAX_PATH, szTemp));
        m_strDir.Format("%sbm_data_file_%lu_%lu", szTemp, GetCurrentProcessId(), GetTickCount());
        ASSERT_TRUE(CreateDirectoryA(m_strDir, NULL));
    }

    void TearDown() override
    {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA(m_strDir + "\\*", &fd);
        if (h != INVALID_HANDLE_VALUE)
        {
            do
            {
                if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    DeleteFileA(m_strDir + "\\" + fd.cFileName);
            } while (FindNextFileA(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryA(m_strDir);
    }

    CString Path(LPCTSTR name) const { return m_strDir + "\\" + name; }

    std::string ReadRaw(LPCTSTR name) const
    {
        std::string s;
        HANDLE h = CreateFileA(Path(name), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
        if (h == INVALID_HANDLE_VALUE)
            return s;
        char buf[4096];
        DWORD n = 0;
        while (ReadFile(h, buf, sizeof(buf), &n, NULL) && n > 0)
            s.append(buf, n);
        CloseHandle(h);
        return s;
    }

    void WriteRaw(LPCTSTR name, const std::string& data) const
    {
        HANDLE h = CreateFileA(Path(name), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        ASSERT_NE(INVALID_HANDLE_VALUE, h);
        DWORD n = 0;
        WriteFile(h, data.data(), (DWORD)data.size(), &n, NULL);
        CloseHandle(h);
    }

    CString m_strDir;
};

TEST_F(FileTest, ReadWriteSeekLengthAndNames)
{
    CFile file;
    CFileException error;
    ASSERT_TRUE(file.Open(Path("data.bin"), CFile::modeCreate | CFile::modeReadWrite, &error));
    EXPECT_STREQ("data.bin", file.GetFileName());
    EXPECT_STREQ("data", file.GetFileTitle());
    EXPECT_STREQ(Path("data.bin"), file.GetFilePath());
    file.Write("0123456789", 10);
    EXPECT_EQ(10u, file.GetLength());
    EXPECT_EQ(10u, file.GetPosition());
    EXPECT_EQ(4u, file.Seek(4, CFile::begin));
    char buf[16] = {};
    EXPECT_EQ(3u, file.Read(buf, 3));
    EXPECT_STREQ("456", buf);
    EXPECT_EQ(8u, file.Seek(-2, CFile::end));
    EXPECT_EQ(2u, file.Read(buf, sizeof(buf)));
    EXPECT_EQ(0u, file.Read(buf, sizeof(buf)));   // at the end
    file.SetLength(5);
    EXPECT_EQ(5u, file.GetLength());
    file.SeekToBegin();
    EXPECT_EQ(5u, file.SeekToEnd());
    CFileStatus status;
    EXPECT_TRUE(file.GetStatus(status));
    EXPECT_EQ(5u, status.m_size);
    file.Close();
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);
    EXPECT_EQ("01234", ReadRaw("data.bin"));
    EXPECT_TRUE(CFile::GetStatus(Path("data.bin"), status));
    EXPECT_EQ(5u, status.m_size);
}

TEST_F(FileTest, OpenFailuresReportTheirCause)
{
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(Path("missing.bin"), CFile::modeRead, &error));
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
    EXPECT_EQ((LONG)ERROR_FILE_NOT_FOUND, error.m_lOsError);
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);

    EXPECT_FALSE(file.Open(Path("no\\such\\dir\\x.bin"), CFile::modeCreate | CFile::modeWrite, &error));
    EXPECT_EQ(CFileException::badPath, error.m_cause);

    bool thrown = false;
    try
    {
        CFile f2(Path("missing.bin"), CFile::modeRead);
    }
    catch (CFileException* e)
    {
        thrown = e->m_cause == CFileException::fileNotFound;
        e->Delete();
    }
    EXPECT_TRUE(thrown);

    // A file opened without sharing cannot be opened again.
    CFile first(Path("locked.bin"), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
    CFile second;
    EXPECT_FALSE(second.Open(Path("locked.bin"), CFile::modeRead, &error));
    EXPECT_EQ(CFileException::sharingViolation, error.m_cause);
}

TEST_F(FileTest, RemoveAndRename)
{
    // Removing a file that does not exist is quiet.
    CFile::Remove(Path("never-there.bin"));
    WriteRaw("a.txt", "abc");
    CFile::Rename(Path("a.txt"), Path("b.txt"));
    EXPECT_EQ("abc", ReadRaw("b.txt"));
    CFile::Remove(Path("b.txt"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(Path("b.txt")));
    bool thrown = false;
    try
    {
        CFile::Rename(Path("b.txt"), Path("c.txt"));
    }
    catch (CFileException* e)
    {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
}

TEST_F(FileTest, CloseFailureThrowsAndAbortNeverDoes)
{
    CFile file;
    file.m_hFile = reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(0x7FFF0));   // not a handle
    bool thrown = false;
    try
    {
        file.Close();
    }
    catch (CFileException* e)
    {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);

    file.m_hFile = reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(0x7FFF0));
    file.Abort();
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);

    CFile readOnly(Path("ro.bin"), CFile::modeCreate | CFile::modeRead);
    thrown = false;
    try
    {
        readOnly.Write("x", 1);   // a write that cannot happen throws
    }
    catch (CFileException* e)
    {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
}

TEST_F(FileTest, TextModeWritesCrLfAndReadStringStripsIt)
{
    {
        CStdioFile file(Path("text.txt"), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        file.WriteString("FVH[TRI]2\n");
        file.WriteString("first\nsecond\n");
        file.WriteString("no end");
        file.Close();
    }
    EXPECT_EQ("FVH[TRI]2\r\nfirst\r\nsecond\r\nno end", ReadRaw("text.txt"));

    CStdioFile file;
    ASSERT_TRUE(file.Open(Path("text.txt"), CFile::modeRead | CFile::typeText));
    CString line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_STREQ("FVH[TRI]2", line);
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_STREQ("first", line);
    char sz[64];
    EXPECT_STREQ("second\n", file.ReadString(sz, sizeof(sz)));
    ASSERT_TRUE(file.ReadString(line));   // last line without its end
    EXPECT_STREQ("no end", line);
    EXPECT_FALSE(file.ReadString(line));
    EXPECT_TRUE(line.IsEmpty());
    EXPECT_EQ(nullptr, file.ReadString(sz, sizeof(sz)));
    file.Close();
}

TEST_F(FileTest, ReadStringHandlesLongLinesEmptyLinesAndBareLineFeeds)
{
    std::string longLine(5000, 'L');
    WriteRaw("mixed.txt", "\r\n" + longLine + "\nunix\n\ncr-lf-in-binary\r\n");
    CStdioFile file(Path("mixed.txt"), CFile::modeRead | CFile::typeBinary);
    CString line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_TRUE(line.IsEmpty());
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(5000, line.GetLength());
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_STREQ("unix", line);
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_TRUE(line.IsEmpty());
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_STREQ("cr-lf-in-binary", line);
    EXPECT_FALSE(file.ReadString(line));
}

TEST_F(FileTest, StdioBinaryReadWriteAndAppend)
{
    {
        CStdioFile file(Path("bin.dat"), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        file.Write("a\nb", 3);
        EXPECT_EQ(3u, file.GetLength());
        file.Close();
    }
    EXPECT_EQ("a\nb", ReadRaw("bin.dat"));
    {
        CStdioFile file(Path("bin.dat"), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite |
                                             CFile::typeBinary);
        file.Write("c", 1);
    }
    EXPECT_EQ("a\nbc", ReadRaw("bin.dat"));
    CStdioFile file(Path("bin.dat"), CFile::modeRead | CFile::typeBinary);
    char buf[8] = {};
    EXPECT_EQ(2u, file.Read(buf, 2));
    EXPECT_EQ(1u, file.Seek(1, CFile::begin));
    EXPECT_EQ(3u, file.Read(buf, sizeof(buf)));
    EXPECT_EQ(0, memcmp(buf, "\nbc", 3));
    EXPECT_EQ(0u, file.Read(buf, sizeof(buf)));
}

TEST_F(FileTest, StdioWriteErrorsThrow)
{
    WriteRaw("readonly.txt", "content\n");
    CStdioFile file(Path("readonly.txt"), CFile::modeRead | CFile::typeText);
    bool thrown = false;
    try
    {
        file.WriteString("cannot write\n");
        file.Flush();
    }
    catch (CFileException* e)
    {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
    CString line;
    EXPECT_TRUE(file.ReadString(line));
    EXPECT_STREQ("content", line);
}

// Counts the allocator calls to show that every memory-file buffer goes
// through the one overridable allocator.
class CCountingMemFile : public CMemFile
{
public:
    explicit CCountingMemFile(UINT nGrowBytes) : CMemFile(nGrowBytes) {}
    int m_nAlloc = 0, m_nRealloc = 0, m_nFree = 0;

protected:
    BYTE* Alloc(SIZE_T nBytes) override
    {
        m_nAlloc++;
        return CMemFile::Alloc(nBytes);
    }
    BYTE* Realloc(BYTE* p, SIZE_T nBytes) override
    {
        m_nRealloc++;
        return CMemFile::Realloc(p, nBytes);
    }
    void Free(BYTE* p) override
    {
        m_nFree++;
        CMemFile::Free(p);
    }
};

TEST(MemFile, GrowthUsesTheOverridableAllocator)
{
    CCountingMemFile file(16);
    file.Write("0123456789", 10);
    EXPECT_EQ(1, file.m_nAlloc);
    file.Write("0123456789", 10);   // 20 bytes: grows to 32
    EXPECT_EQ(1, file.m_nRealloc);
    file.SetLength(100);
    EXPECT_EQ(2, file.m_nRealloc);
    EXPECT_EQ(100u, file.GetLength());
    file.Close();
    EXPECT_EQ(1, file.m_nFree);
    EXPECT_EQ(0u, file.GetLength());
}

TEST(SharedFile, GrowsInGlobalMemory)
{
    CSharedFile file(GMEM_MOVEABLE, 64);
    std::string text(1000, 's');
    for (int i = 0; i < 5; i++)
        file.Write(text.data(), (UINT)text.size());
    EXPECT_EQ(5000u, file.GetLength());
    HGLOBAL hMem = file.Detach();
    ASSERT_NE(nullptr, hMem);
    EXPECT_GE(GlobalSize(hMem), 5000u);
    const char* p = static_cast<const char*>(GlobalLock(hMem));
    EXPECT_EQ('s', p[4999]);
    GlobalUnlock(hMem);
    GlobalFree(hMem);
}

TEST(MemFile, GrowsReadsAndDetachesItsBuffer)
{
    CMemFile file;
    EXPECT_EQ(0u, file.GetLength());
    std::vector<BYTE> data(3000);
    for (size_t i = 0; i < data.size(); i++)
        data[i] = (BYTE)i;
    file.Write(&data[0], (UINT)data.size());
    EXPECT_EQ(3000u, file.GetLength());
    file.Seek(5000, CFile::begin);   // writing past the end leaves zeros between
    file.Write("z", 1);
    EXPECT_EQ(5001u, file.GetLength());
    file.Seek(4000, CFile::begin);
    BYTE by = 0xEE;
    EXPECT_EQ(1u, file.Read(&by, 1));
    EXPECT_EQ(0, by);
    file.SeekToEnd();
    EXPECT_EQ(0u, file.Read(&by, 1));
    bool thrown = false;
    try
    {
        file.Seek(-1, CFile::begin);
    }
    catch (CFileException* e)
    {
        thrown = e->m_cause == CFileException::badSeek;
        e->Delete();
    }
    EXPECT_TRUE(thrown);

    ULONGLONG nLength = file.GetLength();
    BYTE* pBuffer = file.Detach();
    ASSERT_NE(nullptr, pBuffer);
    EXPECT_EQ(0, memcmp(pBuffer, &data[0], data.size()));
    EXPECT_EQ(0u, file.GetLength());
    // Ownership passed: the buffer can go to another memory file, which frees it.
    CMemFile other(1024);
    other.Attach(pBuffer, (UINT)nLength, 1024);
    other.Write("more", 4);
    EXPECT_EQ(4u, other.GetLength());   // a growable attachment starts empty
    BYTE* pAgain = other.Detach();
    free(pAgain);
}

TEST(MemFile, FixedBufferRefusesToGrow)
{
    BYTE buf[8] = { 1, 2, 3, 4, 5, 6, 7, 8 };
    CMemFile file(buf, sizeof(buf));
    EXPECT_EQ(8u, file.GetLength());   // a fixed buffer is the file
    BYTE out[8];
    EXPECT_EQ(8u, file.Read(out, sizeof(out)));
    EXPECT_EQ(0, memcmp(buf, out, 8));
    file.SeekToBegin();
    file.Write("ab", 2);
    EXPECT_EQ('a', buf[0]);
    file.SeekToEnd();
    bool thrown = false;
    try
    {
        file.Write("c", 1);
    }
    catch (CMemoryException* e)
    {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
    EXPECT_EQ(8u, file.GetLength());
    EXPECT_EQ(buf, file.Detach());   // the caller's buffer, never freed here
}

TEST(SharedFile, GlobalMemoryHandsOver)
{
    CSharedFile file;
    file.Write("clipboard data", 15);
    EXPECT_EQ(15u, file.GetLength());
    HGLOBAL hMem = file.Detach();
    ASSERT_NE(nullptr, hMem);
    EXPECT_GE(GlobalSize(hMem), 15u);
    const char* p = static_cast<const char*>(GlobalLock(hMem));
    EXPECT_STREQ("clipboard data", p);
    GlobalUnlock(hMem);

    CSharedFile reader;
    reader.SetHandle(hMem, FALSE);
    char buf[32] = {};
    EXPECT_EQ(15u, reader.Read(buf, 15));
    EXPECT_STREQ("clipboard data", buf);
    reader.SeekToEnd();
    bool thrown = false;
    try
    {
        reader.Write(buf, sizeof(buf));   // growing was not allowed
    }
    catch (CMemoryException* e)
    {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
    reader.Close();   // frees the global memory it took over
}

TEST(FileArchive, ArchiveOnDiskFileRoundTrip)
{
    char szTemp[MAX_PATH], szFile[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    ASSERT_NE(0u, GetTempFileNameA(szTemp, "bma", 0, szFile));
    {
        CFile file(szFile, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        for (int i = 0; i < 5000; i++)
            ar << (LONG)i << CString("entry");
        ar.Close();
        file.Close();
    }
    {
        CFile file(szFile, CFile::modeRead);
        CArchive ar(&file, CArchive::load);
        for (int i = 0; i < 5000; i++)
        {
            LONG l;
            CString s;
            ar >> l >> s;
            ASSERT_EQ(i, l);
            ASSERT_STREQ("entry", s);
        }
        EXPECT_TRUE(ar.IsBufferEmpty());
    }
    CFile::Remove(szFile);
}

} // namespace
