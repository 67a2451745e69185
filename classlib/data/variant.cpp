// COleVariant: a VARIANT that owns its contents.
#include "afx.h"

COleVariant::COleVariant(const VARIANT& varSrc)
{
    ::VariantInit(this);
    Copy(varSrc);
}

COleVariant::COleVariant(LPCVARIANT pSrc)
{
    ::VariantInit(this);
    if (pSrc != NULL)
        Copy(*pSrc);
}

COleVariant::COleVariant(const COleVariant& varSrc) : tagVARIANT()
{
    ::VariantInit(this);
    Copy(varSrc);
}

COleVariant::COleVariant(LPCTSTR lpszSrc)
{
    ::VariantInit(this);
    SetString(lpszSrc, VT_BSTR);
}

COleVariant::COleVariant(LPCTSTR lpszSrc, VARTYPE vtSrc)
{
    ::VariantInit(this);
    SetString(lpszSrc, vtSrc);
}

COleVariant::COleVariant(const CString& strSrc)
{
    ::VariantInit(this);
    SetString(strSrc, VT_BSTR);
}

COleVariant::COleVariant(BYTE nSrc)
{
    ::VariantInit(this);
    vt = VT_UI1;
    bVal = nSrc;
}

COleVariant::COleVariant(short nSrc, VARTYPE vtSrc)
{
    ::VariantInit(this);
    if (vtSrc == VT_BOOL)
    {
        vt = VT_BOOL;
        boolVal = nSrc ? VARIANT_TRUE : VARIANT_FALSE;
    }
    else
    {
        vt = VT_I2;
        iVal = nSrc;
    }
}

COleVariant::COleVariant(long lSrc, VARTYPE vtSrc)
{
    ::VariantInit(this);
    if (vtSrc == VT_BOOL)
    {
        vt = VT_BOOL;
        boolVal = lSrc ? VARIANT_TRUE : VARIANT_FALSE;
    }
    else if (vtSrc == VT_ERROR)
    {
        vt = VT_ERROR;
        scode = lSrc;
    }
    else
    {
        vt = VT_I4;
        lVal = lSrc;
    }
}

COleVariant::COleVariant(float fltSrc)
{
    ::VariantInit(this);
    vt = VT_R4;
    fltVal = fltSrc;
}

COleVariant::COleVariant(double dblSrc)
{
    ::VariantInit(this);
    vt = VT_R8;
    dblVal = dblSrc;
}

COleVariant::COleVariant(bool bSrc)
{
    ::VariantInit(this);
    vt = VT_BOOL;
    boolVal = bSrc ? VARIANT_TRUE : VARIANT_FALSE;
}

COleVariant::COleVariant(const COleDateTime& dateSrc)
{
    ::VariantInit(this);
    *this = dateSrc;
}

void COleVariant::Copy(const VARIANT& varSrc)
{
    if (static_cast<const VARIANT*>(this) == &varSrc)
        return;
    ::VariantClear(this);
    HRESULT hr = ::VariantCopy(this, const_cast<VARIANT*>(&varSrc));
    if (FAILED(hr))
    {
        ::VariantInit(this);
        if (hr == E_OUTOFMEMORY)
            AfxThrowMemoryException();
        AfxThrowInvalidArgException();
    }
}

void COleVariant::ChangeType(VARTYPE vartype, LPVARIANT pSrc)
{
    if (pSrc == NULL)
        pSrc = this;
    if (pSrc == this && vt == vartype)
        return;
    VARIANT varTemp;
    ::VariantInit(&varTemp);
    HRESULT hr = ::VariantChangeType(&varTemp, pSrc, 0, vartype);
    if (FAILED(hr))
    {
        ::VariantClear(&varTemp);
        if (hr == E_OUTOFMEMORY)
            AfxThrowMemoryException();
        AfxThrowInvalidArgException();
    }
    ::VariantClear(this);
    *static_cast<VARIANT*>(this) = varTemp;
}

void COleVariant::Attach(VARIANT& varSrc)
{
    ::VariantClear(this);
    *static_cast<VARIANT*>(this) = varSrc;
    varSrc.vt = VT_EMPTY;
}

VARIANT COleVariant::Detach()
{
    VARIANT varResult = *this;
    vt = VT_EMPTY;
    return varResult;
}

void COleVariant::SetString(LPCTSTR lpszSrc, VARTYPE vtSrc)
{
    ::VariantClear(this);
    vt = VT_BSTR;
    bstrVal = NULL;
    if (lpszSrc == NULL)
        return;
    if (vtSrc == VT_BSTR)
    {
        bstrVal = CString(lpszSrc).AllocSysString();
    }
    else
    {
        // The 8-bit characters themselves, kept in a BSTR.
        bstrVal = ::SysAllocStringByteLen(lpszSrc, (UINT)strlen(lpszSrc));
        if (bstrVal == NULL)
            AfxThrowMemoryException();
    }
}

bool COleVariant::operator==(const VARIANT& varSrc) const
{
    if (static_cast<const VARIANT*>(this) == &varSrc)
        return true;
    if (vt != varSrc.vt)
        return false;
    switch (vt)
    {
    case VT_EMPTY:
    case VT_NULL:
        return true;
    case VT_BOOL:
        return boolVal == varSrc.boolVal;
    case VT_I1:
    case VT_UI1:
        return bVal == varSrc.bVal;
    case VT_I2:
    case VT_UI2:
        return iVal == varSrc.iVal;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_ERROR:
        return lVal == varSrc.lVal;
    case VT_R4:
        return fltVal == varSrc.fltVal;
    case VT_R8:
        return dblVal == varSrc.dblVal;
    case VT_DATE:
        return date == varSrc.date;
    case VT_CY:
        return cyVal.int64 == varSrc.cyVal.int64;
    case VT_I8:
    case VT_UI8:
        return llVal == varSrc.llVal;
    case VT_BSTR:
    {
        UINT n1 = ::SysStringByteLen(bstrVal), n2 = ::SysStringByteLen(varSrc.bstrVal);
        return n1 == n2 && (n1 == 0 || memcmp(bstrVal, varSrc.bstrVal, n1) == 0);
    }
    case VT_UNKNOWN:
    case VT_DISPATCH:
        return punkVal == varSrc.punkVal;
    default:
        return ::VarCmp(const_cast<VARIANT*>(static_cast<const VARIANT*>(this)),
                        const_cast<VARIANT*>(&varSrc), LOCALE_USER_DEFAULT, 0) == VARCMP_EQ;
    }
}

const COleVariant& COleVariant::operator=(const VARIANT& varSrc)
{
    Copy(varSrc);
    return *this;
}

const COleVariant& COleVariant::operator=(LPCVARIANT pSrc)
{
    if (pSrc == NULL)
        Clear();
    else
        Copy(*pSrc);
    return *this;
}

const COleVariant& COleVariant::operator=(const COleVariant& varSrc)
{
    Copy(varSrc);
    return *this;
}

const COleVariant& COleVariant::operator=(LPCTSTR lpszSrc)
{
    SetString(lpszSrc, VT_BSTR);
    return *this;
}

const COleVariant& COleVariant::operator=(const CString& strSrc)
{
    SetString(strSrc, VT_BSTR);
    return *this;
}

const COleVariant& COleVariant::operator=(BYTE nSrc)
{
    Clear();
    vt = VT_UI1;
    bVal = nSrc;
    return *this;
}

const COleVariant& COleVariant::operator=(short nSrc)
{
    Clear();
    vt = VT_I2;
    iVal = nSrc;
    return *this;
}

const COleVariant& COleVariant::operator=(long lSrc)
{
    Clear();
    vt = VT_I4;
    lVal = lSrc;
    return *this;
}

const COleVariant& COleVariant::operator=(float fltSrc)
{
    Clear();
    vt = VT_R4;
    fltVal = fltSrc;
    return *this;
}

const COleVariant& COleVariant::operator=(double dblSrc)
{
    Clear();
    vt = VT_R8;
    dblVal = dblSrc;
    return *this;
}

const COleVariant& COleVariant::operator=(bool bSrc)
{
    Clear();
    vt = VT_BOOL;
    boolVal = bSrc ? VARIANT_TRUE : VARIANT_FALSE;
    return *this;
}

const COleVariant& COleVariant::operator=(const COleDateTime& dateSrc)
{
    Clear();
    if (dateSrc.GetStatus() == COleDateTime::valid)
    {
        vt = VT_DATE;
        date = dateSrc.m_dt;
    }
    else if (dateSrc.GetStatus() == COleDateTime::null)
    {
        vt = VT_NULL;
    }
    else
    {
        vt = VT_ERROR;
        scode = DISP_E_TYPEMISMATCH;
    }
    return *this;
}
