// ctest: run-serial
// The drop target on the system's OLE drag and drop: a drag started with
// DoDragDrop from another window and carried by the real pointer reaches the
// target's handlers with the drag's data and client points; a drop where
// the target answers nothing leaves instead; the system's references go back
// when the window is destroyed.
#include "support/oledrag.h"
#include "support/pump.h"
#include "support/wndtest.h"

#include <afxclip.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

// Takes copies on the right half of its window and nothing on the left, and
// records what it was told.
class CRecordingTarget : public COleDropTarget
{
public:
    int nEnter = 0, nOver = 0, nLeave = 0, nDrop = 0;
    std::string strText;
    bool bTextAvailable = false;
    bool bTextListed = false;
    CPoint ptLast, ptDrop;
    DROPEFFECT dropEffect = DROPEFFECT_NONE;

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override
    {
        nEnter++;
        bTextAvailable = pDataObject->IsDataAvailable(CF_TEXT) != FALSE;
        HGLOBAL hText = pDataObject->GetGlobalData(CF_TEXT);
        if (hText != NULL)
        {
            strText = (const char*)::GlobalLock(hText);
            ::GlobalUnlock(hText);
            ::GlobalFree(hText);
        }
        pDataObject->BeginEnumFormats();
        FORMATETC formatEtc;
        while (pDataObject->GetNextFormat(&formatEtc))
            bTextListed = bTextListed || formatEtc.cfFormat == CF_TEXT;
        return Answer(pWnd, point);
    }
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject*, DWORD, CPoint point) override
    {
        nOver++;
        ptLast = point;
        return Answer(pWnd, point);
    }
    void OnDragLeave(CWnd*) override { nLeave++; }
    BOOL OnDrop(CWnd*, COleDataObject* pDataObject, DROPEFFECT effect, CPoint point) override
    {
        nDrop++;
        ptDrop = point;
        dropEffect = effect;
        return pDataObject->IsDataAvailable(CF_TEXT);
    }

private:
    DROPEFFECT Answer(CWnd* pWnd, CPoint point)
    {
        CRect rc;
        pWnd->GetClientRect(&rc);
        return point.x > rc.Width() / 2 ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    }
};

class OleDropTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(NULL)));
        m_bOle = true;
        LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
        ASSERT_TRUE(m_source.CreateEx(0, lpszClass, "source", WS_POPUP | WS_VISIBLE | WS_BORDER, 60, 100, 200, 150,
                                      NULL, NULL));
        ASSERT_TRUE(m_target.CreateEx(0, lpszClass, "target", WS_POPUP | WS_VISIBLE | WS_BORDER, 400, 100, 300,
                                      200, NULL, NULL));
        m_target.SetForegroundWindow();
        testsupport::Pump(100);
    }
    void TearDown() override
    {
        if (m_target.m_hWnd != NULL)
            m_target.DestroyWindow();
        if (m_source.m_hWnd != NULL)
            m_source.DestroyWindow();
        testsupport::Pump(20);
        if (m_bOle)
            ::OleUninitialize();
    }
    // A screen point at a fraction of the target's client area.
    CPoint InTarget(double fx, double fy)
    {
        CRect rc;
        m_target.GetClientRect(&rc);
        CPoint pt((int)(rc.Width() * fx), (int)(rc.Height() * fy));
        m_target.ClientToScreen(&pt);
        return pt;
    }
    CPoint SourcePoint()
    {
        CRect rc;
        m_source.GetWindowRect(&rc);
        return rc.CenterPoint();
    }

    bool m_bOle = false;
    CWnd m_source;
    CWnd m_target;
};

TEST_F(OleDropTest, ADragFromAnotherWindowBringsItsDataAndDropsWhereTheTargetTakesIt)
{
    CRecordingTarget target;
    ASSERT_TRUE(target.Register(&m_target));
    EXPECT_EQ(&target, COleDropTarget::FromHandle(m_target.m_hWnd));
    EXPECT_EQ(&m_target, target.GetRegisteredWnd());

    testsupport::OleDrag drag;
    drag.ptStart = SourcePoint();
    drag.path = {InTarget(0.25, 0.5), InTarget(0.75, 0.5)};
    std::vector<int> overs;
    drag.onPoint = [&](int) { overs.push_back(target.nOver); };
    testsupport::RunOleDrag(drag);

    EXPECT_EQ(DRAGDROP_S_DROP, drag.hr);
    EXPECT_EQ((DWORD)DROPEFFECT_COPY, drag.dwEffect);
    EXPECT_EQ(1, target.nEnter);
    ASSERT_EQ(2u, overs.size());
    EXPECT_GT(overs[1], overs[0]) << "the pointer's moves over the window come as drag-overs";
    EXPECT_EQ("dragged text", target.strText);
    EXPECT_TRUE(target.bTextAvailable);
    EXPECT_TRUE(target.bTextListed) << "the drag's formats are listed";
    EXPECT_EQ(1, target.nDrop);
    EXPECT_EQ(0, target.nLeave);
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_COPY, target.dropEffect);
    CPoint ptEnd = InTarget(0.75, 0.5);
    m_target.ScreenToClient(&ptEnd);
    EXPECT_EQ(ptEnd, target.ptDrop) << "the drop point is in the window's client coordinates";
    target.Revoke();
}

TEST_F(OleDropTest, ADropWhereTheTargetTakesNothingLeavesTheTargetInstead)
{
    CRecordingTarget target;
    ASSERT_TRUE(target.Register(&m_target));
    testsupport::OleDrag drag;
    drag.ptStart = SourcePoint();
    drag.path = {InTarget(0.75, 0.5), InTarget(0.25, 0.5)};
    testsupport::RunOleDrag(drag);

    EXPECT_TRUE(drag.hr == DRAGDROP_S_DROP || drag.hr == DRAGDROP_S_CANCEL) << std::hex << drag.hr;
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, drag.dwEffect);
    EXPECT_EQ(1, target.nEnter);
    EXPECT_GE(target.nOver, 1);
    EXPECT_EQ(0, target.nDrop);
    EXPECT_EQ(1, target.nLeave);
    target.Revoke();
}

TEST_F(OleDropTest, TheWindowsDestructionRevokesItsTargetAndGivesBackTheSystemsReferences)
{
    CRecordingTarget* pTarget = new CRecordingTarget;
    EXPECT_EQ(1, pTarget->m_dwRef);
    ASSERT_TRUE(pTarget->Register(&m_target));
    EXPECT_GT(pTarget->m_dwRef, 1) << "the system holds the target";
    EXPECT_TRUE(pTarget->Register(&m_target)) << "registering again for the same window changes nothing";

    // A second target for the same window is refused.
    CRecordingTarget other;
    EXPECT_FALSE(other.Register(&m_target));
    EXPECT_FALSE(other.Register(NULL));

    HWND hWndTarget = m_target.m_hWnd;
    m_target.DestroyWindow();
    EXPECT_EQ(NULL, COleDropTarget::FromHandle(hWndTarget));
    EXPECT_EQ(nullptr, pTarget->GetRegisteredWnd());
    EXPECT_EQ(1, pTarget->m_dwRef) << "the system's references are given back";

    // The target serves another window afterwards.
    ASSERT_TRUE(pTarget->Register(&m_source));
    pTarget->Revoke();
    EXPECT_EQ(1, pTarget->m_dwRef);
    pTarget->InternalRelease();
}
} // namespace
