// The class library's diagnostics: TRACE lines and failed ASSERTs reach the
// trace hook (and the debugger output) in the builds the team runs.
#include <gtest/gtest.h>

#include <afx.h>

#include <string>
#include <vector>

namespace
{
std::vector<std::string> s_lines;

void AFXAPI RecordLine(const char* lpszLine)
{
    s_lines.push_back(lpszLine);
}

struct CTraceRecorder
{
    CTraceRecorder()
    {
        s_lines.clear();
        m_pfnPrevious = AfxSetTraceHook(RecordLine);
    }
    ~CTraceRecorder() { AfxSetTraceHook(m_pfnPrevious); }
    AFX_TRACE_HOOK m_pfnPrevious;
};
} // namespace

TEST(TraceTest, FormatsLinesAndCutsOverlongOnes)
{
    CTraceRecorder recorder;
    AfxTrace("%s failed: %d\n", "Load", 7);
    ASSERT_EQ(1u, s_lines.size());
    EXPECT_EQ("Load failed: 7\n", s_lines[0]);

    std::string strLong(5000, 'x');
    AfxTrace("%s", strLong.c_str());
    ASSERT_EQ(2u, s_lines.size());
    EXPECT_EQ(1023u, s_lines[1].size()) << "cut at the buffer, still terminated";
}

#ifdef _DEBUG
TEST(TraceTest, MacrosAreLiveInTheTestedBuild)
{
    CTraceRecorder recorder;
    TRACE("value %d\n", 3);
    TRACE0("plain 100%\n");
    int nEvaluated = 0;
    VERIFY(++nEvaluated == 1);
    ASSERT(nEvaluated == 2);
    ASSERT_EQ(3u, s_lines.size());
    EXPECT_EQ("value 3\n", s_lines[0]);
    EXPECT_EQ("plain 100%\n", s_lines[1]) << "TRACE0 takes its text literally";
    EXPECT_NE(std::string::npos, s_lines[2].find("Assertion failed: "));
    EXPECT_NE(std::string::npos, s_lines[2].find("trace_test.cpp"));
    EXPECT_EQ(1, nEvaluated);
}
#endif

#ifdef _DEBUG
TEST(TraceTest, CaughtExceptionsSayWhereAndWhat)
{
    CTraceRecorder recorder;
    CFileException* pFile = new CFileException(CFileException::fileNotFound, -1, "missing.hti");
    TRACE_EXCEPTION("Loading", pFile);
    pFile->Delete();
    TRACE_EXCEPTION("A hook", NULL);
    ASSERT_EQ(2u, s_lines.size());
    EXPECT_EQ(0u, s_lines[0].find("Loading: ")) << s_lines[0];
    EXPECT_NE(std::string::npos, s_lines[0].find("missing.hti")) << "the exception's own message";
    EXPECT_EQ("A hook: an exception of an unknown kind was caught and not passed on\n", s_lines[1]);
}
#endif
