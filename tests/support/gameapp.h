// The running game in a test program: the application object started as
// the program starts it (frame, document, board view), with every question
// the game asks answered from a script instead of a modal dialog.
#pragma once

#include <afxwin.h>
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "ApplicationInfo.h"
#include "BrindlemarkDoc.h"
#include "BrindlemarkStartup.h"
#include "BrindlemarkView.h"
#include "GameQuestions.h"
#include "GameServices.h"
#include "MainFrame.h"
#include "ProfileChoosers.h"
#include "PuzzleLoadChoiceDlg.h"
#include "RookMessageDlgs.h"
#include "support/registry.h"
#include "support/pump.h"
#include "support/wndtest.h"

namespace testsupport
{
// What the game asked, and the answers it gets. A question without a
// scripted answer gets the cautious one: No, Cancel, no file.
struct GameScript
{
    std::vector<std::string> asked;       // every message text, in order
    std::vector<std::string> captions;    // the button captions of each question, "|"-joined
    std::deque<INT_PTR> yesNo;            // 1 yes, 2 no
    std::deque<INT_PTR> yesNoCancel;      // IDYES, IDNO, IDCANCEL
    std::deque<std::string> files;        // paths for the file questions; "" cancels
    std::vector<std::string> fileQuestions;   // "open"/"save <ext>" per question
    bool bNewPuzzleOK = true;
    int nGrade = 0;
    int nAppearance = 0;
    int nNewPuzzleAsked = 0;
    bool bStartAgain = false;
    int nLoadChoicesAsked = 0;
    std::vector<int> profileLists;        // the kind of each profile list shown
    std::vector<bool> profileListCopy;    // whether each one offered copying
    INT_PTR nProfileListResult = IDCANCEL;
    int nProfileListChoice = -1;          // the profile index chosen there

    void Reset() { *this = GameScript(); }
    bool WasAsked(const std::string& text) const
    {
        for (const std::string& s : asked)
            if (s == text)
                return true;
        return false;
    }
};

inline GameScript& Script()
{
    static GameScript script;
    return script;
}

inline INT_PTR AFXAPI ScriptedInfo(const CString& strMessage, bool)
{
    Script().asked.push_back((LPCTSTR)strMessage);
    Script().captions.push_back("OK");
    return IDOK;
}

inline INT_PTR AFXAPI ScriptedYesNo(const CString& strMessage, const CString& strYes, const CString& strNo)
{
    Script().asked.push_back((LPCTSTR)strMessage);
    Script().captions.push_back(std::string(strYes) + "|" + (LPCTSTR)strNo);
    if (Script().yesNo.empty())
        return 2;
    INT_PTR nAnswer = Script().yesNo.front();
    Script().yesNo.pop_front();
    return nAnswer;
}

inline INT_PTR AFXAPI ScriptedYesNoCancel(const CString& strMessage, const CString& strYes, const CString& strNo,
                                         const CString& strCancel)
{
    Script().asked.push_back((LPCTSTR)strMessage);
    Script().captions.push_back(std::string(strYes) + "|" + (LPCTSTR)strNo + "|" + (LPCTSTR)strCancel);
    if (Script().yesNoCancel.empty())
        return IDCANCEL;
    INT_PTR nAnswer = Script().yesNoCancel.front();
    Script().yesNoCancel.pop_front();
    return nAnswer;
}

inline BOOL AFXAPI ScriptedNewPuzzle(int& nGrade, int& nAppearance)
{
    Script().nNewPuzzleAsked++;
    nGrade = Script().nGrade;
    nAppearance = Script().nAppearance;
    return Script().bNewPuzzleOK;
}

inline BOOL AFXAPI ScriptedFile(BOOL bOpen, CString& strPath, LPCTSTR lpszDefExt, LPCTSTR)
{
    Script().fileQuestions.push_back(bOpen ? std::string("open") : std::string("save ") + lpszDefExt);
    if (Script().files.empty())
        return FALSE;
    std::string path = Script().files.front();
    Script().files.pop_front();
    strPath = path.c_str();
    return !path.empty();
}

inline BOOL AFXAPI ScriptedLoadChoice()
{
    Script().nLoadChoicesAsked++;
    return Script().bStartAgain;
}

inline INT_PTR AFXAPI ScriptedProfileList(int nKind, CWnd*, CHTDataContainer*, int* pnSelectedIndex,
                                          BOOL bAllowCopy)
{
    Script().profileLists.push_back(nKind);
    Script().profileListCopy.push_back(bAllowCopy != FALSE);
    if (pnSelectedIndex != NULL)
        *pnSelectedIndex = Script().nProfileListChoice;
    return Script().nProfileListResult;
}

inline INT_PTR AFXAPI NoPrinter(CPrintDialog&)
{
    return IDCANCEL;
}

inline void AFXAPI NoShellOpen(LPCTSTR, int)
{
}

// Traced failures show in the test's output.
inline void AFXAPI PrintTrace(const char* lpszLine)
{
    fprintf(stderr, "trace: %s\n", lpszLine);
}

// Answers every question of the game from the script.
inline void ScriptGameQuestions()
{
    AfxSetTraceHook(&PrintTrace);
    SetInfoMessageHandler(&ScriptedInfo);
    SetYesNoMessageHandler(&ScriptedYesNo);
    SetYesNoCancelMessageHandler(&ScriptedYesNoCancel);
    SetNewPuzzleQuestion(&ScriptedNewPuzzle);
    SetFileQuestion(&ScriptedFile);
    CPuzzleLoadChoiceDlg::SetChoiceHandler(&ScriptedLoadChoice);
    SetPrinterQuestion(&NoPrinter);
    SetShellOpenHandler(&NoShellOpen);
    SetProfileListHandler(&ScriptedProfileList);
}

// The game started in-process with a cleared registry, its frame 800 x 600
// on the screen (so the view is about that size).
class GameApp
{
public:
    // bKeepRegistry starts with the settings a previous run left.
    explicit GameApp(bool bKeepRegistry = false)
    {
        if (!bKeepRegistry)
        {
            ClearGameRegistry();
            // The settings read from an empty registry keep what the
            // process holds: a cleared registry is a first run again.
            g_ApplicationInfo.m_bFirstRunOfVersion = 1;
        }
        ScriptGameQuestions();
        Script().Reset();
        m_pApp = new CBrindlemarkApp;
        AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
        m_bStarted = m_pApp->InitInstance() != FALSE;
        if (m_bStarted)
            Frame()->SetWindowPos(NULL, 0, 0, 800, 600, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ~GameApp()
    {
        CMainFrame* pFrame = Frame();
        if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL)
        {
            Doc()->GetCurrent().m_bModified = FALSE;
            pFrame->DestroyWindow();
        }
        testsupport::DrainQuit();
        m_pApp->ExitInstance();
        delete m_pApp;
    }
    bool Started() const { return m_bStarted; }
    CBrindlemarkApp* App() { return m_pApp; }
    CMainFrame* Frame() { return GetMainFrame(); }
    CBrindlemarkDoc* Doc() { return GetGameDoc(); }
    CBrindlemarkView* View() { return DYNAMIC_DOWNCAST(CBrindlemarkView, GetActiveGameView()); }
    CHTDataContainer& Puzzle() { return Doc()->GetCurrent(); }

    // Sends a command to the frame as a menu would.
    void Command(UINT nID) { Frame()->SendMessage(WM_COMMAND, nID, 0); }
    // Whether the frame's update handler enables (and checks) a command.
    bool IsEnabled(UINT nID)
    {
        Probe probe(nID);
        probe.DoUpdate(Frame(), TRUE);
        return probe.m_bEnabled;
    }
    int CheckOf(UINT nID)
    {
        Probe probe(nID);
        probe.DoUpdate(Frame(), TRUE);
        return probe.m_nCheck;
    }
    // Makes a new puzzle of the difficulty profile index (Easy 0 ... Fiendish 3).
    bool NewPuzzle(int nGrade = 0, int nAppearance = 0)
    {
        Script().nGrade = nGrade;
        Script().nAppearance = nAppearance;
        Script().bNewPuzzleOK = true;
        Puzzle().m_bModified = FALSE;
        Command(ID_NEW_PUZZLE);
        return Puzzle().m_nGameState == 1;
    }
    // A click on the centre of a square of the board view.
    void Click(int nColumn, int nRow, bool bRight = false)
    {
        CBrindlemarkView* pView = View();
        CRect rect;
        pView->GetClientRect(&rect);
        int s = pView->m_nSquareSize;
        int x = (rect.Width() - s * Puzzle().m_nColumns) / 2 + nColumn * s + s / 2;
        int y = (rect.Height() - s * Puzzle().m_nRows) / 2 + nRow * s + s / 2;
        pView->SendMessage(bRight ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, bRight ? MK_RBUTTON : MK_LBUTTON,
                           MAKELPARAM(x, y));
    }
    int StateAt(int nColumn, int nRow)
    {
        const CHTSquareData* pSquare = Puzzle().FindSquare(nColumn, nRow);
        return pSquare != NULL ? pSquare->m_nPlayerState : -1;
    }

private:
    class Probe : public CCmdUI
    {
    public:
        explicit Probe(UINT nID)
        {
            m_nID = nID;
            m_nIndexMax = 1;
        }
        virtual void Enable(BOOL bOn) { m_bEnabled = bOn != FALSE; m_bEnableChanged = TRUE; }
        virtual void SetCheck(int nCheck) { m_nCheck = nCheck; }
        bool m_bEnabled = true;
        int m_nCheck = -1;
    };

    CBrindlemarkApp* m_pApp = nullptr;
    bool m_bStarted = false;
};
} // namespace testsupport
