// The solver: constraint propagation with a connectivity check at every
// step, failed-value probing, and a depth-first search over the squares that
// are still open to both choices.
//
// Propagation rules:
// - a shaded square's side neighbours are not shaded;
// - a square that is not shaded shades every square of its column and row
//   with the same number;
// - a shaded square keeps a same-number square that is not shaded, and a
//   square whose same-number squares are all shaded is not shaded;
// - the squares that are not shaded must stay connected: a square that is
//   still undecided and whose shading would cut two of them apart is not
//   shaded, and an undecided square that can no longer reach them is shaded.
#include "HTSolver.h"

#include <algorithm>

CHTSolver::CHTSolver()
    : m_nColumns(0), m_nRows(0), m_nCells(0), m_nQueueHead(0), m_nFound(0), m_nNodes(0), m_pProgress(NULL),
      m_bCancelled(FALSE)
{
}

BOOL CHTSolver::Interrupted()
{
    if (m_bCancelled)
        return TRUE;
    if (m_pProgress == NULL)
        return FALSE;
    m_pProgress->PumpMessages();
    m_bCancelled = m_pProgress->IsCancelled();
    return m_bCancelled;
}

BOOL CHTSolver::Set(int nCell, BYTE nState)
{
    if (m_states[(size_t)nCell] == nState)
        return TRUE;
    if (m_states[(size_t)nCell] != stUnknown)
        return FALSE;
    m_states[(size_t)nCell] = nState;
    m_trail.push_back(nCell);
    m_queue.push_back(nCell);
    return TRUE;
}

void CHTSolver::UndoTo(size_t nTrail)
{
    while (m_trail.size() > nTrail)
    {
        m_states[(size_t)m_trail.back()] = stUnknown;
        m_trail.pop_back();
    }
    m_queue.clear();
    m_nQueueHead = 0;
}

BOOL CHTSolver::LivePeers(int nCell) const
{
    for (int nPeer : m_peers[(size_t)nCell])
    {
        if (m_states[(size_t)nPeer] != stShaded)
            return TRUE;
    }
    return FALSE;
}

BOOL CHTSolver::Propagate()
{
    for (;;)
    {
        while (m_nQueueHead < m_queue.size())
        {
            const int nCell = m_queue[m_nQueueHead++];
            if (m_states[(size_t)nCell] == stShaded)
            {
                for (int i = 0; i < 4; i++)
                {
                    const int nNext = m_neighbours[(size_t)nCell * 4 + i];
                    if (nNext >= 0 && !Set(nNext, stOpen))
                        return FALSE;
                }
                // A shaded square needs a repeat left unshaded; that holds
                // for this square and for every shaded repeat of it, one of
                // whose last unshaded repeats this square may have been. A
                // square still undecided whose repeats are all shaded now
                // needs no shading.
                if (!LivePeers(nCell))
                    return FALSE;
                for (int nPeer : m_peers[(size_t)nCell])
                {
                    const BYTE nPeerState = m_states[(size_t)nPeer];
                    if (nPeerState == stOpen || LivePeers(nPeer))
                        continue;
                    if (nPeerState == stShaded || !Set(nPeer, stOpen))
                        return FALSE;
                }
            }
            else
            {
                for (int nPeer : m_peers[(size_t)nCell])
                {
                    if (!Set(nPeer, stShaded))
                        return FALSE;
                }
            }
        }
        // A connectivity check walks the whole grid: on a large one the
        // rounds add up, so messages are pumped between them.
        BOOL bChanged = FALSE;
        if (Interrupted() || !CheckConnectivity(bChanged))
            return FALSE;
        if (!bChanged)
            return TRUE;
    }
}

BOOL CHTSolver::CheckConnectivity(BOOL& bChanged)
{
    bChanged = FALSE;
    int nRoot = -1;
    for (int nCell = 0; nCell < m_nCells && nRoot < 0; nCell++)
    {
        if (m_states[(size_t)nCell] == stOpen)
            nRoot = nCell;
    }
    if (nRoot < 0)
        return TRUE; // nothing is known to stay open yet

    // Depth-first search over the squares that are not shaded, with the
    // lowest discovery time reachable from each subtree (articulation
    // points) and the number of open squares in each subtree.
    std::fill(m_disc.begin(), m_disc.end(), -1);
    int nTime = 0;
    std::vector<int> forcedOpen;
    m_stack.clear();
    m_disc[(size_t)nRoot] = m_low[(size_t)nRoot] = nTime++;
    m_parent[(size_t)nRoot] = -1;
    m_next[(size_t)nRoot] = 0;
    m_open[(size_t)nRoot] = 1;
    m_stack.push_back(nRoot);
    while (!m_stack.empty())
    {
        const int v = m_stack.back();
        if (m_next[(size_t)v] < 4)
        {
            const int w = m_neighbours[(size_t)v * 4 + m_next[(size_t)v]++];
            if (w < 0 || m_states[(size_t)w] == stShaded)
                continue;
            if (m_disc[(size_t)w] < 0)
            {
                m_disc[(size_t)w] = m_low[(size_t)w] = nTime++;
                m_parent[(size_t)w] = v;
                m_next[(size_t)w] = 0;
                m_open[(size_t)w] = m_states[(size_t)w] == stOpen ? 1 : 0;
                m_stack.push_back(w);
            }
            else if (w != m_parent[(size_t)v])
            {
                m_low[(size_t)v] = std::min(m_low[(size_t)v], m_disc[(size_t)w]);
            }
            continue;
        }
        m_stack.pop_back();
        const int p = m_parent[(size_t)v];
        if (p < 0)
            continue;
        m_low[(size_t)p] = std::min(m_low[(size_t)p], m_low[(size_t)v]);
        m_open[(size_t)p] += m_open[(size_t)v];
        // Without p, v's subtree is cut off from the root, which is open:
        // when the subtree holds an open square too, p must stay open.
        if (m_low[(size_t)v] >= m_disc[(size_t)p] && m_open[(size_t)v] > 0 && m_states[(size_t)p] == stUnknown)
            forcedOpen.push_back(p);
    }

    std::vector<int> forcedShaded;
    for (int nCell = 0; nCell < m_nCells; nCell++)
    {
        if (m_states[(size_t)nCell] == stShaded || m_disc[(size_t)nCell] >= 0)
            continue;
        if (m_states[(size_t)nCell] == stOpen)
            return FALSE; // two open areas that can never meet
        forcedShaded.push_back(nCell);
    }
    for (int nCell : forcedOpen)
    {
        if (m_states[(size_t)nCell] == stUnknown)
            bChanged = TRUE;
        if (!Set(nCell, stOpen))
            return FALSE;
    }
    for (int nCell : forcedShaded)
    {
        if (m_states[(size_t)nCell] == stUnknown)
            bChanged = TRUE;
        if (!Set(nCell, stShaded))
            return FALSE;
    }
    return TRUE;
}

BOOL CHTSolver::Probe(BOOL& bChanged)
{
    for (int nCell = 0; nCell < m_nCells; nCell++)
    {
        if (m_states[(size_t)nCell] != stUnknown)
            continue;
        if (Interrupted())
            return FALSE;
        const size_t nMark = m_trail.size();
        const BOOL bShadedHolds = Set(nCell, stShaded) && Propagate();
        UndoTo(nMark);
        if (!bShadedHolds)
        {
            if (!Set(nCell, stOpen) || !Propagate())
                return FALSE;
            bChanged = TRUE;
            continue;
        }
        const BOOL bOpenHolds = Set(nCell, stOpen) && Propagate();
        UndoTo(nMark);
        if (!bOpenHolds)
        {
            if (!Set(nCell, stShaded) || !Propagate())
                return FALSE;
            bChanged = TRUE;
        }
    }
    return TRUE;
}

void CHTSolver::Search(int nMaxSolutions)
{
    m_nNodes++;
    if (m_pProgress != NULL)
        m_pProgress->StepProgress();
    // Probe until nothing more follows; a contradiction ends this branch.
    for (;;)
    {
        BOOL bChanged = FALSE;
        if (!Probe(bChanged))
            return;
        if (!bChanged)
            break;
    }

    // Branch on the undecided square with the most same-number squares
    // still open: keeping it open decides the most.
    int nBest = -1, nBestPeers = -1;
    for (int nCell = 0; nCell < m_nCells; nCell++)
    {
        if (m_states[(size_t)nCell] != stUnknown)
            continue;
        int nLive = 0;
        for (int nPeer : m_peers[(size_t)nCell])
        {
            if (m_states[(size_t)nPeer] != stShaded)
                nLive++;
        }
        if (nLive > nBestPeers)
        {
            nBest = nCell;
            nBestPeers = nLive;
        }
    }
    if (nBest < 0)
    {
        // Every square decided, and propagation kept the three rules.
        if (m_nFound == 0)
        {
            m_solution.assign((size_t)m_nCells, 0);
            for (int nCell = 0; nCell < m_nCells; nCell++)
                m_solution[(size_t)nCell] = m_states[(size_t)nCell] == stShaded ? 1 : 0;
        }
        m_nFound++;
        return;
    }

    const size_t nMark = m_trail.size();
    const BYTE choices[2] = {stOpen, stShaded};
    for (BYTE nChoice : choices)
    {
        if (Set(nBest, nChoice) && Propagate())
            Search(nMaxSolutions);
        UndoTo(nMark);
        if (m_nFound >= nMaxSolutions || m_bCancelled)
            return;
    }
}

int CHTSolver::Solve(const CHTDataContainer& grid, int nMaxSolutions)
{
    m_nFound = 0;
    m_nNodes = 0;
    m_bCancelled = FALSE;
    m_solution.clear();
    m_nColumns = grid.m_nColumns;
    m_nRows = grid.m_nRows;
    if (nMaxSolutions < 1 || m_nColumns < 1 || m_nRows < 1 || m_nColumns > HT_MAX_GRID_SIDE ||
        m_nRows > HT_MAX_GRID_SIDE)
        return 0;
    m_nCells = m_nColumns * m_nRows;
    const int nMaxNumber = HTLargestSide(m_nColumns, m_nRows);

    m_numbers.assign((size_t)m_nCells, 0);
    for (int c = 0; c < m_nColumns; c++)
    {
        for (int r = 0; r < m_nRows; r++)
        {
            const CHTSquareData* pSquare = grid.FindSquare(c, r);
            if (pSquare == NULL || pSquare->m_nNumber < 1 || pSquare->m_nNumber > nMaxNumber)
                return 0;
            m_numbers[(size_t)c * m_nRows + r] = pSquare->m_nNumber;
        }
    }

    m_neighbours.assign((size_t)m_nCells * 4, -1);
    m_peers.assign((size_t)m_nCells, std::vector<int>());
    for (int c = 0; c < m_nColumns; c++)
    {
        for (int r = 0; r < m_nRows; r++)
        {
            const int nCell = c * m_nRows + r;
            int* pNext = &m_neighbours[(size_t)nCell * 4];
            if (r > 0)
                pNext[0] = nCell - 1;
            if (r < m_nRows - 1)
                pNext[1] = nCell + 1;
            if (c > 0)
                pNext[2] = nCell - m_nRows;
            if (c < m_nColumns - 1)
                pNext[3] = nCell + m_nRows;
            std::vector<int>& peers = m_peers[(size_t)nCell];
            for (int r2 = 0; r2 < m_nRows; r2++)
            {
                const int nOther = c * m_nRows + r2;
                if (r2 != r && m_numbers[(size_t)nOther] == m_numbers[(size_t)nCell])
                    peers.push_back(nOther);
            }
            for (int c2 = 0; c2 < m_nColumns; c2++)
            {
                const int nOther = c2 * m_nRows + r;
                if (c2 != c && m_numbers[(size_t)nOther] == m_numbers[(size_t)nCell])
                    peers.push_back(nOther);
            }
        }
    }

    m_states.assign((size_t)m_nCells, stUnknown);
    m_trail.clear();
    m_queue.clear();
    m_nQueueHead = 0;
    m_disc.assign((size_t)m_nCells, -1);
    m_low.assign((size_t)m_nCells, 0);
    m_parent.assign((size_t)m_nCells, -1);
    m_next.assign((size_t)m_nCells, 0);
    m_open.assign((size_t)m_nCells, 0);

    // A number that repeats nowhere in its column and row is never shaded.
    for (int nCell = 0; nCell < m_nCells; nCell++)
    {
        if (m_peers[(size_t)nCell].empty())
            Set(nCell, stOpen);
    }
    if (Propagate())
        Search(nMaxSolutions);
    UndoTo(0);
    if (m_bCancelled)
    {
        // Whatever was found before the cancel is no answer.
        m_nFound = 0;
        m_solution.clear();
    }
    return m_nFound;
}

BOOL CHTSolver::ApplySolution(CHTDataContainer& grid) const
{
    if (m_solution.empty() || grid.m_nColumns != m_nColumns || grid.m_nRows != m_nRows)
        return FALSE;
    for (int c = 0; c < m_nColumns; c++)
    {
        for (int r = 0; r < m_nRows; r++)
        {
            CHTSquareData* pSquare = grid.FindSquare(c, r);
            if (pSquare == NULL)
                return FALSE;
        }
    }
    for (int c = 0; c < m_nColumns; c++)
    {
        for (int r = 0; r < m_nRows; r++)
        {
            grid.FindSquare(c, r)->m_nSolutionState =
                m_solution[(size_t)c * m_nRows + r] ? htsShaded : htsUndecided;
        }
    }
    return TRUE;
}
