// The metafile renderer: pictures recorded by GDI come back from its process
// exactly as the system draws them; the crafted files that crashed or froze
// the editor, and seeded damaged copies of recorded pictures, are drawn or
// refused within the time limit while the calling thread keeps answering,
// and nothing of a renderer is left behind.
#include <gtest/gtest.h>

#include "XTPImageEditorMetafile.h"
#include "XTPMetafileRenderer.h"
#include "support/answering.h"
#include "support/crafted_metafiles.h"
#include "support/data_files.h"
#include "support/gdi_count.h"
#include "support/memory.h"
#include "support/metafiles.h"
#include "support/snapshot.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace
{
const DWORD kBlankPixel = 0x00FFFEFF;   // RGB(255, 254, 255) as a DIB pixel

struct RenderResult
{
    BOOL bDrawn = FALSE;
    CString strProblem;
    XTPMetafileRenderFailure nFailure = xtpRenderNoFailure;
    DWORD dwTook = 0;
    std::vector<DWORD> pixels;
};

RenderResult RenderApart(const std::vector<BYTE>& data, int nSide, DWORD dwTimeout = XTP_METAFILE_RENDER_TIMEOUT)
{
    RenderResult result;
    result.pixels.assign((size_t)nSide * nSide, kBlankPixel);
    const DWORD dwStart = ::GetTickCount();
    result.bDrawn = XTPRenderMetafileApart(data.data(), data.size(), CSize(nSide, nSide), result.pixels.data(),
                                           result.strProblem, dwTimeout, &result.nFailure);
    result.dwTook = ::GetTickCount() - dwStart;
    return result;
}

// DIB pixels as the colours a canvas gives.
std::vector<COLORREF> AsColors(const std::vector<DWORD>& pixels)
{
    std::vector<COLORREF> colors;
    for (DWORD p : pixels)
        colors.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    return colors;
}

// Renderer processes this program started that are still there.
int RenderersLeft()
{
    int nLeft = 0;
    HANDLE hSnapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (hSnapshot == INVALID_HANDLE_VALUE)
        return -1;
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof(entry);
    for (BOOL bMore = ::Process32First(hSnapshot, &entry); bMore; bMore = ::Process32Next(hSnapshot, &entry))
    {
        if (entry.th32ParentProcessID == ::GetCurrentProcessId() &&
            lstrcmpi(entry.szExeFile, XTP_METAFILE_RENDERER_EXE) == 0)
            nLeft++;
    }
    ::CloseHandle(hSnapshot);
    return nLeft;
}

// Pens of every style, pattern and hatched brushes and clip regions: what a
// drawing program records.
void DrawPensBrushesAndClips(HDC hDC, bool bEnhanced)
{
    const int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    for (int i = 0; i < (int)(sizeof(kStyles) / sizeof(kStyles[0])); i++)
    {
        HPEN hPen = ::CreatePen(kStyles[i], i == 6 ? 3 : 1, RGB(30 * i, 0, 200 - 20 * i));
        HGDIOBJ hOld = ::SelectObject(hDC, hPen);
        ::MoveToEx(hDC, 1, 1 + i * 4, NULL);
        ::LineTo(hDC, 30, 2 + i * 4);
        ::SelectObject(hDC, hOld);
        ::DeleteObject(hPen);
    }
    testsupport::SmallDib dib;
    HBRUSH hPattern = ::CreateDIBPatternBrushPt(&dib.bmi, DIB_RGB_COLORS);
    HBRUSH hHatch = ::CreateHatchBrush(HS_CROSS, RGB(0, 128, 0));
    HGDIOBJ hOldBrush = ::SelectObject(hDC, hPattern);
    ::Rectangle(hDC, 2, 20, 14, 30);
    ::SelectObject(hDC, hHatch);
    ::Ellipse(hDC, 16, 20, 30, 30);
    // A clip region of several rectangles, then a fill through it.
    HRGN hClip = ::CreateRectRgn(0, 0, 10, 32);
    HRGN hOther = ::CreateRectRgn(20, 0, 32, 32);
    ::CombineRgn(hClip, hClip, hOther, RGN_OR);
    ::SelectClipRgn(hDC, hClip);
    ::SelectObject(hDC, hPattern);
    ::Rectangle(hDC, 0, 0, 32, 8);
    ::SelectClipRgn(hDC, NULL);
    ::DeleteObject(hOther);
    ::DeleteObject(hClip);
    if (bEnhanced)
    {
        // Geometric pens: caps, joins, own dashes and a pattern.
        LOGBRUSH lb = {BS_SOLID, RGB(200, 0, 0), 0};
        DWORD dashes[] = {3, 1, 1, 1};
        HPEN hDashed = ::ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT | PS_JOIN_BEVEL, 2, &lb, 4, dashes);
        HGDIOBJ hOld = ::SelectObject(hDC, hDashed);
        POINT zigzag[] = {{2, 10}, {8, 16}, {14, 10}, {20, 16}};
        ::Polyline(hDC, zigzag, 4);
        LOGBRUSH lbPattern = {BS_DIBPATTERNPT, DIB_RGB_COLORS, (ULONG_PTR)&dib.bmi};
        HPEN hPatternPen = ::ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND, 3, &lbPattern, 0,
                                          NULL);
        ::SelectObject(hDC, hPatternPen);
        ::MoveToEx(hDC, 22, 10, NULL);
        ::LineTo(hDC, 30, 18);
        LOGBRUSH lbCosmetic = {BS_SOLID, RGB(0, 0, 0), 0};
        HPEN hAlternate = ::ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &lbCosmetic, 0, NULL);
        ::SelectObject(hDC, hAlternate);
        ::MoveToEx(hDC, 1, 31, NULL);
        ::LineTo(hDC, 31, 31);
        ::SelectObject(hDC, hOld);
        ::DeleteObject(hAlternate);
        ::DeleteObject(hPatternPen);
        ::DeleteObject(hDashed);
    }
    ::SelectObject(hDC, hOldBrush);
    ::DeleteObject(hHatch);
    ::DeleteObject(hPattern);
}

// How many damaged copies the fuzz test makes: a few hundred, or the number
// BM_METAFILE_FUZZ_CASES asks for; BM_METAFILE_FUZZ_SEED moves the seeds.
DWORD FuzzSetting(const char* pszName, DWORD dwDefault)
{
    const char* pszValue = getenv(pszName);
    return pszValue != NULL && *pszValue != 0 ? (DWORD)strtoul(pszValue, NULL, 10) : dwDefault;
}

// A window of this thread for the watch of its answers.
struct TestWindow
{
    TestWindow() : hWnd(::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL)) {}
    ~TestWindow() { ::DestroyWindow(hWnd); }
    HWND hWnd;
};
} // namespace

TEST(XTPMetafileRendererTest, IsInstalledBesideTheProgram)
{
    const std::wstring strPath = XTPMetafileRendererPath();
    ASSERT_FALSE(strPath.empty());
    EXPECT_NE(std::wstring::npos, strPath.find(XTP_METAFILE_RENDERER_EXE_W));
    const DWORD dwAttributes = ::GetFileAttributesW(strPath.c_str());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, dwAttributes)
        << "the build puts the renderer beside every program that imports pictures";
    EXPECT_EQ(0u, dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace
{
// Runs the renderer on a command line of its own; its exit code.
DWORD RunRenderer(const CString& strArguments)
{
    // The arguments are plain ASCII.
    std::wstring strCommand = L"\"" + XTPMetafileRendererPath() + L"\" ";
    for (LPCTSTR p = strArguments; *p != 0; ++p)
        strCommand += (wchar_t)(unsigned char)*p;
    std::vector<wchar_t> command(strCommand.begin(), strCommand.end());
    command.push_back(0);
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(NULL, command.data(), NULL, NULL, FALSE, CREATE_NO_WINDOW, NULL, NULL, &si, &pi))
        return (DWORD)-1;
    DWORD dwExit = (DWORD)-1;
    if (::WaitForSingleObject(pi.hProcess, 10000) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(pi.hProcess, &dwExit);
    else
        ::TerminateProcess(pi.hProcess, 1);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return dwExit;
}
} // namespace

// The renderer trusts nothing of its block: a missing one, or one whose
// header says more than it holds, ends it without drawing.
TEST(XTPMetafileRendererTest, TheRendererRefusesABlockThatDoesNotHoldWhatItSays)
{
    EXPECT_EQ((DWORD)xtpRendererBadCall, RunRenderer(_T("")));
    EXPECT_EQ((DWORD)xtpRendererBadCall, RunRenderer(_T("NoSuchBlock 1000")));

    const std::vector<BYTE> emf = testsupport::RecordEnh([](HDC hDC) { testsupport::DrawPicture(hDC, true); });
    const DWORD cbBlock = 4096 + (DWORD)emf.size() + 16 * 16 * 4;
    const char* const pszName = "XTPMetafileRendererTest.Block";
    HANDLE hMapping = ::CreateFileMappingA(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0, cbBlock, pszName);
    ASSERT_TRUE(hMapping != NULL);
    BYTE* pBlock = (BYTE*)::MapViewOfFile(hMapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, 0);
    ASSERT_TRUE(pBlock != NULL);
    XTP_METAFILE_RENDER_BLOCK* pHeader = (XTP_METAFILE_RENDER_BLOCK*)pBlock;
    auto Sound = [&]() {
        ZeroMemory(pHeader, sizeof(*pHeader));
        pHeader->dwSignature = XTP_METAFILE_RENDER_SIGNATURE;
        pHeader->cbBlock = cbBlock;
        pHeader->cx = pHeader->cy = 16;
        pHeader->offData = 1024;
        pHeader->cbData = (DWORD)emf.size();
        pHeader->offPixels = 2048 + (DWORD)emf.size() / 16 * 16;
        pHeader->nResult = -1;
        memcpy(pBlock + pHeader->offData, emf.data(), emf.size());
    };
    const CString strArguments = CString(pszName) + _T(" 2000");
    Sound();
    EXPECT_EQ((DWORD)xtpRendererDrawn, RunRenderer(strArguments));
    EXPECT_EQ(1, pHeader->nResult);
    Sound();
    pHeader->cbData = cbBlock;   // the picture runs past the block
    EXPECT_EQ((DWORD)xtpRendererBadCall, RunRenderer(strArguments));
    Sound();
    pHeader->cx = 100000;   // pixels past the block
    EXPECT_EQ((DWORD)xtpRendererBadCall, RunRenderer(strArguments));
    Sound();
    pHeader->cbBlock = cbBlock * 16;   // a block larger than the one shared
    EXPECT_EQ((DWORD)xtpRendererBadCall, RunRenderer(strArguments));
    EXPECT_EQ(-1, pHeader->nResult);
    ::UnmapViewOfFile(pBlock);
    ::CloseHandle(hMapping);
}

TEST(XTPMetafileRendererTest, SoundPicturesComeBackAsTheSystemDrawsThem)
{
    const struct
    {
        const char* pszName;
        std::vector<BYTE> data;
    } kPictures[] = {
        {"renderer_enhanced", testsupport::RecordEnh([](HDC hDC) { testsupport::DrawPicture(hDC, true); })},
        {"renderer_placeable", testsupport::RecordPlaceable([](HDC hDC) { testsupport::DrawPicture(hDC, false); })},
        {"renderer_pens_enhanced", testsupport::RecordEnh([](HDC hDC) { DrawPensBrushesAndClips(hDC, true); })},
        {"renderer_pens_placeable",
         testsupport::RecordPlaceable([](HDC hDC) { DrawPensBrushesAndClips(hDC, false); })}};
    const int nSide = testsupport::kMetafileSide;
    for (const auto& picture : kPictures)
    {
        SCOPED_TRACE(picture.pszName);
        ASSERT_FALSE(picture.data.empty());
        RenderResult result = RenderApart(picture.data, nSide);
        ASSERT_TRUE(result.bDrawn) << (LPCTSTR)result.strProblem;
        const std::vector<COLORREF> drawn = AsColors(result.pixels);
        EXPECT_EQ(testsupport::PlayBySystem(picture.data, nSide), drawn);
        int nChanged = 0;
        for (DWORD p : result.pixels)
            nChanged += p != kBlankPixel ? 1 : 0;
        EXPECT_GT(nChanged, nSide * nSide / 4);
        // Enlarged for a look.
        const int nZoom = 8;
        testsupport::Canvas out(nSide * nZoom, nSide * nZoom);
        for (int i = 0; i < nSide * nSide; i++)
        {
            RECT rc = {(i % nSide) * nZoom, (i / nSide) * nZoom, (i % nSide + 1) * nZoom, (i / nSide + 1) * nZoom};
            HBRUSH hBrush = ::CreateSolidBrush(drawn[i]);
            ::FillRect(out.DC()->GetSafeHdc(), &rc, hBrush);
            ::DeleteObject(hBrush);
        }
        ::GdiFlush();
        EXPECT_FALSE(testsupport::SaveSnapshot(out, picture.pszName).empty());
    }
    EXPECT_EQ(0, RenderersLeft());
}

// Gradients, blends, copies through a mask or onto a parallelogram,
// palettes, pens of their own dashes and comments pass the checks and come
// back as the system draws them.
TEST(XTPMetafileRendererTest, PicturesOfEveryKindTheSystemDrawsComeBackAsItDrawsThem)
{
    const int nSide = testsupport::kMetafileSide;
    for (const testsupport::KindPicture& picture : testsupport::PicturesOfEveryKind())
    {
        SCOPED_TRACE(picture.pszName);
        ASSERT_FALSE(picture.data.empty());
        ASSERT_TRUE(testsupport::HasRecordOfKind(picture.data, picture.bEnhanced, picture.nKind))
            << "the picture holds the record it is about";
        CString strProblem;
        EXPECT_TRUE(XTPCheckMetafileData(picture.data.data(), picture.data.size(), strProblem))
            << (LPCTSTR)strProblem;
        const RenderResult result = RenderApart(picture.data, nSide);
        ASSERT_TRUE(result.bDrawn) << (LPCTSTR)result.strProblem;
        const std::vector<COLORREF> drawn = AsColors(result.pixels);
        EXPECT_EQ(testsupport::PlayBySystem(picture.data, nSide), drawn);
        int nChanged = 0;
        for (DWORD p : result.pixels)
            nChanged += p != kBlankPixel ? 1 : 0;
        EXPECT_GT(nChanged, 16) << "the picture draws something";
        testsupport::Canvas out(nSide, nSide);
        for (int i = 0; i < nSide * nSide; i++)
            ::SetPixel(out.DC()->GetSafeHdc(), i % nSide, i / nSide, drawn[i]);
        ::GdiFlush();
        EXPECT_FALSE(testsupport::SaveSnapshot(out, (std::string("kind_") + picture.pszName).c_str()).empty());
    }
    EXPECT_EQ(0, RenderersLeft());
}

TEST(XTPMetafileRendererTest, CraftedFilesAreDrawnOrRefusedWithinTheLimitWhileTheThreadAnswers)
{
    TestWindow window;
    ASSERT_TRUE(window.hWnd != NULL);
    for (const char* pszFile : testsupport::kCraftedMetafiles)
    {
        SCOPED_TRACE(pszFile);
        const std::vector<BYTE> data = testsupport::ReadDataFile((std::string("crafted-metafiles/") + pszFile).c_str());
        ASSERT_FALSE(data.empty()) << testsupport::DataFilePath(pszFile);
        testsupport::CAnswerWatch watch(window.hWnd);
        const RenderResult result = RenderApart(data, 16);
        watch.Stop();
        std::printf("%s: %s in %lu ms%s%s\n", pszFile, result.bDrawn ? "drawn" : "refused",
                    (unsigned long)result.dwTook, result.bDrawn ? "" : ": ", (LPCTSTR)result.strProblem);
        // The limit of the renderer and the ending of it: two seconds.
        EXPECT_LE(result.dwTook, 2000u);
        EXPECT_EQ(0, watch.Unanswered());
        EXPECT_LT(watch.LongestWait(), 500u) << "the thread answers while it waits";
        if (!result.bDrawn)
        {
            EXPECT_FALSE(result.strProblem.IsEmpty());
            EXPECT_EQ(std::vector<DWORD>(16 * 16, kBlankPixel), result.pixels) << "the pixels stay as they were";
        }
    }
    EXPECT_EQ(0, RenderersLeft());
}

// Sound records that cost the player much (clip rectangles by the ten
// thousand, a path stroked with a wider pen than it was built with, a clip
// region from a large path, fills of many polygons) are priced: refused
// before they are drawn, never by running out of time, or drawn.
TEST(XTPMetafileRendererTest, CostlyPicturesAreRefusedByTheirPriceOrDrawn)
{
    for (const testsupport::CostlyPicture& picture : testsupport::CostlyPictures())
    {
        SCOPED_TRACE(picture.pszName);
        ASSERT_FALSE(picture.data.empty());
        const RenderResult result = RenderApart(picture.data, 16);
        std::printf("%s: %s in %lu ms%s%s\n", picture.pszName, result.bDrawn ? "drawn" : "refused",
                    (unsigned long)result.dwTook, result.bDrawn ? "" : ": ", (LPCTSTR)result.strProblem);
        if (!result.bDrawn)
        {
            EXPECT_NE(-1, result.strProblem.Find(_T("would cost more"))) << (LPCTSTR)result.strProblem;
            EXPECT_EQ(std::vector<DWORD>(16 * 16, kBlankPixel), result.pixels) << "the pixels stay as they were";
        }
    }
    EXPECT_EQ(0, RenderersLeft());
}

TEST(XTPMetafileRendererTest, ARendererPastItsTimeIsEndedAndThePixelsStay)
{
    const std::vector<BYTE> emf = testsupport::RecordEnh([](HDC hDC) { testsupport::DrawPicture(hDC, true); });
    ASSERT_FALSE(emf.empty());
    // No process starts and takes the picture within a few milliseconds:
    // the renderer, not the picture, is what did not answer.
    const RenderResult late = RenderApart(emf, 16, 5);
    EXPECT_FALSE(late.bDrawn);
    EXPECT_EQ(xtpRenderRendererSilent, late.nFailure);
    EXPECT_NE(-1, late.strProblem.Find(_T("did not take the picture"))) << (LPCTSTR)late.strProblem;
    EXPECT_EQ(std::vector<DWORD>(16 * 16, kBlankPixel), late.pixels);
    EXPECT_LT(late.dwTook, 1500u);
    EXPECT_EQ(0, RenderersLeft()) << "the late renderer was ended";

    // Posted and sent messages are handled while the renderer works; a
    // quit request is kept for the loop that owns it and ends the wait.
    TestWindow window;
    ::PostMessage(window.hWnd, WM_NULL, 0, 0);
    ::PostQuitMessage(7);
    const RenderResult quit = RenderApart(emf, 16);
    EXPECT_FALSE(quit.bDrawn);
    EXPECT_NE(-1, quit.strProblem.Find(_T("closing"))) << (LPCTSTR)quit.strProblem;
    MSG msg;
    EXPECT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit request is there again";
    EXPECT_EQ(7, (int)msg.wParam);
    EXPECT_FALSE(::PeekMessage(&msg, window.hWnd, WM_NULL, WM_NULL, PM_REMOVE)) << "the posted message was handled";
    EXPECT_EQ(0, RenderersLeft());

    // Then the same picture is drawn.
    EXPECT_TRUE(RenderApart(emf, 16).bDrawn);
}

TEST(XTPMetafileRendererTest, DamagedCopiesNeverCrashHangOrStayBehind)
{
    // Recorded pictures of both kinds, and ones heavy in patterns, regions
    // and scaling for the damage to work on.
    auto Heavy = [](HDC hDC) {
        DrawPensBrushesAndClips(hDC, false);
        ::SetMapMode(hDC, MM_ANISOTROPIC);
        ::ScaleViewportExtEx(hDC, 3, 2, 3, 2, NULL);
        ::ScaleWindowExtEx(hDC, 2, 3, 2, 3, NULL);
        HRGN hRgn = ::CreateRectRgn(2, 2, 12, 12);
        HBRUSH hBrush = ::CreateHatchBrush(HS_BDIAGONAL, RGB(0, 0, 255));
        ::FillRgn(hDC, hRgn, hBrush);
        ::FrameRgn(hDC, hRgn, hBrush, 1, 1);
        ::DeleteObject(hBrush);
        ::DeleteObject(hRgn);
    };
    // With the gradients, blends, masked and parallelogram copies,
    // palettes, own dashes and comments the renderer is handed too.
    std::vector<std::pair<std::vector<BYTE>, bool>> seeds = {
        {testsupport::RecordEnh([](HDC hDC) { testsupport::DrawPicture(hDC, true); }), true},
        {testsupport::RecordPlaceable([](HDC hDC) { testsupport::DrawPicture(hDC, false); }), false},
        {testsupport::RecordEnh(Heavy), true},
        {testsupport::RecordPlaceable(Heavy), false}};
    for (const testsupport::KindPicture& picture : testsupport::PicturesOfEveryKind())
        seeds.push_back({picture.data, picture.bEnhanced});
    for (const auto& seed : seeds)
        ASSERT_FALSE(seed.first.empty());

    const DWORD dwCases = FuzzSetting("BM_METAFILE_FUZZ_CASES", 300);
    const DWORD dwFirst = FuzzSetting("BM_METAFILE_FUZZ_SEED", 1);
    RenderApart(seeds[0].first, 16);   // what is made once
    const DWORD dwGdiBefore = testsupport::GdiHighWater();
    const SIZE_T nPeakBefore = testsupport::PeakProcessMemory();
    ASSERT_NE(0u, nPeakBefore);
    int nDrawn = 0, nRefusedByChecks = 0, nRefusedApart = 0;
    DWORD dwSlowest = 0;
    for (DWORD dwSeed = dwFirst; dwSeed < dwFirst + dwCases; dwSeed++)
    {
        const size_t nSeed = dwSeed % seeds.size();
        const bool bEnhanced = seeds[nSeed].second;
        const std::vector<BYTE> data =
            testsupport::Damage(seeds[nSeed].first, dwSeed, bEnhanced ? 8 : 22, bEnhanced);
        CString strCheck;
        const bool bPassesChecks = XTPCheckMetafileData(data.data(), data.size(), strCheck) != FALSE;
        const RenderResult result = RenderApart(data, 16);
        dwSlowest = std::max(dwSlowest, result.dwTook);
        if (result.dwTook > 400)
            std::printf("seed %lu took %lu ms (%s)\n", (unsigned long)dwSeed, (unsigned long)result.dwTook,
                        result.bDrawn ? "drawn" : (LPCTSTR)result.strProblem);
        EXPECT_LE(result.dwTook, 2000u) << "seed " << dwSeed;
        if (result.bDrawn)
        {
            nDrawn++;
        }
        else
        {
            EXPECT_FALSE(result.strProblem.IsEmpty()) << "seed " << dwSeed;
            EXPECT_EQ(std::vector<DWORD>(16 * 16, kBlankPixel), result.pixels) << "seed " << dwSeed;
            (bPassesChecks ? nRefusedApart : nRefusedByChecks)++;
            if (bPassesChecks)
                std::printf("seed %lu refused by the renderer: %s\n", (unsigned long)dwSeed,
                            (LPCTSTR)result.strProblem);
        }
    }
    std::printf("%lu damaged copies from seed %lu: %d drawn, %d refused by the checks, %d by the renderer; "
                "slowest %lu ms\n",
                (unsigned long)dwCases, (unsigned long)dwFirst, nDrawn, nRefusedByChecks, nRefusedApart,
                (unsigned long)dwSlowest);
    EXPECT_GT(nDrawn, 0);
    EXPECT_GT(nRefusedByChecks, 0);
    const SIZE_T nPeakAfter = testsupport::PeakProcessMemory();
    EXPECT_LT(nPeakAfter > nPeakBefore ? nPeakAfter - nPeakBefore : 0, (SIZE_T)100 * 1024 * 1024);
    EXPECT_LE(testsupport::GdiHighWater(), dwGdiBefore + 2) << "the program makes no object for a picture";
    EXPECT_EQ(0, RenderersLeft());
}
