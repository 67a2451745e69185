// The "Button Editor" dialog.
#include "XTPImageEditorDlg.h"

#include "XTPColorManager.h"
#include "XTPHookManager.h"
#include "XTPImageManager.h"
#include "XTPResourceManager.h"
#include "XTPSystemHelpers.h"
#include "../../resources/customize_editor_res.h"

#include <afxdlgs.h>

#include <algorithm>

namespace
{
const COLORREF kHalfGrey = RGB(0xEB, 0xEB, 0xEB);
const int kSwatchSize = 11;
const int kSwatchStep = 13;
const int kToolImages = 12;   // the tools bar's images come first in the strips
const int kAllImages = 16;

const UINT kToolsButtons[] = {XTP_ID_IMAGEEDITOR_PENCIL, XTP_ID_IMAGEEDITOR_FILL,      XTP_ID_IMAGEEDITOR_UNDO,
                              XTP_ID_IMAGEEDITOR_REDO,   XTP_ID_IMAGEEDITOR_GETCOLOR,  XTP_ID_IMAGEEDITOR_LINE,
                              XTP_ID_IMAGEEDITOR_COPY,   XTP_ID_IMAGEEDITOR_PASTE,     XTP_ID_IMAGEEDITOR_RECTANGLE,
                              XTP_ID_IMAGEEDITOR_CIRCLE, XTP_ID_IMAGEEDITOR_CLEAR,     XTP_ID_IMAGEEDITOR_OPEN};
const UINT kMoveButtons[] = {XTP_ID_IMAGEEDITOR_MOVELEFT, XTP_ID_IMAGEEDITOR_MOVEDOWN, XTP_ID_IMAGEEDITOR_MOVEUP,
                             XTP_ID_IMAGEEDITOR_MOVERIGHT};

// Enables and checks one button of a dialog tool bar; the other states of
// the button (its row break among them) stay as they are.
class CDlgToolCmdUI : public CCmdUI
{
public:
    virtual void Enable(BOOL bOn)
    {
        m_bEnableChanged = TRUE;
        m_pOther->SendMessage(TB_ENABLEBUTTON, m_nID, MAKELONG(bOn ? TRUE : FALSE, 0));
    }
    virtual void SetCheck(int nCheck)
    {
        m_pOther->SendMessage(TB_CHECKBUTTON, m_nID, MAKELONG(nCheck != 0 ? TRUE : FALSE, 0));
    }
    virtual void SetRadio(BOOL bOn) { SetCheck(bOn ? 1 : 0); }
    virtual void SetText(LPCTSTR) {}
};

// The part of a command string after its first "\n".
CString ToolTipPart(LPCTSTR lpszString)
{
    CString str(lpszString != NULL ? lpszString : _T(""));
    int nNewLine = str.Find('\n');
    return nNewLine >= 0 ? str.Mid(nNewLine + 1) : CString();
}
} // namespace

// ---------------------------------------------------------------------------
// CXTPImageEditorPicker

BEGIN_MESSAGE_MAP(CXTPImageEditorPicker, CStatic)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CXTPImageEditorPicker::CXTPImageEditorPicker() : m_clr(0), m_bSelected(FALSE)
{
}

void CXTPImageEditorPicker::DrawPicker(CDC* pDC, CRect rc)
{
    if (m_clr == XTP_IMAGEEDITOR_TRANSPARENT)
    {
        pDC->FillSolidRect(rc, RGB(255, 255, 255));
        CPoint ptCentre = rc.CenterPoint();
        pDC->FillSolidRect(CRect(rc.left, rc.top, ptCentre.x, ptCentre.y), kHalfGrey);
        pDC->FillSolidRect(CRect(ptCentre.x, ptCentre.y, rc.right, rc.bottom), kHalfGrey);
    }
    else
    {
        pDC->FillSolidRect(rc, m_clr);
    }
    if (m_bSelected)
    {
        pDC->Draw3dRect(rc, RGB(0, 0, 0), RGB(0, 0, 0));
        CRect rcInner(rc);
        rcInner.DeflateRect(1, 1);
        pDC->Draw3dRect(rcInner, RGB(255, 255, 255), RGB(255, 255, 255));
    }
    else
    {
        COLORREF clrFrame = GetXTPSysColor(COLOR_3DDKSHADOW);
        pDC->Draw3dRect(rc, clrFrame, clrFrame);
    }
}

BOOL CXTPImageEditorPicker::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

LRESULT CXTPImageEditorPicker::OnPrintClient(WPARAM wParam, LPARAM)
{
    return XTPImageEditorPrintClient(this, wParam, &CXTPImageEditorPicker::DrawPicker);
}

void CXTPImageEditorPicker::OnPaint()
{
    XTPImageEditorPaintBuffered(this, &CXTPImageEditorPicker::DrawPicker);
}

void CXTPImageEditorPicker::OnLButtonDown(UINT nFlags, CPoint point)
{
    CStatic::OnLButtonDown(nFlags, point);
    CWnd* pParent = GetParent();
    if (pParent == NULL)
        return;
    NMHDR nmhdr;
    nmhdr.hwndFrom = m_hWnd;
    nmhdr.idFrom = (UINT_PTR)GetDlgCtrlID();
    nmhdr.code = NM_CLICK;
    pParent->SendMessage(WM_NOTIFY, nmhdr.idFrom, (LPARAM)&nmhdr);
}

// ---------------------------------------------------------------------------
// CXTPImageEditorPreview

BEGIN_MESSAGE_MAP(CXTPImageEditorPreview, CStatic)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

void CXTPImageEditorPreview::DrawPreview(CDC* pDC, CRect rcClient)
{
    const COLORREF clrFace = GetXTPSysColor(COLOR_3DFACE);
    pDC->FillSolidRect(rcClient, clrFace);
    if (m_pParentDlg == NULL)
        return;

    CXTPImageEditorPicture* pCanvas = m_pParentDlg->GetPictureCtrl();
    const CSize sz = pCanvas->GetPictureSize();
    CRect rcImage(CPoint(rcClient.left + 10, rcClient.top + (rcClient.Height() - sz.cy) / 2), sz);
    CRect rcFrame(rcImage);
    rcFrame.InflateRect(3, 3);
    pDC->Draw3dRect(rcFrame, RGB(255, 255, 255), GetXTPSysColor(COLOR_BTNSHADOW));
    rcFrame.InflateRect(1, 1);
    pDC->Draw3dRect(rcFrame, clrFace, GetXTPSysColor(COLOR_3DDKSHADOW));

    const CXTPImageEditorPicture::CAlphaBitmap* pPicture = pCanvas->GetPicture();
    if (pPicture == NULL || pPicture->GetBits() == NULL)
        return;

    // The image over the button face: blended by its alpha, or with the
    // transparent colour showing the face.
    CXTPImageEditorPicture::CAlphaBitmap composed;
    if (!composed.CreateImage(pPicture->GetSize(), clrFace))
        return;
    const CSize szPicture = pPicture->GetSize();
    for (int y = 0; y < szPicture.cy; y++)
    {
        for (int x = 0; x < szPicture.cx; x++)
        {
            DWORD p = pPicture->GetPixel(x, y);
            DWORD dwOut;
            if (pPicture->m_bAlpha)
            {
                const int a = (int)(p >> 24);
                const int r = (int)((p >> 16) & 0xFF) * a / 255 + GetRValue(clrFace) * (255 - a) / 255;
                const int g = (int)((p >> 8) & 0xFF) * a / 255 + GetGValue(clrFace) * (255 - a) / 255;
                const int b = (int)(p & 0xFF) * a / 255 + GetBValue(clrFace) * (255 - a) / 255;
                dwOut = ((DWORD)r << 16) | ((DWORD)g << 8) | (DWORD)b;
            }
            else if ((p & 0xFFFFFF) == 0xFFFEFF)
            {
                dwOut = composed.GetPixel(x, y);
            }
            else
            {
                dwOut = p & 0xFFFFFF;
            }
            composed.SetPixel(x, y, dwOut);
        }
    }
    CDC dcImage;
    dcImage.CreateCompatibleDC(pDC);
    CBitmap* pOld = dcImage.SelectObject(&composed);
    pDC->BitBlt(rcImage.left, rcImage.top, szPicture.cx, szPicture.cy, &dcImage, 0, 0, SRCCOPY);
    dcImage.SelectObject(pOld);
}

BOOL CXTPImageEditorPreview::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

LRESULT CXTPImageEditorPreview::OnPrintClient(WPARAM wParam, LPARAM)
{
    return XTPImageEditorPrintClient(this, wParam, &CXTPImageEditorPreview::DrawPreview);
}

void CXTPImageEditorPreview::OnPaint()
{
    XTPImageEditorPaintBuffered(this, &CXTPImageEditorPreview::DrawPreview);
}

// ---------------------------------------------------------------------------
// CXTPImageEditorDlg::CDlgToolBar

LRESULT CXTPImageEditorDlg::CDlgToolBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    try
    {
        if (message == WM_IDLEUPDATECMDUI)
        {
            // The buttons follow the dialog's update handlers.
            CWnd* pTarget = GetParent();
            if (pTarget != NULL && (GetStyle() & WS_VISIBLE) != 0)
            {
                CDlgToolCmdUI state;
                state.m_pOther = this;
                const int nCount = (int)SendMessage(TB_BUTTONCOUNT);
                state.m_nIndexMax = (UINT)nCount;
                for (int i = 0; i < nCount; i++)
                {
                    TBBUTTON button;
                    if (!SendMessage(TB_GETBUTTON, (WPARAM)i, (LPARAM)&button) || (button.fsStyle & TBSTYLE_SEP) != 0)
                        continue;
                    state.m_nIndex = (UINT)i;
                    state.m_nID = (UINT)button.idCommand;
                    state.DoUpdate(pTarget, (BOOL)wParam);
                }
            }
            return 0;
        }
        if (message == WM_NOTIFY && lParam != 0 && CXTPImageEditorDlg::OnToolTipText((NMHDR*)lParam))
            return 0;
    }
    catch (CException* e)
    {
        TRACE("image editor tool bar: message 0x%04X failed\n", message);
        e->Delete();
        return 0;
    }
    return CToolBar::WindowProc(message, wParam, lParam);
}

// ---------------------------------------------------------------------------
// CXTPImageEditorDlg

const COLORREF CXTPImageEditorDlg::m_arrPaletteColors[nPaletteColors] = {
    0x000000, 0x808080, 0x000080, 0x008080, 0x008000, 0x808000, 0x800000, 0x800080,
    0xFFFFFF, 0xC0C0C0, 0x0000FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0xFF00FF};

const UINT CXTPImageEditorDlg::m_arrPaletteIds[nPaletteColors] = {
    XTP_IDS_CLR_BLACK, XTP_IDS_CLR_GRAY50, XTP_IDS_CLR_DARK_RED, XTP_IDS_CLR_DARK_YELLOW,
    XTP_IDS_CLR_GREEN, XTP_IDS_CLR_TEAL,   XTP_IDS_CLR_DARK_BLUE, XTP_IDS_CLR_VIOLET,
    XTP_IDS_CLR_WHITE, XTP_IDS_CLR_GRAY25, XTP_IDS_CLR_RED,      XTP_IDS_CLR_YELLOW,
    XTP_IDS_CLR_BRIGHT_GREEN, XTP_IDS_CLR_TURQUOISE, XTP_IDS_CLR_BLUE, XTP_IDS_CLR_PINK};

BEGIN_MESSAGE_MAP(CXTPImageEditorDlg, CDialog)
    ON_WM_DESTROY()
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
    ON_COMMAND_RANGE(XTP_ID_IMAGEEDITOR_PENCIL, XTP_ID_IMAGEEDITOR_CIRCLE, OnToolChoose)
    ON_UPDATE_COMMAND_UI_RANGE(XTP_ID_IMAGEEDITOR_PENCIL, XTP_ID_IMAGEEDITOR_CIRCLE, OnUpdateToolChoose)
    ON_COMMAND(XTP_ID_IMAGEEDITOR_UNDO, OnUndoCommand)
    ON_UPDATE_COMMAND_UI(XTP_ID_IMAGEEDITOR_UNDO, OnUpdateUndo)
    ON_COMMAND(XTP_ID_IMAGEEDITOR_REDO, OnRedoCommand)
    ON_UPDATE_COMMAND_UI(XTP_ID_IMAGEEDITOR_REDO, OnUpdateRedo)
    ON_COMMAND(XTP_ID_IMAGEEDITOR_CLEAR, OnClearCommand)
    ON_COMMAND(XTP_ID_IMAGEEDITOR_COPY, OnCopyCommand)
    ON_COMMAND(XTP_ID_IMAGEEDITOR_PASTE, OnPasteCommand)
    ON_COMMAND(XTP_ID_IMAGEEDITOR_OPEN, OnOpenCommand)
    ON_COMMAND_RANGE(XTP_ID_IMAGEEDITOR_MOVELEFT, XTP_ID_IMAGEEDITOR_MOVERIGHT, OnMoveCommand)
END_MESSAGE_MAP()

CXTPImageEditorDlg::CXTPImageEditorDlg(CWnd* pParent, BOOL bCustomizeMode)
    : m_bAlphaToolImages(XTPGetComCtlVersion() >= MAKELONG(0, 6)), m_pSelected(NULL), m_nCurrentTool(0),
      m_nPreviousTool(-1), m_szPicture(16, 16), m_bCustomizeMode(bCustomizeMode)
{
    LPCDLGTEMPLATE lpTemplate = XTPResourceManager()->LoadDialogTemplate(XTP_IDD_IMAGEEDITOR_DIALOG);
    if (lpTemplate != NULL)
        InitModalIndirect(lpTemplate, pParent);
    m_wndPreview.m_pParentDlg = this;
}

CXTPImageEditorDlg::~CXTPImageEditorDlg()
{
}

INT_PTR CXTPImageEditorDlg::DoModal()
{
    if (m_lpDialogTemplate == NULL)
    {
        TRACE("image editor: the dialog template %d is missing\n", XTP_IDD_IMAGEEDITOR_DIALOG);
        return -1;
    }
    return CDialog::DoModal();
}

BOOL CXTPImageEditorDlg::SetIconSize(CSize sz)
{
    if (sz.cx <= 0 || sz.cy <= 0)
        return FALSE;
    m_szPicture = sz;
    return TRUE;
}

BOOL CXTPImageEditorDlg::SetIcon(const CXTPImageManagerIconHandle& hIcon)
{
    if (hIcon.IsEmpty())
        return FALSE;
    CSize sz = hIcon.GetExtent();
    if (sz.cx <= 0 || sz.cy <= 0)
        return FALSE;

    CXTPImageEditorPicture::CAlphaBitmap* pPicture = NULL;
    if (hIcon.IsAlpha())
    {
        pPicture = CXTPImageEditorPicture::CAlphaBitmap::FromBitmap(hIcon.GetBitmap(), TRUE);
    }
    else
    {
        HICON hIconHandle = hIcon.GetIcon();
        pPicture = new CXTPImageEditorPicture::CAlphaBitmap(FALSE);
        if (hIconHandle == NULL || !pPicture->CreateImage(sz))
        {
            delete pPicture;
            return FALSE;
        }
        CDC dc;
        dc.CreateCompatibleDC(NULL);
        CBitmap* pOld = dc.SelectObject(pPicture);
        ::DrawIconEx(dc.GetSafeHdc(), 0, 0, hIconHandle, sz.cx, sz.cy, 0, NULL, DI_NORMAL);
        dc.SelectObject(pOld);
        ::GdiFlush();
        for (int i = 0; i < sz.cx * sz.cy; i++)
            pPicture->GetBits()[i] &= 0x00FFFFFF;
    }
    if (pPicture == NULL)
        return FALSE;
    m_szPicture = pPicture->GetSize();
    m_wndPicture.SetPicture(pPicture);
    return TRUE;
}

void CXTPImageEditorDlg::GetIcon(CXTPImageManagerIconHandle* pHandle)
{
    if (pHandle == NULL)
        return;
    CXTPImageEditorPicture::CAlphaBitmap* pPicture = m_wndPicture.GetPicture();
    if (pPicture == NULL || pPicture->GetSafeHandle() == NULL)
        return;
    if (pPicture->m_bAlpha)
    {
        pHandle->CopyBitmap((HBITMAP)pPicture->GetSafeHandle());
        return;
    }
    // The image list changes the pixels it masks out, so it gets a copy.
    CXTPImageEditorPicture::CAlphaBitmap* pCopy = m_wndPicture.CopyPicture(pPicture);
    if (pCopy == NULL)
        return;
    const CSize sz = pCopy->GetSize();
    CImageList il;
    if (il.Create(sz.cx, sz.cy, ILC_COLOR24 | ILC_MASK, 0, 1))
    {
        il.Add(pCopy, XTP_IMAGEEDITOR_TRANSPARENT);
        if (il.GetImageCount() == 1)
        {
            HICON hIcon = il.ExtractIcon(0);
            if (hIcon != NULL)
                pHandle->AttachIcon(hIcon, sz);
        }
    }
    delete pCopy;
}

// ---------------------------------------------------------------------------
// Set-up

BOOL CXTPImageEditorDlg::CreateToolImages(CImageList& il, int nFirstImage)
{
    il.DeleteImageList();
    BOOL bLoaded = FALSE;
    if (m_bAlphaToolImages)
    {
        HBITMAP hStrip = CXTPImageManager::LoadAlphaBitmap(XTP_IDB_IMAGEEDITOR_TOOLS32);
        if (hStrip != NULL)
        {
            CBitmap bmp;
            bmp.Attach(hStrip);
            bLoaded = il.Create(16, 16, ILC_COLOR32 | ILC_MASK, kAllImages, 1) && il.Add(&bmp, (CBitmap*)NULL) >= 0;
        }
    }
    if (!bLoaded)
    {
        il.DeleteImageList();
        CBitmap bmp;
        if (!XTPResourceManager()->LoadBitmap(&bmp, XTP_IDB_IMAGEEDITOR_TOOLS))
            return FALSE;
        if (!il.Create(16, 16, ILC_COLOR24 | ILC_MASK, kAllImages, 1) || il.Add(&bmp, RGB(0xC0, 0xC0, 0xC0)) < 0)
            return FALSE;
    }
    for (int i = 0; i < nFirstImage && il.GetImageCount() > 0; i++)
        il.Remove(0);
    return TRUE;
}

BOOL CXTPImageEditorDlg::CreateToolBar(CDlgToolBar& wndToolBar, CImageList& il, UINT nIDPlaceholder,
                                       const UINT* pIDs, int nCount, int nFirstImage, int nWrap)
{
    CWnd* pPlaceholder = GetDlgItem((int)nIDPlaceholder);
    if (pPlaceholder == NULL)
        return FALSE;
    CRect rc;
    pPlaceholder->GetWindowRect(&rc);
    ScreenToClient(&rc);

    // A wrapping bar breaks its rows after every nWrap buttons: its window
    // is made that wide before the buttons are laid out.
    const DWORD dwCtrlStyle = TBSTYLE_FLAT | (nWrap > 0 ? TBSTYLE_WRAPABLE : 0);
    if (!wndToolBar.CreateEx(this, dwCtrlStyle, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS,
                             CRect(0, 0, 0, 0), nIDPlaceholder + 1000))
        return FALSE;
    const CSize szButton(23, 23);
    wndToolBar.SetSizes(szButton, CSize(16, 16));
    if (!CreateToolImages(il, nFirstImage))
        return FALSE;
    wndToolBar.SendMessage(TB_SETIMAGELIST, 0, (LPARAM)il.GetSafeHandle());
    const int nPerRow = nWrap > 0 ? nWrap : nCount;
    wndToolBar.SetWindowPos(NULL, 0, 0, nPerRow * szButton.cx + szButton.cx / 2, szButton.cy * nCount,
                            SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!wndToolBar.SetButtons(pIDs, nCount))
        return FALSE;
    if (nWrap > 0)
    {
        for (int i = nWrap - 1; i < nCount - 1; i += nWrap)
        {
            LRESULT nState = wndToolBar.SendMessage(TB_GETSTATE, pIDs[i]);
            if (nState != -1)
                wndToolBar.SendMessage(TB_SETSTATE, pIDs[i], MAKELONG((WORD)(nState | TBSTATE_WRAP), 0));
        }
    }
    wndToolBar.SendMessage(TB_AUTOSIZE);

    // The bar is as large as its buttons, at the placeholder's corner.
    CRect rcButtons(0, 0, 0, 0);
    for (int i = 0; i < nCount; i++)
    {
        CRect rcItem;
        if (wndToolBar.SendMessage(TB_GETITEMRECT, (WPARAM)i, (LPARAM)&rcItem))
            rcButtons.UnionRect(rcButtons, rcItem);
    }
    // Above the group box around it.
    ::SetWindowPos(wndToolBar.m_hWnd, HWND_TOP, rc.left - 7, rc.top - 4, rcButtons.right, rcButtons.bottom,
                   SWP_NOACTIVATE);
    return TRUE;
}

BOOL CXTPImageEditorDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    m_wndPlaceholderTools.SubclassDlgItem(XTP_IDC_IMAGEEDITOR_TOOLS, this);
    m_wndPlaceholderMove.SubclassDlgItem(XTP_IDC_IMAGEEDITOR_MOVE, this);
    CreateToolBar(m_wndToolbarTools, m_ilTools, XTP_IDC_IMAGEEDITOR_TOOLS, kToolsButtons, kToolImages, 0, 4);
    CreateToolBar(m_wndToolbarMove, m_ilMove, XTP_IDC_IMAGEEDITOR_MOVE, kMoveButtons, kAllImages - kToolImages,
                  kToolImages, 0);

    CWnd* pColors = GetDlgItem(XTP_IDC_IMAGEEDITOR_COLORS);
    CRect rcColors(0, 0, 0, 0);
    if (pColors != NULL)
    {
        pColors->GetWindowRect(&rcColors);
        ScreenToClient(&rcColors);
    }
    for (int i = 0; i < nPaletteColors; i++)
    {
        const int nRow = i / 8, nColumn = i % 8;
        CRect rc(CPoint(rcColors.left + kSwatchStep * nColumn, rcColors.top - 4 + kSwatchStep * nRow),
                 CSize(kSwatchSize, kSwatchSize));
        m_wndPicker[i].m_clr = m_arrPaletteColors[i];
        if (m_wndPicker[i].Create(NULL, WS_CHILD | WS_VISIBLE | SS_NOTIFY, rc, this, m_arrPaletteIds[i]))
            ::SetWindowPos(m_wndPicker[i].m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    SelectPicker(&m_wndPicker[0]);

    m_wndPickerTransparent.m_clr = XTP_IMAGEEDITOR_TRANSPARENT;
    m_wndPickerTransparent.SubclassDlgItem(XTP_IDC_IMAGEEDITOR_TRANSPARENT, this);
    m_wndPickerCustom.m_clr = RGB(255, 255, 255);
    m_wndPickerCustom.SubclassDlgItem(XTP_IDC_IMAGEEDITOR_CUSTOMCOLOR, this);

    m_wndPicture.Init(XTP_IDC_IMAGEEDITOR_PICTURE, this);
    m_wndPreview.SubclassDlgItem(XTP_IDC_IMAGEEDITOR_PREVIEW, this);

    if (m_bCustomizeMode)
        XTPMouseManager()->AddTrusted(m_hWnd);

    SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    return TRUE;
}

void CXTPImageEditorDlg::OnDestroy()
{
    if (m_bCustomizeMode)
        XTPMouseManager()->RemoveTrusted(m_hWnd);
    CDialog::OnDestroy();
}

LRESULT CXTPImageEditorDlg::OnKickIdle(WPARAM, LPARAM)
{
    SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    return FALSE;
}

// ---------------------------------------------------------------------------
// Tooltips

int AFX_CDECL CXTPImageEditorDlg::CopyToolTipText(LPCTSTR lpszString, LPSTR lpszText, int cchText)
{
    if (lpszText == NULL || cchText <= 0)
        return 0;
    CString strTip = ToolTipPart(lpszString);
    // At most cchText - 1 characters: the terminator needs the last place.
    int nCopy = std::min(strTip.GetLength(), cchText - 1);
    memcpy(lpszText, (LPCTSTR)strTip, (size_t)nCopy);
    lpszText[nCopy] = 0;
    return nCopy;
}

int AFX_CDECL CXTPImageEditorDlg::CopyToolTipText(LPCTSTR lpszString, LPWSTR lpszText, int cchText)
{
    if (lpszText == NULL || cchText <= 0)
        return 0;
    CString strTip = ToolTipPart(lpszString);
    int nCopy = std::min(strTip.GetLength(), cchText - 1);
    int nWide = nCopy > 0 ? ::MultiByteToWideChar(CP_ACP, 0, strTip, nCopy, lpszText, cchText - 1) : 0;
    lpszText[nWide] = 0;
    return nWide;
}

BOOL AFX_CDECL CXTPImageEditorDlg::OnToolTipText(NMHDR* pNMHDR)
{
    if (pNMHDR == NULL || (pNMHDR->code != TTN_GETDISPINFOA && pNMHDR->code != TTN_GETDISPINFOW))
        return FALSE;
    UINT nID = (UINT)pNMHDR->idFrom;
    if (pNMHDR->code == TTN_GETDISPINFOA)
    {
        NMTTDISPINFOA* pInfo = (NMTTDISPINFOA*)pNMHDR;
        if (pInfo->uFlags & TTF_IDISHWND)
            nID = (UINT)::GetDlgCtrlID((HWND)pNMHDR->idFrom);
    }
    else
    {
        NMTTDISPINFOW* pInfo = (NMTTDISPINFOW*)pNMHDR;
        if (pInfo->uFlags & TTF_IDISHWND)
            nID = (UINT)::GetDlgCtrlID((HWND)pNMHDR->idFrom);
    }
    if (nID == 0)
        return FALSE;

    CString strFull;
    XTPResourceManager()->LoadString(&strFull, nID);
    if (pNMHDR->code == TTN_GETDISPINFOA)
    {
        NMTTDISPINFOA* pInfo = (NMTTDISPINFOA*)pNMHDR;
        CopyToolTipText(strFull, pInfo->szText, (int)(sizeof(pInfo->szText) / sizeof(pInfo->szText[0])));
        pInfo->lpszText = pInfo->szText;
        pInfo->hinst = NULL;
    }
    else
    {
        NMTTDISPINFOW* pInfo = (NMTTDISPINFOW*)pNMHDR;
        CopyToolTipText(strFull, pInfo->szText, (int)(sizeof(pInfo->szText) / sizeof(pInfo->szText[0])));
        pInfo->lpszText = pInfo->szText;
        pInfo->hinst = NULL;
    }
    if (pNMHDR->hwndFrom != NULL)
        ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}

BOOL CXTPImageEditorDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = (NMHDR*)lParam;
    if (pNMHDR != NULL)
    {
        if (OnToolTipText(pNMHDR))
        {
            *pResult = 0;
            return TRUE;
        }
        if (pNMHDR->code == NM_CLICK)
        {
            UINT nID = (UINT)pNMHDR->idFrom;
            if ((nID >= XTP_IDS_CLR_BLACK && nID <= 9232) || nID == XTP_IDC_IMAGEEDITOR_TRANSPARENT ||
                nID == XTP_IDC_IMAGEEDITOR_CUSTOMCOLOR)
            {
                OnPickerClick(nID);
                *pResult = 0;
                return TRUE;
            }
        }
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
}

// ---------------------------------------------------------------------------
// Colours and tools

COLORREF CXTPImageEditorDlg::GetCurrentColor() const
{
    return m_pSelected != NULL ? m_pSelected->m_clr : RGB(0, 0, 0);
}

void CXTPImageEditorDlg::SelectPicker(CXTPImageEditorPicker* pPicker)
{
    if (m_pSelected != NULL && m_pSelected != pPicker)
    {
        m_pSelected->m_bSelected = FALSE;
        if (m_pSelected->GetSafeHwnd() != NULL)
            m_pSelected->Invalidate(FALSE);
    }
    m_pSelected = pPicker;
    if (pPicker != NULL)
    {
        pPicker->m_bSelected = TRUE;
        if (pPicker->GetSafeHwnd() != NULL)
            pPicker->Invalidate(FALSE);
    }
}

void CXTPImageEditorDlg::OnPickerClick(UINT nID)
{
    if (nID == XTP_IDC_IMAGEEDITOR_CUSTOMCOLOR)
    {
        CColorDialog dlg(m_wndPickerCustom.m_clr, 0, this);
        if (dlg.DoModal() != IDOK)
            return;
        m_wndPickerCustom.m_clr = dlg.GetColor();
        SelectPicker(&m_wndPickerCustom);
        return;
    }
    if (nID == XTP_IDC_IMAGEEDITOR_TRANSPARENT)
    {
        SelectPicker(&m_wndPickerTransparent);
        return;
    }
    for (int i = 0; i < nPaletteColors; i++)
    {
        if (m_arrPaletteIds[i] == nID)
            SelectPicker(&m_wndPicker[i]);
    }
}

void CXTPImageEditorDlg::OnPickColor(COLORREF clr)
{
    m_wndPickerCustom.m_clr = clr;
    SelectPicker(&m_wndPickerCustom);
    if (m_wndPickerCustom.GetSafeHwnd() != NULL)
        m_wndPickerCustom.Invalidate(FALSE);
    if (m_nPreviousTool >= 0)
        m_nCurrentTool = m_nPreviousTool;
}

void CXTPImageEditorDlg::SelectTool(int nTool)
{
    if (nTool < xtpToolPencil || nTool > xtpToolCircle)
        return;
    // Pick Color hands back to the tool used before it, however often it
    // was chosen in a row.
    if (m_nCurrentTool != xtpToolGetColor)
        m_nPreviousTool = m_nCurrentTool;
    m_nCurrentTool = nTool;
}

void CXTPImageEditorDlg::RedrawPreview()
{
    if (m_wndPreview.GetSafeHwnd() != NULL)
        m_wndPreview.Invalidate(FALSE);
}

// ---------------------------------------------------------------------------
// Commands

void CXTPImageEditorDlg::OnToolChoose(UINT nID)
{
    SelectTool((int)nID - XTP_ID_IMAGEEDITOR_PENCIL);
}

void CXTPImageEditorDlg::OnUpdateToolChoose(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck((int)pCmdUI->m_nID - XTP_ID_IMAGEEDITOR_PENCIL == m_nCurrentTool ? 1 : 0);
}

void CXTPImageEditorDlg::OnUndoCommand()
{
    m_wndPicture.OnUndo();
}

void CXTPImageEditorDlg::OnUpdateUndo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_wndPicture.GetUndoCount() > 0);
}

void CXTPImageEditorDlg::OnRedoCommand()
{
    m_wndPicture.OnRedo();
}

void CXTPImageEditorDlg::OnUpdateRedo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_wndPicture.GetRedoCount() > 0);
}

void CXTPImageEditorDlg::OnClearCommand()
{
    m_wndPicture.OnClear();
}

void CXTPImageEditorDlg::OnCopyCommand()
{
    m_wndPicture.OnCopy();
}

void CXTPImageEditorDlg::OnPasteCommand()
{
    m_wndPicture.OnPaste();
}

void CXTPImageEditorDlg::OnOpenCommand()
{
    m_wndPicture.OnImport();
}

void CXTPImageEditorDlg::OnMoveCommand(UINT nID)
{
    switch (nID)
    {
    case XTP_ID_IMAGEEDITOR_MOVELEFT: m_wndPicture.MovePicture(-1, 0); break;
    case XTP_ID_IMAGEEDITOR_MOVERIGHT: m_wndPicture.MovePicture(1, 0); break;
    case XTP_ID_IMAGEEDITOR_MOVEUP: m_wndPicture.MovePicture(0, -1); break;
    case XTP_ID_IMAGEEDITOR_MOVEDOWN: m_wndPicture.MovePicture(0, 1); break;
    default: break;
    }
}
