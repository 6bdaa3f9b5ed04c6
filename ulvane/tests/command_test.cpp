// Command profiles: texts from menus and string resources, ids, icons, usage, and
// the manager's profiles and window bindings.
#include "ulvanetest.h"

#include "CExtCommandIcon.h"
#include "CExtCommandManagerHolder.h"

#include <memory>
#include <string>
#include <vector>

namespace
{
// A profile of its own for each test, filled from the test menus.
class CommandProfileTest : public ::testing::Test
{
protected:
    CExtCommandProfile m_profile{"test"};
};

HWND MakeWindow(HWND hWndParent = NULL)
{
    return ::CreateWindow("STATIC", "", hWndParent != NULL ? WS_CHILD : WS_POPUP, 0, 0, 10, 10, hWndParent, NULL,
                          AfxGetInstanceHandle(), NULL);
}
}

TEST_F(CommandProfileTest, MenuResourceGivesMenuTextsAcceleratorsAndPromptsFromStrings)
{
    ASSERT_TRUE(m_profile.UpdateFromMenuResource(IDR_MAINFRAME));
    ASSERT_TRUE(m_profile.UpdateFromMenuResource(IDR_DOCMENU));

    CExtCommandItem* pAlpha = m_profile.GetCommand(ID_TEST_ALPHA);
    ASSERT_NE(pAlpha, nullptr);
    EXPECT_STREQ("&Alpha", pAlpha->m_strMenuText);
    EXPECT_STREQ("Ctrl+A", pAlpha->m_strAccelText);
    EXPECT_STREQ("Runs the first test command", pAlpha->m_strStatusText);
    EXPECT_STREQ("Alpha command", pAlpha->m_strTipText);

    // Nested popups are walked; a string without a line feed is all prompt.
    CExtCommandItem* pGamma = m_profile.GetCommand(ID_TEST_GAMMA);
    ASSERT_NE(pGamma, nullptr);
    EXPECT_STREQ("A prompt without a tip", pGamma->m_strStatusText);
    EXPECT_TRUE(pGamma->m_strTipText.IsEmpty());
    EXPECT_NE(m_profile.GetCommand(ID_VIEW_CALLSTACK), nullptr);
    EXPECT_STREQ("Call &Stack", m_profile.GetCommand(ID_VIEW_CALLSTACK)->m_strMenuText);

    EXPECT_FALSE(m_profile.UpdateFromMenuResource(9999));
}

TEST_F(CommandProfileTest, AllocatingIdsTakesTheHighestFreeOneAndNeverAnExistingOne)
{
    CExtCommandItem* pFirst = m_profile.AllocateCommand(0);
    ASSERT_NE(pFirst, nullptr);
    EXPECT_EQ(0xFFFEu, pFirst->m_nCmdID);
    ASSERT_NE(m_profile.AllocateCommand(0xFFFD), nullptr);
    EXPECT_EQ(0xFFFCu, m_profile.AllocateCommand(0)->m_nCmdID);

    pFirst->m_strMenuText = "kept";
    EXPECT_EQ(nullptr, m_profile.AllocateCommand(0xFFFE));
    EXPECT_STREQ("kept", m_profile.GetCommand(0xFFFE)->m_strMenuText);
    // Ids that are not positive as signed numbers are no commands.
    EXPECT_EQ(nullptr, m_profile.GetCommand(0));
    EXPECT_EQ(nullptr, m_profile.GetCommand(0x80000000u));
}

TEST_F(CommandProfileTest, UpdatingFillsGapsOrReplacesButNeverClearsText)
{
    CExtCommandItem src(ID_TEST_ALPHA);
    src.m_strMenuText = "Menu";
    src.m_strToolbarText = "Bar";
    bool bCreated = false;
    ASSERT_TRUE(m_profile.UpdateCommand(src, false, &bCreated));
    EXPECT_TRUE(bCreated);

    CExtCommandItem other(ID_TEST_ALPHA);
    other.m_strMenuText = "Other";
    other.m_strToolbarText = "Other bar";
    other.m_strTipText = "Tip";
    ASSERT_TRUE(m_profile.UpdateCommand(other, false, &bCreated));
    EXPECT_FALSE(bCreated);
    CExtCommandItem* pItem = m_profile.GetCommand(ID_TEST_ALPHA);
    EXPECT_STREQ("Menu", pItem->m_strMenuText);
    EXPECT_STREQ("Bar", pItem->m_strToolbarText);   // never filled from another
    EXPECT_STREQ("Tip", pItem->m_strTipText);

    CExtCommandItem empty(ID_TEST_ALPHA);
    empty.m_strStatusText = "Status";
    ASSERT_TRUE(m_profile.UpdateCommand(empty, true));
    EXPECT_STREQ("Menu", pItem->m_strMenuText);
    EXPECT_STREQ("Status", pItem->m_strStatusText);

    EXPECT_FALSE(m_profile.UpdateCommand(CExtCommandItem(0)));
}

TEST_F(CommandProfileTest, ToolbarResourceGivesIconsAndKeepsItsSeparators)
{
    UINT* pIDs = NULL;
    int nCount = 0;
    ASSERT_TRUE(m_profile.UpdateFromToolbarResource(MAKEINTRESOURCE(IDR_TESTBAR), &pIDs, &nCount));
    std::unique_ptr<UINT[]> ids(pIDs);
    ASSERT_EQ(5, nCount);
    EXPECT_EQ((UINT)ID_TEST_ALPHA, ids[0]);
    EXPECT_EQ(0u, ids[2]);
    EXPECT_EQ((UINT)ID_TEST_HOTLIST, ids[4]);

    for (UINT nID : {ID_TEST_ALPHA, ID_TEST_BETA, ID_TEST_GAMMA, ID_TEST_HOTLIST})
    {
        CExtCommandIcon* pIcon = m_profile.GetCommandIcon(nID);
        ASSERT_NE(pIcon, nullptr) << nID;
        EXPECT_EQ(CSize(16, 15), pIcon->GetSize());
    }
    EXPECT_STREQ("File Hotlist", m_profile.GetCommand(ID_TEST_HOTLIST)->m_strTipText);
    EXPECT_FALSE(m_profile.UpdateFromToolbarResource(MAKEINTRESOURCE(IDR_NOTOOLBAR)));
}

TEST_F(CommandProfileTest, RemovingASharedIconClearsItsUsersAndMovesOnlyTheLaterIndexesDown)
{
    m_profile.UpdateFromToolbarResource(MAKEINTRESOURCE(IDR_TESTBAR));
    const int nGamma = m_profile.GetCommand(ID_TEST_GAMMA)->m_nIconIndex;
    const int nAlpha = m_profile.GetCommand(ID_TEST_ALPHA)->m_nIconIndex;
    const int nBeta = m_profile.GetCommand(ID_TEST_BETA)->m_nIconIndex;
    ASSERT_LT(nAlpha, nBeta);
    ASSERT_LT(nBeta, nGamma);
    CExtCommandIcon* pGammaIcon = m_profile.GetCommandIcon(ID_TEST_GAMMA);
    // Delta shares Beta's icon.
    m_profile.AllocateCommand(ID_TEST_DELTA)->m_nIconIndex = nBeta;

    ASSERT_TRUE(m_profile.SetCommandIcon(ID_TEST_BETA, NULL, false));
    EXPECT_EQ(-1, m_profile.GetCommand(ID_TEST_BETA)->m_nIconIndex);
    EXPECT_EQ(-1, m_profile.GetCommand(ID_TEST_DELTA)->m_nIconIndex);
    EXPECT_EQ(nAlpha, m_profile.GetCommand(ID_TEST_ALPHA)->m_nIconIndex);
    EXPECT_EQ(nGamma - 1, m_profile.GetCommand(ID_TEST_GAMMA)->m_nIconIndex);
    EXPECT_EQ(pGammaIcon, m_profile.GetCommandIcon(ID_TEST_GAMMA));
}

TEST_F(CommandProfileTest, IconIndexesFromElsewhereNeverReachPastTheArray)
{
    m_profile.UpdateFromToolbarResource(MAKEINTRESOURCE(IDR_TESTBAR));
    CExtCommandProfile copy("copy");
    copy.Assign(m_profile);
    for (UINT nID : {ID_TEST_ALPHA, ID_TEST_BETA, ID_TEST_GAMMA, ID_TEST_HOTLIST})
    {
        CExtCommandIcon* pCopied = copy.GetCommandIcon(nID);
        ASSERT_NE(nullptr, pCopied) << nID;
        EXPECT_NE(m_profile.GetCommandIcon(nID), pCopied);
        EXPECT_EQ(m_profile.GetCommandIcon(nID)->GetSize(), pCopied->GetSize());
        EXPECT_EQ(&copy, copy.GetCommand(nID)->m_pProfile);
    }

    // An item of this profile copied into one without icons keeps an index that
    // points nowhere there: no icon, no notification into the void.
    CExtCommandProfile bare("bare");
    ASSERT_TRUE(bare.UpdateCommand(*m_profile.GetCommand(ID_TEST_HOTLIST)));
    EXPECT_EQ(nullptr, bare.GetCommandIcon(ID_TEST_HOTLIST));
    bare.GetCommand(ID_TEST_HOTLIST)->OnSysColorChange();
    bare.GetCommand(ID_TEST_HOTLIST)->m_nIconIndex = -7;
    EXPECT_EQ(nullptr, bare.GetCommandIcon(ID_TEST_HOTLIST));
    // Giving it an icon appends one instead of writing through the stale index.
    bare.GetCommand(ID_TEST_HOTLIST)->m_nIconIndex = 3;
    CExtCommandIcon icon(*m_profile.GetCommandIcon(ID_TEST_ALPHA));
    ASSERT_TRUE(bare.SetCommandIcon(ID_TEST_HOTLIST, &icon, false));
    EXPECT_EQ(0, bare.GetCommand(ID_TEST_HOTLIST)->m_nIconIndex);
    EXPECT_NE(nullptr, bare.GetCommandIcon(ID_TEST_HOTLIST));
}

TEST_F(CommandProfileTest, DamagedToolbarResourcesAreRefusedAndCellsPastTheBitmapGiveNoIcon)
{
    for (UINT nID : {IDR_BADBAR_VERSION, IDR_BADBAR_SHORT, IDR_BADBAR_WIDE, IDR_BADBAR_FLAT})
    {
        UINT* pIDs = (UINT*)1;
        int nCount = 5;
        EXPECT_FALSE(m_profile.UpdateFromToolbarResource(MAKEINTRESOURCE(nID), &pIDs, &nCount)) << nID;
        EXPECT_EQ(nullptr, pIDs);
        EXPECT_EQ(0, nCount);
    }
    EXPECT_EQ(0, (int)m_profile.m_mapItems.GetCount());

    // Six buttons and a separator over a bitmap four cells wide.
    UINT* pIDs = NULL;
    int nCount = 0;
    ASSERT_TRUE(m_profile.UpdateFromToolbarResource(MAKEINTRESOURCE(IDR_LONGBAR), &pIDs, &nCount));
    std::unique_ptr<UINT[]> ids(pIDs);
    EXPECT_EQ(7, nCount);
    EXPECT_EQ(4, (int)m_profile.m_arrIcons.GetSize());
    EXPECT_NE(nullptr, m_profile.GetCommandIcon(ID_TEST_HOTLIST));
    EXPECT_EQ(nullptr, m_profile.GetCommand(ID_HOTLIST_ADD));
    EXPECT_EQ(nullptr, m_profile.GetCommand(ID_HOTLIST_MANAGE));
}

TEST_F(CommandProfileTest, UsageCountsAreHalvedTogetherNearTheirLimit)
{
    CExtCommandItem* pA = m_profile.AllocateCommand(ID_TEST_ALPHA);
    CExtCommandItem* pB = m_profile.AllocateCommand(ID_TEST_BETA);
    pA->m_nUsageCount = 0x80000000u;
    pB->m_nUsageCount = 0x7FFFFFFDu;
    m_profile.m_nTotalUsage = 0xFFFFFFFDu;
    pB->IncrementUsage();
    EXPECT_EQ(0x7FFFFFFFu, m_profile.m_nTotalUsage);
    EXPECT_EQ(0x40000000u, pA->m_nUsageCount);
    EXPECT_EQ(0x3FFFFFFFu, pB->m_nUsageCount);

    // A profile nobody used yet counts every command as rarely used, but not basic ones.
    CExtCommandProfile fresh("fresh");
    CExtCommandItem* pItem = fresh.AllocateCommand(ID_TEST_GAMMA);
    EXPECT_EQ(0u, pItem->GetUsagePercent());
    EXPECT_TRUE(pItem->IsRarelyUsed());
    pItem->StateSetBasic(true);
    EXPECT_FALSE(pItem->IsRarelyUsed());
    pItem->IncrementUsage();
    EXPECT_EQ(0u, pItem->GetUsageCount());
}

TEST(CommandItemTest, UsagePercentIsWorkedOutInSixtyFourBits)
{
    CExtCommandProfile profile("usage");
    CExtCommandItem* pItem = profile.AllocateCommand(ID_TEST_ALPHA);
    pItem->m_nUsageCount = 50000000;
    profile.m_nTotalUsage = 100000000;
    EXPECT_EQ(50u, pItem->GetUsagePercent());
    EXPECT_FALSE(pItem->IsRarelyUsed());
    pItem->m_nUsageCount = 9999999;
    EXPECT_TRUE(pItem->IsRarelyUsed());
}

TEST(CommandItemTest, ChecksAreExclusive)
{
    CExtCommandItem item(ID_TEST_ALPHA);
    item.StateSetCheck(true);
    item.StateSetRadio(true);
    EXPECT_FALSE(item.StateGetCheck());
    EXPECT_TRUE(item.StateGetRadio());
    item.StateSetIndeterminate(true);
    EXPECT_FALSE(item.StateGetRadio());
    EXPECT_TRUE(item.StateGetIndeterminate());
    item.StateEnable(false);
    EXPECT_FALSE(item.StateIsEnable());
    EXPECT_TRUE(item.StateGetIndeterminate());
}

TEST(CommandManagerTest, WindowsFindTheProfileOfTheirNearestBoundParent)
{
    CExtCommandManager manager;
    EXPECT_NE(nullptr, manager.GetProfile(NULL));
    EXPECT_EQ(manager.GetProfile(""), manager.GetProfile("default"));

    HWND hWndTop = MakeWindow();
    HWND hWndChild = MakeWindow(hWndTop);
    EXPECT_FALSE(manager.BindWindow(hWndTop, "missing"));
    ASSERT_TRUE(manager.CreateProfile("frame", hWndTop));
    EXPECT_STREQ("frame", manager.GetProfileNameForWindow(hWndChild));
    EXPECT_TRUE(manager.GetProfileNameForWindow(NULL).IsEmpty());
    HWND hWndGrandChild = MakeWindow(hWndChild);
    HWND hWndDeepest = MakeWindow(hWndGrandChild);
    EXPECT_STREQ("frame", manager.GetProfileNameForWindow(hWndDeepest));

    // A window keeps its first binding.
    ASSERT_TRUE(manager.CreateProfile("other"));
    EXPECT_TRUE(manager.BindWindow(hWndTop, "other"));
    EXPECT_STREQ("frame", manager.GetProfileNameForWindow(hWndTop));
    ::DestroyWindow(hWndTop);
}

TEST(CommandManagerTest, UnbindingDeletesAProfileOnlyWhenNoOtherWindowUsesIt)
{
    CExtCommandManager manager;
    HWND hWndA = MakeWindow(), hWndB = MakeWindow();
    ASSERT_TRUE(manager.CreateProfile("shared", hWndA));
    ASSERT_TRUE(manager.BindWindow(hWndB, "shared"));

    bool bDeleted = true;
    EXPECT_TRUE(manager.UnbindWindow(hWndA, true, &bDeleted));
    EXPECT_FALSE(bDeleted);
    EXPECT_NE(nullptr, manager.GetProfile("shared"));
    EXPECT_FALSE(manager.UnbindWindow(hWndA));

    // The name a caller holds outlives the profile it named.
    const CString strHeld = manager.GetProfileNameForWindow(hWndB);
    EXPECT_TRUE(manager.UnbindWindow(hWndB, true, &bDeleted));
    EXPECT_TRUE(bDeleted);
    EXPECT_EQ(nullptr, manager.GetProfile("shared"));
    ASSERT_TRUE(manager.CreateProfile("another name of the same length"));
    EXPECT_STREQ("shared", strHeld);
    EXPECT_TRUE(manager.GetProfileNameForWindow(hWndB).IsEmpty());
    ::DestroyWindow(hWndA);
    ::DestroyWindow(hWndB);
}

TEST(CommandManagerTest, BarCaptionIsTheMenuTextWithoutMnemonicOrSecondLine)
{
    CExtCommandManager manager;
    HWND hWnd = MakeWindow();
    ASSERT_TRUE(manager.CreateProfile("captions", hWnd));
    ASSERT_TRUE(manager.UpdateFromMenuResource("captions", IDR_DOCMENU));
    EXPECT_STREQ("Call Stack", manager.GetCommandCaption(hWnd, ID_VIEW_CALLSTACK));
    CExtCommandItem item(ID_TEST_DELTA);
    item.m_strMenuText = "&Two\nlines";
    manager.UpdateCommand("captions", item);
    EXPECT_STREQ("Two", manager.GetCommandCaption(hWnd, ID_TEST_DELTA));
    // "&&" is a literal ampersand; only the mnemonic marks go.
    item.m_strMenuText = "Find && &Replace";
    manager.UpdateCommand("captions", item, true);
    EXPECT_STREQ("Find & Replace", manager.GetCommandCaption(hWnd, ID_TEST_DELTA));
    EXPECT_TRUE(manager.GetCommandCaption(hWnd, ID_TEST_BETA).IsEmpty());
    ::DestroyWindow(hWnd);
}

namespace
{
// Records the commands it receives and answers them with m_lAnswer.
struct CRecorder : public CWnd
{
    UINT m_nMsg = 0;
    WPARAM m_wParam = 0;
    LPARAM m_lParam = 0;
    LRESULT m_lAnswer = 1;
    int m_nCommands = 0;
    virtual LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
    {
        if (nMsg == WM_SYSCOMMAND || nMsg == WM_COMMAND)
        {
            m_nMsg = nMsg;
            m_wParam = wParam;
            m_lParam = lParam;
            m_nCommands++;
            return m_lAnswer;
        }
        return CWnd::WindowProc(nMsg, wParam, lParam);
    }
    bool Create(HWND hWndParent = NULL, HWND hWndOwner = NULL)
    {
        return CreateEx(0, AfxRegisterWndClass(0), "", hWndParent != NULL ? WS_CHILD : WS_POPUP, 0, 0, 10, 10,
                        hWndParent != NULL ? hWndParent : hWndOwner, NULL) != FALSE;
    }
};

void PumpCommands()
{
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
        ::DispatchMessage(&msg);
}
}

TEST(CommandManagerTest, DeliveringSendsOrPostsCountsTheUseAndAnswersWithTheResult)
{
    CRecorder recorder;
    ASSERT_TRUE(recorder.Create());
    ::SetCursorPos(30, 40);
    POINT pt;
    ::GetCursorPos(&pt);

    CExtCommandProfile profile("delivery");
    CExtCommandItem* pClose = profile.AllocateCommand(SC_CLOSE);
    EXPECT_TRUE(pClose->Deliver(recorder.m_hWnd, true));
    EXPECT_EQ((UINT)WM_SYSCOMMAND, recorder.m_nMsg);
    EXPECT_EQ((WPARAM)SC_CLOSE, recorder.m_wParam);
    EXPECT_EQ(MAKELPARAM(pt.x, pt.y), recorder.m_lParam);
    // A system command is basic: delivering it is no use to count.
    EXPECT_EQ(0u, pClose->GetUsageCount());

    CExtCommandItem* pAlpha = profile.AllocateCommand(ID_TEST_ALPHA);
    recorder.m_lAnswer = 0;
    EXPECT_FALSE(pAlpha->Deliver(recorder.m_hWnd, true));
    EXPECT_EQ((UINT)WM_COMMAND, recorder.m_nMsg);
    EXPECT_EQ(0, recorder.m_lParam);
    recorder.m_lAnswer = 1;
    EXPECT_TRUE(pAlpha->Deliver(&recorder, true));
    EXPECT_EQ(2u, pAlpha->GetUsageCount());
    EXPECT_EQ(2u, profile.m_nTotalUsage);

    recorder.m_nCommands = 0;
    EXPECT_TRUE(pAlpha->Deliver(recorder.m_hWnd, false));
    EXPECT_EQ(0, recorder.m_nCommands);
    PumpCommands();
    EXPECT_EQ(1, recorder.m_nCommands);
    EXPECT_EQ(3u, pAlpha->GetUsageCount());
    EXPECT_FALSE(pAlpha->Deliver((HWND)NULL, true));
    EXPECT_FALSE(pAlpha->Deliver((CWnd*)NULL, true));
    EXPECT_EQ(3u, pAlpha->GetUsageCount());

    // To the owner of a popup, else to the parent of a child.
    CRecorder owned, child;
    ASSERT_TRUE(owned.Create(NULL, recorder.m_hWnd));
    ASSERT_TRUE(child.Create(recorder.m_hWnd));
    recorder.m_nCommands = 0;
    EXPECT_TRUE(pAlpha->DeliverToOwner(&owned));
    EXPECT_TRUE(pAlpha->DeliverToOwner(&child));
    PumpCommands();
    EXPECT_EQ(2, recorder.m_nCommands);
    EXPECT_EQ(0, owned.m_nCommands + child.m_nCommands);
    EXPECT_FALSE(pAlpha->DeliverToOwner(NULL));
    CWnd windowless;
    EXPECT_FALSE(pAlpha->DeliverToOwner(&windowless));
    owned.DestroyWindow();
    child.DestroyWindow();
    recorder.DestroyWindow();
}

namespace
{
// Command-update handlers as a frame would have them.
class CUpdateTarget : public CCmdTarget
{
public:
    afx_msg void OnUpdateAlpha(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnUpdateBeta(CCmdUI* pCmdUI) { pCmdUI->SetCheck(2); }
    afx_msg void OnUpdateGamma(CCmdUI* pCmdUI)
    {
        pCmdUI->SetRadio(TRUE);
        pCmdUI->SetText("Renamed");
    }
    afx_msg void OnUpdateDelta(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_nCheck); }
    int m_nCheck = 1;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUpdateTarget, CCmdTarget)
    ON_UPDATE_COMMAND_UI(ID_TEST_ALPHA, OnUpdateAlpha)
    ON_UPDATE_COMMAND_UI(ID_TEST_BETA, OnUpdateBeta)
    ON_UPDATE_COMMAND_UI(ID_TEST_GAMMA, OnUpdateGamma)
    ON_UPDATE_COMMAND_UI(ID_TEST_DELTA, OnUpdateDelta)
END_MESSAGE_MAP()
}

TEST(CommandItemTest, CommandUpdateWritesTheHandlersAnswersIntoTheItem)
{
    CUpdateTarget target;
    CExtCommandProfile profile("update");
    CExtCommandItem* pAlpha = profile.AllocateCommand(ID_TEST_ALPHA);
    EXPECT_TRUE(pAlpha->UpdateCmdUI(&target));
    EXPECT_FALSE(pAlpha->StateIsEnable());

    CExtCommandItem* pBeta = profile.AllocateCommand(ID_TEST_BETA);
    pBeta->StateSetCheck(true);
    EXPECT_TRUE(pBeta->UpdateCmdUI(&target));
    EXPECT_TRUE(pBeta->StateGetIndeterminate());
    EXPECT_FALSE(pBeta->StateGetCheck());

    CExtCommandItem* pGamma = profile.AllocateCommand(ID_TEST_GAMMA);
    pGamma->m_strMenuText = "&Gamma";
    EXPECT_TRUE(pGamma->UpdateCmdUI(&target));
    EXPECT_TRUE(pGamma->StateGetRadio());
    EXPECT_STREQ("Renamed", pGamma->m_strMenuText);

    CExtCommandItem* pDelta = profile.AllocateCommand(ID_TEST_DELTA);
    pDelta->UpdateCmdUI(&target);
    EXPECT_TRUE(pDelta->StateGetCheck());
    target.m_nCheck = 0;
    pDelta->UpdateCmdUI(&target);
    EXPECT_FALSE(pDelta->StateGetCheck());

    // No handler disables; window commands need none and stay enabled.
    CExtCommandItem* pOrphan = profile.AllocateCommand(ID_TEST_HOTLIST);
    pOrphan->UpdateCmdUI(&target);
    EXPECT_FALSE(pOrphan->StateIsEnable());
    for (UINT nID : {(UINT)SC_CLOSE, 0xFF05u})
    {
        CExtCommandItem* pSystem = profile.AllocateCommand(nID);
        pSystem->StateEnable(false);
        EXPECT_TRUE(pSystem->UpdateCmdUI(&target));
        EXPECT_TRUE(pSystem->StateIsEnable());
    }
}

namespace
{
// A frame bound to a profile, with or without a status bar; it records the prompts
// it is asked to show itself.
class CPromptFrame : public CFrameWnd
{
public:
    std::vector<UINT> m_arrOwnPrompts;
    CStatusBar* m_pStatus = NULL;
    virtual LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
    {
        if (nMsg == WM_SETMESSAGESTRING)
            m_arrOwnPrompts.push_back((UINT)wParam);
        return CFrameWnd::WindowProc(nMsg, wParam, lParam);
    }
    bool Make(bool bStatusBar)
    {
        if (!Create(NULL, "prompts", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)))
            return false;
        if (bStatusBar)
        {
            static const UINT arrIndicators[] = {ID_SEPARATOR, ID_INDICATOR_POS};
            m_pStatus = new CStatusBar;
            if (!m_pStatus->Create(this) || !m_pStatus->SetIndicators(arrIndicators, 2))
                return false;
        }
        return g_CommandManagerHolder->CreateProfile("prompts", m_hWnd) &&
               g_CommandManagerHolder->UpdateFromMenuResource("prompts", IDR_MAINFRAME);
    }
    virtual void PostNcDestroy()
    {
        delete m_pStatus;
        CFrameWnd::PostNcDestroy();
    }
};
}

TEST(CommandManagerTest, ACommandsPromptGoesToPaneZeroOrElseToTheFrame)
{
    for (bool bStatusBar : {true, false})
    {
        CPromptFrame* pFrame = new CPromptFrame;
        ASSERT_TRUE(pFrame->Make(bStatusBar));
        CWnd child;
        ASSERT_TRUE(child.Create(AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 0, 5, 5), pFrame, 77));
        pFrame->m_arrOwnPrompts.clear();

        ShowCommandStatusText(&child, ID_TEST_ALPHA);
        if (bStatusBar)
        {
            EXPECT_STREQ("Runs the first test command", pFrame->m_pStatus->GetPaneText(0));
            EXPECT_TRUE(pFrame->m_arrOwnPrompts.empty());
            // A command without a prompt empties the pane.
            CExtCommandItem silent(ID_TEST_DELTA);
            g_CommandManagerHolder->UpdateCommand("prompts", silent);
            ShowCommandStatusText(pFrame, ID_TEST_DELTA);
            EXPECT_STREQ("", pFrame->m_pStatus->GetPaneText(0));
        }
        else
            EXPECT_EQ(std::vector<UINT>{(UINT)ID_TEST_ALPHA}, pFrame->m_arrOwnPrompts);
        // The idle message and unknown commands are the frame's own affair.
        pFrame->m_arrOwnPrompts.clear();
        ShowCommandStatusText(&child, AFX_IDS_IDLEMESSAGE);
        ShowCommandStatusText(pFrame, 4242);
        EXPECT_EQ((std::vector<UINT>{AFX_IDS_IDLEMESSAGE, 4242}), pFrame->m_arrOwnPrompts);
        ShowCommandStatusText(NULL, ID_TEST_ALPHA);

        g_CommandManagerHolder->UnbindWindow(pFrame->m_hWnd, true);
        pFrame->DestroyWindow();
    }
}

namespace
{
// A profile with a few used commands, as an IDE session would leave it.
class ProfileStreamTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_profile.UpdateFromMenuResource(IDR_MAINFRAME));
        ASSERT_TRUE(m_profile.UpdateFromMenuResource(IDR_DOCMENU));
        for (UINT nID : {ID_TEST_ALPHA, ID_TEST_BETA, ID_TEST_GAMMA})
            ASSERT_NE(nullptr, m_profile.GetCommand(nID)) << nID;
        m_profile.GetCommand(ID_TEST_ALPHA)->m_nUsageCount = 70;
        m_profile.GetCommand(ID_TEST_BETA)->m_nUsageCount = 20;
        m_profile.m_nTotalUsage = 90;
    }
    std::string Stored()
    {
        CMemFile file;
        CArchive ar(&file, CArchive::store);
        EXPECT_TRUE(m_profile.Serialize(ar));
        ar.Close();
        std::string bytes((size_t)file.GetLength(), '\0');
        file.SeekToBegin();
        file.Read(&bytes[0], (UINT)bytes.size());
        return bytes;
    }
    bool Load(const std::string& bytes)
    {
        CMemFile file((BYTE*)bytes.data(), (UINT)bytes.size());
        CArchive ar(&file, CArchive::load);
        const bool bLoaded = m_profile.Serialize(ar);
        ar.Abort();
        return bLoaded;
    }
    std::vector<UINT> Counts()
    {
        return {m_profile.m_nTotalUsage, m_profile.GetCommand(ID_TEST_ALPHA)->m_nUsageCount,
                m_profile.GetCommand(ID_TEST_BETA)->m_nUsageCount, m_profile.GetCommand(ID_TEST_GAMMA)->m_nUsageCount};
    }
    // A stream of the given total and (id, count) pairs, with its end mark.
    static std::string Stream(DWORD dwTotal, const std::vector<std::pair<DWORD, DWORD>>& pairs, DWORD dwVersion = 0x202)
    {
        CMemFile file;
        CArchive ar(&file, CArchive::store);
        ar << CString("any header") << (DWORD)0x02020301 << dwVersion << (DWORD)0 << (DWORD)0 << (DWORD)0 << (DWORD)0
           << dwTotal;
        for (const auto& pair : pairs)
            ar << pair.first << pair.second;
        ar << (DWORD)0;
        ar.Close();
        std::string bytes((size_t)file.GetLength(), '\0');
        file.SeekToBegin();
        file.Read(&bytes[0], (UINT)bytes.size());
        return bytes;
    }
    CExtCommandProfile m_profile{"stream"};
};
}

TEST_F(ProfileStreamTest, UsageTravelsThroughTheRegistryUnderTheProfilesName)
{
    ASSERT_TRUE(m_profile.SerializeToRegistry("Vorn Tests", "Streams", true));
    const std::vector<UINT> saved = Counts();
    m_profile.ResetUsageStatistics();
    EXPECT_EQ(0u, m_profile.m_nTotalUsage);
    ASSERT_TRUE(m_profile.SerializeToRegistry("Vorn Tests", "Streams", false));
    EXPECT_EQ(saved, Counts());
    CExtCommandProfile stranger("never saved");
    EXPECT_FALSE(stranger.SerializeToRegistry("Vorn Tests", "Streams", false));

    // What the registry holds, as the registry tool of the prefix shows it.
    char szFile[MAX_PATH];
    ::GetTempPath(MAX_PATH, szFile);
    strcat(szFile, "ulvane-profile.reg");
    ::DeleteFile(szFile);
    CString strCommand;
    strCommand.Format("reg.exe export \"HKCU\\Software\\Vorn Tests\\Streams\\Ulvane223\\Profiles\\stream\\CommandManager\" "
                      "\"%s\" /y",
                      szFile);
    STARTUPINFO si = {sizeof(si)};
    PROCESS_INFORMATION pi;
    if (!::CreateProcess(NULL, strCommand.GetBuffer(), NULL, NULL, FALSE, CREATE_NO_WINDOW, NULL, NULL, &si, &pi))
        GTEST_SKIP() << "reg.exe could not be started";
    ::WaitForSingleObject(pi.hProcess, 20000);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    CFile file;
    if (!file.Open(szFile, CFile::modeRead))
        GTEST_SKIP() << "reg.exe wrote no export";
    std::wstring text((size_t)file.GetLength() / 2, L'\0');
    file.Read(&text[0], (UINT)text.size() * 2);
    file.Close();
    const std::string bytes = Stored();
    wchar_t szSize[64];
    swprintf(szSize, 64, L"\"data_size\"=dword:%08x", (unsigned)bytes.size());
    EXPECT_NE(std::wstring::npos, text.find(szSize)) << bytes.size();
    EXPECT_NE(std::wstring::npos, text.find(L"\"data_generator\"=\"Ulvane v. 2.2.3.1 registry archiver\""));
    EXPECT_NE(std::wstring::npos, text.find(L"CommandManager\\block_0x00000000]"));
}

TEST_F(ProfileStreamTest, AStreamCutShortOrOfAnotherVersionChangesNothing)
{
    const std::string bytes = Stored();
    const std::vector<UINT> before = Counts();
    for (size_t nCut = 0; nCut < bytes.size(); nCut++)
    {
        m_profile.GetCommand(ID_TEST_GAMMA)->m_nUsageCount = 0;
        // A stream that lost its end mark would otherwise have applied its pairs.
        ASSERT_FALSE(Load(bytes.substr(0, nCut))) << nCut;
        ASSERT_EQ(before, Counts()) << nCut;
    }
    EXPECT_FALSE(Load(Stream(5, {{ID_TEST_GAMMA, 5}}, 0x203)));
    EXPECT_EQ(before, Counts());
    // Garbage after the end mark is never read.
    EXPECT_TRUE(Load(bytes + "trailing"));
    EXPECT_EQ(before, Counts());
}

TEST_F(ProfileStreamTest, StoredCountsAreTrustedOnlyWhereTheyMakeSense)
{
    m_profile.GetCommand(ID_TEST_BETA)->StateSetBasic(true);
    m_profile.GetCommand(ID_TEST_GAMMA)->StateUsageTrackingDisable(true);
    m_profile.GetCommand(ID_TEST_GAMMA)->m_nUsageCount = 0;
    // Unknown, basic and untracked ids are skipped; a total below the counts is raised.
    ASSERT_TRUE(Load(Stream(3, {{ID_TEST_ALPHA, 40}, {4711, 99}, {ID_TEST_BETA, 7}, {ID_TEST_GAMMA, 8}})));
    EXPECT_EQ((std::vector<UINT>{60, 40, 20, 0}), Counts());

    // Counts that add up past the limit are halved with the total until they fit.
    m_profile.GetCommand(ID_TEST_BETA)->StateSetBasic(false);
    ASSERT_TRUE(Load(Stream(0xFFFFFFFF, {{ID_TEST_ALPHA, 0xFFFFFFFF}, {ID_TEST_BETA, 0xFFFFFFFF}})));
    const std::vector<UINT> counts = Counts();
    EXPECT_LE(counts[0], 0xFFFFFFFEu);
    EXPECT_GE(counts[0], 0x7FFFFFFFu);
    EXPECT_LE((unsigned long long)counts[1] + counts[2], counts[0]);
    EXPECT_EQ(counts[1], counts[2]);
    EXPECT_GE(counts[1], 0x3FFFFFFFu);
}

TEST(CommandProfileToolbarTest, ALiveToolbarGivesItsCommandsTextsAndImages)
{
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "toolbar", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 200)));
    CToolBar toolbar;
    ASSERT_TRUE(toolbar.CreateEx(pFrame) && toolbar.LoadToolBar(IDR_TESTBAR));
    TBBUTTONINFO tbbi = {sizeof(tbbi), TBIF_TEXT | TBIF_BYINDEX};
    tbbi.pszText = (LPSTR) "Run";
    toolbar.SendMessage(TB_SETBUTTONINFO, 0, (LPARAM)&tbbi);

    CExtCommandProfile profile("live");
    ASSERT_TRUE(profile.UpdateFromToolbar(&toolbar));
    EXPECT_EQ(4, (int)profile.m_mapItems.GetCount());
    for (UINT nID : {ID_TEST_ALPHA, ID_TEST_BETA, ID_TEST_GAMMA, ID_TEST_HOTLIST})
    {
        CExtCommandIcon* pIcon = profile.GetCommandIcon(nID);
        ASSERT_NE(nullptr, pIcon) << nID;
        EXPECT_FALSE(pIcon->IsBitmapBased());
        EXPECT_EQ(16, pIcon->GetSize().cx);
    }
    EXPECT_STREQ("Run", profile.GetCommand(ID_TEST_ALPHA)->m_strToolbarText);
    EXPECT_STREQ("Runs the first test command", profile.GetCommand(ID_TEST_ALPHA)->m_strStatusText);
    // A second pass keeps the icons it gave.
    ASSERT_TRUE(profile.UpdateFromToolbar(&toolbar));
    EXPECT_EQ(4, (int)profile.m_arrIcons.GetSize());
    EXPECT_FALSE(profile.UpdateFromToolbar(NULL));
    pFrame->DestroyWindow();
}
