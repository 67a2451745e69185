// Frames that host command bars. The site base hands every frame message to
// the command bars first and lets them pre-translate keys; the frame base
// drops the frame's own accelerators once the shortcut manager has taken
// them over and hides the bars around print preview.
#pragma once

#include "XTPCommandBars.h"
#include "XTPShortcutManager.h"

class CXTPEdit;

// TRUE when the focus window is a command-bar edit that should get the key.
BOOL AFX_CDECL XTPFocusWantsKey(const MSG* pMsg);

template <class TBase>
class CXTPCommandBarsSiteBase : public TBase
{
public:
    CXTPCommandBarsSiteBase() : m_pCommandBars(NULL) {}
    virtual ~CXTPCommandBarsSiteBase()
    {
        if (m_pCommandBars != NULL)
            m_pCommandBars->InternalRelease();
        m_pCommandBars = NULL;
    }

    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }

    virtual BOOL PreTranslateMessage(MSG* pMsg)
    {
        if (XTPFocusWantsKey(pMsg))
            return FALSE;
        if (TBase::PreTranslateMessage(pMsg))
            return TRUE;
        return m_pCommandBars != NULL && m_pCommandBars->PreTranslateFrameMessage(pMsg);
    }

protected:
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
    {
        if (m_pCommandBars != NULL && m_pCommandBars->OnFrameWndMsg(message, wParam, lParam, pResult))
            return TRUE;
        return TBase::OnWndMsg(message, wParam, lParam, pResult);
    }

public:
    CXTPCommandBars* m_pCommandBars;
};

template <class TBase>
class CXTPFrameWndBase : public CXTPCommandBarsSiteBase<TBase>
{
public:
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL)
    {
        if (!TBase::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
            return FALSE;
        // Once the manager holds the resource table, only it translates keys:
        // the frame's own table goes, even when the working table is empty
        // (the player's shortcuts may all have been removed), so that the
        // keys that work are the keys the menus show.
        CXTPCommandBars* pCommandBars = this->m_pCommandBars;
        if (pCommandBars != NULL && pCommandBars->GetShortcutManager() != NULL &&
            pCommandBars->GetShortcutManager()->GetOriginalAccelerator() != NULL && this->m_hAccelTable != NULL)
        {
            ::DestroyAcceleratorTable(this->m_hAccelTable);
            this->m_hAccelTable = NULL;
        }
        return TRUE;
    }

    virtual void OnSetPreviewMode(BOOL bPreview, void* pState)
    {
        if (this->m_pCommandBars != NULL)
            this->m_pCommandBars->OnSetPreviewMode(bPreview);
        TBase::OnSetPreviewMode(bPreview, pState);
    }
};

// The frame of a single-document program with command bars.
class CXTPFrameWnd : public CXTPFrameWndBase<CFrameWnd>
{
    DECLARE_DYNCREATE(CXTPFrameWnd)
public:
    CXTPFrameWnd();
    virtual ~CXTPFrameWnd();

    // Creates the command bars through their run-time class, attaches them
    // to this frame and creates the dock bars.
    BOOL InitCommandBars(CRuntimeClass* pCommandBarsClass = NULL);
};

// The frame of a multiple-document program with command bars.
class CXTPMDIFrameWnd : public CXTPFrameWndBase<CMDIFrameWnd>
{
    DECLARE_DYNCREATE(CXTPMDIFrameWnd)
public:
    CXTPMDIFrameWnd();
    virtual ~CXTPMDIFrameWnd();

    // As CXTPFrameWnd::InitCommandBars.
    BOOL InitCommandBars(CRuntimeClass* pCommandBarsClass = NULL);
};
