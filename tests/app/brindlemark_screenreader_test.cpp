// The game as a screen reader in another program (this one) meets it: a
// default action asked on a toolbar button or a menu item returns at once
// and then runs (the dialog it opens shows while the reader goes on), the
// open menus are named without their access keys' '&', and the pointer,
// followed into a docked or floating profile pane, reaches the grid's row
// under it.
// ctest: run-serial
// ctest: lock registry
#include "brindlemark_fixture.h"

#include "support/watchdog.h"

#include "resource.h"

#include <oleacc.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using namespace gametest;

namespace
{
// A reader's calls, made on a thread of their own with their own COM
// apartment, as a reader makes them from its program: a call that does not
// return blocks that thread only.
class ReaderCalls
{
public:
    explicit ReaderCalls(std::function<void()> fnCalls) : m_fnCalls(std::move(fnCalls))
    {
        m_hThread = ::CreateThread(NULL, 0, &ReaderCalls::Run, this, 0, NULL);
    }
    ~ReaderCalls()
    {
        // A call still blocked ends once the test has closed what it opened.
        if (m_hThread != NULL)
        {
            EXPECT_TRUE(EndWithin(30000)) << "the reader's call never returned";
            ::CloseHandle(m_hThread);
        }
    }
    // True once the calls have ended, waited for up to dwMilliseconds.
    bool EndWithin(DWORD dwMilliseconds)
    {
        const DWORD dwStart = ::GetTickCount();
        while (m_hThread != NULL && ::WaitForSingleObject(m_hThread, 0) == WAIT_TIMEOUT)
        {
            if (::GetTickCount() - dwStart > dwMilliseconds)
                return false;
            Wait(20);
        }
        return m_hThread != NULL;
    }

private:
    static DWORD WINAPI Run(LPVOID pv)
    {
        ::CoInitialize(NULL);
        static_cast<ReaderCalls*>(pv)->m_fnCalls();
        ::CoUninitialize();
        return 0;
    }
    std::function<void()> m_fnCalls;
    HANDLE m_hThread = NULL;
};

VARIANT Child(long nChild)
{
    VARIANT var;
    var.vt = VT_I4;
    var.lVal = nChild;
    return var;
}

std::wstring NameOf(IAccessible* pAcc, long nChild)
{
    BSTR bstr = NULL;
    pAcc->get_accName(Child(nChild), &bstr);
    std::wstring str = bstr != NULL ? bstr : L"";
    ::SysFreeString(bstr);
    return str;
}

// The client object of a window of the game.
IAccessible* ClientObject(HWND hWnd)
{
    IAccessible* pAcc = NULL;
    HRESULT hr = ::AccessibleObjectFromWindow(hWnd, (DWORD)OBJID_CLIENT, IID_IAccessible, (void**)&pAcc);
    EXPECT_TRUE(SUCCEEDED(hr) && pAcc != NULL) << "no accessible object, 0x" << std::hex << hr;
    return SUCCEEDED(hr) ? pAcc : NULL;
}

// The names of a bar (child 0) and of its controls.
std::vector<std::wstring> BarNames(HWND hBar)
{
    std::vector<std::wstring> names;
    ReaderCalls calls([&] {
        IAccessible* pAcc = ClientObject(hBar);
        long nCount = 0;
        if (pAcc != NULL && pAcc->get_accChildCount(&nCount) == S_OK)
            for (long i = 0; i <= nCount; i++)
                names.push_back(NameOf(pAcc, i));
        if (pAcc != NULL)
            pAcc->Release();
    });
    EXPECT_TRUE(calls.EndWithin(5000));
    return names;
}

// A reader's "do default action" on the control of a bar whose name starts
// with strName, asked of the control's own object; its answer goes to *phr.
std::function<void()> DefaultActionOf(HWND hBar, const std::wstring& strName, HRESULT* phr)
{
    return [hBar, strName, phr] {
        *phr = E_FAIL;
        IAccessible* pBar = ClientObject(hBar);
        if (pBar == NULL)
            return;
        long nCount = 0;
        pBar->get_accChildCount(&nCount);
        for (long i = 1; i <= nCount; i++)
        {
            IDispatch* pDispatch = NULL;
            IAccessible* pControl = NULL;
            if (NameOf(pBar, i).compare(0, strName.size(), strName) != 0 ||
                pBar->get_accChild(Child(i), &pDispatch) != S_OK || pDispatch == NULL)
                continue;
            pDispatch->QueryInterface(IID_IAccessible, (void**)&pControl);
            pDispatch->Release();
            if (pControl != NULL)
            {
                *phr = pControl->accDoDefaultAction(Child(CHILDID_SELF));
                pControl->Release();
            }
            break;
        }
        pBar->Release();
    };
}

// What a reader that follows the pointer finds at a point, and that
// object's default action asked then.
struct Pointed
{
    std::wstring strName;
    long nRole = 0;
    RECT rc = {};
    HRESULT hrAction = E_FAIL;
};

Pointed PointAt(POINT pt, bool bDefaultAction)
{
    Pointed found;
    {
        ReaderCalls calls([&] {
            IAccessible* pAcc = NULL;
            VARIANT var;
            ::VariantInit(&var);
            HRESULT hr = ::AccessibleObjectFromPoint(pt, &pAcc, &var);
            EXPECT_EQ(S_OK, hr);
            if (pAcc == NULL)
                return;
            found.strName = NameOf(pAcc, var.lVal);
            VARIANT role;
            ::VariantInit(&role);
            if (pAcc->get_accRole(var, &role) == S_OK && role.vt == VT_I4)
                found.nRole = role.lVal;
            long x = 0, y = 0, cx = 0, cy = 0;
            pAcc->accLocation(&x, &y, &cx, &cy, var);
            found.rc = {x, y, x + cx, y + cy};
            if (bDefaultAction)
                found.hrAction = pAcc->accDoDefaultAction(var);
            pAcc->Release();
        });
        EXPECT_TRUE(calls.EndWithin(5000)) << "the reader's calls at the point did not return";
    }
    return found;
}

// A row of a property grid's view, on the screen.
RECT RowRect(HWND hView, int nRow)
{
    RECT rc = {};
    ::SendMessage(hView, LB_GETITEMRECT, nRow, (LPARAM)&rc);
    ::MapWindowPoints(hView, NULL, (POINT*)&rc, 2);
    return rc;
}

POINT Centre(const RECT& rc)
{
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Pointing at a row of the pane's grid reaches the row; the row's default
// action returns at once and selects it.
void ExpectPointingReachesTheRows(HWND hPaneHolder, int nRow, const char* pszWhere)
{
    SCOPED_TRACE(pszWhere);
    HWND hView = LargestGridView(hPaneHolder);
    ASSERT_TRUE(hView != NULL);
    ASSERT_NE(nRow, (int)::SendMessage(hView, LB_GETCURSEL, 0, 0));
    const RECT rcRow = RowRect(hView, nRow);
    Pointed row = PointAt(Centre(rcRow), true);
    EXPECT_EQ(ROLE_SYSTEM_ROW, row.nRole) << "pointing reached no row";
    EXPECT_TRUE(SameRect(rcRow, row.rc)) << "the answer is not the row under the pointer";
    EXPECT_FALSE(row.strName.empty());
    EXPECT_EQ(S_OK, row.hrAction);
    for (int n = 0; n < 100 && (int)::SendMessage(hView, LB_GETCURSEL, 0, 0) != nRow; n++)
        Wait(50);
    EXPECT_EQ(nRow, (int)::SendMessage(hView, LB_GETCURSEL, 0, 0)) << "the row's default action did not select it";
}
} // namespace

// A reader's default action on the New Puzzle toolbar button and on the
// Help menu's About item returns at once; the dialog then opens. The menus
// it reads on the way are named without their access keys.
TEST_F(Brindlemark, AScreenReadersDefaultActionReturnsAtOnceAndThenRuns)
{
    testsupport::Watchdog watchdog("a screen reader's default action", 180000);
    Game game;
    watchdog.AlsoEnd(game.Handle());
    HWND hFrame = game.ToFront();
    ASSERT_TRUE(hFrame != NULL);

    std::vector<HWND> bars = Descendants(hFrame, "Standard", "XTPToolBar");
    ASSERT_EQ(1u, bars.size());
    HRESULT hr = E_FAIL;
    {
        ReaderCalls calls(DefaultActionOf(bars[0], L"New Puzzle", &hr));
        EXPECT_TRUE(calls.EndWithin(5000)) << "the call waits for the dialog it opened";
        HWND hNew = WaitForWindow(game.Pid(), "New Puzzle", 10000);
        EXPECT_TRUE(hNew != NULL) << "the button's command did not run";
        ::PostMessage(hNew, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(WaitUntilGone(hNew));
    }
    EXPECT_EQ(S_OK, hr);

    // File, then its Save Puzzle Image submenu, open: each menu and item is
    // named without its '&'.
    ChooseWithKeys(hFrame, 'F', {'I'});
    Wait(300);
    std::vector<std::wstring> menus;
    for (HWND hPopup : VisibleTopLevels(game.Pid(), "XTPPopupBar"))
    {
        const std::vector<std::wstring> names = BarNames(hPopup);
        menus.push_back(names.empty() ? L"" : names[0]);
        for (const std::wstring& str : names)
            EXPECT_EQ(std::wstring::npos, str.find(L'&')) << std::string(str.begin(), str.end());
    }
    std::sort(menus.begin(), menus.end());
    EXPECT_EQ((std::vector<std::wstring>{L"File", L"Save Puzzle Image"}), menus);
    PressKeys({VK_ESCAPE});
    PressKeys({VK_ESCAPE});
    PressKeys({VK_ESCAPE});

    ChooseWithKeys(hFrame, 'H', {});
    HWND hHelp = WaitForPopupBar(game.Pid());
    ASSERT_TRUE(hHelp != NULL);
    const std::vector<std::wstring> help = BarNames(hHelp);
    EXPECT_TRUE(!help.empty() && help[0] == L"Help");
    hr = E_FAIL;
    {
        ReaderCalls calls(DefaultActionOf(hHelp, L"About Brindlemark...", &hr));
        EXPECT_TRUE(calls.EndWithin(5000)) << "the call waits for the about box it opened";
        HWND hAbout = WaitForDialogOtherThan(game.Pid(), NULL, 10000);
        EXPECT_TRUE(hAbout != NULL) << "the item's command did not run";
        EXPECT_FALSE(AnyPopupBarVisible(game.Pid())) << "the menu stays open";
        ::PostMessage(hAbout, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(WaitUntilGone(hAbout));
    }
    EXPECT_EQ(S_OK, hr);
    EXPECT_EQ(0, game.Close());
}

// A reader following the pointer over a profile pane, docked and then
// floating, reaches the grid's rows; the caption answers the pane group.
TEST_F(Brindlemark, AScreenReaderFollowingThePointerReachesAPanesRows)
{
    testsupport::Watchdog watchdog("a screen reader over a pane", 180000);
    Game game;
    watchdog.AlsoEnd(game.Handle());
    HWND hFrame = game.ToFront();
    ASSERT_TRUE(hFrame != NULL);
    game.Command(ID_APPEARANCE_PANE);
    Wait(500);
    ExpectPointingReachesTheRows(hFrame, 2, "docked");
    std::vector<HWND> groups = Descendants(hFrame, "", "XTPDockingPaneTabbedContainer");
    ASSERT_EQ(1u, groups.size());
    const RECT rcGroup = WindowRect(groups[0]);
    const POINT ptCaption = {rcGroup.left + 30, rcGroup.top + 8};
    Pointed caption = PointAt(ptCaption, false);
    EXPECT_EQ(ROLE_SYSTEM_PAGETABLIST, caption.nRole);
    EXPECT_EQ(L"XTPDockingPaneTabbedContainer", caption.strName);

    // A double click on the caption floats the pane.
    ClickScreen(ptCaption, false, 2);
    HWND hFloating = NULL;
    for (int n = 0; n < 100 && hFloating == NULL; n++, Wait(50))
        hFloating = FloatingPane(game);
    ASSERT_TRUE(hFloating != NULL) << "the pane did not float";
    Wait(500);
    ExpectPointingReachesTheRows(hFloating, 3, "floating");
    EXPECT_EQ(0, game.Close());
}
