// ctest: run-serial (drives the real pointer, keyboard or foreground window)
// CMenu: ownership, temporaries, item queries.
#include <gtest/gtest.h>

#include <afxgdi.h>

#include <string>

TEST(MenuOwnership, DestructorDestroysTheMenu)
{
    HMENU h;
    {
        CMenu menu;
        ASSERT_TRUE(menu.CreatePopupMenu());
        h = menu.m_hMenu;
        EXPECT_TRUE(::IsMenu(h));
    }
    EXPECT_FALSE(::IsMenu(h));
}

TEST(MenuOwnership, DetachedMenuSurvives)
{
    HMENU h;
    {
        CMenu menu;
        ASSERT_TRUE(menu.CreateMenu());
        h = menu.Detach();
        EXPECT_EQ(NULL, menu.m_hMenu);
        EXPECT_EQ(NULL, menu.GetSafeHmenu());
    }
    EXPECT_TRUE(::IsMenu(h));
    ::DestroyMenu(h);
}

TEST(MenuOwnership, DestroyingAPopupOwnedByAMenuIsLeftToTheOwner)
{
    // The usual pattern: a popup built by one CMenu is handed to a menu bar
    // and detached, so only the bar destroys it.
    CMenu bar;
    ASSERT_TRUE(bar.CreateMenu());
    {
        CMenu popup;
        ASSERT_TRUE(popup.CreatePopupMenu());
        popup.AppendMenu(MF_STRING, 100, "&Item");
        ASSERT_TRUE(bar.AppendMenu(MF_POPUP, (UINT_PTR)popup.Detach(), "&File"));
    }
    CMenu* pSub = bar.GetSubMenu(0);
    ASSERT_NE(nullptr, pSub);
    EXPECT_TRUE(::IsMenu(pSub->m_hMenu));
    EXPECT_EQ(100u, pSub->GetMenuItemID(0));
    AfxDeleteTempMaps();
}

TEST(MenuTemporaries, SubMenuIsATemporaryFreedAtIdle)
{
    CMenu bar;
    ASSERT_TRUE(bar.CreateMenu());
    HMENU hPopup = ::CreatePopupMenu();
    ::AppendMenu(hPopup, MF_STRING, 7, "x");
    bar.AppendMenu(MF_POPUP, (UINT_PTR)hPopup, "Pop");

    CMenu* pSub = bar.GetSubMenu(0);
    ASSERT_NE(nullptr, pSub);
    EXPECT_EQ(hPopup, pSub->m_hMenu);
    EXPECT_EQ(pSub, CMenu::FromHandle(hPopup));
    EXPECT_EQ(nullptr, bar.GetSubMenu(5));
    EXPECT_EQ(1, CMenuHandleMap::GetThreadMap()->GetTemporaryCount());

    AfxDeleteTempMaps();
    EXPECT_EQ(0, CMenuHandleMap::GetThreadMap()->GetTemporaryCount());
    // The temporary did not destroy the pop-up; the bar still has it.
    EXPECT_TRUE(::IsMenu(hPopup));
    EXPECT_EQ(&bar, CMenu::FromHandle(bar.m_hMenu));
}

TEST(MenuItems, StringsAreCappedAt1024Characters)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    std::string longText(2000, 'x');
    longText[0] = 'A';
    ASSERT_TRUE(menu.AppendMenu(MF_STRING, 1, longText.c_str()));
    menu.AppendMenu(MF_STRING, 2, "Short");

    CString text;
    int nLength = menu.GetMenuString(1, text, MF_BYCOMMAND);
    EXPECT_EQ(1024, nLength);
    EXPECT_EQ(1024, text.GetLength());
    EXPECT_EQ('A', text[0]);

    EXPECT_EQ(5, menu.GetMenuString(1, text, MF_BYPOSITION));
    EXPECT_STREQ("Short", text);

    // Missing item: empty.
    EXPECT_EQ(0, menu.GetMenuString(99, text, MF_BYCOMMAND));
    EXPECT_TRUE(text.IsEmpty());

    char buffer[4];
    EXPECT_EQ(3, menu.GetMenuString(2, buffer, 4, MF_BYCOMMAND));
    EXPECT_STREQ("Sho", buffer);
}

TEST(MenuItems, CheckEnableAndRadio)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 10, "A");
    menu.AppendMenu(MF_STRING, 11, "B");
    menu.AppendMenu(MF_STRING, 12, "C");
    EXPECT_EQ(3u, menu.GetMenuItemCount());

    EXPECT_EQ((UINT)MF_UNCHECKED, menu.CheckMenuItem(10, MF_CHECKED));
    EXPECT_EQ((UINT)MF_CHECKED, menu.CheckMenuItem(10, MF_UNCHECKED));
    EXPECT_EQ((UINT)-1, menu.CheckMenuItem(99, MF_CHECKED));

    EXPECT_EQ((UINT)MF_ENABLED, menu.EnableMenuItem(11, MF_GRAYED));
    EXPECT_TRUE(menu.GetMenuState(11, MF_BYCOMMAND) & MF_GRAYED);

    EXPECT_TRUE(menu.CheckMenuRadioItem(10, 12, 12, MF_BYCOMMAND));
    EXPECT_TRUE(menu.GetMenuState(12, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(menu.GetMenuState(10, MF_BYCOMMAND) & MF_CHECKED);

    EXPECT_TRUE(menu.SetDefaultItem(11));
    EXPECT_EQ(11u, menu.GetDefaultItem(GMDI_USEDISABLED));
}

TEST(MenuItems, InsertModifyRemove)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 1, "One");
    menu.AppendMenu(MF_STRING, 3, "Three");
    ASSERT_TRUE(menu.InsertMenu(1, MF_BYPOSITION | MF_STRING, 2, "Two"));
    EXPECT_EQ(2u, menu.GetMenuItemID(1));
    ASSERT_TRUE(menu.ModifyMenu(2, MF_BYCOMMAND | MF_STRING, 22, "Twenty-two"));
    CString text;
    menu.GetMenuString(22, text, MF_BYCOMMAND);
    EXPECT_STREQ("Twenty-two", text);

    MENUITEMINFO mii;
    memset(&mii, 0, sizeof(mii));
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_ID;
    ASSERT_TRUE(menu.GetMenuItemInfo(2, &mii, TRUE));
    EXPECT_EQ(3u, mii.wID);
    mii.wID = 33;
    ASSERT_TRUE(menu.SetMenuItemInfo(2, &mii, TRUE));
    EXPECT_EQ(33u, menu.GetMenuItemID(2));
    EXPECT_FALSE(menu.GetMenuItemInfo(0, NULL, TRUE));

    EXPECT_TRUE(menu.RemoveMenu(22, MF_BYCOMMAND));
    EXPECT_TRUE(menu.DeleteMenu(0, MF_BYPOSITION));
    EXPECT_EQ(1u, menu.GetMenuItemCount());
}

TEST(MenuItems, LoadMissingResourceFails)
{
    CMenu menu;
    EXPECT_FALSE(menu.LoadMenu(64999));
    EXPECT_EQ(NULL, menu.m_hMenu);
    EXPECT_FALSE(menu.DestroyMenu());
}

TEST(MenuItems, LoadFromMemoryTemplate)
{
    // A minimal MENUITEMTEMPLATE: header, then one item "Z" (id 5), last.
    WORD tmpl[] = {0, 0, MF_END, 5, L'Z', 0};
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenuIndirect(tmpl));
    EXPECT_EQ(1u, menu.GetMenuItemCount());
    EXPECT_EQ(5u, menu.GetMenuItemID(0));
}

// ---------------------------------------------------------------------------
// Tracking (needs a window)

#include <afxwin.h>

TEST(MenuTracking, ReturnsTheChosenCommand)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP, 0, 0, 50, 50,
                               NULL, NULL));
    owner.SetForegroundWindow();
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 501, "First");
    menu.AppendMenu(MF_STRING, 502, "Second");

    // Keys waiting in the queue drive the menu's own loop: down twice, enter.
    owner.PostMessage(WM_KEYDOWN, VK_DOWN, 0);
    owner.PostMessage(WM_KEYDOWN, VK_DOWN, 0);
    owner.PostMessage(WM_KEYDOWN, VK_RETURN, 0);
    BOOL nChosen = menu.TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN, 10, 10, &owner);
    EXPECT_EQ(502, nChosen);

    // Escape: nothing chosen.
    owner.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(0, menu.TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY, 10, 10, &owner));

    // No window, no menu: refused at once.
    EXPECT_FALSE(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, NULL));
    CMenu empty;
    EXPECT_FALSE(empty.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner));
    owner.DestroyWindow();
}
