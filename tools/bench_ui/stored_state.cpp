// Huge and damaged stored states, as a mutated registry gives them: the time
// to read and apply each must stay near a second whatever the store claims.
// Docking layouts (one container of many panes, many floating windows, a
// deep chain of splitters), difficulty profiles, and command bars with many
// stored toolbars.
#include "bench_ui.h"
#include "bench_pane_frame.h"

#include "GradeInfo.h"
#include "HTProfileList.h"
#include "XTPCommandBars.h"
#include "XTPCommandBarsExchange.h"
#include "XTPControls.h"
#include "XTPFrameWnd.h"
#include "XTPToolBar.h"
#include "XTPZipMemFile.h"
#include "XTRegistryManager.h"

#include <XTPDockingPaneLayout.h>
#include <XTPDockingPaneManager.h>
#include <afxpriv.h>
#include <shlwapi.h>

#include <memory>
#include <string>
#include <vector>

using bench_ui::CBenchPaneFrame;
using bench_ui::CBenchPaneView;

namespace
{
const char* const kStoredKey = "BrindlemarkBenchStored";

CWinApp* BenchApp(std::unique_ptr<CWinApp>& pOwnApp)
{
    AfxWinInit(::GetModuleHandleA(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
    {
        pOwnApp.reset(new CWinApp("BrindlemarkBench"));
        pApp = pOwnApp.get();
    }
    return pApp;
}

// Makes the registry key of the application's profile use kStoredKey for
// the time of one measure.
class CStoredKey
{
public:
    explicit CStoredKey(CWinApp* pApp) : m_pApp(pApp), m_pszOld(pApp->m_pszRegistryKey)
    {
        pApp->m_pszRegistryKey = _strdup(kStoredKey);
    }
    ~CStoredKey()
    {
        ::SHDeleteKeyA(HKEY_CURRENT_USER, CString("Software\\") + kStoredKey);
        free((void*)m_pApp->m_pszRegistryKey);
        m_pApp->m_pszRegistryKey = m_pszOld;
    }
    CString AppKey() const { return CString("Software\\") + kStoredKey + "\\" + m_pApp->m_pszProfileName; }

private:
    CWinApp* m_pApp;
    LPCTSTR m_pszOld;
};

void SetDword(HKEY hKey, const char* pszName, DWORD dwValue)
{
    ::RegSetValueExA(hKey, pszName, 0, REG_DWORD, (const BYTE*)&dwValue, sizeof(dwValue));
}

// One stored layout object: its type and its values.
struct StoredObject
{
    DWORD dwType;
    std::vector<std::pair<std::string, DWORD>> values;
    std::string strTitle;
};

void WriteStoredLayout(const CString& strAppKey, const char* pszName, const std::vector<StoredObject>& objects,
                       int nTop, int nClient)
{
    CString strLayout = strAppKey + "\\DockingPaneLayouts\\" + pszName;
    ::SHDeleteKeyA(HKEY_CURRENT_USER, strLayout);
    HKEY hKey = NULL;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, strLayout + "\\Summary", 0, NULL, 0, KEY_WRITE, NULL, &hKey, NULL);
    SetDword(hKey, "Panes", (DWORD)objects.size());
    SetDword(hKey, "TopContainer", (DWORD)nTop);
    SetDword(hKey, "Client", (DWORD)nClient);
    ::RegCloseKey(hKey);
    for (size_t i = 0; i < objects.size(); i++)
    {
        CString strSection;
        strSection.Format("%s\\Pane-%d", (LPCTSTR)strLayout, (int)i + 1);
        ::RegCreateKeyExA(HKEY_CURRENT_USER, strSection, 0, NULL, 0, KEY_WRITE, NULL, &hKey, NULL);
        SetDword(hKey, "Type", objects[i].dwType);
        for (const auto& value : objects[i].values)
            SetDword(hKey, value.first.c_str(), value.second);
        if (!objects[i].strTitle.empty())
            ::RegSetValueExA(hKey, "Title", 0, REG_SZ, (const BYTE*)objects[i].strTitle.c_str(),
                             (DWORD)objects[i].strTitle.size() + 1);
        ::RegCloseKey(hKey);
    }
}

StoredObject Pane(int nId)
{
    StoredObject object{ xtpPaneTypeDockingPane, { { "ID", (DWORD)nId } }, "Pane" };
    return object;
}

StoredObject Container(DWORD dwType, const std::vector<int>& children)
{
    StoredObject object{ dwType, { { "Panes", (DWORD)children.size() } }, std::string() };
    for (size_t i = 0; i < children.size(); i++)
        object.values.push_back({ "Pane-" + std::to_string(i + 1), (DWORD)children[i] });
    return object;
}

// Panes 1..n in one tabbed container docked beside the client.
std::vector<StoredObject> OneContainer(int nPanes, int& nTop, int& nClient)
{
    std::vector<StoredObject> objects;
    std::vector<int> panes;
    for (int i = 1; i <= nPanes; i++)
    {
        objects.push_back(Pane(1000 + i));
        panes.push_back(i);
    }
    objects.push_back(Container(xtpPaneTypeTabbedContainer, panes));
    int nTabbed = (int)objects.size();
    objects.push_back(StoredObject{ xtpPaneTypeClientContainer, {}, std::string() });
    nClient = (int)objects.size();
    objects.push_back(Container(xtpPaneTypeSplitterContainer, { nTabbed, nClient }));
    nTop = (int)objects.size();
    return objects;
}

// One pane with a title of nLength characters, auto-hidden on the left.
std::vector<StoredObject> LongTitleHidden(int nLength, int& nTop, int& nClient)
{
    std::vector<StoredObject> objects;
    StoredObject pane = Pane(4000);
    pane.strTitle.clear();
    for (int i = 0; i < nLength; i++)
        pane.strTitle += (char)('a' + i % 26);
    objects.push_back(pane);
    objects.push_back(Container(xtpPaneTypeTabbedContainer, { 1 }));
    StoredObject panel = Container(xtpPaneTypeAutoHidePanel, { 2 });
    panel.values.push_back({ "Direction", (DWORD)xtpPaneDockLeft });
    objects.push_back(panel);
    objects.push_back(StoredObject{ xtpPaneTypeClientContainer, {}, std::string() });
    nClient = 4;
    objects.push_back(Container(xtpPaneTypeSplitterContainer, { 4 }));
    nTop = 5;
    return objects;
}

// n floating windows of one pane each, and the client alone in the frame.
std::vector<StoredObject> FloatingWindows(int nWindows, int& nTop, int& nClient)
{
    std::vector<StoredObject> objects;
    objects.push_back(StoredObject{ xtpPaneTypeClientContainer, {}, std::string() });
    nClient = 1;
    objects.push_back(Container(xtpPaneTypeSplitterContainer, { 1 }));
    nTop = 2;
    for (int i = 0; i < nWindows; i++)
    {
        objects.push_back(Pane(2000 + i));
        int nPane = (int)objects.size();
        objects.push_back(Container(xtpPaneTypeTabbedContainer, { nPane }));
        int nTabbed = (int)objects.size();
        objects.push_back(Container(xtpPaneTypeSplitterContainer, { nTabbed }));
        int nSplitter = (int)objects.size();
        StoredObject mini{ xtpPaneTypeMiniWnd,
                           { { "TopContaner", (DWORD)nSplitter },
                             { "WindowRectLeftPos", (DWORD)(20 + i % 400) },
                             { "WindowRectTopPos", (DWORD)(20 + i % 300) },
                             { "WindowRectRightPos", (DWORD)(220 + i % 400) },
                             { "WindowRectBottomPos", (DWORD)(170 + i % 300) } },
                           std::string() };
        objects.push_back(mini);
    }
    return objects;
}

// A chain of nested splitters, the innermost holding one pane and the client.
std::vector<StoredObject> DeepChain(int nDepth, int& nTop, int& nClient)
{
    std::vector<StoredObject> objects;
    objects.push_back(Pane(3000));
    objects.push_back(Container(xtpPaneTypeTabbedContainer, { 1 }));
    objects.push_back(StoredObject{ xtpPaneTypeClientContainer, {}, std::string() });
    nClient = 3;
    for (int i = 0; i < nDepth; i++)
    {
        int nIndex = (int)objects.size() + 1;
        if (i == 0)
            objects.push_back(Container(xtpPaneTypeSplitterContainer, { 2, 3 }));
        else
            objects.push_back(Container(xtpPaneTypeSplitterContainer, { nIndex - 1 }));
    }
    nTop = (int)objects.size();
    return objects;
}


// Reads the stored layout and, when it is taken, applies it to a new frame
// and lays the frame out; the milliseconds of the whole.
double LoadAndApply(const char* pszName, BOOL& bTaken)
{
    CBenchPaneFrame* pFrame = new CBenchPaneFrame;
    pFrame->Create(NULL, "stored", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600));
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CBenchPaneView);
    pFrame->CreateView(&context);
    pFrame->m_paneManager.AttachToSite(pFrame);
    pFrame->m_paneManager.SetTheme(xtpPaneThemeOffice2003);
    pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    bench_ui::Pump();

    double dStart = bench_ui::Now();
    double dRead = 0, dApply = 0;
    {
        CXTPDockingPaneLayout layout(&pFrame->m_paneManager);
        bTaken = layout.LoadFromProfile(pszName);
        dRead = bench_ui::Now();
        if (bTaken)
            pFrame->m_paneManager.ApplyLayout(&layout);
        dApply = bench_ui::Now();
    }
    pFrame->RecalcLayout();
    pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    bench_ui::Pump();
    double dMs = (bench_ui::Now() - dStart) * 1000.0;
    if (getenv("BENCH_DETAIL") != NULL)
        printf("    read %.1f ms, apply %.1f ms, layout %.1f ms\n", (dRead - dStart) * 1000, (dApply - dRead) * 1000,
               dMs - (dApply - dStart) * 1000);
    pFrame->DestroyWindow();
    bench_ui::Pump();
    return dMs;
}
} // namespace

BM_UI_BENCH(stored_docking)
{
    std::unique_ptr<CWinApp> pOwnApp;
    CWinApp* pApp = BenchApp(pOwnApp);
    CStoredKey key(pApp);

    struct Case
    {
        const char* pszWhat;
        std::vector<StoredObject> (*pfnMake)(int, int&, int&);
        int nSize;
    } cases[] = {
        { "one stored container of 9,997 panes", OneContainer, 9997 },
        { "one stored container of 997 panes", OneContainer, 997 },
        { "one stored container of 253 panes (the most a layout holds)", OneContainer, 253 },
        { "2,499 stored floating windows", FloatingWindows, 2499 },
        { "249 stored floating windows", FloatingWindows, 249 },
        { "64 stored floating windows", FloatingWindows, 64 },
        { "32 stored floating windows", FloatingWindows, 32 },
        { "16 stored floating windows (the most a layout holds)", FloatingWindows, 16 },
        { "a stored chain of 9,997 nested splitters", DeepChain, 9997 },
        { "a stored chain of 400 nested splitters", DeepChain, 400 },
        { "a stored chain of 60 nested splitters", DeepChain, 60 },
        { "an auto-hidden pane with a stored title of 70,000 characters", LongTitleHidden, 70000 },
    };
    for (const Case& c : cases)
    {
        int nTop = 0, nClient = 0;
        std::vector<StoredObject> objects = c.pfnMake(c.nSize, nTop, nClient);
        WriteStoredLayout(key.AppKey(), "Stored", objects, nTop, nClient);
        BOOL bTaken = FALSE;
        double dMs = LoadAndApply("Stored", bTaken);
        CString strWhat;
        strWhat.Format("stored docking: %s, read and applied (%s)", c.pszWhat, bTaken ? "taken" : "refused");
        bench_ui::Report(strWhat, dMs, "ms", 1000);
    }
}

BM_UI_BENCH(stored_profiles)
{
    std::unique_ptr<CWinApp> pOwnApp;
    CWinApp* pApp = BenchApp(pOwnApp);
    CStoredKey key(pApp);
    CXTRegistryManager::SetProfileNames(kStoredKey, pApp->m_pszProfileName);

    // 1,000 difficulty profiles as the game stores them.
    HKEY hKey = CXTRegistryManager(HKEY_LOCAL_MACHINE).GetSectionKey("GradeInfo");
    if (hKey == NULL)
    {
        printf("  the profile section cannot be written here\n");
        CXTRegistryManager::SetProfileNames(NULL, NULL);
        return;
    }
    for (int n = 0; n < HT_MAX_STORED_PROFILES; n++)
    {
        CString strName;
        strName.Format("Profile %d", n);
        ::RegSetValueExA(hKey, HTProfileEntryName(n, "ProfileName"), 0, REG_SZ, (const BYTE*)(LPCTSTR)strName,
                         strName.GetLength() + 1);
        for (const char* pszKey : { "Columns", "Rows", "ShowIslandSquares", "ShowUnshadedDups", "ShowAdjacentShaded",
                                    "EnableUnshadedUpdate", "EnableAutoMark", "MinutesToComplete", "ForceComplete" })
            SetDword(hKey, HTProfileEntryName(n, pszKey), 9);
    }
    SetDword(hKey, "GradeInfoCount", HT_MAX_STORED_PROFILES);
    double dThousand = bench_ui::MedianMs(5, [] {
        CGradeInfoList list;
        list.LoadFromRegistry();
    });
    bench_ui::Report("stored profiles: 1,000 difficulty profiles read", dThousand, "ms", 1000);

    SetDword(hKey, "GradeInfoCount", 0x7FFFFFFF);
    for (int n = 1; n < HT_MAX_STORED_PROFILES; n++)
        ::RegDeleteValueA(hKey, HTProfileEntryName(n, "Columns"));
    double dDamaged = bench_ui::MedianMs(5, [] {
        CGradeInfoList list;
        list.LoadFromRegistry();
    });
    bench_ui::Report("stored profiles: a damaged count of 2^31 - 1, values missing", dDamaged, "ms", 1000);
    ::RegCloseKey(hKey);
    ::SHDeleteKeyA(HKEY_LOCAL_MACHINE, CString("Software\\") + kStoredKey);
    CXTRegistryManager::SetProfileNames(NULL, NULL);
}

namespace
{
// A frame with the game's menu bar and Standard bar, customizable.
CXTPFrameWnd* CreateBarsFrame()
{
    CXTPFrameWnd* pFrame = new CXTPFrameWnd;
    pFrame->Create(NULL, "Bench", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480));
    pFrame->InitCommandBars();
    CXTPCommandBars* pBars = pFrame->GetCommandBars();
    pBars->SetCustomizable(TRUE);
    pBars->CreateMenuBar("Menu Bar", 102);
    CXTPToolBar* pStandard = pBars->Add("Standard", xtpBarTop);
    pStandard->LoadToolBar(102);
    pFrame->ShowWindow(SW_SHOWNA);
    pFrame->RecalcLayout();
    return pFrame;
}
} // namespace

BM_UI_BENCH(stored_commandbars)
{
    std::unique_ptr<CWinApp> pOwnApp;
    CWinApp* pApp = BenchApp(pOwnApp);
    CStoredKey key(pApp);

    // A damaged count of used commands (the cap less one) with three items,
    // from the registry and from an INI file.
    {
        CXTPFrameWnd* pFrame = CreateBarsFrame();
        CXTPCommandBars* pBars = pFrame->GetCommandBars();
        HKEY hKey = NULL;
        ::RegCreateKeyExA(HKEY_CURRENT_USER, key.AppKey() + "\\CommandBars-Options\\UsedCommands", 0, NULL, 0,
                          KEY_WRITE, NULL, &hKey, NULL);
        SetDword(hKey, "Count", 65535);
        SetDword(hKey, "Item0", 57600);
        SetDword(hKey, "Item1", 57601);
        SetDword(hKey, "Item2", 57603);
        ::RegCloseKey(hKey);
        double dRegistry = bench_ui::MedianMs(5, [pBars] { pBars->LoadOptions("CommandBars"); });
        bench_ui::Report("stored command bars: used-commands count 65,535 read from the registry", dRegistry, "ms",
                         1000);

        char szTemp[MAX_PATH], szIni[MAX_PATH];
        ::GetTempPathA(MAX_PATH, szTemp);
        ::GetTempFileNameA(szTemp, "bmo", 0, szIni);
        ::WritePrivateProfileStringA("CommandBars-Options\\UsedCommands", "Count", "65535", szIni);
        ::WritePrivateProfileStringA("CommandBars-Options\\UsedCommands", "Item0", "57600", szIni);
        LPCTSTR pszOldKey = pApp->m_pszRegistryKey;
        LPCTSTR pszOldProfile = pApp->m_pszProfileName;
        pApp->m_pszRegistryKey = NULL;
        pApp->m_pszProfileName = szIni;
        double dIni = bench_ui::MedianMs(5, [pBars] { pBars->LoadOptions("CommandBars"); });
        pApp->m_pszRegistryKey = pszOldKey;
        pApp->m_pszProfileName = pszOldProfile;
        ::DeleteFileA(szIni);
        bench_ui::Report("stored command bars: used-commands count 65,535 read from an INI file", dIni, "ms", 1000);
        pFrame->DestroyWindow();
        bench_ui::Pump();
    }

    for (int nToolBars : { 999, 100 })
    {
        // The stored state of a player who made that many toolbars.
        CXTPFrameWnd* pFrame = CreateBarsFrame();
        CXTPCommandBars* pBars = pFrame->GetCommandBars();
        pBars->LockLayout(TRUE);
        for (int i = 0; i < nToolBars; i++)
        {
            CString strName;
            strName.Format("Toolbar %d", i + 1);
            CXTPToolBar* pBar = pBars->CreateCustomToolBar(strName, 5000 + i);
            if (pBar != NULL)
                pBar->GetControls()->Add(xtpControlButton, 57600)->SetCaption("New");
        }
        pBars->LockLayout(FALSE);
        pBars->SaveBarState("CommandBars");
        pFrame->DestroyWindow();
        bench_ui::Pump();

        pFrame = CreateBarsFrame();
        double dStart = bench_ui::Now();
        pFrame->GetCommandBars()->LoadBarState("CommandBars");
        pFrame->RecalcLayout();
        bench_ui::Pump();
        double dMs = (bench_ui::Now() - dStart) * 1000.0;
        CString strWhat;
        strWhat.Format("stored command bars: %d stored user toolbars loaded (%d bars after)", nToolBars,
                       pFrame->GetCommandBars()->GetCount());
        bench_ui::Report(strWhat, dMs, "ms", 1000);
        pFrame->DestroyWindow();
        bench_ui::Pump();
    }
}
