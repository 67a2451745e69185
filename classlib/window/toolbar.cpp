// CToolBar: a control bar over the system's toolbar control.
#include <afxext.h>

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

namespace
{
const int kSeparatorWidth = 8;
const COLORREF kImageMaskColour = RGB(192, 192, 192);
const int kMaxTipChars = 79;

// Updates a button's enabled and checked state from its command.
class CToolCmdUI : public CCmdUI
{
public:
    virtual void Enable(BOOL bOn)
    {
        m_bEnableChanged = TRUE;
        CToolBar* pToolBar = static_cast<CToolBar*>(m_pOther);
        UINT nNewStyle = pToolBar->GetButtonStyle((int)m_nIndex) & ~TBBS_DISABLED;
        if (!bOn)
            nNewStyle = (nNewStyle | TBBS_DISABLED) & ~TBBS_PRESSED;
        pToolBar->SetButtonStyle((int)m_nIndex, nNewStyle);
    }

    virtual void SetCheck(int nCheck)
    {
        CToolBar* pToolBar = static_cast<CToolBar*>(m_pOther);
        UINT nNewStyle = pToolBar->GetButtonStyle((int)m_nIndex) & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
        if (nCheck == 1)
            nNewStyle |= TBBS_CHECKED;
        else if (nCheck == 2)
            nNewStyle |= TBBS_INDETERMINATE;
        pToolBar->SetButtonStyle((int)m_nIndex, nNewStyle | TBBS_CHECKBOX);
    }

    virtual void SetRadio(BOOL bOn) { SetCheck(bOn ? 1 : 0); }
    virtual void SetText(LPCTSTR) {}
};

// Loads a bitmap strip and cuts it into a masked image list.
BOOL LoadImageStrip(CImageList& list, HINSTANCE hInst, LPCTSTR lpszResourceName, CSize sizeImage)
{
    if (sizeImage.cx <= 0 || sizeImage.cy <= 0)
        return FALSE;
    HBITMAP hBitmap = (HBITMAP)::LoadImage(hInst, lpszResourceName, IMAGE_BITMAP, 0, 0,
                                           LR_CREATEDIBSECTION);
    if (hBitmap == NULL)
        return FALSE;
    CBitmap bitmap;
    bitmap.Attach(hBitmap);
    BITMAP bm;
    if (bitmap.GetBitmap(&bm) == 0 || bm.bmWidth < sizeImage.cx)
        return FALSE;
    CImageList newList;
    int nImages = bm.bmWidth / sizeImage.cx;
    if (!newList.Create(sizeImage.cx, sizeImage.cy, ILC_COLOR24 | ILC_MASK, nImages, 4))
        return FALSE;
    if (newList.Add(&bitmap, kImageMaskColour) < 0)
        return FALSE;
    list.DeleteImageList();
    list.Attach(newList.Detach());
    return TRUE;
}
} // namespace

CToolBar::CToolBar() : m_sizeButton(23, 22), m_sizeImage(16, 15)
{
    m_cxLeftBorder = m_cxRightBorder = 1;
    m_cyTopBorder = m_cyBottomBorder = 1;
}

CToolBar::~CToolBar()
{
    m_wndCtrl.m_hWnd = NULL;
    DestroyWindow();
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder,
                                                   m_cyBottomBorder),
                    nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    if (pParentWnd == NULL || pParentWnd->GetSafeHwnd() == NULL)
        return FALSE;
    INITCOMMONCONTROLSEX icc = {sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);

    SetBorders(rcBorders);
    m_dwStyle = dwStyle & CBRS_ALL;
    DWORD dwWndStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NOMOVEY |
                       CCS_NODIVIDER | CCS_NORESIZE;
    if ((m_dwStyle & CBRS_TOOLTIPS) != 0)
        dwWndStyle |= TBSTYLE_TOOLTIPS;
    CRect rect(0, 0, 0, 0);
    if (!CWnd::Create(TOOLBARCLASSNAME, NULL, dwWndStyle, rect, pParentWnd, nID))
        return FALSE;
    ::SendMessage(m_hWnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SetSizes(m_sizeButton, m_sizeImage);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Resources

BOOL PASCAL CToolBar::ParseToolBarResource(const void* pData, DWORD nSize, CToolBarResourceInfo& info)
{
    const DWORD cbHeader = 4 * sizeof(WORD);
    if (pData == NULL || nSize < cbHeader)
        return FALSE;
    const WORD* pWords = static_cast<const WORD*>(pData);
    WORD wVersion = pWords[0];
    WORD wWidth = pWords[1];
    WORD wHeight = pWords[2];
    WORD wCount = pWords[3];
    if (wVersion != 1 || wWidth == 0 || wHeight == 0)
        return FALSE;
    // The count comes from the file: it must fit in the data given.
    if ((DWORD)wCount > (nSize - cbHeader) / sizeof(WORD))
        return FALSE;
    info.sizeImage = CSize(wWidth, wHeight);
    info.ids.assign(pWords + 4, pWords + 4 + wCount);
    return TRUE;
}

BOOL CToolBar::LoadToolBar(LPCTSTR lpszResourceName)
{
    if (lpszResourceName == NULL || m_hWnd == NULL)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_TOOLBAR);
    HRSRC hRsrc = ::FindResource(hInst, lpszResourceName, RT_TOOLBAR);
    if (hRsrc == NULL)
        return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    const void* pData = hGlobal != NULL ? ::LockResource(hGlobal) : NULL;
    CToolBarResourceInfo info;
    if (pData == NULL || !ParseToolBarResource(pData, ::SizeofResource(hInst, hRsrc), info))
        return FALSE;

    // The images come first, so that a missing bitmap leaves the bar alone.
    CImageList images;
    HINSTANCE hInstBitmap = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
    if (!LoadImageStrip(images, hInstBitmap, lpszResourceName, info.sizeImage))
        return FALSE;
    if (!SetButtons(info.ids.empty() ? NULL : &info.ids[0], (int)info.ids.size()))
        return FALSE;
    m_imageList.DeleteImageList();
    m_imageList.Attach(images.Detach());
    SetSizes(CSize(info.sizeImage.cx + 7, info.sizeImage.cy + 7), info.sizeImage);
    ::SendMessage(m_hWnd, TB_SETIMAGELIST, 0, (LPARAM)m_imageList.m_hImageList);
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT nIDResource)
{
    return LoadToolBar(MAKEINTRESOURCE(nIDResource));
}

BOOL CToolBar::LoadBitmap(LPCTSTR lpszResourceName)
{
    if (lpszResourceName == NULL || m_hWnd == NULL)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
    if (!LoadImageStrip(m_imageList, hInst, lpszResourceName, m_sizeImage))
        return FALSE;
    ::SendMessage(m_hWnd, TB_SETIMAGELIST, 0, (LPARAM)m_imageList.m_hImageList);
    return TRUE;
}

BOOL CToolBar::LoadBitmap(UINT nIDResource)
{
    return LoadBitmap(MAKEINTRESOURCE(nIDResource));
}

BOOL CToolBar::SetBitmap(HBITMAP hbmImageWell)
{
    if (hbmImageWell == NULL || m_hWnd == NULL)
        return FALSE;
    CBitmap bitmap;
    bitmap.Attach(hbmImageWell);
    CImageList newList;
    if (!newList.Create(m_sizeImage.cx, m_sizeImage.cy, ILC_COLOR24 | ILC_MASK, 8, 4) ||
        newList.Add(&bitmap, kImageMaskColour) < 0)
        return FALSE;
    m_imageList.DeleteImageList();
    m_imageList.Attach(newList.Detach());
    ::SendMessage(m_hWnd, TB_SETIMAGELIST, 0, (LPARAM)m_imageList.m_hImageList);
    return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
    if (m_hWnd == NULL)
        return;
    ::SendMessage(m_hWnd, TB_SETBITMAPSIZE, 0, MAKELPARAM(sizeImage.cx, sizeImage.cy));
    ::SendMessage(m_hWnd, TB_SETBUTTONSIZE, 0, MAKELPARAM(sizeButton.cx, sizeButton.cy));
}

void CToolBar::SetHeight(int cyHeight)
{
    int nSpare = cyHeight - m_sizeButton.cy;
    if (nSpare < 0)
        nSpare = 0;
    m_cyTopBorder = nSpare / 2;
    m_cyBottomBorder = nSpare - m_cyTopBorder;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    if (m_hWnd == NULL || nIDCount < 0)
        return FALSE;
    while (::SendMessage(m_hWnd, TB_BUTTONCOUNT, 0, 0) > 0)
    {
        if (!::SendMessage(m_hWnd, TB_DELETEBUTTON, 0, 0))
            return FALSE;
    }
    if (nIDCount == 0)
        return TRUE;
    std::vector<TBBUTTON> buttons((size_t)nIDCount);
    int iImage = 0;
    for (int i = 0; i < nIDCount; ++i)
    {
        TBBUTTON& button = buttons[(size_t)i];
        memset(&button, 0, sizeof(button));
        UINT nID = lpIDArray != NULL ? lpIDArray[i] : 0;
        if (nID == 0)
        {
            button.fsStyle = TBSTYLE_SEP;
            button.iBitmap = kSeparatorWidth;
        }
        else
        {
            button.fsStyle = TBSTYLE_BUTTON;
            button.fsState = TBSTATE_ENABLED;
            button.idCommand = (int)nID;
            button.iBitmap = iImage++;
        }
    }
    return (BOOL)::SendMessage(m_hWnd, TB_ADDBUTTONS, (WPARAM)nIDCount, (LPARAM)&buttons[0]);
}

// ---------------------------------------------------------------------------
// Buttons

int CToolBar::GetCount() const
{
    return m_hWnd != NULL ? (int)::SendMessage(m_hWnd, TB_BUTTONCOUNT, 0, 0) : 0;
}

BOOL CToolBar::GetButton(int nIndex, TBBUTTON* pButton) const
{
    memset(pButton, 0, sizeof(*pButton));
    if (m_hWnd == NULL || nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    return (BOOL)::SendMessage(m_hWnd, TB_GETBUTTON, (WPARAM)nIndex, (LPARAM)pButton);
}

void CToolBar::SetButton(int nIndex, const TBBUTTON* pButton)
{
    TBBUTTON old;
    if (!GetButton(nIndex, &old))
        return;
    BOOL bWasSeparator = (old.fsStyle & TBSTYLE_SEP) != 0;
    BOOL bIsSeparator = (pButton->fsStyle & TBSTYLE_SEP) != 0;
    if (old.fsStyle == pButton->fsStyle && old.fsState == pButton->fsState &&
        old.idCommand == pButton->idCommand && old.iBitmap == pButton->iBitmap)
        return; // nothing changes: no flicker
    if (bWasSeparator != bIsSeparator)
    {
        // A separator and a button are laid out differently: make it anew.
        TBBUTTON button = *pButton;
        ::SendMessage(m_hWnd, TB_DELETEBUTTON, (WPARAM)nIndex, 0);
        ::SendMessage(m_hWnd, TB_INSERTBUTTON, (WPARAM)nIndex, (LPARAM)&button);
        return;
    }
    TBBUTTONINFO info;
    memset(&info, 0, sizeof(info));
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_BYINDEX | TBIF_COMMAND | TBIF_STYLE | TBIF_STATE;
    info.idCommand = pButton->idCommand;
    info.fsStyle = pButton->fsStyle;
    info.fsState = pButton->fsState;
    if (bIsSeparator)
    {
        info.dwMask |= TBIF_SIZE;
        info.cx = (WORD)pButton->iBitmap;
    }
    else
    {
        info.dwMask |= TBIF_IMAGE;
        info.iImage = pButton->iBitmap;
    }
    ::SendMessage(m_hWnd, TB_SETBUTTONINFO, (WPARAM)nIndex, (LPARAM)&info);
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    int nCount = GetCount();
    for (int i = 0; i < nCount; ++i)
    {
        TBBUTTON button;
        if (GetButton(i, &button) && (UINT)button.idCommand == nIDFind)
            return i;
    }
    return -1;
}

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON button;
    if (!GetButton(nIndex, &button) || (button.fsStyle & TBSTYLE_SEP) != 0)
        return ID_SEPARATOR;
    return (UINT)button.idCommand;
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (lpRect == NULL)
        return;
    ::SetRectEmpty(lpRect);
    if (m_hWnd != NULL && nIndex >= 0 && nIndex < GetCount())
        ::SendMessage(m_hWnd, TB_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect);
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    TBBUTTON button;
    if (!GetButton(nIndex, &button))
        return 0;
    return MAKELONG(button.fsStyle, button.fsState ^ TBSTATE_ENABLED);
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    TBBUTTON button;
    if (!GetButton(nIndex, &button))
        return;
    button.fsStyle = (BYTE)LOWORD(nStyle);
    button.fsState = (BYTE)(HIWORD(nStyle) ^ TBSTATE_ENABLED);
    SetButton(nIndex, &button);
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const
{
    TBBUTTON button;
    if (!GetButton(nIndex, &button))
    {
        nID = 0;
        nStyle = 0;
        iImage = 0;
        return;
    }
    nID = (UINT)button.idCommand;
    nStyle = MAKELONG(button.fsStyle, button.fsState ^ TBSTATE_ENABLED);
    iImage = button.iBitmap;
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage)
{
    TBBUTTON button;
    if (!GetButton(nIndex, &button))
        return;
    button.idCommand = (int)nID;
    button.fsStyle = (BYTE)LOWORD(nStyle);
    button.fsState = (BYTE)(HIWORD(nStyle) ^ TBSTATE_ENABLED);
    button.iBitmap = iImage;
    SetButton(nIndex, &button);
}

CToolBarCtrl& CToolBar::GetToolBarCtrl() const
{
    m_wndCtrl.m_hWnd = m_hWnd;
    return m_wndCtrl;
}

// ---------------------------------------------------------------------------
// Tooltips

CString PASCAL CToolBar::ToolTipFromString(LPCTSTR lpszFullText)
{
    CString strTip;
    if (lpszFullText == NULL || !AfxExtractSubString(strTip, lpszFullText, 1, '\n'))
        return CString();
    if (strTip.GetLength() > kMaxTipChars)
        strTip = strTip.Left(kMaxTipChars);
    return strTip;
}

CString PASCAL CToolBar::GetToolTipText(UINT nID)
{
    CString strFull;
    if (nID == 0 || !strFull.LoadString(nID))
        return CString();
    return ToolTipFromString(strFull);
}

// ---------------------------------------------------------------------------
// Layout and updates

CSize CToolBar::CalcButtonsSize() const
{
    CSize size(0, m_sizeButton.cy);
    int nCount = GetCount();
    if (nCount == 0)
        return CSize(0, m_sizeButton.cy);
    // The control's own layout is the truth; the sum is a fallback.
    RECT rectFirst, rectLast;
    if (::SendMessage(m_hWnd, TB_GETITEMRECT, 0, (LPARAM)&rectFirst) &&
        ::SendMessage(m_hWnd, TB_GETITEMRECT, (WPARAM)(nCount - 1), (LPARAM)&rectLast) &&
        rectLast.right > rectFirst.left)
    {
        size.cx = rectLast.right - rectFirst.left;
        if (rectLast.bottom - rectFirst.top > size.cy)
            size.cy = rectLast.bottom - rectFirst.top;
        return size;
    }
    for (int i = 0; i < nCount; ++i)
    {
        TBBUTTON button;
        GetButton(i, &button);
        if ((button.fsState & TBSTATE_HIDDEN) != 0)
            continue;
        size.cx += (button.fsStyle & TBSTYLE_SEP) != 0 ? button.iBitmap : m_sizeButton.cx;
    }
    return size;
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize sizeButtons = CalcButtonsSize();
    CSize size;
    if (bHorz)
    {
        size.cx = bStretch ? 32767 : sizeButtons.cx + m_cxLeftBorder + m_cxRightBorder;
        size.cy = sizeButtons.cy + m_cyTopBorder + m_cyBottomBorder;
    }
    else
    {
        size.cx = m_sizeButton.cx + m_cxLeftBorder + m_cxRightBorder;
        size.cy = bStretch ? 32767 : GetCount() * m_sizeButton.cy + m_cyTopBorder + m_cyBottomBorder;
    }
    return size;
}

CSize CToolBar::CalcDynamicLayout(int, DWORD nMode)
{
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolCmdUI state;
    state.m_pOther = this;
    int nCount = GetCount();
    state.m_nIndexMax = (UINT)nCount;
    for (int i = 0; i < nCount; ++i)
    {
        TBBUTTON button;
        if (!GetButton(i, &button) || (button.fsStyle & TBSTYLE_SEP) != 0)
            continue;
        state.m_nIndex = (UINT)i;
        state.m_nID = (UINT)button.idCommand;
        // The bar's own reflected update handlers come first.
        if (CWnd::OnCmdMsg(0, MAKELONG(CN_UPDATE_COMMAND_UI & 0xFFFF, WM_COMMAND + WM_REFLECT_BASE),
                           &state, NULL))
            continue;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
    // Controls placed on the bar (a clock, a combo box) update too.
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

LRESULT CToolBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && lParam != 0)
    {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        if (pNMHDR->code == TTN_NEEDTEXTA || pNMHDR->code == TTN_NEEDTEXTW)
        {
            UINT nID = (UINT)pNMHDR->idFrom;
            CString strTip = GetToolTipText(nID);
            if (!strTip.IsEmpty())
            {
                if (pNMHDR->code == TTN_NEEDTEXTA)
                {
                    NMTTDISPINFOA* pInfo = (NMTTDISPINFOA*)lParam;
                    lstrcpynA(pInfo->szText, strTip, (int)(sizeof(pInfo->szText)));
                    pInfo->lpszText = pInfo->szText;
                    pInfo->hinst = NULL;
                }
                else
                {
                    NMTTDISPINFOW* pInfo = (NMTTDISPINFOW*)lParam;
                    int n = ::MultiByteToWideChar(CP_ACP, 0, strTip, -1, pInfo->szText,
                                                  (int)(sizeof(pInfo->szText) / sizeof(WCHAR)));
                    pInfo->szText[n > 0 ? n - 1 : 0] = L'\0';
                    pInfo->lpszText = pInfo->szText;
                    pInfo->hinst = NULL;
                }
                return 0;
            }
        }
    }
    return CControlBar::WindowProc(message, wParam, lParam);
}
