// Windowless rich text: RTF and plain text are loaded, measured and drawn.
#include <gtest/gtest.h>

#include "XTPRichRender.h"
#include "support/testwindows.h"

namespace
{
class RichRenderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pRender = new CXTPRichRender();
        if (!m_pRender->IsAvailable())
            GTEST_SKIP() << "RICHED20 has no windowless text services here";
    }
    void TearDown() override
    {
        if (m_pRender != NULL)
            m_pRender->InternalRelease();
    }

    int DarkPixels(const testsupport::Canvas& canvas, const CRect& rc)
    {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; y++)
            for (int x = rc.left; x < rc.right; x++)
                if (canvas.Pixel(x, y) != RGB(255, 255, 255))
                    n++;
        return n;
    }

    CXTPRichRender* m_pRender = NULL;
};
} // namespace

TEST_F(RichRenderTest, DefaultFormatsComeFromTheMessageFont)
{
    const CHARFORMATW& cf = m_pRender->GetDefaultCharFormat();
    EXPECT_EQ(sizeof(CHARFORMATW), cf.cbSize);
    EXPECT_EQ(92u, sizeof(CHARFORMATW));
    EXPECT_EQ(0xE800000Fu, cf.dwMask);
    EXPECT_GT(cf.yHeight, 0);
    EXPECT_EQ(::GetSysColor(COLOR_BTNTEXT), cf.crTextColor);
    EXPECT_NE(0, cf.szFaceName[0]);
    const PARAFORMAT2& pf = m_pRender->GetDefaultParaFormat();
    EXPECT_EQ(156u, pf.cbSize);
    EXPECT_EQ(0x8001003Fu, pf.dwMask);
    EXPECT_EQ(PFA_LEFT, pf.wAlignment);
}

TEST_F(RichRenderTest, QueryForTheTextHostAnswersTheHost)
{
    void* pHost = NULL;
    EXPECT_EQ(S_OK, (HRESULT)m_pRender->ExternalQueryInterface(&XTP_IID_ITextHost, &pHost));
    EXPECT_NE(nullptr, pHost);
}

TEST_F(RichRenderTest, RtfIsReadAsRtfAndDrawn)
{
    EXPECT_GT(m_pRender->SetText("{\\rtf1 Hello {\\b bold} world}"), 0);
    testsupport::Canvas canvas(300, 60);
    CRect rc(0, 0, 300, 60);
    m_pRender->DrawText(canvas.DC(), rc);
    EXPECT_GT(DarkPixels(canvas, rc), 20);
    BSTR bstr = NULL;
    ASSERT_EQ(S_OK, m_pRender->GetTextService()->TxGetText(&bstr));
    EXPECT_EQ(0, wcsncmp(bstr, L"Hello bold world", 16)) << "no RTF markup in the text";
    ::SysFreeString(bstr);
}

TEST_F(RichRenderTest, PlainTextThatIsNotRtfIsStillShown)
{
    EXPECT_GT(m_pRender->SetText("just plain text"), 0);
    testsupport::Canvas canvas(300, 60);
    CRect rc(0, 0, 300, 60);
    m_pRender->DrawText(canvas.DC(), rc);
    EXPECT_GT(DarkPixels(canvas, rc), 20);
    BSTR bstr = NULL;
    ASSERT_EQ(S_OK, m_pRender->GetTextService()->TxGetText(&bstr));
    EXPECT_EQ(0, wcsncmp(bstr, L"just plain text", 15));
    ::SysFreeString(bstr);
}

TEST_F(RichRenderTest, EmptyTextClearsAndGivesZero)
{
    m_pRender->SetText("something");
    EXPECT_EQ(0, m_pRender->SetText(""));
    EXPECT_EQ(0, m_pRender->SetText(NULL));
    testsupport::Canvas canvas(100, 30);
    CRect rc(0, 0, 100, 30);
    m_pRender->DrawText(canvas.DC(), rc);
    EXPECT_EQ(0, DarkPixels(canvas, rc));
}

TEST_F(RichRenderTest, OneWordGetsAboutItsOwnWidthNotTheMaximum)
{
    m_pRender->SetText("Word");
    testsupport::Canvas canvas(10, 10);
    CSize szWord = m_pRender->GetTextExtent(canvas.DC(), 400);
    EXPECT_GT(szWord.cx, 5);
    EXPECT_LT(szWord.cx, 100);
    EXPECT_GT(szWord.cy, 5);
}

TEST_F(RichRenderTest, LongTextKeepsItsHeightAtTheFittedWidth)
{
    m_pRender->SetText("one two three four five six seven eight nine ten eleven twelve");
    testsupport::Canvas canvas(10, 10);
    CSize szWide = m_pRender->GetTextExtent(canvas.DC(), 2000);
    CSize szNarrow = m_pRender->GetTextExtent(canvas.DC(), 80);
    EXPECT_GT(szWide.cx, szNarrow.cx);
    EXPECT_GT(szNarrow.cy, szWide.cy) << "a narrow width wraps onto more lines";
    EXPECT_LE(szNarrow.cx, 160);
}

TEST_F(RichRenderTest, DefaultCharFormatColoursTheText)
{
    CHARFORMATW cf = m_pRender->GetDefaultCharFormat();
    cf.crTextColor = RGB(255, 0, 0);
    m_pRender->SetDefaultCharFormat(&cf);
    EXPECT_EQ(RGB(255, 0, 0), m_pRender->GetDefaultCharFormat().crTextColor);
    m_pRender->SetText("Red text");
    testsupport::Canvas canvas(200, 40);
    m_pRender->DrawText(canvas.DC(), CRect(0, 0, 200, 40));
    int nRed = 0;
    for (int y = 0; y < 40; y++)
        for (int x = 0; x < 200; x++)
        {
            COLORREF clr = canvas.Pixel(x, y);
            if (GetRValue(clr) > 150 && GetGValue(clr) < 100 && GetBValue(clr) < 100)
                nRed++;
        }
    EXPECT_GT(nRed, 5);
}

TEST(RichRenderLifetimeTest, ManyRendersComeAndGo)
{
    // The services are released before RICHED20 is unloaded; creating and
    // destroying renders over and over must stay sound: each still
    // measures its text, and none leaves a GDI object behind.
    DWORD dwGdiBefore = 0;
    for (int i = 0; i < 20; i++)
    {
        if (i == 1)
            dwGdiBefore = testsupport::GdiHighWater();   // the first run fills one-time caches
        CXTPRichRender* pRender = new CXTPRichRender();
        pRender->SetText("{\\rtf1 x}");
        {
            testsupport::Canvas canvas(20, 20);
            CSize szText = pRender->GetTextExtent(canvas.DC(), 50);
            EXPECT_GT(szText.cx, 0) << i;
            EXPECT_GT(szText.cy, 0) << i;
        }
        pRender->InternalRelease();
    }
    EXPECT_LE(testsupport::GdiHighWater(), dwGdiBefore) << "no GDI object is left behind";
}
