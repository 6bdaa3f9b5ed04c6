// The real Vorn.exe with stored layouts: a user's arrangement of floating, nested and
// hidden panes in a maximised window survives restarts, and a crafted or damaged
// stored layout gives the default one, a quick start and a clean exit.
#include "VornProcess.h"
#include "VornTestFolder.h"
#include "WindowBitmap.h"

#include <afxres.h>

#include "CExtFrameBarState.h"
#include "CExtRegistryArchive.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace
{
const char kExeName[] = "VornLayoutTest.exe";

class LayoutStartup : public ::testing::Test
{
protected:
    CTestFolder m_folder;
};

CString LayoutPath(const CVornProcess& vorn)
{
    CString strKey = vorn.GetRegistryPath() + "\\Ulvane223\\Profiles\\" + kExeName;
    return strKey.Left(strKey.GetLength() - 4) + "\\ControlBar";
}

std::string StoredLayout(const CVornProcess& vorn)
{
    CMemFile file;
    if (!CExtRegistryArchive::Load(file, LayoutPath(vorn)))
        return std::string();
    std::string bytes((size_t)file.GetLength(), '\0');
    file.SeekToBegin();
    file.Read(&bytes[0], (UINT)bytes.size());
    return bytes;
}

bool StoreLayout(const CVornProcess& vorn, const std::string& bytes)
{
    CMemFile file;
    file.Write(bytes.data(), (UINT)bytes.size());
    return CExtRegistryArchive::Save(file, LayoutPath(vorn)) != FALSE;
}

bool ReadState(const std::string& bytes, CExtFrameBarState& state)
{
    CMemFile file;
    file.Write(bytes.data(), (UINT)bytes.size());
    file.SeekToBegin();
    try
    {
        CArchive ar(&file, CArchive::load);
        state.SerializeBarState(ar);
        ar.Abort();
        return true;
    }
    catch (CException* e)
    {
        e->Delete();
        return false;
    }
}

std::string WriteState(CExtFrameBarState& state)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        state.SerializeBarState(ar);
        ar.Close();
    }
    std::string bytes((size_t)file.GetLength(), '\0');
    file.SeekToBegin();
    file.Read(&bytes[0], (UINT)bytes.size());
    return bytes;
}

struct FindBar
{
    UINT nID;
    HWND hFound;
};

BOOL CALLBACK FindInChildren(HWND hWnd, LPARAM lParam)
{
    FindBar* pFind = (FindBar*)lParam;
    if ((UINT)::GetDlgCtrlID(hWnd) == pFind->nID && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) != 0)
    {
        pFind->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindInOwned(HWND hWnd, LPARAM lParam)
{
    FindBar* pFind = (FindBar*)lParam;
    ::EnumChildWindows(hWnd, FindInChildren, lParam);
    return pFind->hFound == NULL;
}

// A pane of the frame, docked or in a floating frame of the same thread.
HWND FindPane(HWND hFrame, UINT nID)
{
    FindBar find = {nID, NULL};
    ::EnumChildWindows(hFrame, FindInChildren, (LPARAM)&find);
    if (find.hFound == NULL)
        ::EnumThreadWindows(::GetWindowThreadProcessId(hFrame, NULL), FindInOwned, (LPARAM)&find);
    return find.hFound;
}

bool PaneVisible(HWND hFrame, UINT nID)
{
    HWND hPane = FindPane(hFrame, nID);
    return hPane != NULL && ::IsWindowVisible(hPane);
}

bool PaneFloats(HWND hFrame, UINT nID)
{
    HWND hPane = FindPane(hFrame, nID);
    return hPane != NULL && !::IsChild(hFrame, hPane);
}

void Picture(HWND hFrame, LPCTSTR pszName)
{
    if (ScreenshotFolder() == NULL)
        return;
    ::Sleep(500);
    SaveScreenBitmap(CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)),
                     CString(ScreenshotFolder()) + "\\" + pszName);
}

// The arrangement a user made: Output floating, Variables nested with Call Stack,
// Breakpoints hidden, the window maximised.
std::string Arranged(const std::string& stored)
{
    CExtFrameBarState state;
    if (!ReadState(stored, state))
        return std::string();
    state.m_wp.showCmd = SW_SHOWMAXIMIZED;
    std::vector<CExtFrameBarState::NODE> nodes;
    CExtFrameBarState::NODE variables, callStack;
    for (CExtFrameBarState::NODE& node : state.m_nodes)
    {
        if (node.nBarID == ID_VIEW_OUTPUT)
        {
            node.dwFlags = CExtFrameBarState::NODE::ePlain | CExtFrameBarState::NODE::eVisible |
                           CExtFrameBarState::NODE::eFloatingFrame;
            node.nDockBarID = AFX_IDW_DOCKBAR_FLOAT;
            node.nCircle = 0;
            node.rcFloatFrame.SetRect(420, 420, 900, 640);
            node.sizeFloated = CSize(460, 180);
        }
        if (node.nBarID == ID_VIEW_BREAKPOINTS)
            node.dwFlags &= ~CExtFrameBarState::NODE::eVisible;
        if (node.nBarID == ID_VIEW_VARIABLES)
            variables = node;
        else if (node.nBarID == ID_VIEW_CALL_STACK)
            callStack = node;
        else
            nodes.push_back(node);
    }
    CExtFrameBarState::NODE nest = variables;
    nest.nBarID = AFX_IDW_DOCKBAR_LEFT;
    nest.dwFlags = CExtFrameBarState::NODE::eDynamic | CExtFrameBarState::NODE::eVisible;
    for (CExtFrameBarState::NODE* pChild : {&variables, &callStack})
    {
        pChild->dwFlags = CExtFrameBarState::NODE::ePlain | CExtFrameBarState::NODE::eVisible |
                          CExtFrameBarState::NODE::eChild;
        pChild->dwBarStyle = (pChild->dwBarStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP;
        nest.children.push_back(*pChild);
    }
    nodes.push_back(nest);
    state.m_nodes = nodes;
    return WriteState(state);
}

void ExpectArranged(HWND hFrame)
{
    EXPECT_TRUE(::IsZoomed(hFrame));
    EXPECT_TRUE(PaneFloats(hFrame, ID_VIEW_OUTPUT));
    EXPECT_TRUE(PaneVisible(hFrame, ID_VIEW_OUTPUT));
    EXPECT_FALSE(PaneVisible(hFrame, ID_VIEW_BREAKPOINTS));
    HWND hVariables = FindPane(hFrame, ID_VIEW_VARIABLES), hCallStack = FindPane(hFrame, ID_VIEW_CALL_STACK);
    ASSERT_TRUE(hVariables != NULL && hCallStack != NULL);
    EXPECT_TRUE(::IsWindowVisible(hVariables) && ::IsWindowVisible(hCallStack));
    EXPECT_EQ(::GetParent(hVariables), ::GetParent(hCallStack));
    EXPECT_TRUE(PaneVisible(hFrame, ID_VIEW_PROJECT_EXPLORER));
}
} // namespace

TEST_F(LayoutStartup, AnArrangementOfPanesSurvivesRestarts)
{
    CVornProcess vorn(m_folder.Path(), kExeName);
    ASSERT_TRUE(vorn.IsInstalled());
    vorn.DeleteRegistryKey();
    ASSERT_TRUE(vorn.Start());
    ASSERT_TRUE(vorn.WaitForMainWindow() != NULL);
    ASSERT_TRUE(vorn.Close());
    const std::string arranged = Arranged(StoredLayout(vorn));
    ASSERT_FALSE(arranged.empty());
    ASSERT_TRUE(StoreLayout(vorn, arranged));

    for (int nStart = 0; nStart < 2; nStart++)
    {
        ASSERT_TRUE(vorn.Start()) << nStart;
        HWND hFrame = vorn.WaitForMainWindow();
        ASSERT_TRUE(hFrame != NULL) << nStart;
        vorn.WaitIdle();
        ExpectArranged(hFrame);
        Picture(hFrame, nStart == 0 ? "layout_arranged.bmp" : "layout_restarted.bmp");
        ASSERT_TRUE(vorn.Close()) << nStart;
    }
    vorn.DeleteRegistryKey();
}

TEST_F(LayoutStartup, CraftedLayoutsGiveTheDefaultOneAQuickStartAndACleanExit)
{
    CVornProcess vorn(m_folder.Path(), kExeName);
    ASSERT_TRUE(vorn.IsInstalled());
    vorn.DeleteRegistryKey();
    ASSERT_TRUE(vorn.Start());
    ASSERT_TRUE(vorn.WaitForMainWindow() != NULL);
    ASSERT_TRUE(vorn.Close());
    const std::string stored = StoredLayout(vorn);
    CExtFrameBarState state;
    ASSERT_TRUE(ReadState(stored, state));

    std::vector<std::string> refused;
    {
        CExtFrameBarState empty;
        ASSERT_TRUE(ReadState(stored, empty));
        empty.m_arrRecords.RemoveAll();
        empty.m_nodes.clear();
        std::string bytes = WriteState(empty);
        bytes.replace(bytes.size() - 4, 4, "\xFF\xFF\xFF\xFF");
        refused.push_back(bytes);
    }
    for (int nCase = 0; nCase < 3; nCase++)
    {
        CExtFrameBarState crafted;
        ASSERT_TRUE(ReadState(stored, crafted));
        ASSERT_FALSE(crafted.m_nodes.empty());
        if (nCase == 0)
            crafted.m_nodes[0].nCircle = 1000000;
        else if (nCase == 1)
            crafted.m_nodes[0].nBarID = AFX_IDW_TOOLBAR;   // not a pane
        else
            crafted.m_nodes.push_back(crafted.m_nodes[0]);   // named twice
        refused.push_back(WriteState(crafted));
    }
    // Each hides the Output pane first, so that the default layout shows.
    for (size_t i = 0; i < refused.size(); i++)
    {
        ASSERT_TRUE(StoreLayout(vorn, refused[i])) << i;
        const DWORD dwStart = ::GetTickCount();
        ASSERT_TRUE(vorn.Start()) << i;
        HWND hFrame = vorn.WaitForMainWindow(5000);
        ASSERT_TRUE(hFrame != NULL) << i;
        EXPECT_LT(::GetTickCount() - dwStart, 5000u) << i;
        EXPECT_TRUE(PaneVisible(hFrame, ID_VIEW_OUTPUT)) << i;
        EXPECT_TRUE(PaneVisible(hFrame, ID_VIEW_PROJECT_EXPLORER)) << i;
        EXPECT_FALSE(PaneVisible(hFrame, ID_VIEW_CALL_STACK)) << i;
        if (i == 0)
            Picture(hFrame, "layout_refused.bmp");
        ASSERT_TRUE(vorn.Close()) << i;
    }

    // Flipped bytes: refused or taken, always a quick start and a clean exit, and the
    // next start restores what the last one saved.
    const unsigned nSeed = ::GetTickCount();
    SCOPED_TRACE(::testing::Message() << "seed " << nSeed);
    std::mt19937 rng(nSeed);
    for (int i = 0; i < 8; i++)
    {
        std::string bytes = stored;
        for (int k = 0; k < 3; k++)
            bytes[rng() % bytes.size()] ^= (char)(1u << (rng() % 8));
        ASSERT_TRUE(StoreLayout(vorn, bytes)) << i;
        ASSERT_TRUE(vorn.Start()) << i;
        HWND hFrame = vorn.WaitForMainWindow(5000);
        ASSERT_TRUE(hFrame != NULL) << i;
        const bool bOutput = PaneVisible(hFrame, ID_VIEW_OUTPUT);
        ASSERT_TRUE(vorn.Close()) << i;
        ASSERT_TRUE(vorn.Start()) << i;
        hFrame = vorn.WaitForMainWindow(5000);
        ASSERT_TRUE(hFrame != NULL) << i;
        EXPECT_EQ(bOutput, PaneVisible(hFrame, ID_VIEW_OUTPUT)) << i;
        ASSERT_TRUE(vorn.Close()) << i;
    }
    vorn.DeleteRegistryKey();
}

TEST_F(LayoutStartup, ALayoutStoredWithoutTheTabsBarGivesItItsDefaultPlace)
{
    CVornProcess vorn(m_folder.Path(), kExeName);
    ASSERT_TRUE(vorn.IsInstalled());
    vorn.DeleteRegistryKey();
    ASSERT_TRUE(vorn.Start());
    HWND hFrame = vorn.WaitForMainWindow();
    ASSERT_TRUE(hFrame != NULL);
    const CRect rcTabs = RectInClient(FindPane(hFrame, ID_VIEW_FILE_TABS), hFrame);
    ::SendMessageA(hFrame, WM_COMMAND, ID_VIEW_OUTPUT, 0);
    vorn.WaitIdle();
    ASSERT_TRUE(vorn.Close());

    CExtFrameBarState state;
    ASSERT_TRUE(ReadState(StoredLayout(vorn), state));
    // No dock bar of the stored layout names the tabs bar.
    for (INT_PTR i = 0; i < state.m_dockState.m_arrBarInfo.GetSize(); i++)
    {
        const CControlBarInfo* pInfo = (const CControlBarInfo*)state.m_dockState.m_arrBarInfo[i];
        for (INT_PTR k = 0; k < pInfo->m_arrBarID.GetSize(); k++)
            EXPECT_NE((DWORD)ID_VIEW_FILE_TABS, pInfo->m_arrBarID[k] & ~AFX_DOCKSTATE_PLACEHOLDER);
    }

    // The rest of the layout is taken; the tabs bar stands where it stands by default,
    // this time and the next.
    for (int nStart = 0; nStart < 2; nStart++)
    {
    ASSERT_TRUE(vorn.Start());
    hFrame = vorn.WaitForMainWindow();
    ASSERT_TRUE(hFrame != NULL);
    vorn.WaitIdle();
    EXPECT_FALSE(PaneVisible(hFrame, ID_VIEW_OUTPUT));
    EXPECT_TRUE(PaneVisible(hFrame, ID_VIEW_FILE_TABS));
    EXPECT_EQ(rcTabs.TopLeft(), RectInClient(FindPane(hFrame, ID_VIEW_FILE_TABS), hFrame).TopLeft());
    ASSERT_TRUE(vorn.Close());
    }
    vorn.DeleteRegistryKey();
}
