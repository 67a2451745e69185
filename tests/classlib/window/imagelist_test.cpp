// CImageList: masked adding and drawing, ownership, temporaries.
#include <gtest/gtest.h>

#include <afxcmn.h>

#include "support/canvas.h"

using testsupport::Canvas;

namespace
{
const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255);

// A bitmap of cx x cy in the mask colour with a solid square of crInner.
void MakeGlyph(CBitmap& bitmap, int cx, int cy, COLORREF crBack, COLORREF crInner, CRect inner)
{
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    HDC hScreen = ::GetDC(NULL);
    bitmap.Attach(::CreateCompatibleBitmap(hScreen, cx, cy));
    ::ReleaseDC(NULL, hScreen);
    CBitmap* pOld = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, cx, cy, crBack);
    dc.FillSolidRect(&inner, crInner);
    dc.SelectObject(pOld);
}

} // namespace

TEST(ImageList, MaskColourBecomesTransparentWhenDrawn)
{
    CImageList list;
    ASSERT_TRUE(list.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 2));
    CBitmap glyph;
    MakeGlyph(glyph, 16, 16, kMagenta, kRed, CRect(4, 4, 12, 12));
    EXPECT_EQ(0, list.Add(&glyph, kMagenta));
    EXPECT_EQ(1, list.GetImageCount());

    Canvas canvas(40, 20);
    ASSERT_TRUE(list.Draw(canvas.DC(), 0, CPoint(10, 2), ILD_TRANSPARENT));
    EXPECT_EQ(kRed, canvas.DC()->GetPixel(10 + 6, 2 + 6));
    EXPECT_EQ(kWhite, canvas.DC()->GetPixel(10 + 1, 2 + 1)); // was magenta
    EXPECT_EQ(kWhite, canvas.DC()->GetPixel(5, 5));           // outside the image
}

TEST(ImageList, AddWithAMaskBitmapAndReplace)
{
    CImageList list;
    ASSERT_TRUE(list.Create(8, 8, ILC_COLOR24 | ILC_MASK, 1, 1));
    CBitmap image, mask;
    MakeGlyph(image, 8, 8, kBlue, kBlue, CRect(0, 0, 0, 0));
    // Mask: white (transparent) everywhere except a black 4 x 4 square.
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    mask.CreateBitmap(8, 8, 1, 1, NULL);
    CBitmap* pOld = dc.SelectObject(&mask);
    dc.FillSolidRect(0, 0, 8, 8, kWhite);
    dc.FillSolidRect(0, 0, 4, 4, RGB(0, 0, 0));
    dc.SelectObject(pOld);
    ASSERT_EQ(0, list.Add(&image, &mask));

    Canvas canvas(8, 8);
    list.Draw(canvas.DC(), 0, CPoint(0, 0), ILD_TRANSPARENT);
    EXPECT_EQ(kBlue, canvas.DC()->GetPixel(1, 1));
    EXPECT_EQ(kWhite, canvas.DC()->GetPixel(6, 6));

    CBitmap red;
    MakeGlyph(red, 8, 8, kRed, kRed, CRect(0, 0, 0, 0));
    EXPECT_TRUE(list.Replace(0, &red, &mask));
    Canvas again(8, 8);
    list.Draw(again.DC(), 0, CPoint(0, 0), ILD_TRANSPARENT);
    EXPECT_EQ(kRed, again.DC()->GetPixel(1, 1));

    EXPECT_FALSE(list.Replace(5, &red, &mask));
    EXPECT_EQ(-1, list.Add((CBitmap*)NULL, kMagenta));
}

TEST(ImageList, IconsInAndOut)
{
    CImageList list;
    ASSERT_TRUE(list.Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1));
    HICON hIcon = ::LoadIcon(NULL, IDI_APPLICATION);
    ASSERT_NE(nullptr, hIcon);
    EXPECT_EQ(0, list.Add(hIcon));
    HICON hOut = list.ExtractIcon(0);
    ASSERT_NE(nullptr, hOut);
    ::DestroyIcon(hOut);
    EXPECT_EQ(nullptr, list.ExtractIcon(3));
    EXPECT_EQ(nullptr, list.ExtractIcon(-1));

    IMAGEINFO info;
    ASSERT_TRUE(list.GetImageInfo(0, &info));
    EXPECT_EQ(16, info.rcImage.right - info.rcImage.left);
    int cx = 0, cy = 0;
    EXPECT_TRUE(list.GetIconSize(&cx, &cy));
    EXPECT_EQ(16, cx);
    EXPECT_EQ(16, cy);
    EXPECT_TRUE(list.Remove(0));
    EXPECT_EQ(0, list.GetImageCount());
}

TEST(ImageList, OwnershipAndTemporaries)
{
    HIMAGELIST hKept;
    {
        CImageList list;
        ASSERT_TRUE(list.Create(4, 4, ILC_COLOR24, 1, 1));
        EXPECT_EQ(&list, CImageList::FromHandle(list.m_hImageList));
        EXPECT_EQ(&list, CImageList::FromHandlePermanent(list.m_hImageList));
        hKept = list.Detach();
        EXPECT_EQ(nullptr, CImageList::FromHandlePermanent(hKept));
    }
    // Detached, so it survived; a temporary wraps it without owning it.
    CImageList* pTemp = CImageList::FromHandle(hKept);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(0, pTemp->GetImageCount());
    AfxDeleteTempMaps();
    EXPECT_EQ(0, ImageList_GetImageCount(hKept));
    EXPECT_TRUE(ImageList_Destroy(hKept));

    CImageList* pNull = NULL;
    EXPECT_EQ(nullptr, pNull->GetSafeHandle());
    CImageList empty;
    EXPECT_FALSE(empty.DeleteImageList());
    EXPECT_EQ(0, empty.GetImageCount());
    EXPECT_FALSE(empty.Draw(NULL, 0, CPoint(0, 0), ILD_NORMAL));
}

TEST(ImageList, CopyOfAList)
{
    CImageList list;
    ASSERT_TRUE(list.Create(8, 8, ILC_COLOR24 | ILC_MASK, 1, 1));
    CBitmap glyph;
    MakeGlyph(glyph, 8, 8, kMagenta, kRed, CRect(2, 2, 6, 6));
    list.Add(&glyph, kMagenta);
    CImageList copy;
    ASSERT_TRUE(copy.Create(&list));
    EXPECT_NE(list.m_hImageList, copy.m_hImageList);
    EXPECT_EQ(1, copy.GetImageCount());
    CImageList other;
    EXPECT_FALSE(other.Create((CImageList*)NULL));
}
