#include "CBreakpointsWnd.h"

#include "ProjectPaths.h"

#include <algorithm>
#include <vector>

#include "CBreakpoint.h"
#include "CBreakpointDlg.h"
#include "CDebugServer.h"
#include "CExtPopupMenuWnd.h"
#include "CProject.h"
#include "CProjectFileEntry.h"
#include "IDebugPanesHost.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CBreakpointsWnd, CPaneWnd)

BEGIN_MESSAGE_MAP(CBreakpointsWnd, CPaneWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CBreakpointsWnd::CBreakpointsWnd() : m_pHost(NULL)
{
}

CBreakpointsWnd::~CBreakpointsWnd()
{
}

int CBreakpointsWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CPaneWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndToolBar.Create("Breakpoints", this, AFX_IDW_TOOLBAR)
        || !m_wndToolBar.LoadToolbarResource(IDR_BREAKPOINTS_TOOLBAR))
        return -1;
    // Its buttons are the main window's commands.
    CWnd* pCommandWindow = m_pHost != NULL ? m_pHost->GetCommandWindow() : AfxGetMainWnd();
    if (pCommandWindow != NULL)
        m_wndToolBar.SetOwner(pCommandWindow);
    if (!m_wndList.CreateList(this, IDC_BREAKPOINTS_LIST))
        return -1;
    LayOut();
    return 0;
}

void CBreakpointsWnd::OnSize(UINT nType, int cx, int cy)
{
    CPaneWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        LayOut();
}

void CBreakpointsWnd::LayOut()
{
    if (m_wndList.m_hWnd == NULL)
        return;
    RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, IDC_BREAKPOINTS_LIST);
}

CProject* CBreakpointsWnd::Project() const
{
    return m_pHost != NULL ? m_pHost->GetPanesProject() : NULL;
}

void CBreakpointsWnd::Refill()
{
    if (m_wndList.m_hWnd == NULL)
        return;
    m_wndList.SetRedraw(FALSE);
    m_wndList.DeleteAllRows();
    CProject* pProject = Project();
    if (pProject != NULL && pProject->IsOpen())
    {
        std::vector<CProjectFileEntry*> files;
        for (int i = 0; i < pProject->GetFileCount(); i++)
            files.push_back(pProject->GetFileAt(i));
        std::stable_sort(files.begin(), files.end(), [](CProjectFileEntry* pLeft, CProjectFileEntry* pRight) {
            return pLeft->GetRelativePath().Compare(pRight->GetRelativePath()) < 0;
        });
        for (CProjectFileEntry* pEntry : files)
        {
            const CString strRelativePath = ShownRelativePath(pEntry->GetRelativePath());
            for (int i = 0; i < pEntry->GetBreakpointCount(); i++)
                m_wndList.AddBreakpointRow(pEntry, strRelativePath, *pEntry->GetBreakpointAt(i));
        }
    }
    UpdateCheckMarks();
    m_wndList.SetRedraw(TRUE);
    m_wndList.Invalidate();
}

void CBreakpointsWnd::UpdateCheckMarks()
{
    CProject* pProject = Project();
    for (int i = 0; i < m_wndList.GetRowCount(); i++)
    {
        CTreeListItem* pRow = m_wndList.GetRow(i);
        if (CBreakpoint* pBreakpoint = CBreakpointsListCtrl::FindRowBreakpoint(pRow, pProject))
            m_wndList.SetRowCheck(pRow, pBreakpoint->GetEnabled() != 0);
    }
    m_wndList.Invalidate();
}

BOOL CBreakpointsWnd::HasSelection() const
{
    return m_wndList.m_hWnd != NULL && m_wndList.GetSelectedIndex() >= 0;
}

void CBreakpointsWnd::OnRowCheckChanged(CTreeListItem* pRow)
{
    if (CBreakpoint* pBreakpoint = CBreakpointsListCtrl::FindRowBreakpoint(pRow, Project()))
        pBreakpoint->SetEnabled(pRow->GetInfo()->GetCheck() ? 1 : 0);
}

void CBreakpointsWnd::DeleteSelected()
{
    const int nIndex = m_wndList.GetSelectedIndex();
    CTreeListItem* pRow = m_wndList.GetRow(nIndex);
    CProject* pProject = Project();
    CProjectFileEntry* pEntry = CBreakpointsListCtrl::GetRowEntry(pRow, pProject);
    if (pEntry == NULL)
        return;
    const int nLine = CBreakpointsListCtrl::GetRowLine(pRow);
    if (pEntry->FindBreakpoint(nLine) != NULL)
    {
        CDebugServer& server = m_pHost->GetPanesDebugServer();
        if (server.IsConnected())
            server.RemoveBreakpoint(pEntry->GetPath(), nLine);
        pEntry->RemoveBreakpointAtLine(nLine);
        m_pHost->RefreshBreakpointMarks(pEntry);
    }
    m_wndList.DeleteRow(pRow, nIndex);
    UpdateCheckMarks();
}

void CBreakpointsWnd::GoToSource()
{
    CTreeListItem* pRow = m_wndList.GetSelectedRow();
    CProjectFileEntry* pEntry = CBreakpointsListCtrl::GetRowEntry(pRow, Project());
    if (pEntry != NULL)
        m_pHost->OpenProjectFileAtLine(pEntry, CBreakpointsListCtrl::GetRowLine(pRow) - 1);
}

void CBreakpointsWnd::EditSelectedProperties()
{
    CTreeListItem* pRow = m_wndList.GetSelectedRow();
    CProjectFileEntry* pEntry = CBreakpointsListCtrl::GetRowEntry(pRow, Project());
    CBreakpoint* pBreakpoint = pEntry != NULL ? pEntry->FindBreakpoint(CBreakpointsListCtrl::GetRowLine(pRow)) : NULL;
    if (pBreakpoint == NULL)
        return;
    CBreakpointDlg dialog(m_pHost->GetCommandWindow());
    dialog.m_strCaption = "Breakpoint Properties";
    dialog.m_strFile = pEntry->GetPath();
    dialog.ReadFrom(*pBreakpoint);
    if (dialog.DoModal() != IDOK)
        return;
    // The dialog may have run a long time: the row and breakpoint are found again.
    pRow = m_wndList.GetSelectedRow();
    pBreakpoint = CBreakpointsListCtrl::FindRowBreakpoint(pRow, Project());
    if (pBreakpoint == NULL)
        return;
    dialog.WriteBackTo(*pBreakpoint);
    m_wndList.ShowRules(pRow, *pBreakpoint);
}

void CBreakpointsWnd::ShowPopupMenu(CPoint ptScreen)
{
    CWnd* pOwner = m_pHost != NULL ? m_pHost->GetCommandWindow() : AfxGetMainWnd();
    if (pOwner == NULL)
        return;
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->LoadMenu(pOwner->GetSafeHwnd(), IDR_BREAKPOINTS_POPUP, true))
    {
        delete pPopup;
        return;
    }
    // The menu frees itself when it closes.
    pPopup->TrackPopupMenu(0, ptScreen.x, ptScreen.y);
}
