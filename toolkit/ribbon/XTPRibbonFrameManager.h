// The frame manager of a ribbon that draws the frame's caption.
#pragma once

#include "XTPOffice2007Theme.h"

class CXTPControls;
class CXTPRibbonBar;

// Fits the frame window around a ribbon that draws the frame's caption;
// the theme draws the frame's borders through it.
class CXTPRibbonFrameManager : public CXTPOffice2007FrameInfo
{
public:
    CXTPRibbonFrameManager(CWnd* pFrame, CXTPRibbonBar* pRibbonBar);
    virtual ~CXTPRibbonFrameManager();

    DWORD GetStyle(BOOL bEx = FALSE) const;
    BOOL IsMDIMaximized() const;
    virtual BOOL IsCaptionVisible() const;
    virtual int GetCaptionHeight() const;
    BOOL HasStatusBar(int* pnHeight = NULL) const;
    void DelayRecalcFrame();
    void UpdateFrameRegion(int cx, int cy, BOOL bForce = FALSE);
    void UpdateFrameRegion();
    void RefreshFrame();
    virtual BOOL IsFrameActive() const { return m_bActive; }
    virtual int GetFrameBorder() const { return m_nFrameBorder; }
    BOOL IsDwmEnabled() const { return m_bDwmEnabled; }
    virtual HWND GetFrameHwnd() const { return m_hWndFrame; }
    // The caption buttons are controls of the ribbon, drawn by it.
    virtual CXTPControls* GetCaptionButtons() const { return NULL; }

    // The frame's non-client messages: TRUE when handled here.
    BOOL OnFrameMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& lResult);

    // Whether the system composes the frame (dwmapi, looked up at run time).
    static BOOL AFX_CDECL IsCompositionEnabled();

public:
    HWND m_hWndFrame;
    CXTPRibbonBar* m_pRibbonBar;
    BOOL m_bActive;
    CSize m_szFrame;
    BOOL m_bDelayRecalc;
    BOOL m_bInUpdateRegion;
    int m_nFrameBorder;
    BOOL m_bDwmEnabled;
};
