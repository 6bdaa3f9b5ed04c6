// The panel bar in the test frame: its sizes around no child and around a child,
// docked and floating; the child at the margin corner after it or the bar changed
// size; the focus; its background; and its absence from the saved layout.
#include "frame_fixture.h"

#include "CExtFrameBarState.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPanelControlBar.h"
#include "ScreenPicture.h"

#include <afxadv.h>
#include <memory>

namespace
{
const UINT nPanelID = 0xE900;
const UINT nChildID = 0x7A01;
// Docked at the top, a panel's gripper takes 7 pixels and the frame 2 each way.
const CSize sizeDockedFrame(9, 2);

CSize WindowSizeOf(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    return rc.Size();
}
}

class PanelBarTest : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        m_pPanel.reset(new CExtPanelControlBar);
        ASSERT_TRUE(m_pPanel->Create(NULL, m_pFrame, nPanelID, 0x5040283C));
        m_pPanel->EnableDocking(CBRS_ALIGN_ANY);
    }
    void TearDown() override
    {
        if (m_pPanel->m_hWnd != NULL)
            m_pPanel->DestroyWindow();
        FrameTest::TearDown();
        m_pPanel.reset();
    }
    void DockPanel()
    {
        m_pFrame->DockControlBar(m_pPanel.get(), AFX_IDW_DOCKBAR_TOP);
        m_pFrame->RecalcLayout();
        PumpPending();
    }
    void FloatPanel()
    {
        m_pPanel->FloatAt(400, 300);
        PumpPending();
        ASSERT_TRUE(m_pPanel->IsFloating());
    }
    bool CreateChild(CSize size)
    {
        return m_edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(CPoint(0, 0), size), m_pPanel.get(), nChildID);
    }
    // The child's place in the bar: the panel's start plus the margins.
    void ExpectChildAtMarginCorner(CSize sizeChild)
    {
        const CPoint ptCorner = m_pPanel->GetPanelOrigin() + CPoint(5, 5);
        EXPECT_EQ(CRect(ptCorner, sizeChild), RectIn(&m_edit, m_pPanel.get()));
    }

    std::unique_ptr<CExtPanelControlBar> m_pPanel;
    CEdit m_edit;
};

TEST_F(PanelBarTest, WithoutAChildItMeasuresItsMarginsPlusTheFrame)
{
    CExtPanelControlBar& panel = *m_pPanel;
    // Neither docked nor floating yet.
    EXPECT_EQ(CSize(22, 22), panel.CalcFixedLayout(FALSE, TRUE));
    DockPanel();
    EXPECT_TRUE(panel.IsFixedMode());
    EXPECT_TRUE(panel.IsPanelMode());
    EXPECT_EQ(0, panel.GetButtonsCount());
    EXPECT_EQ(CSize(10, 10) + sizeDockedFrame, WindowSizeOf(&panel));
    EXPECT_EQ(CSize(10, 10), panel.GetMinimalSize());
    FloatPanel();
    EXPECT_EQ(CSize(10, 10), WindowSizeOf(&panel));
    EXPECT_EQ(CSize(10, 10), panel.GetMinimalFloatingSize());
    // Not moved by a frame layout while it floats.
    m_pFrame->RecalcLayout();
    EXPECT_EQ(CSize(10, 10), WindowSizeOf(&panel));
}

TEST_F(PanelBarTest, ItTakesItsChildsSizeAndKeepsItAtTheMarginCorner)
{
    CExtPanelControlBar& panel = *m_pPanel;
    ASSERT_TRUE(CreateChild(CSize(100, 24)));
    DockPanel();
    EXPECT_EQ(CSize(110, 34) + sizeDockedFrame, WindowSizeOf(&panel));
    ExpectChildAtMarginCorner(CSize(100, 24));
    {
        // The room around the child in the look's bar colour, the gripper at its start,
        // the child left as it painted itself.
        CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
        const CScreenPicture picture(panel.m_hWnd);
        CRect rcAround;
        m_pFrame->GetWindowRect(&rcAround);
        rcAround.bottom = rcAround.top + 160;
        CScreenPicture(rcAround).SaveIfWanted("panel_docked");
        if (!pPM->IsBackgroundCustomized(&panel))
        {
            EXPECT_EQ(pPM->GetColor(1000), picture.GetClientPixel(panel.m_hWnd, CPoint(60, 2)));
            EXPECT_EQ(pPM->GetColor(1000), picture.GetClientPixel(panel.m_hWnd, CPoint(116, 18)));
        }
        const CPoint ptInChild = RectIn(&m_edit, &panel).CenterPoint();
        EXPECT_EQ(::GetSysColor(COLOR_WINDOW), picture.GetClientPixel(panel.m_hWnd, ptInChild));
    }

    // The child grows from code, then the bar is laid out again.
    m_edit.MoveWindow(0, 0, 150, 30);
    m_pFrame->RecalcLayout();
    PumpPending();
    EXPECT_EQ(CSize(160, 40) + sizeDockedFrame, WindowSizeOf(&panel));
    ExpectChildAtMarginCorner(CSize(150, 30));

    FloatPanel();
    EXPECT_EQ(CSize(160, 40), WindowSizeOf(&panel));
    ExpectChildAtMarginCorner(CSize(150, 30));
    CRect rcFrame;
    panel.GetParentFrame()->GetWindowRect(&rcFrame);
    CScreenPicture(rcFrame).SaveIfWanted("panel_floating");

    // Docked on a side, the gripper runs along the top.
    m_pFrame->DockControlBar(&panel, AFX_IDW_DOCKBAR_LEFT);
    m_pFrame->RecalcLayout();
    PumpPending();
    EXPECT_EQ(CSize(160 + 2, 40 + 9), WindowSizeOf(&panel));
    ExpectChildAtMarginCorner(CSize(150, 30));
}

TEST_F(PanelBarTest, TheFocusGoesToTheChildOrStaysOnTheBar)
{
    CExtPanelControlBar& panel = *m_pPanel;
    DockPanel();
    panel.SetFocus();
    EXPECT_EQ(panel.m_hWnd, ::GetFocus());
    ASSERT_TRUE(CreateChild(CSize(100, 24)));
    m_pFrame->SetFocus();
    panel.SetFocus();
    EXPECT_EQ(m_edit.m_hWnd, ::GetFocus());
}

TEST_F(PanelBarTest, ASavedLayoutHoldsNoRecordOfIt)
{
    ASSERT_TRUE(CreateChild(CSize(100, 24)));
    DockPanel();
    auto expectNoRecord = [this] {
        CExtFrameBarState state;
        state.Collect(m_pFrame);
        ASSERT_GT(state.m_dockState.m_arrBarInfo.GetSize(), 0);
        for (INT_PTR i = 0; i < state.m_dockState.m_arrBarInfo.GetSize(); i++)
        {
            CControlBarInfo* pInfo = (CControlBarInfo*)state.m_dockState.m_arrBarInfo[i];
            EXPECT_NE(nPanelID, pInfo->m_nBarID);
            for (INT_PTR k = 0; k < pInfo->m_arrBarID.GetSize(); k++)
                EXPECT_NE((DWORD)nPanelID, pInfo->m_arrBarID[k] & 0xFFFF) << pInfo->m_nBarID;
        }
        for (INT_PTR i = 0; i < state.m_arrRecords.GetSize(); i++)
            EXPECT_NE(nPanelID, state.m_arrRecords[i].nBarID);
    };
    expectNoRecord();
    FloatPanel();
    expectNoRecord();
    // The layout saved with a panel in the frame loads back, and leaves the panel be.
    ASSERT_TRUE(CExtControlBar::SaveBarState(m_pFrame, "Vorn Tests", "State", "panel"));
    EXPECT_TRUE(CExtControlBar::LoadBarState(m_pFrame, "Vorn Tests", "State", "panel"));
    PumpPending();
    EXPECT_TRUE(m_pPanel->IsFloating());
}
