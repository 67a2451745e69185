// The keyed list of the game's own classes: a list that owns heap copies of
// its elements and finds an element by its int or string key, and two plain
// item classes (a string and an int).
#pragma once

#include <afx.h>
#include <afxcoll.h>

#include <new>

// Key types of CFennList::FindByKey.
#define FENN_KEY_STRING 0
#define FENN_KEY_INT 1

// T offers GetKeyFieldString() (a CString) and GetKeyFieldInt() (an int) and
// a copy constructor.
template <class T>
class CFennList
{
public:
    CFennList() : m_nCount(0), m_nCursor(0) {}
    virtual ~CFennList()
    {
        RemoveAll();
        m_arrElements.RemoveAll();
    }

    // Appends a heap copy of the element. FALSE (and nothing added) when
    // the copy cannot be made or stored.
    bool Add(const T& element)
    {
        T* pCopy = new (std::nothrow) T(element);
        if (pCopy == NULL)
            return false;
        try
        {
            m_arrElements.SetAtGrow(m_nCount, pCopy);
        }
        catch (CException* e)
        {
            TRACE("CFennList: no room for another element\n");
            e->Delete();
            delete pCopy;
            return false;
        }
        m_nCount++;
        return true;
    }

    // Deletes every element, last first, and resets the count and cursor.
    // An empty list is left untouched.
    void RemoveAll()
    {
        if (m_nCount == 0)
            return;
        for (int i = m_nCount - 1; i >= 0; i--)
            delete static_cast<T*>(m_arrElements.GetAt(i));
        m_arrElements.RemoveAll();
        m_nCount = 0;
        m_nCursor = 0;
    }

    // The first element, in index order, whose int key (key type 1) or
    // string key (key type 0, case-sensitive) matches; null when none
    // matches or the key type is another value.
    T* FindByKey(const BYTE* pKeyType, const int* pIntKey, const CString* pStringKey) const
    {
        if (pKeyType == NULL)
            return NULL;
        for (int i = 0; i < m_nCount; i++)
        {
            T* pElement = static_cast<T*>(m_arrElements.GetAt(i));
            if (*pKeyType == FENN_KEY_INT)
            {
                if (pIntKey != NULL && pElement->GetKeyFieldInt() == *pIntKey)
                    return pElement;
            }
            else if (*pKeyType == FENN_KEY_STRING)
            {
                if (pStringKey != NULL && pElement->GetKeyFieldString() == *pStringKey)
                    return pElement;
            }
            else
            {
                return NULL;
            }
        }
        return NULL;
    }

    T* FindByIntKey(const int* pIntKey) const
    {
        const BYTE bKeyType = FENN_KEY_INT;
        const CString strEmpty;
        return FindByKey(&bKeyType, pIntKey, &strEmpty);
    }

    int GetCount() const { return m_nCount; }
    // The element at an index; the class library's invalid-argument
    // exception outside 0 .. count - 1.
    T* GetAt(int nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nCount)
            AfxThrowInvalidArgException();
        return static_cast<T*>(m_arrElements.GetAt(nIndex));
    }

public:
    CPtrArray m_arrElements;   // heap copies, owned
    int m_nCount;
    int m_nCursor;             // walks that use it start it at 0 themselves

private:
    CFennList(const CFennList&);
    CFennList& operator=(const CFennList&);
};

// A string item.
class __declspec(dllexport) CFennCString
{
public:
    CFennCString();
    CFennCString(const CFennCString& src);
    CFennCString(LPCTSTR lpszText);
    CFennCString(const CString& strText);
    virtual ~CFennCString();

    CFennCString& operator=(const CFennCString& src);
    CFennCString& operator=(const CString& strText);
    // Case-sensitive.
    bool operator==(const CFennCString& other) const;
    bool operator!=(const CFennCString& other) const;

    CString GetKeyFieldString() const;
    int GetKeyFieldInt() const;

public:
    CString m_strText;
};

// An int item; its int key is its value.
class CFennInt
{
public:
    CFennInt() : m_nValue(0) {}
    explicit CFennInt(int nValue) : m_nValue(nValue) {}
    virtual ~CFennInt() {}

    CString GetKeyFieldString() const { return CString(); }
    int GetKeyFieldInt() const { return m_nValue; }

public:
    int m_nValue;
};
