// ctest: lock testkey (HKCU\Software\BrindlemarkTests)
// ctest: lock clipboard
// Icons, blending and the image manager: handles, state images, generated
// images, drawing (alpha, classic, mirrored), strips, nearest widths, custom
// ids, exchange round trips, the clipboard and corrupt stored images.
#include <gtest/gtest.h>

#include "support/canvas.h"
#include "support/pngwriter.h"
#include "support/registry.h"
#include "support/testwindows.h"
#include "XTPImageManager.h"
#include "XTPPropExchange.h"
#include "XTPColorManager.h"
#include "XTPDCHelpers.h"
#include <afxclip.h>
#include <functional>
#include <shlwapi.h>

#include <algorithm>
#include <string>
#include <vector>

using testsupport::Argb;
using testsupport::Canvas;

namespace
{
HBITMAP SolidAlpha(int cx, int cy, DWORD argb)
{
    return testsupport::MakeAlphaBitmap(cx, cy, [=](int, int) { return argb; });
}

HICON SolidIcon(int cx, int cy, COLORREF clr)
{
    return testsupport::MakeClassicIcon(cx, cy, [=](int, int) { return clr; }, [](int, int) { return true; });
}

// Holds the shared manager's msimg32 entries off for a scope.
struct CSoftwareBlending
{
    CXTPImageManager::PFNALPHABLEND pfnAlpha;
    CXTPImageManager::PFNTRANSPARENTBLT pfnTransparent;
    CSoftwareBlending()
    {
        pfnAlpha = XTPImageManager()->m_pfnAlphaBlend;
        pfnTransparent = XTPImageManager()->m_pfnTransparentBlt;
        XTPImageManager()->m_pfnAlphaBlend = NULL;
        XTPImageManager()->m_pfnTransparentBlt = NULL;
    }
    ~CSoftwareBlending()
    {
        XTPImageManager()->m_pfnAlphaBlend = pfnAlpha;
        XTPImageManager()->m_pfnTransparentBlt = pfnTransparent;
    }
};

int Diff(COLORREF a, COLORREF b)
{
    return std::max(std::max(std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b))),
                    std::abs(GetBValue(a) - GetBValue(b)));
}

// A 24-bit strip of images, image i filled with colors[i].
HBITMAP MakeStrip(int cx, int cy, const std::vector<COLORREF>& colors)
{
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, cx * (int)colors.size(), cy);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    for (size_t i = 0; i < colors.size(); i++)
    {
        RECT rc = { (int)i * cx, 0, (int)(i + 1) * cx, cy };
        HBRUSH hBrush = ::CreateSolidBrush(colors[i]);
        ::FillRect(hDC, &rc, hBrush);
        ::DeleteObject(hBrush);
    }
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::ReleaseDC(NULL, hScreen);
    return hBitmap;
}

COLORREF DrawnColor(CXTPImageManagerIcon* pIcon, CXTPImageManagerIconHandle& hImage, int x = 4, int y = 4)
{
    Canvas canvas(pIcon->GetWidth(), pIcon->GetHeight(), RGB(255, 255, 255));
    pIcon->Draw(canvas.DC(), CPoint(0, 0), hImage);
    return canvas.Pixel(x, y);
}
}

//////////////////////////////////////////////////////////////////////////
// Handles

TEST(IconHandle, OwnershipRules)
{
    HICON hIcon = SolidIcon(16, 16, RGB(1, 2, 3));
    {
        CXTPImageManagerIconHandle handle(hIcon);
        EXPECT_FALSE(handle.IsEmpty());
        EXPECT_FALSE(handle.IsAlpha());
        EXPECT_EQ(CSize(16, 16), handle.GetExtent());
        handle.Clear();
        EXPECT_TRUE(handle.IsEmpty());
    }
    ICONINFO info;
    ASSERT_TRUE(::GetIconInfo(hIcon, &info));  // the caller's icon survives
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);

    {
        CXTPImageManagerIconHandle owner;
        owner.AttachIcon(hIcon);
        CXTPImageManagerIconHandle copy;
        copy.CopyHandle(owner);
        EXPECT_NE(hIcon, copy.GetIcon());
        EXPECT_EQ(CSize(16, 16), copy.GetExtent());
    }
    EXPECT_FALSE(::GetIconInfo(hIcon, &info));  // attached icons are destroyed

    HBITMAP hBitmap = SolidAlpha(8, 4, Argb(255, 10, 20, 30));
    CXTPImageManagerIconHandle alpha(hBitmap);
    EXPECT_TRUE(alpha.IsAlpha());
    EXPECT_EQ(CSize(8, 4), alpha.GetExtent());
    EXPECT_TRUE(alpha.PreMultiply());
    EXPECT_NE(nullptr, alpha.GetPremultipliedBitmap());
    alpha.Clear();
    BITMAP bm;
    EXPECT_NE(0, ::GetObject(hBitmap, sizeof(bm), &bm));
    ::DeleteObject(hBitmap);
}

TEST(IconHandle, TakingMovesOwnedImagesAndCopiesWrappedOnes)
{
    ICONINFO info;
    HICON hOwned = SolidIcon(16, 16, RGB(1, 2, 3));
    {
        CXTPImageManagerIconHandle owner;
        owner.AttachIcon(hOwned);
        CXTPImageManagerIconHandle taker;
        taker.TakeHandle(owner);
        EXPECT_TRUE(owner.IsEmpty());
        EXPECT_EQ(hOwned, taker.GetIcon());
    }
    EXPECT_FALSE(::GetIconInfo(hOwned, &info)) << "the taker owns the moved icon";

    HICON hCallers = SolidIcon(16, 16, RGB(4, 5, 6));
    {
        CXTPImageManagerIconHandle wrapper(hCallers);
        CXTPImageManagerIconHandle taker;
        taker.TakeHandle(wrapper);
        EXPECT_TRUE(wrapper.IsEmpty());
        EXPECT_NE(hCallers, taker.GetIcon());
        EXPECT_EQ(CSize(16, 16), taker.GetExtent());
    }
    ASSERT_TRUE(::GetIconInfo(hCallers, &info)) << "a wrapped icon stays with its owner";
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);

    // An icon set to one of its own images keeps a valid image.
    CXTPImageManager manager;
    CXTPImageManagerIconHandle wrapped(hCallers);
    ASSERT_TRUE(manager.SetIcon(wrapped, 7));
    CXTPImageManagerIcon* pIcon = manager.GetImage(7);
    ASSERT_NE(nullptr, pIcon);
    pIcon->SetIcon(pIcon->GetIcon());
    ASSERT_TRUE(::GetIconInfo(pIcon->GetIcon().GetIcon(), &info));
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    EXPECT_EQ(CSize(16, 16), pIcon->GetExtent());
    ::DestroyIcon(hCallers);
}

TEST(IconHandle, CorruptIconResourcesAreRefused)
{
    // A 32-bit icon image: header, 2 x 2 colour pixels, then the mask.
    std::vector<BYTE> data(sizeof(BITMAPINFOHEADER) + 16 + 8, 0);
    BITMAPINFOHEADER* pbih = (BITMAPINFOHEADER*)data.data();
    pbih->biSize = sizeof(BITMAPINFOHEADER);
    pbih->biWidth = 2;
    pbih->biHeight = 4;
    pbih->biPlanes = 1;
    pbih->biBitCount = 32;
    DWORD* pPixels = (DWORD*)(data.data() + sizeof(BITMAPINFOHEADER));
    pPixels[0] = Argb(255, 1, 2, 3);

    CXTPImageManagerIconHandle handle;
    ASSERT_TRUE(handle.LoadIconFromData(data.data(), (DWORD)data.size(), 2, 2));
    EXPECT_TRUE(handle.IsAlpha());
    EXPECT_EQ(CSize(2, 2), handle.GetExtent());

    // Pixel data shorter than the header claims.
    EXPECT_FALSE(handle.LoadIconFromData(data.data(), sizeof(BITMAPINFOHEADER) + 8, 2, 2));
    EXPECT_TRUE(handle.IsEmpty());
    // Huge dimensions, bad planes, bad header size, tiny buffers.
    pbih->biWidth = 100000;
    EXPECT_FALSE(handle.LoadIconFromData(data.data(), (DWORD)data.size(), 2, 2));
    pbih->biWidth = 2;
    pbih->biPlanes = 3;
    EXPECT_FALSE(handle.LoadIconFromData(data.data(), (DWORD)data.size(), 2, 2));
    pbih->biPlanes = 1;
    pbih->biSize = 4000;
    EXPECT_FALSE(handle.LoadIconFromData(data.data(), (DWORD)data.size(), 2, 2));
    pbih->biSize = sizeof(BITMAPINFOHEADER);
    pbih->biBitCount = 7;
    EXPECT_FALSE(handle.LoadIconFromData(data.data(), (DWORD)data.size(), 2, 2));
    EXPECT_FALSE(handle.LoadIconFromData(data.data(), 10, 2, 2));
    EXPECT_TRUE(handle.IsEmpty());
}

//////////////////////////////////////////////////////////////////////////
// Icon states and generated images

TEST(ManagerIcon, StateFallbacks)
{
    CXTPImageManagerIcon icon(1, 16, 16);
    HICON hNormal = SolidIcon(16, 16, RGB(255, 0, 0));
    HICON hHot = SolidIcon(16, 16, RGB(0, 255, 0));
    icon.SetIcon(CXTPImageManagerIconHandle(hNormal));
    EXPECT_EQ(icon.GetIcon().GetIcon(), icon.GetHotIcon().GetIcon());
    icon.SetHotIcon(CXTPImageManagerIconHandle(hHot));

    EXPECT_EQ(&icon.GetHotIcon(), &icon.GetCheckedIcon());
    EXPECT_EQ(&icon.GetHotIcon(), &icon.GetPressedIcon());
    EXPECT_EQ(&icon.GetHotIcon(), &icon.GetIconByState(xtpImageHot));
    EXPECT_EQ(&icon.GetIcon(), &icon.GetIconByState(77));
    EXPECT_FALSE(icon.HasDisabledIcon());
    EXPECT_TRUE(icon.GetDisabledIcon(FALSE).IsEmpty());
    EXPECT_FALSE(icon.GetIconByState(xtpImageDisabled).IsEmpty());  // generated
    EXPECT_TRUE(icon.HasDisabledIcon());

    // Setting a state image drops the generated images.
    icon.SetCheckedIcon(CXTPImageManagerIconHandle(hNormal));
    EXPECT_FALSE(icon.HasDisabledIcon());
    EXPECT_NE(&icon.GetHotIcon(), &icon.GetCheckedIcon());

    icon.Clear(FALSE);
    EXPECT_FALSE(icon.GetIcon().IsEmpty());
    EXPECT_EQ(&icon.GetIcon(), &icon.GetCheckedIcon());
    icon.Clear(TRUE);
    EXPECT_TRUE(icon.GetIcon().IsEmpty());
    ::DestroyIcon(hNormal);
    ::DestroyIcon(hHot);
}

TEST(ManagerIcon, FadedShadowAndDisabledAlphaImages)
{
    HBITMAP hBitmap = testsupport::MakeAlphaBitmap(2, 1, [](int x, int) {
        return x == 0 ? Argb(255, 0, 0, 0) : Argb(200, 255, 255, 255);
    });
    CXTPImageManagerIcon icon(1, 2, 1);
    icon.SetIcon(CXTPImageManagerIconHandle(hBitmap));
    ::DeleteObject(hBitmap);
    ASSERT_TRUE(icon.IsAlpha());

    HBITMAP hFaded = icon.GetFadedIcon().GetBitmap();
    ASSERT_NE(nullptr, hFaded);
    EXPECT_EQ(Argb(255, 76, 76, 76), testsupport::ReadPixel(hFaded, 0, 0));
    EXPECT_EQ(Argb(200, 255, 255, 255), testsupport::ReadPixel(hFaded, 1, 0));

    COLORREF clr31 = GetXTPSysColor(XPCOLOR_HIGHLIGHT);
    BYTE r = (BYTE)(GetRValue(clr31) * 0.75), g = (BYTE)(GetGValue(clr31) * 0.75), b = (BYTE)(GetBValue(clr31) * 0.75);
    HBITMAP hShadow = icon.GetShadowIcon().GetBitmap();
    ASSERT_NE(nullptr, hShadow);
    EXPECT_EQ(Argb(255, r, g, b), testsupport::ReadPixel(hShadow, 0, 0));
    EXPECT_EQ(Argb(200, r, g, b), testsupport::ReadPixel(hShadow, 1, 0));

    // One missing colour counts as none: white stays white, black stays black.
    icon.CreateDisabledIcon(COLORREF_NULL, RGB(0, 0, 0));
    HBITMAP hDisabled = icon.GetDisabledIcon(FALSE).GetBitmap();
    ASSERT_NE(nullptr, hDisabled);
    EXPECT_EQ(Argb(255, 0, 0, 0), testsupport::ReadPixel(hDisabled, 0, 0));
    EXPECT_EQ(Argb(200, 255, 255, 255), testsupport::ReadPixel(hDisabled, 1, 0));

    icon.ClearGeneratedIcons();
    icon.CreateDisabledIcon(RGB(200, 100, 0), RGB(0, 0, 100));
    hDisabled = icon.GetDisabledIcon(FALSE).GetBitmap();
    EXPECT_EQ(Argb(255, 0, 0, 100), testsupport::ReadPixel(hDisabled, 0, 0));
    EXPECT_EQ(Argb(200, 200, 100, 0), testsupport::ReadPixel(hDisabled, 1, 0));
}

TEST(ManagerIcon, FadedAndShadowClassicImages)
{
    if (CXTPColorManager::IsLowColorDepth(NULL))
        GTEST_SKIP() << "low-colour screen keeps faded images";
    HICON hIcon = testsupport::MakeClassicIcon(8, 8, [](int, int) { return RGB(0, 0, 0); },
                                          [](int x, int) { return x < 4; });
    CXTPImageManagerIcon icon(1, 8, 8);
    icon.SetIcon(CXTPImageManagerIconHandle(hIcon));
    ::DestroyIcon(hIcon);

    Canvas canvas(8, 8, RGB(0, 0, 255));
    icon.Draw(canvas.DC(), CPoint(0, 0), icon.GetFadedIcon());
    EXPECT_EQ(RGB(76, 76, 76), canvas.Pixel(1, 1));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(6, 1));  // still transparent

    canvas.Fill(RGB(0, 0, 255));
    icon.Draw(canvas.DC(), CPoint(0, 0), icon.GetDisabledIcon());
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(1, 1));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(6, 1));

    canvas.Fill(RGB(255, 255, 255));
    icon.DrawMono(canvas.DC(), CPoint(0, 0), icon.GetIcon(), 8, 8, RGB(0, 128, 0));
    EXPECT_EQ(RGB(0, 128, 0), canvas.Pixel(1, 1));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(6, 1));
}

//////////////////////////////////////////////////////////////////////////
// Drawing and blending

TEST(ManagerIcon, AlphaIconAboveTheTopDrawsItsLowerPart)
{
    HBITMAP hBitmap = testsupport::MakeAlphaBitmap(4, 16, [](int, int y) { return Argb(255, (BYTE)(y * 10), 0, 0); });
    CXTPImageManagerIcon icon(1, 4, 16);
    icon.SetIcon(CXTPImageManagerIconHandle(hBitmap));
    ::DeleteObject(hBitmap);

    Canvas canvas(4, 16, RGB(0, 0, 255));
    icon.Draw(canvas.DC(), CPoint(0, -4), icon.GetIcon());
    EXPECT_EQ(RGB(40, 0, 0), canvas.Pixel(1, 0));
    EXPECT_EQ(RGB(150, 0, 0), canvas.Pixel(1, 11));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(1, 12));

    canvas.Fill(RGB(0, 0, 255));
    icon.Draw(canvas.DC(), CPoint(0, -16), icon.GetIcon());
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(1, 0));
}

TEST(Blending, SoftwareAndSystemAlphaBlendAgree)
{
    // Premultiplied half-transparent red over white.
    HBITMAP hSource = testsupport::MakeAlphaBitmap(4, 4, [](int x, int) {
        return x < 2 ? Argb(128, 128, 0, 0) : Argb(0, 0, 0, 0);
    });
    CXTPCompatibleDC dcSource(NULL, hSource);

    Canvas hardware(4, 4, RGB(255, 255, 255)), software(4, 4, RGB(255, 255, 255));
    if (XTPImageManager()->m_pfnAlphaBlend != NULL)
    {
        EXPECT_TRUE(CXTPImageManager::AlphaBlend(hardware.Handle(), CRect(0, 0, 4, 4), dcSource.GetSafeHdc(),
                                                 CRect(0, 0, 4, 4)));
    }
    {
        CSoftwareBlending soft;
        EXPECT_TRUE(CXTPImageManager::AlphaBlend(software.Handle(), CRect(0, 0, 4, 4), dcSource.GetSafeHdc(),
                                                 CRect(0, 0, 4, 4)));
    }
    EXPECT_EQ(RGB(255, 127, 127), software.Pixel(0, 0));
    EXPECT_EQ(RGB(255, 255, 255), software.Pixel(3, 3));  // fully transparent: unchanged
    if (XTPImageManager()->m_pfnAlphaBlend != NULL)
    {
        EXPECT_LE(Diff(hardware.Pixel(0, 0), software.Pixel(0, 0)), 2);
        EXPECT_EQ(RGB(255, 255, 255), hardware.Pixel(3, 3));
    }
    ::DeleteObject(hSource);
}

TEST(Blending, AlphaIconsOnTwentyFourBitTargets)
{
    HBITMAP hBitmap = testsupport::MakeAlphaBitmap(8, 8, [](int x, int) {
        return x < 4 ? Argb(255, 0, 0, 200) : Argb(0, 0, 0, 0);
    });
    CXTPImageManagerIcon icon(1, 8, 8);
    icon.SetIcon(CXTPImageManagerIconHandle(hBitmap));
    ::DeleteObject(hBitmap);

    Canvas system(8, 8, RGB(250, 250, 250), 24), software(8, 8, RGB(250, 250, 250), 24);
    icon.Draw(system.DC(), CPoint(0, 0), icon.GetIcon());
    {
        CSoftwareBlending soft;
        icon.Draw(software.DC(), CPoint(0, 0), icon.GetIcon());
    }
    EXPECT_EQ(RGB(0, 0, 200), software.Pixel(1, 1));
    EXPECT_EQ(RGB(250, 250, 250), software.Pixel(6, 1));
    EXPECT_LE(Diff(RGB(0, 0, 200), system.Pixel(1, 1)), 2);
    EXPECT_EQ(RGB(250, 250, 250), system.Pixel(6, 1));
}

TEST(Blending, SoftwareTransparentBlt)
{
    Canvas source(4, 4, RGB(255, 0, 255));
    ::SetPixelV(source.Handle(), 1, 1, RGB(0, 200, 0));
    Canvas target(8, 8, RGB(10, 10, 10));
    {
        CSoftwareBlending soft;
        EXPECT_TRUE(CXTPImageManager::TransparentBlt(target.Handle(), CRect(2, 2, 6, 6), source.Handle(),
                                                     CRect(0, 0, 4, 4), RGB(255, 0, 255)));
        // Stretched to twice the size.
        EXPECT_TRUE(CXTPImageManager::TransparentBlt(target.Handle(), CRect(0, 0, 8, 8), source.Handle(),
                                                     CRect(0, 0, 4, 4), RGB(255, 0, 255)));
    }
    EXPECT_EQ(RGB(10, 10, 10), target.Pixel(0, 0));
    EXPECT_EQ(RGB(0, 200, 0), target.Pixel(3, 3));
    EXPECT_EQ(RGB(10, 10, 10), target.Pixel(7, 7));
}

TEST(Blending, PremultiplyMirrorAndCopy)
{
    HBITMAP hBitmap = testsupport::MakeAlphaBitmap(3, 1, [](int x, int) {
        return x == 0 ? Argb(0, 200, 200, 200) : (x == 1 ? Argb(255, 100, 50, 10) : Argb(128, 255, 255, 255));
    });
    BOOL bAlpha = FALSE;
    HBITMAP hPre = CXTPImageManager::PreMultiplyAlphaBitmap(hBitmap, &bAlpha);
    EXPECT_TRUE(bAlpha);
    EXPECT_EQ(Argb(0, 0, 0, 0), testsupport::ReadPixel(hPre, 0, 0));
    EXPECT_EQ(Argb(255, 100, 50, 10), testsupport::ReadPixel(hPre, 1, 0));
    EXPECT_EQ(Argb(128, 128, 128, 128), testsupport::ReadPixel(hPre, 2, 0));
    ::DeleteObject(hPre);

    // All opaque: no alpha, pixels copied unmultiplied.
    HBITMAP hOpaque = SolidAlpha(2, 2, Argb(255, 9, 8, 7));
    bAlpha = FALSE;
    hPre = CXTPImageManager::PreMultiplyAlphaBitmap(hOpaque, &bAlpha);
    EXPECT_FALSE(bAlpha);
    EXPECT_EQ(Argb(255, 9, 8, 7), testsupport::ReadPixel(hPre, 1, 1));
    ::DeleteObject(hPre);
    ::DeleteObject(hOpaque);

    HBITMAP hMirror = CXTPImageManager::MirrorAlphaBitmap(hBitmap);
    EXPECT_EQ(testsupport::ReadPixel(hBitmap, 2, 0), testsupport::ReadPixel(hMirror, 0, 0));
    EXPECT_EQ(testsupport::ReadPixel(hBitmap, 0, 0), testsupport::ReadPixel(hMirror, 2, 0));
    HBITMAP hCopy = CXTPImageManager::CopyAlphaBitmap(hBitmap);
    EXPECT_EQ(testsupport::ReadPixel(hBitmap, 1, 0), testsupport::ReadPixel(hCopy, 1, 0));
    ::DeleteObject(hMirror);
    ::DeleteObject(hCopy);
    ::DeleteObject(hBitmap);

    // Only 32-bit bitmaps qualify.
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hDDB = ::CreateBitmap(4, 4, 1, 1, NULL);
    ::ReleaseDC(NULL, hScreen);
    EXPECT_EQ(nullptr, CXTPImageManager::CopyAlphaBitmap(hDDB));
    ::DeleteObject(hDDB);
}

TEST(ManagerIcon, ClassicIconsMirrorOnRightToLeftDCs)
{
    HICON hIcon = testsupport::MakeClassicIcon(8, 8, [](int x, int) { return x < 4 ? RGB(255, 0, 0) : RGB(0, 0, 255); },
                                          [](int, int) { return true; });
    CXTPImageManagerIcon icon(1, 8, 8);
    icon.SetIcon(CXTPImageManagerIconHandle(hIcon));
    ::DestroyIcon(hIcon);

    Canvas canvas(8, 8);
    icon.Draw(canvas.DC(), CPoint(0, 0), icon.GetIcon());
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(1, 4));

    int nOldMode = XTPImageManager()->m_nRTLMode;
    XTPImageManager()->m_nRTLMode = 1;
    canvas.Fill(RGB(255, 255, 255));
    icon.Draw(canvas.DC(), CPoint(0, 0), icon.GetIcon());
    COLORREF clrMirrored = canvas.Pixel(1, 4);
    XTPImageManager()->m_nRTLMode = nOldMode;
    EXPECT_EQ(RGB(0, 0, 255), clrMirrored);

    // Drawn through alpha blending, the same icon keeps its colours.
    icon.m_bDrawWithAlpha = TRUE;
    canvas.Fill(RGB(255, 255, 255));
    icon.Draw(canvas.DC(), CPoint(0, 0), icon.GetIcon());
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(1, 4));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(6, 4));
}

TEST(ManagerIcon, ClassicIconsAtTheirSizeDrawLikeDrawIconEx)
{
    // Opaque and transparent pixels, and a corner whose pixels invert the
    // background (mask set, colour not black).
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hColor = ::CreateCompatibleBitmap(hScreen, 8, 8);
    HBITMAP hMask = ::CreateBitmap(8, 8, 1, 1, NULL);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    for (int nCase = 0; nCase < 2; nCase++)
    {
        HGDIOBJ hOld = ::SelectObject(hDC, hColor);
        for (int y = 0; y < 8; y++)
            for (int x = 0; x < 8; x++)
                ::SetPixelV(hDC, x, y,
                            x < 4 ? (y < 3 ? RGB(200, 20, 20) : RGB(20, 160, 20))
                                  : (nCase == 1 && y < 2 ? RGB(255, 255, 255) : 0));
        ::SelectObject(hDC, hMask);
        for (int y = 0; y < 8; y++)
            for (int x = 0; x < 8; x++)
                ::SetPixelV(hDC, x, y, x < 4 ? RGB(0, 0, 0) : RGB(255, 255, 255));
        ::SelectObject(hDC, hOld);
        ICONINFO info = { TRUE, 0, 0, hMask, hColor };
        HICON hIcon = ::CreateIconIndirect(&info);
        CXTPImageManagerIcon icon(1, 8, 8);
        icon.SetIcon(CXTPImageManagerIconHandle(hIcon));
        EXPECT_EQ(nCase == 0, icon.GetIcon().GetMaskedBitmap() != NULL) << "inverting pixels keep the icon path";

        Canvas drawn(8, 8, RGB(0, 100, 0)), expected(8, 8, RGB(0, 100, 0));
        icon.Draw(drawn.DC(), CPoint(0, 0), icon.GetIcon());
        ::DrawIconEx(expected.Handle(), 0, 0, icon.GetIcon().GetIcon(), 8, 8, 0, NULL, DI_NORMAL);
        for (int y = 0; y < 8; y++)
            for (int x = 0; x < 8; x++)
                ASSERT_EQ(expected.Pixel(x, y), drawn.Pixel(x, y)) << nCase << ": " << x << "," << y;
        ::DestroyIcon(hIcon);
    }
    ::DeleteDC(hDC);
    ::DeleteObject(hColor);
    ::DeleteObject(hMask);
    ::ReleaseDC(NULL, hScreen);
}

//////////////////////////////////////////////////////////////////////////
// The image manager

TEST(ImageManager, StripWithoutSizeGivesOneIconPerCommand)
{
    std::vector<COLORREF> colors;
    std::vector<UINT> ids;
    for (int i = 0; i < 10; i++)
    {
        colors.push_back(RGB(i * 20, 255 - i * 20, 100));
        ids.push_back(1000 + i);
    }
    HBITMAP hStrip = MakeStrip(16, 16, colors);
    CXTPImageManager manager;
    manager.SetMaskColor(RGB(255, 0, 255));
    ASSERT_TRUE(manager.SetIconsFromBitmap(hStrip, ids.data(), 10, CSize(0, 0), xtpImageNormal, FALSE));
    ::DeleteObject(hStrip);

    for (int i = 0; i < 10; i++)
    {
        CXTPImageManagerIcon* pIcon = manager.GetImage(1000 + i, 16);
        ASSERT_NE(nullptr, pIcon) << i;
        EXPECT_EQ(16, pIcon->GetWidth());
        EXPECT_EQ(16, pIcon->GetHeight());
        EXPECT_LE(Diff(colors[i], DrawnColor(pIcon, pIcon->GetIcon())), 8) << i;
    }
}

TEST(ImageManager, SeparatorsTakeNoImage)
{
    HBITMAP hStrip = MakeStrip(16, 16, { RGB(255, 0, 0), RGB(0, 0, 255) });
    CXTPImageManager manager;
    manager.SetMaskColor(RGB(0, 255, 0));
    UINT ids[] = { 100, 0, 101 };
    ASSERT_TRUE(manager.SetIconsFromBitmap(hStrip, ids, 3, CSize(16, 16), xtpImageNormal, FALSE));
    ::DeleteObject(hStrip);

    EXPECT_EQ(nullptr, manager.GetIconSet(0));
    CXTPImageManagerIcon* p100 = manager.GetImage(100);
    CXTPImageManagerIcon* p101 = manager.GetImage(101);
    ASSERT_TRUE(p100 && p101);
    EXPECT_LE(Diff(RGB(255, 0, 0), DrawnColor(p100, p100->GetIcon())), 8);
    EXPECT_LE(Diff(RGB(0, 0, 255), DrawnColor(p101, p101->GetIcon())), 8);
}

TEST(ImageManager, TopLeftPixelIsTheDefaultMask)
{
    HBITMAP hStrip = MakeStrip(8, 8, { RGB(255, 0, 255), RGB(0, 128, 0) });
    CXTPImageManager manager;
    ASSERT_TRUE(manager.SetIconsFromBitmap(hStrip, NULL, 2, CSize(8, 8), xtpImageNormal, FALSE));
    ::DeleteObject(hStrip);
    CXTPImageManagerIcon* p0 = manager.GetImage(0, 8);
    CXTPImageManagerIcon* p1 = manager.GetImage(1, 8);
    ASSERT_TRUE(p0 && p1);
    EXPECT_EQ(RGB(255, 255, 255), DrawnColor(p0, p0->GetIcon()));  // all transparent
    EXPECT_LE(Diff(RGB(0, 128, 0), DrawnColor(p1, p1->GetIcon())), 8);
}

TEST(ImageManager, AlphaStripsAreSplit)
{
    HBITMAP hStrip = testsupport::MakeAlphaBitmap(48, 16, [](int x, int) {
        return x < 16 ? Argb(255, 255, 0, 0) : (x < 32 ? Argb(255, 0, 255, 0) : Argb(255, 0, 0, 255));
    });
    CXTPImageManager manager;
    UINT ids[] = { 7, 8, 9 };
    ASSERT_TRUE(manager.SetIconsFromBitmap(hStrip, ids, 3, CSize(16, 16), xtpImageNormal, TRUE));
    CXTPImageManagerIcon* p8 = manager.GetImage(8);
    ASSERT_NE(nullptr, p8);
    EXPECT_TRUE(p8->IsAlpha());
    EXPECT_EQ(Argb(255, 0, 255, 0), testsupport::ReadPixel(p8->GetIcon().GetBitmap(), 5, 5) | 0);
    EXPECT_EQ(RGB(0, 0, 255), DrawnColor(manager.GetImage(9), manager.GetImage(9)->GetIcon()));

    // Hot images go to the existing sets.
    ASSERT_TRUE(manager.SetIconsFromBitmap(hStrip, ids, 3, CSize(16, 16), xtpImageHot, TRUE));
    EXPECT_NE(&p8->GetIcon(), &p8->GetHotIcon());

    // 50 is not a multiple of 16.
    HBITMAP hOdd = SolidAlpha(50, 16, Argb(255, 1, 1, 1));
    EXPECT_FALSE(manager.SetIconsFromBitmap(hOdd, NULL, 0, CSize(16, 16), xtpImageNormal, TRUE));
    ::DeleteObject(hOdd);
    ::DeleteObject(hStrip);
}

TEST(ImageManager, NearestWidthChoice)
{
    CXTPImageManager manager;
    HICON h16 = SolidIcon(16, 16, RGB(1, 1, 1)), h32 = SolidIcon(32, 32, RGB(2, 2, 2));
    EXPECT_TRUE(manager.SetIcon(CXTPImageManagerIconHandle(h16), 50));
    EXPECT_TRUE(manager.SetIcon(CXTPImageManagerIconHandle(h32), 50));
    ::DestroyIcon(h16);
    ::DestroyIcon(h32);

    CXTPImageManagerIcon* p24 = manager.GetImage(50, 24);
    ASSERT_NE(nullptr, p24);
    EXPECT_TRUE(p24->GetWidth() == 16 || p24->GetWidth() == 32);
    EXPECT_EQ(16, manager.GetImage(50, 0)->GetWidth());
    EXPECT_EQ(32, manager.GetImage(50, 1)->GetWidth());
    EXPECT_EQ(32, manager.GetImage(50, 30)->GetWidth());
    EXPECT_EQ(16, manager.GetImage(50, 17)->GetWidth());
    EXPECT_TRUE(manager.HasIcon(50, 16));
    EXPECT_FALSE(manager.HasIcon(50, 24));
    EXPECT_EQ(nullptr, manager.GetImage(51, 16));
    EXPECT_EQ(nullptr, manager.GetIconSet(50)->GetIcon(24, FALSE));
}

TEST(ImageManager, SetIconRulesAndCustomIds)
{
    CXTPImageManager manager;
    HICON hIcon = SolidIcon(16, 16, RGB(3, 3, 3));
    CXTPImageManagerIconHandle handle(hIcon);

    EXPECT_FALSE(manager.SetIcon(CXTPImageManagerIconHandle(), 10));
    EXPECT_FALSE(manager.SetIcon(handle, 10, CSize(0, 0), xtpImageHot));
    EXPECT_EQ(nullptr, manager.GetIconSet(10));
    EXPECT_TRUE(manager.SetIcon(handle, 10));
    EXPECT_TRUE(manager.SetIcon(handle, 10, CSize(0, 0), xtpImageHot));
    EXPECT_TRUE(manager.SetIcon(handle, 10, CSize(0, 0), 99));  // accepted, sets nothing

    EXPECT_EQ(68267u, manager.AddCustomIcon(handle));
    EXPECT_EQ(68268u, manager.AddCustomIcon(handle));
    ASSERT_NE(nullptr, manager.GetImage(68268));

    manager.RemoveAll();
    EXPECT_EQ(nullptr, manager.GetIconSet(10));
    EXPECT_EQ(68269u, manager.AddCustomIcon(handle));  // the counter only grows
    ::DestroyIcon(hIcon);

    CXTPImageManager other;
    EXPECT_EQ(COLORREF_NULL, other.SetMaskColor(RGB(0, 255, 0)));
    EXPECT_EQ(RGB(0, 255, 0), other.SetMaskColor(COLORREF_NULL));
}

TEST(ImageManager, ImageListsWithAndWithoutIds)
{
    HIMAGELIST hList = ImageList_Create(8, 8, ILC_COLOR24 | ILC_MASK, 3, 1);
    HICON hRed = SolidIcon(8, 8, RGB(255, 0, 0)), hBlue = SolidIcon(8, 8, RGB(0, 0, 255));
    ImageList_ReplaceIcon(hList, -1, hRed);
    ImageList_ReplaceIcon(hList, -1, hBlue);
    ::DestroyIcon(hRed);
    ::DestroyIcon(hBlue);

    CXTPImageManager manager;
    EXPECT_TRUE(manager.SetIconsFromImageList(hList, NULL, 0, CSize(0, 0)));
    ASSERT_NE(nullptr, manager.GetImage(1, 8));
    EXPECT_LE(Diff(RGB(0, 0, 255), DrawnColor(manager.GetImage(1, 8), manager.GetImage(1, 8)->GetIcon(), 2, 2)), 8);

    UINT ids[] = { 20, 0, 21 };
    EXPECT_TRUE(manager.SetIconsFromImageList(hList, ids, 3, CSize(8, 8)));
    EXPECT_LE(Diff(RGB(0, 0, 255), DrawnColor(manager.GetImage(21, 8), manager.GetImage(21, 8)->GetIcon(), 2, 2)), 8);

    // A size asked for other than the list's: the images keep their own.
    UINT big[] = { 30 };
    EXPECT_TRUE(manager.SetIconsFromImageList(hList, big, 1, CSize(16, 16)));
    ASSERT_NE(nullptr, manager.GetImage(30, 16));
    EXPECT_EQ(CSize(8, 8), manager.GetImage(30, 16)->GetExtent());
    EXPECT_FALSE(manager.SetIconsFromImageList((HIMAGELIST)NULL, NULL, 0, CSize(0, 0)));
    ImageList_Destroy(hList);
}

//////////////////////////////////////////////////////////////////////////
// Exchange

namespace
{
// A manager with a classic icon in all set states at two widths and an alpha icon.
void FillManager(CXTPImageManager& manager)
{
    HICON hNormal = SolidIcon(16, 16, RGB(200, 0, 0));
    HICON hHot = SolidIcon(16, 16, RGB(0, 200, 0));
    HICON hChecked = SolidIcon(16, 16, RGB(0, 0, 200));
    HICON hPressed = SolidIcon(16, 16, RGB(200, 200, 0));
    HICON hDisabled = SolidIcon(16, 16, RGB(100, 100, 100));
    HICON hLarge = SolidIcon(24, 24, RGB(0, 200, 200));
    manager.SetIcon(CXTPImageManagerIconHandle(hNormal), 500);
    manager.SetIcon(CXTPImageManagerIconHandle(hHot), 500, CSize(0, 0), xtpImageHot);
    manager.SetIcon(CXTPImageManagerIconHandle(hChecked), 500, CSize(0, 0), xtpImageChecked);
    manager.SetIcon(CXTPImageManagerIconHandle(hPressed), 500, CSize(0, 0), xtpImagePressed);
    manager.SetIcon(CXTPImageManagerIconHandle(hDisabled), 500, CSize(0, 0), xtpImageDisabled);
    manager.SetIcon(CXTPImageManagerIconHandle(hLarge), 500);
    for (HICON h : { hNormal, hHot, hChecked, hPressed, hDisabled, hLarge })
        ::DestroyIcon(h);

    HBITMAP hAlpha = SolidAlpha(16, 16, Argb(255, 10, 20, 30));
    manager.SetIcon(CXTPImageManagerIconHandle(hAlpha), 70000);
    ::DeleteObject(hAlpha);
}

void ExpectManager(CXTPImageManager& manager)
{
    CXTPImageManagerIcon* pIcon = manager.GetImage(500, 16);
    ASSERT_NE(nullptr, pIcon);
    EXPECT_TRUE(manager.HasIcon(500, 24));
    EXPECT_LE(Diff(RGB(200, 0, 0), DrawnColor(pIcon, pIcon->GetIcon())), 8);
    EXPECT_LE(Diff(RGB(0, 200, 0), DrawnColor(pIcon, pIcon->GetHotIcon())), 8);
    EXPECT_LE(Diff(RGB(0, 0, 200), DrawnColor(pIcon, pIcon->GetCheckedIcon())), 8);
    EXPECT_LE(Diff(RGB(200, 200, 0), DrawnColor(pIcon, pIcon->GetPressedIcon())), 8);
    EXPECT_LE(Diff(RGB(100, 100, 100), DrawnColor(pIcon, pIcon->GetDisabledIcon(FALSE))), 8);

    CXTPImageManagerIcon* pAlpha = manager.GetImage(70000, 16);
    ASSERT_NE(nullptr, pAlpha);
    EXPECT_TRUE(pAlpha->IsAlpha());
    EXPECT_EQ(Argb(255, 10, 20, 30), testsupport::ReadPixel(pAlpha->GetIcon().GetBitmap(), 3, 3));
    // Custom ids handed out later stay above every loaded id.
    EXPECT_GT(manager.AddCustomIcon(pAlpha->GetIcon()), 70000u);
}
}

TEST(ImageExchange, ArchiveRoundTrip)
{
    CXTPImageManager saved;
    FillManager(saved);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        saved.Serialize(ar);
        ar.Close();
    }
    file.SeekToBegin();
    CXTPImageManager loaded;
    HICON hStale = SolidIcon(16, 16, 0);
    loaded.SetIcon(CXTPImageManagerIconHandle(hStale), 3);
    ::DestroyIcon(hStale);
    {
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
        ar.Close();
    }
    EXPECT_EQ(nullptr, loaded.GetIconSet(3));  // loading starts empty
    ExpectManager(loaded);
}

TEST(ImageExchange, RegistryAndIniRoundTrips)
{
    testsupport::ScopedTestKey key("F1Images");
    ASSERT_EQ(ERROR_SUCCESS, key.Result());
    HKEY hKey = key.Handle();
    CXTPImageManager saved;
    FillManager(saved);
    {
        CXTPPropExchangeSection px(new CXTPPropExchangeRegistry(FALSE, hKey, "Images"));
        saved.DoPropExchange(px);
    }
    {
        CXTPImageManager loaded;
        CXTPPropExchangeSection px(new CXTPPropExchangeRegistry(TRUE, hKey, "Images"));
        loaded.DoPropExchange(px);
        ExpectManager(loaded);
    }

    // The INI store keeps serialised objects as letter text.
    CXTPPropExchangeIniFile* pIni = new CXTPPropExchangeIniFile(FALSE, NULL, "Images");
    CXTPPropExchangeSection pxSave(pIni);
    saved.DoPropExchange(pxSave);
    CXTPPropExchangeIniFile* pIniLoad = new CXTPPropExchangeIniFile(TRUE, NULL, "Images");
    pIniLoad->SetFileName(pIni->GetFileName());
    {
        CXTPPropExchangeSection pxLoad(pIniLoad);
        CXTPImageManager loaded;
        loaded.DoPropExchange(pxLoad);
        ExpectManager(loaded);
    }
}

TEST(ImageExchange, AnImageTooLargeForAnIniLineFailsTheSaveAndNoEarlierImageComesBack)
{
    // A 16-pixel image of command 5 saved into an INI file; then, over the
    // same file, a 64-pixel one (more than an INI line holds): the save
    // says it failed, and loading gives no image rather than the old one.
    char szFolder[MAX_PATH], szFile[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szFolder);
    ::GetTempFileNameA(szFolder, "img", 0, szFile);
    auto save = [&](CXTPImageManager& manager) {
        CXTPPropExchangeIniFile* pIni = new CXTPPropExchangeIniFile(FALSE, NULL, "Images");
        pIni->SetFileName(szFile);
        CXTPPropExchangeSection px(pIni);
        return manager.DoPropExchange(px);
    };
    auto load = [&](CXTPImageManager& manager) {
        CXTPPropExchangeIniFile* pIni = new CXTPPropExchangeIniFile(TRUE, NULL, "Images");
        pIni->SetFileName(szFile);
        CXTPPropExchangeSection px(pIni);
        manager.DoPropExchange(px);
    };
    {
        CXTPImageManager small;
        HBITMAP hBitmap = SolidAlpha(16, 16, Argb(255, 200, 0, 0));
        ASSERT_TRUE(small.SetIcon(CXTPImageManagerIconHandle(hBitmap), 5));
        ::DeleteObject(hBitmap);
        EXPECT_TRUE(save(small));
        CXTPImageManager loaded;
        load(loaded);
        EXPECT_TRUE(loaded.GetIconSet(5) != NULL);
    }
    {
        CXTPImageManager large;
        HBITMAP hBitmap = SolidAlpha(64, 64, Argb(255, 0, 0, 200));
        ASSERT_TRUE(large.SetIcon(CXTPImageManagerIconHandle(hBitmap), 5));
        ::DeleteObject(hBitmap);
        EXPECT_FALSE(save(large)) << "the image cannot be stored whole";
        CXTPImageManager loaded;
        load(loaded);
        EXPECT_TRUE(loaded.GetIconSet(5) == NULL) << "the earlier image came back";
    }
    ::DeleteFileA(szFile);
}

TEST(ImageExchange, IconBinaryForm)
{
    HICON hIcon = SolidIcon(16, 16, RGB(1, 2, 3));
    CXTPImageManagerIcon icon(9, 16, 16);
    icon.SetIcon(CXTPImageManagerIconHandle(hIcon));
    ::DestroyIcon(hIcon);

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        icon.Serialize(ar);
        ar.Close();
    }
    UINT nLength = (UINT)file.GetLength();
    BYTE* pData = file.Detach();
    ASSERT_GT(nLength, 8u + 16u);
    EXPECT_EQ(16u, *(DWORD*)pData);
    EXPECT_EQ(20u, *(DWORD*)(pData + 4));
    // Disabled, hot, checked and pressed: two empty blocks each.
    for (UINT i = nLength - 16; i < nLength; i++)
        EXPECT_EQ(0, pData[i]) << i;
    free(pData);
}

TEST(ImageExchange, LoadingKeepsTheStoredHeight)
{
    // A 16 x 15 toolbar glyph kept in a 16 x 16 picture.
    HICON hIcon = SolidIcon(16, 16, RGB(1, 2, 3));
    CXTPImageManagerIconHandle handle;
    handle.AttachIcon(hIcon);
    CXTPImageManagerIconHandle empty;
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << (DWORD)15 << (DWORD)20;
        CXTPImageManagerIcon::SerializeImage(handle, ar);
        for (int i = 0; i < 4; i++)
            CXTPImageManagerIcon::SerializeImage(empty, ar);
        ar.Close();
    }
    file.SeekToBegin();
    CXTPImageManagerIcon loaded(9, 16, 16);
    {
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
        ar.Close();
    }
    EXPECT_EQ(15, loaded.GetHeight());
    EXPECT_FALSE(loaded.GetIcon().IsEmpty());
}

TEST(ImageExchange, AStoredCountBeyondTheSetsEndsAtTheFirstMissingOne)
{
    testsupport::ScopedTestKey key("ImageCounts");
    ASSERT_EQ(ERROR_SUCCESS, key.Result());
    HKEY hKey = key.Handle();
    {
        CXTPImageManager saved;
        HICON hIcon = SolidIcon(16, 16, RGB(9, 9, 9));
        saved.SetIcon(CXTPImageManagerIconHandle(hIcon), 42);
        ::DestroyIcon(hIcon);
        CXTPPropExchangeSection px(new CXTPPropExchangeRegistry(FALSE, hKey, "Images"));
        saved.DoPropExchange(px);
    }
    // Both counts now claim far more than is there.
    DWORD dwHuge = 0xFFFFFFFF;
    ASSERT_EQ((DWORD)ERROR_SUCCESS, ::SHSetValueA(hKey, "Images", "Count", REG_DWORD, &dwHuge, sizeof(dwHuge)));
    ASSERT_EQ((DWORD)ERROR_SUCCESS, ::SHSetValueA(hKey, "Images\\IconSet0", "Count", REG_DWORD, &dwHuge, sizeof(dwHuge)));

    CXTPImageManager loaded;
    {
        CXTPPropExchangeSection px(new CXTPPropExchangeRegistry(TRUE, hKey, "Images"));
        loaded.DoPropExchange(px);
    }
    EXPECT_TRUE(loaded.HasIcon(42, 16));
    EXPECT_EQ(1, (int)loaded.GetImages()->GetCount());
    CXTPImageManagerIconSet* pSet = loaded.GetIconSet(42);
    ASSERT_NE(nullptr, pSet);
    EXPECT_EQ(1, (int)pSet->GetIcons()->GetCount());

    // Loading made no keys.
    DWORD dwSets = 0, dwIcons = 0;
    HKEY hImages = NULL, hSet = NULL;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(hKey, "Images", 0, KEY_READ, &hImages));
    ::RegQueryInfoKeyA(hImages, NULL, NULL, NULL, &dwSets, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(hImages, "IconSet0", 0, KEY_READ, &hSet));
    ::RegQueryInfoKeyA(hSet, NULL, NULL, NULL, &dwIcons, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
    ::RegCloseKey(hSet);
    ::RegCloseKey(hImages);
    EXPECT_EQ(1u, dwSets);
    EXPECT_EQ(1u, dwIcons);
}

TEST(ImageExchange, OldStreamsHaveNoCheckedOrPressedImages)
{
    HICON hIcon = SolidIcon(16, 16, RGB(1, 2, 3));
    CXTPImageManagerIconHandle handle;
    handle.AttachIcon(hIcon);
    CXTPImageManagerIconHandle empty;

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << (DWORD)16 << (DWORD)7;
        CXTPImageManagerIcon::SerializeImage(handle, ar);
        CXTPImageManagerIcon::SerializeImage(empty, ar);
        CXTPImageManagerIcon::SerializeImage(handle, ar);
        ar << (DWORD)0xABCDEF01;  // what follows the icon
        ar.Close();
    }
    file.SeekToBegin();
    CXTPImageManagerIcon icon(9, 16, 16);
    DWORD dwNext = 0;
    {
        CArchive ar(&file, CArchive::load);
        icon.Serialize(ar);
        ar >> dwNext;
        ar.Close();
    }
    EXPECT_EQ(0xABCDEF01u, dwNext);
    EXPECT_FALSE(icon.GetIcon().IsEmpty());
    EXPECT_NE(&icon.GetIcon(), &icon.GetHotIcon());
    EXPECT_EQ(&icon.GetHotIcon(), &icon.GetCheckedIcon());
    EXPECT_EQ(&icon.GetHotIcon(), &icon.GetPressedIcon());
}

TEST(ImageExchange, WrongCheckSumFailsWithAnArchiveException)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << CString("SomethingElse");
        ar.WriteCount(0);
        ar.Close();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CXTPPropExchangeArchive px(ar);
    CXTPImageManager manager;
    bool bThrown = false;
    try
    {
        manager.DoPropExchangeIconSet(42, &px);
    }
    catch (CArchiveException* e)
    {
        EXPECT_EQ(CArchiveException::badClass, e->m_cause);
        e->Delete();
        bThrown = true;
    }
    EXPECT_TRUE(bThrown);
    ar.Abort();
}

namespace
{
// An icon-set stream holding one icon whose normal image is the given DIB block.
void WriteIconSetWithBlock(CArchive& ar, const BITMAPINFOHEADER& bih, DWORD nHeaderSize, DWORD nPixelSize,
                           DWORD nPixelsWritten)
{
    ar << CString("CXTPImageManagerIcons");
    ar.WriteCount(1);
    ar << (DWORD)16;                   // Width
    ar << (DWORD)16 << (DWORD)20;      // height, version
    ar.WriteCount(nHeaderSize);
    std::vector<BYTE> header(nHeaderSize, 0);
    memcpy(header.data(), &bih, std::min((DWORD)sizeof(bih), nHeaderSize));
    ar.Write(header.data(), nHeaderSize);
    ar.WriteCount(nPixelSize);
    std::vector<BYTE> pixels(nPixelsWritten, 0x7F);
    if (nPixelsWritten)
        ar.Write(pixels.data(), nPixelsWritten);
    ar.WriteCount(0);  // mask
    for (int i = 0; i < 8; i++)
        ar.WriteCount(0);
}

UINT PasteBlock(CXTPImageManager& manager, const BITMAPINFOHEADER& bih, DWORD nHeaderSize, DWORD nPixelSize,
                DWORD nPixelsWritten)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        WriteIconSetWithBlock(ar, bih, nHeaderSize, nPixelSize, nPixelsWritten);
        ar.Close();
    }
    UINT nLength = (UINT)file.GetLength();
    BYTE* pData = file.Detach();
    HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, nLength);
    memcpy(::GlobalLock(hGlobal), pData, nLength);
    ::GlobalUnlock(hGlobal);
    free(pData);
    UINT nID = manager.PasteCustomImage(hGlobal);
    ::GlobalFree(hGlobal);
    return nID;
}

BITMAPINFOHEADER Header(LONG cx, LONG cy, WORD nBits, WORD nPlanes = 1)
{
    BITMAPINFOHEADER bih;
    ZeroMemory(&bih, sizeof(bih));
    bih.biSize = sizeof(bih);
    bih.biWidth = cx;
    bih.biHeight = cy;
    bih.biPlanes = nPlanes;
    bih.biBitCount = nBits;
    bih.biCompression = BI_RGB;
    return bih;
}
}

TEST(ImageExchange, CorruptStoredImagesAreRefused)
{
    CXTPImageManager manager;
    // A sound block pastes.
    UINT nID = PasteBlock(manager, Header(16, 16, 32), 52, 1024, 1024);
    EXPECT_NE(0u, nID);
    ASSERT_NE(nullptr, manager.GetImage(nID, 16));
    EXPECT_TRUE(manager.GetImage(nID, 16)->IsAlpha());

    // A header claiming a larger image than its pixels: the block disagrees
    // with itself and is damaged; nothing is pasted.
    EXPECT_EQ(0u, PasteBlock(manager, Header(64, 64, 32), 52, 1024, 1024));

    // Bad planes, bit count, dimensions: the image is refused, the set stays empty.
    UINT nCounter = manager.GetCustomIdCounter();
    EXPECT_EQ(0u, PasteBlock(manager, Header(16, 16, 32, 2), 52, 1024, 1024));
    EXPECT_EQ(0u, PasteBlock(manager, Header(16, 16, 7), 52, 1024, 1024));
    EXPECT_EQ(0u, PasteBlock(manager, Header(100000, 16, 32), 52, 1024, 1024));
    EXPECT_EQ(0u, PasteBlock(manager, Header(16, 0, 32), 52, 1024, 1024));
    EXPECT_EQ(nullptr, manager.GetIconSet(nCounter + 1));

    // Sizes beyond what the stream holds, or absurd header sizes.
    EXPECT_EQ(0u, PasteBlock(manager, Header(16, 16, 32), 52, 0x7FFFFFF0, 16));
    EXPECT_EQ(0u, PasteBlock(manager, Header(16, 16, 32), 60000, 16, 16));
    EXPECT_EQ(0u, PasteBlock(manager, Header(16, 16, 32), 20, 1024, 1024));

    // Garbage.
    HGLOBAL hGarbage = ::GlobalAlloc(GMEM_MOVEABLE, 7);
    memset(::GlobalLock(hGarbage), 0xFF, 7);
    ::GlobalUnlock(hGarbage);
    EXPECT_EQ(0u, manager.PasteCustomImage(hGarbage));
    ::GlobalFree(hGarbage);
    EXPECT_EQ(0u, manager.PasteCustomImage((HGLOBAL)NULL));
}

TEST(ImageExchange, ClipboardCopyAndPasteInOneProcess)
{
    HWND hWnd = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    CXTPImageManager manager;
    FillManager(manager);

    ASSERT_TRUE(::OpenClipboard(hWnd));
    ::EmptyClipboard();
    EXPECT_TRUE(manager.CopyImage(500));
    ::CloseClipboard();

    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    EXPECT_TRUE(data.IsDataAvailable((CLIPFORMAT)CXTPImageManager::GetImageClipFormat()));
    UINT nID = manager.PasteCustomImage(&data);
    data.Release();
    EXPECT_EQ(68267u, nID);
    CXTPImageManagerIcon* pIcon = manager.GetImage(nID, 16);
    ASSERT_NE(nullptr, pIcon);
    EXPECT_LE(Diff(RGB(0, 200, 0), DrawnColor(pIcon, pIcon->GetHotIcon())), 8);
    EXPECT_TRUE(manager.HasIcon(nID, 24));

    // Nothing of our format on the clipboard: no paste.
    ASSERT_TRUE(::OpenClipboard(hWnd));
    ::EmptyClipboard();
    ::CloseClipboard();
    COleDataObject none;
    none.AttachClipboard();
    EXPECT_EQ(0u, manager.PasteCustomImage(&none));
    none.Release();
    ::DestroyWindow(hWnd);
}

TEST(ImageManager, NoGdiObjectsLeak)
{
    HBITMAP hStrip = MakeStrip(16, 16, { RGB(255, 0, 0), RGB(0, 0, 255) });
    HBITMAP hAlpha = SolidAlpha(32, 16, Argb(200, 100, 50, 0));
    Canvas canvas(32, 32);
    auto cycle = [&]() {
        CXTPImageManager manager;
        manager.SetIconsFromBitmap(hStrip, NULL, 2, CSize(16, 16), xtpImageNormal, FALSE);
        manager.SetIconsFromBitmap(hAlpha, NULL, 2, CSize(16, 16), xtpImageHot, TRUE);
        for (UINT id = 0; id < 2; id++)
        {
            CXTPImageManagerIcon* pIcon = manager.GetImage(id);
            pIcon->Draw(canvas.DC(), CPoint(0, 0), pIcon->GetIcon());
            pIcon->Draw(canvas.DC(), CPoint(0, 0), pIcon->GetHotIcon());
            pIcon->Draw(canvas.DC(), CPoint(0, 0), pIcon->GetFadedIcon());
            pIcon->Draw(canvas.DC(), CPoint(0, 0), pIcon->GetShadowIcon());
            pIcon->Draw(canvas.DC(), CPoint(0, -3), pIcon->GetDisabledIcon());
            pIcon->DrawMono(canvas.DC(), CPoint(0, 0), pIcon->GetIcon(), 16, 16, 0);
        }
        CMemFile file;
        CArchive ar(&file, CArchive::store);
        manager.Serialize(ar);
        ar.Close();
        manager.RefreshAll();
    };
    cycle();  // first use creates lasting shared objects
    DWORD dwBefore = testsupport::GdiHighWater();
    for (int i = 0; i < 20; i++)
        cycle();
    DWORD dwAfter = testsupport::GdiHighWater();
    EXPECT_LE(dwAfter, dwBefore + 4);
    ::DeleteObject(hStrip);
    ::DeleteObject(hAlpha);
}

//////////////////////////////////////////////////////////////////////////
// Pictures from resources and files

namespace
{
const UINT kGroupIconId = 300;

// A 16 x 16 icon image of 32 bits: opaque green, AND mask all clear.
std::vector<BYTE> GreenIconImage()
{
    std::vector<BYTE> image = testsupport::MakeDib32(16, 16, [](int, int) { return Argb(255, 0, 160, 0); });
    BITMAPINFOHEADER* pHeader = reinterpret_cast<BITMAPINFOHEADER*>(image.data());
    pHeader->biHeight = 32;   // colour and mask
    image.insert(image.end(), 16 * 4, 0);
    return image;
}

std::vector<BYTE> OneIconGroup(BYTE nSize, WORD wImageId, DWORD dwImageSize)
{
    std::vector<BYTE> group(6 + 14, 0);
    group[2] = 1;   // icons
    group[4] = 1;   // one entry
    group[6] = nSize;
    group[7] = nSize;
    group[10] = 1;  // planes
    group[12] = 32; // bits
    memcpy(&group[14], &dwImageSize, 4);
    memcpy(&group[18], &wImageId, 2);
    return group;
}

// The colour drawn at the middle of an icon on white.
COLORREF IconMiddle(HICON hIcon, int nSize)
{
    Canvas canvas(nSize, nSize);
    ::DrawIconEx(canvas.Handle(), 0, 0, hIcon, nSize, nSize, 0, NULL, DI_NORMAL);
    return canvas.Pixel(nSize / 2, nSize / 2);
}

CString WriteTempFile(const std::vector<BYTE>& data)
{
    char szPath[MAX_PATH], szFile[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szPath);
    ::GetTempFileNameA(szPath, "bmp", 0, szFile);
    HANDLE hFile = ::CreateFileA(szFile, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD dwWritten = 0;
    ::WriteFile(hFile, data.data(), (DWORD)data.size(), &dwWritten, NULL);
    ::CloseHandle(hFile);
    return szFile;
}

HBITMAP LoadFile(const std::vector<BYTE>& data, BOOL* pbAlpha)
{
    CString strFile = WriteTempFile(data);
    HBITMAP hBitmap = CXTPImageManager::LoadBitmapFromFile(strFile, pbAlpha);
    ::DeleteFileA(strFile);
    return hBitmap;
}
} // namespace

TEST(ImageResources, BitmapsPngsAndIconGroupsFromAModule)
{
    testsupport::ResourceModule module;
    ASSERT_TRUE(module.IsReady());
    module.Add(RT_BITMAP, "PLAIN",
               testsupport::MakeDib24(4, 2, [](int x, int) { return x < 2 ? RGB(255, 0, 0) : RGB(0, 0, 255); }));
    module.Add(RT_BITMAP, "ALPHA", testsupport::MakeDib32(4, 2, [](int, int) { return Argb(128, 10, 20, 30); }));
    testsupport::CPngSpec spec;
    spec.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    spec.width = 1;
    spec.height = 1;
    module.Add("PNG", "PICTURE", testsupport::EncodePng(spec, { { 1, 2, 3, 4 } }));
    module.Add(RT_BITMAP, "PICTURE", testsupport::MakeDib24(2, 2, [](int, int) { return RGB(9, 9, 9); }));
    std::vector<BYTE> icon = GreenIconImage();
    module.Add(RT_ICON, MAKEINTRESOURCEA(7), icon);
    module.Add(RT_GROUP_ICON, MAKEINTRESOURCEA(kGroupIconId), OneIconGroup(16, 7, (DWORD)icon.size()));
    HMODULE hModule = module.Load();
    ASSERT_TRUE(hModule != NULL);

    BOOL bAlpha = TRUE;
    HBITMAP hPlain = CXTPImageManager::LoadBitmapFromResource(hModule, "PLAIN", &bAlpha);
    ASSERT_TRUE(hPlain != NULL);
    EXPECT_FALSE(bAlpha);
    EXPECT_EQ(0xFF0000u, testsupport::ReadPixel(hPlain, 0, 0) & 0xFFFFFF);
    EXPECT_EQ(0x0000FFu, testsupport::ReadPixel(hPlain, 3, 1) & 0xFFFFFF);
    ::DeleteObject(hPlain);

    bAlpha = FALSE;
    HBITMAP hAlpha = CXTPImageManager::LoadBitmapFromResource(hModule, "ALPHA", &bAlpha);
    ASSERT_TRUE(hAlpha != NULL);
    EXPECT_TRUE(bAlpha);
    EXPECT_EQ(Argb(128, 10, 20, 30), testsupport::ReadPixel(hAlpha, 2, 1));
    ::DeleteObject(hAlpha);

    // The PNG of a name comes before the bitmap of that name.
    HBITMAP hPng = CXTPImageManager::LoadBitmapFromResource(hModule, "PICTURE", &bAlpha);
    ASSERT_TRUE(hPng != NULL);
    EXPECT_TRUE(bAlpha);
    BITMAP bm;
    ::GetObject(hPng, sizeof(bm), &bm);
    EXPECT_EQ(1, bm.bmWidth);
    EXPECT_EQ(Argb(4, 1, 2, 3), testsupport::ReadPixel(hPng, 0, 0));
    ::DeleteObject(hPng);

    // The 16 x 16 image of the group, then scaled to 24.
    CXTPImageManagerIconHandle handle;
    ASSERT_TRUE(handle.LoadIconFromResource(hModule, kGroupIconId, 16, 16, TRUE));
    EXPECT_EQ(CSize(16, 16), handle.GetExtent());
    EXPECT_FALSE(handle.LoadIconFromResource(hModule, kGroupIconId, 32, 32, TRUE)) << "no 32 x 32 image";
    if (handle.IsAlpha())
        EXPECT_EQ(Argb(255, 0, 160, 0), testsupport::ReadPixel(handle.GetBitmap(), 8, 8));
    else
        EXPECT_EQ(RGB(0, 160, 0), IconMiddle(handle.GetIcon(), 16));

    // The system's icon of the group, scaled to 24 x 24.
    HICON hIcon = (HICON)::LoadImageA(hModule, MAKEINTRESOURCEA(kGroupIconId), IMAGE_ICON, 16, 16, 0);
    ASSERT_TRUE(hIcon != NULL);
    HICON hScaled = CXTPImageManagerIcon::ScaleIcon(hIcon, CSize(16, 16), 24);
    ::DestroyIcon(hIcon);
    ASSERT_TRUE(hScaled != NULL);
    ICONINFO info;
    ASSERT_TRUE(::GetIconInfo(hScaled, &info));
    BITMAP bmColor;
    ::GetObject(info.hbmColor != NULL ? info.hbmColor : info.hbmMask, sizeof(bmColor), &bmColor);
    EXPECT_EQ(24, bmColor.bmWidth);
    if (info.hbmColor != NULL)
        ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    EXPECT_EQ(RGB(0, 160, 0), IconMiddle(hScaled, 24));
    ::DestroyIcon(hScaled);
}

namespace
{
// The colour pixels, then the mask pixels, of an icon, read as 32-bit values.
std::vector<DWORD> IconPixels(HICON hIcon, int cx, int cy)
{
    std::vector<DWORD> pixels((size_t)cx * cy * 2, 0xDEADBEEF);
    ICONINFO info;
    if (hIcon == NULL || !::GetIconInfo(hIcon, &info))
        return std::vector<DWORD>();
    if (info.hbmColor != NULL)
        CXTPImageManager::ReadPixels32(info.hbmColor, cx, cy, pixels.data());
    CXTPImageManager::ReadPixels32(info.hbmMask, cx, cy, pixels.data() + (size_t)cx * cy);
    if (info.hbmColor != NULL)
        ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return pixels;
}

// Draws an image on a green background and returns the canvas pixels.
std::vector<COLORREF> DrawnPixels(CXTPImageManagerIcon* pIcon, CXTPImageManagerIconHandle& hImage)
{
    Canvas canvas(16, 15, RGB(0, 100, 0));
    pIcon->Draw(canvas.DC(), CPoint(0, 0), hImage);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 15; y++)
        for (int x = 0; x < 16; x++)
            pixels.push_back(canvas.Pixel(x, y));
    return pixels;
}
} // namespace

TEST(ImageResources, ToolbarStripsGiveTheImagesOfTheImageListWay)
{
    // Four 16 x 15 images on a magenta mask colour, each with one black pixel.
    testsupport::ResourceModule module;
    ASSERT_TRUE(module.IsReady());
    module.Add(RT_BITMAP, MAKEINTRESOURCEA(501), testsupport::MakeDib24(64, 15, [](int x, int y) -> COLORREF {
                   int i = x / 16, u = x % 16;
                   if (u < 2 || u == 15 || y == 0)
                       return RGB(255, 0, 255);
                   if (u == 5 && y == 5)
                       return RGB(0, 0, 0);
                   return RGB(40 * i + 20, 200 - u * 5, 10 * y);
               }));
    HMODULE hModule = module.Load();
    ASSERT_TRUE(hModule != NULL);

    // The default mask (the top-left pixel) and a mask colour of the manager's.
    for (COLORREF clrMask : { COLORREF_NULL, RGB(0, 0, 0) })
    {
        UINT ids[] = { 7001, 0, 7002, 7003, 7004 };   // with a separator
        CXTPImageManager fromResource, fromBitmap;
        fromResource.SetMaskColor(clrMask);
        fromBitmap.SetMaskColor(clrMask);
        HINSTANCE hOld = AfxGetResourceHandle();
        AfxSetResourceHandle(hModule);
        ASSERT_TRUE(fromResource.SetIcons(501, ids, 5, CSize(16, 15)));
        AfxSetResourceHandle(hOld);
        HBITMAP hStrip = CXTPImageManager::LoadBitmapFromResource(hModule, MAKEINTRESOURCEA(501), NULL);
        ASSERT_TRUE(fromBitmap.SetIconsFromBitmap(hStrip, ids, 5, CSize(16, 15), xtpImageNormal, FALSE));

        for (UINT nId : { 7001u, 7002u, 7003u, 7004u })
        {
            CXTPImageManagerIcon* pA = fromResource.GetImage(nId, 16);
            CXTPImageManagerIcon* pB = fromBitmap.GetImage(nId, 16);
            ASSERT_TRUE(pA != NULL && pB != NULL) << nId;
            EXPECT_EQ(pB->GetWidth(), pA->GetWidth());
            EXPECT_EQ(pB->GetHeight(), pA->GetHeight());
            EXPECT_FALSE(pA->IsAlpha());
            EXPECT_EQ(DrawnPixels(pB, pB->GetIcon()), DrawnPixels(pA, pA->GetIcon())) << nId;
            EXPECT_EQ(DrawnPixels(pB, pB->GetDisabledIcon()), DrawnPixels(pA, pA->GetDisabledIcon())) << nId;
            std::vector<DWORD> expected = IconPixels(pB->GetIcon().GetIcon(), 16, 15);
            ASSERT_FALSE(expected.empty());
            EXPECT_EQ(expected, IconPixels(pA->GetIcon().GetIcon(), 16, 15)) << nId;
        }

        // More commands than images: both ways stop with a failure.
        UINT more[] = { 8001, 8002, 8003, 8004, 8005 };
        AfxSetResourceHandle(hModule);
        BOOL bFromResource = fromResource.SetIcons(501, more, 5, CSize(16, 15));
        AfxSetResourceHandle(hOld);
        EXPECT_FALSE(bFromResource);
        EXPECT_EQ(bFromResource, fromBitmap.SetIconsFromBitmap(hStrip, more, 5, CSize(16, 15), xtpImageNormal, FALSE));
        EXPECT_TRUE(fromResource.GetImage(8004, 16) != NULL);
        EXPECT_TRUE(fromResource.GetImage(8005, 16) == NULL);
        ::DeleteObject(hStrip);
    }
}

TEST(ImageFiles, SoundBmpFilesLoadAndDamagedOnesAreRefused)
{
    BOOL bAlpha = TRUE;
    HBITMAP hPlain =
        LoadFile(testsupport::MakeBmpFile(testsupport::MakeDib24(5, 3, [](int, int) { return RGB(0, 128, 255); })),
                 &bAlpha);
    ASSERT_TRUE(hPlain != NULL);
    EXPECT_FALSE(bAlpha);
    EXPECT_EQ(0x0080FFu, testsupport::ReadPixel(hPlain, 4, 2) & 0xFFFFFF);
    ::DeleteObject(hPlain);
    HBITMAP hAlpha =
        LoadFile(testsupport::MakeBmpFile(testsupport::MakeDib32(2, 2, [](int, int) { return Argb(100, 1, 2, 3); })),
                 &bAlpha);
    ASSERT_TRUE(hAlpha != NULL);
    EXPECT_TRUE(bAlpha);
    EXPECT_EQ(Argb(100, 1, 2, 3), testsupport::ReadPixel(hAlpha, 1, 1));
    ::DeleteObject(hAlpha);

    // 174-byte files: the offset of the pixels past the end, a width of
    // 0x7FFE, rows that the file does not hold, a header size beyond it.
    std::vector<BYTE> good = testsupport::MakeBmpFile(
        testsupport::MakeDib24(6, 6, [](int x, int y) { return RGB(x * 40, y * 40, 0); }));
    ASSERT_EQ(174u, good.size());
    BITMAPFILEHEADER* pFile = reinterpret_cast<BITMAPFILEHEADER*>(good.data());
    BITMAPINFOHEADER* pInfo = reinterpret_cast<BITMAPINFOHEADER*>(good.data() + sizeof(BITMAPFILEHEADER));
    std::vector<std::vector<BYTE>> damaged;
    pFile->bfOffBits = 4000;
    damaged.push_back(good);
    pFile->bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    pInfo->biWidth = 0x7FFE;
    damaged.push_back(good);
    pInfo->biWidth = 6;
    pInfo->biHeight = -60;
    damaged.push_back(good);
    pInfo->biHeight = 6;
    pInfo->biSize = 4000;
    damaged.push_back(good);
    pInfo->biSize = sizeof(BITMAPINFOHEADER);
    pInfo->biBitCount = 8;   // a colour table the file has no room for
    damaged.push_back(good);
    pInfo->biBitCount = 24;
    damaged.push_back(std::vector<BYTE>(good.begin(), good.begin() + 20));
    for (size_t i = 0; i < damaged.size(); i++)
    {
        bAlpha = TRUE;
        EXPECT_EQ(nullptr, LoadFile(damaged[i], &bAlpha)) << "damaged file " << i;
    }
    HBITMAP hRestored = LoadFile(good, &bAlpha);
    EXPECT_TRUE(hRestored != NULL) << "the repaired file loads";
    ::DeleteObject(hRestored);
}

namespace
{
// A BMP file of any layout: a header of nHeaderSize bytes (12 for the old
// core header), then the colour table or bit masks, then rows whose bytes
// follow a fixed pattern. cy < 0 stores the rows top-down.
std::vector<BYTE> PatternBmpFile(DWORD nHeaderSize, int cx, int cy, WORD nBits, DWORD nCompression,
                                 const std::vector<DWORD>& table)
{
    std::vector<BYTE> header(nHeaderSize, 0);
    if (nHeaderSize == sizeof(BITMAPCOREHEADER))
    {
        BITMAPCOREHEADER core = {sizeof(BITMAPCOREHEADER), (WORD)cx, (WORD)cy, 1, nBits};
        memcpy(header.data(), &core, sizeof(core));
    }
    else
    {
        BITMAPINFOHEADER info = {};
        info.biSize = nHeaderSize;
        info.biWidth = cx;
        info.biHeight = cy;
        info.biPlanes = 1;
        info.biBitCount = nBits;
        info.biCompression = nCompression;
        memcpy(header.data(), &info, sizeof(info));
    }
    for (DWORD entry : table)
    {
        const BYTE* p = reinterpret_cast<const BYTE*>(&entry);
        header.insert(header.end(), p, p + (nHeaderSize == sizeof(BITMAPCOREHEADER) ? 3 : 4));
    }
    const size_t nStride = (((size_t)cx * nBits + 31) / 32) * 4;
    const size_t nRows = (size_t)(cy < 0 ? -cy : cy);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = (DWORD)(sizeof(file) + header.size());
    file.bfSize = (DWORD)(file.bfOffBits + nStride * nRows);
    std::vector<BYTE> data(reinterpret_cast<const BYTE*>(&file), reinterpret_cast<const BYTE*>(&file) + sizeof(file));
    data.insert(data.end(), header.begin(), header.end());
    for (size_t i = 0; i < nStride * nRows; i++)
        data.push_back((BYTE)(i * 37 + i / nStride * 11 + 5));
    return data;
}

std::vector<DWORD> GreyTable(int nCount)
{
    std::vector<DWORD> table;
    for (int i = 0; i < nCount; i++)
    {
        DWORD v = (DWORD)(i * 255 / (nCount - 1));
        table.push_back(v | (v << 8) | ((255 - v) << 16));
    }
    return table;
}

// Size, depth, kind (DIB section or not) and every pixel of a bitmap.
struct BitmapFacts
{
    BITMAP bm = {};
    bool bDibSection = false;
    std::vector<DWORD> pixels;
    bool operator==(const BitmapFacts& other) const
    {
        return bm.bmWidth == other.bm.bmWidth && bm.bmHeight == other.bm.bmHeight &&
               bm.bmBitsPixel == other.bm.bmBitsPixel && bDibSection == other.bDibSection &&
               pixels == other.pixels;
    }
};

BitmapFacts FactsOf(HBITMAP hBitmap)
{
    BitmapFacts facts;
    DIBSECTION dib;
    facts.bDibSection = ::GetObject(hBitmap, sizeof(dib), &dib) == sizeof(dib);
    ::GetObject(hBitmap, sizeof(facts.bm), &facts.bm);
    facts.pixels.resize((size_t)facts.bm.bmWidth * facts.bm.bmHeight);
    CXTPImageManager::ReadPixels32(hBitmap, facts.bm.bmWidth, facts.bm.bmHeight, facts.pixels.data());
    return facts;
}
} // namespace

TEST(ImageFiles, EveryBmpLayoutTheCheckAcceptsLoadsAsTheSystemLoaderMakesIt)
{
    struct Case
    {
        const char* pszName;
        std::vector<BYTE> file;
        BOOL bAlpha;
    };
    const DWORD kInfo = sizeof(BITMAPINFOHEADER);
    const Case cases[] = {
        {"24-bit", PatternBmpFile(kInfo, 5, 3, 24, BI_RGB, {}), FALSE},
        {"24-bit top-down", PatternBmpFile(kInfo, 5, -3, 24, BI_RGB, {}), FALSE},
        {"8-bit", PatternBmpFile(kInfo, 7, 4, 8, BI_RGB, GreyTable(256)), FALSE},
        {"4-bit", PatternBmpFile(kInfo, 9, 2, 4, BI_RGB, GreyTable(16)), FALSE},
        {"1-bit black and white", PatternBmpFile(kInfo, 13, 3, 1, BI_RGB, {0x000000, 0xFFFFFF}), FALSE},
        {"1-bit colours", PatternBmpFile(kInfo, 13, 3, 1, BI_RGB, {0xFF0000, 0x0000FF}), FALSE},
        {"16-bit 555", PatternBmpFile(kInfo, 6, 3, 16, BI_RGB, {}), FALSE},
        {"16-bit 565 masks", PatternBmpFile(kInfo, 6, 3, 16, BI_BITFIELDS, {0xF800, 0x07E0, 0x001F}), FALSE},
        {"32-bit", PatternBmpFile(kInfo, 4, 3, 32, BI_RGB, {}), TRUE},
        {"32-bit top-down", PatternBmpFile(kInfo, 4, -3, 32, BI_RGB, {}), TRUE},
        {"32-bit masks", PatternBmpFile(kInfo, 4, 3, 32, BI_BITFIELDS, {0xFF0000, 0x00FF00, 0x0000FF}), TRUE},
        {"core 24-bit", PatternBmpFile(sizeof(BITMAPCOREHEADER), 5, 3, 24, BI_RGB, {}), FALSE},
        {"core 8-bit", PatternBmpFile(sizeof(BITMAPCOREHEADER), 5, 3, 8, BI_RGB, GreyTable(256)), FALSE},
    };
    for (const Case& test : cases)
    {
        CString strFile = WriteTempFile(test.file);
        BOOL bAlpha = !test.bAlpha;
        HBITMAP hLoaded = CXTPImageManager::LoadBitmapFromFile(strFile, &bAlpha);
        ::DeleteFileA(strFile);
        // Wine's loader makes top-down files black: the reference is the
        // same rows stored bottom-up, turned upside down.
        std::vector<BYTE> reference = test.file;
        BITMAPINFOHEADER* pHeader = reinterpret_cast<BITMAPINFOHEADER*>(reference.data() + sizeof(BITMAPFILEHEADER));
        const bool bTopDown = pHeader->biSize != sizeof(BITMAPCOREHEADER) && pHeader->biHeight < 0;
        if (bTopDown)
            pHeader->biHeight = -pHeader->biHeight;
        strFile = WriteTempFile(reference);
        HBITMAP hSystem = (HBITMAP)::LoadImageA(NULL, strFile, IMAGE_BITMAP, 0, 0,
                                                LR_LOADFROMFILE | (test.bAlpha ? LR_CREATEDIBSECTION : 0));
        ::DeleteFileA(strFile);
        EXPECT_TRUE(hLoaded != NULL) << test.pszName;
        EXPECT_TRUE(hSystem != NULL) << test.pszName;
        if (hLoaded != NULL && hSystem != NULL)
        {
            EXPECT_EQ(test.bAlpha, bAlpha) << test.pszName;
            BitmapFacts loaded = FactsOf(hLoaded), system = FactsOf(hSystem);
            if (bTopDown)
            {
                const size_t cx = (size_t)system.bm.bmWidth;
                std::vector<DWORD> flipped;
                for (size_t y = system.pixels.size() / cx; y-- > 0;)
                    flipped.insert(flipped.end(), system.pixels.begin() + y * cx, system.pixels.begin() + (y + 1) * cx);
                system.pixels = flipped;
            }
            EXPECT_TRUE(loaded == system) << test.pszName << ": " << loaded.bm.bmWidth << "x" << loaded.bm.bmHeight
                                          << " " << loaded.bm.bmBitsPixel << " bits, DIB section "
                                          << loaded.bDibSection << "; the system's " << system.bm.bmWidth << "x"
                                          << system.bm.bmHeight << " " << system.bm.bmBitsPixel
                                          << " bits, DIB section " << system.bDibSection;
            EXPECT_EQ(test.bAlpha != FALSE, loaded.bDibSection) << test.pszName;
        }
        if (hLoaded != NULL)
            ::DeleteObject(hLoaded);
        if (hSystem != NULL)
            ::DeleteObject(hSystem);
    }
}

namespace
{
// An icon set of command 42 (a 16-pixel alpha image and a 24-pixel classic
// one) stored in an archive, then a marker that the reader must reach.
const DWORD kAfterSet = 0xABCDEF01;

std::vector<BYTE> StoredIconSet()
{
    CXTPImageManager manager;
    HBITMAP hAlpha = SolidAlpha(16, 16, Argb(255, 10, 20, 30));
    manager.SetIcon(CXTPImageManagerIconHandle(hAlpha), 42, CSize(16, 16));
    ::DeleteObject(hAlpha);
    HICON hIcon = SolidIcon(24, 24, RGB(40, 50, 60));
    manager.SetIcon(CXTPImageManagerIconHandle(hIcon), 42, CSize(24, 24));
    ::DestroyIcon(hIcon);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CXTPPropExchangeArchive px(ar);
        manager.DoPropExchangeIconSet(42, &px);
        ar << kAfterSet;
        ar.Close();
    }
    std::vector<BYTE> data((size_t)file.GetLength());
    BYTE* pData = file.Detach();
    memcpy(data.data(), pData, data.size());
    free(pData);
    return data;
}

// Loads the set from the data; the marker after it must come next.
struct LoadedSet
{
    BOOL bWhole = FALSE;
    bool bInStep = false;
    bool bHas16 = false;
    bool bHas24 = false;
    bool bSet = false;
};

LoadedSet LoadIconSet(const std::vector<BYTE>& data)
{
    LoadedSet result;
    CMemFile file(const_cast<BYTE*>(data.data()), (UINT)data.size());
    CArchive ar(&file, CArchive::load);
    CXTPImageManager manager;
    try
    {
        CXTPPropExchangeArchive px(ar);
        result.bWhole = manager.DoPropExchangeIconSet(42, &px);
        DWORD dwNext = 0;
        ar >> dwNext;
        result.bInStep = dwNext == kAfterSet;
    }
    catch (CException* e)
    {
        ADD_FAILURE() << "the damaged set threw";
        e->Delete();
    }
    ar.Abort();
    file.Detach();
    result.bSet = manager.GetIconSet(42) != NULL;
    result.bHas16 = manager.HasIcon(42, 16) && !manager.GetImage(42, 16)->GetIcon().IsEmpty();
    result.bHas24 = manager.HasIcon(42, 24) && !manager.GetImage(42, 24)->GetIcon().IsEmpty();
    return result;
}

size_t Find(const std::vector<BYTE>& data, const std::vector<BYTE>& what, size_t nFrom = 0)
{
    auto it = std::search(data.begin() + nFrom, data.end(), what.begin(), what.end());
    return it == data.end() ? std::string::npos : (size_t)(it - data.begin());
}
} // namespace

TEST(ImageExchange, DamageInAnArchivedSetDropsOnlyTheDamagedImageAndKeepsTheReadingInStep)
{
    const std::vector<BYTE> stored = StoredIconSet();
    LoadedSet sound = LoadIconSet(stored);
    EXPECT_TRUE(sound.bWhole);
    EXPECT_TRUE(sound.bInStep && sound.bHas16 && sound.bHas24);

    const std::string strCheck = "CXTPImageManagerIcons";
    const size_t nCheck = Find(stored, std::vector<BYTE>(strCheck.begin(), strCheck.end()));
    ASSERT_NE(std::string::npos, nCheck);
    const size_t nCount = nCheck + strCheck.size();
    ASSERT_EQ(2, stored[nCount] | (stored[nCount + 1] << 8));
    // The first icon's width, and its normal image's header: the header size
    // 52 as a short count, then the header itself.
    const DWORD dwFirstWidth = *(const DWORD*)&stored[nCount + 2];
    const size_t nHeader = Find(stored, {0x34, 0x00, 0x28, 0x00, 0x00, 0x00}, nCount);
    ASSERT_EQ(nCount + 2 + 12, nHeader);

    // Counts that lie: the long form (0xFFFF), too few, too many. Both
    // icons are whole and stay; the set is reported damaged.
    for (WORD wCount : {(WORD)0xFFFF, (WORD)1, (WORD)3, (WORD)0})
    {
        std::vector<BYTE> data = stored;
        data[nCount] = (BYTE)wCount;
        data[nCount + 1] = (BYTE)(wCount >> 8);
        LoadedSet loaded = LoadIconSet(data);
        EXPECT_FALSE(loaded.bWhole) << wCount;
        EXPECT_TRUE(loaded.bInStep) << wCount;
        EXPECT_TRUE(loaded.bHas16 && loaded.bHas24) << wCount;
    }

    // Any one bit of the image's header size flipped: that image goes, the
    // other icon stays.
    for (int nBit = 0; nBit < 16; nBit++)
    {
        std::vector<BYTE> data = stored;
        data[nHeader + nBit / 8] ^= (BYTE)(1 << (nBit % 8));
        LoadedSet loaded = LoadIconSet(data);
        EXPECT_FALSE(loaded.bWhole) << nBit;
        EXPECT_TRUE(loaded.bInStep) << nBit;
        EXPECT_EQ(dwFirstWidth != 16, loaded.bHas16) << nBit;
        EXPECT_EQ(dwFirstWidth != 24, loaded.bHas24) << nBit;
    }

    // A flipped bit in the pixel size after the header, in the header's
    // width, or in the icon's height: the same.
    for (size_t nAt : {nHeader + 2 + 52, nHeader + 2 + 52 + 1, nHeader + 2 + 4 + 1, nCount + 2 + 4 + 3})
    {
        std::vector<BYTE> data = stored;
        data[nAt] ^= 0x04;
        LoadedSet loaded = LoadIconSet(data);
        EXPECT_FALSE(loaded.bWhole) << nAt - nHeader;
        EXPECT_TRUE(loaded.bInStep) << nAt - nHeader;
        EXPECT_EQ(dwFirstWidth != 16, loaded.bHas16) << nAt - nHeader;
        EXPECT_EQ(dwFirstWidth != 24, loaded.bHas24) << nAt - nHeader;
    }

    // One damaged letter of the check text is damage, not another kind of
    // data: both icons stay.
    std::vector<BYTE> data = stored;
    data[nCheck + 4] ^= 0x20;
    LoadedSet loaded = LoadIconSet(data);
    EXPECT_FALSE(loaded.bWhole);
    EXPECT_TRUE(loaded.bInStep && loaded.bHas16 && loaded.bHas24);

    // Both icons damaged: the set goes with them.
    data = stored;
    data[nHeader + 1] ^= 0x01;
    // The second icon's normal image: the header that follows a version.
    size_t nSecond = nHeader;
    do
        nSecond = Find(stored, {0x34, 0x00, 0x28, 0x00, 0x00, 0x00}, nSecond + 1);
    while (nSecond != std::string::npos && *(const DWORD*)&stored[nSecond - 4] != 20);
    ASSERT_NE(std::string::npos, nSecond);
    data[nSecond + 1] ^= 0x01;
    loaded = LoadIconSet(data);
    EXPECT_FALSE(loaded.bWhole);
    EXPECT_TRUE(loaded.bInStep);
    EXPECT_FALSE(loaded.bSet);
}

TEST(ImageExchange, ADamagedIconInARegistrySetIsDroppedAndTheOtherStays)
{
    testsupport::ScopedTestKey key("DamagedIcon");
    ASSERT_EQ(ERROR_SUCCESS, key.Result());
    HKEY hKey = key.Handle();
    {
        CXTPImageManager saved;
        HBITMAP hAlpha = SolidAlpha(16, 16, Argb(255, 10, 20, 30));
        saved.SetIcon(CXTPImageManagerIconHandle(hAlpha), 42, CSize(16, 16));
        ::DeleteObject(hAlpha);
        HICON hIcon = SolidIcon(24, 24, RGB(40, 50, 60));
        saved.SetIcon(CXTPImageManagerIconHandle(hIcon), 42, CSize(24, 24));
        ::DestroyIcon(hIcon);
        CXTPPropExchangeSection px(new CXTPPropExchangeRegistry(FALSE, hKey, "Set"));
        saved.DoPropExchangeIconSet(42, px);
    }
    // The 16-pixel icon's data: its header size flipped to 0x8034.
    std::string strIcon;
    for (int i = 0; i < 2 && strIcon.empty(); i++)
    {
        std::string strSection = "Set\\Icon" + std::to_string(i);
        DWORD dwWidth = 0, cb = sizeof(dwWidth);
        ::SHGetValueA(hKey, strSection.c_str(), "Width", NULL, &dwWidth, &cb);
        if (dwWidth == 16)
            strIcon = strSection;
    }
    ASSERT_FALSE(strIcon.empty());
    std::vector<BYTE> data(4096);
    DWORD cbData = (DWORD)data.size();
    ASSERT_EQ((DWORD)ERROR_SUCCESS, ::SHGetValueA(hKey, strIcon.c_str(), "Data", NULL, data.data(), &cbData));
    data.resize(cbData);
    size_t nHeader = Find(data, {0x34, 0x00, 0x28, 0x00, 0x00, 0x00});
    ASSERT_NE(std::string::npos, nHeader);
    data[nHeader + 1] ^= 0x80;
    ASSERT_EQ((DWORD)ERROR_SUCCESS,
              ::SHSetValueA(hKey, strIcon.c_str(), "Data", REG_BINARY, data.data(), (DWORD)data.size()));

    CXTPImageManager loaded;
    BOOL bWhole = TRUE;
    {
        CXTPPropExchangeSection px(new CXTPPropExchangeRegistry(TRUE, hKey, "Set"));
        bWhole = loaded.DoPropExchangeIconSet(42, px);
    }
    EXPECT_FALSE(bWhole);
    EXPECT_FALSE(loaded.HasIcon(42, 16));
    EXPECT_TRUE(loaded.HasIcon(42, 24));
}

namespace
{
// An icon (type 1) or cursor (type 2) file of the images, each cx x cx at
// its depth: 4 bits (palette index 1 is green, every pixel index 1) or 32
// bits (every pixel 0x80000080 + cx), with an empty mask.
std::vector<BYTE> MakeIconFile(WORD nType, const std::vector<std::pair<int, int>>& images)
{
    std::vector<BYTE> out(6 + 16 * images.size(), 0);
    auto Put16 = [](std::vector<BYTE>& v, size_t at, WORD w) { memcpy(&v[at], &w, 2); };
    auto Put32 = [](std::vector<BYTE>& v, size_t at, DWORD d) { memcpy(&v[at], &d, 4); };
    Put16(out, 2, nType);
    Put16(out, 4, (WORD)images.size());
    for (size_t i = 0; i < images.size(); i++)
    {
        const int cx = images[i].first, nBits = images[i].second;
        const DWORD nTable = nBits <= 8 ? (4u << nBits) : 0;
        const DWORD nColorRow = (DWORD)(((cx * nBits + 31) / 32) * 4), nMaskRow = (DWORD)(((cx + 31) / 32) * 4);
        std::vector<BYTE> image(40 + nTable + (nColorRow + nMaskRow) * cx, 0);
        Put32(image, 0, 40);
        Put32(image, 4, (DWORD)cx);
        Put32(image, 8, (DWORD)(cx * 2));
        Put16(image, 12, 1);
        Put16(image, 14, (WORD)nBits);
        if (nBits == 4)
        {
            Put32(image, 40 + 4, 0x0000FF00);
            std::fill(image.begin() + 40 + nTable, image.begin() + 40 + nTable + nColorRow * cx, 0x11);
        }
        else
        {
            for (int p = 0; p < cx * cx; p++)
                Put32(image, 40 + (size_t)p * 4, 0x80000080u + (DWORD)cx);
        }
        const size_t nEntry = 6 + 16 * i;
        out[nEntry] = (BYTE)cx;
        out[nEntry + 1] = (BYTE)cx;
        Put16(out, nEntry + 4, nType == 2 ? 3 : 1);   // a cursor's hot spot
        Put16(out, nEntry + 6, nType == 2 ? 5 : (WORD)nBits);
        Put32(out, nEntry + 8, (DWORD)image.size());
        Put32(out, nEntry + 12, (DWORD)out.size());
        out.insert(out.end(), image.begin(), image.end());
    }
    return out;
}
} // namespace

TEST(ImageFiles, IconAndCursorFilesAreCheckedWholeBeforeAnyLoaderReadsThem)
{
    const std::vector<std::pair<int, int>> kImages = {{16, 4}, {32, 32}};
    for (WORD nType : {(WORD)1, (WORD)2})
    {
        const std::vector<BYTE> good = MakeIconFile(nType, kImages);
        ASSERT_TRUE(CXTPImageManager::IsSoundIconFile(good.data(), (DWORD)good.size())) << nType;
        const size_t nSecond = *(const DWORD*)&good[6 + 16 + 12];

        // Each damage alone makes the file unsound; the second image is
        // damaged while the first stays sound, since a system loader may
        // pick either.
        std::vector<std::vector<BYTE>> damaged;
        auto Damage = [&](std::function<void(std::vector<BYTE>&)> fn) {
            std::vector<BYTE> v = good;
            fn(v);
            damaged.push_back(v);
        };
        Damage([](std::vector<BYTE>& v) { v[4] = 0xE6; v[5] = 0xE6; });              // a count past the end
        Damage([](std::vector<BYTE>& v) { v[4] = 0; });                              // no image
        Damage([](std::vector<BYTE>& v) { v[0] = 1; });                              // reserved word set
        Damage([](std::vector<BYTE>& v) { v[2] = 3; });                              // neither icon nor cursor
        Damage([](std::vector<BYTE>& v) { v[6 + 16 + 12] = 8; });                    // image inside the directory
        Damage([](std::vector<BYTE>& v) { v[6 + 16 + 11] = 0x7F; });                 // bytes past the end
        Damage([&](std::vector<BYTE>& v) { v[nSecond] = 12; });                      // an old core header
        Damage([&](std::vector<BYTE>& v) { v[nSecond + 5] = 0x40; });                // width 16,416
        Damage([&](std::vector<BYTE>& v) { v[nSecond + 8] = 0; v[nSecond + 9] = 2; });  // rows the file lacks
        Damage([&](std::vector<BYTE>& v) { v[nSecond + 12] = 2; });                  // two planes
        Damage([&](std::vector<BYTE>& v) { v[nSecond + 14] = 3; });                  // three bits a pixel
        Damage([&](std::vector<BYTE>& v) { v[nSecond + 16] = BI_RLE8; });           // compressed
        Damage([&](std::vector<BYTE>& v) { v[6 + 8] += 1; v[40 + 32] = 17; });      // 17 colours at 4 bits
        Damage([](std::vector<BYTE>& v) { v.resize(v.size() - 1); });                // the last byte cut
        for (size_t i = 0; i < damaged.size(); i++)
        {
            EXPECT_FALSE(CXTPImageManager::IsSoundIconFile(damaged[i].data(), (DWORD)damaged[i].size()))
                << "type " << nType << ", damage " << i;
            CString strFile = WriteTempFile(damaged[i]);
            EXPECT_EQ(nullptr, CXTPImageManager::LoadIconFromFile(strFile, CSize(16, 16))) << i;
            EXPECT_EQ(nullptr, CXTPImageManager::LoadAlphaIconFromFile(strFile, 32)) << i;
            ::DeleteFileA(strFile);
            const DWORD nSize = (DWORD)damaged[i].size();
            EXPECT_EQ(nullptr, CXTPImageManager::LoadIconFromBytes(damaged[i].data(), nSize, CSize(16, 16))) << i;
            EXPECT_EQ(nullptr, CXTPImageManager::LoadAlphaIconFromBytes(damaged[i].data(), nSize, 32)) << i;
        }

        // The sound file: the 32-bit image with its alpha (also when another
        // width is asked for), and the system's icon of the 4-bit one.
        CString strFile = WriteTempFile(good);
        for (int nWidth : {32, 16})
        {
            HBITMAP hAlpha = CXTPImageManager::LoadAlphaIconFromFile(strFile, nWidth);
            ASSERT_TRUE(hAlpha != NULL) << nWidth;
            BITMAP bm = {};
            ::GetObject(hAlpha, sizeof(bm), &bm);
            EXPECT_EQ(32, bm.bmWidth);
            EXPECT_EQ(0x800000A0u, testsupport::ReadPixel(hAlpha, 5, 7));
            ::DeleteObject(hAlpha);
        }
        HICON hIcon = CXTPImageManager::LoadIconFromFile(strFile, CSize(16, 16));
        ASSERT_TRUE(hIcon != NULL) << nType;
        EXPECT_EQ(RGB(0, 255, 0), IconMiddle(hIcon, 16));
        ::DestroyIcon(hIcon);
        ::DeleteFileA(strFile);

        // The bytes already read give the same; more bytes than an icon file
        // may have are refused as the file would be.
        HBITMAP hAlpha = CXTPImageManager::LoadAlphaIconFromBytes(good.data(), (DWORD)good.size(), 16);
        ASSERT_TRUE(hAlpha != NULL) << nType;
        EXPECT_EQ(0x800000A0u, testsupport::ReadPixel(hAlpha, 5, 7));
        ::DeleteObject(hAlpha);
        hIcon = CXTPImageManager::LoadIconFromBytes(good.data(), (DWORD)good.size(), CSize(16, 16));
        ASSERT_TRUE(hIcon != NULL) << nType;
        EXPECT_EQ(RGB(0, 255, 0), IconMiddle(hIcon, 16));
        ::DestroyIcon(hIcon);
        std::vector<BYTE> huge = good;
        huge.resize(4u * 1024u * 1024u + 1, 0);
        ASSERT_TRUE(CXTPImageManager::IsSoundIconFile(huge.data(), (DWORD)huge.size()));
        EXPECT_EQ(nullptr, CXTPImageManager::LoadAlphaIconFromBytes(huge.data(), (DWORD)huge.size(), 16));
        EXPECT_EQ(nullptr, CXTPImageManager::LoadIconFromBytes(huge.data(), (DWORD)huge.size(), CSize(16, 16)));
    }

    // A file with only a 4-bit image has no alpha image to give.
    CString strFile = WriteTempFile(MakeIconFile(1, {{16, 4}}));
    EXPECT_EQ(nullptr, CXTPImageManager::LoadAlphaIconFromFile(strFile, 16));
    ::DeleteFileA(strFile);
}

TEST(ImageFiles, TheFileReaderTakesWholeFilesUpToItsLimitAndNothingElse)
{
    std::vector<BYTE> data(1, 0xAA);
    const std::vector<BYTE> bytes = {1, 2, 3, 4, 5, 6, 7, 8};
    CString strFile = WriteTempFile(bytes);
    EXPECT_TRUE(XTPReadImageFile(strFile, 8, data));
    EXPECT_EQ(bytes, data);
    // One byte over the limit, an empty file, a missing one and no name at
    // all: FALSE, and no bytes are left behind from an earlier read.
    EXPECT_FALSE(XTPReadImageFile(strFile, 7, data));
    EXPECT_TRUE(data.empty());
    ::DeleteFileA(strFile);
    data = bytes;
    strFile = WriteTempFile(std::vector<BYTE>());
    EXPECT_FALSE(XTPReadImageFile(strFile, 8, data));
    EXPECT_TRUE(data.empty());
    ::DeleteFileA(strFile);
    data = bytes;
    EXPECT_FALSE(XTPReadImageFile(strFile, 8, data));
    EXPECT_TRUE(data.empty());
    data = bytes;
    EXPECT_FALSE(XTPReadImageFile(NULL, 8, data));
    EXPECT_TRUE(data.empty());
}
