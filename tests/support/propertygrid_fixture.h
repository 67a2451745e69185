// A property grid in a top-level host window that records the grid's
// notifications, with helpers that drive the grid's view as a user would.
#pragma once

#include "XTPPropertyGrid.h"
#include "support/window_host.h"
#include "support/wndtest.h"

namespace testsupport
{
class PropertyGridFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateHost(m_rcHost.left, m_rcHost.top, m_rcHost.Width(), m_rcHost.Height()));
        ASSERT_TRUE(m_grid.Create(m_rcGrid, &m_host, 1000));
        Boxes().texts.clear();
    }

    void TearDown() override
    {
        SetKeyDown(VK_SHIFT, false);
        SetKeyDown(VK_CONTROL, false);
        m_grid.DestroyWindow();
        m_host.DestroyWindow();
        PumpPending();
    }

    CXTPPropertyGridView& View() { return m_grid.GetGridView(); }

    // The items sent with a notification code, in order.
    std::vector<CXTPPropertyGridItem*> Notified(WPARAM nCode) const
    {
        std::vector<CXTPPropertyGridItem*> items;
        for (LPARAM lParam : m_host.Notes(nCode))
            items.push_back((CXTPPropertyGridItem*)lParam);
        return items;
    }
    size_t CountNotes(WPARAM nCode) const { return m_host.Notes(nCode).size(); }
    void ClearNotes() { m_host.m_notes.clear(); }

    // A point inside the caption or the value column of a shown item.
    CPoint CaptionPoint(CXTPPropertyGridItem* pItem)
    {
        CRect rc = pItem->GetItemRect();
        return CPoint(rc.left + View().GetDividerPos() / 2, rc.CenterPoint().y);
    }
    CPoint ValuePoint(CXTPPropertyGridItem* pItem)
    {
        CRect rc = pItem->GetValueRect();
        return CPoint(rc.left + 10, rc.CenterPoint().y);
    }

    void SendMouse(HWND hWnd, UINT message, CPoint pt, WPARAM wParam = 0)
    {
        ::SendMessage(hWnd, message, wParam, MAKELPARAM(pt.x, pt.y));
    }
    // The pointer put on a point of the view and its move reported, as a
    // player's hand does it (the view checks where the pointer really is).
    void HoverView(CPoint pt)
    {
        CPoint ptScreen = pt;
        View().ClientToScreen(&ptScreen);
        ::SetCursorPos(ptScreen.x, ptScreen.y);
        SendMouse(View().m_hWnd, WM_MOUSEMOVE, pt);
    }
    void ClickView(CPoint pt)
    {
        SendMouse(View().m_hWnd, WM_LBUTTONDOWN, pt, MK_LBUTTON);
        SendMouse(View().m_hWnd, WM_LBUTTONUP, pt);
    }
    void DoubleClickView(CPoint pt)
    {
        SendMouse(View().m_hWnd, WM_LBUTTONDBLCLK, pt, MK_LBUTTON);
        SendMouse(View().m_hWnd, WM_LBUTTONUP, pt);
        if (::GetCapture() != NULL)
            ::ReleaseCapture();
    }
    void SendKey(HWND hWnd, UINT nKey) { ::SendMessage(hWnd, WM_KEYDOWN, nKey, 0); }
    void SendChar(HWND hWnd, UINT nChar) { ::SendMessage(hWnd, WM_CHAR, nChar, 0); }

    CString EditText()
    {
        CString str;
        m_grid.GetInplaceEdit().GetWindowText(str);
        return str;
    }
    BOOL IsEditShown() { return m_grid.GetInplaceEdit().GetSafeHwnd() != NULL && m_grid.GetInplaceEdit().IsWindowVisible(); }
    BOOL IsListShown() { return m_grid.GetInplaceList().GetSafeHwnd() != NULL && m_grid.GetInplaceList().IsWindowVisible(); }

    CRect m_rcHost = CRect(40, 40, 360, 440);
    CRect m_rcGrid = CRect(10, 10, 290, 360);
    NotifyHost m_host;
    CXTPPropertyGrid m_grid;
};
} // namespace testsupport
