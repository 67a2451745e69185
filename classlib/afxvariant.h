// afxvariant.h - COleVariant, a VARIANT that owns its contents (the
// values the property exchange stores). Included by afx.h.
#ifndef BM_AFXVARIANT_H
#define BM_AFXVARIANT_H

#include "afxtime.h"

#ifndef BM_LPCVARIANT_DEFINED
#define BM_LPCVARIANT_DEFINED
typedef const VARIANT* LPCVARIANT;
#endif

// A VARIANT that owns its contents.
class COleVariant : public tagVARIANT
{
public:
    COleVariant() { ::VariantInit(this); }
    ~COleVariant() { ::VariantClear(this); }
    COleVariant(const VARIANT& varSrc);
    COleVariant(LPCVARIANT pSrc);
    COleVariant(const COleVariant& varSrc);
    COleVariant(LPCTSTR lpszSrc);                   // VT_BSTR
    COleVariant(LPCTSTR lpszSrc, VARTYPE vtSrc);    // VT_BSTR or VT_BSTRT
    COleVariant(const CString& strSrc);
    COleVariant(BYTE nSrc);
    COleVariant(short nSrc, VARTYPE vtSrc = VT_I2); // VT_I2 or VT_BOOL
    COleVariant(long lSrc, VARTYPE vtSrc = VT_I4);  // VT_I4, VT_ERROR or VT_BOOL
    COleVariant(int nSrc) : COleVariant((long)nSrc) {}
    COleVariant(float fltSrc);
    COleVariant(double dblSrc);
    COleVariant(bool bSrc);
    COleVariant(const COleDateTime& dateSrc);

    void Clear() { ::VariantClear(this); }
    // Throws CInvalidArgException when the value cannot be converted.
    void ChangeType(VARTYPE vartype, LPVARIANT pSrc = NULL);
    void Attach(VARIANT& varSrc);
    VARIANT Detach();
    void SetString(LPCTSTR lpszSrc, VARTYPE vtSrc);

    bool operator==(const VARIANT& varSrc) const;
    bool operator==(LPCVARIANT pSrc) const { return pSrc != NULL && operator==(*pSrc); }
    bool operator!=(const VARIANT& varSrc) const { return !operator==(varSrc); }

    const COleVariant& operator=(const VARIANT& varSrc);
    const COleVariant& operator=(LPCVARIANT pSrc);
    const COleVariant& operator=(const COleVariant& varSrc);
    const COleVariant& operator=(LPCTSTR lpszSrc);
    const COleVariant& operator=(const CString& strSrc);
    const COleVariant& operator=(BYTE nSrc);
    const COleVariant& operator=(short nSrc);
    const COleVariant& operator=(long lSrc);
    const COleVariant& operator=(int nSrc) { return operator=((long)nSrc); }
    const COleVariant& operator=(float fltSrc);
    const COleVariant& operator=(double dblSrc);
    const COleVariant& operator=(bool bSrc);
    const COleVariant& operator=(const COleDateTime& dateSrc);

    operator LPVARIANT() { return this; }
    operator LPCVARIANT() const { return this; }

private:
    void Copy(const VARIANT& varSrc);
};

#endif // BM_AFXVARIANT_H
