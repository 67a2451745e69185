// The button image editor's metafile import wherever the program lies and
// whatever stands in its renderer's place: copies of this program run from a
// folder of non-Latin letters, beside a renderer that is missing, empty, not
// a program or a folder, and beside a stand-in that faults. Each copy runs
// the import test below, told what to expect.
#include <gtest/gtest.h>

#include "XTPImageEditorDlg.h"
#include "XTPMetafileRenderer.h"
#include "XTPResourceManager.h"
#include "support/copied_program.h"
#include "support/metafiles.h"
#include "support/modal.h"
#include "support/tempfolder.h"
#include "customize_editor_res.h"

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace
{
// The import test's expectation, set for a copy: "drawn" (as in the build
// folder), "norenderer" (the renderer's own message) or "refused" (the
// picture's message).
const char kExpectVariable[] = "BM_RENDERER_EXPECT";
const char kImportTest[] = "MetafileImportTest.DrawsThePictureOrSaysWhatIsMissing";

std::vector<std::string>& Messages()
{
    static std::vector<std::string> s_texts;
    return s_texts;
}
int AFXAPI RecordMessage(LPCTSTR lpszText, UINT, UINT)
{
    Messages().push_back(lpszText);
    return IDOK;
}

// The image's pixels as colours, top row first.
std::vector<COLORREF> Colors(const CXTPImageEditorPicture* pCanvas)
{
    std::vector<COLORREF> colors;
    const CXTPImageEditorPicture::CAlphaBitmap* pPicture = pCanvas->GetPicture();
    const CSize sz = pCanvas->GetPictureSize();
    for (int y = 0; y < sz.cy; y++)
        for (int x = 0; x < sz.cx; x++)
            colors.push_back(pPicture == NULL ? XTP_IMAGEEDITOR_TRANSPARENT : pPicture->GetColor(x, y));
    return colors;
}
} // namespace

TEST(MetafileImportTest, DrawsThePictureOrSaysWhatIsMissing)
{
    const char* pszExpect = getenv(kExpectVariable);
    const std::string strExpect = pszExpect != NULL && *pszExpect != 0 ? pszExpect : "drawn";
    SCOPED_TRACE("expecting " + strExpect);
    const int nSide = 16;

    testsupport::CTempFolder folder;
    const std::vector<BYTE> emf = testsupport::RecordEnh([](HDC hDC) { testsupport::DrawPicture(hDC, true); });
    ASSERT_FALSE(emf.empty());
    const std::string strPicture = folder.Path("picture.emf");
    {
        std::ofstream file(strPicture.c_str(), std::ios::binary);
        file.write((const char*)emf.data(), (std::streamsize)emf.size());
    }

    CXTPImageEditorDlg dlg;
    dlg.SetIconSize(CSize(nSide, nSide));
    ASSERT_TRUE(dlg.CreateIndirect(XTPResourceManager()->LoadDialogTemplate(XTP_IDD_IMAGEEDITOR_DIALOG), NULL));
    dlg.ShowWindow(SW_SHOWNA);
    CXTPImageEditorPicture* pCanvas = dlg.GetPictureCtrl();
    // An image of one pencil dot to keep.
    const CSize szCell = pCanvas->GetCellSize();
    pCanvas->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(szCell.cx * 3 + 1, szCell.cy * 5 + 1));
    pCanvas->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(szCell.cx * 3 + 1, szCell.cy * 5 + 1));
    ASSERT_TRUE(pCanvas->GetPicture() != NULL);
    const std::vector<COLORREF> before = Colors(pCanvas);
    const int nUndoBefore = pCanvas->GetUndoCount();

    Messages().clear();
    AFX_MSGBOX_HOOK pfnOld = AfxSetMessageBoxHook(&RecordMessage);
    testsupport::ModalDriver driver(
        [&](HWND hDlg) {
            ::SetDlgItemTextA(hDlg, 1148, strPicture.c_str());
            ::SetDlgItemTextA(hDlg, 1152, strPicture.c_str());
            testsupport::ModalDriver::Press(hDlg, IDOK);
        },
        dlg.m_hWnd);
    pCanvas->OnImport();
    AfxSetMessageBoxHook(pfnOld);
    EXPECT_TRUE(driver.HasRun());

    if (strExpect == "drawn")
    {
        EXPECT_TRUE(Messages().empty()) << (Messages().empty() ? "" : Messages()[0]);
        EXPECT_EQ(testsupport::PlayBySystem(emf, nSide), Colors(pCanvas)) << "drawn as the system draws it";
        EXPECT_EQ(nUndoBefore + 1, pCanvas->GetUndoCount());
    }
    else
    {
        // One message, naming the renderer when it is what is missing.
        CString strExpected;
        if (strExpect == "norenderer")
        {
            CString strFormat;
            XTPResourceManager()->LoadString(&strFormat, XTP_IDS_IMAGEEDITOR_NORENDERER);
            strExpected.Format(strFormat, (LPCTSTR)CString(XTPMetafileRendererPath().c_str()));
            EXPECT_NE(-1, strExpected.Find(XTP_METAFILE_RENDERER_EXE));
        }
        else
        {
            XTPResourceManager()->LoadString(&strExpected, XTP_IDS_IMAGEEDITOR_BADPICTURE);
        }
        ASSERT_EQ(1u, Messages().size());
        EXPECT_EQ(std::string((LPCTSTR)strExpected), Messages()[0]);
        EXPECT_EQ(before, Colors(pCanvas)) << "the image is kept";
        EXPECT_EQ(nUndoBefore, pCanvas->GetUndoCount());
    }
    dlg.DestroyWindow();
}

namespace
{
// A folder holding a copy of this program and, unless told otherwise, of
// the renderer built beside it.
struct ProgramCopy
{
    explicit ProgramCopy(const std::wstring& strFolderName, bool bWithRenderer = true) : folder(strFolderName)
    {
        const std::wstring strProgram = testsupport::ProgramPathW();
        strExe = folder.Path(strProgram.substr(testsupport::FolderOfW(strProgram).size()));
        bCopied = !folder.Folder().empty() && ::CopyFileW(strProgram.c_str(), strExe.c_str(), FALSE) &&
                  (!bWithRenderer || PutRenderer(BuiltRenderer()));
    }
    static std::wstring BuiltRenderer()
    {
        return testsupport::FolderOfW(testsupport::ProgramPathW()) + XTP_METAFILE_RENDERER_EXE_W;
    }
    std::wstring Renderer() const { return folder.Path(XTP_METAFILE_RENDERER_EXE_W); }
    bool PutRenderer(const std::wstring& strFrom) const
    {
        return ::CopyFileW(strFrom.c_str(), Renderer().c_str(), FALSE) != FALSE;
    }
    // Runs the import test in the copy with the expectation.
    testsupport::CopiedRun Import(const char* pszExpect) const
    {
        std::wstring strExpect;
        for (const char* p = pszExpect; *p != 0; ++p)
            strExpect += (wchar_t)*p;
        std::wstring strVariable;
        for (const char* p = kExpectVariable; *p != 0; ++p)
            strVariable += (wchar_t)*p;
        return testsupport::RunCopiedProgram(strExe, kImportTest, {{strVariable, strExpect}});
    }

    testsupport::CWideTempFolder folder;
    std::wstring strExe;
    bool bCopied = false;
};

// The copy ran the import test, which passed.
void ExpectPassed(const testsupport::CopiedRun& run)
{
    ASSERT_TRUE(run.bStarted);
    EXPECT_TRUE(run.bEnded);
    EXPECT_EQ(0u, run.dwExit) << run.strOutput;
    EXPECT_NE(std::string::npos, run.strOutput.find("[  PASSED  ] 1 test")) << run.strOutput;
    EXPECT_FALSE(run.bCrashDialog) << "no crash dialog while it ran";
}
} // namespace

TEST(MetafileRendererPlaceTest, ThePictureIsDrawnFromAFolderOfNonLatinLetters)
{
    // "Игры Ω"
    ProgramCopy copy(L"\u0418\u0433\u0440\u044B \u03A9");
    ASSERT_TRUE(copy.bCopied);
    ExpectPassed(copy.Import("drawn"));
}

TEST(MetafileRendererPlaceTest, AMissingOrBrokenRendererIsNamedThePictureKeptAndItDrawsOnceTheRendererIsBack)
{
    const struct
    {
        const char* pszCase;
        std::string strBytes;   // the renderer's bytes; "-" for none, "/" for a folder
    } kCases[] = {{"missing", "-"},
                  {"empty", ""},
                  {"text", "This is not a program.\r\nIt only has the renderer's name.\r\n"},
                  {"folder", "/"}};
    for (const auto& brokenCase : kCases)
    {
        SCOPED_TRACE(brokenCase.pszCase);
        const std::wstring strCase(brokenCase.pszCase, brokenCase.pszCase + strlen(brokenCase.pszCase));
        ProgramCopy copy(L"Renderer " + strCase, false);
        ASSERT_TRUE(copy.bCopied);
        if (brokenCase.strBytes == "/")
        {
            ASSERT_TRUE(::CreateDirectoryW(copy.Renderer().c_str(), NULL));
        }
        else if (brokenCase.strBytes != "-")
        {
            ASSERT_TRUE(testsupport::WriteFileW(copy.Renderer(), brokenCase.strBytes));
        }
        ExpectPassed(copy.Import("norenderer"));

        // Put back, the renderer draws the same file.
        if (brokenCase.strBytes == "/")
        {
            ASSERT_TRUE(::RemoveDirectoryW(copy.Renderer().c_str()));
        }
        ASSERT_TRUE(copy.PutRenderer(ProgramCopy::BuiltRenderer()));
        ExpectPassed(copy.Import("drawn"));
    }
}

TEST(MetafileRendererPlaceTest, ARendererThatFaultsIsEndedWithoutACrashDialog)
{
    ProgramCopy copy(L"Faulting renderer", false);
    ASSERT_TRUE(copy.bCopied);
    const std::wstring strStandIn =
        testsupport::FolderOfW(testsupport::ProgramPathW()) + L"bm_faulting_renderer.exe";
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(strStandIn.c_str()));
    ASSERT_TRUE(copy.PutRenderer(strStandIn));
    // The picture is refused as one that made the renderer fail; the
    // program goes on, and the screen showed nothing of the fault.
    const DWORD dwStart = ::GetTickCount();
    ExpectPassed(copy.Import("refused"));
    std::printf("the run with a faulting renderer took %lu ms\n", (unsigned long)(::GetTickCount() - dwStart));
}
