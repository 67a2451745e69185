// Shared helpers of the puzzle core's tests.
#include "support/coretest.h"

#include "HTDataContainer.h"

#include <set>
#include <sstream>
#include <vector>

namespace coretest
{
int CDialogStubs::s_nInfoMessages = 0;
CString CDialogStubs::s_strLastMessage;
int CDialogStubs::s_nLoadChoices = 0;
BOOL CDialogStubs::s_bStartAgain = FALSE;

CDialogStubs::CDialogStubs() : m_pPrevious(NULL)
{
    s_nInfoMessages = 0;
    s_strLastMessage.Empty();
    s_nLoadChoices = 0;
    s_bStartAgain = FALSE;
    m_pPrevious = CHTCoreServices::Set(this);
}

CDialogStubs::~CDialogStubs()
{
    CHTCoreServices::Set(m_pPrevious);
}

INT_PTR CDialogStubs::ShowInfoMessage(const CString& strMessage)
{
    s_nInfoMessages++;
    s_strLastMessage = strMessage;
    return IDOK;
}

BOOL CDialogStubs::AskStartAgain()
{
    s_nLoadChoices++;
    return s_bStartAgain;
}

std::string CheckGridInvariants(const CHTDataContainer& position)
{
    std::ostringstream problem;
    const int nColumns = position.m_nColumns;
    const int nRows = position.m_nRows;
    if (nColumns < 1 || nRows < 1 || nColumns > 64 || nRows > 64)
    {
        problem << "size " << nColumns << " x " << nRows;
        return problem.str();
    }
    if (position.m_nGameState < 0 || position.m_nGameState > 2)
        return "game state";
    if (position.m_listSquares.GetCount() != (INT_PTR)nColumns * nRows)
        return "square count";
    std::set<std::pair<int, int>> seen;
    const int nMaxNumber = HTLargestSide(nColumns, nRows);
    for (INT_PTR i = 0; i < position.m_listSquares.GetCount(); i++)
    {
        const CHTSquareData& square = position.m_listSquares.GetAt(i);
        if (square.m_nColumn < 0 || square.m_nColumn >= nColumns || square.m_nRow < 0 || square.m_nRow >= nRows)
            return "coordinates";
        if (!seen.insert(std::make_pair(square.m_nColumn, square.m_nRow)).second)
            return "square listed twice";
        if (square.m_nPlayerState < 0 || square.m_nPlayerState > 2 || square.m_nSolutionState < 0 ||
            square.m_nSolutionState > 2)
            return "state";
        if (square.m_nNumber < -1 || square.m_nNumber > nMaxNumber)
            return "number";
        if (square.m_bIslandMark > 1 || square.m_bDuplicateMark > 1 || square.m_bAdjacencyMark > 1)
            return "mark";
        if (position.FindSquare(square.m_nColumn, square.m_nRow) != &square)
            return "lookup";
    }
    return std::string();
}
} // namespace coretest
