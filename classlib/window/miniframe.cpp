// System commands of a floating mini frame: a pop-up mini frame belongs to
// the frame that owns it, so the keyboard's system commands go there, as in
// any window of that frame. Alt (the menu key) reaches the frame's menu bar
// instead of the mini frame's own system menu, and Alt+F4 closes the frame
// when the mini frame shows itself as part of it (MFS_SYNCACTIVE). Under a
// window manager that takes Alt+F4 itself, F4 never reaches the program: the
// window manager asks the focused window to close, which arrives as a close
// command without a pointer position while Alt is still held.
#include <afxwin.h>

void CMiniFrameWnd::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((GetStyle() & WS_POPUP) != 0 && PassSysCommandToOwner(nID, lParam))
        return;
    CFrameWnd::OnSysCommand(nID, lParam);
}

BOOL CMiniFrameWnd::PassSysCommandToOwner(UINT nID, LPARAM lParam)
{
    CWnd* pOwner = GetTopLevelParent();
    if (pOwner == NULL || pOwner->m_hWnd == m_hWnd || !::IsWindowEnabled(pOwner->m_hWnd))
        return FALSE;
    switch (nID & 0xFFF0)
    {
    case SC_KEYMENU:
        break;
    case SC_CLOSE:
        // Only the keys close the owner; the mini frame's own close button or
        // system menu chosen with the mouse (which gives the pointer's
        // position) closes the mini frame.
        if ((GetStyle() & MFS_SYNCACTIVE) == 0 || ::GetKeyState(VK_MENU) >= 0 ||
            (::GetKeyState(VK_F4) >= 0 && lParam != 0))
            return FALSE;
        break;
    default:
        return FALSE;
    }
    // The owner may end while it runs the command: nothing of this window is
    // touched afterwards.
    pOwner->SendMessage(WM_SYSCOMMAND, nID, lParam);
    return TRUE;
}
