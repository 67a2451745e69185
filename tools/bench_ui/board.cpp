// Board painting: a 17 x 17 board with marks painted into an 800 x 600 DIB,
// and the open dialog's preview of a 17 x 17 puzzle file, file read included.
#include "bench_ui.h"

#include <afxwin.h>

#include "HTFileDialog.h"
#include "HTGenerator.h"
#include "HTSquarePainter.h"
#include "XTPImageManager.h"

#include <string>

namespace
{
// A 32-bit DIB selected into a memory DC.
struct Picture
{
    Picture(int cx, int cy) : nWidth(cx), nHeight(cy)
    {
        hBitmap = CXTPImageManager::Create32BitDIBSection(NULL, cx, cy);
        dc.CreateCompatibleDC(NULL);
        hOld = ::SelectObject(dc.m_hDC, hBitmap);
    }
    ~Picture()
    {
        ::SelectObject(dc.m_hDC, hOld);
        ::DeleteObject(hBitmap);
    }
    int nWidth, nHeight;
    HBITMAP hBitmap;
    HGDIOBJ hOld;
    CDC dc;
};

// A generated 17 x 17 puzzle in the middle of play, with the playing aids
// on: half of the solution's shaded squares found, their neighbours crossed
// as unshaded, and two wrong shades that break the rules and are marked.
CHTDataContainer MakePlayedPuzzle()
{
    CHTGenerator::SeedRandom(17);
    CHTGenerator generator;
    CHTDataContainer puzzle;
    while (!generator.Generate(NULL, 17, 17, &puzzle))
        ;
    puzzle.ApplySquareColours(CAppearanceInfo::MakeStandardProfile());
    puzzle.m_GradeInfo.m_bShowIslandSquares = 1;
    puzzle.m_GradeInfo.m_bShowUnshadedDups = 1;
    puzzle.m_GradeInfo.m_bShowAdjacentShaded = 1;
    int nFound = 0;
    for (int i = 0; i < 17; i++)
        for (int j = 0; j < 17; j++)
        {
            CHTSquareData* pSquare = puzzle.FindSquare(i, j);
            if (pSquare->m_nSolutionState == htsShaded && (nFound++ % 2) == 0)
                pSquare->m_nPlayerState = htsShaded;
        }
    puzzle.UpdateUnshadedSquares();
    for (int j = 0; j < 17; j++)
    {
        if (puzzle.FindSquare(8, j)->m_nPlayerState != htsShaded && puzzle.FindSquare(9, j)->m_nPlayerState != htsShaded)
        {
            puzzle.FindSquare(8, j)->m_nPlayerState = htsShaded;
            puzzle.FindSquare(9, j)->m_nPlayerState = htsShaded;
            break;
        }
    }
    puzzle.RefreshRuleMarks();
    return puzzle;
}
} // namespace

BM_UI_BENCH(board)
{
    AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
    const CHTDataContainer puzzle = MakePlayedPuzzle();

    Picture view(800, 600);
    // A repaint: the squares alike are copied from the pictures kept.
    const double dDraw = bench_ui::MedianMs(51, [&] {
        DrawBoard(&puzzle, &view.dc, CRect(0, 0, 800, 600), 32, htrmScreen, 128, 28, FALSE);
    });
    bench_ui::Report("DrawBoard, 17 x 17 with marks, 800 x 600", dDraw, "ms", 3.0);

    char szFolder[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, szFolder);
    const std::string strPath = std::string(szFolder) + "bench_board_preview.hti";
    CHTDataContainer saved(puzzle);
    if (!saved.WriteToFile(strPath.c_str()))
    {
        printf("  cannot write %s\n", strPath.c_str());
        return;
    }
    CHTFileDialog dlg("HTI Files (*.hti)|*.hti||");
    Picture pane(200, 300);
    const double dPreview = bench_ui::MedianMs(51, [&] {
        dlg.ShowPreviewOf(strPath.c_str());
        dlg.m_wndPreview.DrawPreview(&pane.dc, CRect(0, 0, 200, 300));
    });
    bench_ui::Report("open dialog preview of a 17 x 17 file, file read included", dPreview, "ms", 5.0);
    const double dRead = bench_ui::MedianMs(51, [&] { CHTDataContainer c; c.ReadFromFile(strPath.c_str(), TRUE); });
    bench_ui::Report("  of which reading the file", dRead, "ms", 0);
    const double dPaint = bench_ui::MedianMs(51, [&] { dlg.m_wndPreview.DrawPreview(&pane.dc, CRect(0, 0, 200, 300)); });
    bench_ui::Report("  of which painting", dPaint, "ms", 0);
    // A board in colours never drawn before: every kind of square is drawn,
    // none is copied from an earlier board.
    CHTDataContainer recoloured(puzzle);
    int nShade = 0;
    const double dNewLook = bench_ui::MedianMs(51, [&] {
        CAppearanceInfo look = CAppearanceInfo::MakeStandardProfile();
        look.m_crSquareBorder = RGB(nShade % 256, 64, (nShade / 256) % 256);
        nShade++;
        recoloured.ApplySquareColours(look);
        DrawBoard(&recoloured, &view.dc, CRect(0, 0, 800, 600), 32, htrmScreen, 128, 28, FALSE);
    });
    bench_ui::Report("DrawBoard, the same in colours not drawn before", dNewLook, "ms", 0);
    ::DeleteFileA(strPath.c_str());
}
