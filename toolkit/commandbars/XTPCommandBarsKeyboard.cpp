// Keyboard access to the command bars: keyboard cues (underlined access
// letters), access keys on Alt and keyboard tips.
#include "XTPCommandBarKeyboardTip.h"

#include <afxpriv.h>

#include "XTPCommandBar.h"
#include "XTPCommandBars.h"
#include "XTPCommandBarsOptions.h"
#include "XTPControl.h"
#include "XTPControls.h"
#include "XTPDCHelpers.h"
#include "XTPDrawHelpers.h"
#include "XTPMenuBar.h"
#include "XTPPaintManager.h"
#include "XTPPopupBar.h"
#include "XTPShortcutManager.h"
#include "XTPToolBar.h"

namespace {

TCHAR UpperChar(TCHAR ch)
{
    TCHAR sz[2] = {ch, 0};
    ::CharUpperA(sz);
    return sz[0];
}

// The access letter of a caption: the one it marks (bExplicit), else its
// first character.
TCHAR AccessLetter(const CString& strCaption, BOOL& bExplicit)
{
    int nKey = AfxFindAccessKey(strCaption);
    bExplicit = nKey != -1;
    return bExplicit ? strCaption[nKey] : strCaption[0];
}

BOOL LetterMatchesKey(TCHAR chLetter, UINT nKey)
{
    TCHAR chKey = (TCHAR)::MapVirtualKeyA(nKey, 2);
    if (UpperChar(chLetter) == UpperChar((TCHAR)nKey) || (chKey != 0 && UpperChar(chLetter) == UpperChar(chKey)))
        return TRUE;
    return CXTPShortcutManager::CompareAccelKey(chLetter, nKey);
}

} // namespace

//////////////////////////////////////////////////////////////////////////
// CXTPCommandBarKeyboardTip

BEGIN_MESSAGE_MAP(CXTPCommandBarKeyboardTip, CWnd)
    ON_WM_PAINT()
    ON_WM_NCHITTEST()
END_MESSAGE_MAP()

CXTPCommandBarKeyboardTip::CXTPCommandBarKeyboardTip(CXTPCommandBars* pCommandBars, CCmdTarget* pOwner,
                                                     LPCTSTR lpszCaption, CPoint pt, DWORD dwAlign, BOOL bEnabled)
    : m_strCaption(lpszCaption), m_pOwner(pOwner), m_pt(pt), m_bEnabled(bEnabled), m_pCommandBars(pCommandBars),
      m_dwAlign(dwAlign), m_nPrefix(0)
{
}

CXTPCommandBarKeyboardTip::~CXTPCommandBarKeyboardTip()
{
    if (m_hWnd != NULL)
        DestroyWindow();
}

CSize CXTPCommandBarKeyboardTip::CalcSize()
{
    CWindowDC dc(NULL);
    CXTPPaintManager* pPaintManager = m_pCommandBars->GetPaintManager();
    CXTPFontDC font(&dc, pPaintManager->GetRegularFont());
    CSize sz = dc.GetTextExtent(m_strCaption);
    return CSize(sz.cx + 6, sz.cy + 2);
}

BOOL CXTPCommandBarKeyboardTip::Show()
{
    CSize sz = CalcSize();
    // The tip sits centred below its anchor; to the left for right-to-left bars.
    CRect rc(CPoint(m_pt.x - sz.cx / 2, m_pt.y), sz);
    if (m_pCommandBars->IsLayoutRTL())
        rc.OffsetRect(-sz.cx / 2, 0);
    LPCTSTR lpszClass = AfxRegisterWndClass(0, CXTPDrawHelpers::GetArrowCursor());
    if (!CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, lpszClass, m_strCaption, WS_POPUP, rc, NULL, 0))
        return FALSE;
    // A click on the tip is a click on the control beneath it.
    CXTPDrawHelpers::MakeClickThrough(m_hWnd);
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return TRUE;
}

void CXTPCommandBarKeyboardTip::OnPaint()
{
    CPaintDC dc(this);
    m_pCommandBars->GetPaintManager()->DrawKeyboardTip(&dc, this, FALSE);
}

LRESULT CXTPCommandBarKeyboardTip::OnNcHitTest(CPoint)
{
    return HTTRANSPARENT;
}

//////////////////////////////////////////////////////////////////////////
// Keyboard cues

void CXTPCommandBars::ShowKeyboardCues(BOOL bShow)
{
    if (m_bCustomizeMode)
        bShow = TRUE;
    if (!m_bCuesFollowSystem || m_bKeyboardCuesVisible == bShow)
        return;
    m_bKeyboardCuesVisible = bShow;
    for (int i = 0; i < GetCount(); i++)
    {
        CXTPToolBar* pBar = GetAt(i);
        if (pBar->GetSafeHwnd() != NULL && pBar->IsVisible())
            pBar->Redraw();
    }
}

void CXTPCommandBars::OnTrackingModeChanged(CXTPCommandBar* pBar, int bMode)
{
    (void)pBar;
    CXTPMouseManager* pMouseManager = GetMouseManager();
    if (!bMode && m_bCuesFollowSystem && pMouseManager->GetTrackArray().GetSize() == 0)
        ShowKeyboardCues(FALSE);

    if (m_nKeyboardTipsLevel >= 1 && m_pOptions->bShowKeyboardTips)
    {
        HideKeyboardTips();
        // An open popup shows its own tips again.
        const CXTPMouseManager::CTrackArray& arr = pMouseManager->GetTrackArray();
        if (arr.GetSize() > 0)
        {
            CXTPPopupBar* pPopup = dynamic_cast<CXTPPopupBar*>(arr[arr.GetSize() - 1]);
            if (pPopup != NULL && pPopup->GetSafeHwnd() != NULL && pPopup->m_bKeyboardTips)
                pPopup->PostMessage(WM_TIMER, XTP_TID_SHOWKEYBOARDTIPS);
        }
    }
}

//////////////////////////////////////////////////////////////////////////
// Access keys

CXTPControl* CXTPCommandBars::FindAccelControl(CXTPCommandBar* pBar, UINT nKey, BOOL& bAmbiguous)
{
    bAmbiguous = FALSE;
    if (pBar == NULL)
        return NULL;
    int nUse = m_pOptions->keyboardCuesUse;
    BOOL bAllBars = (nUse & 1) != 0 && pBar->IsKindOf(RUNTIME_CLASS(CXTPToolBar));

    CXTPControl* pExplicit = NULL;
    CXTPControl* pFirstLetter = NULL;
    CXTPCommandBar* pWalkBar = pBar;
    int nIndex = pBar->GetSelected();
    CXTPControl* pFirstVisited = NULL;

    // Every control at most once per bar; bars at most once each.
    for (int nGuard = 0; nGuard < 100000; nGuard++)
    {
        nIndex++;
        if (nIndex >= pWalkBar->GetControlCount())
        {
            if (bAllBars)
            {
                int nBar = FindIndex(DYNAMIC_DOWNCAST(CXTPToolBar, pWalkBar));
                int nNext = nBar != -1 ? GetNextVisible(nBar, +1) : -1;
                if (nNext != -1)
                    pWalkBar = GetAt(nNext);
            }
            nIndex = 0;
            if (pWalkBar->GetControlCount() == 0)
                break;
        }
        CXTPControl* pControl = pWalkBar->GetControl(nIndex);
        if (pControl == NULL)
            break;
        if (pControl == pFirstVisited)
            break;
        if (pFirstVisited == NULL)
            pFirstVisited = pControl;
        if (!pControl->IsVisible())
            continue;

        CString strCaption = pControl->GetCaption();
        if (!pControl->IsCaptionVisible() || strCaption.IsEmpty() || !pControl->GetEnabled())
            continue;

        BOOL bExplicit = FALSE;
        TCHAR chLetter = AccessLetter(strCaption, bExplicit);
        if (!LetterMatchesKey(chLetter, nKey))
            continue;

        if (bExplicit)
        {
            if (pExplicit != NULL)
            {
                bAmbiguous = TRUE;
                return pExplicit;
            }
            pExplicit = pControl;
        }
        else if ((nUse & 4) == 0 && (pWalkBar->GetType() == xtpBarTypeNormal || pWalkBar->IsTrackingMode()))
        {
            if (pFirstLetter != NULL)
                bAmbiguous = TRUE;
            else
                pFirstLetter = pControl;
        }
    }
    if (pExplicit != NULL)
    {
        bAmbiguous = FALSE;
        return pExplicit;
    }
    return pFirstLetter;
}

BOOL CXTPCommandBars::OnToolBarAccel(CXTPCommandBar* pBar, TCHAR chAccel)
{
    if (pBar == NULL || m_pOptions->keyboardCuesUse == 2)
        return FALSE;
    // The bar's own access keys come first.
    BOOL bAmbiguous = FALSE;
    if (pBar->FindAccel(chAccel, bAmbiguous) != -1)
        return FALSE;
    const UINT nKey = (UINT)(BYTE)chAccel;
    for (int i = 0; i < GetCount(); i++)
    {
        CXTPToolBar* pOther = GetAt(i);
        if (pOther == pBar || !pOther->IsVisible() || pOther->GetSafeHwnd() == NULL)
            continue;
        CXTPControl* pControl = FindAccelControl(pOther, nKey, bAmbiguous);
        if (pControl == NULL || pControl->GetParent() == pBar)
            continue;
        CXTPCommandBar* pControlBar = pControl->GetParent();
        pControl->InternalAddRef();
        pBar->SetTrackingMode(FALSE);
        ShowKeyboardCues(TRUE);
        pControlBar->SetTrackingMode(1, FALSE, TRUE);
        pControlBar->SetSelected(pControl->GetIndex(), 2);
        if (!bAmbiguous)
            pControl->ExecuteFromKeyboard();
        pControl->InternalRelease();
        return TRUE;
    }
    return FALSE;
}

BOOL CXTPCommandBars::OnFrameAccel(TCHAR chAccel)
{
    UINT nKey = (UINT)(BYTE)chAccel;
    int nUse = m_pOptions->keyboardCuesUse;
    if (nUse == 2)
        return FALSE;
    if (nKey >= VK_NUMPAD0 && nKey <= VK_NUMPAD9 && !m_pOptions->bUseNumericKeypadAccel)
        return FALSE;
    if (::MapVirtualKeyA(nKey, 2) == 0)
        return FALSE;

    CXTPCommandBar* pBar = NULL;
    CXTPMenuBar* pMenuBar = GetMenuBar();
    if (pMenuBar != NULL && pMenuBar->IsVisible())
        pBar = pMenuBar;
    for (int i = 0; i < GetCount(); i++)
    {
        if (GetAt(i)->IsTrackingMode())
            pBar = GetAt(i);
    }
    if (pBar == NULL && pMenuBar == NULL && (nUse & 1) != 0)
    {
        int nFirst = GetNextVisible(-1, +1);
        pBar = nFirst != -1 ? GetAt(nFirst) : NULL;
    }
    if (pBar == NULL || pBar->GetSafeHwnd() == NULL)
        return FALSE;

    if (pBar->PreviewSysKey(nKey))
        return TRUE;

    BOOL bAmbiguous = FALSE;
    CXTPControl* pControl = FindAccelControl(pBar, nKey, bAmbiguous);
    if (pControl == NULL)
        return FALSE;

    CXTPCommandBar* pControlBar = pControl->GetParent();
    if (!pControlBar->IsTrackingMode())
        ClosePopups();
    ShowKeyboardCues(TRUE);
    m_nKeyboardTipsLevel = 1;
    pControl->InternalAddRef();
    pControlBar->SetTrackingMode(1, FALSE, TRUE);
    pControlBar->SetSelected(pControl->GetIndex(), 2);
    if (!bAmbiguous)
        pControl->ExecuteFromKeyboard();
    pControl->InternalRelease();
    return TRUE;
}

//////////////////////////////////////////////////////////////////////////
// Keyboard tips

void CXTPCommandBars::HideKeyboardTips()
{
    for (INT_PTR i = 0; i < m_arrKeyboardTips.GetSize(); i++)
        delete (CXTPCommandBarKeyboardTip*)m_arrKeyboardTips[i];
    m_arrKeyboardTips.RemoveAll();
    m_pKeyboardTipsOwner = NULL;
    m_nKeyboardTipsLevel = 0;
}

void CXTPCommandBars::AddKeyboardTip(CXTPCommandBarKeyboardTip* pTip)
{
    m_arrKeyboardTips.Add(pTip);
}

void CXTPCommandBars::ShowKeyboardTips(CXTPCommandBar* pBar, int nLevel)
{
    HideKeyboardTips();
    if (!m_pOptions->bShowKeyboardTips || pBar == NULL || pBar->GetSafeHwnd() == NULL)
        return;

    m_pKeyboardTipsOwner = pBar;
    m_nKeyboardTipsLevel = nLevel;
    CXTPPopupBar* pPopupBar = DYNAMIC_DOWNCAST(CXTPPopupBar, pBar);
    if (pPopupBar != NULL)
        pPopupBar->m_bKeyboardTips = TRUE;
    pBar->CreateKeyboardTips();

    // Tips are shown as the bar made them; a tip without text shows nothing.
    // Tips of one letter get a second one: the first of their caption (kept
    // in m_strTip by the bar) no tip of the group has used yet, else a
    // running digit.
    int nCount = (int)m_arrKeyboardTips.GetSize();
    for (int i = nCount - 1; i >= 0; i--)
    {
        CXTPCommandBarKeyboardTip* pTip = (CXTPCommandBarKeyboardTip*)m_arrKeyboardTips[i];
        if (pTip->m_strCaption.IsEmpty())
        {
            delete pTip;
            m_arrKeyboardTips.RemoveAt(i);
        }
    }
    nCount = (int)m_arrKeyboardTips.GetSize();
    CArray<CString, LPCTSTR> arrCaptions;
    arrCaptions.SetSize(nCount);
    for (int i = 0; i < nCount; i++)
    {
        CXTPCommandBarKeyboardTip* pTip = (CXTPCommandBarKeyboardTip*)m_arrKeyboardTips[i];
        arrCaptions[i] = pTip->m_strTip.IsEmpty() ? pTip->m_strCaption : pTip->m_strTip;
    }

    CArray<BOOL, BOOL> arrDone;
    arrDone.SetSize(nCount);
    for (int i = 0; i < nCount; i++)
    {
        if (arrDone[i])
            continue;
        CXTPCommandBarKeyboardTip* pFirst = (CXTPCommandBarKeyboardTip*)m_arrKeyboardTips[i];
        CString strLetter = pFirst->m_strCaption;
        CArray<int, int> arrGroup;
        for (int j = i; j < nCount; j++)
        {
            if (!arrDone[j] && ((CXTPCommandBarKeyboardTip*)m_arrKeyboardTips[j])->m_strCaption == strLetter)
            {
                arrGroup.Add(j);
                arrDone[j] = TRUE;
            }
        }
        if (arrGroup.GetSize() < 2 || strLetter.GetLength() != 1)
            continue;

        CString strUsed = "& " + strLetter;
        int nCounter = 1;
        for (INT_PTR k = 0; k < arrGroup.GetSize(); k++)
        {
            CXTPCommandBarKeyboardTip* pTip = (CXTPCommandBarKeyboardTip*)m_arrKeyboardTips[arrGroup[k]];
            CString strCaption = arrCaptions[arrGroup[k]];
            strCaption.MakeUpper();
            TCHAR chSecond = 0;
            for (int c = 0; c < strCaption.GetLength() && chSecond == 0; c++)
            {
                if (strUsed.Find(strCaption[c]) == -1)
                    chSecond = strCaption[c];
            }
            if (chSecond == 0)
                chSecond = (TCHAR)('0' + (nCounter++ % 10));
            strUsed += chSecond;
            pTip->m_strCaption += chSecond;
        }
    }

    for (int i = 0; i < nCount; i++)
        ((CXTPCommandBarKeyboardTip*)m_arrKeyboardTips[i])->Show();
}

BOOL CXTPCommandBars::OnKeyboardTipChar(CXTPCommandBar* pBar, UINT nChar)
{
    if (m_arrKeyboardTips.GetSize() == 0)
        return FALSE;

    TCHAR ch = UpperChar((TCHAR)::MapVirtualKeyA(nChar, 2));
    for (INT_PTR i = 0; i < m_arrKeyboardTips.GetSize(); i++)
    {
        CXTPCommandBarKeyboardTip* pTip = (CXTPCommandBarKeyboardTip*)m_arrKeyboardTips[i];
        int nPrefix = pTip->m_nPrefix;
        if (nPrefix >= pTip->m_strCaption.GetLength() || pTip->m_strCaption[nPrefix] != ch)
            continue;

        if (nPrefix == pTip->m_strCaption.GetLength() - 1)
        {
            if (!pTip->m_bEnabled)
                ::MessageBeep(0);
            else
                pBar->OnKeyboardTip(pTip);
            return TRUE;
        }

        // The typed letters narrow the tips down.
        CString strPrefix = pTip->m_strCaption.Left(nPrefix + 1);
        for (INT_PTR j = m_arrKeyboardTips.GetSize() - 1; j >= 0; j--)
        {
            CXTPCommandBarKeyboardTip* pOther = (CXTPCommandBarKeyboardTip*)m_arrKeyboardTips[j];
            if (pOther->m_strCaption.Left(nPrefix + 1) != strPrefix)
            {
                delete pOther;
                m_arrKeyboardTips.RemoveAt(j);
            }
            else
            {
                pOther->m_nPrefix = nPrefix + 1;
            }
        }
        return TRUE;
    }
    if (nChar != VK_SHIFT && nChar != VK_CONTROL)
        ::MessageBeep(0);
    return TRUE;
}

//////////////////////////////////////////////////////////////////////////
// The tips of one bar

CString AFX_CDECL XTPKeyboardTipLetter(const CString& strCaption)
{
    int nKey = AfxFindAccessKey(strCaption);
    return nKey != -1 ? CString(UpperChar(strCaption[nKey])) : CString();
}

void CXTPCommandBar::CreateKeyboardTips()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL || m_hWnd == NULL)
        return;

    for (int i = 0; i < GetControlCount(); i++)
    {
        CXTPControl* pControl = GetControl(i);
        if (!pControl->IsVisible() || pControl->GetCaption().IsEmpty() ||
            (pControl->GetFlags() & xtpFlagSkipFocus) || pControl->GetType() == xtpControlGallery)
            continue;
        CString strLetter = XTPKeyboardTipLetter(pControl->GetCaption());
        if (strLetter.IsEmpty())
            continue;
        CRect rc = pControl->GetRect();
        CPoint pt(rc.left + 12, rc.bottom - 11);
        ClientToScreen(&pt);
        CXTPCommandBarKeyboardTip* pTip =
            new CXTPCommandBarKeyboardTip(pCommandBars, pControl, strLetter, pt, 0, pControl->GetEnabled());
        pTip->m_strTip = pControl->GetCaption();
        pCommandBars->AddKeyboardTip(pTip);
    }

    if (GetParentCommandBar() != NULL)
        return;
    for (int i = 0; i < pCommandBars->GetCount(); i++)
    {
        CXTPToolBar* pBar = pCommandBars->GetAt(i);
        if (pBar == this || !pBar->IsVisible() || pBar->GetSafeHwnd() == NULL)
            continue;
        CRect rcWindow;
        pBar->GetWindowRect(&rcWindow);
        CString strLetter = XTPKeyboardTipLetter(pBar->GetTitle());
        if (strLetter.IsEmpty())
            continue;
        CXTPCommandBarKeyboardTip* pTip =
            new CXTPCommandBarKeyboardTip(pCommandBars, pBar, strLetter, rcWindow.TopLeft(), 0, TRUE);
        pTip->m_strTip = pBar->GetTitle();
        pCommandBars->AddKeyboardTip(pTip);
    }
}

void CXTPCommandBar::OnKeyboardTip(CXTPCommandBarKeyboardTip* pTip)
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pTip == NULL || pCommandBars == NULL)
        return;
    CXTPControl* pControl = DYNAMIC_DOWNCAST(CXTPControl, pTip->m_pOwner);
    CXTPToolBar* pToolBar = DYNAMIC_DOWNCAST(CXTPToolBar, pTip->m_pOwner);
    int nLevel = pCommandBars->GetKeyboardTipsLevel();
    pCommandBars->HideKeyboardTips();
    if (pControl != NULL && pControl->GetParent() != NULL)
    {
        pControl->InternalAddRef();
        pControl->GetParent()->SetSelected(pControl->GetIndex(), 2);
        pControl->ExecuteFromKeyboard();
        // The popup the tip opened goes back to these tips on Escape.
        CXTPPopupBar* pPopup = DYNAMIC_DOWNCAST(CXTPPopupBar, pControl->GetCommandBar());
        if (pPopup != NULL && pControl->GetPopuped() && pPopup->IsTrackingMode())
            pPopup->m_nTipsLevelBack = nLevel;
        pControl->InternalRelease();
    }
    else if (pToolBar != NULL)
    {
        pCommandBars->SetTrackingBar(pToolBar);
    }
}
