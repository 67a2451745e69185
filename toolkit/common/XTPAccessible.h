// Accessibility support: a mix-in that gives a toolkit object the platform's
// IAccessible face. Derived classes override the operations they support and
// name the command target that carries their COM reference count. oleacc.dll
// and User32's NotifyWinEvent are reached only at run time.
#pragma once

#include "XTPCommon.h"
#include "XTPSystemHelpers.h"
#include <oleacc.h>

#include <functional>
#include <memory>

class CXTPAccessible
{
public:
    CXTPAccessible();
    virtual ~CXTPAccessible();

    // One operation for each IAccessible method, in the interface's order.
    // The base answers E_NOTIMPL, except focus and selection (S_FALSE).
    virtual HRESULT GetAccessibleParent(IDispatch** ppdispParent);
    virtual HRESULT GetAccessibleChildCount(long* pcountChildren);
    virtual HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild);
    virtual HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName);
    virtual HRESULT GetAccessibleValue(VARIANT varChild, BSTR* pszValue);
    virtual HRESULT GetAccessibleDescription(VARIANT varChild, BSTR* pszDescription);
    virtual HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole);
    virtual HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState);
    virtual HRESULT GetAccessibleHelp(VARIANT varChild, BSTR* pszHelp);
    virtual HRESULT GetAccessibleHelpTopic(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic);
    virtual HRESULT GetAccessibleKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut);
    virtual HRESULT GetAccessibleFocus(VARIANT* pvarChild);
    virtual HRESULT GetAccessibleSelection(VARIANT* pvarChildren);
    virtual HRESULT GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction);
    virtual HRESULT AccessibleSelect(long flagsSelect, VARIANT varChild);
    virtual HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                       VARIANT varChild);
    virtual HRESULT AccessibleNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt);
    virtual HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild);
    virtual HRESULT AccessibleDoDefaultAction(VARIANT varChild);
    virtual HRESULT PutAccessibleName(VARIANT varChild, BSTR szName);
    virtual HRESULT PutAccessibleValue(VARIANT varChild, BSTR szValue);
    // The command target whose reference count the interface uses.
    virtual CCmdTarget* GetAccessibleCmdTarget();
    // Whether the name GetAccessibleName gives for the child is a text that
    // still marks an access key with '&' ("&&" for an '&' itself), as menus
    // and buttons draw it (a bar's title, a tip taken for a name). A client
    // reading the name (get_accName) gets it with the marks taken out, once;
    // a name the operation gives without them already is read as it is.
    // FALSE in the base.
    virtual BOOL IsAccessibleNameMnemonic(VARIANT varChild);

    // Raises an accessibility event (nothing when User32 lacks the entry).
    void NotifyWinEvent(DWORD event, HWND hwnd, LONG idObject, LONG idChild);
    // oleacc's functions; E_FAIL when the library or the entry is missing.
    HRESULT AccessibleObjectFromWindow(HWND hwnd, DWORD dwId, REFIID riid, void** ppvObject);
    LRESULT LresultFromObject(REFIID riid, WPARAM wParam, LPUNKNOWN punk);

    // The child number a VARIANT names: 0 the object itself, a positive
    // number a child element, -1 for a variant that names none.
    static long AFX_CDECL GetChildIndex(VARIANT* varChild);

    // The object's IAccessible face.
    IAccessible* GetAccessible() { return &m_xAccessible; }

    // Runs a default action once the accessibility call that asked for it
    // has returned, as the system's own controls do: the action may open a
    // modal dialog or a menu, and the client (a screen reader in another
    // program) waits in its call until it returns. The action is posted to
    // a message-only window of the calling thread; it must find its object
    // again when it runs and do nothing when the object has gone meanwhile
    // (hold the object with KeepAlive and ask whether it is still in its
    // place). S_OK once queued; E_FAIL when it could not be.
    static HRESULT AFX_CDECL PostDefaultAction(std::function<void()> fnAction);

    // A counted reference on a command target for an action that runs
    // later: the object's memory stays valid until the action has run.
    template <class T>
    static std::shared_ptr<T> KeepAlive(T* pTarget)
    {
        pTarget->InternalAddRef();
        return std::shared_ptr<T>(pTarget, [](T* p) { p->InternalRelease(); });
    }

    // The IAccessible face: COM calls go to the virtual operations above.
    // Requests naming a child the object does not have answer E_INVALIDARG,
    // and null out-pointers E_POINTER, before any operation runs.
    class XAccessible : public IAccessible
    {
    public:
        explicit XAccessible(CXTPAccessible* pOwner) : m_pOwner(pOwner) {}

        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject);
        ULONG STDMETHODCALLTYPE AddRef();
        ULONG STDMETHODCALLTYPE Release();

        HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo);
        HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo);
        HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                                                DISPID* rgDispId);
        HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                         DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                                         UINT* puArgErr);

        HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** ppdispParent);
        HRESULT STDMETHODCALLTYPE get_accChildCount(long* pcountChildren);
        HRESULT STDMETHODCALLTYPE get_accChild(VARIANT varChild, IDispatch** ppdispChild);
        HRESULT STDMETHODCALLTYPE get_accName(VARIANT varChild, BSTR* pszName);
        HRESULT STDMETHODCALLTYPE get_accValue(VARIANT varChild, BSTR* pszValue);
        HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT varChild, BSTR* pszDescription);
        HRESULT STDMETHODCALLTYPE get_accRole(VARIANT varChild, VARIANT* pvarRole);
        HRESULT STDMETHODCALLTYPE get_accState(VARIANT varChild, VARIANT* pvarState);
        HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT varChild, BSTR* pszHelp);
        HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic);
        HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut);
        HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* pvarChild);
        HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* pvarChildren);
        HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction);
        HRESULT STDMETHODCALLTYPE accSelect(long flagsSelect, VARIANT varChild);
        HRESULT STDMETHODCALLTYPE accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                              VARIANT varChild);
        HRESULT STDMETHODCALLTYPE accNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt);
        HRESULT STDMETHODCALLTYPE accHitTest(long xLeft, long yTop, VARIANT* pvarChild);
        HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT varChild);
        HRESULT STDMETHODCALLTYPE put_accName(VARIANT varChild, BSTR szName);
        HRESULT STDMETHODCALLTYPE put_accValue(VARIANT varChild, BSTR szValue);

    private:
        // S_OK when the variant names the object or one of its children.
        HRESULT CheckChild(VARIANT& varChild);

        CXTPAccessible* m_pOwner;
    };
    friend class XAccessible;

protected:
    XAccessible m_xAccessible;

private:
    CXTPAccessible(const CXTPAccessible&);
    CXTPAccessible& operator=(const CXTPAccessible&);

    BOOL LoadOleAcc();

    typedef BOOL(WINAPI* PFNNOTIFYWINEVENT)(DWORD, HWND, LONG, LONG);
    typedef LRESULT(WINAPI* PFNLRESULTFROMOBJECT)(REFIID, WPARAM, LPUNKNOWN);
    typedef HRESULT(WINAPI* PFNACCESSIBLEOBJECTFROMWINDOW)(HWND, DWORD, REFIID, void**);

    PFNNOTIFYWINEVENT m_pNotifyWinEvent;
    PFNLRESULTFROMOBJECT m_pLresultFromObject;
    PFNACCESSIBLEOBJECTFROMWINDOW m_pAccessibleObjectFromWindow;
    BOOL m_bOleAccLookedUp;
    CXTPModuleHandle m_hUser32;
    CXTPModuleHandle m_hOleAcc;
};
