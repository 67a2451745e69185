// Windowless rich-text rendering: RICHED20's text services behind our own
// text host draw RTF (or plain text) into any DC and measure it.
#pragma once

#include "XTPCommon.h"
#include <richedit.h>
#include <textserv.h>

// The interface ids the program needs (MinGW's import libraries lack them).
extern const IID XTP_IID_ITextServices;
extern const IID XTP_IID_ITextHost;

class CXTPRichRender : public CCmdTarget
{
public:
    CXTPRichRender();
    virtual ~CXTPRichRender();

    // Copies the format and makes it the services' default character format.
    void SetDefaultCharFormat(const CHARFORMATW* pcf);
    const CHARFORMATW& GetDefaultCharFormat() const { return m_charFormat; }
    const PARAFORMAT2& GetDefaultParaFormat() const { return m_paraFormat; }

    // Loads RTF, or plain text when the text is not RTF; returns the services'
    // answer (0 without services or for an empty text).
    LRESULT SetText(LPCTSTR lpszText);
    // About the narrowest width, up to twice nWidth, at which the text needs
    // no more height than at nWidth; (0, 0) without services.
    CSize GetTextExtent(CDC* pDC, int nWidth);
    // Draws the text into the rectangle.
    void DrawText(CDC* pDC, LPCRECT lpRect);

    ITextServices* GetTextService() const { return m_pTextService; }
    BOOL IsAvailable() const { return m_pTextService != NULL; }

protected:
    virtual DWORD InternalQueryInterface(const void* iid, LPVOID* ppvObj);

    // The ITextHost face of the object.
    class XTextHost : public ITextHost
    {
    public:
        explicit XTextHost(CXTPRichRender* pOwner) : m_pOwner(pOwner) {}

        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject);
        ULONG STDMETHODCALLTYPE AddRef();
        ULONG STDMETHODCALLTYPE Release();

        HDC TxGetDC();
        INT TxReleaseDC(HDC hdc);
        WINBOOL TxShowScrollBar(INT fnBar, WINBOOL fShow);
        WINBOOL TxEnableScrollBar(INT fuSBFlags, INT fuArrowflags);
        WINBOOL TxSetScrollRange(INT fnBar, LONG nMinPos, INT nMaxPos, WINBOOL fRedraw);
        WINBOOL TxSetScrollPos(INT fnBar, INT nPos, WINBOOL fRedraw);
        void TxInvalidateRect(LPCRECT prc, WINBOOL fMode);
        void TxViewChange(WINBOOL fUpdate);
        WINBOOL TxCreateCaret(HBITMAP hbmp, INT xWidth, INT yHeight);
        WINBOOL TxShowCaret(WINBOOL fShow);
        WINBOOL TxSetCaretPos(INT x, INT y);
        WINBOOL TxSetTimer(UINT idTimer, UINT uTimeout);
        void TxKillTimer(UINT idTimer);
        void TxScrollWindowEx(INT dx, INT dy, LPCRECT lprcScroll, LPCRECT lprcClip, HRGN hrgnUpdate,
                              LPRECT lprcUpdate, UINT fuScroll);
        void TxSetCapture(WINBOOL fCapture);
        void TxSetFocus();
        void TxSetCursor(HCURSOR hcur, WINBOOL fText);
        WINBOOL TxScreenToClient(LPPOINT lppt);
        WINBOOL TxClientToScreen(LPPOINT lppt);
        HRESULT TxActivate(LONG* plOldState);
        HRESULT TxDeactivate(LONG lNewState);
        HRESULT TxGetClientRect(LPRECT prc);
        HRESULT TxGetViewInset(LPRECT prc);
        HRESULT TxGetCharFormat(const CHARFORMATW** ppCF);
        HRESULT TxGetParaFormat(const PARAFORMAT** ppPF);
        COLORREF TxGetSysColor(int nIndex);
        HRESULT TxGetBackStyle(TXTBACKSTYLE* pstyle);
        HRESULT TxGetMaxLength(DWORD* plength);
        HRESULT TxGetScrollBars(DWORD* pdwScrollBar);
        HRESULT TxGetPasswordChar(TCHAR* pch);
        HRESULT TxGetAcceleratorPos(LONG* pcp);
        HRESULT TxGetExtent(LPSIZEL lpExtent);
        HRESULT OnTxCharFormatChange(const CHARFORMATW* pcf);
        HRESULT OnTxParaFormatChange(const PARAFORMAT* ppf);
        HRESULT TxGetPropertyBits(DWORD dwMask, DWORD* pdwBits);
        HRESULT TxNotify(DWORD iNotify, void* pv);
        HIMC TxImmGetContext();
        void TxImmReleaseContext(HIMC himc);
        HRESULT TxGetSelectionBarWidth(LONG* lSelBarWidth);

    private:
        CXTPRichRender* m_pOwner;
    };
    friend class XTextHost;

    XTextHost m_xTextHost;
    ITextServices* m_pTextService;
    CHARFORMATW m_charFormat;       // the default character format (92 bytes)
    PARAFORMAT2 m_paraFormat;       // the default paragraph format (cbSize 156)
    SIZE m_szRequested;             // the last EN_REQUESTRESIZE size
    HMODULE m_hRichEditDll;

private:
    HRESULT DrawInto(HDC hDC, const RECTL& rcBounds);
};
