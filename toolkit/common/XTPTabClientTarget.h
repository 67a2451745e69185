// What a tabbed MDI client offers the command bars, which are built without
// the tab manager: the refresh after an option change and the tab-group
// commands (9155 to 9158) that apply to the active child. The command bars
// find the client by its runtime class ("CXTPTabClientWnd") on the frame's
// MDI client window and reach it through this interface.
#pragma once

#include <afxwin.h>

// Sent to a frame that hosts command bars: answers its CXTPCommandBars*, or 0.
#define WM_XTP_GETCOMMANDBARS 0x2869

class CXTPTabClientTarget
{
public:
    virtual ~CXTPTabClientTarget() {}
    // Brings the tabs in step with the MDI children and lays them out again.
    virtual void RefreshClient(BOOL bRecalcLayout) = 0;
    // Whether the tab-group command applies to the active child now.
    virtual BOOL IsWorkspaceCommandEnabled(UINT nCommand) = 0;

    // The tabbed client of an MDI frame, or NULL (hWndMDIClient may be NULL).
    static CXTPTabClientTarget* FromMDIClient(HWND hWndMDIClient)
    {
        CWnd* pClient = hWndMDIClient != NULL ? CWnd::FromHandlePermanent(hWndMDIClient) : NULL;
        CRuntimeClass* pClass = CRuntimeClass::FromName("CXTPTabClientWnd");
        if (pClient == NULL || pClass == NULL || !pClient->IsKindOf(pClass))
            return NULL;
        return dynamic_cast<CXTPTabClientTarget*>(pClient);
    }
};
