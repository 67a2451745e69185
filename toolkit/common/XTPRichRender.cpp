// Windowless rich-text rendering through RICHED20's text services.
#include "XTPRichRender.h"
#include "XTPSystemHelpers.h"

// {8D33F740-CF58-11CE-A89D-00AA006CADC5}
const IID XTP_IID_ITextServices = { 0x8d33f740, 0xcf58, 0x11ce, { 0xa8, 0x9d, 0x00, 0xaa, 0x00, 0x6c, 0xad, 0xc5 } };
// {C5BDD8D0-D26E-11CE-A89E-00AA006CADC5}
const IID XTP_IID_ITextHost = { 0xc5bdd8d0, 0xd26e, 0x11ce, { 0xa8, 0x9e, 0x00, 0xaa, 0x00, 0x6c, 0xad, 0xc5 } };

namespace
{
// Reads the text's bytes for EM_STREAMIN.
struct CStreamSource
{
    const char* pData;
    LONG nSize;
    LONG nPos;
};

DWORD CALLBACK StreamInCallback(DWORD_PTR dwCookie, LPBYTE pbBuff, LONG cb, LONG* pcb)
{
    CStreamSource* pSource = reinterpret_cast<CStreamSource*>(dwCookie);
    LONG nLeft = pSource->nSize - pSource->nPos;
    LONG nCopy = cb < nLeft ? cb : nLeft;
    if (nCopy < 0)
        nCopy = 0;
    memcpy(pbBuff, pSource->pData + pSource->nPos, nCopy);
    pSource->nPos += nCopy;
    *pcb = nCopy;
    return 0;
}
} // namespace

CXTPRichRender::CXTPRichRender()
    : m_xTextHost(this)
    , m_pTextService(NULL)
    , m_hRichEditDll(NULL)
{
    m_szRequested.cx = m_szRequested.cy = 0;

    NONCLIENTMETRICSA ncm;
    XTPGetNonClientMetrics(ncm);

    ZeroMemory(&m_charFormat, sizeof(m_charFormat));
    m_charFormat.cbSize = sizeof(CHARFORMATW);
    m_charFormat.dwMask = CFM_SIZE | CFM_COLOR | CFM_FACE | CFM_CHARSET | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE |
                          CFM_STRIKEOUT;
    m_charFormat.dwEffects = 0;
    HDC hScreenDC = ::GetDC(NULL);
    int nLogPixelsY = hScreenDC ? ::GetDeviceCaps(hScreenDC, LOGPIXELSY) : 96;
    if (hScreenDC)
        ::ReleaseDC(NULL, hScreenDC);
    if (nLogPixelsY <= 0)
        nLogPixelsY = 96;
    m_charFormat.yHeight = -::MulDiv(ncm.lfMessageFont.lfHeight, 1440, nLogPixelsY);
    m_charFormat.crTextColor = ::GetSysColor(COLOR_BTNTEXT);
    m_charFormat.bCharSet = 0;
    m_charFormat.bPitchAndFamily = 0;
    ::MultiByteToWideChar(CP_ACP, 0, ncm.lfMessageFont.lfFaceName, -1, m_charFormat.szFaceName, LF_FACESIZE);
    m_charFormat.szFaceName[LF_FACESIZE - 1] = 0;

    ZeroMemory(&m_paraFormat, sizeof(m_paraFormat));
    // The 156-byte layout: the text services read the fields of PARAFORMAT.
    m_paraFormat.cbSize = sizeof(PARAFORMAT);
    m_paraFormat.dwMask = 0x8001003F;
    m_paraFormat.wAlignment = PFA_LEFT;

    m_hRichEditDll = ::LoadLibraryA("RICHED20.dll");
    if (m_hRichEditDll == NULL)
        return;
    PCreateTextServices pfnCreate =
        reinterpret_cast<PCreateTextServices>(::GetProcAddress(m_hRichEditDll, "CreateTextServices"));
    if (pfnCreate == NULL)
        return;

    IUnknown* pUnknown = NULL;
    if (SUCCEEDED(pfnCreate(NULL, &m_xTextHost, &pUnknown)) && pUnknown != NULL)
    {
        void* pServices = NULL;
        if (SUCCEEDED(pUnknown->QueryInterface(XTP_IID_ITextServices, &pServices)))
            m_pTextService = static_cast<ITextServices*>(pServices);
        pUnknown->Release();
    }
}

CXTPRichRender::~CXTPRichRender()
{
    // The services live in RICHED20: they are released before it is unloaded.
    if (m_pTextService != NULL)
    {
        m_pTextService->Release();
        m_pTextService = NULL;
    }
    if (m_hRichEditDll != NULL)
    {
        ::FreeLibrary(m_hRichEditDll);
        m_hRichEditDll = NULL;
    }
}

DWORD CXTPRichRender::InternalQueryInterface(const void* iid, LPVOID* ppvObj)
{
    if (ppvObj == NULL)
        return (DWORD)E_POINTER;
    const IID* pIID = static_cast<const IID*>(iid);
    if (pIID != NULL && (IsEqualIID(*pIID, XTP_IID_ITextHost) || IsEqualIID(*pIID, IID_IUnknown)))
    {
        *ppvObj = static_cast<ITextHost*>(&m_xTextHost);
        return S_OK;
    }
    return CCmdTarget::InternalQueryInterface(iid, ppvObj);
}

void CXTPRichRender::SetDefaultCharFormat(const CHARFORMATW* pcf)
{
    if (pcf == NULL)
        return;
    memcpy(&m_charFormat, pcf, sizeof(CHARFORMATW));
    m_charFormat.cbSize = sizeof(CHARFORMATW);
    if (m_pTextService != NULL)
    {
        LRESULT lResult = 0;
        m_pTextService->TxSendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&m_charFormat),
                                      &lResult);
    }
}

LRESULT CXTPRichRender::SetText(LPCTSTR lpszText)
{
    if (m_pTextService == NULL)
        return 0;

    if (lpszText == NULL || *lpszText == 0)
    {
        m_pTextService->TxSetText(L"");
        return 0;
    }

    CStreamSource source = { lpszText, (LONG)strlen(lpszText), 0 };
    EDITSTREAM stream;
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    stream.dwError = 0;
    stream.pfnCallback = StreamInCallback;

    LRESULT lResult = 0;
    m_pTextService->TxSendMessage(EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream), &lResult);
    if (lResult <= 0)
    {
        // Not RTF: read it again as plain text.
        source.nPos = 0;
        stream.dwError = 0;
        lResult = 0;
        m_pTextService->TxSendMessage(EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&stream), &lResult);
    }
    return lResult;
}

HRESULT CXTPRichRender::DrawInto(HDC hDC, const RECTL& rcBounds)
{
    return m_pTextService->TxDraw(DVASPECT_CONTENT, 0, NULL, NULL, hDC, NULL, &rcBounds, NULL, NULL, NULL, 0,
                                  TXTVIEW_ACTIVE);
}

CSize CXTPRichRender::GetTextExtent(CDC* pDC, int nWidth)
{
    if (m_pTextService == NULL || pDC == NULL || pDC->GetSafeHdc() == NULL)
        return CSize(0, 0);

    LRESULT lResult = 0;
    m_pTextService->TxSendMessage(EM_SETEVENTMASK, 0, ENM_REQUESTRESIZE, &lResult);
    m_szRequested.cx = m_szRequested.cy = 0;

    // Each draw into a one-pixel-high rectangle makes the services report the
    // size they need at that width.
    int nLow = 0;
    int nHigh = 2 * nWidth;
    BOOL bFirst = TRUE;
    LONG nReferenceHeight = 0;
    while (nLow < nHigh)
    {
        int nMid = (nLow + nHigh) / 2;
        RECTL rc = { 0, 0, nMid, 1 };
        DrawInto(pDC->GetSafeHdc(), rc);
        if (bFirst)
        {
            nReferenceHeight = m_szRequested.cy;
            bFirst = FALSE;
        }
        if (m_szRequested.cy <= nReferenceHeight)
            nHigh = nMid - 1;
        else
            nLow = nMid + 1;
    }
    if (m_szRequested.cy > nReferenceHeight)
    {
        RECTL rc = { 0, 0, nHigh + 1, 1 };
        DrawInto(pDC->GetSafeHdc(), rc);
    }
    return CSize(m_szRequested.cx, m_szRequested.cy);
}

void CXTPRichRender::DrawText(CDC* pDC, LPCRECT lpRect)
{
    if (m_pTextService == NULL || pDC == NULL || pDC->GetSafeHdc() == NULL || lpRect == NULL)
        return;
    RECTL rc = { lpRect->left, lpRect->top, lpRect->right, lpRect->bottom };
    DrawInto(pDC->GetSafeHdc(), rc);
}

//////////////////////////////////////////////////////////////////////////
// The text host

HRESULT STDMETHODCALLTYPE CXTPRichRender::XTextHost::QueryInterface(REFIID riid, void** ppvObject)
{
    return (HRESULT)m_pOwner->InternalQueryInterface(&riid, ppvObject);
}

ULONG STDMETHODCALLTYPE CXTPRichRender::XTextHost::AddRef()
{
    return 1;
}

ULONG STDMETHODCALLTYPE CXTPRichRender::XTextHost::Release()
{
    return 1;
}

HDC CXTPRichRender::XTextHost::TxGetDC()
{
    return NULL;
}

INT CXTPRichRender::XTextHost::TxReleaseDC(HDC)
{
    return 1;
}

WINBOOL CXTPRichRender::XTextHost::TxShowScrollBar(INT, WINBOOL)
{
    return FALSE;
}

WINBOOL CXTPRichRender::XTextHost::TxEnableScrollBar(INT, INT)
{
    return FALSE;
}

WINBOOL CXTPRichRender::XTextHost::TxSetScrollRange(INT, LONG, INT, WINBOOL)
{
    return FALSE;
}

WINBOOL CXTPRichRender::XTextHost::TxSetScrollPos(INT, INT, WINBOOL)
{
    return FALSE;
}

void CXTPRichRender::XTextHost::TxInvalidateRect(LPCRECT, WINBOOL)
{
}

void CXTPRichRender::XTextHost::TxViewChange(WINBOOL)
{
}

WINBOOL CXTPRichRender::XTextHost::TxCreateCaret(HBITMAP, INT, INT)
{
    return FALSE;
}

WINBOOL CXTPRichRender::XTextHost::TxShowCaret(WINBOOL)
{
    return FALSE;
}

WINBOOL CXTPRichRender::XTextHost::TxSetCaretPos(INT, INT)
{
    return FALSE;
}

WINBOOL CXTPRichRender::XTextHost::TxSetTimer(UINT, UINT)
{
    return FALSE;
}

void CXTPRichRender::XTextHost::TxKillTimer(UINT)
{
}

void CXTPRichRender::XTextHost::TxScrollWindowEx(INT, INT, LPCRECT, LPCRECT, HRGN, LPRECT, UINT)
{
}

void CXTPRichRender::XTextHost::TxSetCapture(WINBOOL)
{
}

void CXTPRichRender::XTextHost::TxSetFocus()
{
}

void CXTPRichRender::XTextHost::TxSetCursor(HCURSOR, WINBOOL)
{
}

WINBOOL CXTPRichRender::XTextHost::TxScreenToClient(LPPOINT)
{
    return FALSE;
}

WINBOOL CXTPRichRender::XTextHost::TxClientToScreen(LPPOINT)
{
    return FALSE;
}

HRESULT CXTPRichRender::XTextHost::TxActivate(LONG*)
{
    return E_FAIL;
}

HRESULT CXTPRichRender::XTextHost::TxDeactivate(LONG)
{
    return E_FAIL;
}

HRESULT CXTPRichRender::XTextHost::TxGetClientRect(LPRECT prc)
{
    // There is no client rectangle. The rectangle is still emptied: some
    // text services build their resize request from it even on failure.
    if (prc != NULL)
        ::SetRectEmpty(prc);
    return E_FAIL;
}

HRESULT CXTPRichRender::XTextHost::TxGetViewInset(LPRECT prc)
{
    if (prc != NULL)
        ::SetRectEmpty(prc);
    return S_OK;
}

HRESULT CXTPRichRender::XTextHost::TxGetCharFormat(const CHARFORMATW** ppCF)
{
    *ppCF = &m_pOwner->m_charFormat;
    return S_OK;
}

HRESULT CXTPRichRender::XTextHost::TxGetParaFormat(const PARAFORMAT** ppPF)
{
    *ppPF = reinterpret_cast<const PARAFORMAT*>(&m_pOwner->m_paraFormat);
    return S_OK;
}

COLORREF CXTPRichRender::XTextHost::TxGetSysColor(int nIndex)
{
    return ::GetSysColor(nIndex);
}

HRESULT CXTPRichRender::XTextHost::TxGetBackStyle(TXTBACKSTYLE* pstyle)
{
    *pstyle = TXTBACK_TRANSPARENT;
    return S_OK;
}

HRESULT CXTPRichRender::XTextHost::TxGetMaxLength(DWORD* plength)
{
    *plength = 0x1000000;
    return S_OK;
}

HRESULT CXTPRichRender::XTextHost::TxGetScrollBars(DWORD* pdwScrollBar)
{
    *pdwScrollBar = 0;
    return S_OK;
}

HRESULT CXTPRichRender::XTextHost::TxGetPasswordChar(TCHAR*)
{
    return S_FALSE;
}

HRESULT CXTPRichRender::XTextHost::TxGetAcceleratorPos(LONG* pcp)
{
    *pcp = -1;
    return S_OK;
}

HRESULT CXTPRichRender::XTextHost::TxGetExtent(LPSIZEL)
{
    return E_NOTIMPL;
}

HRESULT CXTPRichRender::XTextHost::OnTxCharFormatChange(const CHARFORMATW*)
{
    return E_FAIL;
}

HRESULT CXTPRichRender::XTextHost::OnTxParaFormatChange(const PARAFORMAT*)
{
    return E_FAIL;
}

HRESULT CXTPRichRender::XTextHost::TxGetPropertyBits(DWORD dwMask, DWORD* pdwBits)
{
    *pdwBits = dwMask & (TXTBIT_RICHTEXT | TXTBIT_MULTILINE | TXTBIT_WORDWRAP);
    return S_OK;
}

HRESULT CXTPRichRender::XTextHost::TxNotify(DWORD iNotify, void* pv)
{
    if (iNotify == EN_REQUESTRESIZE && pv != NULL)
    {
        const REQRESIZE* pResize = static_cast<const REQRESIZE*>(pv);
        m_pOwner->m_szRequested.cx = pResize->rc.right - pResize->rc.left;
        m_pOwner->m_szRequested.cy = pResize->rc.bottom - pResize->rc.top;
    }
    return S_OK;
}

HIMC CXTPRichRender::XTextHost::TxImmGetContext()
{
    return NULL;
}

void CXTPRichRender::XTextHost::TxImmReleaseContext(HIMC)
{
}

HRESULT CXTPRichRender::XTextHost::TxGetSelectionBarWidth(LONG* lSelBarWidth)
{
    *lSelBarWidth = 0;
    return S_OK;
}
