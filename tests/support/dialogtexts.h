// Whether the texts of a dialog template show whole: each static text,
// wrapped as the static wraps it, fits its control, and each push button,
// check box and radio button caption fits its button. The dialog is made
// from the template with a bare dialog procedure, so only the template's own
// texts and the dialog font are measured.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testsupport
{
inline INT_PTR CALLBACK BareDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// "<text>: needs WxH, has WxH" for every text of template nID that is cut;
// "no dialog" when the template cannot be made.
inline std::vector<std::string> CutDialogTexts(UINT nID, HINSTANCE hInstance = ::GetModuleHandle(NULL))
{
    std::vector<std::string> cut;
    HWND hDlg = ::CreateDialogParamA(hInstance, MAKEINTRESOURCEA(nID), NULL, &BareDialogProc, 0);
    if (hDlg == NULL)
    {
        cut.push_back("no dialog");
        return cut;
    }
    HDC hDC = ::GetDC(hDlg);
    HGDIOBJ hOldFont = ::SelectObject(hDC, (HFONT)::SendMessage(hDlg, WM_GETFONT, 0, 0));
    for (HWND hChild = ::GetWindow(hDlg, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        char szClass[64] = {0};
        char szText[512] = {0};
        ::GetClassNameA(hChild, szClass, sizeof(szClass));
        ::GetWindowTextA(hChild, szText, sizeof(szText));
        if (szText[0] == '\0')
            continue;
        const DWORD dwStyle = (DWORD)::GetWindowLongPtr(hChild, GWL_STYLE);
        RECT rcClient;
        ::GetClientRect(hChild, &rcClient);
        int nRoomWidth = rcClient.right;
        const int nRoomHeight = rcClient.bottom;
        UINT nFormat = DT_CALCRECT;
        if (lstrcmpiA(szClass, "Static") == 0)
        {
            const DWORD dwType = dwStyle & SS_TYPEMASK;
            if (dwType != SS_LEFT && dwType != SS_CENTER && dwType != SS_RIGHT && dwType != SS_LEFTNOWORDWRAP)
                continue;
            nFormat |= dwType == SS_LEFTNOWORDWRAP ? DT_SINGLELINE : DT_WORDBREAK;
            if (dwStyle & SS_NOPREFIX)
                nFormat |= DT_NOPREFIX;
        }
        else if (lstrcmpiA(szClass, "Button") == 0)
        {
            const DWORD dwType = dwStyle & BS_TYPEMASK;
            nFormat |= DT_SINGLELINE;
            if (dwType == BS_PUSHBUTTON || dwType == BS_DEFPUSHBUTTON)
                nRoomWidth -= 4;   // the button's frame
            else if (dwType == BS_CHECKBOX || dwType == BS_AUTOCHECKBOX || dwType == BS_RADIOBUTTON ||
                     dwType == BS_AUTORADIOBUTTON || dwType == BS_3STATE || dwType == BS_AUTO3STATE)
                nRoomWidth -= ::GetSystemMetrics(SM_CXMENUCHECK) + 4;   // the box and its gap
            else
                continue;
        }
        else
        {
            continue;
        }
        RECT rcText = {0, 0, nRoomWidth, 0};
        ::DrawTextA(hDC, szText, -1, &rcText, nFormat);
        if (rcText.right > nRoomWidth || rcText.bottom > nRoomHeight)
        {
            char szNote[640];
            wsprintfA(szNote, "%s: needs %dx%d, has %dx%d", szText, (int)rcText.right, (int)rcText.bottom, nRoomWidth,
                      nRoomHeight);
            cut.push_back(szNote);
        }
    }
    ::SelectObject(hDC, hOldFont);
    ::ReleaseDC(hDlg, hDC);
    ::DestroyWindow(hDlg);
    return cut;
}
} // namespace testsupport
