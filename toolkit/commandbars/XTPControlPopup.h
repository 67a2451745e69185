// The control that opens a popup bar: a menu-bar title, a submenu item, a
// drop-down toolbar button or a split button. It holds exactly one
// reference to its popup bar and opens and closes it in step with the
// parent bar's popuped index.
#pragma once

#include "XTPControlButton.h"

#include <map>
#include <utility>

class CXTPCommandBar;

// Walks that follow popup controls into the bars they open go no deeper
// than this: a bar that opens itself, directly or through other bars, ends
// the walk there instead of recursing until the stack runs out.
#define XTP_MAX_POPUP_DEPTH 32

// Counts one level of such a walk for as long as it lives.
class CXTPPopupDepthGuard
{
public:
    explicit CXTPPopupDepthGuard(int& nDepth) : m_nDepth(nDepth) { ++m_nDepth; }
    ~CXTPPopupDepthGuard() { --m_nDepth; }
    BOOL IsTooDeep() const { return m_nDepth > XTP_MAX_POPUP_DEPTH; }

private:
    CXTPPopupDepthGuard(const CXTPPopupDepthGuard&);
    CXTPPopupDepthGuard& operator=(const CXTPPopupDepthGuard&);
    int& m_nDepth;
};

// Within one deep copy of controls, a popup bar that several controls open
// is copied once and the copies share it as the originals do; within one
// comparison, a pair of bars is compared once. Copying or comparing each
// path through shared bars separately doubles the work at every level.
// The outermost scope alive holds the memo; scopes opened inside it use
// the same one, so the memo covers the whole copy or comparison.
class CXTPPopupMemoScope
{
public:
    struct CMemo
    {
        std::map<CXTPCommandBar*, CXTPCommandBar*> copies;   // original bar -> its copy (not referenced)
        std::map<std::pair<CXTPCommandBar*, CXTPCommandBar*>, BOOL> compared;
    };

    CXTPPopupMemoScope() : m_bOutermost(s_pMemo == NULL)
    {
        if (m_bOutermost)
            s_pMemo = &m_memo;
    }
    ~CXTPPopupMemoScope()
    {
        if (m_bOutermost)
            s_pMemo = NULL;
    }
    CMemo& Memo() const { return *s_pMemo; }

private:
    CXTPPopupMemoScope(const CXTPPopupMemoScope&);
    CXTPPopupMemoScope& operator=(const CXTPPopupMemoScope&);
    BOOL m_bOutermost;
    CMemo m_memo;
    static CMemo* s_pMemo;
};

class CXTPControlPopup : public CXTPControlButton
{
    DECLARE_DYNCREATE(CXTPControlPopup)
public:
    CXTPControlPopup();
    virtual ~CXTPControlPopup();

    // A new popup control of the kind (2, 3 or 4).
    static CXTPControlPopup* AFX_CDECL CreateControlPopup(XTPControlType controlType);

    // Releases the old bar and adds a reference to the new one; the menu
    // form builds a popup bar from the menu and sets it through the first.
    virtual void SetCommandBar(CXTPCommandBar* pBar);
    void SetCommandBar(CMenu* pMenu);
    virtual CXTPCommandBar* GetCommandBar() const { return m_pCommandBar; }

    virtual BOOL Compare(CXTPControl* pOther);
    virtual void DoPropExchange(CXTPPropExchange* pPX);
    virtual void ExecuteFromKeyboard();
    virtual BOOL GetPopuped() const { return m_bPopup; }
    virtual void Copy(CXTPControl* pControl, BOOL bRecursive = FALSE);
    virtual BOOL OnSetPopup(BOOL bPopup);
    virtual void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0));
    virtual void OnKeyboardClick();
    virtual void OnLButtonUp(CPoint point);
    virtual BOOL OnLButtonDblClk(CPoint point);
    virtual void OnMouseMove(CPoint point);
    virtual void OnMouseHover();
    virtual BOOL OnSetSelected(int bSelected);
    virtual void OnCustomizeDragOver(CXTPControl* pDataObject, CPoint point);
    virtual void RestoreCommandBarList(CXTPCommandBarList* pCommandBarList);
    virtual CXTPControl* Clone(BOOL bRecursive = FALSE);
    // Added: the rectangle (screen) the popup must not cover, and the
    // button shadow while the popup is open.
    virtual void AdjustExcludeRect(CRect& rc, BOOL bVertical);
    virtual void UpdateShadow();

    // Expands an open short menu.
    void ExpandCommandBar();
    // Whether two popup controls share or nest their popup bars.
    BOOL IsContainPopup(CXTPControlPopup* pControlPopup);

    BOOL GetShowShadow() const { return m_bShowShadow; }
    void SetShowShadow(BOOL bShow) { m_bShowShadow = bShow; }

public:
    BOOL m_bPopup;
    CXTPCommandBar* m_pCommandBar;
    UINT m_dwCommandBarID;      // the popup bar's id while saved state loads
    BOOL m_bShowShadow;
};
