// The masked edit of the property grid's editor, on its own: what each mask
// character accepts, caret movement over fixed characters, deleting, the
// overtype switch and the clipboard.
// ctest: run-serial
// ctest: lock clipboard
#include "XTMaskEdit.h"
#include "support/window_host.h"
#include "support/wndtest.h"

namespace
{
::testing::Environment* const s_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment());

// Counts the beeps instead of sounding them, and the characters checked.
class CountingMaskEdit : public CXTMaskEditT<CEdit>
{
public:
    void NotifyPosNotInRange() override { m_nOutOfRange++; }
    void NotifyInvalidCharacter(TCHAR, TCHAR) override { m_nInvalid++; }
    BOOL CheckChar(TCHAR& nChar, int nPos) override
    {
        m_checked.push_back(nChar);
        return CXTMaskEditT<CEdit>::CheckChar(nChar, nPos);
    }
    int m_nOutOfRange = 0;
    int m_nInvalid = 0;
    std::string m_checked;
};

class MaskEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateHost(40, 40, 300, 100));
        ASSERT_TRUE(m_edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(10, 10, 280, 32), &m_host, 1));
        m_edit.SetFocus();
    }
    void TearDown() override
    {
        testsupport::SetKeyDown(VK_SHIFT, false);
        testsupport::SetKeyDown(VK_CONTROL, false);
        m_edit.DestroyWindow();
        m_host.DestroyWindow();
    }
    void Phone() { ASSERT_TRUE(m_edit.SetEditMask("(000) 000-0000", "(___) ___-____")); }
    void Type(const char* psz)
    {
        for (; *psz; ++psz)
            m_edit.SendMessage(WM_CHAR, (BYTE)*psz, 0);
    }
    void Key(UINT nKey) { m_edit.SendMessage(WM_KEYDOWN, nKey, 0); }
    CString Text()
    {
        CString str;
        m_edit.GetWindowText(str);
        return str;
    }
    int Caret()
    {
        int nStart, nEnd;
        m_edit.GetSel(nStart, nEnd);
        return nEnd;
    }
    void PutOnClipboard(const char* pszText)
    {
        ASSERT_TRUE(::OpenClipboard(m_host.m_hWnd));
        ::EmptyClipboard();
        if (pszText != NULL)
        {
            HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE, strlen(pszText) + 1);
            memcpy(::GlobalLock(hData), pszText, strlen(pszText) + 1);
            ::GlobalUnlock(hData);
            ::SetClipboardData(CF_TEXT, hData);
        }
        ::CloseClipboard();
    }
    CString ClipboardText()
    {
        CString str;
        if (::OpenClipboard(m_host.m_hWnd))
        {
            HGLOBAL hData = ::GetClipboardData(CF_TEXT);
            if (hData != NULL)
            {
                str = (LPCSTR)::GlobalLock(hData);
                ::GlobalUnlock(hData);
            }
            ::CloseClipboard();
        }
        return str;
    }

    testsupport::NotifyHost m_host;
    CountingMaskEdit m_edit;
};

TEST_F(MaskEditTest, PhoneMaskRefusesLettersAndSkipsFixedCharacters)
{
    Phone();
    EXPECT_STREQ("(___) ___-____", Text());
    m_edit.SetSel(0, 0);
    Type("5");
    EXPECT_STREQ("(5__) ___-____", Text());
    EXPECT_EQ(2, Caret());
    Type("x");
    EXPECT_EQ(1, m_edit.m_nInvalid);
    EXPECT_STREQ("(5__) ___-____", Text());
    Type("55123");
    EXPECT_STREQ("(555) 123-____", Text());
    EXPECT_EQ(10, Caret());  // past ") " and "-"

    // Left from an input position skips back over the fixed characters.
    m_edit.SetSel(6, 6);
    Key(VK_LEFT);
    EXPECT_EQ(3, Caret());
    m_edit.SetSel(3, 3);
    Key(VK_RIGHT);
    EXPECT_EQ(6, Caret());

    // Lengths that differ are refused.
    EXPECT_FALSE(m_edit.SetEditMask("000", "__"));
}

TEST_F(MaskEditTest, MaskCharactersAcceptTheirClasses)
{
    ASSERT_TRUE(m_edit.SetEditMask("dd&&>>", "______"));
    m_edit.SetSel(0, 0);
    Type(".,!;ab");
    EXPECT_STREQ(".,!;AB", Text());
    EXPECT_EQ(0, m_edit.m_nInvalid);

    // Backspace and space characters never reach the mask check.
    m_edit.m_checked.clear();
    m_edit.SendMessage(WM_CHAR, VK_BACK, 0);
    m_edit.SendMessage(WM_CHAR, ' ', 0);
    EXPECT_TRUE(m_edit.m_checked.empty());

    ASSERT_TRUE(m_edit.SetEditMask("0H?L", "____"));
    m_edit.SetSel(0, 0);
    Type("aG");  // no digits
    EXPECT_EQ(2, m_edit.m_nInvalid);
    Type("1z");  // a digit, then no hexadecimal digit
    EXPECT_EQ(3, m_edit.m_nInvalid);
    Type("F");
    EXPECT_STREQ("1F__", Text());
}

TEST_F(MaskEditTest, BackspaceAtTheStartBeepsAndDeleteShiftsTheRestLeft)
{
    Phone();
    m_edit.SetSel(0, 0);
    Type("5551234567");
    EXPECT_STREQ("(555) 123-4567", Text());

    m_edit.SetSel(0, 0);
    Key(VK_BACK);
    EXPECT_EQ(1, m_edit.m_nOutOfRange);
    m_edit.SetSel(0, 3);
    Key(VK_BACK);
    EXPECT_EQ(2, m_edit.m_nOutOfRange);
    EXPECT_STREQ("(555) 123-4567", Text());

    // Delete takes the selection's input characters out; later ones move left.
    m_edit.SetSel(1, 3);
    Key(VK_DELETE);
    EXPECT_STREQ("(512) 345-67__", Text());
    EXPECT_EQ(1, Caret());

    // Backspace deletes the digit before the caret.
    m_edit.SetSel(3, 3);
    Key(VK_BACK);
    EXPECT_STREQ("(523) 456-7___", Text());
    EXPECT_EQ(2, Caret());
}

TEST_F(MaskEditTest, InsertTogglesOvertypeAndClipboardKeysUseInputCharacters)
{
    Phone();
    m_edit.SetSel(0, 0);
    Type("123");
    m_edit.SetSel(1, 1);
    Type("9");
    EXPECT_STREQ("(912) 3__-____", Text());  // inserting shifts the rest

    Key(VK_INSERT);
    EXPECT_TRUE(m_edit.GetOverType());
    m_edit.SetSel(1, 1);
    Type("7");
    EXPECT_STREQ("(712) 3__-____", Text());  // overtyping replaces
    Key(VK_INSERT);
    EXPECT_FALSE(m_edit.GetOverType());

    // Ctrl+Insert copies the input characters of the selection.
    m_edit.SetSel(0, 7);
    testsupport::SetKeyDown(VK_CONTROL, true);
    Key(VK_INSERT);
    testsupport::SetKeyDown(VK_CONTROL, false);
    EXPECT_STREQ("7123", ClipboardText());

    // Shift+Insert pastes at the caret.
    PutOnClipboard("55");
    m_edit.SetSel(11, 11);
    testsupport::SetKeyDown(VK_SHIFT, true);
    Key(VK_INSERT);
    testsupport::SetKeyDown(VK_SHIFT, false);
    EXPECT_STREQ("(712) 3__-_55_", Text());
    EXPECT_EQ(13, Caret());

    // Undo takes the paste back.
    m_edit.SendMessage(WM_UNDO);
    EXPECT_STREQ("(712) 3__-____", Text());
}

TEST_F(MaskEditTest, PasteWithoutTextOnTheClipboardChangesNothing)
{
    Phone();
    m_edit.SetSel(0, 0);
    Type("123");
    PutOnClipboard(NULL);
    m_edit.SetSel(1, 4);
    m_edit.SendMessage(WM_PASTE);
    EXPECT_STREQ("(123) ___-____", Text());
    EXPECT_EQ(0, m_edit.m_nOutOfRange);
}

TEST_F(MaskEditTest, WithoutAMaskItIsAPlainEdit)
{
    m_edit.SetWindowText("plain");
    m_edit.SetSel(5, 5);
    Type("!");
    EXPECT_STREQ("plain!", Text());
    EXPECT_FALSE(m_edit.CanUseMask());

    // A read-only edit does not mask either.
    Phone();
    m_edit.SetReadOnly(TRUE);
    EXPECT_FALSE(m_edit.CanUseMask());
}
} // namespace
