// The open dialog's preview: files read quietly into it, unreadable files
// shown as the placeholder, and one real dialog with its pane.
// ctest: run-serial
#include "support/wndtest.h"
#include "support/modal.h"
#include "support/snapshot.h"
#include "GameServices.h"
#include "HTFileDialog.h"
#include "HTGenerator.h"
#include "resource.h"

#include <string>

using testsupport::ModalDriver;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

std::string TempFolder()
{
    char szPath[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, szPath);
    std::string strFolder = std::string(szPath) + "htfiledialog_test";
    ::CreateDirectoryA(strFolder.c_str(), NULL);
    return strFolder;
}

CHTDataContainer MakePuzzle(int nColumns, int nRows)
{
    CHTGenerator::SeedRandom(7);
    CHTDataContainer puzzle;
    CHTGenerator generator;
    EXPECT_TRUE(generator.Generate(NULL, nColumns, nRows, &puzzle));
    return puzzle;
}

std::string WritePuzzle(CHTDataContainer puzzle)
{
    const std::string strPath = TempFolder() + "\\preview.hti";
    EXPECT_TRUE(puzzle.WriteToFile(strPath.c_str()));
    return strPath;
}

std::string WritePuzzle(int nColumns, int nRows)
{
    return WritePuzzle(MakePuzzle(nColumns, nRows));
}

std::string WriteGarbage()
{
    const std::string strPath = TempFolder() + "\\broken.hti";
    FILE* pFile = fopen(strPath.c_str(), "w");
    fputs("not a puzzle\n", pFile);
    fclose(pFile);
    return strPath;
}
} // namespace

TEST(HTFileDialog, APuzzleFileIsPreviewedAndAnythingElseShowsThePlaceholder)
{
    CHTFileDialog dlg(LoadResourceString(IDS_PUZZLE_FILE_FILTER));
    EXPECT_STREQ("hti", dlg.m_ofn.lpstrDefExt);
    EXPECT_EQ((DWORD)(OFN_FILEMUSTEXIST | OFN_HIDEREADONLY), dlg.m_ofn.Flags & (OFN_FILEMUSTEXIST | OFN_HIDEREADONLY));

    EXPECT_TRUE(dlg.ShowPreviewOf(WritePuzzle(6, 5).c_str()));
    EXPECT_EQ(6, dlg.m_previewContainer.m_nColumns);
    EXPECT_EQ(5, dlg.m_previewContainer.m_nRows);
    EXPECT_FALSE(dlg.m_wndPreview.m_bPlaceholder);
    EXPECT_EQ(&dlg.m_previewContainer, dlg.m_wndPreview.m_pContainer);

    EXPECT_FALSE(dlg.ShowPreviewOf(WriteGarbage().c_str()));
    EXPECT_EQ(9, dlg.m_previewContainer.m_nColumns);
    EXPECT_EQ(9, dlg.m_previewContainer.m_nRows);
    EXPECT_TRUE(dlg.m_wndPreview.m_bPlaceholder);
    EXPECT_FALSE(dlg.ShowPreviewOf((TempFolder() + "\\missing.hti").c_str()));
    EXPECT_TRUE(dlg.m_wndPreview.m_bPlaceholder);
}

// A file whose stored rule marks are those of another marking (an older game
// left them after a right click) is previewed with the marks of its own
// marking, in the colours the board gives them: the difficulty profile's
// marks shown, its others not.
TEST(HTFileDialog, ThePreviewShowsTheMarksOfTheMarkingNotThoseStored)
{
    CHTDataContainer puzzle = MakePuzzle(6, 5);
    puzzle.ApplySquareColours(CAppearanceInfo::MakeStandardProfile());
    CGradeInfo grade = CGradeInfo::MakeEasyProfile();
    grade.m_bShowUnshadedDups = 0;
    puzzle.SetGradeInfo(grade);
    puzzle.ResetPlayerState();
    CHTSquareData& lone = *puzzle.FindSquare(3, 2);
    lone.m_nPlayerState = htsShaded;
    lone.m_bAdjacencyMark = 1;                    // no neighbour is shaded
    puzzle.FindSquare(0, 4)->m_bIslandMark = 1;   // the open squares are one area
    CHTFileDialog dlg(LoadResourceString(IDS_PUZZLE_FILE_FILTER));
    ASSERT_TRUE(dlg.ShowPreviewOf(WritePuzzle(puzzle).c_str()));
    EXPECT_EQ(0, dlg.m_previewContainer.FindSquare(3, 2)->m_bAdjacencyMark);
    EXPECT_EQ(0, dlg.m_previewContainer.FindSquare(0, 4)->m_bIslandMark);
    EXPECT_EQ(1, dlg.m_previewContainer.FindSquare(0, 4)->m_bDuplicateMark) << "not shown by this profile";

    testsupport::Canvas canvas(400, 600);
    dlg.m_wndPreview.DrawPreview(canvas.DC(), CRect(0, 0, 400, 600));
    int s, nLeft, nTop;
    ASSERT_TRUE(CHTPreviewCtrl::CalcLayout(400, 600, 6, 5, s, nLeft, nTop));
    auto fill = [&](int c, int r) {
        const int x = nLeft + c * s, y = nTop + r * s;
        return canvas.MostCommon({x + s / 8, y + s / 8, x + s - s / 8, y + s - s / 8});
    };
    EXPECT_EQ(lone.m_crShadedFill, fill(3, 2));
    EXPECT_EQ(lone.m_crUnshadedFill, fill(0, 4));
    EXPECT_FALSE(testsupport::SaveSnapshot(canvas, "preview_of_stale_marks").empty());
}

TEST(HTFileDialog, ThePreviewPaneSitsRightOfTheFileList)
{
    const CRect rcPreview = CHTFileDialog::CalcPreviewRect(CRect(10, 40, 300, 250));
    EXPECT_EQ(CRect(320, 40, 520, 250), rcPreview);
}

TEST(HTFileDialog, TheRealDialogWidensAndShowsAnEmptyGrid)
{
    const std::string strFolder = TempFolder();
    WritePuzzle(9, 9);
    CHTFileDialog dlg(LoadResourceString(IDS_PUZZLE_FILE_FILTER));
    dlg.m_ofn.lpstrInitialDir = strFolder.c_str();
    CRect rcPane, rcFrameClient;
    bool bEmptyGrid = false;
    ModalDriver driver([&](HWND hFrame) {
        HWND hPane = ::GetDlgItem(hFrame, IDC_HT_FILE_PREVIEW);
        if (hPane != NULL)
        {
            ::GetWindowRect(hPane, &rcPane);
            ::MapWindowPoints(NULL, hFrame, (LPPOINT)&rcPane, 2);
        }
        ::GetClientRect(hFrame, &rcFrameClient);
        bEmptyGrid = dlg.m_previewContainer.m_nColumns == 9 && !dlg.m_wndPreview.m_bPlaceholder;
        ::PostMessage(hFrame, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    ASSERT_TRUE(driver.HasRun());
    EXPECT_EQ(200, rcPane.Width());
    EXPECT_GT(rcPane.Height(), 50);
    EXPECT_LE(rcPane.right, rcFrameClient.right);
    EXPECT_TRUE(bEmptyGrid);
}

// A name typed without ".hti" finds the puzzle file that has it; every other
// name is left to the dialog as typed.
TEST(HTFileDialog, ANameTypedWithoutTheExtensionFindsTheFile)
{
    const std::string strFolder = TempFolder();
    const std::string strPuzzle = WritePuzzle(9, 9); // preview.hti
    const std::string strBare = strFolder + "\\bare";
    ::DeleteFileA(strBare.c_str());
    ::DeleteFileA((strBare + ".hti").c_str());
    const CString strFolderText(strFolder.c_str());

    EXPECT_STREQ("preview.hti", CHTFileDialog::CompleteTypedName("preview", strFolderText, "hti"));
    EXPECT_STREQ("preview.hti", CHTFileDialog::CompleteTypedName(" preview ", strFolderText, "hti"));
    EXPECT_STREQ((strFolder + "\\preview.hti").c_str(),
                 CHTFileDialog::CompleteTypedName((strFolder + "\\preview").c_str(), "", "hti"));
    // Nothing to find, or nothing to complete.
    EXPECT_STREQ("missing", CHTFileDialog::CompleteTypedName("missing", strFolderText, "hti"));
    EXPECT_STREQ("preview.txt", CHTFileDialog::CompleteTypedName("preview.txt", strFolderText, "hti"));
    EXPECT_STREQ("*.hti", CHTFileDialog::CompleteTypedName("*.hti", strFolderText, "hti"));
    EXPECT_STREQ("", CHTFileDialog::CompleteTypedName("", strFolderText, "hti"));
    EXPECT_STREQ("preview", CHTFileDialog::CompleteTypedName("preview", strFolderText, ""));
    // A file without an extension that exists is the one meant.
    FILE* pFile = fopen(strBare.c_str(), "wb");
    ASSERT_TRUE(pFile != NULL);
    fclose(pFile);
    FILE* pPuzzle = fopen((strBare + ".hti").c_str(), "wb");
    ASSERT_TRUE(pPuzzle != NULL);
    fclose(pPuzzle);
    EXPECT_STREQ("bare", CHTFileDialog::CompleteTypedName("bare", strFolderText, "hti"));
    ::DeleteFileA(strBare.c_str());
    ::DeleteFileA((strBare + ".hti").c_str());

    // In the real dialog: the name typed, then OK, opens the file.
    CHTFileDialog dlg(LoadResourceString(IDS_PUZZLE_FILE_FILTER));
    dlg.m_ofn.lpstrInitialDir = strFolder.c_str();
    ModalDriver driver([&](HWND hFrame) {
        HWND hName = ::GetDlgItem(hFrame, 0x47c);
        if (hName == NULL)
            hName = ::GetDlgItem(hFrame, 0x480);
        ASSERT_TRUE(hName != NULL);
        ::SetWindowTextA(hName, "preview");
        ::PostMessage(hFrame, WM_COMMAND, IDOK, 0);
    });
    ASSERT_EQ(IDOK, dlg.DoModal()) << "the dialog did not take the name";
    EXPECT_EQ(0, dlg.GetPathName().CompareNoCase(strPuzzle.c_str())) << (LPCTSTR)dlg.GetPathName();
}
