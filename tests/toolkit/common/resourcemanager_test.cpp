// The resource manager loads from the program and from a second module; the
// global data of the older controls; the memory DC.
#include <gtest/gtest.h>

#include "XTAuxData.h"
#include "XTPDrawHelpers.h"
#include "XTPResourceManager.h"
#include <afxext.h>
#include "support/testwindows.h"
#include "toolkit_res.h"

#include <vector>

namespace
{
const UINT kStringId = 4001;
const UINT kMenuId = 4002;
const UINT kBitmapId = 4003;
const UINT kHtmlId = 4004;
const UINT kEmptyHtmlId = 4005;
const UINT kDialogId = 4006;
const UINT kIconId = 4007;
const UINT kBrokenIconId = 4008;
const UINT kToolBarId = 4009;

std::vector<BYTE> MenuTemplate()
{
    // MENUITEMTEMPLATEHEADER, then one item: flags MF_END, id 4100, "Item".
    std::vector<WORD> words = { 0, 0, 0x80, 4100, 'I', 't', 'e', 'm', 0 };
    const BYTE* p = reinterpret_cast<const BYTE*>(words.data());
    return std::vector<BYTE>(p, p + words.size() * 2);
}

std::vector<BYTE> DialogTemplate()
{
    std::vector<WORD> words;
    DWORD dwStyle = WS_POPUP | WS_CAPTION | DS_SETFONT;
    words.push_back(LOWORD(dwStyle));
    words.push_back(HIWORD(dwStyle));
    words.push_back(0);   // extended style
    words.push_back(0);
    words.push_back(0);   // no controls
    words.push_back(10);  // x, y, cx, cy
    words.push_back(10);
    words.push_back(100);
    words.push_back(50);
    words.push_back(0);   // no menu
    words.push_back(0);   // default class
    for (const char* p = "Test"; *p; p++)
        words.push_back((WORD)*p);
    words.push_back(0);
    words.push_back(8);   // font size, face
    for (const char* p = "Tahoma"; *p; p++)
        words.push_back((WORD)*p);
    words.push_back(0);
    const BYTE* p = reinterpret_cast<const BYTE*>(words.data());
    return std::vector<BYTE>(p, p + words.size() * 2);
}

// A 32 x 32 monochrome icon image: header of doubled height, two palette
// entries, XOR bits, AND bits.
std::vector<BYTE> IconImage()
{
    std::vector<BYTE> data(sizeof(BITMAPINFOHEADER) + 8 + 128 + 128, 0);
    BITMAPINFOHEADER* pHeader = reinterpret_cast<BITMAPINFOHEADER*>(data.data());
    pHeader->biSize = sizeof(BITMAPINFOHEADER);
    pHeader->biWidth = 32;
    pHeader->biHeight = 64;
    pHeader->biPlanes = 1;
    pHeader->biBitCount = 1;
    BYTE* pPalette = data.data() + sizeof(BITMAPINFOHEADER);
    pPalette[4] = pPalette[5] = pPalette[6] = 255;
    // XOR: white square in the middle; AND: opaque everywhere.
    BYTE* pXor = pPalette + 8;
    for (int y = 8; y < 24; y++)
        for (int x = 1; x < 3; x++)
            pXor[y * 4 + x] = 0xFF;
    return data;
}

std::vector<BYTE> IconGroup(WORD wCount, WORD wImageId, DWORD dwImageSize)
{
    std::vector<BYTE> data(6 + 14, 0);
    data[2] = 1;   // type: icon
    data[4] = (BYTE)wCount;
    data[6] = 32;  // width
    data[7] = 32;  // height
    data[10] = 1;  // planes
    data[12] = 1;  // bit count
    memcpy(&data[14], &dwImageSize, 4);
    memcpy(&data[18], &wImageId, 2);
    return data;
}

// Fills a resource module with one resource of every kind the manager loads.
void FillModule(testsupport::ResourceModule& module)
{
    module.AddString(kStringId, "From the second module");
    module.Add(RT_MENU, MAKEINTRESOURCEA(kMenuId), MenuTemplate());
    module.Add(RT_BITMAP, MAKEINTRESOURCEA(kBitmapId),
               testsupport::MakeDib24(6, 4, [](int x, int) { return x < 3 ? RGB(255, 0, 0) : RGB(0, 0, 255); }));
    const char html[] = "<p>one</p>\0<p>two</p>";
    module.Add(RT_HTML, MAKEINTRESOURCEA(kHtmlId), html, sizeof(html));
    module.Add(RT_HTML, MAKEINTRESOURCEA(kEmptyHtmlId), "", 0);
    module.Add(RT_DIALOG, MAKEINTRESOURCEA(kDialogId), DialogTemplate());
    std::vector<BYTE> icon = IconImage();
    module.Add(RT_ICON, MAKEINTRESOURCEA(1), icon);
    module.Add(RT_GROUP_ICON, MAKEINTRESOURCEA(kIconId), IconGroup(1, 1, (DWORD)icon.size()));
    // A directory that claims more images than it holds.
    std::vector<BYTE> broken = IconGroup(1, 1, (DWORD)icon.size());
    broken[4] = 40;
    module.Add(RT_GROUP_ICON, MAKEINTRESOURCEA(kBrokenIconId), broken);
    // A toolbar of two 16 x 15 buttons around a separator, and its strip.
    const WORD toolbar[] = { 1, 16, 15, 3, 4101, 0, 4102 };
    module.Add(MAKEINTRESOURCEA(241), MAKEINTRESOURCEA(kToolBarId), toolbar, sizeof(toolbar));
    module.Add(RT_BITMAP, MAKEINTRESOURCEA(kToolBarId),
               testsupport::MakeDib24(32, 15, [](int x, int) { return x < 16 ? RGB(255, 0, 0) : RGB(0, 0, 255); }));
}

// Points the class library's resource lookups at a module for the scope.
class ResourceHandleScope
{
public:
    explicit ResourceHandleScope(HINSTANCE hModule) : m_hOld(AfxGetResourceHandle())
    {
        AfxSetResourceHandle(hModule);
    }
    ~ResourceHandleScope() { AfxSetResourceHandle(m_hOld); }

private:
    HINSTANCE m_hOld;
};
} // namespace

TEST(ResourceManagerTest, IsOneProcessWideObjectWithUsEnglishDefaults)
{
    CXTPResourceManager* pManager = XTPResourceManager();
    ASSERT_NE(nullptr, pManager);
    EXPECT_EQ(pManager, XTPResourceManager());
    EXPECT_EQ(1033, pManager->GetResourcesLangID());
    EXPECT_EQ(nullptr, pManager->GetResourceModule());
}

TEST(ResourceManagerTest, LoadsTheToolkitCursorsFromTheProgram)
{
    const UINT ids[] = { XTP_IDC_DRAGCOPY, XTP_IDC_DRAGMOVE, XTP_IDC_DRAGNONE,
                         XTP_IDC_HSPLITBAR, XTP_IDC_VSPLITBAR, XTP_IDC_HAND };
    for (UINT id : ids)
    {
        HCURSOR hCursor = XTPResourceManager()->LoadCursor(id);
        ASSERT_NE((HCURSOR)NULL, hCursor) << id;
        ICONINFO ii;
        ASSERT_TRUE(::GetIconInfo(hCursor, &ii)) << id;
        EXPECT_FALSE(ii.fIcon);
        if (id == XTP_IDC_HSPLITBAR || id == XTP_IDC_VSPLITBAR)
        {
            EXPECT_EQ(15u, ii.xHotspot);
            EXPECT_EQ(15u, ii.yHotspot);
        }
        ::DeleteObject(ii.hbmMask);
        if (ii.hbmColor)
            ::DeleteObject(ii.hbmColor);
    }
    EXPECT_EQ((HCURSOR)NULL, XTPResourceManager()->LoadCursor(9999));
}

TEST(ResourceManagerTest, ProgramResourcesAreUsEnglish)
{
    EXPECT_EQ(1033, XTPResourceManager()->DetectResourcesLanguage());
}

TEST(ResourceManagerTest, DetectsTheLanguageOfAnotherModule)
{
    testsupport::ResourceModule module;
    ASSERT_TRUE(module.IsReady());
    module.AddString(kStringId, "English", 1033);
    module.AddString(kStringId + 16, "Deutsch", MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
    HMODULE hModule = module.Load();
    ASSERT_NE((HMODULE)NULL, hModule);

    HINSTANCE hOld = AfxGetInstanceHandle();
    AfxSetInstanceHandle(hModule);
    CXTPResourceManager manager;
    WORD wLang = manager.DetectResourcesLanguage();
    AfxSetInstanceHandle(hOld);

    EXPECT_EQ(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), wLang);
    EXPECT_EQ(wLang, manager.GetResourcesLangID());
}

class SecondModuleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_module.IsReady());
        FillModule(m_module);
        m_hModule = m_module.Load();
        ASSERT_NE((HMODULE)NULL, m_hModule);
    }
    testsupport::ResourceModule m_module;
    HMODULE m_hModule = NULL;
};

TEST_F(SecondModuleTest, StringsMenusAndBitmaps)
{
    ResourceHandleScope scope(m_hModule);
    CXTPResourceManager* pManager = XTPResourceManager();

    CString str;
    EXPECT_TRUE(pManager->LoadString(&str, kStringId));
    EXPECT_STREQ("From the second module", str);
    EXPECT_FALSE(pManager->LoadString(&str, kStringId + 1));
    EXPECT_TRUE(str.IsEmpty());

    CMenu menu;
    ASSERT_TRUE(pManager->LoadMenu(&menu, kMenuId));
    EXPECT_EQ(1, (int)menu.GetMenuItemCount());
    EXPECT_EQ(4100u, menu.GetMenuItemID(0));
    CMenu missing;
    EXPECT_FALSE(pManager->LoadMenu(&missing, kMenuId + 100));

    CBitmap bitmap;
    ASSERT_TRUE(pManager->LoadBitmap(&bitmap, kBitmapId));
    BITMAP bm;
    bitmap.GetBitmap(&bm);
    EXPECT_EQ(6, bm.bmWidth);
    EXPECT_EQ(4, bm.bmHeight);
}

TEST_F(SecondModuleTest, ToolBars)
{
    ResourceHandleScope scope(m_hModule);
    HWND hWndParent = testsupport::CreatePlainWindow(0, 0, 300, 100, WS_POPUP);
    CToolBar toolBar;
    ASSERT_TRUE(toolBar.Create(CWnd::FromHandle(hWndParent)));
    ASSERT_TRUE(XTPResourceManager()->LoadToolBar(&toolBar, kToolBarId));
    EXPECT_EQ(3, toolBar.GetCount());
    EXPECT_EQ(4101u, toolBar.GetItemID(0));
    EXPECT_EQ(4102u, toolBar.GetItemID(2));
    EXPECT_FALSE(XTPResourceManager()->LoadToolBar(&toolBar, kToolBarId + 100));
    EXPECT_FALSE(XTPResourceManager()->LoadToolBar(NULL, kToolBarId));
    toolBar.DestroyWindow();
    ::DestroyWindow(hWndParent);
}

TEST_F(SecondModuleTest, HtmlEndsAtItsFirstZeroAndMissingLeavesTheTextAlone)
{
    ResourceHandleScope scope(m_hModule);
    CString strText = "unchanged";
    EXPECT_FALSE(XTPResourceManager()->LoadHTML(&strText, kHtmlId + 100));
    EXPECT_STREQ("unchanged", strText);
    EXPECT_FALSE(XTPResourceManager()->LoadHTML(&strText, kEmptyHtmlId));
    EXPECT_STREQ("unchanged", strText);
    EXPECT_TRUE(XTPResourceManager()->LoadHTML(&strText, kHtmlId));
    EXPECT_STREQ("<p>one</p>", strText);
}

TEST_F(SecondModuleTest, DialogTemplatesComeFromTheProgramOrTheResourceModule)
{
    EXPECT_EQ(nullptr, XTPResourceManager()->LoadDialogTemplate(kDialogId));
    ResourceHandleScope scope(m_hModule);
    LPCDLGTEMPLATE pTemplate = XTPResourceManager()->LoadDialogTemplate(kDialogId);
    ASSERT_NE(nullptr, pTemplate);
    EXPECT_EQ(100, pTemplate->cx);
    EXPECT_EQ(50, pTemplate->cy);
}

TEST_F(SecondModuleTest, APageNamingItsTemplateByIdGetsTheLoadedTemplate)
{
    ResourceHandleScope scope(m_hModule);
    PROPSHEETPAGE psp;
    ZeroMemory(&psp, sizeof(psp));
    psp.dwFlags = PSP_USECALLBACK;
    psp.pszTemplate = MAKEINTRESOURCE(kDialogId);
    ASSERT_TRUE(XTPResourceManager()->LoadPageTemplate(psp));
    EXPECT_EQ((DWORD)(PSP_USECALLBACK | PSP_DLGINDIRECT), psp.dwFlags);
    EXPECT_EQ(XTPResourceManager()->LoadDialogTemplate(kDialogId), psp.pResource);

    // A page with its template in memory keeps it; one naming no template,
    // or a missing one, is left alone.
    DLGTEMPLATE own = {};
    psp.pResource = &own;
    EXPECT_FALSE(XTPResourceManager()->LoadPageTemplate(psp));
    EXPECT_EQ(&own, psp.pResource);
    PROPSHEETPAGE none;
    ZeroMemory(&none, sizeof(none));
    EXPECT_FALSE(XTPResourceManager()->LoadPageTemplate(none));
    EXPECT_EQ(0u, none.dwFlags);
    none.pszTemplate = MAKEINTRESOURCE(kDialogId + 100);
    EXPECT_FALSE(XTPResourceManager()->LoadPageTemplate(none));
    EXPECT_EQ(0u, none.dwFlags);
    EXPECT_EQ(MAKEINTRESOURCE(kDialogId + 100), none.pszTemplate);
}

TEST_F(SecondModuleTest, IconsBySizeAndARefusedBrokenDirectory)
{
    HICON hIcon = XTPResourceManager()->CreateIconFromInstance(m_hModule, MAKEINTRESOURCE(kIconId), CSize(32, 32));
    ASSERT_NE((HICON)NULL, hIcon);
    ICONINFO ii;
    ASSERT_TRUE(::GetIconInfo(hIcon, &ii));
    EXPECT_TRUE(ii.fIcon);
    ::DeleteObject(ii.hbmMask);
    if (ii.hbmColor)
        ::DeleteObject(ii.hbmColor);
    ::DestroyIcon(hIcon);

    EXPECT_EQ((HICON)NULL,
              XTPResourceManager()->CreateIconFromInstance(m_hModule, MAKEINTRESOURCE(kBrokenIconId), CSize(32, 32)));
    EXPECT_EQ((HICON)NULL,
              XTPResourceManager()->CreateIconFromInstance(m_hModule, MAKEINTRESOURCE(kIconId + 50), CSize(32, 32)));

    ResourceHandleScope scope(m_hModule);
    HICON hLoaded = XTPResourceManager()->LoadIcon(kIconId, CSize(32, 32));
    EXPECT_NE((HICON)NULL, hLoaded);
    if (hLoaded)
        ::DestroyIcon(hLoaded);
    EXPECT_EQ((HICON)NULL, XTPResourceManager()->LoadIcon(kIconId + 50, CSize(16, 16)));
}

TEST(AuxDataTest, ColoursMetricsAndCursorsAreTakenFromTheSystem)
{
    CXTAuxData& data = XTAuxData();
    EXPECT_EQ(::GetSysColor(COLOR_3DFACE), data.clr3DFace);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), data.clrWindowText);
    EXPECT_EQ(::GetSysColor(COLOR_INACTIVECAPTIONTEXT), data.clrInactiveCaptText);
    EXPECT_EQ(GetXTPSysColor(30), data.clrXPBarFace);
    EXPECT_EQ(GetXTPSysColor(49), data.clrXPTabInactiveText);

    EXPECT_EQ(::GetSystemMetrics(SM_CXSMICON), data.cxSmIcon);
    EXPECT_EQ(18, data.cxSize);
    EXPECT_EQ(18, data.cySize);
    EXPECT_EQ(::GetSystemMetrics(SM_CYMENU), data.cyMenuItem);

    EXPECT_EQ(XTPResourceManager()->LoadCursor(XTP_IDC_DRAGCOPY), data.hcurDragCopy);
    EXPECT_EQ(XTPResourceManager()->LoadCursor(XTP_IDC_HSPLITBAR), data.hcurHSplitBar);
    EXPECT_EQ(XTPResourceManager()->LoadCursor(XTP_IDC_VSPLITBAR), data.hcurVSplitBar);
    EXPECT_NE((HCURSOR)NULL, data.hcurHand);
    EXPECT_EQ(::LoadCursorA(NULL, IDC_SIZEALL), data.hcurMove);
    EXPECT_NE(-1, data.iComCtlVersion);
    EXPECT_FALSE(data.bUseTahoma);
}

namespace
{
HCURSOR WINAPI LoadCursorWithoutHand(HINSTANCE hInstance, LPCSTR lpszName)
{
    if (hInstance == NULL && lpszName == IDC_HAND)
        return NULL;
    return ::LoadCursorA(hInstance, lpszName);
}
} // namespace

TEST(AuxDataTest, WithoutASystemHandTheToolkitHandIsUsed)
{
    CXTAuxData::PFNLOADSYSCURSOR pfnOld = CXTAuxData::m_pfnLoadSysCursor;
    CXTAuxData::m_pfnLoadSysCursor = LoadCursorWithoutHand;
    CXTAuxData data;
    CXTAuxData::m_pfnLoadSysCursor = pfnOld;

    EXPECT_EQ(XTPResourceManager()->LoadCursor(XTP_IDC_HAND), data.hcurHand);
    EXPECT_NE((HCURSOR)NULL, data.hcurMove) << "loading goes on after the hand";
}

namespace
{
// An installed face other than the menu font's, or an empty string.
CString InstalledFaceOtherThan(LPCSTR lpszFace)
{
    const char* candidates[] = { "Tahoma", "Arial", "DejaVu Sans", "Liberation Sans", "Courier New", "DejaVu Serif" };
    for (const char* pszFace : candidates)
    {
        if (lstrcmpiA(pszFace, lpszFace) != 0 && CXTPDrawHelpers::FontExists(pszFace))
            return pszFace;
    }
    return CString();
}

NONCLIENTMETRICSA NonClientMetrics()
{
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = 340;
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &ncm, 0);
    return ncm;
}
} // namespace

TEST(AuxDataTest, FontsFollowTheFaceAskedForAndTheirOwnRules)
{
    NONCLIENTMETRICSA ncm = NonClientMetrics();
    CString strFace = InstalledFaceOtherThan(ncm.lfMenuFont.lfFaceName);
    if (strFace.IsEmpty())
        GTEST_SKIP() << "no second installed face";

    CXTAuxData& data = XTAuxData();
    ASSERT_TRUE(data.UpdateFonts(strFace, strFace));

    LOGFONTA lf;
    data.font.GetLogFont(&lf);
    EXPECT_STREQ(strFace, lf.lfFaceName);
    EXPECT_EQ(ncm.lfMenuFont.lfHeight, lf.lfHeight);
    LOGFONTA lfBold;
    data.fontBold.GetLogFont(&lfBold);
    EXPECT_EQ(FW_BOLD, lfBold.lfWeight);
    EXPECT_EQ(lf.lfHeight, lfBold.lfHeight);
    LOGFONTA lfULine;
    data.fontULine.GetLogFont(&lfULine);
    EXPECT_TRUE(lfULine.lfUnderline);
    LOGFONTA lfVert;
    data.fontVert.GetLogFont(&lfVert);
    EXPECT_EQ(2700, lfVert.lfEscapement);
    EXPECT_EQ(900, lfVert.lfOrientation);
    EXPECT_STREQ(strFace, lfVert.lfFaceName);
    LOGFONTA lfVertBold;
    data.fontVertBold.GetLogFont(&lfVertBold);
    EXPECT_EQ(FW_BOLD, lfVertBold.lfWeight);
    LOGFONTA lfMarlett, lfIconTitle;
    data.fontMarlett.GetLogFont(&lfMarlett);
    data.fontIconTitle.GetLogFont(&lfIconTitle);
    EXPECT_STREQ("Marlett", lfMarlett.lfFaceName);
    EXPECT_EQ(lfIconTitle.lfHeight, lfMarlett.lfHeight);
    EXPECT_EQ(DEFAULT_CHARSET, lfMarlett.lfCharSet);
    LOGFONTA lfIconTitleBold;
    data.fontIconTitleBold.GetLogFont(&lfIconTitleBold);
    EXPECT_EQ(FW_BOLD, lfIconTitleBold.lfWeight);
    LOGFONTA lfStatus, lfSmCaption;
    data.fontStatus.GetLogFont(&lfStatus);
    data.fontSmCaption.GetLogFont(&lfSmCaption);
    EXPECT_STREQ(strFace, lfStatus.lfFaceName) << "the face reaches the status and small-caption fonts";
    EXPECT_STREQ(strFace, lfSmCaption.lfFaceName);
    EXPECT_EQ(ncm.lfStatusFont.lfHeight, lfStatus.lfHeight);
}

TEST(AuxDataTest, FaceThatIsNotInstalledKeepsTheMenuFont)
{
    NONCLIENTMETRICSA ncm = NonClientMetrics();
    CXTAuxData& data = XTAuxData();
    ASSERT_TRUE(data.UpdateFonts(_T("No Such Face Anywhere"), _T("No Such Face Either")));
    LOGFONTA lf;
    data.font.GetLogFont(&lf);
    EXPECT_STREQ(ncm.lfMenuFont.lfFaceName, lf.lfFaceName);
    EXPECT_EQ(ncm.lfMenuFont.lfHeight, lf.lfHeight);
    LOGFONTA lfStatus;
    data.fontStatus.GetLogFont(&lfStatus);
    EXPECT_STREQ(ncm.lfStatusFont.lfFaceName, lfStatus.lfFaceName);
    // The vertical face: the menu face when that is "Tahoma", else "Arial"
    // when installed.
    LOGFONTA lfVert;
    data.fontVert.GetLogFont(&lfVert);
    if (lstrcmpiA(ncm.lfMenuFont.lfFaceName, "Tahoma") == 0 || !CXTPDrawHelpers::FontExists("Arial"))
        EXPECT_STREQ(ncm.lfMenuFont.lfFaceName, lfVert.lfFaceName);
    else
        EXPECT_STREQ("Arial", lfVert.lfFaceName);
}

TEST(AuxDataTest, ColoursRefreshFromTheColourManager)
{
    CXTAuxData& data = XTAuxData();
    GetColorManager()->SetColor(31, RGB(1, 2, 3));
    data.UpdateSysColors();
    EXPECT_EQ(RGB(1, 2, 3), data.clrXPHighlight);
    GetColorManager()->SetColor(31, COLORREF_NULL);
    data.UpdateSysColors();
    EXPECT_EQ(GetXTPSysColor(31), data.clrXPHighlight);
}

TEST(MemDCTest, CopiesItsPictureToTheTargetRectangle)
{
    testsupport::Canvas canvas(40, 30, RGB(255, 255, 255));
    {
        CXTMemDC memDC(canvas.DC(), CRect(10, 5, 30, 25), CXTPPaintManagerColorGradient(RGB(0, 128, 0)));
        ASSERT_TRUE(memDC.IsValid());
        memDC.FillSolidRect(0, 0, 5, 5, RGB(255, 0, 0));
        EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(10, 5)) << "nothing reaches the target before the end";
    }
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(10, 5));
    EXPECT_EQ(RGB(0, 128, 0), canvas.Pixel(29, 24));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(9, 5));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(30, 25));
}

TEST(MemDCTest, EmptyRectangleCoversTheClipBoxAndUnsetGradientPaintsNothing)
{
    testsupport::Canvas canvas(20, 10, RGB(0, 0, 255));
    {
        CXTMemDC memDC(canvas.DC(), CRect(0, 0, 0, 0), CXTPPaintManagerColorGradient());
        ASSERT_TRUE(memDC.IsValid());
        EXPECT_EQ(CRect(0, 0, 20, 10), memDC.GetRect());
        memDC.FillSolidRect(15, 5, 5, 5, RGB(255, 255, 0));
    }
    EXPECT_EQ(RGB(255, 255, 0), canvas.Pixel(19, 9));
}

TEST(MemDCTest, NoTargetDoesNothing)
{
    CXTMemDC memDC(NULL, CRect(0, 0, 10, 10));
    EXPECT_FALSE(memDC.IsValid());
}
