// The services the core uses when no program has handed its own in: texts
// from the string table, and no box or question that would need a window.
#include <gtest/gtest.h>

#include "HTCoreServices.h"
#include "resource.h"

TEST(WindowlessServicesTest, AnswerWithoutAWindow)
{
    CHTCoreServices* pPrevious = CHTCoreServices::Set(NULL);
    CHTCoreServices& services = CHTCoreServices::Get();
    EXPECT_STREQ("Fiendish", services.LoadResourceString(IDS_GRADE_FIENDISH));
    EXPECT_STREQ("String not found: 64999", services.LoadResourceString(64999));
    EXPECT_EQ(IDOK, services.ShowInfoMessage("nobody sees this"));
    EXPECT_FALSE(services.AskStartAgain()) << "a started puzzle continues";
    CHTCoreServices::Set(pPrevious);
}
