// The logic behind the common dialogs, driven without showing them: the
// hooks subclass stand-in windows, and notifications are sent by hand.
// Also the print information of a job without a printer.
#include <gtest/gtest.h>

#include <afxdlgs.h>

#include <vector>

namespace
{
const char kChosenPath[] = "C:\\games\\puzzles\\first.hti";

// Stands in for the visible explorer dialog: answers the path queries.
LRESULT CALLBACK FakeExplorerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == CDM_GETFILEPATH || message == CDM_GETFOLDERPATH)
    {
        const char* pszAnswer = message == CDM_GETFILEPATH ? kChosenPath : "C:\\games\\puzzles";
        int nNeeded = lstrlenA(pszAnswer) + 1;
        if ((int)wParam >= nNeeded && lParam != 0)
            lstrcpyA((LPSTR)lParam, pszAnswer);
        return nNeeded;
    }
    return ::DefWindowProc(hWnd, message, wParam, lParam);
}

HWND CreateFakeExplorer()
{
    WNDCLASSA wc;
    memset(&wc, 0, sizeof(wc));
    wc.lpfnWndProc = FakeExplorerProc;
    wc.hInstance = ::GetModuleHandle(NULL);
    wc.lpszClassName = "BmFakeExplorer";
    ::RegisterClassA(&wc);
    return ::CreateWindowA("BmFakeExplorer", "open", WS_OVERLAPPED, 0, 0, 300, 200, NULL, NULL,
                           wc.hInstance, NULL);
}

// An empty dialog template in memory.
std::vector<WORD> EmptyTemplate(DWORD dwStyle)
{
    std::vector<WORD> t(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
    DLGTEMPLATE* p = (DLGTEMPLATE*)t.data();
    p->style = dwStyle;
    p->cx = 100;
    p->cy = 50;
    return t; // no menu, default class, no title
}

class CTestFileDialog : public CFileDialog
{
public:
    CTestFileDialog()
        : CFileDialog(TRUE, "hti", "start.hti", OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                      "HTI Files (*.hti)|*.hti|All Files (*.*)|*.*||")
    {
    }
    int m_nInit = 0;
    int m_nChanges = 0;
    int m_nFolders = 0;
    CString m_strSeen;
    CString m_strParentClass;
    BOOL m_bReject = FALSE;

    virtual BOOL OnInitDialog()
    {
        ++m_nInit;
        // The object is the hook's child; its parent is the visible dialog.
        char szClass[64] = {0};
        ::GetClassNameA(::GetParent(m_hWnd), szClass, sizeof(szClass));
        m_strParentClass = szClass;
        CFileDialog::OnInitDialog();
        return TRUE;
    }
    virtual void OnFileNameChange()
    {
        ++m_nChanges;
        m_strSeen = GetPathName();
    }
    virtual void OnFolderChange() { ++m_nFolders; }
    virtual BOOL OnFileNameOK() { return m_bReject; }

    // The result buffer, as the system leaves it.
    void SetResult(const char* pData, size_t nBytes) { memcpy(m_szFileName, pData, nBytes); }
};

LRESULT SendCdn(HWND hChild, HWND hDialog, UINT nCode, OPENFILENAME* pOfn)
{
    OFNOTIFY notify;
    memset(&notify, 0, sizeof(notify));
    notify.hdr.hwndFrom = hDialog;
    notify.hdr.code = nCode;
    notify.lpOFN = pOfn;
    return ::SendMessage(hChild, WM_NOTIFY, 0, (LPARAM)&notify);
}
} // namespace

// ---------------------------------------------------------------------------
// File dialog

TEST(FileDialog, SetUpForTheExplorerHook)
{
    CTestFileDialog dlg;
    EXPECT_TRUE(dlg.m_ofn.Flags & OFN_EXPLORER);
    EXPECT_TRUE(dlg.m_ofn.Flags & OFN_ENABLEHOOK);
    EXPECT_TRUE(dlg.m_ofn.Flags & OFN_FILEMUSTEXIST);
    EXPECT_EQ((LPARAM)&dlg, dlg.m_ofn.lCustData);
    EXPECT_STREQ("hti", dlg.m_ofn.lpstrDefExt);
    EXPECT_STREQ("start.hti", dlg.m_ofn.lpstrFile);
    // The filter's '|' became NULs, with a double NUL at the end.
    const char* p = dlg.m_ofn.lpstrFilter;
    ASSERT_NE(nullptr, p);
    std::vector<std::string> parts;
    while (*p != '\0')
    {
        parts.push_back(p);
        p += strlen(p) + 1;
    }
    EXPECT_EQ((std::vector<std::string>{"HTI Files (*.hti)", "*.hti", "All Files (*.*)", "*.*"}), parts);
}

TEST(FileDialog, HookMakesTheChildTheObjectAndRoutesNotifications)
{
    HWND hExplorer = CreateFakeExplorer();
    ASSERT_NE(nullptr, hExplorer);
    CTestFileDialog dlg;
    std::vector<WORD> tmpl = EmptyTemplate(WS_CHILD | DS_CONTROL);
    HWND hChild = ::CreateDialogIndirectParam(::GetModuleHandle(NULL), (LPCDLGTEMPLATE)tmpl.data(),
                                              hExplorer, (DLGPROC)CFileDialog::HookProc,
                                              (LPARAM)&dlg.m_ofn);
    ASSERT_NE(nullptr, hChild);
    EXPECT_EQ(hChild, dlg.m_hWnd);
    EXPECT_EQ(1, dlg.m_nInit);
    EXPECT_STREQ("BmFakeExplorer", dlg.m_strParentClass);
    EXPECT_EQ(&dlg, CWnd::FromHandlePermanent(hChild));

    // Selecting a file asks the visible dialog for the path.
    SendCdn(hChild, hExplorer, CDN_SELCHANGE, &dlg.m_ofn);
    EXPECT_EQ(1, dlg.m_nChanges);
    EXPECT_STREQ(kChosenPath, dlg.m_strSeen);
    EXPECT_STREQ("first.hti", dlg.GetFileName());
    EXPECT_STREQ("hti", dlg.GetFileExt());
    EXPECT_STREQ("first", dlg.GetFileTitle());
    EXPECT_STREQ("C:\\games\\puzzles", dlg.GetFolderPath());

    SendCdn(hChild, hExplorer, CDN_FOLDERCHANGE, &dlg.m_ofn);
    EXPECT_EQ(1, dlg.m_nFolders);

    // CDN_FILEOK: the answer travels in the dialog's message result.
    dlg.m_bReject = TRUE;
    EXPECT_EQ(1, SendCdn(hChild, hExplorer, CDN_FILEOK, &dlg.m_ofn));
    EXPECT_EQ(1, ::GetWindowLongPtr(hChild, DWLP_MSGRESULT));
    dlg.m_bReject = FALSE;
    EXPECT_EQ(0, SendCdn(hChild, hExplorer, CDN_FILEOK, &dlg.m_ofn));
    EXPECT_EQ(0, ::GetWindowLongPtr(hChild, DWLP_MSGRESULT));

    ::DestroyWindow(hChild);
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    // Closed: the names come from the result buffer.
    EXPECT_STREQ("start.hti", dlg.GetPathName());
    ::DestroyWindow(hExplorer);
    AfxDeleteTempMaps();
}

TEST(FileDialog, HookIgnoresBadInitData)
{
    std::vector<WORD> tmpl = EmptyTemplate(WS_POPUP);
    OPENFILENAME ofn;
    memset(&ofn, 0, sizeof(ofn));
    ofn.lStructSize = sizeof(ofn); // no object in lCustData
    HWND hWnd = ::CreateDialogIndirectParam(::GetModuleHandle(NULL), (LPCDLGTEMPLATE)tmpl.data(), NULL,
                                            (DLGPROC)CFileDialog::HookProc, (LPARAM)&ofn);
    ASSERT_NE(nullptr, hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    ::DestroyWindow(hWnd);
    EXPECT_EQ(0u, CFileDialog::HookProc(NULL, WM_INITDIALOG, 0, 0));
}

TEST(FileDialog, MultipleSelectionNames)
{
    CTestFileDialog dlg;
    dlg.m_ofn.Flags |= OFN_ALLOWMULTISELECT;
    const char multi[] = "C:\\dir\0a.hti\0b.hti\0";
    dlg.SetResult(multi, sizeof(multi));
    std::vector<CString> names;
    POSITION pos = dlg.GetStartPosition();
    while (pos != NULL && names.size() < 10)
        names.push_back(dlg.GetNextPathName(pos));
    ASSERT_EQ(2u, names.size());
    EXPECT_STREQ("C:\\dir\\a.hti", names[0]);
    EXPECT_STREQ("C:\\dir\\b.hti", names[1]);
    EXPECT_STREQ("C:\\dir\\a.hti", dlg.GetPathName());

    const char single[] = "C:\\dir\\only.hti\0";
    dlg.SetResult(single, sizeof(single));
    pos = dlg.GetStartPosition();
    EXPECT_STREQ("C:\\dir\\only.hti", dlg.GetNextPathName(pos));
    EXPECT_EQ(nullptr, pos);

    POSITION bogus = (POSITION)&dlg;
    EXPECT_TRUE(dlg.GetNextPathName(bogus).IsEmpty());
    EXPECT_EQ(nullptr, bogus);
}

// ---------------------------------------------------------------------------
// Colour dialog

namespace
{
class CTestColorDialog : public CColorDialog
{
public:
    CTestColorDialog() : CColorDialog(RGB(10, 20, 30), CC_FULLOPEN) {}
    BOOL m_bKeepOpen = FALSE;
    int m_nOK = 0;
    virtual BOOL OnColorOK()
    {
        ++m_nOK;
        return m_bKeepOpen;
    }
};
} // namespace

TEST(ColorDialog, InitialColourAndCustomColours)
{
    CColorDialog dlg(RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), dlg.GetColor());
    EXPECT_TRUE(dlg.m_cc.Flags & CC_RGBINIT);
    EXPECT_TRUE(dlg.m_cc.Flags & CC_ENABLEHOOK);
    EXPECT_EQ(CColorDialog::GetSavedCustomColors(), dlg.m_cc.lpCustColors);
    EXPECT_EQ((DWORD)sizeof(CHOOSECOLOR), dlg.m_cc.lStructSize);

    dlg.SetCurrentColor(RGB(9, 9, 9)); // not open: the next initial colour
    EXPECT_EQ(RGB(9, 9, 9), dlg.GetColor());

    CColorDialog black;
    EXPECT_FALSE(black.m_cc.Flags & CC_RGBINIT);
}

TEST(ColorDialog, HookSubclassesTheDialogAndAsksBeforeOK)
{
    CTestColorDialog dlg;
    std::vector<WORD> tmpl = EmptyTemplate(WS_POPUP);
    HWND hWnd = ::CreateDialogIndirectParam(::GetModuleHandle(NULL), (LPCDLGTEMPLATE)tmpl.data(), NULL,
                                            (DLGPROC)CColorDialog::HookProc, (LPARAM)&dlg.m_cc);
    ASSERT_NE(nullptr, hWnd);
    EXPECT_EQ(hWnd, dlg.m_hWnd);

    UINT nColorOK = ::RegisterWindowMessage(COLOROKSTRING);
    EXPECT_EQ(0, ::SendMessage(hWnd, nColorOK, 0, 0));
    dlg.m_bKeepOpen = TRUE;
    EXPECT_EQ(1, ::SendMessage(hWnd, nColorOK, 0, 0));
    EXPECT_EQ(2, dlg.m_nOK);

    ::DestroyWindow(hWnd);
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    AfxDeleteTempMaps();
}

// ---------------------------------------------------------------------------
// Printing without a printer

TEST(PrintInfo, UsableStandalone)
{
    CPrintInfo info;
    ASSERT_NE(nullptr, info.m_pPD);
    EXPECT_EQ(1u, info.GetMinPage());
    EXPECT_EQ(0xFFFFu, info.GetMaxPage());
    EXPECT_EQ(1u, info.m_nCurPage);
    EXPECT_TRUE(info.m_bContinuePrinting);
    EXPECT_FALSE(info.m_bPreview);
    EXPECT_EQ(nullptr, info.m_lpUserData);

    info.SetMinPage(2);
    info.SetMaxPage(5);
    EXPECT_EQ(2u, info.GetMinPage());
    EXPECT_EQ(5u, info.GetMaxPage());
    info.SetMaxPage(100000); // beyond what the dialog can hold
    EXPECT_EQ(0xFFFFu, info.GetMaxPage());

    // A job printed into a metafile DC: the print routine's loop.
    CMetaFileDC dc;
    ASSERT_TRUE(dc.CreateEnhanced(NULL, NULL, NULL, NULL));
    EXPECT_FALSE(dc.IsPrinting());
    info.SetMaxPage(3);
    info.m_rectDraw.SetRect(0, 0, 100, 100);
    int nPages = 0;
    for (info.m_nCurPage = info.GetMinPage(); info.m_nCurPage <= info.GetMaxPage() && info.m_bContinuePrinting;
         ++info.m_nCurPage)
    {
        dc.Rectangle(info.m_rectDraw);
        if (++nPages == 2)
            info.m_bContinuePrinting = FALSE;
    }
    EXPECT_EQ(2, nPages);
    HENHMETAFILE hEmf = dc.CloseEnhanced();
    EXPECT_NE(nullptr, hEmf);
    ::DeleteEnhMetaFile(hEmf);
}

TEST(PrintDialog, NoPrinterMeansNoDC)
{
    CPrintDialog dlg(FALSE);
    EXPECT_TRUE(dlg.m_pd.Flags & PD_RETURNDC);
    EXPECT_EQ(nullptr, dlg.GetPrinterDC()); // nothing chosen yet
    if (dlg.GetDefaults())
    {
        // A machine with a printer: the DC is the caller's to delete.
        HDC hDC = dlg.GetPrinterDC();
        EXPECT_NE(nullptr, hDC);
        if (hDC != NULL)
            ::DeleteDC(hDC);
        EXPECT_FALSE(dlg.GetDeviceName().IsEmpty());
    }
    if (dlg.m_pd.hDevMode != NULL)
        ::GlobalFree(dlg.m_pd.hDevMode);
    if (dlg.m_pd.hDevNames != NULL)
        ::GlobalFree(dlg.m_pd.hDevNames);

    CPrintDialog setup(TRUE);
    EXPECT_TRUE(setup.m_pd.Flags & PD_PRINTSETUP);
}

TEST(PrintDialog, BrokenDeviceNamesAreRefused)
{
    // Offsets pointing far outside the block.
    HGLOBAL hNames = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVNAMES) + 4);
    DEVNAMES* p = (DEVNAMES*)::GlobalLock(hNames);
    p->wDriverOffset = 5000;
    p->wDeviceOffset = 6000;
    p->wOutputOffset = 7000;
    ::GlobalUnlock(hNames);
    EXPECT_EQ(nullptr, CPrintDialog::CreatePrinterDC(hNames, NULL));

    CPrintDialog dlg(FALSE);
    dlg.m_pd.hDevNames = hNames;
    EXPECT_TRUE(dlg.GetDeviceName().IsEmpty());
    EXPECT_TRUE(dlg.GetDriverName().IsEmpty());
    dlg.m_pd.hDevNames = NULL;
    ::GlobalFree(hNames);
    EXPECT_EQ(nullptr, CPrintDialog::CreatePrinterDC(NULL, NULL));
}
