// The game-wide accessors.
#include "GameAccessors.h"

namespace
{
CFrameWnd* GetMainFrame()
{
    return DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
}
}

CView* AFXAPI GetActiveGameView()
{
    CFrameWnd* pFrame = GetMainFrame();
    return pFrame != NULL ? pFrame->GetActiveView() : NULL;
}

CDocument* AFXAPI GetActiveGameDoc()
{
    CFrameWnd* pFrame = GetMainFrame();
    return pFrame != NULL ? pFrame->GetActiveDocument() : NULL;
}

CHTDataContainer* AFXAPI GetActiveGamePuzzle()
{
    CHTPuzzleSource* pSource = dynamic_cast<CHTPuzzleSource*>(GetActiveGameDoc());
    return pSource != NULL ? pSource->GetCurrentPuzzle() : NULL;
}

void AFXAPI RestoreMainWindow()
{
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd == NULL || !::IsWindow(pMainWnd->GetSafeHwnd()))
        return;
    pMainWnd->EnableWindow(TRUE);
    pMainWnd->ShowWindow(SW_SHOW);
    pMainWnd->SetFocus();
}
