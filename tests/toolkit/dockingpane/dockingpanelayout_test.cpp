// ctest: lock dockinglayoutkey
// Docking layouts in the application profile: the stored form, a round trip
// of a frame's panes, the keys that older stores rely on, removal of empty
// containers, stored layouts that are refused, and random damage to a
// stored layout.
#include "support/dockingframe.h"
#include "support/tempfolder.h"
#include "support/watchdog.h"
#include "support/wndtest.h"
#include "support/pump.h"

#include <XTPDockingPaneAutoHidePanel.h>
#include <XTPDockingPaneLayout.h>
#include <XTPDockingPaneMiniWnd.h>
#include <XTPDockingPaneTabbedContainer.h>
#include <XTPPropExchange.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

using testsupport::CDockingTestFrame;
using testsupport::ChildRect;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);
CWinApp theApp("BrindlemarkDockingTests");

const std::string kAppKey = "Software\\Orrisfield\\BrindlemarkDockingTests";

std::string LayoutKey(const std::string& strLayout, const std::string& strSection = std::string())
{
    std::string strKey = kAppKey + "\\DockingPaneLayouts\\" + strLayout;
    return strSection.empty() ? strKey : strKey + "\\" + strSection;
}

bool ReadDword(const std::string& strKey, const char* pszValue, DWORD& dwValue)
{
    DWORD dwType = 0, cb = sizeof(DWORD);
    return ::SHGetValueA(HKEY_CURRENT_USER, strKey.c_str(), pszValue, &dwType, &dwValue, &cb) == ERROR_SUCCESS &&
           dwType == REG_DWORD;
}

DWORD Dword(const std::string& strKey, const char* pszValue)
{
    DWORD dwValue = 0xDEADBEEF;
    ReadDword(strKey, pszValue, dwValue);
    return dwValue;
}

std::string String(const std::string& strKey, const char* pszValue)
{
    char sz[256] = {};
    DWORD dwType = 0, cb = sizeof(sz);
    ::SHGetValueA(HKEY_CURRENT_USER, strKey.c_str(), pszValue, &dwType, sz, &cb);
    return sz;
}

void WriteDword(const std::string& strKey, const char* pszValue, DWORD dwValue)
{
    ::SHSetValueA(HKEY_CURRENT_USER, strKey.c_str(), pszValue, REG_DWORD, &dwValue, sizeof(dwValue));
}

// One stored layout as sections of values, for copying and damaging.
struct RegValue
{
    DWORD dwType;
    std::vector<BYTE> data;
};
typedef std::map<std::string, std::map<std::string, RegValue>> RegTree;

void ReadTree(HKEY hKey, const std::string& strPath, RegTree& tree)
{
    std::map<std::string, RegValue>& values = tree[strPath];
    for (DWORD i = 0;; i++)
    {
        char szName[256];
        BYTE data[1024];
        DWORD cchName = sizeof(szName), cbData = sizeof(data), dwType = 0;
        if (::RegEnumValueA(hKey, i, szName, &cchName, NULL, &dwType, data, &cbData) != ERROR_SUCCESS)
            break;
        values[szName] = RegValue{ dwType, std::vector<BYTE>(data, data + cbData) };
    }
    for (DWORD i = 0;; i++)
    {
        char szName[256];
        DWORD cchName = sizeof(szName);
        if (::RegEnumKeyExA(hKey, i, szName, &cchName, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        HKEY hSub = NULL;
        if (::RegOpenKeyExA(hKey, szName, 0, KEY_READ, &hSub) == ERROR_SUCCESS)
        {
            ReadTree(hSub, strPath.empty() ? szName : strPath + "\\" + szName, tree);
            ::RegCloseKey(hSub);
        }
    }
}

RegTree ReadLayout(const std::string& strLayout)
{
    RegTree tree;
    HKEY hKey = NULL;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, LayoutKey(strLayout).c_str(), 0, KEY_READ, &hKey) == ERROR_SUCCESS)
    {
        ReadTree(hKey, "", tree);
        ::RegCloseKey(hKey);
    }
    return tree;
}

void WriteSection(const std::string& strLayout, const std::string& strSection,
                  const std::map<std::string, RegValue>& values)
{
    std::string strKey = LayoutKey(strLayout, strSection);
    ::SHDeleteKeyA(HKEY_CURRENT_USER, strKey.c_str());
    HKEY hKey = NULL;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, strKey.c_str(), 0, NULL, 0, KEY_WRITE, NULL, &hKey, NULL);
    for (const auto& value : values)
        ::RegSetValueExA(hKey, value.first.c_str(), 0, value.second.dwType, value.second.data.data(),
                         (DWORD)value.second.data.size());
    ::RegCloseKey(hKey);
}

void WriteLayout(const std::string& strLayout, const RegTree& tree)
{
    ::SHDeleteKeyA(HKEY_CURRENT_USER, LayoutKey(strLayout).c_str());
    for (const auto& section : tree)
        WriteSection(strLayout, section.first, section.second);
}

// The stored number of the first section of a type (0 when none).
int FindSection(const std::string& strLayout, DWORD dwType, int nSkip = 0)
{
    DWORD nCount = Dword(LayoutKey(strLayout, "Summary"), "Panes");
    for (DWORD n = 1; n <= nCount && n < 1000; n++)
    {
        if (Dword(LayoutKey(strLayout, "Pane-" + std::to_string(n)), "Type") == dwType && nSkip-- == 0)
            return (int)n;
    }
    return 0;
}

// A stored layout written straight into the registry: each object is its
// type and its values; the summary names the top container and the client.
struct StoredObject
{
    DWORD dwType;
    std::vector<std::pair<std::string, DWORD>> values;
};

void WriteStoredLayout(const std::string& strLayout, const std::vector<StoredObject>& objects, int nTop, int nClient)
{
    ::SHDeleteKeyA(HKEY_CURRENT_USER, LayoutKey(strLayout).c_str());
    HKEY hKey = NULL;
    auto set = [&hKey](const char* pszName, DWORD dwValue) {
        ::RegSetValueExA(hKey, pszName, 0, REG_DWORD, (const BYTE*)&dwValue, sizeof(dwValue));
    };
    ::RegCreateKeyExA(HKEY_CURRENT_USER, LayoutKey(strLayout, "Summary").c_str(), 0, NULL, 0, KEY_WRITE, NULL, &hKey,
                      NULL);
    set("Panes", (DWORD)objects.size());
    set("TopContainer", (DWORD)nTop);
    set("Client", (DWORD)nClient);
    ::RegCloseKey(hKey);
    for (size_t i = 0; i < objects.size(); i++)
    {
        ::RegCreateKeyExA(HKEY_CURRENT_USER, LayoutKey(strLayout, "Pane-" + std::to_string(i + 1)).c_str(), 0, NULL,
                          0, KEY_WRITE, NULL, &hKey, NULL);
        set("Type", objects[i].dwType);
        for (const auto& value : objects[i].values)
            set(value.first.c_str(), value.second);
        ::RegCloseKey(hKey);
    }
}

StoredObject StoredContainer(DWORD dwType, const std::vector<int>& children)
{
    StoredObject object{ dwType, { { "Panes", (DWORD)children.size() } } };
    for (size_t i = 0; i < children.size(); i++)
        object.values.push_back({ "Pane-" + std::to_string(i + 1), (DWORD)children[i] });
    return object;
}

// Pane 1 (id 1000) in a tabbed container, the client, and a chain of
// nDepth splitters: the innermost holds the container and the client, each
// other one the splitter inside it, the outermost is the top.
std::vector<StoredObject> SplitterChain(int nDepth, int& nTop)
{
    std::vector<StoredObject> objects;
    objects.push_back(StoredObject{ xtpPaneTypeDockingPane, { { "ID", 1000 } } });
    objects.push_back(StoredContainer(xtpPaneTypeTabbedContainer, { 1 }));
    objects.push_back(StoredObject{ xtpPaneTypeClientContainer, {} });
    for (int i = 0; i < nDepth; i++)
    {
        int nInner = (int)objects.size();
        objects.push_back(i == 0 ? StoredContainer(xtpPaneTypeSplitterContainer, { 2, 3 })
                                 : StoredContainer(xtpPaneTypeSplitterContainer, { nInner }));
    }
    nTop = (int)objects.size();
    return objects;
}

class LayoutTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        theApp.SetRegistryKey("Orrisfield");
        ::SHDeleteKeyA(HKEY_CURRENT_USER, kAppKey.c_str());
        pFrame = NewFrame();
    }
    void TearDown() override
    {
        for (CDockingTestFrame* p : arrFrames)
            p->DestroyWindow();
        testsupport::PumpPending();
        ::SHDeleteKeyA(HKEY_CURRENT_USER, kAppKey.c_str());
    }

    // Defined beside the INI layout it loads.
    void ShowTwoFloatingPanesFromTheIniLayout();

    CDockingTestFrame* NewFrame()
    {
        CDockingTestFrame* p = new CDockingTestFrame;
        EXPECT_TRUE(p->CreateWithManager(CSize(640, 480)));
        p->m_paneManager.SetTheme(xtpPaneThemeOffice2003);
        arrFrames.push_back(p);
        return p;
    }
    static void Layout(CDockingTestFrame* p)
    {
        testsupport::PumpPending();
        p->RecalcLayout();
    }
    // Panes 1000 and 1001 tabbed together on the left (cannot be closed),
    // 1002 at the bottom; optionally 1003 floating and 1004 auto-hidden.
    void BuildPanes(CDockingTestFrame* p, bool bAll)
    {
        CXTPDockingPaneManager& m = p->m_paneManager;
        CXTPDockingPane* p1000 = m.CreatePane(1000, CRect(0, 0, 200, 120), xtpPaneDockLeft);
        p1000->SetTitle("This puzzle's Appearance Info");
        p1000->SetOptions(xtpPaneNoCloseable);
        CXTPDockingPane* p1001 = m.CreatePane(1001, CRect(0, 0, 200, 120), xtpPaneDockLeft);
        p1001->SetTitle("This puzzle's Difficulty Info");
        p1001->SetOptions(xtpPaneNoCloseable);
        m.CreatePane(1002, CRect(0, 0, 200, 90), xtpPaneDockBottom);
        Layout(p);
        m.AttachPane(p1001, p1000);
        Layout(p);
        if (bAll)
        {
            CXTPDockingPane* p1003 = m.CreatePane(1003, CRect(0, 0, 150, 100), xtpPaneDockRight);
            Layout(p);
            m.FloatPane(p1003, CRect(700, 100, 900, 300));
            CXTPDockingPane* p1004 = m.CreatePane(1004, CRect(0, 0, 150, 100), xtpPaneDockTop);
            Layout(p);
            m.HidePane(p1004);
            Layout(p);
        }
    }
    static void Save(CDockingTestFrame* p, const char* pszName)
    {
        CXTPDockingPaneLayout layout(&p->m_paneManager);
        p->m_paneManager.GetLayout(&layout);
        layout.SaveToProfile(pszName);
    }
    static BOOL LoadAndApply(CDockingTestFrame* p, const char* pszName)
    {
        CXTPDockingPaneLayout* pLayout = p->m_paneManager.CreateLayout();
        BOOL bLoaded = pLayout->LoadFromProfile(pszName);
        if (bLoaded)
            p->m_paneManager.SetLayout(pLayout);
        pLayout->InternalRelease();
        return bLoaded;
    }
    static CRect PaneRect(CDockingTestFrame* p, int nID)
    {
        CXTPDockingPane* pPane = p->m_paneManager.FindPane(nID);
        if (pPane == NULL || pPane->GetContainer() == NULL || pPane->GetContainer()->GetPaneHwnd() == NULL)
            return CRect(-1, -1, -1, -1);
        return ChildRect(pPane->GetContainer()->GetPaneHwnd());
    }

    CDockingTestFrame* pFrame = NULL;
    std::vector<CDockingTestFrame*> arrFrames;
};

TEST_F(LayoutTest, AFreshLayoutStoresItsClientThenItsTopContainer)
{
    CXTPDockingPaneLayout layout(&pFrame->m_paneManager);
    EXPECT_TRUE(layout.IsValid());
    layout.SaveToProfile("Fresh");
    EXPECT_EQ(2u, Dword(LayoutKey("Fresh", "Summary"), "Panes"));
    EXPECT_EQ(4u, Dword(LayoutKey("Fresh", "Pane-1"), "Type"));
    EXPECT_EQ(2u, Dword(LayoutKey("Fresh", "Pane-2"), "Type"));
    EXPECT_EQ(2u, Dword(LayoutKey("Fresh", "Summary"), "TopContainer"));
    EXPECT_EQ(1u, Dword(LayoutKey("Fresh", "Summary"), "Client"));
    EXPECT_EQ(1u, Dword(LayoutKey("Fresh", "Pane-2"), "Horiz"));
}

TEST_F(LayoutTest, ARoundTripThroughTheRegistryPutsThePanesBackWhereTheyWere)
{
    BuildPanes(pFrame, false);
    Save(pFrame, "NormalLayout");

    // Panes come first, each with its type, identifier, title, options and
    // a docking holder that is a tabbed container.
    for (int n = 1; n <= 3; n++)
    {
        std::string strPane = LayoutKey("NormalLayout", "Pane-" + std::to_string(n));
        DWORD dwType = 99;
        ASSERT_TRUE(ReadDword(strPane, "Type", dwType)) << n;
        EXPECT_EQ(0u, dwType);
        EXPECT_EQ(999u + n, Dword(strPane, "ID"));
        DWORD nHolder = Dword(strPane, "DockingHolder");
        EXPECT_EQ(1u, Dword(LayoutKey("NormalLayout", "Pane-" + std::to_string(nHolder)), "Type"));
    }
    EXPECT_EQ("This puzzle's Appearance Info", String(LayoutKey("NormalLayout", "Pane-1"), "Title"));
    EXPECT_EQ(1u, Dword(LayoutKey("NormalLayout", "Pane-1"), "Options"));

    CDockingTestFrame* pOther = NewFrame();
    ASSERT_TRUE(LoadAndApply(pOther, "NormalLayout"));
    Layout(pOther);
    for (int nID = 1000; nID <= 1002; nID++)
    {
        EXPECT_EQ(PaneRect(pFrame, nID), PaneRect(pOther, nID)) << nID;
        EXPECT_EQ(pFrame->m_paneManager.FindPane(nID)->GetFullTitle(),
                  pOther->m_paneManager.FindPane(nID)->GetFullTitle());
    }
    EXPECT_EQ(pOther->m_paneManager.FindPane(1000)->GetContainer(),
              pOther->m_paneManager.FindPane(1001)->GetContainer());
    EXPECT_EQ((DWORD)xtpPaneNoCloseable, pOther->m_paneManager.FindPane(1000)->GetOptions());
    EXPECT_EQ(ChildRect(pFrame->GetView()->m_hWnd), ChildRect(pOther->GetView()->m_hWnd));
    EXPECT_TRUE(pOther->m_paneManager.FindPane(1001)->HasAttachedWindow());
}

TEST_F(LayoutTest, AFloatingWindowKeepsItsStoredKeyAndAStoreWithTheOtherSpellingIsRefused)
{
    BuildPanes(pFrame, true);
    ASSERT_TRUE(pFrame->m_paneManager.FindPane(1003)->IsFloating());
    Save(pFrame, "Floating");
    int nMini = FindSection("Floating", xtpPaneTypeMiniWnd);
    ASSERT_NE(0, nMini);
    std::string strMini = LayoutKey("Floating", "Pane-" + std::to_string(nMini));
    DWORD nTop = 0;
    EXPECT_TRUE(ReadDword(strMini, "TopContaner", nTop));
    EXPECT_FALSE(ReadDword(strMini, "TopContainer", nTop));

    CDockingTestFrame* pOther = NewFrame();
    ASSERT_TRUE(LoadAndApply(pOther, "Floating"));
    Layout(pOther);
    EXPECT_TRUE(pOther->m_paneManager.FindPane(1003)->IsFloating());
    EXPECT_TRUE(pOther->m_paneManager.FindPane(1004)->IsAutoHidden());

    ::SHDeleteValueA(HKEY_CURRENT_USER, strMini.c_str(), "TopContaner");
    WriteDword(strMini, "TopContainer", nTop);
    CXTPDockingPaneLayout layout(&pOther->m_paneManager);
    EXPECT_FALSE(layout.LoadFromProfile("Floating"));
    EXPECT_FALSE(layout.IsValid());
}

TEST_F(LayoutTest, APaneWithoutATabColourReadsBackAutomatic)
{
    BuildPanes(pFrame, false);
    pFrame->m_paneManager.FindPane(1002)->SetTabColor(RGB(10, 20, 30));
    Save(pFrame, "Colours");
    int nPane = FindSection("Colours", xtpPaneTypeDockingPane, 2);
    std::string strPane = LayoutKey("Colours", "Pane-" + std::to_string(nPane));
    EXPECT_EQ(RGB(10, 20, 30), Dword(strPane, "TabColor"));
    ::SHDeleteValueA(HKEY_CURRENT_USER, strPane.c_str(), "TabColor");

    CXTPDockingPaneLayout layout(&pFrame->m_paneManager);
    ASSERT_TRUE(layout.LoadFromProfile("Colours"));
    CXTPDockingPane* pLoaded = NULL;
    POSITION pos = layout.GetPaneList().GetHeadPosition();
    while (pos != NULL)
    {
        CXTPDockingPane* p = layout.GetPaneList().GetNext(pos).pPane;
        if (p->GetID() == 1002)
            pLoaded = p;
    }
    ASSERT_TRUE(pLoaded != NULL);
    EXPECT_EQ(COLORREF_NULL, pLoaded->GetTabColor());
}

TEST_F(LayoutTest, EmptyContainersGoAndChainsOfSingleChildrenCollapseBeforeAStore)
{
    CXTPDockingPaneManager& m = pFrame->m_paneManager;
    CXTPDockingPaneLayout layout(&m);
    CXTPDockingPaneSplitterContainer* pTop = layout.GetTopPane();

    // top -> outer -> inner -> tabbed(pane), and an unused tabbed container.
    CXTPDockingPane* pPane = static_cast<CXTPDockingPane*>(m.OnCreatePane(xtpPaneTypeDockingPane, &layout));
    pPane->SetID(7);
    XTP_DOCKINGPANE_INFO info(pPane);
    layout.GetPaneList().AddTail(info);
    auto* pTabbed =
        static_cast<CXTPDockingPaneTabbedContainer*>(m.OnCreatePane(xtpPaneTypeTabbedContainer, &layout));
    pTabbed->AddPane(pPane, FALSE);
    auto* pInner =
        static_cast<CXTPDockingPaneSplitterContainer*>(m.OnCreatePane(xtpPaneTypeSplitterContainer, &layout));
    pInner->AddPane(pTabbed);
    auto* pOuter =
        static_cast<CXTPDockingPaneSplitterContainer*>(m.OnCreatePane(xtpPaneTypeSplitterContainer, &layout));
    pOuter->AddPane(pInner);
    pTop->AddPane(pOuter, NULL, FALSE);
    m.OnCreatePane(xtpPaneTypeTabbedContainer, &layout);
    EXPECT_EQ(7, (int)layout.GetObjects().GetCount());

    layout.SaveToProfile("Collapse");
    EXPECT_EQ(5u, Dword(LayoutKey("Collapse", "Summary"), "Panes"));
    EXPECT_EQ(pOuter, pTabbed->GetContainer());
    EXPECT_EQ(pTop, pOuter->GetContainer());
    EXPECT_EQ(1, (int)pOuter->GetPanes().GetCount());
    EXPECT_TRUE(layout.IsValid());
}

// Each damaged form of a stored layout is refused, and the frame keeps its
// panes.
TEST_F(LayoutTest, DamagedStoredLayoutsAreRefusedAndTheLivePanesStay)
{
    BuildPanes(pFrame, true);
    Save(pFrame, "Good");
    const RegTree good = ReadLayout("Good");
    const int nPane = FindSection("Good", xtpPaneTypeDockingPane);
    const int nSecondPane = FindSection("Good", xtpPaneTypeDockingPane, 1);
    const int nTop = (int)Dword(LayoutKey("Good", "Summary"), "TopContainer");
    const int nMini = FindSection("Good", xtpPaneTypeMiniWnd);
    const int nPanel = FindSection("Good", xtpPaneTypeAutoHidePanel);
    const int nTabbed = FindSection("Good", xtpPaneTypeTabbedContainer);
    ASSERT_NE(0, nMini);
    ASSERT_NE(0, nPanel);
    auto section = [](int n) { return "Pane-" + std::to_string(n); };

    struct Damage
    {
        const char* pszWhat;
        std::function<void()> apply;
    };
    const std::vector<Damage> damages = {
        { "a single object", [&] { WriteDword(LayoutKey("Bad", "Summary"), "Panes", 1); } },
        { "an unknown type", [&] { WriteDword(LayoutKey("Bad", section(nPane)), "Type", 9); } },
        { "a pane without identifier", [&] { WriteDword(LayoutKey("Bad", section(nPane)), "ID", 0); } },
        { "the top container naming a pane",
          [&] { WriteDword(LayoutKey("Bad", "Summary"), "TopContainer", nPane); } },
        { "a floating window's top naming a pane",
          [&] { WriteDword(LayoutKey("Bad", section(nMini)), "TopContaner", nPane); } },
        { "a floating window's top naming the frame's top",
          [&] { WriteDword(LayoutKey("Bad", section(nMini)), "TopContaner", nTop); } },
        { "an auto-hide side outside 0-3", [&] { WriteDword(LayoutKey("Bad", section(nPanel)), "Direction", 7); } },
        { "a splitter listing itself", [&] { WriteDword(LayoutKey("Bad", section(nTop)), "Pane-1", nTop); } },
        { "a splitter listing a pane", [&] { WriteDword(LayoutKey("Bad", section(nTop)), "Pane-1", nPane); } },
        { "a tabbed container listing a container",
          [&] { WriteDword(LayoutKey("Bad", section(nTabbed)), "Pane-1", nTop); } },
        { "a pane in two containers",
          [&] {
              int nOther = FindSection("Bad", xtpPaneTypeTabbedContainer, 1);
              WriteDword(LayoutKey("Bad", section(nOther)), "Panes", 2);
              WriteDword(LayoutKey("Bad", section(nOther)), "Pane-2", nSecondPane);
          } },
        { "a splitter listing its parent",
          [&] {
              int nInner = 0;
              for (int k = 1; k <= 3 && nInner == 0; k++)
              {
                  int nChild = (int)Dword(LayoutKey("Bad", section(nTop)), ("Pane-" + std::to_string(k)).c_str());
                  if (Dword(LayoutKey("Bad", section(nChild)), "Type") == xtpPaneTypeSplitterContainer)
                      nInner = nChild;
              }
              ASSERT_NE(0, nInner);
              WriteDword(LayoutKey("Bad", section(nInner)), "Pane-1", nTop);
          } },
        { "a floating window without its splitter",
          [&] { WriteDword(LayoutKey("Bad", section(nMini)), "TopContaner", 0); } },
    };
    CXTPDockingPaneManager& m = pFrame->m_paneManager;
    for (const Damage& damage : damages)
    {
        WriteLayout("Bad", good);
        damage.apply();
        EXPECT_FALSE(LoadAndApply(pFrame, "Bad")) << damage.pszWhat;
        Layout(pFrame);
        EXPECT_EQ(5, (int)m.GetPaneList().GetCount()) << damage.pszWhat;
        EXPECT_FALSE(m.FindPane(1000)->IsClosed()) << damage.pszWhat;
    }

    // A second auto-hide panel for a side already taken.
    WriteLayout("Bad", good);
    RegTree twoPanels = good;
    int nCount = (int)Dword(LayoutKey("Good", "Summary"), "Panes");
    twoPanels[section(nCount + 1)] = good.at(section(nPanel));
    twoPanels.at("Summary")["Panes"].data[0]++;
    twoPanels[section(nCount + 1)]["Panes"] = RegValue{ REG_DWORD, { 0, 0, 0, 0 } };
    WriteLayout("Bad", twoPanels);
    EXPECT_FALSE(LoadAndApply(pFrame, "Bad"));
}

TEST_F(LayoutTest, StoredSizesAreKeptInRangeAndHoldersAreTabbedContainers)
{
    BuildPanes(pFrame, false);
    Save(pFrame, "Sizes");
    int nPane = FindSection("Sizes", xtpPaneTypeDockingPane);
    int nTop = (int)Dword(LayoutKey("Sizes", "Summary"), "TopContainer");
    std::string strPane = LayoutKey("Sizes", "Pane-" + std::to_string(nPane));
    WriteDword(strPane, "DockingCX", 99999);
    WriteDword(strPane, "DockingCY", (DWORD)-5);
    WriteDword(strPane, "MinTrackX", 500);
    WriteDword(strPane, "MaxTrackX", 100);
    WriteDword(strPane, "MaxTrackY", 70000);
    WriteDword(strPane, "DockingHolder", nTop);

    CXTPDockingPaneLayout layout(&pFrame->m_paneManager);
    ASSERT_TRUE(layout.LoadFromProfile("Sizes"));
    XTP_DOCKINGPANE_INFO& info = layout.GetPaneList().GetHead();
    CXTPDockingPane* pPane = info.pPane;
    // Too wide: the largest size; below zero: no size, so the default one.
    EXPECT_EQ(CSize(32000, XTP_DOCKINGPANE_DEFAULTCY), pPane->m_szDocking);
    EXPECT_EQ(CSize(100, 0), pPane->GetMinTrackSize());
    EXPECT_EQ(CSize(100, 32000), pPane->GetMaxTrackSize());
    EXPECT_EQ(NULL, info.pDockingHolder);
    EXPECT_TRUE(info.pLastHolder != NULL);
}

// Random damage: whatever a stored layout holds, reading it either fails and
// leaves the live panes alone, or gives a layout that can be applied, laid
// out and stored again.
TEST_F(LayoutTest, RandomDamageToAStoredLayoutNeverBreaksTheFrame)
{
    BuildPanes(pFrame, true);
    Save(pFrame, "Fuzz");
    const RegTree good = ReadLayout("Fuzz");
    std::vector<std::pair<std::string, std::string>> dwordValues;
    std::vector<std::string> sections;
    for (const auto& section : good)
    {
        if (!section.first.empty())
            sections.push_back(section.first);
        for (const auto& value : section.second)
        {
            if (value.second.dwType == REG_DWORD)
                dwordValues.push_back({ section.first, value.first });
        }
    }
    ASSERT_GT(dwordValues.size(), 20u);
    const int nCount = (int)Dword(LayoutKey("Fuzz", "Summary"), "Panes");

    std::mt19937 random(20240611);
    auto pick = [&random](size_t n) { return (size_t)(random() % n); };
    const DWORD interesting[] = { 0, 1, 2, 3, 4, 5, 7, 9, (DWORD)-1, (DWORD)nCount, (DWORD)nCount + 1, 32001,
                                  0x7FFFFFFF, 0x80000000 };
    CXTPDockingPaneManager& m = pFrame->m_paneManager;
    int nAccepted = 0;
    for (int nRound = 0; nRound < 2000; nRound++)
    {
        std::vector<std::string> touched;
        int nDamages = 1 + (int)pick(3);
        for (int d = 0; d < nDamages; d++)
        {
            size_t nKind = pick(10);
            if (nKind < 8)
            {
                const auto& target = dwordValues[pick(dwordValues.size())];
                DWORD dwValue = nKind < 6 ? interesting[pick(sizeof(interesting) / sizeof(DWORD))]
                                          : (DWORD)(pick(nCount + 2));
                WriteDword(LayoutKey("Fuzz", target.first), target.second.c_str(), dwValue);
                touched.push_back(target.first);
            }
            else if (nKind == 8)
            {
                const auto& target = dwordValues[pick(dwordValues.size())];
                ::SHDeleteValueA(HKEY_CURRENT_USER, LayoutKey("Fuzz", target.first).c_str(), target.second.c_str());
                touched.push_back(target.first);
            }
            else
            {
                const std::string& strSection = sections[pick(sections.size())];
                ::SHDeleteKeyA(HKEY_CURRENT_USER, LayoutKey("Fuzz", strSection).c_str());
                touched.push_back(strSection);
            }
        }

        int nPanesBefore = (int)m.GetPaneList().GetCount();
        CXTPDockingPaneLayout* pLayout = m.CreateLayout();
        BOOL bLoaded = pLayout->LoadFromProfile("Fuzz");
        if (bLoaded)
        {
            ASSERT_TRUE(pLayout->IsValid()) << "round " << nRound;
            // Every accepted layout is copied and stored again; one in eight
            // also replaces the frame's (making windows is what takes time).
            CXTPDockingPaneLayout copy(&m);
            copy.Copy(pLayout);
            CMemFile file;
            CArchive ar(&file, CArchive::store);
            copy.Serialize(ar);
            ar.Close();
            if (nAccepted++ % 8 == 0)
            {
                m.SetLayout(pLayout);
                pFrame->RecalcLayout();
            }
        }
        else
        {
            EXPECT_EQ(nPanesBefore, (int)m.GetPaneList().GetCount()) << "round " << nRound;
        }
        pLayout->InternalRelease();

        for (const std::string& strSection : touched)
        {
            auto it = good.find(strSection);
            if (it != good.end())
                WriteSection("Fuzz", strSection, it->second);
        }
        if (nRound % 50 == 0)
            testsupport::PumpPending();
    }
    testsupport::PumpPending();
    EXPECT_GT(nAccepted, 0);

    // The frame still takes a sound layout afterwards.
    ASSERT_TRUE(LoadAndApply(pFrame, "Fuzz"));
    Layout(pFrame);
    EXPECT_FALSE(m.FindPane(1000)->IsClosed());
}
TEST_F(LayoutTest, AnArchiveCarriesAWholeLayoutWithFloatingAndHiddenPanes)
{
    BuildPanes(pFrame, true);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CXTPDockingPaneLayout layout(&pFrame->m_paneManager);
        pFrame->m_paneManager.GetLayout(&layout);
        layout.Serialize(ar);
        ar.Close();
    }
    file.SeekToBegin();
    CDockingTestFrame* pOther = NewFrame();
    CXTPDockingPaneLayout* pLayout = pOther->m_paneManager.CreateLayout();
    {
        CArchive ar(&file, CArchive::load);
        CXTPPropExchangeArchive px(ar);
        EXPECT_TRUE(pLayout->DoPropExchange(&px));
    }
    ASSERT_TRUE(pLayout->IsValid());
    pOther->m_paneManager.SetLayout(pLayout);
    pLayout->InternalRelease();
    Layout(pOther);
    CXTPDockingPaneManager& m = pOther->m_paneManager;
    EXPECT_EQ(5, (int)m.GetPaneList().GetCount());
    EXPECT_TRUE(m.FindPane(1003)->IsFloating());
    EXPECT_TRUE(m.FindPane(1004)->IsAutoHidden());
    EXPECT_EQ(PaneRect(pFrame, 1002), PaneRect(pOther, 1002));

    // A truncated archive is an archive error, passed to the caller.
    CMemFile shortFile;
    BYTE* pData = file.Detach();
    shortFile.Write(pData, 40);
    free(pData);
    shortFile.SeekToBegin();
    CXTPDockingPaneLayout broken(&m);
    CArchive ar(&shortFile, CArchive::load);
    CXTPPropExchangeArchive px(ar);
    bool bThrown = false;
    try
    {
        broken.DoPropExchange(&px);
    }
    catch (CException* e)
    {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    EXPECT_EQ(5, (int)m.GetPaneList().GetCount());
}

TEST_F(LayoutTest, HiddenPanesGoToThePanelOfTheirSideAndShareAGroupWithTheirOldNeighbours)
{
    CXTPDockingPaneManager& m = pFrame->m_paneManager;
    CXTPDockingPane* pLeft = m.CreatePane(1, CRect(0, 0, 150, 100), xtpPaneDockLeft);
    CXTPDockingPane* pOther = m.CreatePane(2, CRect(0, 0, 150, 100), xtpPaneDockLeft, pLeft);
    m.AttachPane(pOther, pLeft);
    CXTPDockingPane* pBottom = m.CreatePane(3, CRect(0, 0, 150, 100), xtpPaneDockBottom);
    Layout(pFrame);
    CXTPDockingPaneLayout* pLive = m.GetCurrentLayout();
    EXPECT_EQ(xtpPaneDockLeft, pLive->GetPaneDirection(pLeft));
    EXPECT_EQ(xtpPaneDockBottom, pLive->GetPaneDirection(pBottom));
    EXPECT_EQ(-1, pLive->GetPaneDirection(pLive->GetClientPane()));

    // Pane by pane, without hiding the whole group.
    m.m_bHideGroupOnButtonClick = FALSE;
    m.HidePane(pLeft);
    Layout(pFrame);
    CXTPDockingPaneAutoHidePanel* pPanel = pLive->GetAutoHidePanel(xtpPaneDockLeft);
    ASSERT_TRUE(pPanel != NULL);
    EXPECT_TRUE(pLeft->IsAutoHidden());
    EXPECT_EQ(xtpPaneDockLeft, pLive->GetPaneDirection(pLeft));
    EXPECT_EQ(1, (int)pPanel->GetPanes().GetCount());

    m.HidePane(pOther);   // same docking holder: the same group
    EXPECT_EQ(1, (int)pPanel->GetPanes().GetCount());
    EXPECT_EQ(pLeft->GetContainer(), pOther->GetContainer());

    m.HidePane(pBottom);
    EXPECT_TRUE(pLive->GetAutoHidePanel(xtpPaneDockBottom) != NULL);
    EXPECT_EQ(NULL, pLive->GetAutoHidePanel(xtpPaneDockRight));

    // Pinned back, a pane returns to its docked holder.
    m.ToggleDocking(pBottom);
    Layout(pFrame);
    EXPECT_FALSE(pBottom->IsAutoHidden());
    EXPECT_EQ(xtpPaneDockBottom, pLive->GetPaneDirection(pBottom));

    // Floating panes lie on side 4.
    m.ToggleDocking(pBottom);
    Layout(pFrame);
    ASSERT_TRUE(pBottom->IsFloating());
    EXPECT_EQ(4, pLive->GetPaneDirection(pBottom->GetDockingSite() != NULL
                                             ? static_cast<CXTPDockingPaneMiniWnd*>(pBottom->GetDockingSite())
                                             : NULL));
}

TEST_F(LayoutTest, ALoadedLayoutReplacesTheWindowsAndAskedWindowsComeBack)
{
    BuildPanes(pFrame, false);
    Save(pFrame, "Again");
    CXTPDockingPane* pOld = pFrame->m_paneManager.FindPane(1002);
    HWND hHosted = pOld->GetChild();
    ASSERT_TRUE(::IsWindow(hHosted));
    // Kept alive so that a new pane cannot be given the old one's address.
    pOld->InternalAddRef();
    ASSERT_TRUE(LoadAndApply(pFrame, "Again"));
    Layout(pFrame);
    CXTPDockingPane* pNew = pFrame->m_paneManager.FindPane(1002);
    EXPECT_NE(pOld, pNew);
    pOld->InternalRelease();
    // The frame gave the same window back when the new pane asked for it.
    EXPECT_EQ(hHosted, pNew->GetChild());
    EXPECT_EQ(pNew->GetContainer()->GetPaneHwnd(), ::GetParent(hHosted));
}

TEST_F(LayoutTest, APaneWithoutARecordIsStillStoredReadablyInAnArchive)
{
    CXTPDockingPaneManager& m = pFrame->m_paneManager;
    CXTPDockingPaneLayout layout(&m);
    auto* pPane = static_cast<CXTPDockingPane*>(m.OnCreatePane(xtpPaneTypeDockingPane, &layout));
    pPane->SetID(12);
    auto* pGroup = static_cast<CXTPDockingPaneTabbedContainer*>(m.OnCreatePane(xtpPaneTypeTabbedContainer, &layout));
    pGroup->AddPane(pPane, FALSE);
    layout.GetTopPane()->AddPane(pGroup, NULL, FALSE);
    ASSERT_TRUE(layout.GetPaneList().IsEmpty());

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        layout.Serialize(ar);
        ar.Close();
    }
    file.SeekToBegin();
    CXTPDockingPaneLayout loaded(&m);
    CArchive ar(&file, CArchive::load);
    CXTPPropExchangeArchive px(ar);
    ASSERT_TRUE(loaded.DoPropExchange(&px));
    ASSERT_EQ(1, (int)loaded.GetPaneList().GetCount());
    EXPECT_EQ(12, loaded.GetPaneList().GetHead().pPane->GetID());
    EXPECT_EQ(NULL, loaded.GetPaneList().GetHead().pDockingHolder);
}

} // namespace

TEST_F(LayoutTest, ADeeplyNestedStoredLayoutIsRefusedBeforeAnythingIsBuiltFromIt)
{
    // Splitters nested 10,000 deep (more objects than a layout may hold),
    // 200 deep (within the count) and just past the depth bound: each is
    // refused, the live panes stay and a save writes a sound layout over
    // the damaged one. Just within the bound, the chain is taken.
    BuildPanes(pFrame, false);
    CXTPDockingPaneManager& m = pFrame->m_paneManager;
    for (int nDepth : { 9997, 200, XTP_DOCKINGPANE_MAX_STORED_DEPTH - 1 })
    {
        int nTop = 0;
        std::vector<StoredObject> objects = SplitterChain(nDepth, nTop);
        WriteStoredLayout("Deep", objects, nTop, 3);
        EXPECT_FALSE(LoadAndApply(pFrame, "Deep")) << nDepth;
        Layout(pFrame);
        EXPECT_EQ(3, (int)m.GetPaneList().GetCount()) << nDepth;
        EXPECT_FALSE(m.FindPane(1000)->IsClosed()) << nDepth;
    }
    Save(pFrame, "Deep");
    EXPECT_TRUE(LoadAndApply(pFrame, "Deep")) << "the layout written over the damaged one reads back";

    // Depth counts from the outermost splitter (0): the pane of a chain of
    // bound - 2 splitters lies at the deepest level allowed.
    int nTop = 0;
    std::vector<StoredObject> objects = SplitterChain(XTP_DOCKINGPANE_MAX_STORED_DEPTH - 2, nTop);
    WriteStoredLayout("Deep", objects, nTop, 3);
    EXPECT_TRUE(LoadAndApply(pFrame, "Deep"));
    Layout(pFrame);
    ASSERT_TRUE(m.FindPane(1000) != NULL);
    EXPECT_FALSE(m.FindPane(1000)->IsClosed());
}

TEST_F(LayoutTest, StoredLayoutsBeyondWhatAPlayerCanMakeAreRefusedAndLargeOnesAreTaken)
{
    CXTPDockingPaneManager& m = pFrame->m_paneManager;
    // One tabbed container with one pane more than a layout may hold is
    // refused; one with many panes is read, every pane gets its tab.
    auto oneContainer = [](int nPanes, int& nTop) {
        std::vector<StoredObject> objects;
        std::vector<int> panes;
        for (int i = 1; i <= nPanes; i++)
        {
            objects.push_back(StoredObject{ xtpPaneTypeDockingPane, { { "ID", (DWORD)(2000 + i) } } });
            panes.push_back(i);
        }
        objects.push_back(StoredContainer(xtpPaneTypeTabbedContainer, panes));
        objects.push_back(StoredObject{ xtpPaneTypeClientContainer, {} });
        objects.push_back(StoredContainer(xtpPaneTypeSplitterContainer, { nPanes + 1, nPanes + 2 }));
        nTop = nPanes + 3;
        return objects;
    };
    const int nMostPanes = XTP_DOCKINGPANE_MAX_STORED_OBJECTS - 3;
    int nTop = 0;
    std::vector<StoredObject> objects = oneContainer(nMostPanes + 1, nTop);
    WriteStoredLayout("Many", objects, nTop, nTop - 1);
    EXPECT_FALSE(LoadAndApply(pFrame, "Many")) << "one object too many";
    const int nPanes = 150;
    objects = oneContainer(nPanes, nTop);
    WriteStoredLayout("Many", objects, nTop, nTop - 1);
    ASSERT_TRUE(LoadAndApply(pFrame, "Many"));
    Layout(pFrame);
    EXPECT_EQ(nPanes, (int)m.GetPaneList().GetCount());
    CXTPDockingPane* pLast = m.FindPane(2000 + nPanes);
    ASSERT_TRUE(pLast != NULL);
    ASSERT_TRUE(pLast->GetContainer() != NULL);
    EXPECT_EQ(nPanes, static_cast<CXTPDockingPaneTabbedContainer*>(pLast->GetContainer())->GetItemCount());

    // Floating windows: one more than the bound is refused.
    auto floating = [](int nWindows, int& nTopOut) {
        std::vector<StoredObject> objects;
        objects.push_back(StoredObject{ xtpPaneTypeClientContainer, {} });
        objects.push_back(StoredContainer(xtpPaneTypeSplitterContainer, { 1 }));
        nTopOut = 2;
        for (int i = 0; i < nWindows; i++)
        {
            objects.push_back(StoredObject{ xtpPaneTypeDockingPane, { { "ID", (DWORD)(3000 + i) } } });
            int nPane = (int)objects.size();
            objects.push_back(StoredContainer(xtpPaneTypeTabbedContainer, { nPane }));
            objects.push_back(StoredContainer(xtpPaneTypeSplitterContainer, { nPane + 1 }));
            objects.push_back(StoredObject{ xtpPaneTypeMiniWnd,
                                            { { "TopContaner", (DWORD)(nPane + 2) },
                                              { "WindowRectLeftPos", (DWORD)(10 + i) },
                                              { "WindowRectTopPos", (DWORD)(10 + i) },
                                              { "WindowRectRightPos", (DWORD)(160 + i) },
                                              { "WindowRectBottomPos", (DWORD)(110 + i) } } });
        }
        return objects;
    };
    objects = floating(XTP_DOCKINGPANE_MAX_STORED_FLOATING + 1, nTop);
    WriteStoredLayout("Floating", objects, nTop, 1);
    EXPECT_FALSE(LoadAndApply(pFrame, "Floating"));
    objects = floating(3, nTop);
    WriteStoredLayout("Floating", objects, nTop, 1);
    ASSERT_TRUE(LoadAndApply(pFrame, "Floating"));
    Layout(pFrame);
    EXPECT_EQ(3, (int)m.GetPaneList().GetCount());
}

namespace
{
// Both profile panes floating, each alone in its own window, in the INI
// form of a stored layout (the smallest form of what made the game freeze
// at every start).
const char kTwoFloatingPanesIni[] = "[DockingPaneLayouts\\NormalLayout\\Summary]\r\n"
                                    "Panes=10\r\nTopContainer=9\r\nClient=10\r\n"
                                    "[DockingPaneLayouts\\NormalLayout\\Pane-1]\r\nType=0\r\nID=1000\r\n"
                                    "[DockingPaneLayouts\\NormalLayout\\Pane-2]\r\nType=0\r\nID=1001\r\n"
                                    "[DockingPaneLayouts\\NormalLayout\\Pane-3]\r\nType=1\r\nPanes=1\r\nSelected=1\r\nPane-1=1\r\n"
                                    "[DockingPaneLayouts\\NormalLayout\\Pane-4]\r\nType=2\r\nPanes=1\r\nPane-1=3\r\n"
                                    "[DockingPaneLayouts\\NormalLayout\\Pane-5]\r\nType=3\r\nTopContaner=4\r\n"
                                    "[DockingPaneLayouts\\NormalLayout\\Pane-6]\r\nType=1\r\nPanes=1\r\nSelected=2\r\nPane-1=2\r\n"
                                    "[DockingPaneLayouts\\NormalLayout\\Pane-7]\r\nType=2\r\nPanes=1\r\nPane-1=6\r\n"
                                    "[DockingPaneLayouts\\NormalLayout\\Pane-8]\r\nType=3\r\nTopContaner=7\r\n"
                                    "[DockingPaneLayouts\\NormalLayout\\Pane-9]\r\nType=2\r\nPanes=1\r\nPane-1=10\r\n"
                                    "[DockingPaneLayouts\\NormalLayout\\Pane-10]\r\nType=4\r\n";

// The application's profile is an INI file while it lives.
class IniProfile
{
public:
    explicit IniProfile(const std::string& strPath) : m_strPath(strPath)
    {
        m_pszOldKey = theApp.m_pszRegistryKey;
        m_pszOldName = theApp.m_pszProfileName;
        theApp.m_pszRegistryKey = NULL;
        theApp.m_pszProfileName = m_strPath.c_str();
    }
    ~IniProfile()
    {
        theApp.m_pszRegistryKey = m_pszOldKey;
        theApp.m_pszProfileName = m_pszOldName;
    }

private:
    std::string m_strPath;
    LPCTSTR m_pszOldKey;
    LPCTSTR m_pszOldName;
};
} // namespace

// The game's two profile panes made docked, then the INI layout that floats
// each in a window of its own loaded and applied, and the frame shown.
void LayoutTest::ShowTwoFloatingPanesFromTheIniLayout()
{
    testsupport::CTempFolder folder;
    const std::string strIni = folder.Path("two-floating-panes-layout.ini");
    testsupport::WriteFileBytes(strIni, kTwoFloatingPanesIni);
    CXTPDockingPaneManager& m = pFrame->m_paneManager;
    m.CreatePane(1000, CRect(0, 0, 200, 120), xtpPaneDockLeft)->SetTitle("This puzzle's Appearance Info");
    m.CreatePane(1001, CRect(0, 0, 200, 120), xtpPaneDockLeft)->SetTitle("This puzzle's Difficulty Info");
    Layout(pFrame);
    {
        IniProfile profile(strIni);
        ASSERT_TRUE(LoadAndApply(pFrame, "NormalLayout"));
    }
    pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    Layout(pFrame);
}

// The two floating panes of the INI layout come up each in its window; the
// frame's activation, and telling its floating windows about it, return
// (a watchdog ends the program when they do not).
TEST_F(LayoutTest, TwoFloatingPanesFromAnIniLayoutLetTheFrameBeActivated)
{
    CXTPDockingPaneManager& m = pFrame->m_paneManager;
    ASSERT_NO_FATAL_FAILURE(ShowTwoFloatingPanesFromTheIniLayout());
    std::vector<HWND> minis;
    for (int nID : { 1000, 1001 })
    {
        CXTPDockingPane* pPane = m.FindPane(nID);
        ASSERT_TRUE(pPane != NULL);
        ASSERT_TRUE(pPane->IsFloating()) << nID;
        CWnd* pSite = pPane->GetDockingSite();
        ASSERT_TRUE(pSite != NULL && pSite->IsKindOf(RUNTIME_CLASS(CXTPDockingPaneMiniWnd))) << nID;
        minis.push_back(pSite->m_hWnd);
    }
    ASSERT_NE(minis[0], minis[1]) << "each pane in its own window";
    for (HWND hMini : minis)
        EXPECT_TRUE(::IsWindowVisible(hMini));

    {
        testsupport::Watchdog watchdog("activating a frame with two floating panes", 20000);
        ASSERT_TRUE(watchdog.IsArmed());
        for (int i = 0; i < 3; i++)
        {
            pFrame->SendMessage(WM_ACTIVATE, WA_ACTIVE, 0);
            pFrame->NotifyFloatingWindows(FS_ACTIVATE);
            pFrame->SendMessage(WM_ACTIVATE, WA_INACTIVE, 0);
        }
        pFrame->SendMessage(WM_ACTIVATE, WA_ACTIVE, 0);
        testsupport::PumpPending();
    }
}

// The INI layout stores no docking size for its floating panes: docked at
// the frame's left and right edges each gets the default size (and its
// outline the same strip), not a strip 0 pixels wide.
TEST_F(LayoutTest, FloatingPanesWithoutAStoredDockingSizeDockAtTheDefaultSize)
{
    CXTPDockingPaneManager& m = pFrame->m_paneManager;
    ASSERT_NO_FATAL_FAILURE(ShowTwoFloatingPanesFromTheIniLayout());
    const XTPDockingPaneDirection sides[2] = {xtpPaneDockLeft, xtpPaneDockRight};
    for (int i = 0; i < 2; i++)
    {
        SCOPED_TRACE(i);
        CXTPDockingPane* pPane = m.FindPane(1000 + i);
        ASSERT_TRUE(pPane != NULL && pPane->IsFloating());
        EXPECT_EQ(CSize(XTP_DOCKINGPANE_DEFAULTCX, XTP_DOCKINGPANE_DEFAULTCY), pPane->m_szDocking);
        CXTPDockingPaneMiniWnd* pMini = DYNAMIC_DOWNCAST(CXTPDockingPaneMiniWnd, pPane->GetDockingSite());
        ASSERT_TRUE(pMini != NULL && pMini->GetTopPane() != NULL);
        // The group as the drag moves it: the mini window's top container.
        CRect rcOutline = m.GetDockingRect(pMini->GetTopPane(), sides[i], NULL);
        EXPECT_EQ(XTP_DOCKINGPANE_DEFAULTCX, rcOutline.Width());
        m.DockPane(pMini->GetTopPane(), sides[i], NULL);
        Layout(pFrame);
        pPane = m.FindPane(1000 + i);
        ASSERT_TRUE(pPane != NULL && !pPane->IsFloating());
        CXTPDockingPaneBase* pContainer = pPane->GetContainer();
        ASSERT_TRUE(pContainer != NULL);
        CRect rc;
        pContainer->GetScreenRect(&rc);
        EXPECT_EQ(rcOutline.Width(), rc.Width()) << "docked where the outline showed";
        EXPECT_EQ(XTP_DOCKINGPANE_DEFAULTCX, rc.Width());
    }
}
