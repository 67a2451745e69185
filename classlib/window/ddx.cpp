// Dialog data exchange (DDX_*) and validation (DDV_*).
#include "wndimpl.h"

#include <errno.h>
#include <float.h>
#include <stdlib.h>

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_idLastControl(0), m_bEditLastControl(FALSE)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = NULL;
    m_pDlgWnd->GetDlgItem(nIDC, &hWndCtrl);
    if (hWndCtrl == NULL)
        AfxThrowNotSupportedException();   // no such control: a programming error, reported
    m_idLastControl = (UINT)nIDC;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_idLastControl != 0)
    {
        // Back to the offending control, its text selected.
        HWND hWndLastControl = NULL;
        m_pDlgWnd->GetDlgItem((int)m_idLastControl, &hWndLastControl);
        if (hWndLastControl != NULL)
        {
            ::SetFocus(hWndLastControl);
            if (m_bEditLastControl)
                ::SendMessage(hWndLastControl, EM_SETSEL, 0, -1);
        }
    }
    AfxThrowUserException();
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    // Subclassed once; later exchanges leave it alone.
    if (rControl.m_hWnd == NULL)
    {
        HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
        if (!rControl.SubclassWindow(hWndCtrl))
            AfxThrowNotSupportedException();
    }
}

// Text helpers -----------------------------------------------------------------

static CString AfxGetControlText(HWND hWndCtrl)
{
    CString str;
    int nLen = ::GetWindowTextLength(hWndCtrl);
    if (nLen > 0)
    {
        int nGot = ::GetWindowText(hWndCtrl, str.GetBufferSetLength(nLen), nLen + 1);
        str.ReleaseBuffer(nGot >= 0 && nGot <= nLen ? nGot : -1);
    }
    return str;
}

// The whole text must be the number (blanks around it allowed).
static BOOL AfxOnlyBlanksLeft(const char* p)
{
    while (*p == ' ' || *p == '\t')
        ++p;
    return *p == '\0';
}

static BOOL AfxParseSigned(const char* psz, long long nMin, long long nMax, long long& rValue)
{
    while (*psz == ' ' || *psz == '\t')
        ++psz;
    if (*psz == '\0')
        return FALSE;
    char* pEnd = NULL;
    errno = 0;
    long long n = strtoll(psz, &pEnd, 10);
    if (pEnd == psz || errno == ERANGE || !AfxOnlyBlanksLeft(pEnd) || n < nMin || n > nMax)
        return FALSE;
    rValue = n;
    return TRUE;
}

static BOOL AfxParseUnsigned(const char* psz, unsigned long long nMax, unsigned long long& rValue)
{
    while (*psz == ' ' || *psz == '\t')
        ++psz;
    if (*psz == '\0' || *psz == '-')
        return FALSE;   // no negative numbers for unsigned values
    char* pEnd = NULL;
    errno = 0;
    unsigned long long n = strtoull(psz, &pEnd, 10);
    if (pEnd == psz || errno == ERANGE || !AfxOnlyBlanksLeft(pEnd) || n > nMax)
        return FALSE;
    rValue = n;
    return TRUE;
}

static BOOL AfxParseDouble(const char* psz, double& rValue)
{
    while (*psz == ' ' || *psz == '\t')
        ++psz;
    if (*psz == '\0')
        return FALSE;
    char* pEnd = NULL;
    errno = 0;
    double d = strtod(psz, &pEnd);
    if (pEnd == psz || errno == ERANGE || !AfxOnlyBlanksLeft(pEnd))
        return FALSE;
    rValue = d;
    return TRUE;
}

// Shows the message and ends the exchange.
[[noreturn]] static void AfxFailWithMessage(CDataExchange* pDX, UINT nIDPrompt)
{
    AfxMessageBox(nIDPrompt, MB_ICONEXCLAMATION);
    pDX->Fail();
}

template <class T>
static void AfxDDXSigned(CDataExchange* pDX, int nIDC, T& value, long long nMin, long long nMax, UINT nIDPrompt)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        long long n = 0;
        if (!AfxParseSigned(AfxGetControlText(hWndCtrl), nMin, nMax, n))
            AfxFailWithMessage(pDX, nIDPrompt);
        value = (T)n;
    }
    else
    {
        char szText[32];
        wsprintfA(szText, "%ld", (long)value);
        AfxSetWindowText(hWndCtrl, szText);
    }
}

template <class T>
static void AfxDDXUnsigned(CDataExchange* pDX, int nIDC, T& value, unsigned long long nMax, UINT nIDPrompt)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        unsigned long long n = 0;
        if (!AfxParseUnsigned(AfxGetControlText(hWndCtrl), nMax, n))
            AfxFailWithMessage(pDX, nIDPrompt);
        value = (T)n;
    }
    else
    {
        char szText[32];
        wsprintfA(szText, "%lu", (unsigned long)value);
        AfxSetWindowText(hWndCtrl, szText);
    }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = AfxGetControlText(hWndCtrl);
    else
        AfxSetWindowText(hWndCtrl, value);   // only when it differs
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, LPTSTR value, int nMaxLen)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (value == NULL || nMaxLen <= 0)
        return;
    if (pDX->m_bSaveAndValidate)
    {
        int nLen = ::GetWindowText(hWndCtrl, value, nMaxLen);
        if (nLen < 0)
            nLen = 0;
        value[nLen < nMaxLen ? nLen : nMaxLen - 1] = '\0';
    }
    else
    {
        AfxSetWindowText(hWndCtrl, value);
    }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    AfxDDXSigned(pDX, nIDC, value, INT_MIN, INT_MAX, AFX_IDP_PARSE_INT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    AfxDDXSigned(pDX, nIDC, value, LONG_MIN, LONG_MAX, AFX_IDP_PARSE_INT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, short& value)
{
    AfxDDXSigned(pDX, nIDC, value, SHRT_MIN, SHRT_MAX, AFX_IDP_PARSE_INT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    AfxDDXUnsigned(pDX, nIDC, value, UINT_MAX, AFX_IDP_PARSE_UINT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    AfxDDXUnsigned(pDX, nIDC, value, 0xFFFFFFFFull, AFX_IDP_PARSE_UINT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value)
{
    AfxDDXUnsigned(pDX, nIDC, value, 255, AFX_IDP_PARSE_BYTE);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        double d = 0;
        if (!AfxParseDouble(AfxGetControlText(hWndCtrl), d))
            AfxFailWithMessage(pDX, AFX_IDP_PARSE_REAL);
        value = d;
    }
    else
    {
        char szText[64];
        snprintf(szText, sizeof(szText), "%.*g", DBL_DIG, value);
        AfxSetWindowText(hWndCtrl, szText);
    }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        double d = 0;
        if (!AfxParseDouble(AfxGetControlText(hWndCtrl), d) || d > FLT_MAX || d < -FLT_MAX)
            AfxFailWithMessage(pDX, AFX_IDP_PARSE_REAL);
        value = (float)d;
    }
    else
    {
        char szText[64];
        snprintf(szText, sizeof(szText), "%.*g", FLT_DIG, (double)value);
        AfxSetWindowText(hWndCtrl, szText);
    }
}

// Buttons, combos, lists ------------------------------------------------------------

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        value = (int)::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0);
    }
    else
    {
        if (value < 0 || value > 2)
            value = 0;   // not a check state
        ::SendMessage(hWndCtrl, BM_SETCHECK, (WPARAM)value, 0);
    }
}

static BOOL AfxIsRadioButton(HWND hWnd)
{
    if ((::SendMessage(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0)
        return TRUE;
    LONG_PTR nStyle = ::GetWindowLongPtr(hWnd, GWL_STYLE) & 0x0F;
    return nStyle == BS_RADIOBUTTON || nStyle == BS_AUTORADIOBUTTON;
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    // nIDC is the first button of a group; the group runs to the next
    // WS_GROUP control.
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;

    int iButton = 0;
    do
    {
        if (AfxIsRadioButton(hWndCtrl))
        {
            if (pDX->m_bSaveAndValidate)
            {
                if (::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0) != 0)
                    value = iButton;
            }
            else
            {
                ::SendMessage(hWndCtrl, BM_SETCHECK, (iButton == value), 0);
            }
            iButton++;
        }
        hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
    } while (hWndCtrl != NULL && !(::GetWindowLongPtr(hWndCtrl, GWL_STYLE) & WS_GROUP));
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessage(hWndCtrl, CB_GETCURSEL, 0, 0);
    else
        ::SendMessage(hWndCtrl, CB_SETCURSEL, (WPARAM)index, 0);
}

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessage(hWndCtrl, LB_GETCURSEL, 0, 0);
    else
        ::SendMessage(hWndCtrl, LB_SETCURSEL, (WPARAM)index, 0);
}

static CString AfxGetItemText(HWND hWndCtrl, UINT nLenMsg, UINT nTextMsg, int nIndex)
{
    CString str;
    LRESULT nLen = ::SendMessage(hWndCtrl, nLenMsg, (WPARAM)nIndex, 0);
    if (nLen > 0)
    {
        LPTSTR lpsz = str.GetBuffer((int)nLen + 1);
        LRESULT nGot = ::SendMessage(hWndCtrl, nTextMsg, (WPARAM)nIndex, (LPARAM)lpsz);
        lpsz[(nGot >= 0 && nGot <= nLen) ? nGot : 0] = '\0';
        str.ReleaseBuffer();
    }
    return str;
}

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        value = AfxGetControlText(hWndCtrl);
        if (value.IsEmpty())
        {
            // A drop-down list may answer with its selection only.
            int nIndex = (int)::SendMessage(hWndCtrl, CB_GETCURSEL, 0, 0);
            if (nIndex != CB_ERR)
                value = AfxGetItemText(hWndCtrl, CB_GETLBTEXTLEN, CB_GETLBTEXT, nIndex);
        }
    }
    else
    {
        if (::SendMessage(hWndCtrl, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCTSTR)value) == CB_ERR)
            AfxSetWindowText(hWndCtrl, value);   // ignored by drop-down lists
    }
}

void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        DDX_CBString(pDX, nIDC, value);
    }
    else
    {
        int i = (int)::SendMessage(hWndCtrl, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(LPCTSTR)value);
        if (i < 0)
            AfxSetWindowText(hWndCtrl, value);
        else
            ::SendMessage(hWndCtrl, CB_SETCURSEL, (WPARAM)i, 0);
    }
}

void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        int nIndex = (int)::SendMessage(hWndCtrl, LB_GETCURSEL, 0, 0);
        if (nIndex != LB_ERR)
            value = AfxGetItemText(hWndCtrl, LB_GETTEXTLEN, LB_GETTEXT, nIndex);
        else
            value.Empty();
    }
    else
    {
        if (::SendMessage(hWndCtrl, LB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCTSTR)value) == LB_ERR)
            ::SendMessage(hWndCtrl, LB_SETCURSEL, (WPARAM)-1, 0);
    }
}

void AFXAPI DDX_Scroll(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ::GetScrollPos(hWndCtrl, SB_CTL);
    else
        ::SetScrollPos(hWndCtrl, SB_CTL, value, TRUE);
}

// Validation --------------------------------------------------------------------------

static void AfxFailMinMax(CDataExchange* pDX, UINT nIDPrompt, LPCTSTR lpszMin, LPCTSTR lpszMax)
{
    CString strPrompt;
    AfxFormatString2(strPrompt, nIDPrompt, lpszMin, lpszMax);
    AfxMessageBox(strPrompt, MB_ICONEXCLAMATION, nIDPrompt);
    pDX->Fail();
}

// Fails the exchange with nIDPrompt naming the range when a value being saved
// lies outside [minVal, maxVal]; lpszFormat prints one bound.
template <class T>
static void AfxCheckMinMax(CDataExchange* pDX, T value, T minVal, T maxVal, LPCSTR lpszFormat, UINT nIDPrompt)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    char szMin[32], szMax[32];
    wsprintfA(szMin, lpszFormat, minVal);
    wsprintfA(szMax, lpszFormat, maxVal);
    AfxFailMinMax(pDX, nIDPrompt, szMin, szMax);
}

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    AfxCheckMinMax(pDX, value, minVal, maxVal, "%d", AFX_IDP_PARSE_INT_RANGE);
}

void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    AfxCheckMinMax(pDX, value, minVal, maxVal, "%ld", AFX_IDP_PARSE_INT_RANGE);
}

void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    AfxCheckMinMax(pDX, value, minVal, maxVal, "%u", AFX_IDP_PARSE_UINT_RANGE);
}

void AFXAPI DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal)
{
    AfxCheckMinMax(pDX, value, minVal, maxVal, "%lu", AFX_IDP_PARSE_UINT_RANGE);
}

void AFXAPI DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal)
{
    DDV_MinMaxUInt(pDX, value, minVal, maxVal);
}

void AFXAPI DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    char szMin[64], szMax[64];
    snprintf(szMin, sizeof(szMin), "%.*g", DBL_DIG, minVal);
    snprintf(szMax, sizeof(szMax), "%.*g", DBL_DIG, maxVal);
    AfxFailMinMax(pDX, AFX_IDP_PARSE_REAL_RANGE, szMin, szMax);
}

void AFXAPI DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars)
{
    if (pDX->m_bSaveAndValidate)
    {
        if (value.GetLength() > nChars)
        {
            char szMax[32];
            wsprintfA(szMax, "%d", nChars);
            CString strPrompt;
            AfxFormatString1(strPrompt, AFX_IDP_PARSE_STRING_SIZE, szMax);
            AfxMessageBox(strPrompt, MB_ICONEXCLAMATION, AFX_IDP_PARSE_STRING_SIZE);
            pDX->Fail();
        }
    }
    else if (pDX->m_idLastControl != 0 && pDX->m_bEditLastControl)
    {
        // The edit itself refuses longer texts.
        HWND hWndLastControl = NULL;
        pDX->m_pDlgWnd->GetDlgItem((int)pDX->m_idLastControl, &hWndLastControl);
        if (hWndLastControl != NULL)
            ::SendMessage(hWndLastControl, EM_LIMITTEXT, (WPARAM)nChars, 0);
    }
}
