// CPrintInfo: the state of one print job.  It needs no view and no printer,
// so print routines that take any DC and page size can be driven by it.
#include <afxdlgs.h>

CPrintInfo::CPrintInfo()
    : m_pPD(new CPrintDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION)),
      m_bDocObject(FALSE),
      m_bPreview(FALSE),
      m_bDirect(FALSE),
      m_bContinuePrinting(TRUE),
      m_nCurPage(1),
      m_nNumPreviewPages(0),
      m_lpUserData(NULL),
      m_rectDraw(0, 0, 0, 0),
      m_nJobNumber(0)
{
    SetMinPage(1);
    SetMaxPage(0xFFFF);
    // What the preview's status line says: one page, or two side by side.
    m_strPageDesc = "Page %u\nPages %u-%u\n";
    m_pPD->m_pd.nFromPage = 1;
    m_pPD->m_pd.nToPage = 0xFFFF;
}

CPrintInfo::~CPrintInfo()
{
    if (m_pPD != NULL)
    {
        // The job's printer DC ends with the job; the device description is
        // the application's.
        if (m_pPD->m_pd.hDC != NULL)
            ::DeleteDC(m_pPD->m_pd.hDC);
        delete m_pPD;
    }
}

void CPrintInfo::SetMinPage(UINT nMinPage)
{
    m_pPD->m_pd.nMinPage = (WORD)(nMinPage > 0xFFFF ? 0xFFFF : nMinPage);
}

void CPrintInfo::SetMaxPage(UINT nMaxPage)
{
    m_pPD->m_pd.nMaxPage = (WORD)(nMaxPage > 0xFFFF ? 0xFFFF : nMaxPage);
}

UINT CPrintInfo::GetMinPage() const
{
    return m_pPD->m_pd.nMinPage;
}

UINT CPrintInfo::GetMaxPage() const
{
    return m_pPD->m_pd.nMaxPage;
}

UINT CPrintInfo::GetFromPage() const
{
    return m_pPD->m_pd.nFromPage;
}

UINT CPrintInfo::GetToPage() const
{
    return m_pPD->m_pd.nToPage;
}
