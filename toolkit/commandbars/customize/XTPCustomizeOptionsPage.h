// The "&Options" page of the Customize sheet: it edits the command bars'
// options directly (full menus, large icons, screen tips, menu animation)
// and can forget the record of used commands. CXTPGroupLine draws the page's
// section captions as a caption followed by a line.
#pragma once

#include <afxpropsheet.h>
#include "XTPWinThemeWrapper.h"

class CXTPCommandBars;
class CXTPCustomizeSheet;

class CXTPGroupLine : public CStatic
{
public:
    CXTPGroupLine();
    afx_msg void OnPaint();
    virtual void PreSubclassWindow();

    CXTPWinThemeWrapper m_themeButton;
    DECLARE_MESSAGE_MAP()
};

class CXTPCustomizeOptionsPage : public CPropertyPage
{
public:
    explicit CXTPCustomizeOptionsPage(CXTPCustomizeSheet* pSheet);
    virtual ~CXTPCustomizeOptionsPage();

    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    CXTPCommandBars* GetCommandBars() const;

    afx_msg void OnCheckFullMenus();
    afx_msg void OnCheckAfterDelay();
    afx_msg void OnCheckLargeIcons();
    afx_msg void OnCheckScreenTips();
    afx_msg void OnCheckShortcutKeys();
    afx_msg void OnAnimationChanged();
    afx_msg void OnResetUsageData();

    BOOL m_bAlwaysShowFullMenus;
    BOOL m_bShowFullAfterDelay;
    BOOL m_bLargeIcons;
    BOOL m_bToolBarScreenTips;
    BOOL m_bToolBarAccelTips;
    CComboBox m_comboAnimation;
    int m_nAnimationType;
    CXTPGroupLine m_wndGroupOther;
    CXTPGroupLine m_wndGroupMenus;
    CXTPCustomizeSheet* m_pSheet;

    DECLARE_MESSAGE_MAP()
};
