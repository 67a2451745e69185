// The docking-pane paint themes: each fixes the caption style, the caption
// buttons, splitters, floating frames, the palette and the tab appearance
// and colour sets of its two tab paint managers.
#pragma once

#include "XTPDockingPanePaintManager.h"

#include <XTPTabPaintManager.h>

class CXTPDockingPaneDefaultTheme : public CXTPDockingPanePaintManager
{
public:
    CXTPDockingPaneDefaultTheme();

    virtual void DrawCaption(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc);
    virtual void DrawFloatingFrame(CDC* pDC, CXTPDockingPaneMiniWnd* pPane, CRect rc);
    // The inside of a caption strip: background where the theme draws it
    // here, buttons, icon and text.
    virtual void DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption, const CString& strTitle,
                                 BOOL bActive, BOOL bVertical);

protected:
    // The caption strip of a tabbed container along its top (left) edge.
    CRect GetCaptionStrip(CXTPDockingPaneTabbedContainer* pPane, CRect rc, int nStart, int nEnd, BOOL bVertical);
    // Buttons, then icon and text; answers the text's rectangle.
    CRect DrawButtonsIconAndText(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption, const CString& strTitle,
                                 COLORREF clrButton, COLORREF clrText, int nButtonSize, int nButtonGap,
                                 BOOL bVertical, int nEndShorten, int nTextIndent, int* pTextLength = NULL);
    BOOL IsCaptionActive(const CXTPDockingPaneTabbedContainer* pPane) const;
};

class CXTPDockingPaneGripperedTheme : public CXTPDockingPaneDefaultTheme
{
public:
    CXTPDockingPaneGripperedTheme();
    virtual void DrawCaption(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc);
    virtual void DrawFloatingFrame(CDC* pDC, CXTPDockingPaneMiniWnd* pPane, CRect rc);
    virtual void DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption, const CString& strTitle,
                                 BOOL bActive, BOOL bVertical);
};

class CXTPDockingPaneExplorerTheme : public CXTPDockingPaneGripperedTheme
{
public:
    CXTPDockingPaneExplorerTheme();
    virtual ~CXTPDockingPaneExplorerTheme();
    virtual void RefreshMetrics();
    virtual void DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption, const CString& strTitle,
                                 BOOL bActive, BOOL bVertical);

    CXTPWinThemeWrapper m_themeRebar;
};

class CXTPDockingPaneOfficeTheme : public CXTPDockingPaneGripperedTheme
{
public:
    // Panel tabs of the Office family.
    class COfficePanelColorSet : public CXTPTabPaintManager::CColorSetVisualStudio
    {
    public:
        virtual void RefreshMetrics();
    };

    CXTPDockingPaneOfficeTheme();
    virtual void RefreshMetrics();
    virtual void DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption, const CString& strTitle,
                                 BOOL bActive, BOOL bVertical);
    // Fills a caption strip; answers the glyph colour of its buttons.
    virtual COLORREF DrawCaptionBackground(CDC* pDC, CRect rcCaption, BOOL bActive, BOOL bVertical);

public:
    BOOL m_bGradientCaption;
    CXTPPaintManagerColorGradient m_clrNormalCaption;
    CXTPPaintManagerColorGradient m_clrActiveCaption;
    CXTPPaintManagerColor m_clrNormalCaptionText;
    CXTPPaintManagerColor m_clrActiveCaptionText;
};

class CXTPDockingPaneOffice2003Theme : public CXTPDockingPaneOfficeTheme
{
public:
    CXTPDockingPaneOffice2003Theme();
    virtual void RefreshMetrics();
    virtual void DrawCaption(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc);
    virtual CRect GetCaptionGripperRect(const CXTPDockingPaneTabbedContainer* pPane);
    virtual void DrawFloatingFrame(CDC* pDC, CXTPDockingPaneMiniWnd* pPane, CRect rc);
    virtual void DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption, const CString& strTitle,
                                 BOOL bActive, BOOL bVertical);

public:
    BOOL m_bDrawCaptionGripper;
    BOOL m_bRoundedCaption;

protected:
    // The Luna palette of a scheme (1 blue, 2 olive, 3 silver).
    void ApplyLunaPalette(int nScheme);
    void FillCaptionGradient(CDC* pDC, CRect rc, BOOL bActive, BOOL bVertical);
};

class CXTPDockingPaneShortcutBar2003Theme : public CXTPDockingPaneOffice2003Theme
{
public:
    CXTPDockingPaneShortcutBar2003Theme();
    virtual void RefreshMetrics();
};

class CXTPDockingPaneOffice2007Theme : public CXTPDockingPaneOffice2003Theme
{
public:
    CXTPDockingPaneOffice2007Theme();
    virtual void RefreshMetrics();
    virtual void DrawCaption(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc);
};

class CXTPDockingPaneVisioTheme : public CXTPDockingPaneOfficeTheme
{
public:
    CXTPDockingPaneVisioTheme();
    virtual void DrawPane(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc);
    virtual void DrawCaption(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc);
    virtual void AdjustCaptionRect(const CXTPDockingPaneTabbedContainer* pPane, CRect& rc);
    virtual void DrawFloatingFrame(CDC* pDC, CXTPDockingPaneMiniWnd* pPane, CRect rc);

protected:
    void DrawGripperLines(CDC* pDC, CRect rcStrip, int nStart, BOOL bActive, BOOL bVertical);
};

class CXTPDockingPaneNativeXPTheme : public CXTPDockingPaneOfficeTheme
{
public:
    CXTPDockingPaneNativeXPTheme();
    virtual void DrawCaption(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc);
    virtual void DrawFloatingFrame(CDC* pDC, CXTPDockingPaneMiniWnd* pPane, CRect rc);
    virtual void DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption, const CString& strTitle,
                                 BOOL bActive, BOOL bVertical);
};

class CXTPDockingPaneWhidbeyTheme : public CXTPDockingPaneOfficeTheme
{
public:
    // Tab colours of the Whidbey family.
    class CColorSetWhidbey : public CXTPTabPaintManager::CColorSetOffice2003
    {
    public:
        CColorSetWhidbey(BOOL bPanelSet, BOOL bSelectedOnly) : m_bSelectedOnly(bSelectedOnly), m_bPanelSet(bPanelSet) {}
        virtual void RefreshMetrics();
        virtual void FillItemFace(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem);
        virtual void FillHeader(CDC* pDC, CRect rc, CXTPTabManager* pTabManager);

        BOOL m_bSelectedOnly;
        BOOL m_bPanelSet;
    };

    class CColorSetVisualStudio2005 : public CColorSetWhidbey
    {
    public:
        CColorSetVisualStudio2005(BOOL bPanelSet) : CColorSetWhidbey(bPanelSet, TRUE) {}
        virtual void RefreshMetrics();
    };

    CXTPDockingPaneWhidbeyTheme();
    virtual void RefreshMetrics();
};

class CXTPDockingPaneVisualStudio2005SecondTheme : public CXTPDockingPaneWhidbeyTheme
{
public:
    CXTPDockingPaneVisualStudio2005SecondTheme();
    virtual void RefreshMetrics();
    virtual COLORREF DrawCaptionBackground(CDC* pDC, CRect rcCaption, BOOL bActive, BOOL bVertical);

    CXTPPaintManagerColor m_clrCaptionBorder;
};

class CXTPDockingPaneVisualStudio2005Theme : public CXTPDockingPaneVisualStudio2005SecondTheme
{
public:
    CXTPDockingPaneVisualStudio2005Theme();
};

// Removes the four corner pixels of a rectangle from a DC's clip region.
void AFX_CDECL XTPExcludeCorners(CDC* pDC, CRect rc);
