// CBreakpointsWnd: the Breakpoints bar's window: a toolbar over the list of every
// breakpoint of the project's files, and the commands that act on the selected one.
#pragma once

#include "CBreakpointsListCtrl.h"
#include "CExtToolControlBar.h"
#include "CPaneWnd.h"

class CBreakpoint;
class IDebugPanesHost;

class CBreakpointsWnd : public CPaneWnd
{
    DECLARE_DYNAMIC(CBreakpointsWnd)
public:
    CBreakpointsWnd();
    virtual ~CBreakpointsWnd();

    void SetHost(IDebugPanesHost* pHost) { m_pHost = pHost; }
    CBreakpointsListCtrl& GetList() { return m_wndList; }

    // Every breakpoint of every project file, files by relative path, lines in the
    // file's order.
    void Refill();
    // Each row's check box from its breakpoint's Enabled flag.
    void UpdateCheckMarks();
    BOOL HasSelection() const;
    // The selected row's breakpoint goes (and the client is told when connected).
    void DeleteSelected();
    void GoToSource();
    void EditSelectedProperties();
    // A row's check box changed: the breakpoint's Enabled flag follows.
    void OnRowCheckChanged(CTreeListItem* pRow);
    void ShowPopupMenu(CPoint ptScreen);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    IDebugPanesHost* m_pHost;
    CExtToolControlBar m_wndToolBar;
    CBreakpointsListCtrl m_wndList;

    CProject* Project() const;
    void LayOut();
};
