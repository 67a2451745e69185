// The tutorial dialog.
#include "TutorialDlg.h"

namespace
{
const UINT_PTR kFrameTimer = 1;
const UINT kFrameMilliseconds = 1000;
} // namespace

BEGIN_MESSAGE_MAP(CTutorialDlg, CDialog)
    ON_BN_CLICKED(IDC_TUTORIAL_NEXT, OnNext)
    ON_BN_CLICKED(IDC_TUTORIAL_PREV, OnPrev)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CTutorialDlg::CTutorialDlg(CWnd* pParentWnd)
    : CDialog(IDD, pParentWnd), m_nFrameCounts{2, 2, 2, 2, 2, 2, 2, 1}, m_nPage(0), m_nFrame(0), m_hShown(NULL)
{
}

CTutorialDlg::~CTutorialDlg()
{
    if (m_hShown != NULL)
        ::DeleteObject(m_hShown);
}

UINT AFXAPI CTutorialDlg::GetPictureID(int nPage, int nFrame)
{
    return IDB_TUTORIAL_FIRST + 2 * nPage + nFrame;
}

void CTutorialDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TUTORIAL_PICTURE, m_wndPicture);
    DDX_Control(pDX, IDC_TUTORIAL_PREV, m_btnPrev);
    DDX_Control(pDX, IDC_TUTORIAL_NEXT, m_btnNext);
    DDX_Control(pDX, IDCANCEL, m_btnClose);
}

BOOL CTutorialDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetTimer(kFrameTimer, kFrameMilliseconds, NULL);
    m_btnPrev.EnableWindow(FALSE);
    ShowPage();
    return TRUE;
}

void CTutorialDlg::ShowPage()
{
    HBITMAP hPicture = ::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(GetPictureID(m_nPage, m_nFrame)));
    if (hPicture == NULL)
        TRACE("tutorial: picture %u missing", GetPictureID(m_nPage, m_nFrame));
    if (m_wndPicture.GetSafeHwnd() != NULL)
        m_wndPicture.SetBitmap(hPicture);
    // The new picture is in place before the old one goes.
    if (m_hShown != NULL)
        ::DeleteObject(m_hShown);
    m_hShown = hPicture;
}

void CTutorialDlg::UpdateButtons()
{
    m_btnPrev.EnableWindow(m_nPage > 0);
    m_btnNext.EnableWindow(m_nPage != kPageCount - 1);
}

void CTutorialDlg::OnNext()
{
    // The last page is as far as it goes.
    if (m_nPage < kPageCount - 1)
    {
        m_nPage++;
        m_nFrame = 0;
        ShowPage();
    }
    UpdateButtons();
}

void CTutorialDlg::OnPrev()
{
    if (m_nPage > 0)
    {
        m_nPage--;
        m_nFrame = 0;
        ShowPage();
    }
    UpdateButtons();
}

void CTutorialDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kFrameTimer)
    {
        UpdateData(TRUE);
        m_nFrame++;
        if (m_nFrame >= m_nFrameCounts[m_nPage])
            m_nFrame = 0;
        ShowPage();
    }
    CDialog::OnTimer(nIDEvent);
}

void CTutorialDlg::OnClose()
{
    KillTimer(kFrameTimer);
    EndDialog(IDCANCEL);
}

void CTutorialDlg::OnCancel()
{
    OnClose();
}
