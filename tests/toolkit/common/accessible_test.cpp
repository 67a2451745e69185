// Accessibility objects answer the standard IAccessible calls.
#include <gtest/gtest.h>

#include "XTPAccessible.h"
#include "support/testwindows.h"

namespace
{
VARIANT Child(long n)
{
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = n;
    return v;
}

// A command target with an accessible face and two named children.
class AccessibleThing : public CCmdTarget, public CXTPAccessible
{
public:
    ~AccessibleThing() override { s_nDestroyed++; }

    CCmdTarget* GetAccessibleCmdTarget() override { return this; }

    DWORD InternalQueryInterface(const void* iid, LPVOID* ppvObj) override
    {
        const IID& riid = *static_cast<const IID*>(iid);
        if (IsEqualIID(riid, IID_IAccessible) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, IID_IUnknown))
        {
            *ppvObj = GetAccessible();
            ExternalAddRef();
            return S_OK;
        }
        *ppvObj = NULL;
        return (DWORD)E_NOINTERFACE;
    }

    HRESULT GetAccessibleChildCount(long* pcountChildren) override
    {
        *pcountChildren = 2;
        return S_OK;
    }
    HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName) override
    {
        long n = GetChildIndex(&varChild);
        const wchar_t* names[] = { L"Bar", L"Open", L"Save" };
        *pszName = ::SysAllocString(names[n]);   // the index is checked before this runs
        return S_OK;
    }
    HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole) override
    {
        pvarRole->vt = VT_I4;
        pvarRole->lVal = GetChildIndex(&varChild) == 0 ? ROLE_SYSTEM_TOOLBAR : ROLE_SYSTEM_PUSHBUTTON;
        return S_OK;
    }

    static int s_nDestroyed;
};
int AccessibleThing::s_nDestroyed = 0;

// An accessible object that names no command target.
class Orphan : public CXTPAccessible
{
};

// An object that reports no child count but names its children 1 and 2.
class UncountedThing : public CXTPAccessible
{
public:
    HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName) override
    {
        long n = GetChildIndex(&varChild);
        if (n > 2)
            return E_INVALIDARG;
        const wchar_t* names[] = { L"Bar", L"Open", L"Save" };
        *pszName = ::SysAllocString(names[n]);
        return S_OK;
    }
};
} // namespace

TEST(AccessibleTest, BaseAnswersNotImplementedExceptFocusAndSelection)
{
    AccessibleThing* pThing = new AccessibleThing();
    CXTPAccessible* pBase = pThing;
    VARIANT self = Child(CHILDID_SELF);
    VARIANT out;
    ::VariantInit(&out);
    BSTR bstr = NULL;
    long n = 0;
    IDispatch* pDispatch = NULL;

    // The base class's own operations.
    EXPECT_EQ(E_NOTIMPL, pBase->CXTPAccessible::GetAccessibleParent(&pDispatch));
    EXPECT_EQ(E_NOTIMPL, pBase->CXTPAccessible::GetAccessibleChildCount(&n));
    EXPECT_EQ(E_NOTIMPL, pBase->CXTPAccessible::GetAccessibleValue(self, &bstr));
    EXPECT_EQ(E_NOTIMPL, pBase->CXTPAccessible::GetAccessibleDescription(self, &bstr));
    EXPECT_EQ(E_NOTIMPL, pBase->CXTPAccessible::GetAccessibleState(self, &out));
    EXPECT_EQ(E_NOTIMPL, pBase->CXTPAccessible::AccessibleDoDefaultAction(self));
    EXPECT_EQ(S_FALSE, pBase->CXTPAccessible::GetAccessibleFocus(&out));
    EXPECT_EQ(S_FALSE, pBase->CXTPAccessible::GetAccessibleSelection(&out));
    EXPECT_EQ(nullptr, pBase->CXTPAccessible::GetAccessibleCmdTarget());

    // Through the interface.
    IAccessible* pAcc = pThing->GetAccessible();
    EXPECT_EQ(E_NOTIMPL, pAcc->get_accValue(self, &bstr));
    EXPECT_EQ(E_NOTIMPL, pAcc->get_accHelp(self, &bstr));
    EXPECT_EQ(E_NOTIMPL, pAcc->accDoDefaultAction(self));
    EXPECT_EQ(E_NOTIMPL, pAcc->accHitTest(1, 1, &out));
    EXPECT_EQ(S_FALSE, pAcc->get_accFocus(&out));
    EXPECT_EQ(S_FALSE, pAcc->get_accSelection(&out));
    UINT nCount = 99;
    EXPECT_EQ(E_NOTIMPL, pAcc->GetTypeInfoCount(&nCount));
    pThing->InternalRelease();
}

TEST(AccessibleTest, InterfaceCallsReachTheOverridesAndRefCountTheTarget)
{
    AccessibleThing::s_nDestroyed = 0;
    AccessibleThing* pThing = new AccessibleThing();
    IAccessible* pAcc = pThing->GetAccessible();

    long n = 0;
    EXPECT_EQ(S_OK, pAcc->get_accChildCount(&n));
    EXPECT_EQ(2, n);
    BSTR bstr = NULL;
    ASSERT_EQ(S_OK, pAcc->get_accName(Child(2), &bstr));
    EXPECT_STREQ(L"Save", bstr);
    ::SysFreeString(bstr);
    VARIANT role;
    ::VariantInit(&role);
    ASSERT_EQ(S_OK, pAcc->get_accRole(Child(CHILDID_SELF), &role));
    EXPECT_EQ(ROLE_SYSTEM_TOOLBAR, role.lVal);

    IAccessible* pQueried = NULL;
    ASSERT_EQ(S_OK, pAcc->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&pQueried)));
    EXPECT_EQ(pAcc, pQueried);
    pQueried->Release();
    pAcc->AddRef();
    EXPECT_EQ(0, AccessibleThing::s_nDestroyed);
    pAcc->Release();
    pThing->InternalRelease();
    EXPECT_EQ(1, AccessibleThing::s_nDestroyed) << "the last release deletes through the command target";
}

TEST(AccessibleTest, ChildNumbersOutsideTheChildrenAreInvalidArguments)
{
    AccessibleThing* pThing = new AccessibleThing();
    IAccessible* pAcc = pThing->GetAccessible();
    BSTR bstr = NULL;
    VARIANT out;
    ::VariantInit(&out);
    EXPECT_EQ(E_INVALIDARG, pAcc->get_accName(Child(3), &bstr));
    EXPECT_EQ(E_INVALIDARG, pAcc->get_accName(Child(-5), &bstr));
    EXPECT_EQ(E_INVALIDARG, pAcc->get_accRole(Child(100), &out));
    EXPECT_EQ(E_INVALIDARG, pAcc->accDoDefaultAction(Child(3)));
    EXPECT_EQ(E_INVALIDARG, pAcc->accSelect(SELFLAG_TAKEFOCUS, Child(3)));
    VARIANT wrongType;
    ::VariantInit(&wrongType);
    wrongType.vt = VT_BSTR;
    wrongType.bstrVal = NULL;
    EXPECT_EQ(E_INVALIDARG, pAcc->get_accName(wrongType, &bstr));
    EXPECT_EQ(E_POINTER, pAcc->get_accName(Child(1), NULL));
    EXPECT_EQ(E_POINTER, pAcc->get_accChildCount(NULL));
    pThing->InternalRelease();
}

TEST(AccessibleTest, ObjectWithoutACommandTargetNeverTouchesIt)
{
    Orphan orphan;
    IAccessible* pAcc = orphan.GetAccessible();
    void* pv = reinterpret_cast<void*>(1);
    EXPECT_EQ(E_NOINTERFACE, pAcc->QueryInterface(IID_IAccessible, &pv));
    EXPECT_EQ(nullptr, pv);
    EXPECT_EQ(0u, pAcc->AddRef());
    EXPECT_EQ(0u, pAcc->Release());
    BSTR bstr = NULL;
    EXPECT_EQ(E_INVALIDARG, pAcc->get_accName(Child(1), &bstr)) << "an object that reports no children has none";
}

TEST(AccessibleTest, WithoutAChildCountTheObjectAnswersForItsChildren)
{
    UncountedThing thing;
    IAccessible* pAcc = thing.GetAccessible();
    long n = 0;
    EXPECT_EQ(E_NOTIMPL, pAcc->get_accChildCount(&n));
    BSTR bstr = NULL;
    ASSERT_EQ(S_OK, pAcc->get_accName(Child(2), &bstr));
    EXPECT_STREQ(L"Save", bstr);
    ::SysFreeString(bstr);
    bstr = NULL;
    EXPECT_EQ(E_INVALIDARG, pAcc->get_accName(Child(3), &bstr)) << "one it does not answer for";
    EXPECT_EQ(E_INVALIDARG, pAcc->get_accName(Child(-1), &bstr));
    VARIANT role;
    ::VariantInit(&role);
    EXPECT_EQ(E_INVALIDARG, pAcc->get_accRole(Child(1), &role)) << "a question it does not answer at all";
    EXPECT_EQ(E_NOTIMPL, pAcc->get_accRole(Child(0), &role)) << "about itself the base's answer stands";
}

TEST(AccessibleTest, ChildIndexOfEveryVariantKind)
{
    EXPECT_EQ(-1, CXTPAccessible::GetChildIndex(NULL));
    VARIANT v;
    ::VariantInit(&v);
    EXPECT_EQ(0, CXTPAccessible::GetChildIndex(&v));
    v.vt = VT_I4;
    v.lVal = 7;
    EXPECT_EQ(7, CXTPAccessible::GetChildIndex(&v));
    v.vt = VT_I2;
    v.iVal = 5;
    EXPECT_EQ(5, CXTPAccessible::GetChildIndex(&v));

    long l = 9;
    VARIANT byRefLong;
    byRefLong.vt = VT_I4 | VT_BYREF;
    byRefLong.plVal = &l;
    EXPECT_EQ(9, CXTPAccessible::GetChildIndex(&byRefLong));
    byRefLong.plVal = NULL;
    EXPECT_EQ(-1, CXTPAccessible::GetChildIndex(&byRefLong));
    short s = 4;
    VARIANT byRefShort;
    byRefShort.vt = VT_I2 | VT_BYREF;
    byRefShort.piVal = &s;
    EXPECT_EQ(4, CXTPAccessible::GetChildIndex(&byRefShort));

    VARIANT inner = Child(3);
    VARIANT byRefVariant;
    byRefVariant.vt = VT_VARIANT | VT_BYREF;
    byRefVariant.pvarVal = &inner;
    EXPECT_EQ(3, CXTPAccessible::GetChildIndex(&byRefVariant));
    inner.vt = VT_BSTR;
    inner.bstrVal = NULL;
    EXPECT_EQ(-1, CXTPAccessible::GetChildIndex(&byRefVariant));
    byRefVariant.pvarVal = NULL;
    EXPECT_EQ(-1, CXTPAccessible::GetChildIndex(&byRefVariant));

    // A variant that points to itself is refused, not followed forever.
    VARIANT loop;
    loop.vt = VT_VARIANT | VT_BYREF;
    loop.pvarVal = &loop;
    EXPECT_EQ(-1, CXTPAccessible::GetChildIndex(&loop));

    VARIANT other;
    other.vt = VT_R8;
    other.dblVal = 1.0;
    EXPECT_EQ(-1, CXTPAccessible::GetChildIndex(&other));
}

TEST(AccessibleTest, RunTimeBoundHelpers)
{
    AccessibleThing* pThing = new AccessibleThing();
    HWND hWnd = testsupport::CreatePlainWindow(10, 10, 50, 50);
    pThing->NotifyWinEvent(EVENT_OBJECT_FOCUS, hWnd, OBJID_CLIENT, CHILDID_SELF);

    IAccessible* pStandard = NULL;
    HRESULT hr = pThing->AccessibleObjectFromWindow(hWnd, (DWORD)OBJID_WINDOW, IID_IAccessible,
                                                    reinterpret_cast<void**>(&pStandard));
    if (SUCCEEDED(hr))
    {
        ASSERT_NE(nullptr, pStandard);
        pStandard->Release();
    }
    else
    {
        EXPECT_EQ(nullptr, pStandard);
    }

    LRESULT lResult = pThing->LresultFromObject(IID_IAccessible, 0, pThing->GetAccessible());
    EXPECT_NE(0, lResult);
    testsupport::DestroyQuietly(hWnd);
    pThing->InternalRelease();
}
