// The tabbed MDI client: opening 30 documents in a multiple-document frame
// with a menu bar, as a program opens them one after another (each one
// shown, painted and followed by an idle pass), without tabs, with the tabs
// in one group and with three tab groups, where every document the client
// places must not make the next one dearer.
#include "bench_ui.h"

#include <afxwin.h>
#include <afxpriv.h>

#include <stdio.h>

#include <vector>

#include "XTPCommandBars.h"
#include "XTPCommandBarsOptions.h"
#include "XTPFrameWnd.h"
#include "XTPPaintManager.h"
#include "XTPTabClientWnd.h"
#include "mdiframe_res.h"

namespace
{
const int kDocuments = 30;
const int kRuns = 5;

class CBenchMDIDoc : public CDocument
{
    DECLARE_DYNCREATE(CBenchMDIDoc)
};
IMPLEMENT_DYNCREATE(CBenchMDIDoc, CDocument)

class CBenchMDIView : public CView
{
    DECLARE_DYNCREATE(CBenchMDIView)
public:
    virtual void OnDraw(CDC* pDC)
    {
        CRect rc;
        GetClientRect(&rc);
        pDC->FillSolidRect(rc, RGB(255, 250, 205));
        if (GetDocument() != NULL)
            pDC->TextOut(8, 8, GetDocument()->GetTitle());
    }
};
IMPLEMENT_DYNCREATE(CBenchMDIView, CView)

class CBenchMDIChild : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CBenchMDIChild)
};
IMPLEMENT_DYNCREATE(CBenchMDIChild, CMDIChildWnd)

enum ClientKind
{
    kNoTabs,
    kOneGroup,
    kThreeGroups
};

class CBenchMDIFrame : public CXTPMDIFrameWnd
{
public:
    CXTPTabClientWnd m_wndClient;
    ClientKind m_kind = kNoTabs;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        if (CXTPMDIFrameWnd::OnCreate(lpcs) == -1 || !InitCommandBars())
            return -1;
        GetCommandBars()->GetCommandBarsOptions()->animationType = 5;   // no popup animation
        if (GetCommandBars()->CreateMenuBar(_T("Menu Bar"), IDR_MDIFRAME_MAIN) == NULL)
            return -1;
        if (m_kind != kNoTabs && !m_wndClient.Attach(this, m_kind == kThreeGroups))
            return -1;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CBenchMDIFrame, CXTPMDIFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

void EnsureApplication()
{
    if (AfxGetApp() != NULL)
        return;
    static CWinApp* s_pApp = new CWinApp(_T("BenchTabbedMDI"));
    AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
    (void)s_pApp;
}

// What a program's message loop does between two commands.
void Idle()
{
    bench_ui::Pump();
    AfxGetApp()->OnIdle(0);
    AfxGetApp()->OnIdle(1);
}

CDocument* OpenDocument(CMultiDocTemplate* pTemplate)
{
    CDocument* pDoc = pTemplate->OpenDocumentFile(NULL);
    Idle();
    return pDoc;
}

// The time in milliseconds of opening kDocuments documents, each followed by
// the idle pass, in a new frame of the kind given (1,000 x 700, shown);
// with three groups they are made first of three documents.
double OpenDocumentsMs(ClientKind kind)
{
    CBenchMDIFrame* pFrame = new CBenchMDIFrame;
    pFrame->m_kind = kind;
    if (!pFrame->LoadFrame(IDR_MDIFRAME_MAIN))
    {
        printf("  the frame could not be created\n");
        return 0;
    }
    CWinApp* pApp = AfxGetApp();
    CWnd* pOldMain = pApp->m_pMainWnd;
    pApp->m_pMainWnd = pFrame;
    CMultiDocTemplate* pTemplate = new CMultiDocTemplate(IDR_MDIFRAME_NOTE, RUNTIME_CLASS(CBenchMDIDoc),
                                                         RUNTIME_CLASS(CBenchMDIChild), RUNTIME_CLASS(CBenchMDIView));
    pFrame->SetWindowPos(NULL, 0, 0, 1000, 700, SWP_NOZORDER | SWP_NOACTIVATE);
    pFrame->ShowWindow(SW_SHOWNORMAL);
    pFrame->UpdateWindow();
    Idle();

    if (kind == kThreeGroups)
    {
        for (int i = 0; i < 3; i++)
            OpenDocument(pTemplate);
        // The last one into a second group, the middle one into a group
        // between: one document in each of three groups.
        pFrame->m_wndClient.DoWorkspaceAction(XTP_ID_WORKSPACE_NEWVERTICAL);
        Idle();
        CXTPTabManager* pFirst = pFrame->m_wndClient.GetWorkspace(0);
        pFrame->MDIActivate(CWnd::FromHandle((HWND)pFirst->GetItem(1)->GetData()));
        Idle();
        pFrame->m_wndClient.DoWorkspaceAction(XTP_ID_WORKSPACE_NEWVERTICAL);
        Idle();
    }

    const double dStart = bench_ui::Now();
    for (int i = 0; i < kDocuments; i++)
        OpenDocument(pTemplate);
    const double dMs = (bench_ui::Now() - dStart) * 1000.0;
    if (kind == kThreeGroups && pFrame->m_wndClient.GetWorkspaceCount() != 3)
        printf("  %d groups, not 3\n", pFrame->m_wndClient.GetWorkspaceCount());

    // Not the main window when it goes, so that no quit message is posted;
    // its documents go with their windows.
    pApp->m_pMainWnd = pOldMain;
    pFrame->DestroyWindow();
    delete pTemplate;
    Idle();
    return dMs;
}
} // namespace

BM_UI_BENCH(tabbed_mdi)
{
    EnsureApplication();
    CXTPPaintManager::SetTheme(xtpThemeOffice2003);
    // The kinds in turn, round after round, so that a slower spell of the
    // machine weighs on each alike; the first round warms up.
    std::vector<double> times[3];
    for (int nRound = 0; nRound <= kRuns; nRound++)
    {
        for (int nKind = kNoTabs; nKind <= kThreeGroups; nKind++)
        {
            const double dMs = OpenDocumentsMs((ClientKind)nKind);
            if (nRound > 0)
                times[nKind].push_back(dMs);
        }
    }
    const double dNoTabs = bench_ui::Median(times[kNoTabs]);
    const double dOneGroup = bench_ui::Median(times[kOneGroup]);
    const double dThreeGroups = bench_ui::Median(times[kThreeGroups]);
    bench_ui::Report("tabbed_mdi: 30 documents opened, no tabs", dNoTabs, "ms", 0);
    bench_ui::Report("tabbed_mdi: 30 documents opened as tabs in one group", dOneGroup, "ms", 0);
    bench_ui::Report("tabbed_mdi: 30 documents opened into three tab groups", dThreeGroups, "ms", 1.25 * dOneGroup);
    bench_ui::Report("tabbed_mdi: three groups against one", dOneGroup > 0 ? dThreeGroups / dOneGroup : 0, "x", 1.25);
}
