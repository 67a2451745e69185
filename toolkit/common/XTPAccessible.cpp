// Accessibility support.
#include "XTPAccessible.h"

#include <string>

CXTPAccessible::CXTPAccessible()
    : m_xAccessible(this)
    , m_pNotifyWinEvent(NULL)
    , m_pLresultFromObject(NULL)
    , m_pAccessibleObjectFromWindow(NULL)
    , m_bOleAccLookedUp(FALSE)
{
    if (m_hUser32.Init("user32.dll"))
        m_hUser32.GetProcAddress(reinterpret_cast<FARPROC*>(&m_pNotifyWinEvent), "NotifyWinEvent");
}

CXTPAccessible::~CXTPAccessible()
{
}

HRESULT CXTPAccessible::GetAccessibleParent(IDispatch**)
{
    return E_NOTIMPL;
}

HRESULT CXTPAccessible::GetAccessibleChildCount(long*)
{
    return E_NOTIMPL;
}

HRESULT CXTPAccessible::GetAccessibleChild(VARIANT, IDispatch**)
{
    return E_NOTIMPL;
}

HRESULT CXTPAccessible::GetAccessibleName(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}

HRESULT CXTPAccessible::GetAccessibleValue(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}

HRESULT CXTPAccessible::GetAccessibleDescription(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}

HRESULT CXTPAccessible::GetAccessibleRole(VARIANT, VARIANT*)
{
    return E_NOTIMPL;
}

HRESULT CXTPAccessible::GetAccessibleState(VARIANT, VARIANT*)
{
    return E_NOTIMPL;
}

HRESULT CXTPAccessible::GetAccessibleHelp(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}

HRESULT CXTPAccessible::GetAccessibleHelpTopic(BSTR*, VARIANT, long*)
{
    return E_NOTIMPL;
}

HRESULT CXTPAccessible::GetAccessibleKeyboardShortcut(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}

HRESULT CXTPAccessible::GetAccessibleFocus(VARIANT*)
{
    return S_FALSE;
}

HRESULT CXTPAccessible::GetAccessibleSelection(VARIANT*)
{
    return S_FALSE;
}

HRESULT CXTPAccessible::GetAccessibleDefaultAction(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}

HRESULT CXTPAccessible::AccessibleSelect(long, VARIANT)
{
    return E_NOTIMPL;
}

HRESULT CXTPAccessible::AccessibleLocation(long*, long*, long*, long*, VARIANT)
{
    return E_NOTIMPL;
}

HRESULT CXTPAccessible::AccessibleNavigate(long, VARIANT, VARIANT*)
{
    return E_NOTIMPL;
}

HRESULT CXTPAccessible::AccessibleHitTest(long, long, VARIANT*)
{
    return E_NOTIMPL;
}

HRESULT CXTPAccessible::AccessibleDoDefaultAction(VARIANT)
{
    return E_NOTIMPL;
}

HRESULT CXTPAccessible::PutAccessibleName(VARIANT, BSTR)
{
    return E_NOTIMPL;
}

HRESULT CXTPAccessible::PutAccessibleValue(VARIANT, BSTR)
{
    return E_NOTIMPL;
}

CCmdTarget* CXTPAccessible::GetAccessibleCmdTarget()
{
    return NULL;
}

BOOL CXTPAccessible::IsAccessibleNameMnemonic(VARIANT)
{
    return FALSE;
}

void CXTPAccessible::NotifyWinEvent(DWORD event, HWND hwnd, LONG idObject, LONG idChild)
{
    if (m_pNotifyWinEvent != NULL)
        m_pNotifyWinEvent(event, hwnd, idObject, idChild);
}

BOOL CXTPAccessible::LoadOleAcc()
{
    if (m_hOleAcc.GetHandle() == NULL)
        m_hOleAcc.Init("oleacc.dll");
    return m_hOleAcc.GetHandle() != NULL;
}

HRESULT CXTPAccessible::AccessibleObjectFromWindow(HWND hwnd, DWORD dwId, REFIID riid, void** ppvObject)
{
    if (!LoadOleAcc())
        return E_FAIL;
    if (m_pAccessibleObjectFromWindow == NULL)
        m_hOleAcc.GetProcAddress(reinterpret_cast<FARPROC*>(&m_pAccessibleObjectFromWindow),
                                 "AccessibleObjectFromWindow");
    if (m_pAccessibleObjectFromWindow == NULL)
        return E_FAIL;
    return m_pAccessibleObjectFromWindow(hwnd, dwId, riid, ppvObject);
}

LRESULT CXTPAccessible::LresultFromObject(REFIID riid, WPARAM wParam, LPUNKNOWN punk)
{
    if (!LoadOleAcc())
        return E_FAIL;
    if (m_pLresultFromObject == NULL)
        m_hOleAcc.GetProcAddress(reinterpret_cast<FARPROC*>(&m_pLresultFromObject), "LresultFromObject");
    if (m_pLresultFromObject == NULL)
        return E_FAIL;
    return m_pLresultFromObject(riid, wParam, punk);
}

long AFX_CDECL CXTPAccessible::GetChildIndex(VARIANT* varChild)
{
    // A chain of by-reference variants is followed a bounded number of steps.
    for (int nDepth = 0; varChild != NULL && nDepth < 8; nDepth++)
    {
        switch (varChild->vt)
        {
        case VT_EMPTY:
            return 0;
        case VT_I4:
            return varChild->lVal;
        case VT_I2:
            return varChild->iVal;
        case VT_I4 | VT_BYREF:
            return varChild->plVal != NULL ? *varChild->plVal : -1;
        case VT_I2 | VT_BYREF:
            return varChild->piVal != NULL ? *varChild->piVal : -1;
        case VT_VARIANT | VT_BYREF:
            varChild = varChild->pvarVal;
            break;
        default:
            return -1;
        }
    }
    return -1;
}

//////////////////////////////////////////////////////////////////////////
// Default actions run after the client's call

namespace
{
const UINT WM_RUNDEFAULTACTION = WM_APP + 1;

// Runs one posted action (lParam: the action, owned by the message).
LRESULT CALLBACK DefaultActionWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_RUNDEFAULTACTION)
        return ::DefWindowProc(hWnd, message, wParam, lParam);
    std::unique_ptr<std::function<void()>> pAction(reinterpret_cast<std::function<void()>*>(lParam));
    try
    {
        if (pAction != nullptr && *pAction)
            (*pAction)();
    }
    catch (CException* e)
    {
        TRACE_EXCEPTION("An accessibility client's default action", e);
        e->Delete();
    }
    catch (...)
    {
        TRACE_EXCEPTION("An accessibility client's default action", NULL);
    }
    return 0;
}

// The calling thread's window for posted default actions, made on first use.
HWND DefaultActionWindow()
{
    static thread_local HWND t_hWnd = NULL;
    if (t_hWnd != NULL && ::IsWindow(t_hWnd))
        return t_hWnd;
    static const char szClass[] = "XTPAccessibleDefaultAction";
    HINSTANCE hInst = ::GetModuleHandle(NULL);
    WNDCLASS wc;
    if (!::GetClassInfo(hInst, szClass, &wc))
    {
        memset(&wc, 0, sizeof(wc));
        wc.lpfnWndProc = DefaultActionWndProc;
        wc.hInstance = hInst;
        wc.lpszClassName = szClass;
        ::RegisterClass(&wc);
    }
    t_hWnd = ::CreateWindowEx(0, szClass, "", WS_POPUP, 0, 0, 0, 0, HWND_MESSAGE, NULL, hInst, NULL);
    return t_hWnd;
}
} // namespace

HRESULT AFX_CDECL CXTPAccessible::PostDefaultAction(std::function<void()> fnAction)
{
    HWND hWnd = DefaultActionWindow();
    if (hWnd == NULL)
    {
        TRACE("No window for an accessibility client's default action\n");
        return E_FAIL;
    }
    std::unique_ptr<std::function<void()>> pAction(new std::function<void()>(std::move(fnAction)));
    if (!::PostMessage(hWnd, WM_RUNDEFAULTACTION, 0, reinterpret_cast<LPARAM>(pAction.get())))
        return E_FAIL;
    pAction.release();
    return S_OK;
}

//////////////////////////////////////////////////////////////////////////
// XAccessible

// S_OK for the object itself or a child within the reported count;
// E_INVALIDARG for anything else; S_FALSE for a child of an object that
// reports no count, which only the object's own answer can tell about.
HRESULT CXTPAccessible::XAccessible::CheckChild(VARIANT& varChild)
{
    long nIndex = GetChildIndex(&varChild);
    if (nIndex < 0)
        return E_INVALIDARG;
    if (nIndex == CHILDID_SELF)
        return S_OK;
    long nCount = 0;
    if (FAILED(m_pOwner->GetAccessibleChildCount(&nCount)))
        return S_FALSE;
    return nIndex > nCount ? E_INVALIDARG : S_OK;
}

namespace
{
// The object's answer about a child; a child that CheckChild could not
// place and that the object does not answer for does not exist.
HRESULT ChildAnswer(HRESULT hrCheck, HRESULT hrAnswer)
{
    return hrCheck == S_FALSE && hrAnswer == E_NOTIMPL ? E_INVALIDARG : hrAnswer;
}
} // namespace

HRESULT STDMETHODCALLTYPE CXTPAccessible::XAccessible::QueryInterface(REFIID riid, void** ppvObject)
{
    if (ppvObject == NULL)
        return E_POINTER;
    *ppvObject = NULL;
    CCmdTarget* pTarget = m_pOwner->GetAccessibleCmdTarget();
    if (pTarget == NULL)
        return E_NOINTERFACE;
    return (HRESULT)pTarget->ExternalQueryInterface(&riid, ppvObject);
}

ULONG STDMETHODCALLTYPE CXTPAccessible::XAccessible::AddRef()
{
    CCmdTarget* pTarget = m_pOwner->GetAccessibleCmdTarget();
    return pTarget != NULL ? (ULONG)pTarget->ExternalAddRef() : 0;
}

ULONG STDMETHODCALLTYPE CXTPAccessible::XAccessible::Release()
{
    CCmdTarget* pTarget = m_pOwner->GetAccessibleCmdTarget();
    return pTarget != NULL ? (ULONG)pTarget->ExternalRelease() : 0;
}

HRESULT STDMETHODCALLTYPE CXTPAccessible::XAccessible::GetTypeInfoCount(UINT*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE CXTPAccessible::XAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE CXTPAccessible::XAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE CXTPAccessible::XAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                                              EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE CXTPAccessible::XAccessible::get_accParent(IDispatch** ppdispParent)
{
    if (ppdispParent == NULL)
        return E_POINTER;
    return m_pOwner->GetAccessibleParent(ppdispParent);
}

HRESULT STDMETHODCALLTYPE CXTPAccessible::XAccessible::get_accChildCount(long* pcountChildren)
{
    if (pcountChildren == NULL)
        return E_POINTER;
    return m_pOwner->GetAccessibleChildCount(pcountChildren);
}

HRESULT STDMETHODCALLTYPE CXTPAccessible::XAccessible::get_accChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (ppdispChild == NULL)
        return E_POINTER;
    HRESULT hr = CheckChild(varChild);
    if (FAILED(hr))
        return hr;
    return ChildAnswer(hr, m_pOwner->GetAccessibleChild(varChild, ppdispChild));
}

HRESULT STDMETHODCALLTYPE CXTPAccessible::XAccessible::get_accName(VARIANT varChild, BSTR* pszName)
{
    if (pszName == NULL)
        return E_POINTER;
    HRESULT hr = CheckChild(varChild);
    if (FAILED(hr))
        return hr;
    hr = ChildAnswer(hr, m_pOwner->GetAccessibleName(varChild, pszName));
    // A name that still marks its access key loses the marks here, once.
    if (hr == S_OK && *pszName != NULL && wcschr(*pszName, L'&') != NULL &&
        m_pOwner->IsAccessibleNameMnemonic(varChild))
    {
        std::wstring strName;
        for (const wchar_t* psz = *pszName; *psz != 0; psz++)
        {
            if (*psz == L'&')
            {
                if (psz[1] != L'&')
                    continue;
                psz++;
            }
            strName += *psz;
        }
        ::SysFreeString(*pszName);
        *pszName = ::SysAllocString(strName.c_str());
    }
    return hr;
}

HRESULT STDMETHODCALLTYPE CXTPAccessible::XAccessible::get_accValue(VARIANT varChild, BSTR* pszValue)
{
    if (pszValue == NULL)
        return E_POINTER;
    HRESULT hr = CheckChild(varChild);
    if (FAILED(hr))
        return hr;
    return ChildAnswer(hr, m_pOwner->GetAccessibleValue(varChild, pszValue));
}

HRESULT STDMETHODCALLTYPE CXTPAccessible::XAccessible::get_accDescription(VARIANT varChild, BSTR* pszDescription)
{
    if (pszDescription == NULL)
        return E_POINTER;
    HRESULT hr = CheckChild(varChild);
    if (FAILED(hr))
        return hr;
    return ChildAnswer(hr, m_pOwner->GetAccessibleDescription(varChild, pszDescription));
}

HRESULT STDMETHODCALLTYPE CXTPAccessible::XAccessible::get_accRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (pvarRole == NULL)
        return E_POINTER;
    HRESULT hr = CheckChild(varChild);
    if (FAILED(hr))
        return hr;
    return ChildAnswer(hr, m_pOwner->GetAccessibleRole(varChild, pvarRole));
}

HRESULT STDMETHODCALLTYPE CXTPAccessible::XAccessible::get_accState(VARIANT varChild, VARIANT* pvarState)
{
    if (pvarState == NULL)
        return E_POINTER;
    HRESULT hr = CheckChild(varChild);
    if (FAILED(hr))
        return hr;
    return ChildAnswer(hr, m_pOwner->GetAccessibleState(varChild, pvarState));
}

HRESULT STDMETHODCALLTYPE CXTPAccessible::XAccessible::get_accHelp(VARIANT varChild, BSTR* pszHelp)
{
    if (pszHelp == NULL)
        return E_POINTER;
    HRESULT hr = CheckChild(varChild);
    if (FAILED(hr))
        return hr;
    return ChildAnswer(hr, m_pOwner->GetAccessibleHelp(varChild, pszHelp));
}

HRESULT STDMETHODCALLTYPE CXTPAccessible::XAccessible::get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild,
                                                                        long* pidTopic)
{
    if (pszHelpFile == NULL || pidTopic == NULL)
        return E_POINTER;
    HRESULT hr = CheckChild(varChild);
    if (FAILED(hr))
        return hr;
    return ChildAnswer(hr, m_pOwner->GetAccessibleHelpTopic(pszHelpFile, varChild, pidTopic));
}

HRESULT STDMETHODCALLTYPE CXTPAccessible::XAccessible::get_accKeyboardShortcut(VARIANT varChild,
                                                                               BSTR* pszKeyboardShortcut)
{
    if (pszKeyboardShortcut == NULL)
        return E_POINTER;
    HRESULT hr = CheckChild(varChild);
    if (FAILED(hr))
        return hr;
    return ChildAnswer(hr, m_pOwner->GetAccessibleKeyboardShortcut(varChild, pszKeyboardShortcut));
}

HRESULT STDMETHODCALLTYPE CXTPAccessible::XAccessible::get_accFocus(VARIANT* pvarChild)
{
    if (pvarChild == NULL)
        return E_POINTER;
    return m_pOwner->GetAccessibleFocus(pvarChild);
}

HRESULT STDMETHODCALLTYPE CXTPAccessible::XAccessible::get_accSelection(VARIANT* pvarChildren)
{
    if (pvarChildren == NULL)
        return E_POINTER;
    return m_pOwner->GetAccessibleSelection(pvarChildren);
}

HRESULT STDMETHODCALLTYPE CXTPAccessible::XAccessible::get_accDefaultAction(VARIANT varChild,
                                                                            BSTR* pszDefaultAction)
{
    if (pszDefaultAction == NULL)
        return E_POINTER;
    HRESULT hr = CheckChild(varChild);
    if (FAILED(hr))
        return hr;
    return ChildAnswer(hr, m_pOwner->GetAccessibleDefaultAction(varChild, pszDefaultAction));
}

HRESULT STDMETHODCALLTYPE CXTPAccessible::XAccessible::accSelect(long flagsSelect, VARIANT varChild)
{
    HRESULT hr = CheckChild(varChild);
    if (FAILED(hr))
        return hr;
    return ChildAnswer(hr, m_pOwner->AccessibleSelect(flagsSelect, varChild));
}

HRESULT STDMETHODCALLTYPE CXTPAccessible::XAccessible::accLocation(long* pxLeft, long* pyTop, long* pcxWidth,
                                                                   long* pcyHeight, VARIANT varChild)
{
    if (pxLeft == NULL || pyTop == NULL || pcxWidth == NULL || pcyHeight == NULL)
        return E_POINTER;
    HRESULT hr = CheckChild(varChild);
    if (FAILED(hr))
        return hr;
    return ChildAnswer(hr, m_pOwner->AccessibleLocation(pxLeft, pyTop, pcxWidth, pcyHeight, varChild));
}

HRESULT STDMETHODCALLTYPE CXTPAccessible::XAccessible::accNavigate(long navDir, VARIANT varStart,
                                                                   VARIANT* pvarEndUpAt)
{
    if (pvarEndUpAt == NULL)
        return E_POINTER;
    HRESULT hr = CheckChild(varStart);
    if (FAILED(hr))
        return hr;
    return ChildAnswer(hr, m_pOwner->AccessibleNavigate(navDir, varStart, pvarEndUpAt));
}

HRESULT STDMETHODCALLTYPE CXTPAccessible::XAccessible::accHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    if (pvarChild == NULL)
        return E_POINTER;
    return m_pOwner->AccessibleHitTest(xLeft, yTop, pvarChild);
}

HRESULT STDMETHODCALLTYPE CXTPAccessible::XAccessible::accDoDefaultAction(VARIANT varChild)
{
    HRESULT hr = CheckChild(varChild);
    if (FAILED(hr))
        return hr;
    return ChildAnswer(hr, m_pOwner->AccessibleDoDefaultAction(varChild));
}

HRESULT STDMETHODCALLTYPE CXTPAccessible::XAccessible::put_accName(VARIANT varChild, BSTR szName)
{
    HRESULT hr = CheckChild(varChild);
    if (FAILED(hr))
        return hr;
    return ChildAnswer(hr, m_pOwner->PutAccessibleName(varChild, szName));
}

HRESULT STDMETHODCALLTYPE CXTPAccessible::XAccessible::put_accValue(VARIANT varChild, BSTR szValue)
{
    HRESULT hr = CheckChild(varChild);
    if (FAILED(hr))
        return hr;
    return ChildAnswer(hr, m_pOwner->PutAccessibleValue(varChild, szValue));
}
