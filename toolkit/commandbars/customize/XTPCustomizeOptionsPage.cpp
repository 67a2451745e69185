#include "XTPCustomizeOptionsPage.h"
#include "XTPCustomizeSheet.h"
#include "XTPCustomizeResource.h"
#include "XTPCommandBars.h"
#include "XTPCommandBarsOptions.h"
#include "XTPResourceManager.h"
#include "XTPDCHelpers.h"

#ifndef TMT_BORDERCOLORHINT
#define TMT_BORDERCOLORHINT 3822
#endif
#ifndef TMT_TEXTCOLOR
#define TMT_TEXTCOLOR 3803
#endif

//////////////////////////////////////////////////////////////////////////
// CXTPGroupLine

BEGIN_MESSAGE_MAP(CXTPGroupLine, CStatic)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CXTPGroupLine::CXTPGroupLine()
{
}

void CXTPGroupLine::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    m_themeButton.OpenThemeData(m_hWnd, L"BUTTON");
}

void CXTPGroupLine::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);

    COLORREF clrText = ::GetSysColor(COLOR_BTNTEXT);
    COLORREF clrThemed = 0;
    BOOL bThemed = m_themeButton.IsValid();
    if (bThemed && SUCCEEDED(m_themeButton.GetThemeColor(4, 1, TMT_TEXTCOLOR, &clrThemed)))
        clrText = clrThemed;

    CString strText;
    GetWindowText(strText);
    BOOL bRTL = (GetExStyle() & WS_EX_RTLREADING) != 0;
    CFont* pFont = GetFont();
    CFont* pOldFont = pFont != NULL ? dc.SelectObject(pFont) : NULL;
    dc.SetTextColor(clrText);
    dc.SetBkMode(TRANSPARENT);
    // Captions use '&' for their access key, drawn underlined like a label.
    CRect rcText = rcClient;
    dc.DrawText(strText, rcText, DT_SINGLELINE | DT_VCENTER | DT_CALCRECT);
    int nTextWidth = rcText.Width();
    UINT nFormat = DT_SINGLELINE | DT_VCENTER | (bRTL ? (DT_RIGHT | DT_RTLREADING) : DT_LEFT);
    dc.DrawText(strText, rcClient, nFormat);
    if (pOldFont != NULL)
        dc.SelectObject(pOldFont);

    int y = rcClient.top + rcClient.Height() / 2;
    int xFrom = bRTL ? rcClient.left : rcClient.left + nTextWidth + 6;
    int xTo = bRTL ? rcClient.right - nTextWidth - 6 : rcClient.right;
    if (xTo <= xFrom)
        return;
    COLORREF clrLine = 0;
    if (bThemed && SUCCEEDED(m_themeButton.GetThemeColor(4, 1, TMT_BORDERCOLORHINT, &clrLine)))
    {
        dc.FillSolidRect(xFrom, y, xTo - xFrom, 1, clrLine);
    }
    else
    {
        dc.FillSolidRect(xFrom, y, xTo - xFrom, 1, ::GetSysColor(COLOR_BTNSHADOW));
        dc.FillSolidRect(xFrom, y + 1, xTo - xFrom, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    }
}

//////////////////////////////////////////////////////////////////////////
// CXTPCustomizeOptionsPage

BEGIN_MESSAGE_MAP(CXTPCustomizeOptionsPage, CPropertyPage)
    ON_BN_CLICKED(XTP_IDC_OPTIONS_FULLMENUS, OnCheckFullMenus)
    ON_BN_CLICKED(XTP_IDC_OPTIONS_AFTERDELAY, OnCheckAfterDelay)
    ON_BN_CLICKED(XTP_IDC_OPTIONS_LARGEICONS, OnCheckLargeIcons)
    ON_BN_CLICKED(XTP_IDC_OPTIONS_SCREENTIPS, OnCheckScreenTips)
    ON_BN_CLICKED(XTP_IDC_OPTIONS_SHORTCUTS, OnCheckShortcutKeys)
    ON_CBN_SELCHANGE(XTP_IDC_OPTIONS_ANIMATION, OnAnimationChanged)
    ON_BN_CLICKED(XTP_IDC_OPTIONS_RESETUSAGE, OnResetUsageData)
END_MESSAGE_MAP()

CXTPCustomizeOptionsPage::CXTPCustomizeOptionsPage(CXTPCustomizeSheet* pSheet)
    : CPropertyPage(XTP_IDD_PAGE_OPTIONS)
    , m_bAlwaysShowFullMenus(FALSE)
    , m_bShowFullAfterDelay(FALSE)
    , m_bLargeIcons(FALSE)
    , m_bToolBarScreenTips(FALSE)
    , m_bToolBarAccelTips(FALSE)
    , m_nAnimationType(0)
    , m_pSheet(pSheet)
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL)
    {
        CXTPCommandBarsOptions* pOptions = pCommandBars->GetCommandBarsOptions();
        m_bAlwaysShowFullMenus = pOptions->bAlwaysShowFullMenus;
        m_bShowFullAfterDelay = pOptions->bShowFullAfterDelay;
        m_bLargeIcons = pOptions->bLargeIcons;
        m_bToolBarScreenTips = pOptions->bToolBarScreenTips;
        m_bToolBarAccelTips = pOptions->bToolBarAccelTips;
        m_nAnimationType = pOptions->animationType;
    }
}

CXTPCustomizeOptionsPage::~CXTPCustomizeOptionsPage()
{
}

CXTPCommandBars* CXTPCustomizeOptionsPage::GetCommandBars() const
{
    return m_pSheet != NULL ? m_pSheet->GetCommandBars() : NULL;
}

void CXTPCustomizeOptionsPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Check(pDX, XTP_IDC_OPTIONS_FULLMENUS, m_bAlwaysShowFullMenus);
    DDX_Check(pDX, XTP_IDC_OPTIONS_AFTERDELAY, m_bShowFullAfterDelay);
    DDX_Check(pDX, XTP_IDC_OPTIONS_LARGEICONS, m_bLargeIcons);
    DDX_Check(pDX, XTP_IDC_OPTIONS_SCREENTIPS, m_bToolBarScreenTips);
    DDX_Check(pDX, XTP_IDC_OPTIONS_SHORTCUTS, m_bToolBarAccelTips);
    DDX_Control(pDX, XTP_IDC_OPTIONS_ANIMATION, m_comboAnimation);
    DDX_CBIndex(pDX, XTP_IDC_OPTIONS_ANIMATION, m_nAnimationType);
}

BOOL CXTPCustomizeOptionsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    if (CWnd* pDelay = GetDlgItem(XTP_IDC_OPTIONS_AFTERDELAY))
        pDelay->EnableWindow(!m_bAlwaysShowFullMenus);
    if (CWnd* pAccel = GetDlgItem(XTP_IDC_OPTIONS_SHORTCUTS))
        pAccel->EnableWindow(m_bToolBarScreenTips);
    if (GetDlgItem(XTP_IDC_OPTIONS_GROUP_MENUS) != NULL)
        m_wndGroupMenus.SubclassDlgItem(XTP_IDC_OPTIONS_GROUP_MENUS, this);
    if (GetDlgItem(XTP_IDC_OPTIONS_GROUP_OTHER) != NULL)
        m_wndGroupOther.SubclassDlgItem(XTP_IDC_OPTIONS_GROUP_OTHER, this);
    for (UINT nID = XTP_IDS_ANIMATION_SYSDEF; nID <= XTP_IDS_ANIMATION_NONE; nID++)
    {
        CString strText;
        XTPResourceManager()->LoadString(&strText, nID);
        m_comboAnimation.AddString(strText);
    }
    UpdateData(FALSE);
    return TRUE;
}

void CXTPCustomizeOptionsPage::OnCheckFullMenus()
{
    UpdateData(TRUE);
    if (CWnd* pDelay = GetDlgItem(XTP_IDC_OPTIONS_AFTERDELAY))
        pDelay->EnableWindow(!m_bAlwaysShowFullMenus);
    if (CXTPCommandBars* pCommandBars = GetCommandBars())
        pCommandBars->GetCommandBarsOptions()->bAlwaysShowFullMenus = m_bAlwaysShowFullMenus;
}

void CXTPCustomizeOptionsPage::OnCheckAfterDelay()
{
    UpdateData(TRUE);
    if (CXTPCommandBars* pCommandBars = GetCommandBars())
        pCommandBars->GetCommandBarsOptions()->bShowFullAfterDelay = m_bShowFullAfterDelay;
}

void CXTPCustomizeOptionsPage::OnCheckLargeIcons()
{
    UpdateData(TRUE);
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL)
        return;
    pCommandBars->GetCommandBarsOptions()->bLargeIcons = m_bLargeIcons;
    pCommandBars->RedrawCommandBars();
}

void CXTPCustomizeOptionsPage::OnCheckScreenTips()
{
    UpdateData(TRUE);
    if (CWnd* pAccel = GetDlgItem(XTP_IDC_OPTIONS_SHORTCUTS))
        pAccel->EnableWindow(m_bToolBarScreenTips);
    if (CXTPCommandBars* pCommandBars = GetCommandBars())
        pCommandBars->GetCommandBarsOptions()->bToolBarScreenTips = m_bToolBarScreenTips;
}

void CXTPCustomizeOptionsPage::OnCheckShortcutKeys()
{
    UpdateData(TRUE);
    if (CXTPCommandBars* pCommandBars = GetCommandBars())
        pCommandBars->GetCommandBarsOptions()->bToolBarAccelTips = m_bToolBarAccelTips;
}

void CXTPCustomizeOptionsPage::OnAnimationChanged()
{
    UpdateData(TRUE);
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL && m_nAnimationType >= 0)
        pCommandBars->GetCommandBarsOptions()->animationType = m_nAnimationType;
}

void CXTPCustomizeOptionsPage::OnResetUsageData()
{
    UpdateData(TRUE);
    CString strMessage;
    XTPResourceManager()->LoadString(&strMessage, XTP_IDS_CONFIRM_RESETUSAGE);
    if (AfxMessageBox(strMessage, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDYES)
        return;
    if (CXTPCommandBars* pCommandBars = GetCommandBars())
        pCommandBars->ResetUsageData();
}
