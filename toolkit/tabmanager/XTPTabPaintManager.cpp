// Tab paint manager: settings, the appearance and colour set factories,
// fonts, and measuring and drawing of one tab's icon and caption.
#include "XTPTabPaintManager.h"

#include <algorithm>
#include <XTPDrawHelpers.h>
#include <XTPSystemHelpers.h>

namespace
{
// Vertical fonts are never smaller than this height.
const LONG kMinVerticalFontHeight = -11;
// Room between an item's icon and its caption.
const int kIconTextGap = 2;
} // namespace

CXTPTabPaintManager::CXTPTabPaintManager()
    : m_bHotTracking(FALSE), m_bShowIcons(TRUE), m_bBoldSelected(FALSE), m_bBoldNormal(FALSE),
      m_bDisableLunaColors(FALSE), m_bOneNoteColors(FALSE), m_clientFrame(xtpTabFrameBorder), m_bStaticFrame(FALSE),
      m_rcClientMargin(0, 0, 0, 0), m_rcControlMargin(0, 0, 0, 0), m_rcButtonMargin(0, 0, 0, 0),
      m_rcButtonTextPadding(6, 0, 6, 0), m_bInvertGradient(FALSE), m_bFillBackground(TRUE), m_szIcon(16, 16),
      m_bDrawTextPathEllipsis(FALSE), m_bDrawTextEndEllipsis(TRUE), m_bDrawTextNoPrefix(TRUE),
      m_nDrawTextFormat(DT_VCENTER), m_bDrawTextHidePrefix(FALSE), m_bMultiRowFixedSelection(FALSE),
      m_bMultiRowJustified(TRUE), m_bDrawFocusRect(TRUE), m_bShowTabs(TRUE), m_bSelectOnDragOver(TRUE),
      m_nButtonExtraLength(0), m_bSelectOnButtonDown(TRUE), m_bClearTypeTextQuality(FALSE),
      m_bRotateImageOnVerticalDraw(FALSE), m_bClipHeader(TRUE), m_nMinTabWidth(0), m_nMaxTabWidth(0),
      m_nFixedTabWidth(70), m_toolBehaviour(xtpTabToolTipShrinkedOnly), m_bUseStandardFont(TRUE),
      m_pAppearanceSet(NULL), m_pColorSet(NULL), m_nAppearance(0), m_nColor(0), m_tabPosition(xtpTabPositionTop),
      m_tabLayout(xtpTabLayoutAutoSize), m_nAutomaticColorCounter(0)
{
    EnableAutomation();

    LOGFONT lf = {};
    ::SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof(LOGFONT), &lf, 0);
    SetFontIndirect(&lf, TRUE);

    SetAppearance(xtpTabAppearancePropertyPage);
    RefreshMetrics();
}

CXTPTabPaintManager::~CXTPTabPaintManager()
{
    delete m_pAppearanceSet;
    delete m_pColorSet;
}

CXTPTabPaintManager::CAppearanceSet* CXTPTabPaintManager::SetAppearance(int nAppearance)
{
    m_nAppearance = nAppearance;
    CAppearanceSet* pSet;
    switch (nAppearance)
    {
    case xtpTabAppearancePropertyPageSelected: pSet = new CAppearanceSetPropertyPageSelected(); break;
    case xtpTabAppearancePropertyPageFlat: pSet = new CAppearanceSetPropertyPageFlat(); break;
    case xtpTabAppearancePropertyPage2003: pSet = new CAppearanceSetPropertyPage2003(); break;
    case xtpTabAppearanceStateButtons: pSet = new CAppearanceSetStateButtons(); break;
    case xtpTabAppearanceVisualStudio:
        pSet = new CAppearanceSetVisualStudio();
        pSet->m_rcHeaderMargin.SetRect(4, 2, 4, 0);
        break;
    case xtpTabAppearanceFlat: pSet = new CAppearanceSetFlat(); break;
    case xtpTabAppearanceExcel: pSet = new CAppearanceSetExcel(); break;
    case xtpTabAppearanceVisio: pSet = new CAppearanceSetVisio(); break;
    case xtpTabAppearanceVisualStudio2005: pSet = new CAppearanceSetVisualStudio2005(); break;
    default: pSet = new CAppearanceSetPropertyPage(); break;
    }
    return SetAppearanceSet(pSet);
}

CXTPTabPaintManager::CAppearanceSet* CXTPTabPaintManager::SetAppearanceSet(CAppearanceSet* pAppearanceSet)
{
    if (pAppearanceSet != NULL)
    {
        delete m_pAppearanceSet;
        m_pAppearanceSet = pAppearanceSet;
        pAppearanceSet->m_pPaintManager = this;
        pAppearanceSet->RefreshMetrics();
        SetColor(pAppearanceSet->GetDefaultColorSet());
    }
    OnPropertyChanged();
    return m_pAppearanceSet;
}

CXTPTabPaintManager::CColorSet* CXTPTabPaintManager::SetColor(int nColor)
{
    m_nColor = nColor;
    CColorSet* pSet;
    switch (nColor)
    {
    case xtpTabColorVisualStudio: pSet = new CColorSetVisualStudio(); break;
    case xtpTabColorOffice2003: pSet = new CColorSetOffice2003(); break;
    case xtpTabColorWinXP: pSet = new CColorSetWinXP(); break;
    case xtpTabColorWhidbey: pSet = new CColorSetWhidbey(); break;
    case xtpTabColorOffice2007: pSet = new CColorSetOffice2007(); break;
    default: pSet = new CColorSetDefault(); break;
    }
    return SetColorSet(pSet);
}

CXTPTabPaintManager::CColorSet* CXTPTabPaintManager::SetColorSet(CColorSet* pColorSet)
{
    if (pColorSet != NULL)
    {
        delete m_pColorSet;
        m_pColorSet = pColorSet;
        pColorSet->m_pPaintManager = this;
        pColorSet->RefreshMetrics();
    }
    OnPropertyChanged();
    return m_pColorSet;
}

void CXTPTabPaintManager::SetPosition(XTPTabPosition tabPosition)
{
    m_tabPosition = tabPosition;
    OnPropertyChanged();
}

void CXTPTabPaintManager::SetLayout(XTPTabLayoutStyle tabLayout)
{
    m_tabLayout = tabLayout;
    OnPropertyChanged();
}

void CXTPTabPaintManager::SetFontIndirect(LOGFONT* pLogFont, BOOL bUseStandardFont)
{
    m_bUseStandardFont = bUseStandardFont;
    LOGFONT lf = *pLogFont;
    if (m_bClearTypeTextQuality && XTPOSVersionInfo()->IsClearTypeTextQualitySupported())
        lf.lfQuality = 5;   // CLEARTYPE_QUALITY

    m_fntNormal.DeleteObject();
    m_fntBold.DeleteObject();
    m_fntVerticalNormal.DeleteObject();
    m_fntVerticalBold.DeleteObject();

    lf.lfWeight = m_bBoldNormal ? FW_BOLD : FW_NORMAL;
    m_fntNormal.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fntBold.CreateFontIndirect(&lf);

    CString strFace = CXTPDrawHelpers::GetDefaultFontName();
    lstrcpyn(lf.lfFaceName, strFace, LF_FACESIZE);
    lf.lfEscapement = 2700;
    lf.lfOrientation = 900;
    if (lf.lfHeight < 0 && lf.lfHeight > kMinVerticalFontHeight)
        lf.lfHeight = kMinVerticalFontHeight;
    lf.lfWeight = m_bBoldNormal ? FW_BOLD : FW_NORMAL;
    m_fntVerticalNormal.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fntVerticalBold.CreateFontIndirect(&lf);
}

void CXTPTabPaintManager::RefreshMetrics()
{
    if (m_bUseStandardFont)
    {
        LOGFONT lf = {};
        ::SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof(LOGFONT), &lf, 0);
        SetFontIndirect(&lf, TRUE);
    }
    if (m_pColorSet != NULL)
        m_pColorSet->RefreshMetrics();
    if (m_pAppearanceSet != NULL)
        m_pAppearanceSet->RefreshMetrics();
}

void CXTPTabPaintManager::OnPropertyChanged()
{
    for (int i = 0; i < m_arrAtoms.GetSize(); i++)
        m_arrAtoms[i]->OnPropertyChanged();
}

void CXTPTabPaintManager::AddAtom(CXTPTabManagerAtom* pAtom)
{
    for (int i = 0; i < m_arrAtoms.GetSize(); i++)
    {
        if (m_arrAtoms[i] == pAtom)
            return;
    }
    m_arrAtoms.Add(pAtom);
}

void CXTPTabPaintManager::RemoveAtom(CXTPTabManagerAtom* pAtom)
{
    for (int i = 0; i < m_arrAtoms.GetSize(); i++)
    {
        if (m_arrAtoms[i] == pAtom)
        {
            m_arrAtoms.RemoveAt(i);
            return;
        }
    }
}

void CXTPTabPaintManager::DrawFocusRect(CDC* pDC, CXTPTabManagerItem* pItem, CRect rc)
{
    if (!m_bDrawFocusRect)
        return;
    rc.DeflateRect(3, 3);
    pDC->SetTextColor(0);
    pDC->SetBkColor(0xFFFFFF);
    pDC->DrawFocusRect(rc);
}

void CXTPTabPaintManager::DrawTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl)
{
    m_pAppearanceSet->DrawTabControl(pTabManager, pDC, rcControl);
}

void CXTPTabPaintManager::AdjustClientRect(CXTPTabManager* pTabManager, CRect& rcClient)
{
    if (m_bStaticFrame)
        DeflateRectForPosition(rcClient, CRect(2, 1, 2, 2), pTabManager->GetPosition());
    if (pTabManager->GetItemCount() > 0)
        m_pAppearanceSet->AdjustClientRect(pTabManager, rcClient);
}

void CXTPTabPaintManager::RepositionTabControlEntry(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl)
{
    pTabManager->m_rcHeaderRect.SetRectEmpty();
    pTabManager->m_rcControl = rcControl;
    pTabManager->m_rcClient = rcControl;
    pTabManager->m_pRowIndexer->CreateIndexer(1);
    for (int i = 0; i < pTabManager->GetItemCount(); i++)
        pTabManager->GetItem(i)->m_nItemRow = 0;
    m_pAppearanceSet->RepositionTabControl(pTabManager, pDC, rcControl);
    AdjustClientRect(pTabManager, pTabManager->m_rcClient);
}

void CXTPTabPaintManager::FillNavigateButton(CDC* pDC, CXTPTabManager::CNavigateButton* pButton, CRect& rc)
{
    m_pColorSet->FillNavigateButton(pDC, pButton, rc);
}

void CXTPTabPaintManager::EnsureVisible(CXTPTabManager* pTabManager, CXTPTabManagerItem* pItem)
{
    CRect rcHeader = pTabManager->m_rcHeaderRect;
    CRect rcItem = pItem->m_rcItem;
    if (rcHeader.IsRectEmpty() || rcItem.IsRectEmpty())
        return;

    BOOL bHorizontal = IsHorizontalPosition(pTabManager->GetPosition());
    int nHeaderStart = bHorizontal ? rcHeader.left : rcHeader.top;
    int nHeaderEnd = bHorizontal ? rcHeader.right : rcHeader.bottom;
    int nItemStart = bHorizontal ? rcItem.left : rcItem.top;
    int nItemEnd = bHorizontal ? rcItem.right : rcItem.bottom;
    int nOffset = pTabManager->GetScrollOffset();

    if (nItemStart < nHeaderStart)
        pTabManager->SetScrollOffset(nOffset + (nHeaderStart - nItemStart) + m_pAppearanceSet->GetHeaderMargin().left);
    else if (nItemEnd > nHeaderEnd)
        pTabManager->SetScrollOffset(nOffset - (nItemEnd - nHeaderEnd));
}

void AFX_CDECL CXTPTabPaintManager::InflateRectForPosition(CRect& rc, const CRect& m, XTPTabPosition position)
{
    switch (position)
    {
    case xtpTabPositionTop: rc.InflateRect(m.left, m.top, m.right, m.bottom); break;
    case xtpTabPositionLeft: rc.InflateRect(m.top, m.left, m.bottom, m.right); break;
    case xtpTabPositionBottom: rc.InflateRect(m.left, m.bottom, m.right, m.top); break;
    case xtpTabPositionRight: rc.InflateRect(m.bottom, m.left, m.top, m.right); break;
    }
}

void AFX_CDECL CXTPTabPaintManager::DeflateRectForPosition(CRect& rc, const CRect& m, XTPTabPosition position)
{
    InflateRectForPosition(rc, CRect(-m.left, -m.top, -m.right, -m.bottom), position);
}

int CXTPTabPaintManager::ClampItemLength(int nLength) const
{
    nLength += m_rcButtonMargin.left + m_rcButtonMargin.right;
    if (m_nMinTabWidth > 0)
        nLength = std::max(nLength, m_nMinTabWidth);
    if (m_nMaxTabWidth > 0)
        nLength = std::min(nLength, m_nMaxTabWidth);
    return nLength;
}

namespace
{
int TextWidth(CDC* pDC, const CString& strText, UINT nFormat)
{
    if (strText.IsEmpty())
        return 0;
    CRect rcText(0, 0, 0, 0);
    pDC->DrawText(strText, rcText, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP | (nFormat & DT_NOPREFIX));
    return rcText.Width();
}

// A caption as the strip draws it.
CString DisplayCaption(CXTPTabPaintManager* pPaintManager, CXTPTabManagerItem* pItem)
{
    CString strCaption = pItem->GetCaption();
    if (pPaintManager->m_bDrawTextHidePrefix)
        CXTPDrawHelpers::StripMnemonics(strCaption);
    return strCaption;
}
} // namespace

CString AFX_CDECL CXTPTabPaintManager::FitEndEllipsis(CDC* pDC, const CString& strText, int nRoom)
{
    if (strText.IsEmpty() || pDC->GetTextExtent(strText).cx <= nRoom)
        return strText;
    // The longest start of the text that fits with "..." after it. The
    // width grows with the length, so the length is found by halving: a
    // title of any length costs a few dozen measures. No character is
    // narrower than a pixel, so no more than nRoom characters can fit.
    const CString strDots("...");
    int nLow = 0;                                              // fits
    int nHigh = std::min(strText.GetLength() - 1, std::max(nRoom, 0)) + 1;   // does not fit
    while (nHigh - nLow > 1)
    {
        int nMiddle = nLow + (nHigh - nLow) / 2;
        if (pDC->GetTextExtent(strText.Left(nMiddle) + strDots).cx <= nRoom)
            nLow = nMiddle;
        else
            nHigh = nMiddle;
    }
    return strText.Left(nLow) + strDots;
}

void AFX_CDECL CXTPTabPaintManager::DrawVerticalText(CDC* pDC, const CString& strText, CRect rc, BOOL bCenter)
{
    if (strText.IsEmpty() || rc.Height() <= 0)
        return;
    // A font turned by 270 degrees runs downwards from its reference point
    // and extends to the left of it.
    CString strDraw = FitEndEllipsis(pDC, strText, rc.Height());
    CSize sz = pDC->GetTextExtent(strDraw);
    int x = bCenter ? rc.left + (rc.Width() + sz.cy) / 2 : rc.right;
    UINT nOldAlign = pDC->SetTextAlign(TA_LEFT | TA_TOP);
    pDC->ExtTextOut(x, rc.top, ETO_CLIPPED, rc, strDraw, NULL);
    pDC->SetTextAlign(nOldAlign);
}

CString AFX_CDECL CXTPTabPaintManager::FormatMiddleEllipsis(CDC* pDC, const CString& strText, int nAvailable,
                                                           UINT nFormat)
{
    CString strMeasure = strText;
    if ((nFormat & DT_NOPREFIX) == 0)
        CXTPDrawHelpers::StripMnemonics(strMeasure);
    const int nTextWidth = pDC->GetTextExtent(strMeasure).cx;
    if (nTextWidth <= nAvailable)
        return strText;
    const CString strDots("...");
    const int nDotsWidth = pDC->GetTextExtent(strDots).cx;
    if (nDotsWidth >= nAvailable)
        return strDots;

    // n characters are kept, the first n - n/2 and the last n/2.
    const int nRoom = nAvailable - nDotsWidth;
    const int nLength = strText.GetLength();
    auto widthOf = [&](int n) { return pDC->GetTextExtent(strText.Left(n - n / 2) + strText.Right(n / 2)).cx; };
    int n = (int)((LONGLONG)nLength * nRoom / std::max(nTextWidth, 1));
    n = std::max(0, std::min(n, nLength));
    while (n < nLength && widthOf(n + 1) < nRoom)
        n++;
    while (n > 0 && widthOf(n) > nRoom)
        n--;
    return strText.Left(n - n / 2) + strDots + strText.Right(n / 2);
}

void AFX_CDECL CXTPTabPaintManager::DrawTextMiddleEllipsis(CDC* pDC, const CString& strText, CRect rc, UINT nFormat)
{
    if (strText.Find('\\') >= 0)
    {
        CString strCopy = strText;
        pDC->DrawText(strCopy, rc, nFormat | DT_PATH_ELLIPSIS);
        return;
    }
    pDC->DrawText(FormatMiddleEllipsis(pDC, strText, rc.Width(), nFormat), rc, nFormat);
}

int CXTPTabPaintManager::MeasureCompressed(CXTPTabManager* pTabManager, CDC* pDC, CXTPTabManagerItem* pItem)
{
    CSize szIcon = m_szIcon;
    BOOL bIcon = m_bShowIcons && pTabManager->DrawIcon(pDC, CPoint(0, 0), pItem, FALSE, szIcon);
    BOOL bHorizontal = IsHorizontalPosition(pTabManager->GetPosition());
    int nIcon = bIcon ? (bHorizontal ? szIcon.cy : szIcon.cx) : 0;
    if (pItem != pTabManager->GetSelectedItem())
        return ClampItemLength(nIcon + 8);

    int nWidest = 0;
    for (int i = 0; i < pTabManager->GetItemCount(); i++)
        nWidest = std::max(nWidest, TextWidth(pDC, DisplayCaption(this, pTabManager->GetItem(i)),
                                         m_bDrawTextNoPrefix ? DT_NOPREFIX : 0));
    if (bIcon && nWidest > 0)
        nIcon += kIconTextGap;
    return ClampItemLength(m_rcButtonTextPadding.left + m_rcButtonTextPadding.right + nIcon + nWidest);
}

int CXTPTabPaintManager::DrawItemIconAndText(CDC* pDC, CXTPTabManagerItem* pItem, CRect rcItem, BOOL bDraw)
{
    CXTPTabManager* pTabManager = pItem->GetTabManager();
    const XTPTabPosition position = pTabManager->GetPosition();
    const XTPTabLayoutStyle layout = pTabManager->GetLayout();
    BOOL bHorizontalText = IsHorizontalPosition(position);
    if (layout == xtpTabLayoutRotated)
        bHorizontalText = !bHorizontalText;

    if (!bDraw)
    {
        if (layout == xtpTabLayoutFixed)
            return ClampItemLength(m_nFixedTabWidth);
        if (layout == xtpTabLayoutCompressed)
            return MeasureCompressed(pTabManager, pDC, pItem);
    }

    const BOOL bBold = m_bBoldSelected && pTabManager->IsActive() && pItem->IsSelected();
    CFont* pFont = bHorizontalText ? (bBold ? &m_fntBold : &m_fntNormal)
                                   : (bBold ? &m_fntVerticalBold : &m_fntVerticalNormal);
    CXTPFontDC font(pDC, pFont);

    CSize szIcon = m_szIcon;
    BOOL bIcon = m_bShowIcons && pTabManager->DrawIcon(pDC, CPoint(0, 0), pItem, FALSE, szIcon);
    const CString strCaption = DisplayCaption(this, pItem);
    const UINT nNoPrefix = m_bDrawTextNoPrefix ? DT_NOPREFIX : 0;

    if (!bDraw)
    {
        int nIcon = bIcon ? (IsHorizontalPosition(position) ? szIcon.cy : szIcon.cx) : 0;
        int nText = TextWidth(pDC, strCaption, nNoPrefix);
        if (bIcon && nText > 0)
            nIcon += kIconTextGap;
        return ClampItemLength(nText + nIcon + m_rcButtonTextPadding.left + m_rcButtonTextPadding.right);
    }

    m_pColorSet->SetTextColor(pDC, pItem);
    CRect rc(rcItem);
    DeflateRectForPosition(rc, m_rcButtonTextPadding, position);
    DeflateRectForPosition(rc, m_rcButtonMargin, position);

    if (bIcon)
    {
        if (bHorizontalText && rc.Width() > szIcon.cx)
        {
            CPoint pt(rc.left, rc.CenterPoint().y - szIcon.cy / 2);
            pTabManager->DrawIcon(pDC, pt, pItem, TRUE, szIcon);
            rc.left += szIcon.cx + kIconTextGap;
        }
        else if (!bHorizontalText && rc.Height() > szIcon.cy)
        {
            CPoint pt(rc.CenterPoint().x - szIcon.cx / 2, rc.top);
            pTabManager->DrawIcon(pDC, pt, pItem, TRUE, szIcon);
            rc.top += szIcon.cy + kIconTextGap;
        }
    }

    BOOL bShowCaption = layout != xtpTabLayoutCompressed || pItem->IsSelected();
    if (bShowCaption && !strCaption.IsEmpty())
    {
        if (bHorizontalText && rc.Width() > 0)
        {
            UINT nFormat = DT_SINGLELINE | DT_NOCLIP | m_nDrawTextFormat | nNoPrefix;
            if (m_bDrawTextPathEllipsis)
                DrawTextMiddleEllipsis(pDC, strCaption, rc, nFormat);
            else
                pDC->DrawText(strCaption, rc, nFormat | (m_bDrawTextEndEllipsis ? DT_END_ELLIPSIS : 0));
        }
        else if (!bHorizontalText && rc.Height() > 8)
        {
            DrawVerticalText(pDC, strCaption, rc, TRUE);
        }
    }

    if (pItem->IsSelected() && pTabManager->HasFocus())
        DrawFocusRect(pDC, pItem, rcItem);
    return 0;
}
