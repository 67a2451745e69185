// Undo and branches over saved copies of the position.
#include "HTDataController.h"

CHTDataController::CHTDataController() : m_posBranchPoint(NULL), m_listSavedStates(10)
{
    m_CurrentState.SetGridSize(9, 9);
    CAppearanceInfo standard = CAppearanceInfo::MakeStandardProfile();
    m_CurrentState.ApplySquareColours(standard);
    m_CurrentState.m_AppearanceInfo.CopyFrom(standard);
}

CHTDataController::~CHTDataController()
{
    m_posBranchPoint = NULL;
    m_listSavedStates.RemoveAll();
}

BOOL CHTDataController::SaveState()
{
    m_listSavedStates.AddTail(m_CurrentState);
    return TRUE;
}

BOOL CHTDataController::Undo()
{
    if (m_listSavedStates.IsEmpty())
        return FALSE;
    POSITION posTail = m_listSavedStates.GetTailPosition();
    m_CurrentState.CopyFrom(m_listSavedStates.GetAt(posTail));
    m_listSavedStates.RemoveAt(posTail);
    if (posTail == m_posBranchPoint)
        m_posBranchPoint = NULL;
    return TRUE;
}

BOOL CHTDataController::RevertToBranchPoint()
{
    if (m_posBranchPoint == NULL)
        return FALSE;

    // The branch point must be in the list; if it is not, the branch is
    // stale and nothing is taken off.
    BOOL bFound = FALSE;
    for (POSITION pos = m_listSavedStates.GetTailPosition(); pos != NULL; m_listSavedStates.GetPrev(pos))
    {
        if (pos == m_posBranchPoint)
        {
            bFound = TRUE;
            break;
        }
    }
    if (!bFound)
    {
        m_posBranchPoint = NULL;
        return FALSE;
    }

    // Take positions off the tail up to and including the branch point;
    // the last one taken is the branch point's.
    for (;;)
    {
        POSITION posTail = m_listSavedStates.GetTailPosition();
        const BOOL bBranchNode = posTail == m_posBranchPoint;
        if (bBranchNode)
        {
            m_CurrentState.CopyFrom(m_listSavedStates.GetAt(posTail));
            m_listSavedStates.RemoveAt(posTail);
            break;
        }
        m_listSavedStates.RemoveAt(posTail);
    }
    m_posBranchPoint = NULL;
    return TRUE;
}

void CHTDataController::Branch()
{
    SaveState();
    m_posBranchPoint = m_listSavedStates.GetTailPosition();
}

void CHTDataController::Accept()
{
    if (m_posBranchPoint == NULL)
        return;
    m_listSavedStates.RemoveAll();
    m_posBranchPoint = NULL;
}

void CHTDataController::ClearSavedStates()
{
    m_listSavedStates.RemoveAll();
    m_posBranchPoint = NULL;
}

template <>
void AFXAPI SerializeElements<CHTDataContainer>(CArchive&, CHTDataContainer*, INT_PTR)
{
    AfxThrowNotSupportedException();
}
