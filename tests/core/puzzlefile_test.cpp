// The puzzle file: exact text, round trips, refusal of damaged files, and
// safe replacement of the old file when saving.
#include <gtest/gtest.h>

#include "HTDataContainer.h"
#include "HTGenerator.h"
#include "support/coretest.h"

#include <random>
#include <string>

using coretest::CDialogStubs;
using coretest::CTempFolder;
using coretest::ReadFileBytes;
using coretest::WriteFileBytes;

namespace
{
// A 1 x 5 puzzle in the "Standard" colours; (0,1) is shaded with 5, as the
// example square line of the format shows it.
CHTDataContainer SmallPuzzle()
{
    CHTDataContainer grid;
    grid.SetGridSize(1, 5);
    CAppearanceInfo standard = CAppearanceInfo::MakeStandardProfile();
    grid.ApplySquareColours(standard);
    grid.m_AppearanceInfo.CopyFrom(standard);
    grid.m_GradeInfo.CopyFrom(CGradeInfo::MakeEasyProfile());
    grid.FindSquare(0, 0)->m_nNumber = 3;
    grid.FindSquare(0, 1)->m_nNumber = 5;
    grid.FindSquare(0, 1)->m_nSolutionState = htsShaded;
    grid.FindSquare(0, 2)->m_nNumber = 1;
    grid.FindSquare(0, 3)->m_nNumber = 5;
    grid.FindSquare(0, 4)->m_nNumber = 4;
    grid.m_nGameState = htgsPlaying;
    grid.m_nElapsedSeconds = 125;
    return grid;
}

const char kSmallPuzzleText[] =
    "FVH[TRI]2\r\n"
    "1\r\n"
    "5\r\n"
    "1\r\n"
    "0,0,3355443,3355443,16777215,16777215,0,52428,0,8388608,16711680,0,0,3,0,0,0,\r\n"
    "0,1,3355443,3355443,16777215,16777215,0,52428,0,8388608,16711680,0,2,5,0,0,0,\r\n"
    "0,2,3355443,3355443,16777215,16777215,0,52428,0,8388608,16711680,0,0,1,0,0,0,\r\n"
    "0,3,3355443,3355443,16777215,16777215,0,52428,0,8388608,16711680,0,0,5,0,0,0,\r\n"
    "0,4,3355443,3355443,16777215,16777215,0,52428,0,8388608,16711680,0,0,4,0,0,0,\r\n"
    "0\r\n"        // BorderColour
    "3355443\r\n"  // SquareBorderColour
    "3355443\r\n"  // ShadedFillColour
    "16777215\r\n" // ShadedNumberColour
    "16777215\r\n" // UnshadedFillColour
    "0\r\n"        // UnshadedNumberColour
    "8388608\r\n"  // IslandFillColour
    "16711680\r\n" // IslandNumberColour
    "128\r\n"      // UnshadedDupFillColour
    "255\r\n"      // UnshadedDupNumberColour
    "52428\r\n"    // AdjacentShadedFillColour
    "0\r\n"        // AdjacentShadedNumberColour
    "65280\r\n"    // MCOn
    "32768\r\n"    // MCOff
    "0\r\n"        // MCBack
    "8\r\n8\r\n1\r\n1\r\n1\r\n1\r\n1\r\n20\r\n0\r\n"
    "125\r\n";

std::string Text(const CHTDataContainer& grid, const CTempFolder& folder)
{
    CHTDataContainer copy(grid);
    std::string strPath = folder.Path("text.hti");
    EXPECT_TRUE(copy.WriteToFile(strPath.c_str()));
    return ReadFileBytes(strPath);
}

// Same squares, states, numbers, marks, size, game state, profile values
// and time.
void ExpectSamePosition(const CHTDataContainer& expected, const CHTDataContainer& actual)
{
    ASSERT_EQ(expected.m_nColumns, actual.m_nColumns);
    ASSERT_EQ(expected.m_nRows, actual.m_nRows);
    EXPECT_EQ(expected.m_nGameState, actual.m_nGameState);
    EXPECT_EQ(expected.m_nElapsedSeconds, actual.m_nElapsedSeconds);
    ASSERT_EQ(expected.m_listSquares.GetCount(), actual.m_listSquares.GetCount());
    for (INT_PTR i = 0; i < expected.m_listSquares.GetCount(); i++)
    {
        const CHTSquareData& a = expected.m_listSquares.GetAt(i);
        const CHTSquareData& b = actual.m_listSquares.GetAt(i);
        EXPECT_EQ(a.m_nColumn, b.m_nColumn);
        EXPECT_EQ(a.m_nRow, b.m_nRow);
        EXPECT_EQ(a.m_nPlayerState, b.m_nPlayerState);
        EXPECT_EQ(a.m_nSolutionState, b.m_nSolutionState);
        EXPECT_EQ(a.m_nNumber, b.m_nNumber);
        EXPECT_EQ(a.m_bIslandMark, b.m_bIslandMark);
        EXPECT_EQ(a.m_bDuplicateMark, b.m_bDuplicateMark);
        EXPECT_EQ(a.m_bAdjacencyMark, b.m_bAdjacencyMark);
    }
    for (int nIndex = 0; nIndex <= 18; nIndex++)
        EXPECT_EQ(expected.m_AppearanceInfo.GetColour(nIndex), actual.m_AppearanceInfo.GetColour(nIndex)) << nIndex;
    const CGradeInfo& g = expected.m_GradeInfo;
    const CGradeInfo& h = actual.m_GradeInfo;
    EXPECT_EQ(g.m_nColumns, h.m_nColumns);
    EXPECT_EQ(g.m_nRows, h.m_nRows);
    EXPECT_EQ(g.m_bShowIslandSquares, h.m_bShowIslandSquares);
    EXPECT_EQ(g.m_bShowUnshadedDups, h.m_bShowUnshadedDups);
    EXPECT_EQ(g.m_bShowAdjacentShaded, h.m_bShowAdjacentShaded);
    EXPECT_EQ(g.m_bEnableUnshadedUpdate, h.m_bEnableUnshadedUpdate);
    EXPECT_EQ(g.m_bEnableAutoMark, h.m_bEnableAutoMark);
    EXPECT_EQ(g.m_nMinutesToComplete, h.m_nMinutesToComplete);
    EXPECT_EQ(g.m_bForceComplete, h.m_bForceComplete);
}

// The file text with line n (0-based) replaced.
std::string ReplaceLine(const std::string& strText, int nLine, const std::string& strNew)
{
    size_t nStart = 0;
    for (int i = 0; i < nLine; i++)
        nStart = strText.find("\r\n", nStart) + 2;
    size_t nEnd = strText.find("\r\n", nStart);
    return strText.substr(0, nStart) + strNew + strText.substr(nEnd);
}
} // namespace

TEST(PuzzleFileTextTest, SmallKnownPositionExactly)
{
    CTempFolder folder;
    EXPECT_EQ(std::string(kSmallPuzzleText), Text(SmallPuzzle(), folder));
}

TEST(PuzzleFileTextTest, SquareLineRoundTripAndShortLines)
{
    CHTSquareData square;
    square.m_nColumn = 4;
    square.m_nRow = 11;
    square.m_crSquareBorder = 0xFFFFFFFF;
    square.m_nPlayerState = 1;
    square.m_nNumber = 12;
    square.m_bDuplicateMark = 1;
    square.m_crUnshadedDupFill = RGB(9, 9, 9);
    CHTSquareData copy;
    copy.m_crUnshadedDupFill = RGB(1, 1, 1);
    copy.FromText(square.ToText());
    EXPECT_EQ(std::string(square.ToText()), std::string(copy.ToText()));
    EXPECT_EQ(RGB(1, 1, 1), copy.m_crUnshadedDupFill) << "the unshaded-duplicate colours are not stored";

    CHTSquareData shortLine;
    shortLine.FromText("3,2,5");
    EXPECT_EQ(3, shortLine.m_nColumn);
    EXPECT_EQ(2, shortLine.m_nRow);
    EXPECT_EQ(5u, shortLine.m_crSquareBorder);
    EXPECT_EQ(0u, shortLine.m_crShadedFill);
    EXPECT_EQ(0, shortLine.m_nPlayerState);
    EXPECT_EQ(0, shortLine.m_nNumber) << "missing values read as 0";
}

TEST(PuzzleFileTextTest, SplitStringKeepsTheEmptyTail)
{
    CStringArray parts;
    SplitString("1,2,", ",", parts);
    ASSERT_EQ(3, parts.GetSize());
    EXPECT_STREQ("1", parts[0]);
    EXPECT_STREQ("2", parts[1]);
    EXPECT_STREQ("", parts[2]);
    SplitString("", ",", parts);
    ASSERT_EQ(1, parts.GetSize());
    SplitString(",,", ",", parts);
    EXPECT_EQ(3, parts.GetSize());
}

TEST(PuzzleFileHeaderTest, AcceptsOnlyTheExactHeader)
{
    EXPECT_TRUE(CheckFileHeader("FVH[TRI]2", "TRI", 2));
    EXPECT_FALSE(CheckFileHeader("FVH[TRI]3", "TRI", 2)) << "version mismatch";
    EXPECT_FALSE(CheckFileHeader("fvh[TRI]2", "TRI", 2)) << "case-sensitive";
    EXPECT_FALSE(CheckFileHeader("FVH[tri]2", "TRI", 2)) << "case-sensitive tag";
    EXPECT_FALSE(CheckFileHeader("FVH]TRI[2", "TRI", 2)) << "] before [";
    EXPECT_FALSE(CheckFileHeader("FVH[TRI2", "TRI", 2)) << "no ]";
    EXPECT_FALSE(CheckFileHeader("FVHTRI]2", "TRI", 2)) << "no [";
    EXPECT_FALSE(CheckFileHeader("FVH[TRX]2", "TRI", 2)) << "other tag";
    EXPECT_FALSE(CheckFileHeader(" FVH[TRI]2", "TRI", 2));
    EXPECT_FALSE(CheckFileHeader("FVH[TRI]", "TRI", 2));
    EXPECT_FALSE(CheckFileHeader("", "TRI", 2));
}

// A puzzle file of another version says so; a file whose first line is no
// puzzle file's header (a picture, a text) is called no puzzle file.
TEST(PuzzleFileHeaderTest, ReaderRefusesBadHeadersWithTheVersionMessage)
{
    CDialogStubs stubs;
    CTempFolder folder;
    const std::string strGood = kSmallPuzzleText;
    const char* const kOtherVersion = "This puzzle file was created by a different version and cannot be loaded.";
    const char* const kNoPuzzle = "This file is not a puzzle file and cannot be loaded.";
    const struct
    {
        const char* pszHeader;
        const char* pszMessage;
    } headers[] = {{"FVH[TRI]3", kOtherVersion}, {"FVH[TRI]1", kOtherVersion}, {"FVH[TRI]", kOtherVersion},
                   {"fvh[TRI]2", kNoPuzzle},     {"FVH]TRI[2", kNoPuzzle},     {"FVH[TRI", kNoPuzzle},
                   {"TRI]2", kNoPuzzle},         {"", kNoPuzzle},              {"BM6\x1a", kNoPuzzle}};
    for (const auto& header : headers)
    {
        const char* pszHeader = header.pszHeader;
        std::string strPath = folder.Path("header.hti");
        WriteFileBytes(strPath, ReplaceLine(strGood, 0, pszHeader));
        CHTDataContainer grid;
        const int nBefore = CDialogStubs::s_nInfoMessages;
        EXPECT_FALSE(grid.ReadFromFile(strPath.c_str(), FALSE)) << pszHeader;
        EXPECT_EQ(nBefore + 1, CDialogStubs::s_nInfoMessages) << pszHeader;
        EXPECT_STREQ(header.pszMessage, CDialogStubs::s_strLastMessage) << pszHeader;
        EXPECT_FALSE(grid.ReadFromFile(strPath.c_str(), TRUE)) << pszHeader;
        EXPECT_EQ(nBefore + 1, CDialogStubs::s_nInfoMessages) << "quiet shows nothing";
    }
    std::string strEmpty = folder.Path("empty.hti");
    WriteFileBytes(strEmpty, "");
    CHTDataContainer grid;
    EXPECT_FALSE(grid.ReadFromFile(strEmpty.c_str(), TRUE));

    const int nBefore = CDialogStubs::s_nInfoMessages;
    EXPECT_FALSE(grid.ReadFromFile(folder.Path("missing.hti").c_str(), FALSE));
    EXPECT_EQ(nBefore, CDialogStubs::s_nInfoMessages) << "a file that cannot be opened shows no message";
}

TEST(PuzzleFileRoundTripTest, GeneratedPuzzlesInProgress)
{
    CDialogStubs stubs;
    CTempFolder folder;
    CHTGenerator generator;
    CHTGenerator::SeedRandom(2024);
    const int sizes[][2] = {{1, 1}, {8, 8}, {17, 17}, {25, 13}, {64, 64}};
    for (const auto& size : sizes)
    {
        CHTDataContainer grid;
        while (!generator.Generate(NULL, size[0], size[1], &grid))
            ;
        grid.m_nGameState = htgsPlaying;
        grid.m_GradeInfo.CopyFrom(CGradeInfo::MakeFiendishProfile());
        grid.m_GradeInfo.m_bShowAdjacentShaded = 0;
        grid.m_AppearanceInfo.SetColour(htacMCBack, RGB(1, 2, 3));
        grid.m_nElapsedSeconds = 4321;
        // Some play: a few states and marks.
        for (INT_PTR i = 0; i < grid.m_listSquares.GetCount(); i += 3)
        {
            CHTSquareData& square = grid.m_listSquares.GetAt(i);
            square.m_nPlayerState = (int)(i % 3);
            square.m_bIslandMark = (BYTE)(i % 2);
            square.m_bAdjacencyMark = (BYTE)((i / 3) % 2);
        }
        grid.m_bModified = 1;
        std::string strPath = folder.Path("round.hti");
        ASSERT_TRUE(grid.WriteToFile(strPath.c_str()));
        EXPECT_EQ(0, grid.m_bModified) << "saving clears the modified flag";

        CDialogStubs::s_bStartAgain = FALSE;
        CHTDataContainer loaded;
        loaded.m_bModified = 1;
        ASSERT_TRUE(loaded.ReadFromFile(strPath.c_str(), FALSE));
        ExpectSamePosition(grid, loaded);
        EXPECT_EQ(0, loaded.m_bModified);
        EXPECT_EQ("", coretest::CheckGridInvariants(loaded));
    }
    EXPECT_EQ(0, CDialogStubs::s_nInfoMessages);
}

TEST(PuzzleFileRoundTripTest, SquareColoursComeFromTheAppearanceBlock)
{
    CDialogStubs stubs;
    CTempFolder folder;
    CHTDataContainer grid = SmallPuzzle();
    grid.m_AppearanceInfo.SetColour(htacShadedFill, RGB(10, 20, 30));
    grid.FindSquare(0, 0)->m_crShadedFill = RGB(99, 99, 99);
    std::string strPath = folder.Path("colours.hti");
    ASSERT_TRUE(grid.WriteToFile(strPath.c_str()));
    CHTDataContainer loaded;
    ASSERT_TRUE(loaded.ReadFromFile(strPath.c_str(), TRUE));
    EXPECT_EQ(RGB(10, 20, 30), loaded.FindSquare(0, 0)->m_crShadedFill);
    EXPECT_EQ(RGB(10, 20, 30), loaded.FindSquare(0, 1)->m_crShadedFill);
    EXPECT_EQ(RGB(128, 0, 0), loaded.FindSquare(0, 1)->m_crUnshadedDupFill);
}

TEST(PuzzleFileReadTest, LineEndsWithoutCarriageReturnsRead)
{
    CTempFolder folder;
    std::string strText = kSmallPuzzleText;
    std::string strUnix;
    for (char ch : strText)
        if (ch != '\r')
            strUnix += ch;
    std::string strPath = folder.Path("unix.hti");
    WriteFileBytes(strPath, strUnix);
    CHTDataContainer grid;
    ASSERT_TRUE(grid.ReadFromFile(strPath.c_str(), TRUE));
    ExpectSamePosition(SmallPuzzle(), grid);
}

TEST(PuzzleFileReadTest, StartedPuzzleAsksAndCanStartAgain)
{
    CDialogStubs stubs;
    CTempFolder folder;
    CHTDataContainer grid = SmallPuzzle();
    grid.FindSquare(0, 1)->m_nPlayerState = htsShaded;
    grid.FindSquare(0, 1)->m_bAdjacencyMark = 1;
    std::string strPath = folder.Path("started.hti");
    ASSERT_TRUE(grid.WriteToFile(strPath.c_str()));

    CHTDataContainer quiet;
    ASSERT_TRUE(quiet.ReadFromFile(strPath.c_str(), TRUE));
    EXPECT_EQ(0, CDialogStubs::s_nLoadChoices) << "quiet reads ask nothing";
    EXPECT_EQ(htsShaded, quiet.FindSquare(0, 1)->m_nPlayerState);

    CDialogStubs::s_bStartAgain = FALSE;
    CHTDataContainer kept;
    ASSERT_TRUE(kept.ReadFromFile(strPath.c_str(), FALSE));
    EXPECT_EQ(1, CDialogStubs::s_nLoadChoices);
    EXPECT_EQ(htsShaded, kept.FindSquare(0, 1)->m_nPlayerState);
    EXPECT_EQ(125, kept.m_nElapsedSeconds);

    CDialogStubs::s_bStartAgain = TRUE;
    CHTDataContainer restarted;
    ASSERT_TRUE(restarted.ReadFromFile(strPath.c_str(), FALSE));
    EXPECT_EQ(2, CDialogStubs::s_nLoadChoices);
    EXPECT_EQ(htsUndecided, restarted.FindSquare(0, 1)->m_nPlayerState);
    EXPECT_EQ(0, restarted.FindSquare(0, 1)->m_bAdjacencyMark);
    EXPECT_EQ(0, restarted.m_nElapsedSeconds);
    EXPECT_EQ(htsShaded, restarted.FindSquare(0, 1)->m_nSolutionState);

    // A puzzle without progress is not asked about.
    CHTDataContainer fresh = SmallPuzzle();
    ASSERT_TRUE(fresh.WriteToFile(strPath.c_str()));
    ASSERT_TRUE(restarted.ReadFromFile(strPath.c_str(), FALSE));
    EXPECT_EQ(2, CDialogStubs::s_nLoadChoices);
}

// The message a damaged file gives: the line at fault, or where the file
// was cut short.
std::string DamagedValueMessage(int nLine)
{
    return "This puzzle file is damaged and cannot be loaded.\n\nLine " + std::to_string(nLine) +
           " holds a value that no puzzle can have.";
}

std::string CutShortMessage(int nLine)
{
    return "This puzzle file is damaged and cannot be loaded.\n\nThe file ends after line " + std::to_string(nLine) +
           ", before the puzzle is complete.";
}

// A damaged file is refused with a message that says what is wrong and
// where, and the caller's position is left alone.
TEST(PuzzleFileValidationTest, RefusesImpossiblePositionsAndKeepsTheTarget)
{
    CDialogStubs stubs;
    CTempFolder folder;
    const std::string strGood = kSmallPuzzleText;
    const std::string strSquare1 = "0,1,3355443,3355443,16777215,16777215,0,52428,0,8388608,16711680,0,2,5,0,0,0,";
    struct Case
    {
        const char* pszWhat;
        std::string strText;
        std::string strMessage;
    } cases[] = {
        {"no columns", ReplaceLine(strGood, 1, "0"), DamagedValueMessage(2)},
        {"65 columns", ReplaceLine(strGood, 1, "65"), DamagedValueMessage(2)},
        {"text for columns", ReplaceLine(strGood, 1, "eight"), DamagedValueMessage(2)},
        {"negative rows", ReplaceLine(strGood, 2, "-2"), DamagedValueMessage(3)},
        {"huge rows", ReplaceLine(strGood, 2, "99999999999999999999"), DamagedValueMessage(3)},
        {"game state 3", ReplaceLine(strGood, 3, "3"), DamagedValueMessage(4)},
        {"square listed twice", ReplaceLine(strGood, 4, strSquare1), DamagedValueMessage(6)},
        {"column outside", ReplaceLine(strGood, 4, "1,0,0,0,0,0,0,0,0,0,0,0,0,3,0,0,0,"), DamagedValueMessage(5)},
        {"row outside", ReplaceLine(strGood, 4, "0,5,0,0,0,0,0,0,0,0,0,0,0,3,0,0,0,"), DamagedValueMessage(5)},
        {"negative row", ReplaceLine(strGood, 4, "0,-1,0,0,0,0,0,0,0,0,0,0,0,3,0,0,0,"), DamagedValueMessage(5)},
        {"player state 3", ReplaceLine(strGood, 4, "0,0,0,0,0,0,0,0,0,0,0,3,0,3,0,0,0,"), DamagedValueMessage(5)},
        {"solution state -1", ReplaceLine(strGood, 4, "0,0,0,0,0,0,0,0,0,0,0,0,-1,3,0,0,0,"), DamagedValueMessage(5)},
        {"number 6 in a 1x5 grid", ReplaceLine(strGood, 4, "0,0,0,0,0,0,0,0,0,0,0,0,0,6,0,0,0,"),
         DamagedValueMessage(5)},
        {"number -2", ReplaceLine(strGood, 4, "0,0,0,0,0,0,0,0,0,0,0,0,0,-2,0,0,0,"), DamagedValueMessage(5)},
        {"short file", strGood.substr(0, strGood.find(strSquare1)), CutShortMessage(5)},
        {"only the header", "FVH[TRI]2\r\n", CutShortMessage(1)},
        {"no elapsed time", strGood.substr(0, strGood.size() - 5), CutShortMessage(33)},
        {"overlong line", ReplaceLine(strGood, 4, "0,0," + std::string(5000, '1')), DamagedValueMessage(5)},
        {"border colour -1", ReplaceLine(strGood, 9, "-1"), DamagedValueMessage(10)},
        {"clock background beyond RGB", ReplaceLine(strGood, 23, "16777216"), DamagedValueMessage(24)},
        {"colour beyond 32 bits", ReplaceLine(strGood, 15, "99999999999"), DamagedValueMessage(16)},
        {"minutes 2147483647", ReplaceLine(strGood, 31, "2147483647"), DamagedValueMessage(32)},
        {"minutes -1", ReplaceLine(strGood, 31, "-1"), DamagedValueMessage(32)},
        {"minutes beyond the clock", ReplaceLine(strGood, 31, "6000"), DamagedValueMessage(32)},
        {"elapsed -2147483648", ReplaceLine(strGood, 33, "-2147483648"), DamagedValueMessage(34)},
        {"elapsed beyond the clock", ReplaceLine(strGood, 33, "360000"), DamagedValueMessage(34)},
    };
    // 1 x 5: numbers up to 5 are allowed, so 6 is out of range.
    for (const Case& c : cases)
    {
        std::string strPath = folder.Path("bad.hti");
        WriteFileBytes(strPath, c.strText);
        CHTDataContainer grid = SmallPuzzle();
        grid.m_nElapsedSeconds = 9;
        grid.m_bModified = 1;
        const int nBefore = CDialogStubs::s_nInfoMessages;
        EXPECT_FALSE(grid.ReadFromFile(strPath.c_str(), FALSE)) << c.pszWhat;
        EXPECT_EQ(nBefore + 1, CDialogStubs::s_nInfoMessages) << c.pszWhat;
        EXPECT_EQ(c.strMessage, std::string(CDialogStubs::s_strLastMessage)) << c.pszWhat;
        EXPECT_EQ(9, grid.m_nElapsedSeconds) << c.pszWhat;
        EXPECT_EQ(1, grid.m_bModified) << c.pszWhat;
        EXPECT_EQ(5, grid.m_listSquares.GetCount()) << c.pszWhat;
        EXPECT_EQ(5, grid.FindSquare(0, 1)->m_nNumber) << c.pszWhat;
        EXPECT_FALSE(grid.ReadFromFile(strPath.c_str(), TRUE)) << c.pszWhat;
        EXPECT_EQ(nBefore + 1, CDialogStubs::s_nInfoMessages) << c.pszWhat;
    }
}

// Colours are stored as red, green and blue only: white reads, and a colour
// that carries more bits (a palette colour from a hand-edited profile) is
// written as its red, green and blue, so the file still reads back.
TEST(PuzzleFileValidationTest, ColoursAreRedGreenAndBlueOnly)
{
    CDialogStubs stubs;
    CTempFolder folder;
    std::string strPath = folder.Path("white.hti");
    WriteFileBytes(strPath, ReplaceLine(kSmallPuzzleText, 9, "16777215"));
    CHTDataContainer grid;
    ASSERT_TRUE(grid.ReadFromFile(strPath.c_str(), FALSE));
    EXPECT_EQ(RGB(255, 255, 255), grid.m_AppearanceInfo.GetColour(htacBorder));

    CHTDataContainer palette = SmallPuzzle();
    palette.m_AppearanceInfo.SetColour(htacMCOn, PALETTERGB(0, 200, 0));
    palette.m_AppearanceInfo.SetColour(htacBorder, 0xFF123456);
    strPath = folder.Path("palette.hti");
    ASSERT_TRUE(palette.WriteToFile(strPath.c_str()));
    CHTDataContainer back;
    ASSERT_TRUE(back.ReadFromFile(strPath.c_str(), FALSE));
    EXPECT_EQ(RGB(0, 200, 0), back.m_AppearanceInfo.GetColour(htacMCOn));
    EXPECT_EQ((COLORREF)0x00123456, back.m_AppearanceInfo.GetColour(htacBorder));
    EXPECT_EQ(0, CDialogStubs::s_nInfoMessages);
}

TEST(PuzzleFileValidationTest, TheLongestTimesTheClockShowsAreRead)
{
    // 99:59:59 on the clock: the target in minutes and the elapsed seconds
    // at their bounds read, and the remaining time cannot overflow.
    CDialogStubs stubs;
    CTempFolder folder;
    std::string strText = ReplaceLine(ReplaceLine(kSmallPuzzleText, 31, "5999"), 33, "359999");
    std::string strPath = folder.Path("long.hti");
    WriteFileBytes(strPath, strText);
    CHTDataContainer grid;
    ASSERT_TRUE(grid.ReadFromFile(strPath.c_str(), FALSE));
    EXPECT_EQ(HT_MAX_STORED_MINUTES, grid.m_GradeInfo.m_nMinutesToComplete);
    EXPECT_EQ(HT_MAX_CLOCK_SECONDS, grid.m_nElapsedSeconds);
    EXPECT_EQ(5999, HT_MAX_STORED_MINUTES);
    EXPECT_GT(grid.m_GradeInfo.m_nMinutesToComplete * 60 - grid.m_nElapsedSeconds, -HT_MAX_CLOCK_SECONDS - 1);
}

TEST(PuzzleFileValidationTest, OversizedFileIsRefusedUnread)
{
    CTempFolder folder;
    std::string strPath = folder.Path("big.hti");
    std::string strText = kSmallPuzzleText;
    strText += std::string(5 * 1024 * 1024, '7');
    WriteFileBytes(strPath, strText);
    CDialogStubs stubs;
    CHTDataContainer grid;
    EXPECT_FALSE(grid.ReadFromFile(strPath.c_str(), TRUE));
    EXPECT_EQ(0, CDialogStubs::s_nInfoMessages);
    EXPECT_FALSE(grid.ReadFromFile(strPath.c_str(), FALSE));
    EXPECT_EQ(1, CDialogStubs::s_nInfoMessages);
    EXPECT_STREQ("This file is too large to be a puzzle file and cannot be loaded.", CDialogStubs::s_strLastMessage);
}

TEST(PuzzleFileCorruptionTest, RandomMutationsNeverCrashOrBreakTheGrid)
{
    CDialogStubs stubs;
    CTempFolder folder;
    CHTGenerator generator;
    CHTGenerator::SeedRandom(606);
    CHTDataContainer source;
    while (!generator.Generate(NULL, 6, 5, &source))
        ;
    source.FindSquare(2, 2)->m_nPlayerState = htsShaded;
    std::string strValidPath = folder.Path("valid.hti");
    ASSERT_TRUE(source.WriteToFile(strValidPath.c_str()));
    const std::string strValid = ReadFileBytes(strValidPath);
    ASSERT_FALSE(strValid.empty());

    std::mt19937 random(20240607);
    const char* hugeNumbers[] = {"2147483648", "-2147483649", "99999999999999999999", "4294967295", "-1", "64", "65"};
    int nRefused = 0, nAccepted = 0;
    for (int nTrial = 0; nTrial < 1500; nTrial++)
    {
        std::string strText = strValid;
        const int nKind = random() % 5;
        const int nEdits = 1 + random() % 4;
        for (int e = 0; e < nEdits && !strText.empty(); e++)
        {
            size_t nAt = random() % strText.size();
            switch (nKind)
            {
            case 0: // truncate
                strText.resize(nAt);
                break;
            case 1: // flip a byte
                strText[nAt] = (char)(strText[nAt] ^ (1 << (random() % 8)));
                break;
            case 2: // random byte
                strText[nAt] = (char)(random() % 256);
                break;
            case 3: // a huge or boundary number in place of a digit run
            {
                size_t nStart = strText.find_first_of("0123456789", nAt);
                if (nStart == std::string::npos)
                    break;
                size_t nEnd = strText.find_first_not_of("0123456789", nStart);
                strText.replace(nStart, nEnd - nStart, hugeNumbers[random() % 7]);
                break;
            }
            default: // duplicate or drop a line
            {
                size_t nStart = strText.rfind('\n', nAt);
                nStart = nStart == std::string::npos ? 0 : nStart + 1;
                size_t nEnd = strText.find('\n', nAt);
                if (nEnd == std::string::npos)
                    break;
                std::string strLine = strText.substr(nStart, nEnd + 1 - nStart);
                if (random() % 2)
                    strText.insert(nStart, strLine);
                else
                    strText.erase(nStart, strLine.size());
            }
            }
        }
        std::string strPath = folder.Path("mutant.hti");
        WriteFileBytes(strPath, strText);
        CHTDataContainer grid = source;
        if (grid.ReadFromFile(strPath.c_str(), (nTrial & 1) != 0))
        {
            nAccepted++;
            ASSERT_EQ("", coretest::CheckGridInvariants(grid)) << "trial " << nTrial;
            // Whatever was accepted can be checked and saved again.
            grid.RefreshRuleMarks();
            ASSERT_TRUE(grid.WriteToFile(folder.Path("again.hti").c_str())) << "trial " << nTrial;
        }
        else
        {
            nRefused++;
            ASSERT_EQ("", coretest::CheckGridInvariants(grid)) << "trial " << nTrial;
            ASSERT_EQ(source.m_listSquares.GetCount(), grid.m_listSquares.GetCount());
        }
    }
    EXPECT_GT(nRefused, 100);
    EXPECT_GT(nAccepted, 10);
}

// A failed save leaves the old file and the modified flag alone.
TEST(PuzzleFileWriteTest, FailedSaveKeepsOldFileAndModifiedFlag)
{
    CTempFolder folder;
    CHTDataContainer grid = SmallPuzzle();
    grid.m_bModified = 1;
    EXPECT_FALSE(grid.WriteToFile((folder.Folder() + "\\missing\\x.hti").c_str()));
    EXPECT_EQ(1, grid.m_bModified);

    // A read-only old file cannot be replaced: it keeps its text.
    std::string strPath = folder.Path("locked.hti");
    WriteFileBytes(strPath, "old text");
    SetFileAttributesA(strPath.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(grid.WriteToFile(strPath.c_str()));
    EXPECT_EQ(1, grid.m_bModified);
    EXPECT_EQ("old text", ReadFileBytes(strPath));
    EXPECT_EQ(1, folder.CountFiles()) << "the temporary file is removed";
    SetFileAttributesA(strPath.c_str(), FILE_ATTRIBUTE_NORMAL);

    // Now writable: replaced as a whole.
    EXPECT_TRUE(grid.WriteToFile(strPath.c_str()));
    EXPECT_EQ(std::string(kSmallPuzzleText), ReadFileBytes(strPath));
}

TEST(PuzzleFileWriteTest, PositionsThatWouldNotReadBackAreNotWritten)
{
    CTempFolder folder;
    CHTDataContainer empty;
    EXPECT_FALSE(empty.WriteToFile(folder.Path("empty.hti").c_str()));
    CHTDataContainer bad = SmallPuzzle();
    bad.FindSquare(0, 0)->m_nPlayerState = 7;
    EXPECT_FALSE(bad.WriteToFile(folder.Path("bad.hti").c_str()));
    EXPECT_EQ(0, folder.CountFiles());
}
