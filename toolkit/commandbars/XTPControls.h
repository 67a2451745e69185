// The ordered list of the controls of one command bar. It adds, inserts,
// removes and finds controls, keeps each control's index, binds new controls
// to their actions, builds controls from menus, and lays controls out in
// toolbar rows and popup-menu columns. Each entry holds one reference.
#pragma once

#include "XTPCommandBarsDefines.h"
#include <afxtempl.h>

class CXTPControl;
class CXTPCommandBar;
class CXTPCommandBars;
class CXTPPropExchange;

class CXTPControls : public CCmdTarget
{
    DECLARE_DYNCREATE(CXTPControls)
public:
    CXTPControls();
    virtual ~CXTPControls();

    // Virtual operations, in the order derived collections rely on.
    virtual void Remove(CXTPControl* pControl);                 // 1
    virtual void DoPropExchange(CXTPPropExchange* pPX);         // 2
    virtual void OnControlAdded(CXTPControl* pControl);         // 3
    virtual void OnControlRemoved(CXTPControl* pControl);       // 4
    virtual BOOL IsRemoveVetoed(CXTPControl* pControl) const { return FALSE; } // 5
    virtual void RefreshIndexes();                              // 6

    int GetCount() const { return (int)m_arrControls.GetSize(); }
    // NULL out of range.
    CXTPControl* GetAt(int nIndex) const;

    // Inserts at the index (at the end when out of range).
    CXTPControl* InsertAt(CXTPControl* pControl, int nBefore);
    CXTPControl* Append(CXTPControl* pControl) { return InsertAt(pControl, -1); }
    CXTPControl* AddClone(CXTPControl* pClone, int nBefore = -1, BOOL bRecursive = FALSE);
    // Takes over the caller's reference to pControl; binds its action.
    CXTPControl* Add(CXTPControl* pControl, int nId, LPCTSTR lpszParameter = NULL, int nBefore = -1,
                     BOOL bTemporary = FALSE);
    // Creates a control of the kind and adds it.
    CXTPControl* Add(XTPControlType controlType, int nId, LPCTSTR lpszParameter = NULL, int nBefore = -1,
                     BOOL bTemporary = FALSE);
    // A control for the menu item at nIndex (NULL for id 0xFF00).
    CXTPControl* AddMenuItem(CMenu* pMenu, int nIndex);
    // Builds controls from every item of a menu.
    BOOL LoadMenu(CMenu* pMenu);

    void RemoveAt(int nIndex);
    void RemoveAll();

    void SetParent(CXTPCommandBar* pParent);
    CXTPCommandBar* GetParent() const { return m_pParent; }
    void SetCommandBars(CXTPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    // The parent bar's command bars, else the stored pointer.
    CXTPCommandBars* GetCommandBars() const;

    // The first control of the kind (0 any) and id (-1 any).
    CXTPControl* FindControl(XTPControlType type, int nId, BOOL bVisible, BOOL bRecursive) const;
    CXTPControl* FindControl(int nId) const;
    // The first visible control holding the point.
    CXTPControl* HitTest(CPoint point) const;
    int GetVisibleCount(BOOL bIncludeWrap = FALSE) const;
    // The next keyboard stop from nIndex in direction nDirection; -1 none.
    int GetNext(int nIndex, int nDirection = +1, BOOL bKeyboard = TRUE, BOOL bSkipTemporary = FALSE,
                BOOL bSkipCollapsed = TRUE) const;
    int GetFirst() const { return GetNext(-1, +1); }

    // Copies, originals and comparison.
    // A copy of the controls, with a copy of their original controls.
    CXTPControls* Duplicate(BOOL bRecursive = FALSE) const;
    void CreateOriginalControls();
    void SetOriginalControls(CXTPControls* pControls);
    void ClearOriginalControls();
    CXTPControls* GetOriginalControls() const { return m_pOriginalControls; }
    BOOL IsChanged() const;
    BOOL Compare(const CXTPControls* pOther) const;

    // Changes a control's kind (in place between the popup kinds).
    CXTPControl* SetControlType(CXTPControl* pControl, XTPControlType type);
    CXTPControl* SetControlType(int nIndex, XTPControlType type);

    // Layout of toolbar rows: mode holds LM_* bits plus LM_HIDEWRAP and
    // LM_POPUP. rcBorder holds the border widths.
    CSize CalcDynamicSize(CDC* pDC, int nLength, DWORD dwMode, const CRect& rcBorder, int nWidth = 0);
    // Layout of popup-menu columns.
    CSize CalcPopupSize(CDC* pDC, int nMaxHeight, const CRect& rcBorder);

    // Creates a control of the kind (and the id's special class for buttons).
    static CXTPControl* AFX_CDECL CreateControl(XTPControlType type, int nId = 0, LPCTSTR lpszCaption = NULL);
    // The control class of that name (every class of the command bars is
    // linked in with them); NULL when no library has it.
    static CRuntimeClass* AFX_CDECL FindControlClass(LPCSTR lpszClassName);

protected:
    // Binds the command bars' action of the control's id, creating one when
    // the bars use actions; else loads the id's prompt.
    void BindAction(CXTPControl* pControl, int nId);
    // Finds the popup bar for a popup control built from a menu: the site's
    // answer to WM_XTP_CREATECOMMANDBAR, else a new popup bar.
    CXTPCommandBar* CreatePopupBar(LPCTSTR lpszCaption, int nId) const;
    CWnd* GetSite() const;
    // A copy of the controls alone, without their original controls.
    CXTPControls* DuplicateControls(BOOL bRecursive) const;

public:
    CArray<CXTPControl*, CXTPControl*> m_arrControls;
    CXTPCommandBar* m_pParent;
    CXTPCommandBars* m_pCommandBars;
    CXTPControls* m_pOriginalControls;
};
