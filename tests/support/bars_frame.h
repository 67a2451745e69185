// A frame with command bars for tests: it records the commands it gets and
// can say that it handles "Customize..." so that the bars are customizable.
#pragma once

#include "XTPCommandBars.h"
#include "XTPControl.h"
#include "XTPControls.h"
#include "XTPFrameWnd.h"
#include "XTPToolBar.h"

#include <vector>

namespace testsupport
{
class CBarsFrame : public CXTPFrameWnd
{
public:
    CBarsFrame() : m_bCustomizable(FALSE), m_lNotifyResult(0) {}

    // Creates the window and the command bars; the frame deletes itself
    // when it is destroyed.
    static CBarsFrame* Create(CRect rc = CRect(20, 20, 620, 420), BOOL bCustomizable = FALSE)
    {
        CBarsFrame* pFrame = new CBarsFrame;
        pFrame->m_bCustomizable = bCustomizable;
        if (!pFrame->CFrameWnd::Create(NULL, "Bars", WS_OVERLAPPEDWINDOW, rc))
            return NULL;
        pFrame->InitCommandBars();
        pFrame->ShowWindow(SW_SHOWNA);
        return pFrame;
    }

    // A toolbar of caption buttons (ids and captions given).
    CXTPToolBar* AddToolBar(LPCTSTR lpszTitle, const std::vector<std::pair<int, const char*>>& buttons,
                            XTPBarPosition position = xtpBarTop)
    {
        CXTPToolBar* pBar = m_pCommandBars->Add(lpszTitle, position);
        for (const auto& button : buttons)
        {
            CXTPControl* pControl = pBar->GetControls()->Add(xtpControlButton, button.first);
            pControl->SetCaption(button.second);
            pControl->SetStyle(xtpButtonCaption);
        }
        RecalcLayout();
        return pBar;
    }

    std::vector<UINT> m_arrCommands;
    std::vector<UINT> m_arrNotifications;   // codes of WM_XTP_COMMAND
    BOOL m_bCustomizable;
    LRESULT m_lNotifyResult;                // what WM_XTP_COMMAND answers

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_XTP_COMMAND && lParam != 0)
        {
            m_arrNotifications.push_back(((NMXTPCONTROL*)lParam)->hdr.code);
            return m_lNotifyResult;
        }
        return CXTPFrameWnd::WindowProc(message, wParam, lParam);
    }
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam)
    {
        if (HIWORD(wParam) == 0 && lParam == 0)
            m_arrCommands.push_back(LOWORD(wParam));
        return CXTPFrameWnd::OnCommand(wParam, lParam);
    }
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
    {
        if (m_bCustomizable && nID == XTP_ID_CUSTOMIZE && nCode == CN_COMMAND)
            return TRUE;
        // Every other command counts as handled, so the bars keep it enabled.
        if (nCode == (int)CN_UPDATE_COMMAND_UI && nID >= 100 && nID < 1000)
        {
            ((CCmdUI*)pExtra)->Enable(TRUE);
            return TRUE;
        }
        return CXTPFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
};
} // namespace testsupport
