// The theme manager: shared factories and styles by theme number, private
// styles, and controls told when their style changes.
#include "support/themedcontrols.h"
#include "XTAuxData.h"
#include "XTButton.h"

using testsupport::ThemeTest;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);
} // namespace

namespace managertest
{
// A button that counts the theme changes it is told about.
class CountingButton : public CXTButton
{
public:
    explicit CountingButton(CRuntimeClass* pFactoryClass = NULL) : CXTButton(pFactoryClass) {}
    virtual void OnThemeChanged()
    {
        m_nThemeChanges++;
        CXTButton::OnThemeChanged();
    }
    int m_nThemeChanges = 0;
};

// A factory class that cannot be created by name, and one that makes no style.
class CUncreatableFactory : public CXTThemeManagerStyleFactory
{
    DECLARE_DYNAMIC(CUncreatableFactory)
};
IMPLEMENT_DYNAMIC(CUncreatableFactory, CXTThemeManagerStyleFactory)

class CNoStyleFactory : public CXTThemeManagerStyleFactory
{
    DECLARE_DYNCREATE(CNoStyleFactory)
};
IMPLEMENT_DYNCREATE(CNoStyleFactory, CXTThemeManagerStyleFactory)
} // namespace managertest

using namespace managertest;

TEST_F(ThemeTest, ButtonsOfOneKindShareOneFactoryAndOneStyle)
{
    CXTButton a, b;
    ASSERT_NE(nullptr, a.GetFactory());
    EXPECT_EQ(a.GetFactory(), b.GetFactory());
    EXPECT_EQ(XTThemeManager()->GetFactory(RUNTIME_CLASS(CXTButtonThemeFactory)), a.GetFactory());
    ASSERT_NE(nullptr, a.GetTheme());
    EXPECT_EQ(a.GetTheme(), b.GetTheme());
}

TEST_F(ThemeTest, ANewNumberReplacesTheSharedStyleOnceAndTellsItsControls)
{
    CountingButton button;
    button.SetStyleFlags(0, FALSE);     // the shared style
    button.m_nThemeChanges = 0;

    XTThemeManager()->SetTheme(xtThemeOffice2003);
    CXTButtonTheme* pStyle = button.GetTheme();
    ASSERT_NE(nullptr, dynamic_cast<CXTButtonThemeOffice2003*>(pStyle));
    EXPECT_EQ(xtThemeOffice2003, pStyle->GetThemeStyle());
    EXPECT_EQ(1, button.m_nThemeChanges);

    // The same number again rebuilds nothing and tells nobody.
    XTThemeManager()->SetTheme(xtThemeOffice2003);
    EXPECT_EQ(pStyle, button.GetTheme());
    EXPECT_EQ(1, button.m_nThemeChanges);

    XTThemeManager()->SetTheme(xtThemeOfficeXP);
    EXPECT_NE(nullptr, dynamic_cast<CXTButtonThemeOfficeXP*>(button.GetTheme()));
    EXPECT_EQ(nullptr, dynamic_cast<CXTButtonThemeOffice2003*>(button.GetTheme()));
    EXPECT_EQ(2, button.m_nThemeChanges);
}

TEST_F(ThemeTest, APrivateStyleSurvivesNumberChangesUntilItIsGivenBack)
{
    CountingButton button;
    CXTButton other;
    button.SetStyleFlags(BS_XT_XPFLAT, FALSE);
    CXTButtonTheme* pPrivate = button.GetTheme();
    ASSERT_NE(nullptr, pPrivate);
    EXPECT_NE(other.GetTheme(), pPrivate);

    XTThemeManager()->SetTheme(xtThemeOfficeXP);
    XTThemeManager()->SetTheme(xtThemeOffice2003);
    EXPECT_EQ(pPrivate, button.GetTheme());

    button.m_nThemeChanges = 0;
    button.CXTThemeManagerStyleHost::SetTheme(NULL);
    EXPECT_EQ(other.GetTheme(), button.GetTheme());
    EXPECT_EQ(xtThemeOffice2003, button.GetTheme()->GetThemeStyle());
    EXPECT_EQ(1, button.m_nThemeChanges);

    // Giving back a shared style again changes nothing.
    button.CXTThemeManagerStyleHost::SetTheme(NULL);
    EXPECT_EQ(1, button.m_nThemeChanges);
}

TEST_F(ThemeTest, FactoriesThatCannotBeMadeAreNotStoredAndLeaveTheControlWithoutStyle)
{
    const int nFactories = XTThemeManager()->GetFactoryCount();
    {
        CXTButton button(RUNTIME_CLASS(CUncreatableFactory));
        EXPECT_EQ(nullptr, button.GetFactory());
        EXPECT_FALSE(button.HasTheme());
        void* pValue = NULL;
        EXPECT_FALSE(XTThemeManager()->m_mapFactories.Lookup(RUNTIME_CLASS(CUncreatableFactory), pValue));

        // The colour operations do nothing; the face is the toolkit's.
        button.SetColors(RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9), RGB(10, 11, 12));
        button.SetXPColors(RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9));
        EXPECT_EQ(XTAuxData().clr3DFace, button.GetBackColor());
        DRAWITEMSTRUCT dis = {};
        button.DrawItem(&dis);
    }
    EXPECT_EQ(nFactories, XTThemeManager()->GetFactoryCount());

    CXTButton noStyle(RUNTIME_CLASS(CNoStyleFactory));
    ASSERT_NE(nullptr, noStyle.GetFactory());
    EXPECT_FALSE(noStyle.HasTheme());
    // A number change that yields no style keeps whatever there was.
    XTThemeManager()->SetTheme(xtThemeOfficeXP);
    EXPECT_FALSE(noStyle.HasTheme());
}

TEST_F(ThemeTest, DestroyingAFactoryDetachesTheControlsDrawingWithIt)
{
    CXTButton button;
    {
        CXTButtonThemeFactory factory;
        button.SetThemeFactory(&factory);
        EXPECT_EQ(&factory, button.GetFactory());
        EXPECT_NE(nullptr, button.GetTheme());
    }
    // The button falls back to the shared factory instead of a dead one.
    EXPECT_EQ(XTThemeManager()->GetFactory(RUNTIME_CLASS(CXTButtonThemeFactory)), button.GetFactory());
}
