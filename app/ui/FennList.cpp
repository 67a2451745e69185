// The string item of the keyed list.
#include "FennList.h"

CFennCString::CFennCString()
{
}

CFennCString::CFennCString(const CFennCString& src) : m_strText(src.m_strText)
{
}

CFennCString::CFennCString(LPCTSTR lpszText) : m_strText(lpszText != NULL ? lpszText : "")
{
}

CFennCString::CFennCString(const CString& strText) : m_strText(strText)
{
}

CFennCString::~CFennCString()
{
}

CFennCString& CFennCString::operator=(const CFennCString& src)
{
    m_strText = src.m_strText;
    return *this;
}

CFennCString& CFennCString::operator=(const CString& strText)
{
    m_strText = strText;
    return *this;
}

bool CFennCString::operator==(const CFennCString& other) const
{
    return m_strText == other.m_strText;
}

bool CFennCString::operator!=(const CFennCString& other) const
{
    return !(*this == other);
}

CString CFennCString::GetKeyFieldString() const
{
    return m_strText;
}

int CFennCString::GetKeyFieldInt() const
{
    return 0;
}
