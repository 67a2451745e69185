// Undo and branches of the data controller.
#include <gtest/gtest.h>

#include "HTDataController.h"

namespace
{
// A move: shade the square (n, 0) of the current position, saving first
// as the play handlers do.
void Move(CHTDataController& controller, int n)
{
    controller.SaveState();
    controller.m_CurrentState.FindSquare(n, 0)->m_nPlayerState = htsShaded;
}

int Shaded(const CHTDataController& controller)
{
    int nMask = 0;
    for (int n = 0; n < 9; n++)
        if (controller.m_CurrentState.FindSquare(n, 0)->m_nPlayerState == htsShaded)
            nMask |= 1 << n;
    return nMask;
}
} // namespace

TEST(ControllerTest, StartsWithStandardNineByNine)
{
    CHTDataController controller;
    EXPECT_EQ(81, controller.m_CurrentState.m_listSquares.GetCount());
    EXPECT_EQ(htgsNone, controller.m_CurrentState.m_nGameState);
    EXPECT_EQ(0, controller.m_CurrentState.m_AppearanceInfo.m_nIndex);
    EXPECT_STREQ("Standard", controller.m_CurrentState.m_AppearanceInfo.m_strProfileName);
    EXPECT_EQ(RGB(51, 51, 51), controller.m_CurrentState.FindSquare(4, 4)->m_crSquareBorder);
    EXPECT_TRUE(controller.m_listSavedStates.IsEmpty());
    EXPECT_FALSE(controller.IsBranchOpen());
}

TEST(ControllerTest, UndoStepsBackThroughMoves)
{
    CHTDataController controller;
    Move(controller, 0);
    Move(controller, 1);
    EXPECT_EQ(3, Shaded(controller));
    EXPECT_TRUE(controller.Undo());
    EXPECT_EQ(1, Shaded(controller));
    EXPECT_TRUE(controller.Undo());
    EXPECT_EQ(0, Shaded(controller));
    EXPECT_TRUE(controller.m_listSavedStates.IsEmpty());
}

TEST(ControllerTest, UndoWithNothingSavedChangesNothing)
{
    CHTDataController controller;
    controller.m_CurrentState.FindSquare(3, 0)->m_nPlayerState = htsShaded;
    EXPECT_FALSE(controller.Undo());
    EXPECT_EQ(8, Shaded(controller));
}

TEST(ControllerTest, RevertReturnsToTheBranchPoint)
{
    CHTDataController controller;
    Move(controller, 0);
    controller.Branch();
    EXPECT_TRUE(controller.IsBranchOpen());
    Move(controller, 1);
    Move(controller, 2);
    EXPECT_TRUE(controller.RevertToBranchPoint());
    EXPECT_EQ(1, Shaded(controller)) << "the position at Branch time";
    EXPECT_EQ(1, controller.m_listSavedStates.GetCount()) << "what the list held before Branch";
    EXPECT_FALSE(controller.IsBranchOpen());
    EXPECT_TRUE(controller.Undo()) << "Undo continues before the branch";
    EXPECT_EQ(0, Shaded(controller));
}

TEST(ControllerTest, RevertWithoutBranchChangesNothing)
{
    CHTDataController controller;
    Move(controller, 0);
    EXPECT_FALSE(controller.RevertToBranchPoint());
    EXPECT_EQ(1, Shaded(controller));
    EXPECT_EQ(1, controller.m_listSavedStates.GetCount());
}

TEST(ControllerTest, UndoPastTheBranchPointClosesTheBranch)
{
    CHTDataController controller;
    controller.Branch();
    Move(controller, 4);
    EXPECT_TRUE(controller.Undo());
    EXPECT_TRUE(controller.IsBranchOpen());
    EXPECT_TRUE(controller.Undo());
    EXPECT_FALSE(controller.IsBranchOpen()) << "the branch node was removed";
    EXPECT_EQ(0, Shaded(controller));
    EXPECT_FALSE(controller.RevertToBranchPoint());

    // The node freed by the list may be reused by the next save; the closed
    // branch must not come back through it.
    Move(controller, 5);
    EXPECT_FALSE(controller.IsBranchOpen());
    EXPECT_FALSE(controller.RevertToBranchPoint());
    EXPECT_EQ(1 << 5, Shaded(controller));
}

TEST(ControllerTest, AcceptForgetsEverySavedPosition)
{
    CHTDataController controller;
    Move(controller, 0);
    controller.Branch();
    Move(controller, 1);
    controller.Accept();
    EXPECT_TRUE(controller.m_listSavedStates.IsEmpty());
    EXPECT_FALSE(controller.IsBranchOpen());
    EXPECT_FALSE(controller.Undo());
    EXPECT_EQ(3, Shaded(controller)) << "the current position stays";

    // Accept without a branch does nothing.
    Move(controller, 2);
    controller.Accept();
    EXPECT_EQ(1, controller.m_listSavedStates.GetCount());
}

TEST(ControllerTest, SecondBranchMovesTheBranchPoint)
{
    CHTDataController controller;
    controller.Branch();
    Move(controller, 0);
    controller.Branch();
    Move(controller, 1);
    EXPECT_TRUE(controller.RevertToBranchPoint());
    EXPECT_EQ(1, Shaded(controller)) << "back to the second branch point only";
    EXPECT_EQ(2, controller.m_listSavedStates.GetCount());
    EXPECT_FALSE(controller.IsBranchOpen());
}

