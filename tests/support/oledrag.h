// An OLE drag started with the system's DoDragDrop and carried by real
// pointer input, for tests of drop targets (those carry "ctest: run-serial").
// The data dragged is a text put on the clipboard and taken back as the
// system's data object; the pointer is pressed at a start point, moved along
// a path by a timer that runs inside the drag's own loop, and released at the
// path's end. OLE must be started on the thread (OleInitialize).
#pragma once

#include "support/mouseinput.h"
#include "support/pump.h"

#include <ole2.h>
#include <windows.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace testsupport
{
// A drop source that drops when the left button is released and cancels
// on Escape.
class CTestDropSource : public IDropSource
{
public:
    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropSource))
        {
            *ppv = static_cast<IDropSource*>(this);
            return S_OK;
        }
        *ppv = NULL;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return 2; }
    STDMETHOD_(ULONG, Release)() override { return 1; }
    STDMETHOD(QueryContinueDrag)(BOOL fEscapePressed, DWORD grfKeyState) override
    {
        if (fEscapePressed)
            return DRAGDROP_S_CANCEL;
        return (grfKeyState & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
    }
    STDMETHOD(GiveFeedback)(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

// One drag: where it starts, the points it passes, what it carries, and a
// call made at each point once the drag has been over it for a while
// (nStep counts the points from 0; the call runs inside the drag).
struct OleDrag
{
    POINT ptStart = {0, 0};
    std::vector<POINT> path;
    std::string strText = "dragged text";
    DWORD dwAllowed = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    std::function<void(int nStep)> onPoint;

    // Result of the drag.
    HRESULT hr = E_FAIL;
    DWORD dwEffect = 0xFFFFFFFF;
    bool bStarted = false;
};

namespace oledrag_detail
{
inline OleDrag*& Current()
{
    static OleDrag* s_pDrag = NULL;
    return s_pDrag;
}
inline int& Tick()
{
    static int s_nTick = 0;
    return s_nTick;
}

// Every timer tick moves on: each point of the path is held for three
// ticks (the drag polls the target meanwhile), then the button goes up.
inline void CALLBACK Step(HWND, UINT, UINT_PTR nID, DWORD)
{
    OleDrag* pDrag = Current();
    if (pDrag == NULL)
    {
        ::KillTimer(NULL, nID);
        return;
    }
    const int nTick = Tick()++;
    const int nPoint = nTick / 3;
    if (nPoint < (int)pDrag->path.size())
    {
        POINT pt = pDrag->path[nPoint];
        SendInputs({MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, pt)});
        if (nTick % 3 == 2 && pDrag->onPoint)
            pDrag->onPoint(nPoint);
        return;
    }
    ::KillTimer(NULL, nID);
    POINT ptEnd = pDrag->path.empty() ? pDrag->ptStart : pDrag->path.back();
    SendInputs({MouseInput(MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE, ptEnd)});
}

// The text as the system's data object (through the clipboard).
inline IDataObject* TextDataObject(const std::string& strText)
{
    if (!::OpenClipboard(NULL))
        return NULL;
    ::EmptyClipboard();
    HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, strText.size() + 1);
    if (hText != NULL)
    {
        memcpy(::GlobalLock(hText), strText.c_str(), strText.size() + 1);
        ::GlobalUnlock(hText);
        if (::SetClipboardData(CF_TEXT, hText) == NULL)
            ::GlobalFree(hText);
    }
    ::CloseClipboard();
    IDataObject* pDataObject = NULL;
    if (FAILED(::OleGetClipboard(&pDataObject)))
        return NULL;
    return pDataObject;
}
} // namespace oledrag_detail

// Presses the button at the start point and runs DoDragDrop until the
// drag ends at the end of the path; the result is left in the drag.
inline void RunOleDrag(OleDrag& drag)
{
    IDataObject* pDataObject = oledrag_detail::TextDataObject(drag.strText);
    if (pDataObject == NULL)
        return;
    ::SetCursorPos(drag.ptStart.x, drag.ptStart.y);
    Pump(50);
    SendInputs({MouseInput(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE, drag.ptStart)});
    // The press is seen by the thread before the drag starts.
    for (int n = 0; n < 50 && ::GetKeyState(VK_LBUTTON) >= 0; n++)
        Pump(10);
    oledrag_detail::Current() = &drag;
    oledrag_detail::Tick() = 0;
    ::SetTimer(NULL, 0, 40, &oledrag_detail::Step);
    CTestDropSource source;
    DWORD dwEffect = 0;
    drag.bStarted = true;
    drag.hr = ::DoDragDrop(pDataObject, &source, drag.dwAllowed, &dwEffect);
    drag.dwEffect = dwEffect;
    oledrag_detail::Current() = NULL;
    pDataObject->Release();
    // The button is up whatever happened.
    if (::GetKeyState(VK_LBUTTON) < 0)
        SendInputs({MouseInput(MOUSEEVENTF_LEFTUP)});
    Pump(50);
}
} // namespace testsupport
