// The puzzle file (.hti): a line-oriented text file holding one position.
//
//   FVH[TRI]2                     header: tag and format version
//   columns, rows, game state     one number a line
//   one line per square           17 comma-separated values, list order
//   15 appearance colours, 9 difficulty values, elapsed seconds
#include "HTDataContainer.h"

#include "HTCoreServices.h"
#include "resource.h"

#include <stdlib.h>

#include <vector>

namespace
{
const char kFileTag[] = "TRI";
const int kFileVersion = 2;

// Limits of what a reader accepts. A file written by this program stays far
// below both (64 x 64 squares of at most about 210 characters a line).
const ULONGLONG kMaxFileSize = 4 * 1024 * 1024;
const int kMaxLineLength = 1024;

// The bits of a colour that a file stores: red, green and blue.
const COLORREF kColourMask = 0x00FFFFFF;

// Appearance block order: the twelve board colours, then the clock colours.
const int kAppearanceBlock[] = {
    htacBorder,          htacSquareBorder,      htacShadedFill,          htacShadedNumber,
    htacUnshadedFill,    htacUnshadedNumber,    htacIslandFill,          htacIslandNumber,
    htacUnshadedDupFill, htacUnshadedDupNumber, htacAdjacentShadedFill,  htacAdjacentShadedNumber,
    htacMCOn,            htacMCOff,             htacMCBack,
};

// The difficulty block: one value a line, in this order.
enum GradeBlockValue
{
    gbColumns,
    gbRows,
    gbShowIslandSquares,
    gbShowUnshadedDups,
    gbShowAdjacentShaded,
    gbEnableUnshadedUpdate,
    gbEnableAutoMark,
    gbMinutesToComplete,
    gbForceComplete,
    gbValueCount
};

int ParseInteger(const char* pszText)
{
    return (int)strtol(pszText, NULL, 10);
}

// Lines of a file read whole into memory. A line ends at LF; a CR before the
// LF is dropped, so files with CR LF and with LF line ends both read.
class CLineReader
{
public:
    explicit CLineReader(const std::vector<char>& text) : m_text(text), m_nPos(0), m_nLine(0), m_bRanOut(FALSE)
    {
    }

    // FALSE at the end of the text or for a line that is too long.
    BOOL ReadLine(CString& strLine)
    {
        if (m_nPos >= m_text.size())
        {
            m_bRanOut = TRUE;
            return FALSE;
        }
        m_nLine++;
        size_t nEnd = m_nPos;
        while (nEnd < m_text.size() && m_text[nEnd] != '\n')
            nEnd++;
        size_t nLength = nEnd - m_nPos;
        if (nLength > 0 && m_text[m_nPos + nLength - 1] == '\r')
            nLength--;
        if (nLength > (size_t)kMaxLineLength)
            return FALSE;
        strLine = CString(m_text.data() + m_nPos, (int)nLength);
        m_nPos = nEnd + 1;
        return TRUE;
    }

    BOOL ReadInteger(int& nValue)
    {
        CString strLine;
        if (!ReadLine(strLine))
            return FALSE;
        nValue = ParseInteger(strLine);
        return TRUE;
    }

    // The 1-based number of the line read last (or refused as too long);
    // 0 before the first.
    int LineNumber() const { return m_nLine; }
    // TRUE once a line was asked for after the last one.
    BOOL RanOut() const { return m_bRanOut; }

private:
    const std::vector<char>& m_text;
    size_t m_nPos;
    int m_nLine;
    BOOL m_bRanOut;
};

// The whole file, when it can be opened and is not larger than a puzzle
// file can be. bOpened tells an unreadable file from one that opened;
// bTooLarge tells an oversized one.
BOOL ReadWholeFile(LPCTSTR lpszPath, std::vector<char>& text, BOOL& bOpened, BOOL& bTooLarge)
{
    bOpened = FALSE;
    bTooLarge = FALSE;
    CFile file;
    if (!file.Open(lpszPath, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    bOpened = TRUE;
    try
    {
        ULONGLONG nLength = file.GetLength();
        if (nLength > kMaxFileSize)
        {
            bTooLarge = TRUE;
            return FALSE;
        }
        text.resize((size_t)nLength);
        size_t nRead = 0;
        while (nRead < text.size())
        {
            UINT nChunk = file.Read(text.data() + nRead, (UINT)(text.size() - nRead));
            if (nChunk == 0)
                break;
            nRead += nChunk;
        }
        text.resize(nRead);
        file.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        file.Abort();
        return FALSE;
    }
    return TRUE;
}

void WriteLine(CStdioFile& file, int nValue)
{
    CString strLine;
    strLine.Format("%d\n", nValue);
    file.WriteString(strLine);
}

// Reads everything after the header into the position. FALSE at the first
// value that is missing or that no valid puzzle holds; the reader's line
// number is then that of the line at fault.
BOOL ParseBody(CLineReader& reader, CHTDataContainer& position)
{
    // Each value is checked as soon as its line is read, so that the reader
    // names the line that is wrong.
    int nColumns, nRows, nGameState;
    if (!reader.ReadInteger(nColumns) || nColumns < 1 || nColumns > HT_MAX_GRID_SIDE)
        return FALSE;
    if (!reader.ReadInteger(nRows) || nRows < 1 || nRows > HT_MAX_GRID_SIDE)
        return FALSE;
    if (!reader.ReadInteger(nGameState) || nGameState < htgsNone || nGameState > htgsCopyMode)
        return FALSE;
    position.m_listSquares.RemoveAll();
    position.m_nColumns = nColumns;
    position.m_nRows = nRows;
    position.m_nGameState = nGameState;

    const int nMaxNumber = HTLargestSide(nColumns, nRows);
    position.m_listSquares.ReserveGrid(nColumns, nRows);
    CString strLine;
    for (int i = 0; i < nColumns * nRows; i++)
    {
        if (!reader.ReadLine(strLine))
            return FALSE;
        CHTSquareData square;
        square.FromText(strLine);
        if (square.m_nColumn < 0 || square.m_nColumn >= nColumns || square.m_nRow < 0 || square.m_nRow >= nRows)
            return FALSE;
        if (square.m_nPlayerState < htsUndecided || square.m_nPlayerState > htsShaded ||
            square.m_nSolutionState < htsUndecided || square.m_nSolutionState > htsShaded)
            return FALSE;
        if (square.m_nNumber < HT_NO_NUMBER || square.m_nNumber > nMaxNumber)
            return FALSE;
        // A square listed twice fails here; with the count fixed, no square
        // can then be missing either.
        if (!position.m_listSquares.Add(square))
            return FALSE;
    }

    for (int nIndex : kAppearanceBlock)
    {
        // A colour is red, green and blue, one byte each; anything above
        // would draw the board and the clock in black.
        int nValue;
        if (!reader.ReadInteger(nValue) || nValue < 0 || nValue > (int)kColourMask)
            return FALSE;
        position.m_AppearanceInfo.SetColour(nIndex, (COLORREF)nValue);
    }

    int values[gbValueCount];
    for (int i = 0; i < gbValueCount; i++)
    {
        if (!reader.ReadInteger(values[i]))
            return FALSE;
        // Times beyond what the clock shows are no game's.
        if (i == gbMinutesToComplete && (values[i] < 0 || values[i] > HT_MAX_STORED_MINUTES))
            return FALSE;
    }
    CGradeInfo& grade = position.m_GradeInfo;
    grade.m_nColumns = values[gbColumns];
    grade.m_nRows = values[gbRows];
    grade.m_bShowIslandSquares = values[gbShowIslandSquares] != 0 ? 1 : 0;
    grade.m_bShowUnshadedDups = values[gbShowUnshadedDups] != 0 ? 1 : 0;
    grade.m_bShowAdjacentShaded = values[gbShowAdjacentShaded] != 0 ? 1 : 0;
    grade.m_bEnableUnshadedUpdate = values[gbEnableUnshadedUpdate] != 0 ? 1 : 0;
    grade.m_bEnableAutoMark = values[gbEnableAutoMark] != 0 ? 1 : 0;
    grade.m_nMinutesToComplete = values[gbMinutesToComplete];
    grade.m_bForceComplete = values[gbForceComplete] != 0 ? 1 : 0;

    int nElapsed = 0;
    if (!reader.ReadInteger(nElapsed) || nElapsed < 0 || nElapsed > HT_MAX_CLOCK_SECONDS)
        return FALSE;
    position.m_nElapsedSeconds = nElapsed;
    return TRUE;
}

// The folder part of a path, with its separator; ".\" for a bare name.
CString FolderOf(LPCTSTR lpszPath)
{
    CString strPath(lpszPath);
    int nSlash = strPath.ReverseFind('\\');
    int nForward = strPath.ReverseFind('/');
    if (nForward > nSlash)
        nSlash = nForward;
    if (nSlash < 0)
        return CString(".\\");
    return strPath.Left(nSlash + 1);
}
} // namespace

void AFXAPI WriteFileHeader(CStdioFile& file, LPCTSTR lpszTag, int nVersion)
{
    CString strLine;
    strLine.Format("FVH[%s]%d\n", lpszTag, nVersion);
    file.WriteString(strLine);
}

namespace
{
// TRUE when the line is a header "FVH[<tag>]..." of this tag; the version
// after it, read as a number, goes to nVersion.
BOOL ReadFileHeader(const CString& strLine, LPCTSTR lpszTag, int& nVersion)
{
    const int nOpen = strLine.Find('[');
    const int nClose = strLine.Find(']');
    if (nOpen < 0 || nClose < 0 || nClose < nOpen)
        return FALSE;
    if (strLine.Left(nOpen) != "FVH")
        return FALSE;
    if (strLine.Mid(nOpen + 1, nClose - nOpen - 1) != lpszTag)
        return FALSE;
    nVersion = ParseInteger(strLine.Mid(nClose + 1));
    return TRUE;
}
} // namespace

BOOL AFXAPI CheckFileHeader(const CString& strLine, LPCTSTR lpszTag, int nVersion)
{
    int nRead = 0;
    return ReadFileHeader(strLine, lpszTag, nRead) && nRead == nVersion;
}

BOOL CHTDataContainer::WriteToFile(LPCTSTR lpszPath)
{
    // Write only what reads back.
    if (lpszPath == NULL || *lpszPath == '\0' || !IsValidGrid())
        return FALSE;
    // A read-only file is not replaced (not every file system refuses the
    // final move over it).
    const DWORD dwAttributes = ::GetFileAttributesA(lpszPath);
    if (dwAttributes != INVALID_FILE_ATTRIBUTES &&
        (dwAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
        return FALSE;

    // Write a new file beside the old one and put it in the old one's place
    // only once all of it is on disk.
    char szTempPath[MAX_PATH];
    if (!::GetTempFileNameA(FolderOf(lpszPath), "hti", 0, szTempPath))
        return FALSE;

    BOOL bWritten = FALSE;
    try
    {
        CStdioFile file;
        if (file.Open(szTempPath, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive | CFile::typeText))
        {
            WriteFileHeader(file, kFileTag, kFileVersion);
            WriteLine(file, m_nColumns);
            WriteLine(file, m_nRows);
            WriteLine(file, m_nGameState);
            for (INT_PTR i = 0; i < m_listSquares.GetCount(); i++)
                file.WriteString(m_listSquares.GetAt(i).ToText() + "\n");
            // Only the red, green and blue of a colour, which is all that a
            // reader takes back.
            for (int nIndex : kAppearanceBlock)
                WriteLine(file, (int)(m_AppearanceInfo.GetColour(nIndex) & kColourMask));
            WriteLine(file, m_GradeInfo.m_nColumns);
            WriteLine(file, m_GradeInfo.m_nRows);
            WriteLine(file, m_GradeInfo.m_bShowIslandSquares ? 1 : 0);
            WriteLine(file, m_GradeInfo.m_bShowUnshadedDups ? 1 : 0);
            WriteLine(file, m_GradeInfo.m_bShowAdjacentShaded ? 1 : 0);
            WriteLine(file, m_GradeInfo.m_bEnableUnshadedUpdate ? 1 : 0);
            WriteLine(file, m_GradeInfo.m_bEnableAutoMark ? 1 : 0);
            WriteLine(file, m_GradeInfo.m_nMinutesToComplete);
            WriteLine(file, m_GradeInfo.m_bForceComplete ? 1 : 0);
            WriteLine(file, m_nElapsedSeconds);
            file.Close(); // throws when the data cannot be flushed
            bWritten = TRUE;
        }
    }
    catch (CException* e)
    {
        e->Delete();
        bWritten = FALSE;
    }

    if (bWritten && ::MoveFileExA(szTempPath, lpszPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    {
        m_bModified = 0;
        return TRUE;
    }
    ::DeleteFileA(szTempPath);
    return FALSE;
}

BOOL CHTDataContainer::ReadFromFile(LPCTSTR lpszPath, BOOL bQuiet)
{
    if (lpszPath == NULL || *lpszPath == '\0')
        return FALSE;

    std::vector<char> text;
    BOOL bOpened = FALSE, bTooLarge = FALSE;
    BOOL bRead = ReadWholeFile(lpszPath, text, bOpened, bTooLarge);
    if (!bOpened)
        return FALSE; // cannot be opened: no message

    // Read into a copy, so that a damaged file leaves this position as it
    // was. The profile names, indexes and font sizes are not in the file and
    // stay those of this position.
    CHTDataContainer position;
    position.m_AppearanceInfo.CopyFrom(m_AppearanceInfo);
    position.m_GradeInfo.CopyFrom(m_GradeInfo);
    position.m_bUnshadedUpdate = m_bUnshadedUpdate;

    // What is wrong, for the player: a file that is no puzzle file, one of
    // another version, a puzzle file damaged at a given line, or one cut
    // short.
    UINT nIDProblem = 0;
    int nProblemLine = 0;
    if (!bRead)
        nIDProblem = bTooLarge ? IDS_FILE_TOO_LARGE : IDS_FILE_READ_FAILED;
    else
    {
        CLineReader reader(text);
        CString strHeader;
        int nVersion = 0;
        if (!reader.ReadLine(strHeader) || !ReadFileHeader(strHeader, kFileTag, nVersion))
            nIDProblem = IDS_NOT_PUZZLE_FILE;
        else if (nVersion != kFileVersion)
            nIDProblem = IDS_WRONG_FILE_VERSION;   // a puzzle file of another version
        else if (!ParseBody(reader, position))
        {
            // A line that was read and refused is damaged; running out of
            // lines means the file was cut short.
            nProblemLine = reader.LineNumber();
            nIDProblem = reader.RanOut() ? IDS_FILE_DAMAGED_SHORT : IDS_FILE_DAMAGED_VALUE;
        }
    }
    if (nIDProblem != 0)
    {
        if (!bQuiet)
        {
            CHTCoreServices& services = CHTCoreServices::Get();
            CString strMessage = services.LoadResourceString(nIDProblem);
            if (nIDProblem == IDS_FILE_DAMAGED_VALUE || nIDProblem == IDS_FILE_DAMAGED_SHORT)
            {
                CString strLine;
                strLine.Format("%d", nProblemLine);
                strMessage.Replace("%1", strLine);
            }
            services.ShowInfoMessage(strMessage);
        }
        return FALSE;
    }

    if (!bQuiet && position.HasPlayerProgress())
    {
        if (CHTCoreServices::Get().AskStartAgain())
            position.ResetPlayerState();
    }
    position.ApplySquareColours(position.m_AppearanceInfo);
    position.m_bModified = 0;
    CopyFrom(position);
    return TRUE;
}
