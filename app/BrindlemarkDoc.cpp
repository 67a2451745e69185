// The game's document and its operations.
#include "BrindlemarkDoc.h"

#include <memory>

#include "ApplicationInfo.h"
#include "BrindlemarkView.h"
#include "CreateProgress.h"
#include "GameQuestions.h"
#include "GameServices.h"
#include "HTGenerator.h"
#include "MainFrame.h"
#include "RookMessageDlgs.h"
#include "resource.h"

namespace
{
const char kEnterOwnPuzzleText[] =
    "Enter clues into the blank Grid using the normal point and click method. When you have finished, click "
    "'Edit|Finalize Grid' to ensure the grid is solveable. It will then be ready to play.";
const char kCannotSolveText[] =
    "Brindlemark could not solve the puzzle.\n\nPlease check the clues have been entered correctly, and try again.";
const char kUnshadedUpdateDisabledText[] =
    "'Update Unshaded Squares' is disabled in the Difficulty Profile used to create this Puzzle.";
const char kUnshadedUpdateQuestion[] =
    "Any existing Unshaded Squares will be cleared.\n\nAre you sure you would like to use 'Update Unshaded Squares'?";
const char kAutoMarkDisabledText[] =
    "'AutoMark Unshaded Squares' is disabled in the Difficulty Profile used to create this Puzzle.";

// Answers of the message dialogs.
const INT_PTR kYesNoYes = 1;

// Tells the player that a file could not be read or written.
void TellFileFailed(UINT nIDPrompt, LPCTSTR lpszPath)
{
    CString strText;
    AfxFormatString1(strText, nIDPrompt, lpszPath);
    ShowInfoMessage(strText);
}

BOOL CanOpenForReading(LPCTSTR lpszPath)
{
    HANDLE hFile = ::CreateFileA(lpszPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    ::CloseHandle(hFile);
    return TRUE;
}

// Starts a long run (a generation, a solve): the main window takes no input
// until the progress window's Close gives it back, and the run gets the
// kept progress window, or a window of its own (held by pOwn, shown after
// dwOwnShowDelay) should that one be open already.
CCreateProgress& BeginLongRun(std::unique_ptr<CCreateProgress>& pOwn, DWORD dwOwnShowDelay)
{
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != NULL)
        pMainWnd->EnableWindow(FALSE);
    CCreateProgress* pProgress = CCreateProgress::GetKept();
    if (pProgress == NULL)
    {
        pOwn.reset(new CCreateProgress());
        pOwn->SetShowDelay(dwOwnShowDelay);
        pProgress = pOwn.get();
    }
    return *pProgress;
}
} // namespace

IMPLEMENT_DYNCREATE(CBrindlemarkDoc, CDocument)

BEGIN_MESSAGE_MAP(CBrindlemarkDoc, CDocument)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CBrindlemarkDoc::CBrindlemarkDoc() : m_nClockSeconds(0), m_bPaused(FALSE)
{
}

CBrindlemarkDoc::~CBrindlemarkDoc()
{
    CCreateProgress::DestroyKept();
}

CBrindlemarkDoc* AFXAPI GetGameDoc()
{
    return DYNAMIC_DOWNCAST(CBrindlemarkDoc, GetActiveGameDoc());
}

// ---------------------------------------------------------------------------
// Helpers

void CBrindlemarkDoc::InvalidateBoard(BOOL bErase)
{
    CView* pView = GetActiveGameView();
    if (pView != NULL && pView->GetSafeHwnd() != NULL)
        pView->Invalidate(bErase);
}

void CBrindlemarkDoc::RelayoutBoard()
{
    CBrindlemarkView* pView = DYNAMIC_DOWNCAST(CBrindlemarkView, GetActiveGameView());
    if (pView != NULL)
        pView->RelayoutBoard();
}

void CBrindlemarkDoc::FitNumberFont()
{
    CMainFrame* pFrame = GetMainFrame();
    if (pFrame != NULL)
        pFrame->FitNumberFont();
}

void CBrindlemarkDoc::ShowCurrentProfiles()
{
    // The frame of the document's view: the application does not call it
    // its main window yet while a new document is being set up.
    POSITION pos = GetFirstViewPosition();
    CView* pView = pos != NULL ? GetNextView(pos) : NULL;
    CMainFrame* pFrame = pView != NULL ? DYNAMIC_DOWNCAST(CMainFrame, pView->GetParentFrame()) : NULL;
    if (pFrame == NULL)
        pFrame = GetMainFrame();
    if (pFrame != NULL)
        pFrame->ShowProfilesOf(GetCurrent());
}

void CBrindlemarkDoc::SetTitleFromPath(LPCTSTR lpszPath)
{
    char szName[_MAX_FNAME], szExt[_MAX_EXT];
    _splitpath(lpszPath, NULL, NULL, szName, szExt);
    CString strTitle;
    strTitle.Format("%s%s", szName, szExt);
    SetTitle(strTitle);
}

void CBrindlemarkDoc::Serialize(CArchive&)
{
}

BOOL CBrindlemarkDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    // The frame, with the profile panes a stored layout shows and the clock,
    // was made before this document was its own: they take the profiles of
    // the position it starts with.
    ShowCurrentProfiles();
    return TRUE;
}

BOOL CBrindlemarkDoc::OnOpenDocument(LPCTSTR lpszPathName)
{
    BYTE bQuiet = FALSE;
    return LoadPuzzleFromFile(lpszPathName, bQuiet) && m_strPuzzlePath.CompareNoCase(lpszPathName) == 0;
}

BOOL CBrindlemarkDoc::OnSaveDocument(LPCTSTR lpszPathName)
{
    return SavePuzzleToFile(lpszPathName);
}

void CBrindlemarkDoc::OnFileSave()
{
    SavePuzzle();
}

void CBrindlemarkDoc::OnFileSaveAs()
{
    SavePuzzleAs();
}

// ---------------------------------------------------------------------------
// New, load, save

BOOL CBrindlemarkDoc::QuerySaveModified(CHTDataContainer& position)
{
    if (!position.m_bModified)
        return TRUE;
    switch (ShowYesNoCancelMessage(LoadResourceString(IDS_GRID_MODIFIED), LoadResourceString(IDS_SAVE),
                                   LoadResourceString(IDS_DONT_SAVE), LoadResourceString(IDS_CANCEL)))
    {
    case IDYES:
        return SavePuzzleAs();
    case IDNO:
        return TRUE;
    default:
        return FALSE;
    }
}

void CBrindlemarkDoc::NewPuzzle()
{
    if (!QuerySaveModified(GetCurrent()))
        return;
    int nGrade = -1, nAppearance = -1;
    if (!AskNewPuzzleProfiles(nGrade, nAppearance))
        return;
    GeneratePuzzle(nGrade, nAppearance);
}

BOOL CBrindlemarkDoc::GeneratePuzzle(int nGradeIndex, int nAppearanceIndex)
{
    CHTDataContainer scratch;
    CGradeInfo grade;
    g_ApplicationInfo.m_GradeInfoList.FindProfile(nGradeIndex, grade);

    // A progress window of its own shows at once.
    std::unique_ptr<CCreateProgress> pOwnProgress;
    CCreateProgress& progress = BeginLongRun(pOwnProgress, 0);
    CHTGenerator generator;
    // Cancel stops the generation: the player keeps the puzzle they had.
    if (!progress.Open() || !progress.GenerateUntilDone(generator, grade.m_nColumns, grade.m_nRows, &scratch))
    {
        progress.Close();
        return FALSE;
    }

    CAppearanceInfo appearance;
    g_ApplicationInfo.m_AppearanceInfoList.FindProfile(nAppearanceIndex, appearance);
    scratch.ApplySquareColours(appearance);
    scratch.m_AppearanceInfo.CopyFrom(appearance);
    scratch.SetGradeInfo(grade);
    scratch.m_bModified = TRUE;

    m_Controller.ClearSavedStates();
    m_Controller.m_CurrentState.CopyFrom(scratch);
    ShowCurrentProfiles();
    RefreshRuleMarks();
    RelayoutBoard();
    InvalidateBoard(TRUE);

    m_nClockSeconds = 0;
    m_bPaused = FALSE;
    InvalidateBoard(TRUE);

    m_strPuzzlePath.Empty();
    SetTitle(LoadResourceString(AFX_IDS_UNTITLED));

    RelayoutBoard();
    FitNumberFont();
    InvalidateBoard(TRUE);

    progress.Close();
    return TRUE;
}

BOOL CBrindlemarkDoc::LoadPuzzle(BYTE& bQuiet)
{
    CString strPath;
    if (!AskPuzzleFileToOpen(strPath, LoadResourceString(IDS_PUZZLE_FILE_FILTER), GetActiveGameView()))
        return FALSE;
    return LoadPuzzleFromFile(strPath, bQuiet);
}

BOOL CBrindlemarkDoc::LoadPuzzleFromFile(LPCTSTR lpszPath, BYTE& bQuiet)
{
    if (!QuerySaveModified(GetCurrent()))
        return TRUE;

    CHTDataContainer scratch;
    if (lpszPath == NULL || !scratch.ReadFromFile(lpszPath, bQuiet))
    {
        // The reader speaks of a damaged file or another version itself; a
        // file that cannot even be opened is told here.
        if (!bQuiet && lpszPath != NULL && !CanOpenForReading(lpszPath))
            TellFileFailed(AFX_IDP_FAILED_TO_OPEN_DOC, lpszPath);
        if (bQuiet)
            SetPaused(TRUE);
        return FALSE;
    }

    m_nClockSeconds = scratch.m_nElapsedSeconds;
    m_Controller.ClearSavedStates();
    m_Controller.m_CurrentState.CopyFrom(scratch);
    ShowCurrentProfiles();
    // The marks stored in the file are not trusted: they are those of the
    // marking as it is.
    RefreshRuleMarks();

    RelayoutBoard();
    InvalidateBoard(FALSE);
    FitNumberFont();
    m_bPaused = FALSE;
    InvalidateBoard(TRUE);

    SetTitleFromPath(lpszPath);
    m_strPuzzlePath = lpszPath;
    return TRUE;
}

BOOL CBrindlemarkDoc::SavePuzzleAs()
{
    CString strPath;
    if (!AskFileToSave(strPath, "hti", LoadResourceString(IDS_PUZZLE_FILE_FILTER), GetActiveGameView()))
        return FALSE;
    return SavePuzzleToFile(strPath);
}

BOOL CBrindlemarkDoc::SavePuzzleToFile(LPCTSTR lpszPath)
{
    CHTDataContainer& current = GetCurrent();
    current.m_nElapsedSeconds = m_nClockSeconds;
    if (lpszPath == NULL || !current.WriteToFile(lpszPath))
    {
        TellFileFailed(AFX_IDP_FAILED_TO_SAVE_DOC, lpszPath != NULL ? lpszPath : "");
        return FALSE;
    }
    current.m_bModified = FALSE;
    m_strPuzzlePath = lpszPath;
    SetTitleFromPath(lpszPath);
    return TRUE;
}

BOOL CBrindlemarkDoc::SavePuzzle()
{
    if (!m_strPuzzlePath.IsEmpty())
        return SavePuzzleToFile(m_strPuzzlePath);
    return SavePuzzleAs();
}

// ---------------------------------------------------------------------------
// Branches, revert, solution

void CBrindlemarkDoc::UndoMove()
{
    if (m_Controller.m_listSavedStates.IsEmpty())
        return;
    m_Controller.Undo();
    ShowCurrentProfiles();
    RefreshRuleMarks();
}

void CBrindlemarkDoc::BeginBranch()
{
    m_Controller.Branch();
}

void CBrindlemarkDoc::AcceptBranch()
{
    if (!m_Controller.IsBranchOpen())
        return;
    m_Controller.Accept();
    InvalidateBoard(TRUE);
}

void CBrindlemarkDoc::RevertToBranch()
{
    if (!m_Controller.IsBranchOpen())
        return;
    m_Controller.RevertToBranchPoint();
    ShowCurrentProfiles();
    RefreshRuleMarks();
    InvalidateBoard(TRUE);
}

void CBrindlemarkDoc::RevertToStart()
{
    CHTDataContainer& current = GetCurrent();
    current.ResetPlayerState();
    RefreshRuleMarks();
    m_nClockSeconds = 0;
    m_Controller.ClearSavedStates();
}

void CBrindlemarkDoc::ShowSolution(BOOL bForce)
{
    if (!bForce && ShowYesNoMessage(LoadResourceString(IDS_CONFIRM_SHOW_SOLUTION),
                                    LoadResourceString(IDS_YES_PLEASE), LoadResourceString(IDS_NO_THANKS)) != kYesNoYes)
        return;
    m_Controller.SaveState();
    GetCurrent().ShowSolution();
    RefreshRuleMarks();
    InvalidateBoard(TRUE);
    CheckSolved();
}

BOOL CBrindlemarkDoc::IsForceComplete()
{
    return GetCurrent().m_GradeInfo.m_bForceComplete != 0;
}

BOOL CBrindlemarkDoc::IsSolved()
{
    CHTDataContainer& current = GetCurrent();
    if (current.MarkDuplicates(FALSE))
        return FALSE;
    if (current.HasAdjacentShaded(FALSE))
        return FALSE;
    return AreUnshadedSquaresConnected(current, FALSE);
}

void CBrindlemarkDoc::CheckSolved()
{
    if (!IsSolved())
        return;
    InvalidateBoard(TRUE);
    if (ShowYesNoMessage(LoadResourceString(IDS_PUZZLE_SOLVED), LoadResourceString(IDS_YES_PLEASE),
                         LoadResourceString(IDS_NO_THANKS)) == kYesNoYes)
        NewPuzzle();
}

void CBrindlemarkDoc::FinishPlayMove()
{
    CHTDataContainer& current = GetCurrent();
    RefreshRuleMarks();
    if (current.m_bUnshadedUpdate)
        current.UpdateUnshadedSquares();
    current.m_bModified = TRUE;
    CheckSolved();
    m_bPaused = FALSE;
    InvalidateBoard(TRUE);
}

void CBrindlemarkDoc::RefreshRuleMarks()
{
    GetCurrent().RefreshRuleMarks();
}

void CBrindlemarkDoc::SetPaused(BOOL bPaused)
{
    m_bPaused = bPaused ? TRUE : FALSE;
    InvalidateBoard(TRUE);
}

// ---------------------------------------------------------------------------
// Own-puzzle entry and the unshaded-square aids

BOOL CBrindlemarkDoc::EnterOwnPuzzle()
{
    if (!QuerySaveModified(GetCurrent()))
        return FALSE;
    int nGrade = -1, nAppearance = -1;
    if (!AskNewPuzzleProfiles(nGrade, nAppearance))
        return FALSE;

    CHTDataContainer scratch;
    scratch.CreateEmptyGrid(nGrade, nAppearance);
    m_nClockSeconds = 0;
    m_bPaused = FALSE;
    InvalidateBoard(TRUE);
    m_strPuzzlePath.Empty();
    SetTitle(LoadResourceString(AFX_IDS_UNTITLED));
    m_Controller.ClearSavedStates();
    m_Controller.m_CurrentState.CopyFrom(scratch);
    ShowCurrentProfiles();
    RefreshRuleMarks();
    RelayoutBoard();
    ShowInfoMessage(kEnterOwnPuzzleText);
    return TRUE;
}

BOOL CBrindlemarkDoc::FinalizeGrid()
{
    CHTDataContainer& current = GetCurrent();
    if (current.m_nGameState != htgsCopyMode)
        return FALSE;
    // The solver works on a copy: a grid it cannot solve, or whose solving
    // the player cancels, stays as entered.
    CHTDataContainer finished(current);
    // A large grid can take seconds to solve. As during generation the
    // main window takes no input meanwhile, the kept progress window shows
    // once the search has run a while, and the game keeps answering: the
    // solver pumps messages through the progress window, whose Cancel stops
    // it.
    std::unique_ptr<CCreateProgress> pOwnProgress;
    CCreateProgress* pProgress = &BeginLongRun(pOwnProgress, PROGRESS_SHOW_DELAY_MS);
    // Without its window the grid is still solved, only without pumping.
    const BOOL bOpen = pProgress->Open();
    const BOOL bFinished = finished.FinalizeEnteredGrid(bOpen ? pProgress : NULL);
    const BOOL bCancelled = bOpen && pProgress->IsCancelled();
    pProgress->Close();
    if (!bFinished)
    {
        if (!bCancelled)
            ShowInfoMessage(kCannotSolveText);
        return FALSE;
    }
    // The entered grid is now the puzzle: play starts from it as from a
    // new puzzle, with no undo points back into the entry.
    m_Controller.ClearSavedStates();
    m_Controller.m_CurrentState.CopyFrom(finished);
    ShowCurrentProfiles();
    RefreshRuleMarks();
    m_nClockSeconds = 0;
    m_bPaused = FALSE;
    RelayoutBoard();
    InvalidateBoard(TRUE);
    return TRUE;
}

BOOL CBrindlemarkDoc::StepEnteredNumber(int nColumn, int nRow, BOOL bUp)
{
    CHTDataContainer& current = GetCurrent();
    if (current.m_nGameState != htgsCopyMode || current.FindSquare(nColumn, nRow) == NULL)
        return FALSE;
    m_Controller.SaveState();
    current.StepEnteredNumber(nColumn, nRow, bUp);
    RefreshRuleMarks();
    current.m_bModified = TRUE;
    m_bPaused = FALSE;
    InvalidateBoard(TRUE);
    return TRUE;
}

void CBrindlemarkDoc::UpdateUnshadedSquares()
{
    CHTDataContainer& current = GetCurrent();
    if (!current.m_GradeInfo.m_bEnableUnshadedUpdate)
    {
        ShowInfoMessage(kUnshadedUpdateDisabledText);
        return;
    }
    if (ShowYesNoMessage(kUnshadedUpdateQuestion, "Yes", "No") != kYesNoYes)
        return;
    m_Controller.SaveState();
    m_bPaused = FALSE;
    InvalidateBoard(TRUE);
    GetCurrent().UpdateUnshadedSquares();
    RefreshRuleMarks();
    InvalidateBoard(TRUE);
}

void CBrindlemarkDoc::SetAutoMark(BOOL bOn)
{
    CHTDataContainer& current = GetCurrent();
    if (!current.m_GradeInfo.m_bEnableAutoMark)
    {
        ShowInfoMessage(kAutoMarkDisabledText);
        return;
    }
    current.m_bUnshadedUpdate = bOn ? TRUE : FALSE;
}
