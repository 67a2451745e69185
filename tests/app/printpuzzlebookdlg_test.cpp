// The puzzle book dialog's template: every label and button text shows whole.
#include "support/wndtest.h"
#include "support/dialogtexts.h"
#include "resource.h"

#include <gtest/gtest.h>

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);
}

// The labels sit left of controls that start at a fixed place; a label
// longer than its width goes on to a second line, which must be inside the
// label, not cut off below it ("Number Of Puzzles:" showed as "Number Of").
TEST(PrintPuzzleBookDlg, EveryLabelShowsWhole)
{
    const std::vector<std::string> cut = testsupport::CutDialogTexts(IDD_PRINT_BOOK);
    EXPECT_TRUE(cut.empty()) << cut.size() << " cut, first: " << (cut.empty() ? "" : cut[0]);
}
