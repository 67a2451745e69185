// ctest: lock clipboard
// The clipboard data source and data object: round trips within the process,
// format enumeration, and who owns what.
#include <gtest/gtest.h>

#include <afxclip.h>

#include <string.h>

namespace
{
HGLOBAL MakeBlock(const char* text)
{
    size_t n = strlen(text) + 1;
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, n);
    memcpy(::GlobalLock(h), text, n);
    ::GlobalUnlock(h);
    return h;
}

std::string BlockText(HGLOBAL h)
{
    const char* p = (const char*)::GlobalLock(h);
    std::string s(p, strnlen(p, ::GlobalSize(h)));
    ::GlobalUnlock(h);
    return s;
}

HBITMAP MakeRedBitmap(int cx, int cy)
{
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, cx, cy);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    RECT rc = {0, 0, cx, cy};
    HBRUSH hBrush = ::CreateSolidBrush(RGB(255, 0, 0));
    ::FillRect(hMem, &rc, hBrush);
    ::DeleteObject(hBrush);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::ReleaseDC(NULL, hScreen);
    return hBitmap;
}

class ClipboardTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_cfPrivate = (CLIPFORMAT)::RegisterClipboardFormat("Brindlemark Test Format");
        ASSERT_NE(0, m_cfPrivate);
    }
    void TearDown() override { COleDataSource::FlushClipboard(); }

    CLIPFORMAT m_cfPrivate = 0;
};
} // namespace

TEST_F(ClipboardTest, RegisteredFormatRoundTrip)
{
    {
        COleDataSource source;
        source.CacheGlobalData(m_cfPrivate, MakeBlock("first"));
        source.CacheGlobalData(CF_TEXT, MakeBlock("plain text"));
        EXPECT_EQ(2, source.GetCachedCount());
        ASSERT_TRUE(source.SetClipboard());
        EXPECT_EQ(0, source.GetCachedCount());
    }

    COleDataObject data;
    EXPECT_FALSE(data.IsDataAvailable(m_cfPrivate)); // not attached yet
    ASSERT_TRUE(data.AttachClipboard());
    EXPECT_TRUE(data.IsDataAvailable(m_cfPrivate));
    EXPECT_TRUE(data.IsDataAvailable(CF_TEXT));

    HGLOBAL h = data.GetGlobalData(m_cfPrivate);
    ASSERT_NE(nullptr, h);
    EXPECT_EQ("first", BlockText(h));
    ::GlobalFree(h); // a copy: the clipboard keeps its own

    HGLOBAL again = data.GetGlobalData(m_cfPrivate);
    ASSERT_NE(nullptr, again);
    EXPECT_EQ("first", BlockText(again));
    ::GlobalFree(again);
}

TEST_F(ClipboardTest, CachingAFormatTwiceKeepsTheNewerData)
{
    COleDataSource source;
    source.CacheGlobalData(m_cfPrivate, MakeBlock("old"));
    source.CacheGlobalData(m_cfPrivate, MakeBlock("new"));
    EXPECT_EQ(1, source.GetCachedCount());
    ASSERT_TRUE(source.SetClipboard());

    COleDataObject data;
    data.AttachClipboard();
    HGLOBAL h = data.GetGlobalData(m_cfPrivate);
    ASSERT_NE(nullptr, h);
    EXPECT_EQ("new", BlockText(h));
    ::GlobalFree(h);
}

TEST_F(ClipboardTest, BitmapHandedOverBelongsToTheSystem)
{
    HBITMAP hBitmap = MakeRedBitmap(8, 6);
    {
        COleDataSource source;
        STGMEDIUM medium;
        memset(&medium, 0, sizeof(medium));
        medium.tymed = TYMED_GDI;
        medium.hBitmap = hBitmap;
        source.CacheData(CF_BITMAP, &medium);
        ASSERT_TRUE(source.SetClipboard());
    } // the source is gone: it must not have deleted the bitmap

    COleDataObject data;
    data.AttachClipboard();
    ASSERT_TRUE(data.IsDataAvailable(CF_BITMAP));
    STGMEDIUM medium;
    ASSERT_TRUE(data.GetData(CF_BITMAP, &medium));
    EXPECT_EQ((DWORD)TYMED_GDI, medium.tymed);
    ASSERT_NE(nullptr, medium.hBitmap);
    // The reader got a copy of the picture, not the system's handle.
    EXPECT_NE(hBitmap, medium.hBitmap);
    BITMAP bm;
    ASSERT_NE(0, ::GetObject(medium.hBitmap, sizeof(bm), &bm));
    EXPECT_EQ(8, bm.bmWidth);
    EXPECT_EQ(6, bm.bmHeight);
    HDC hMem = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hMem, medium.hBitmap);
    EXPECT_EQ(RGB(255, 0, 0), ::GetPixel(hMem, 3, 3));
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::ReleaseStgMedium(&medium);

    // A second read still works: the clipboard's bitmap is intact.
    STGMEDIUM second;
    ASSERT_TRUE(data.GetData(CF_BITMAP, &second));
    ::ReleaseStgMedium(&second);
}

TEST_F(ClipboardTest, FormatEnumerationListsWhatIsThere)
{
    COleDataSource source;
    source.CacheGlobalData(m_cfPrivate, MakeBlock("x"));
    STGMEDIUM medium;
    memset(&medium, 0, sizeof(medium));
    medium.tymed = TYMED_GDI;
    medium.hBitmap = MakeRedBitmap(2, 2);
    source.CacheData(CF_BITMAP, &medium);
    ASSERT_TRUE(source.SetClipboard());

    COleDataObject data;
    data.AttachClipboard();
    data.BeginEnumFormats();
    bool bPrivate = false, bBitmap = false;
    FORMATETC fmt;
    int nGuard = 0;
    while (data.GetNextFormat(&fmt) && ++nGuard < 100)
    {
        if (fmt.cfFormat == m_cfPrivate)
        {
            bPrivate = true;
            EXPECT_EQ((DWORD)TYMED_HGLOBAL, fmt.tymed);
            char szName[64] = {0};
            ::GetClipboardFormatName(fmt.cfFormat, szName, sizeof(szName));
            EXPECT_STREQ("Brindlemark Test Format", szName);
        }
        if (fmt.cfFormat == CF_BITMAP)
        {
            bBitmap = true;
            EXPECT_EQ((DWORD)TYMED_GDI, fmt.tymed);
        }
    }
    EXPECT_TRUE(bPrivate);
    EXPECT_TRUE(bBitmap);
    EXPECT_FALSE(data.GetNextFormat(&fmt));
    EXPECT_FALSE(data.GetNextFormat(NULL));
}

TEST_F(ClipboardTest, MissingFormatsAnswerNothing)
{
    COleDataSource source;
    source.CacheGlobalData(CF_TEXT, MakeBlock("only text"));
    ASSERT_TRUE(source.SetClipboard());

    COleDataObject data;
    data.AttachClipboard();
    EXPECT_FALSE(data.IsDataAvailable(m_cfPrivate));
    EXPECT_EQ(nullptr, data.GetGlobalData(m_cfPrivate));
    STGMEDIUM medium;
    EXPECT_FALSE(data.GetData(CF_BITMAP, &medium));
    EXPECT_EQ((DWORD)TYMED_NULL, medium.tymed);
    // A GDI format is not handed out as a global block.
    EXPECT_EQ(nullptr, data.GetGlobalData(CF_BITMAP));

    data.Release();
    EXPECT_FALSE(data.IsDataAvailable(CF_TEXT));
}

TEST_F(ClipboardTest, UnsentCacheIsFreedWithTheSource)
{
    HBITMAP hBitmap = MakeRedBitmap(4, 4);
    {
        COleDataSource source;
        STGMEDIUM medium;
        memset(&medium, 0, sizeof(medium));
        medium.tymed = TYMED_GDI;
        medium.hBitmap = hBitmap;
        source.CacheData(CF_BITMAP, &medium);
        // Never put on the clipboard: the source still owns the bitmap.
    }
    EXPECT_EQ(0u, ::GetObjectType(hBitmap));
}

TEST(DropTarget, RefusesEveryDrag)
{
    COleDropTarget target;
    EXPECT_FALSE(target.Register(NULL));
    COleDataObject data;
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, target.OnDragEnter(NULL, &data, 0, CPoint(0, 0)));
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, target.OnDragOver(NULL, &data, 0, CPoint(1, 1)));
    EXPECT_FALSE(target.OnDrop(NULL, &data, DROPEFFECT_COPY, CPoint(1, 1)));
}
