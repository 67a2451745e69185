// Owner-drawn report lists: alternating row colours, the system highlight
// for the selected row, and cell texts cut with "..." when they do not fit.
// CFennListCtrlEx adds a model of columns (CListCtrlColumnInfo records)
// from which the list's columns are built and rows are inserted.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <afxtempl.h>

#include "FennList.h"

// Size of the shared buffer that shortened texts are built in.
#define FENN_SHORT_STRING_BUFFER 260

class CFennListCtrl : public CListCtrl
{
    DECLARE_DYNAMIC(CFennListCtrl)
public:
    CFennListCtrl();
    virtual ~CFennListCtrl();

    // Draws one row (reflected WM_DRAWITEM).
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDIS);

    // The text itself when it fits the width on the DC, else a shortened
    // copy ending in "..." (at least its first character and the dots). The
    // copy lives in one shared buffer, valid until the next call; it never
    // holds more than the buffer's size, so a long text is cut further.
    static LPCTSTR AFX_CDECL MakeShortString(CDC* pDC, LPCTSTR lpszLong, int nColumnLen);

public:
    COLORREF m_clrEvenRowBack;   // 0x00D5FFFF
    COLORREF m_clrOddRowBack;    // 0x00FFFFD9
    COLORREF m_clrEvenRowText;   // black
    COLORREF m_clrOddRowText;    // black
};

// One column of a CFennListCtrlEx: its id (the record's key), display
// position, width, visibility, heading, and the text the next inserted row
// shows in it.
class CListCtrlColumnInfo
{
public:
    CListCtrlColumnInfo();
    CListCtrlColumnInfo(int nColumnID, int nDisplayPosition, int nWidth, LPCTSTR lpszHeading,
                        bool bVisible = true, int nType = 1);
    virtual ~CListCtrlColumnInfo();

    bool operator==(const CListCtrlColumnInfo& other) const;
    bool operator!=(const CListCtrlColumnInfo& other) const { return !(*this == other); }

    CString GetKeyFieldString() const { return CString(); }
    int GetKeyFieldInt() const { return m_nColumnID; }

public:
    int m_nColumnID;          // -1
    int m_nDisplayPosition;   // -1; 0 is the leftmost column
    int m_nWidth;             // 100 pixels
    bool m_bVisible;          // invisible columns get no list column and no cell
    int m_nType;              // 1; kept for the owner
    CString m_strHeading;
    CString m_strSecondText;  // kept for the owner
    CString m_strValue;       // the next inserted row's text in this column
};

// Value types of CFennListCtrlEx::SetItemValue.
#define FENN_VALUE_TEXT 1
#define FENN_VALUE_INT 2
#define FENN_VALUE_BYTE 3

class CFennListCtrlEx : public CFennListCtrl
{
    DECLARE_DYNAMIC(CFennListCtrlEx)
public:
    CFennListCtrlEx();
    virtual ~CFennListCtrlEx();

    // Resizes the column-order map to *pnSize entries, keeping the first
    // ones and filling new ones with -1.
    void SetColumnOrderSize(const int* pnSize);
    // Deletes every row and column and builds the columns from the visible
    // records, in display-position order. TRUE.
    BOOL RebuildColumns();
    // Stores the value text of the record with the column id: type 1 takes
    // the text, 2 the int and 3 the byte (both as "%d"). FALSE when no
    // record has the id or the type is another number.
    bool SetItemValue(const int* pnColumnID, const int* pnType, const CString* pstrText, const int* pnValue,
                      const BYTE* pbValue);
    // The same for a text value.
    bool SetItemValue(int nColumnID, const CString& strText);
    // Appends a row of the visible columns' value texts; the new row's
    // index, or -1 when the row (or one of its cells) could not be set.
    int InsertRow();
    // Widens or narrows the last list column so that the columns fill the
    // client width.
    void FitLastColumn();
    // Copies the first record, from the first, whose display position
    // matches; FALSE when none does.
    bool FindColumnByPosition(const int* pnPosition, CListCtrlColumnInfo& info);

    int GetColumnOrderSize() const { return (int)m_arrColumnOrder.GetSize(); }
    // The record id shown at a list column; -1 for none or outside the map.
    int GetColumnOrder(int nListColumn) const;

public:
    CFennList<CListCtrlColumnInfo> m_listColumns;   // owned copies
    CArray<int, int> m_arrColumnOrder;              // list column -> record id
    int m_nPositionCount;                           // display positions scanned (10)
};
